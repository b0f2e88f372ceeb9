#pragma once
#include <QFrame>
#include <QVariantList>
#include <functional>
#include <memory>

#include "shell/window/IFrDeclaracao.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TDataSource;
class TdvDBComboBox;
class TdvDBGrid;
class TdvTable;
class TPruv;

// Searches the open declaration by withholding code, CPF, CNPJ or name while the user types,
// lists what matches and moves the declaration frame to the item found through the main window's
// field-locate callback. It reads the declaration's tables with key ranges and never changes them.
// The search window hosts it to locate; the print assistant, with SelBeneficiario, to choose a
// beneficiary.
class TFrPesquisarPruv final : public QFrame {
    Q_OBJECT
public:
    enum TChave { ChaveCodigo, ChaveCpf, ChaveCnpj, ChaveNome };

    // A restriction of the search: on the items (the code) or on the beneficiaries, a range of
    // the table's order; the end exclusive when the typed prefix is whole.
    struct TFaixa {
        bool Itens = false;
        QVariantList Inicio;
        QVariantList Fim;
        bool FimExclusivo = false;
    };

    // Typing restricts once this long has passed since the last change, or when the focus leaves
    // the edit.
    static constexpr int EsperaDigitacao = 432;   // ms

    static const QString TextoCodigo;
    static const QString TextoCpf;
    static const QString TextoCnpj;
    static const QString TextoNome;

    explicit TFrPesquisarPruv(QWidget* parent = nullptr);
    ~TFrPesquisarPruv() override;

    // The range of the key for the declaration's key K and the typed text T (trimmed).
    [[nodiscard]] static TFaixa Faixa(TChave Chave, const QString& K, const QString& T);
    // The characters that the edit takes for that key.
    [[nodiscard]] static bool TeclaAceita(QChar Tecla, TChave Chave);

    // Opens the tables of the declaration (the fund items only for nature 3), selects the first
    // key and lists everything. Both outlive the frame's use.
    void Abre(TPruv& Declaracao, TPosicionaCampo Posiciona);
    // Closes the tables.
    void Fecha();
    // Reads the tables again, after the declaration was changed meanwhile.
    void Atualiza();
    // The masked number of the beneficiaries' current row.
    [[nodiscard]] QString CpfCnpjSelecionado() const;

    // Beneficiary-choice mode: the code key is not offered and nothing is located.
    [[nodiscard]] bool SelBeneficiario() const { return FSelBeneficiario; }
    void SetSelBeneficiario(bool Valor);
    // Raised after a double click on the beneficiaries.
    std::function<void(TFrPesquisarPruv* frame)> OnGridDblClick;

    // The key in use and the search on the typed text now.
    [[nodiscard]] TChave ChaveAtual() const;
    void SelecionaChave(TChave Chave);
    void RestringePruv();
    // Locates the current row's item in the declaration (BbLocalizar, Enter, a double click).
    void Localiza();

    QWidget* PnPesquisar;
    TdvDBComboBox* CbChave;
    QLabel* LbEntraChave;
    QLineEdit* EdChave;
    QPushButton* BbLocalizar;
    TdvDBGrid* DbgPruvItem;
    TdvDBGrid* DbgBeneficiarios;
    TdvDBGrid* DbgCodigosBenef;
    QTimer* Timer1;
    [[nodiscard]] TdvTable& TbPruvItem() const { return *FTbPruvItem; }
    [[nodiscard]] TdvTable& TbBeneficiarios() const { return *FTbBeneficiarios; }
    [[nodiscard]] TdvTable& TbPruvItemBenef() const { return *FTbPruvItemBenef; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CbChaveChange();
    void MostraGrades();
    void BeneficiarioMudou();
    [[nodiscard]] bool ChaveBeneficiario() const;

    TPruv* FDeclaracao = nullptr;   // not owned
    TPosicionaCampo FPosiciona;
    bool FOrigemBeneficiarios = false;
    bool FSelBeneficiario = false;
    bool FAberto = false;
    std::unique_ptr<TdvTable> FTbBeneficiarios;
    std::unique_ptr<TdvTable> FTbPruvItem;
    std::unique_ptr<TdvTable> FTbPruvItemBenef;
    std::unique_ptr<TdvTable> FTbNomes;   // the beneficiaries' names the item list looks up
    std::unique_ptr<TDataSource> DsBeneficiarios;
    std::unique_ptr<TDataSource> DsPruvItem;
    std::unique_ptr<TDataSource> DsPruvItemBenef;
};
