#pragma once
#include <memory>

#include "shell/common/TDialogoPrincipal.h"

class QPushButton;
class TDataSource;
class TdvDBGrid;
class TdvTable;

// The base of the dialogs that list the stored declarations in a grid (open, delete): the table
// Pruv with the masked numbers, the grid over it, OK, Cancel and Help, the dialog's placement
// over the main window. The table is open while the dialog lives.
class TFoListaDeclaracoes : public TDialogoPrincipal {
    Q_OBJECT
public:
    ~TFoListaDeclaracoes() override;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    [[nodiscard]] TdvTable& TbPruv() { return *FTbPruv; }

protected:
    // NomeGrade: the grid's component name; ComSelecao: the table has the check boxes' column.
    TFoListaDeclaracoes(const char* Nome, const char* NomeGrade, bool ComSelecao, int HelpContext, QWidget* Dono);

    [[nodiscard]] TdvDBGrid& Grade() const { return *FGrade; }
    // OK was pressed; exceptions reach the program's handler.
    virtual void OKBtnClick() = 0;
    void AoMostrar() override;

private:
    // On show, once the grid has laid its columns out: the dialog grows, its grid and buttons
    // with it, until the grid shows every column whole at the dialog's font.
    void MostraTodasAsColunas();

    std::unique_ptr<TdvTable> FTbPruv;
    std::unique_ptr<TDataSource> DsPruv;
    TdvDBGrid* FGrade;
};
