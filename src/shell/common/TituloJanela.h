#pragma once
#include <QString>

// The caption of the main window, which names the open declaration.

// "Pruv 2003" without a name; otherwise "Pruv 2003 - " + Nome + three blanks + "Matriz" for the
// establishment "0001", "Filial " + Estabelecimento for one that sorts after it, nothing else.
QString TituloJanela(const QString& Nome, const QString& Estabelecimento);
// Puts that caption on the main window (the top-level window of class TPruv2003), when there is one.
void AtualizaTitulo(const QString& Nome, const QString& Estabelecimento);
