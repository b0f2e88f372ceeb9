#pragma once
#include <QWidget>
#include <memory>

class QLabel;
class QTabWidget;
class QToolButton;
class TBeneficiarioPruv;
class TComprovante;
class TComprovantePF;
class TComprovantePJ;
class TPruv;
class TPruvEdit;
class TPruvGridComprPJ;
class TPruvGridRendParcial;
class TPruvMemo;

// The income-statement page: beneficiary by beneficiary, the statement the paying source gives
// (a person's boxes, or a company's monthly lines), with what the declaration does not hold typed
// here: deductions, exempt and exclusively taxed income, natures and complementary information.
// A statement is stored when it changed, after its deductions passed their check.
class TFrComprovante final : public QWidget {
    Q_OBJECT
public:
    explicit TFrComprovante(QWidget* pai = nullptr);
    ~TFrComprovante() override;

    void SetPruv(TPruv& Pruv) { FPruv = &Pruv; }
    // On the first beneficiary of the declaration.
    void Abre();
    void Fecha();
    [[nodiscard]] bool Aberta() const { return FBeneficiario != nullptr; }
    // Positions on the beneficiary of that number (its deductions taken as checked).
    void LocalizaBeneficiario(const QString& Ni);
    // The current beneficiary's statement, built and shown.
    void CarregaComprovante();
    // The deductions check; true stores a changed statement, false focuses the deductions.
    bool Valida();
    // The page is entered: the beneficiary found again and its statement shown.
    void Entra();

    void BbFirstClick();
    void BbPriorClick();
    void BbNextClick();
    void BbLastClick();
    void BbCancelClick();

    [[nodiscard]] TComprovante* Comprovante() const { return FAtual; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The beneficiary and the deductions typed, as one text.
    [[nodiscard]] QString SituacaoDeducoes() const;
    void CriaComponentes();
    void Redesenha();
    void AtualizaBotoes();
    void Vincula();
    // The focused field writes back, then the deductions of a person's statement are checked
    // (once, unless one changed since): false when the user cancels.
    bool ConfereDeducoes();
    // The cell being typed writes back: the focused grid's, or any grid's open editor. False when
    // the model refused it (its message shown).
    bool EscreveCelula();
    // Stores a changed statement; false after the message of a failure.
    bool Salva();
    void Navega(void (TFrComprovante::*Move)());
    void MovePrimeiro();
    void MoveAnterior();
    void MoveProximo();
    void MoveUltimo();
    // A tab change asked through the tab bar: refused when the deductions check refuses.
    [[nodiscard]] bool PodeTrocarFicha(int Indice);
    void FichaMudou(int Indice);

    QLabel* LbNi;
    QLabel* LbNome;
    TPruvEdit* edtNiBenef;
    TPruvEdit* edtNomeBenef;
    QToolButton* BbFirst;
    QToolButton* BbPrior;
    QToolButton* BbNext;
    QToolButton* BbLast;
    QToolButton* BbCancel;
    QTabWidget* PageControl1;
    QWidget* RendTributaveis;
    QWidget* RendIsentos;
    QWidget* TribExclusiva;
    QWidget* InformacoesPF;
    QWidget* NaturezaPJ;
    QWidget* InfComplementares;
    QWidget* InfComplementaresIN4;
    QWidget* ComprovanteVazio;
    TPruvEdit* edtTotRend;
    TPruvEdit* edtPrevOficial;
    TPruvEdit* edtPrevPrivada;
    TPruvEdit* edtPensaoAlim;
    TPruvEdit* edtImpostoRetido;
    TPruvEdit* edt65anos;
    TPruvEdit* edtDiarias;
    TPruvEdit* edtPensao;
    TPruvEdit* edtLucro;
    TPruvEdit* edtMicroempresa;
    TPruvEdit* edtPDV;
    TPruvEdit* edtIsentoOutros;
    TPruvEdit* edtIsentoTextoOutros;
    TPruvEdit* edtDecimoTerceiro;
    TPruvEdit* edtExclusivaOutros;
    TPruvGridRendParcial* grdRendimentosParciais;
    QLabel* LbParciais;
    TPruvMemo* EdtInfComplPF;
    TPruvEdit* edtNatureza;
    TPruvGridComprPJ* grdNatRendPJ;
    TPruvMemo* edtInfComplPJ;
    QLabel* lblObsIN4;
    TPruvMemo* edtInfComplIN4;
    QLabel* lblCompVazio1;
    QLabel* lblCompVazio2;
    QLabel* lblCompVazio3;
    QLabel* lblCompVazio4;

    TPruv* FPruv = nullptr;           // not owned
    TComprovante* FAtual = nullptr;   // FPF or FPJ
    std::unique_ptr<TBeneficiarioPruv> FBeneficiario;
    std::unique_ptr<TComprovantePF> FPF;
    std::unique_ptr<TComprovantePJ> FPJ;
    bool Verificado = false;
    bool DeducoesAlteradas = false;
    bool FConferindo = false;      // the deductions question is on the screen
    QString FDeducoesAceitas;      // the result and deductions last accepted with OK
    bool FFichaLiberada = false;   // a tab change the page makes itself
};
