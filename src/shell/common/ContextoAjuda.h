#pragma once

class QObject;
class QWidget;

// The help context of a control is its property "HelpContext" (an int, 0 for none).
inline constexpr char PropriedadeHelpContext[] = "HelpContext";
void DefineHelpContext(QWidget& Controle, int HelpContext);
// The help context of the control or of its nearest parent that has one; 10000 when none has
// one or when Controle is not a widget.
int ObtemHelpContext(const QObject* Controle);
