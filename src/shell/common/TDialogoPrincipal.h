#pragma once
#include <QDialog>

// A modal dialog of the main window: the first time it shows it is placed over the main window
// (as the assistants are) and AoMostrar gives the first control its focus; it speaks in the font
// the forms were laid out in.
class TDialogoPrincipal : public QDialog {
    Q_OBJECT
public:
    TDialogoPrincipal(const char* Nome, int Largura, int Altura, int HelpContext, QWidget* Dono);

protected:
    virtual void AoMostrar() {}
    void showEvent(QShowEvent* evento) override;

private:
    bool FMostrado = false;
};
