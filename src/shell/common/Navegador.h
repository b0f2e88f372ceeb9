#pragma once
#include <QString>

// The maker's web site and the browser that opens it.

// The address of the maker's web site, opened by ExisteNavegador.
inline constexpr char EnderecoSitio[] = "http://www.xeq.gov.br";
// The program that opens web pages: the first entry of $BROWSER that is found, else xdg-open;
// empty when there is none.
QString ProgramaNavegador();
// Whether a web browser can be started. Makes an empty "PRUV.HTM" in the program folder while it
// looks (false when it cannot be made) and removes it again; with Abrir, starts the browser on
// EnderecoSitio under the busy cursor (false when it does not start).
bool ExisteNavegador(bool Abrir);
