#pragma once
#include <QDialog>
#include <memory>

class QPushButton;
class TColecaoPruv;
class TDataSource;
class TdvCustomDBGrid;
class TdvTable;
class TPruv;

// Chooses a stored declaration to open (or to write for delivery): a grid of every declaration
// by declarant and year. OK loads the chosen one into the declaration given.
class TFoAbreDeclaracao final : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11010;

    // Pruv is cleared; both outlive the dialog. The table of the declarations is opened.
    TFoAbreDeclaracao(const QString& Legenda, TPruv& Pruv, TColecaoPruv& Colecao, QWidget* Dono = nullptr);
    ~TFoAbreDeclaracao() override;

    TdvCustomDBGrid* DBGrDeclaracao;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    [[nodiscard]] TdvTable& TbPruv() { return *FTbPruv; }

public slots:
    // Loads the declaration of the current row and closes with OK; a declaration that cannot be
    // loaded shows its message and the dialog stays.
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    TPruv& Pruv;
    TColecaoPruv& ColecaoPruv;
    std::unique_ptr<TdvTable> FTbPruv;
    std::unique_ptr<TDataSource> DsPruv;
    bool FMostrado = false;
};

// Runs the dialog modally over Dono with that caption ("Abrir Declaração", "Abrir Declaração
// para Gravação"): true when a stored declaration was loaded into Pruv.
bool AbreDeclaracao(TPruv& Pruv, TColecaoPruv& Colecao, const QString& Legenda, QWidget* Dono = nullptr);
