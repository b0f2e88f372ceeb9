#pragma once
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/interfaces/IColecoesDeclaracao.h"
#include "model/interfaces/TNaturezas.h"
#include "model/people/TRespCnpj.h"
#include "model/people/TResponsavel.h"
#include "model/values/TErro.h"
#include "model/values/TMonetario.h"

class IVerificacao;
class TAnexoFC;
class TColecaoAnexo;
class TColecaoComprovante;

// A refused value of the declaration's own rules: year, type, special situation, nature, or a
// declarant and year already stored.
class EPruvError : public TErro {
public:
    using TErro::TErro;
};

// One annual declaration of income tax withheld at source: its calendar year, original or
// rectifying, the special situation, the declarant and its nature, the persons responsible, the
// generation date, counters, and the collections (made on first use, each opening its table) that
// hold its items, beneficiaries, withholding codes, fund annexes, income statements and summaries.
// Stored through TColecaoPruv.
//
// Setters come in two forms: the raising one throws EPruvError with the rule's message; the one
// whose name ends in SemExcecao adds the same error to the sink (SetErros) instead.
class TPruv final : public TPruvAnexo, public IColecoesDeclaracao {
public:
    // Where a pending item of the declaration points on the screens.
    static constexpr std::uint8_t ObjetoNi = 5;
    static constexpr std::uint8_t ObjetoNome = 6;
    static constexpr std::uint8_t ObjetoAno = 6;
    static constexpr std::uint8_t ObjetoNatureza = 7;
    static constexpr std::uint8_t ObjetoRespCnpj = 8;
    static constexpr std::uint8_t ObjetoTipo = 9;
    static constexpr std::uint8_t ObjetoSituacaoEspecial = 10;
    static constexpr std::uint8_t ObjetoSemItens = 18;
    // Positions in the table of all natures.
    static constexpr int NaturezaVazia = 5;
    // The nature code of an administrator of investment funds or clubs: only it has annexes.
    static constexpr std::uint8_t CodigoAdministradora = 3;

    TPruv();
    ~TPruv() override;

    // ---- owner of items ----
    TColecaoPruvItem& GetItens() override;
    // The sink of the collecting setters, given to the declarant, the responsible establishment,
    // the responsible person and the CPF responsible before the CNPJ; not owned.
    void SetErros(TErros* Erros) override;
    // Back to a new declaration: year "2002", original, no special situation, the empty nature
    // and no natures available, no key, declarant or persons, every collection let go, the sink
    // emptied.
    void Limpa() override;
    // Lets go of the items collections (its own and those of its annexes) and of every other
    // collection, closing their tables.
    void LiberaItens() override;
    [[nodiscard]] bool EhAnexo() const override { return false; }

    // ---- what items and collections ask of it ----
    [[nodiscard]] QString GetAno() const override { return FAno; }
    [[nodiscard]] QString GetTipoDeclaracao() const override { return FTipoDeclaracao; }
    [[nodiscard]] const TNatureza& GetNatureza() const override { return *FNatureza; }
    // The withholding codes of the declaration's year.
    [[nodiscard]] TColecaoCodigoRetencao& GetColecaoCodigoRetencao() override;
    [[nodiscard]] QString GetChave() const override { return TPruvAnexo::GetChave(); }
    [[nodiscard]] TErros* Erros() const override { return TPruvAnexo::Erros(); }
    [[nodiscard]] TPruvAnexo& GetDonoDeclaracao() override { return *this; }
    [[nodiscard]] TColecaoBeneficiario& GetColecaoBeneficiario() override;
    [[nodiscard]] TColecaoResumo& GetColecaoResumo() override;
    [[nodiscard]] TResumo& GetResumoTotal() override;
    void ExcluiComprovante(TBeneficiarioPruv& Beneficiario) override;

    // ---- values ----
    [[nodiscard]] const QString& GetAnoAtual() const { return FAnoAtual; }
    [[nodiscard]] bool GetSituacaoEspecial() const { return FSituacaoEspecial; }
    // Day count from 30/12/1899 with the time as fraction; 0 none.
    [[nodiscard]] double GetDataGeracao() const { return FDataGeracao; }
    [[nodiscard]] int GetNrDisquetes() const { return FNrDisquetes; }
    [[nodiscard]] int GetNrEstabelecimentos() const { return FNrEstabelecimentos; }
    // The screens' mirrors of the two counters.
    [[nodiscard]] TNumero& NrDisquetes() { return FNrDisquetesValor; }
    [[nodiscard]] TNumero& NrEstabelecimentos() { return FNrEstabelecimentosValor; }
    // The establishment responsible (CPF or CNPJ by length).
    [[nodiscard]] TNiContribuinte& GetNiEstabResponsavel() { return FNiEstabResponsavel; }
    // The CPF of the person responsible before the CNPJ.
    [[nodiscard]] TRespCnpj& GetRespCnpj() { return FRespCnpj; }
    // The person responsible for filling in.
    [[nodiscard]] TResponsavel& GetResponsavel() { return FResponsavel; }
    // All ten natures and those available for the declarant and year.
    [[nodiscard]] TNaturezas& GetNaturezas() { return FNaturezas; }
    [[nodiscard]] const TNaturezas& GetNaturezas() const { return FNaturezas; }

    // The totals of the declaration with all its annexes (made when absent). The declaration's
    // own totals are TPruvAnexo::GetResumo.
    [[nodiscard]] TResumo& GetResumo() { return GetResumoTotal(); }

    // ---- collections, each made on first use ----
    [[nodiscard]] TColecaoAnexo& GetColecaoAnexo();
    // Let go by LiberaItens and by DesfazColecoes: a reference kept across them is no longer valid.
    [[nodiscard]] TColecaoComprovante& GetColecaoComprovante();
    // After a rolled-back transaction: the beneficiary, summary and annex collections made so far
    // drop their pending edits and read again what is stored; the income-statement collections
    // are let go, to be made afresh over the tables as they now stand.
    void DesfazColecoes();

    // ---- rules: each answers a message code, 0 when good ----
    // 119 unless four digits from 1997 to 2003 (or, when allowed, blank).
    [[nodiscard]] static std::uint8_t ConfereAno(const QString& Ano, bool PermiteVazio);
    // 49 for a nature outside the codes 0 to 4, or without description (unless allowed) when more
    // than one nature is available, or whose code no available nature has.
    [[nodiscard]] std::uint8_t ConfereNatureza(const TNatureza* Natureza, bool PermiteVazio) const;
    [[nodiscard]] static std::uint8_t ConfereDataGeracao(double Data);
    // 50 unless "O" or "R".
    [[nodiscard]] static std::uint8_t ConfereTipoDeclaracao(const QString& Tipo);
    // 46: a declaration of 2003 must be of a special situation.
    [[nodiscard]] static std::uint8_t ConfereSituacaoEspecial(bool Situacao, const QString& Ano);

    // ---- setters ----
    // A refused year leaves the year empty. An accepted one gives the withholding codes its year
    // and rebuilds the available natures; the raising form also switches the special situation
    // on for a year after the current one, and a later year not after it puts back the special
    // situation that stood before (unless it was set meanwhile).
    void SetAno(const QString& Ano);
    void SetAnoSemExcecao(const QString& Ano);
    // Natureza is one of GetNaturezas().GetTodas() (anything else raises std::logic_error). The
    // raising form leaves the nature as it was; the collecting one stores it anyway.
    void SetNatureza(const TNatureza& Natureza);
    void SetNaturezaSemExcecao(const TNatureza& Natureza);
    void SetDataGeracao(double Data);
    void SetDataGeracaoSemExcecao(double Data);
    // Both leave a refused value unchanged.
    void SetTipoDeclaracao(const QString& Tipo);
    void SetTipoDeclaracaoSemExcecao(const QString& Tipo);
    void SetSituacaoEspecial(bool Situacao);
    void SetSituacaoEspecialSemExcecao(bool Situacao);
    void SetNrDisquetes(int Quantidade);
    void SetNrEstabelecimentos(int Quantidade);

    // ---- checks ----
    // The pending errors of the declaration's own fields: number (5), name (6), nature (7), year
    // (6), type (9), special situation (10).
    void VerificaDados(TErros& Erros) const;
    // The whole check, reported into the run in this order: declarant, responsible person, the
    // person responsible before the CNPJ (CNPJ declarants), beneficiaries (every item), then each
    // fund annex (administrators from 1999 on). Erros is the run's list. Verificados counts the
    // items checked. Unless the run was stopped, the own summary is recomputed from the items and
    // stored as up to date. Lets go of the items and annex collections. True when the run counted
    // no error. Bad data never raise: each fault is one pending item.
    bool Verifica(TErros& Erros, IVerificacao& Frame, int& Verificados);
    // Both summaries from the stored ones: the own one, and the total of it and of every annex's
    // (administrators only). As good as the last verification: the total is up to date only when
    // every part was. ComFundos false: the annexes' are not added up, as reading them costs as
    // much as the declaration holds; an administrator's total is then out of date.
    void CalculaResumo(bool ComFundos = true);
    // Both summaries out of date (the own one as stored too), so that they are computed again
    // before they are shown: a fund's totals left the declaration's.
    void MarcaResumoDesatualizado();
    // The natures the declarant may choose, by its kind (as the number stands) and the year; a
    // declarant without any gets the empty nature as its only one.
    void AtualizaNaturezas();

private:
    // Each annex of this declaration is here for as long as both live, so that no annex's items
    // collection outlasts the collections it uses.
    friend class TAnexoFC;
    void RegistraAnexo(TAnexoFC& Anexo) { FAnexos.push_back(&Anexo); }
    void RetiraAnexo(TAnexoFC& Anexo) { std::erase(FAnexos, &Anexo); }

    [[nodiscard]] const TNatureza& NaturezaDaTabela(const TNatureza& Natureza) const;
    // The accepted year to the code collection (when made), and the natures for it.
    void AplicaAno();
    [[nodiscard]] EPruvError Pendencia(std::uint8_t Codigo, const QString& Parametro, std::uint8_t Objeto,
                                       TipoDialogo Tipo = TipoDialogo::Erro, const QString* QuemEh = nullptr) const;
    // The fund warning (60) or error (59) of the declarant's nature against its annexes.
    void VerificaFundos(TErros& Erros);
    // The error of a declaration without items, by type and year.
    void VerificaSemItens(TErros& Erros);
    // One pending item for each item left under the fund key that is no fund of the declaration:
    // the key, the code, the beneficiary's number and name.
    void AcusaSemFundo(const QString& Chave, TErros& Erros);

    QString FAno = QStringLiteral("2002");
    TNiContribuinte FNiEstabResponsavel;
    TNaturezas FNaturezas;
    const TNatureza* FNatureza;   // an entry of FNaturezas
    TResponsavel FResponsavel;
    double FDataGeracao = 0;
    TRespCnpj FRespCnpj;
    QString FTipoDeclaracao = QStringLiteral("O");
    bool FSituacaoEspecial = false;
    // The special situation before a year after the current one switched it on; none while no
    // year forces it or once it was chosen.
    std::optional<bool> FSituacaoAntesDoAno;
    int FNrDisquetes = 0;
    int FNrEstabelecimentos = 0;
    TNumero FNrDisquetesValor;
    TNumero FNrEstabelecimentosValor;
    std::unique_ptr<TResumo> FResumoTotal;
    QString FAnoAtual = QStringLiteral("2002");
    std::vector<TAnexoFC*> FAnexos;   // not owned; before the annex collection, whose annexes leave it
    // Let go in reverse order, after the items collection (which reaches them); the summaries last.
    std::unique_ptr<TColecaoResumo> FColecaoResumo;
    std::unique_ptr<TColecaoCodigoRetencao> FColecaoCodigoRetencao;
    std::unique_ptr<TColecaoBeneficiario> FColecaoBeneficiario;
    std::unique_ptr<TColecaoComprovante> FColecaoComprovante;
    std::unique_ptr<TColecaoAnexo> FColecaoAnexo;
};
