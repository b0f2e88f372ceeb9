#pragma once
#include <QDialog>

#include "shell/window/IFrDeclaracao.h"

class TFrPesquisarPruv;
class TPruv;

// The modeless search window, "Pesquisar", always on top of the main window, holding the search
// of the open declaration. Closing it always succeeds and lets go of it.
class TFoPesquisar final : public QDialog {
    Q_OBJECT
public:
    // The help of the search window.
    static constexpr int HelpContext = 13010;
    explicit TFoPesquisar(QWidget* Dono = nullptr);

    TFrPesquisarPruv* FrPesquisarPruv;

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    // Coming back to the window: the declaration may have changed meanwhile.
    void changeEvent(QEvent* evento) override;

private:
    bool FMostrado = false;
};

// Creates the window once over Dono and opens its search on the declaration; in any case restores
// it when minimised, shows it and focuses the search's edit.
void MostraPesquisa(TPruv& Declaracao, TPosicionaCampo Posiciona, QWidget* Dono);
// Closes the search and lets go of the window, when it exists.
void LiberaPesquisa();
// The window while it exists; nullptr otherwise.
[[nodiscard]] TFoPesquisar* FoPesquisar();
