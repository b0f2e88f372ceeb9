#pragma once
#include <QString>

class IComboItens;
class QObject;
class QWidget;
class TNaturezas;
class TRelatorio;

// Routines of the windows that every screen calls.

// "Pruv 2003" without a name; otherwise "Pruv 2003 - " + Nome + three blanks + "Matriz" for the
// establishment "0001", "Filial " + Estabelecimento for one that sorts after it, nothing else.
QString TituloJanela(const QString& Nome, const QString& Estabelecimento);
// Puts that caption on the main window (the top-level window of class TPruv2003), when there is one.
void AtualizaTitulo(const QString& Nome, const QString& Estabelecimento);

// Gives the focus to the first control that can take it (shown, enabled, accepting focus);
// null controls are passed over.
void FocaPrimeiro(QWidget* Primeiro, QWidget* Segundo, QWidget* Terceiro, QWidget* Quarto);

// The help context of a control is its property "HelpContext" (an int, 0 for none).
inline constexpr char PropriedadeHelpContext[] = "HelpContext";
void DefineHelpContext(QWidget& Controle, int HelpContext);
// The help context of the control or of its nearest parent that has one; 10000 when none has
// one or when Controle is not a widget.
int ObtemHelpContext(const QObject* Controle);

// The report takes the paper of the default printer when it has a paper code, else Letter.
void AjustaPapel(TRelatorio& Relatorio);

// The address of the maker's web site, opened by ExisteNavegador.
inline constexpr char EnderecoSitio[] = "http://www.xeq.gov.br";
// The program that opens web pages: the first entry of $BROWSER that is found, else xdg-open;
// empty when there is none.
QString ProgramaNavegador();
// Whether a web browser can be started. Makes an empty "PRUV.HTM" in the program folder while it
// looks (false when it cannot be made) and removes it again; with Abrir, starts the browser on
// EnderecoSitio under the busy cursor (false when it does not start).
bool ExisteNavegador(bool Abrir);

// Fills the combo with the descriptions of the available natures, blank ones left out. With
// items it is enabled on the window colour; without, it gets index -1 and is disabled on the
// button colour.
void PreencheCombo(IComboItens& Combo, const TNaturezas& Naturezas);
