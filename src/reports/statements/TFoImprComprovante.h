#pragma once
#include <QString>
#include <memory>

#include "model/values/TErro.h"
#include "platform/files/TArquivoTexto.h"

class TBeneficiarioPruv;
class TColecaoBeneficiario;
class TColecaoComprovante;
class TComprovante;
class TComprovantePF;
class TComprovantePJ;
class TLeiauteComprovante;
class TPruv;
class TRelatorio;

// Prints the income statements of a declaration's beneficiaries, straight from the model's
// statement objects, in the PF, PJ and IN4 layouts (TLeiauteComprovante): one statement (or, for
// a company with lines of both kinds, a PJ statement followed by an IN4 one) per beneficiary, in
// the order of the beneficiary table. A statement whose typed deductions exceed the declaration's
// is not printed: its beneficiary goes to the list file ImprComp.err (folder ErroImp of the data
// folder; "formatted number;name" per line, recreated by each job), which is then printed as the
// report of statements not printed (TFrRelCompRendNaoImp).
//
// A job runs in batches: a batch ends before the statement that would start after its last page.
// Printed, each batch is one printer job and the next starts at once with the statement that did
// not fit; previewed, each batch is one generation in the preview window, and the window's button
// for the next pages generates the next one.
class TFoImprComprovante final {
public:
    static constexpr char Nome[] = "FoImprComprovante";
    static constexpr int PaginasPorLote = 500;

    // The statements of every beneficiary (Ni empty) or of the beneficiary of that number (masked
    // or not) of the stored declaration with Declaracao's key (read into a copy of the job's own);
    // previewed or printed on the default printer. Afterwards the list of statements not printed,
    // when there is one; when nothing was printed nor listed, the warning that there are no
    // statements to issue. Nothing when a job is already running. Errors of the tables pass to
    // the caller.
    static void ImprimeComprovantes(const TPruv& Declaracao, const QString& Ni, bool Preview,
                                    int Paginas = PaginasPorLote);

    // The path of the list file.
    [[nodiscard]] static QString ArquivoNaoImpressos();

    ~TFoImprComprovante();
    TFoImprComprovante(const TFoImprComprovante&) = delete;
    TFoImprComprovante& operator=(const TFoImprComprovante&) = delete;

private:
    TFoImprComprovante(TPruv& Declaracao, int Paginas);

    // Steps of a job: the list file, the beneficiary to start at, the batches; false when the
    // list file could not be written or the printer failed (the user was told either way).
    bool Executa(const QString& Ni, bool Preview);
    bool ImprimeLotes();

    // Events of the report.
    void AntesDeGerar();
    bool PrecisaDados();
    bool ProximoComprovante();
    enum class TPreparo { Pronto, Nenhum, LoteCheio };
    // Builds the current beneficiary's statement (Monta; without it, the IN4 statement that
    // follows its company statement) and fills the layout from it.
    TPreparo PreparaComprovante(bool Monta);
    void MontaComprovante();
    void PreencheComprovante();
    void ProximasPaginas();
    bool PrecisaLinha();
    void PreencheLinha();
    void RodapePagina();
    // A monthly line of the kind being printed remains, from the current one on.
    [[nodiscard]] bool RestamLinhas() const;
    // The first line of the kind being printed from De on; the line count when none.
    [[nodiscard]] int ProximaLinha(int De) const;
    void RegistraNaoImpresso();
    void LigaEventos();

    TPruv& FDeclaracao;
    TColecaoBeneficiario& FBeneficiarios;
    TColecaoComprovante& FComprovantes;
    TErros FErrosBeneficiario;   // the beneficiary's refusals: a stored row is printed as it is
    std::unique_ptr<TBeneficiarioPruv> FBeneficiario;
    std::unique_ptr<TComprovantePF> FPF;
    std::unique_ptr<TComprovantePJ> FPJ;
    TComprovante* FAtual = nullptr;
    std::unique_ptr<TRelatorio> FRelatorio;
    std::unique_ptr<TLeiauteComprovante> FLeiaute;
    TArquivoTexto FLista;

    int FPaginasPorLote;
    bool FPrimeiro = true;
    bool FUmBeneficiario = false;
    bool FModoIN4 = false;
    int FLinha = 0;
    int FPaginaNoComprovante = 0;
    bool FPreview = false;
    bool FPreviewAtivo = false;
    bool FMaisPaginas = false;
    bool FAlgumImpresso = false;
    bool FRegistrando = true;
    int FNaoImpressos = 0;
    QString FNiSalvo;
    int FProgressoSalvo = 0;
    int FProgresso = 0;
    int FQuantidadeBeneficiarios = 0;
};
