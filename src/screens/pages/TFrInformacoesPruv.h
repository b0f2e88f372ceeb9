#pragma once
#include <QWidget>
#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QRadioButton;
class TColecaoPruv;
class TdvDBComboBox;
class TdvDBLookupCombo;
class TdvTable;
class TFrDeclaracao;
class TNatureza;
class TPruv;
class TPruvEdit;

// The declarant and responsible-person page of the declaration frame: the declarant's number
// (read-only), name and nature, the person responsible for filling in the declaration (chosen by
// CPF among the stored persons), the CPF responsible before the CNPJ, whether the declaration is
// rectifying and whether it is of a special situation. Every field is bound to a value of the
// open declaration; the declaration row is written whenever a group of fields is left.
class TFrInformacoesPruv final : public QWidget {
    Q_OBJECT
public:
    explicit TFrInformacoesPruv(QWidget* pai = nullptr);
    ~TFrInformacoesPruv() override;

    void SetPruv(TPruv& Pruv) { FPruv = &Pruv; }
    void SetColecaoPruv(TColecaoPruv& Colecao) { FColecaoPruv = &Colecao; }
    // Binds the fields, lays the groups out for the declarant and year, selects the nature and
    // the answers of the two questions; the questions' messages are asked only once opened.
    void Abre(TFrDeclaracao& Frame);
    // Unbinds the fields and hides the page.
    void Fecha();
    // Writes the declaration row; false only without a declaration or collection.
    bool Valida();

    // The distances of the layout, by declarant kind and year, at 96 pixels per inch.
    struct TDisposicao {
        bool Natureza;             // the nature's label and combo are shown
        int AlturaIdentificacao;   // of GbIdentificacao
        int TopoResponsavel;       // of GbResponsavel
        int TopoRetificadora;      // of GbRetificadora and GbSitEspecial
        bool ResponsavelCnpj;      // GbResponsavelCnpj is shown
    };
    [[nodiscard]] static TDisposicao Disposicao(bool Cnpj, const QString& Ano);

private:
    void CriaComponentes();
    void Dispoe(bool Cnpj, const QString& Ano);
    // Writes the declaration row (when open, with a declaration and a collection).
    void GravaDeclaracao();
    // The focus left a group box: the row is written, unless it went to a Cancel button.
    void FocoMudou(QWidget* Antes, QWidget* Agora);
    void CbTipoDeclaranteChange();
    void RetificadoraClick();
    void EncerramentoClick();
    // Opened and not closed since: the declaration is still there.
    [[nodiscard]] bool Aberta() const { return FAberto && FPruv; }
    [[nodiscard]] bool AnoSeguinte() const;   // the declaration's year is the current year plus one
    [[nodiscard]] bool Cnpj() const;
    [[nodiscard]] TNatureza* NaturezaDoCombo(int Indice) const;
    [[nodiscard]] int IndiceNoCombo(const TNatureza& Natureza) const;

    // The responsible person's edits bound to its values; the lookup shows its button only with
    // persons stored.
    void AssociaResponsavel();
    // The CPF chosen in the lookup: a new person's data come from the stored persons.
    void DblcResponsavelEscolha();
    // The bound edits, unbound when the page closes.
    [[nodiscard]] std::array<TPruvEdit*, 9> Edits() const;

    QWidget* PnInformacoes;
    QGroupBox* GbIdentificacao;
    TPruvEdit* DeCpfCnpj;
    TPruvEdit* DeNome;
    TPruvEdit* DeRespNoCnpj;
    TdvDBLookupCombo* DblcResponsavel;
    TPruvEdit* DeNomeResp;
    TPruvEdit* DeDDD;
    TPruvEdit* DeTelefone;
    TPruvEdit* DeRamal;
    TPruvEdit* DeFax;
    TPruvEdit* DeEmail;
    std::unique_ptr<TdvTable> TbResponsavel;
    QLabel* LbCpfCgc;
    QLabel* LbNomeRazaoS;
    QLabel* LbTipoDeclar;
    TdvDBComboBox* CbTipoDeclarante;
    QGroupBox* GbResponsavel;
    QGroupBox* GbRetificadora;
    QRadioButton* RbSimRetificadora;
    QRadioButton* RbNaoRetificadora;
    QGroupBox* GbResponsavelCnpj;
    QGroupBox* GbSitEspecial;
    QRadioButton* RbSimEncerramento;
    QRadioButton* RbNaoEncerramento;

    TPruv* FPruv = nullptr;                 // not owned
    TColecaoPruv* FColecaoPruv = nullptr;   // not owned
    TFrDeclaracao* FFrame = nullptr;        // not owned
    bool FAberto = false;                   // questions are asked only once opened
    int FIndiceNatureza = -1;               // the nature shown, to go back to on No
};
