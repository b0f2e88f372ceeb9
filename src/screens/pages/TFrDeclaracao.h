#pragma once
#include <QWidget>
#include <functional>

#include "shell/window/IFrDeclaracao.h"

class QTabWidget;
class TColecaoPruv;
class TFrBeneficiarios;
class TFrComprovante;
class TFrResumo;
class TFrInformacoesPruv;
class TPruv;

// The frame the main window shows while a declaration is open: one page control with the
// declarant page, the beneficiaries page, the funds-and-clubs annex page, the summary page and the
// income-statement page. It owns no data: it hands the declaration and the stored declarations
// to its pages, opens and closes them in order, shows or hides the two optional pages, and
// answers whether the declaration may be left (the focused field, then every page's check).
class TFrDeclaracao final : public QWidget, public IFrDeclaracao {
    Q_OBJECT
public:
    static constexpr int Largura = 632;
    static constexpr int Altura = 391;

    explicit TFrDeclaracao(QWidget* pai = nullptr);
    ~TFrDeclaracao() override;

    QWidget& Controle() override { return *this; }
    void SetPruv(TPruv& Pruv) override;
    void SetColecaoPruv(TColecaoPruv& Colecao) override;
    void Prepara() override {}
    // The first page active, then the pages opened: the declarant page, the income-statement
    // page when shown, the beneficiaries page, the annex page when shown, the summary page.
    void Abre(TPosicionaCampo Posiciona) override;
    // Stops at the first refusal: the focused bound edit, grid or memo, then the declarant page,
    // the beneficiaries page, the annex page (when shown), the income-statement page (when shown).
    // False at once while a field's message waits or shows, or while a check runs (its message
    // takes the activation away, which asks again).
    bool PodeSair() override;
    // Closes the pages, hides both optional pages, hides and disables the frame.
    void Fecha() override;
    void SetSincronizarComprovante(bool Sincronizar) override;
    void MostraFundos(bool Mostra) override;
    void MostraComprovante(bool Mostra) override;

    [[nodiscard]] TPaginaDeclaracao PaginaAtiva() const override;
    [[nodiscard]] TPaginaDeclaracao PaginaAnterior() const override { return FAnterior; }
    void AtivaPagina(TPaginaDeclaracao Pagina) override;
    void SetOnChange(std::function<void()> OnChange) override { FOnChange = std::move(OnChange); }
    [[nodiscard]] QWidget& Pagina(TPaginaDeclaracao Pagina) override;
    [[nodiscard]] QWidget& PaginaControle() override;
    bool LocalizaBeneficiario(TPaginaDeclaracao Pagina, const QString& Item) override;
    [[nodiscard]] bool LocalizaFundo(const QString& Anexo) override;
    void CarregaComprovante() override;
    [[nodiscard]] bool ValidaComprovante() override;
    void AtualizaResumo() override;

    [[nodiscard]] bool MostrandoFundos() const;
    [[nodiscard]] bool MostrandoComprovante() const;
    [[nodiscard]] bool SincronizarComprovante() const { return FSincronizarComprovante; }
    // The focused control of the window that holds the frame.
    [[nodiscard]] QWidget* ControleAtivo() const;
    [[nodiscard]] TFrInformacoesPruv& Informacoes() { return *FrInformacoesPruv; }
    [[nodiscard]] TFrBeneficiarios& Beneficiarios() { return *FrBeneficiariosPruv; }
    [[nodiscard]] TFrBeneficiarios& BeneficiariosAnexo() { return *FrBeneficiariosAnexo; }
    [[nodiscard]] TFrComprovante& Comprovante() { return *FrComprovante; }

protected:
    bool eventFilter(QObject* Objeto, QEvent* Evento) override;

private:
    void PaginaMudou(int indice);
    // Shows or hides an optional page; the enabled state of its tab marks it as open.
    bool MostraPagina(TPaginaDeclaracao Pagina, bool Mostra);
    // The exit check of the page being left (false keeps the user there), and the page entered.
    bool SaiPagina(TPaginaDeclaracao Pagina);
    void EntraPagina(TPaginaDeclaracao Pagina);

    QTabWidget* PgDeclaracao;
    TFrInformacoesPruv* FrInformacoesPruv;
    TFrBeneficiarios* FrBeneficiariosPruv;
    TFrBeneficiarios* FrBeneficiariosAnexo;
    TFrResumo* FrResumo;
    TFrComprovante* FrComprovante;
    QWidget* PnEspaco;

    TPruv* Declaracao = nullptr;           // not owned
    TColecaoPruv* ColecaoPruv = nullptr;   // not owned
    std::function<void()> FOnChange;
    TPosicionaCampo FPosicionaCampo;
    bool FSincronizarComprovante = false;
    bool FAberto = false;        // page changes reach FOnChange only while open
    bool FVerificando = false;   // PodeSair runs
    bool FVoltando = false;      // a refused page change goes back
    TPaginaDeclaracao FAtual = TPaginaDeclaracao::Informacoes;
    TPaginaDeclaracao FAnterior = TPaginaDeclaracao::Informacoes;
    int FMudancas = 0;   // page changes asked of the tab bar, refused ones too
};
