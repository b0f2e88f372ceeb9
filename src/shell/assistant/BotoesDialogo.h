#pragma once

class QDialog;
class QPushButton;

// The OK, Cancel and Help buttons in a row at the bottom right of a fixed-size dialog. OK is the
// default button and runs nothing by itself; Cancel rejects the dialog and is marked as its
// cancel button (its ModalResult property), so that a bound field left for it writes nothing;
// Help shows the dialog's help context.
struct TBotoesDialogo {
    QPushButton* Ok;
    QPushButton* Cancela;
    QPushButton* Ajuda;
};

TBotoesDialogo CriaBotoesDialogo(QDialog& Dialogo, const char* NomeOk, const char* NomeCancela, int HelpContext);
