#pragma once
#include <QDialog>
#include <functional>
#include <memory>

class QPushButton;
class QRadioButton;
class TColecaoPruv;
class TDataSource;
class TdvDBGrid;
class TdvTable;
class TPruv;

// What the initial screen offers besides opening a stored declaration: each answers true when a
// declaration was loaded into the declaration object, which the caller then opens.
struct TOfertasInicial {
    std::function<bool()> Nova;      // "Criar uma nova declaração"
    std::function<bool()> Importa;   // "Importar dados"
};

// The initial screen at start-up: open a stored declaration from the grid, create a new one or
// import data. With no stored declaration only the last two are offered.
class TFoInicial final : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11000;
    // Below the top of the main window's client area, at 96 pixels per inch.
    static constexpr int DistanciaTopo = 50;

    enum class TEscolha { Cancelar, Abrir, Nova, Importa };

    // Clears the declaration and opens the table of stored declarations; both outlive the screen.
    TFoInicial(TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono = nullptr);
    ~TFoInicial() override;

    // What the user chose; Cancelar until OK.
    [[nodiscard]] TEscolha Escolha() const { return FEscolha; }
    // Loads the declaration of the grid's current row; false (its message shown) when it cannot.
    bool CarregaSelecionada();

    QRadioButton* RbAbrir;
    QRadioButton* RbNova;
    QRadioButton* RbImporta;
    TdvDBGrid* DBGrContribu;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void AplicaOpcao();
    void OKBtnClick();

    TPruv& Pruv;
    TColecaoPruv& ColecaoPruv;
    std::unique_ptr<TdvTable> TbPruv;
    std::unique_ptr<TDataSource> DsPruv;
    TEscolha FEscolha = TEscolha::Cancelar;
    bool FMostrado = false;
};

// Runs the initial screen over Dono: true when a declaration was loaded into Pruv (opened from
// the list, or by the offer chosen), which the caller then opens.
bool MostraInicial(TPruv& Pruv, TColecaoPruv& Colecao, const TOfertasInicial& Ofertas, QWidget* Dono = nullptr);
