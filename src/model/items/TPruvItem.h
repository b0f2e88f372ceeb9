#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "model/codes/TCodigoRetencao.h"
#include "model/items/TCompensacao.h"
#include "model/items/TRendimentosTributaveis.h"
#include "model/items/TSubJudice.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/values/TErro.h"

class IDeclaracao;
class TConferenciaContribuinte;
class TPruvAnexo;

// A pending item made by the checks of an item.
class EPruvItemError : public TErro {
public:
    using TErro::TErro;
};

// One line of the declaration: one beneficiary under one withholding code, with the thirteen
// monthly taxable values, the compensations by judicial decision and the values under judicial
// suspension, and the rules that decide whether those values are acceptable. Its checks never
// raise: each problem becomes one pending item in the sink they are given. Totals observe its
// values, so an item is neither copied nor moved.
class TPruvItem final {
public:
    // Where a pending item points on the screens, for items of the declaration; an annex's
    // items use the same numbers plus DeslocamentoAnexo.
    static constexpr std::uint8_t ObjetoCodigo = 18;
    static constexpr std::uint8_t ObjetoNi = 19;
    static constexpr std::uint8_t ObjetoNome = 20;
    static constexpr std::uint8_t ObjetoValores = 21;       // and every value check not below
    static constexpr std::uint8_t ObjetoCompensacao = 22;   // the rule of ADE 9/2002
    static constexpr std::uint8_t ObjetoSubJudice = 23;     // the rule of ADE 9/2002
    static constexpr std::uint8_t DeslocamentoAnexo = 8;

    // Both outlive the item; Dono is Declaracao itself or one of its annexes. The item takes the
    // declaration's sink when it has one.
    TPruvItem(IDeclaracao& Declaracao, TPruvAnexo& Dono);
    TPruvItem(const TPruvItem&) = delete;
    TPruvItem& operator=(const TPruvItem&) = delete;

    // "1" for an item of a fund or club annex, "0" for one of the declaration.
    [[nodiscard]] const QString& GetInAnexo() const { return FInAnexo; }
    // PRUV_ITEM_DK; empty while the item is not stored.
    [[nodiscard]] const QString& GetChave() const { return FChave; }
    void SetChave(const QString& Chave) { FChave = Chave; }
    // The key itself, for a walk that reads row after row into one record to write in place.
    [[nodiscard]] QString& ChaveParaLeitura() { return FChave; }

    // What a pending item or a search hit names the item by: its key, its code and its
    // beneficiary's stored number ("0000003;0561;111444777"), so that a locate takes an item only
    // when it carries the code and number named, whatever became of the key.
    [[nodiscard]] QString Identidade() const;
    [[nodiscard]] static QString Identidade(const QString& Chave, const QString& Codigo, const QString& Raiz);
    // A cleared item takes the code and beneficiary that Texto names (and no key), or the key
    // alone when the code or number is missing. False when Texto is no item's identity (a row
    // of the declaration or of a fund names none).
    bool TomaIdentidade(const QString& Texto);

    [[nodiscard]] TBeneficiarioPruv& GetBeneficiario() { return FBeneficiario; }
    [[nodiscard]] const TBeneficiarioPruv& GetBeneficiario() const { return FBeneficiario; }
    [[nodiscard]] TRendimentosTributaveis& GetValores() { return FValores; }
    [[nodiscard]] const TRendimentosTributaveis& GetValores() const { return FValores; }
    [[nodiscard]] TCompensacao& GetCompensacao() { return FCompensacao; }
    [[nodiscard]] const TCompensacao& GetCompensacao() const { return FCompensacao; }
    [[nodiscard]] TSubJudice& GetSubJudice() { return FSubJudice; }
    [[nodiscard]] const TSubJudice& GetSubJudice() const { return FSubJudice; }
    // The item's copy of its withholding-code row.
    [[nodiscard]] TCodigoRetencao& GetCodigoRetencao() { return FCodigo; }
    [[nodiscard]] const TCodigoRetencao& GetCodigoRetencao() const { return FCodigo; }
    [[nodiscard]] IDeclaracao& GetDeclaracao() const { return FDeclaracao; }
    [[nodiscard]] TPruvAnexo& GetDono() const { return FDono; }
    [[nodiscard]] TErros* Erros() const { return FErros; }

    // Empty key, every value of every month 0, beneficiary and code cleared.
    void Limpa();
    // Key, beneficiary, code and every value into Destino.
    void Copia(TPruvItem& Destino) const;
    // Stores the sink (not owned) and hands it to the beneficiary and the values.
    void SetErros(TErros* Erros);
    // The item's code becomes Codigo (which may be the item's own, after its text was changed),
    // and the item counts as changed.
    void AtribuiCodigoRetencao(const TCodigoRetencao& Codigo);

    // Tax withheld + compensations of the year + of earlier years, of month 1 to 13 (another
    // month raises std::out_of_range), and of months 1 to 12 together.
    [[nodiscard]] TMonetarioTotal& GetTotalImpostoMes(int Mes);
    [[nodiscard]] TMonetarioTotal& GetTotalImposto() { return FTotalImposto; }
    // Destino := income - deductions - tax with compensations, of the month; may be negative.
    void CalculaLiquido(int Mes, TMonetario& Destino) const;

    // Once true, stays true until SetAlterado(false); otherwise asks the beneficiary and values.
    [[nodiscard]] bool GetAlterado() const;
    void SetAlterado(bool Alterado);

    // Before a save: 3 without the owner's or the declaration's key, else the beneficiary's
    // number check, else VerificaCodigo, else VerificaTipoBeneficiario; 0 when all pass.
    [[nodiscard]] std::uint8_t Verifica();
    // 170 or 171 when a code ended by ADE 9/2002 carries values after January; else 0.
    [[nodiscard]] std::uint8_t ValoresValidos() const;
    // The code in the table of the declaration's year (116, 117), on the right side of the
    // annex flag (38, 37), and reserved to federal bodies (111). The row found is loaded into
    // the item's code, as every lookup of the table does.
    [[nodiscard]] std::uint8_t VerificaCodigo();
    // 110 for a CNPJ under a code of persons, 109 for a CPF under a code of legal entities.
    [[nodiscard]] std::uint8_t VerificaTipoBeneficiario();

    // Every check of the item, for the verification: beneficiary, code, then values. A walk
    // over many items passes one Conferencia to all of them: the beneficiary's number and name are
    // then checked once for its items that come one after another.
    void VerificaPendencias(TErros& Erros);
    void VerificaPendencias(TErros& Erros, TConferenciaContribuinte& Conferencia);
    // The value checks: the rule of ADE 9/2002, plausibility by month, admissibility of sub
    // judice values and compensations, the 13th salary, and all values zero.
    void VerificaValores(TErros& Erros) const;
    // The checks of one group of values, for the import of a delivery file: plain errors,
    // without object numbers or keys.
    void VerificaRendimentos(TErros& Erros) const;
    void VerificaSubJudice(TErros& Erros) const;
    void VerificaDeposito(TErros& Erros) const;
    void VerificaCompensacao(TErros& Erros) const;

private:
    using SomaDoMes = qint64 (TPruvItem::*)(int Mes) const;

    [[nodiscard]] std::uint8_t NumeroObjeto(std::uint8_t Objeto) const;
    void Pendencia(TErros& Erros, std::uint8_t Codigo, const QString& Parametro, TipoDialogo Tipo,
                   std::uint8_t Objeto) const;
    [[nodiscard]] QString Codigo() const { return FCodigo.GetCodigo(); }
    [[nodiscard]] QString Ni() const { return FBeneficiario.GetNiFormatado(); }
    [[nodiscard]] QString Ano() const;
    [[nodiscard]] bool PessoaFisica() const;
    [[nodiscard]] bool PessoaJuridica() const;   // strictly a CNPJ
    // The code is one that ADE 9/2002 ended after January of 2002 for this beneficiary.
    [[nodiscard]] bool RegraAde() const;
    [[nodiscard]] std::uint8_t MensagemAde() const;

    // Sums of the month's positive amounts.
    [[nodiscard]] qint64 SomaValores(int Mes) const;
    [[nodiscard]] qint64 SomaSubJudice(int Mes) const;   // with the deposit
    [[nodiscard]] qint64 SomaSubJudiceSemDeposito(int Mes) const;
    [[nodiscard]] qint64 SomaDeposito(int Mes) const;
    [[nodiscard]] qint64 SomaCompensacoes(int Mes) const;
    [[nodiscard]] qint64 ImpostoDoMes(int Mes) const;   // tax + compensations

    // VerificaTipoBeneficiario on the code already found in the table.
    [[nodiscard]] std::uint8_t TipoBeneficiarioDoCodigo() const;
    // One month's checks; Ade and Fisica are RegraAde() and PessoaFisica(), the same for every
    // month of the item and so asked once by the caller.
    void VerificaMes(TErros& Erros, int Mes, bool Ade, bool Fisica) const;
    // The months (bit m for month m) whose amounts may raise something in VerificaMes besides the
    // act's check: the others need not be checked.
    [[nodiscard]] unsigned MesesComPendencia() const;
    void VerificaAdmissibilidade(TErros& Erros) const;
    void VerificaDecimoTerceiro(TErros& Erros) const;
    void VerificaZerado(TErros& Erros) const;
    // Common parts of the import checks.
    void ListaAde(TErros& Erros, SomaDoMes Soma) const;
    void DecimoTerceiroImportacao(TErros& Erros, qint64 Soma, bool TestaBeneficiario) const;
    struct MensagensGrupo {
        std::uint8_t Ano;        // the year does not admit the group
        std::uint8_t Codigo;     // the code does not
        std::uint8_t Juridica;   // a legal entity does not
    };
    void VerificaGrupoJudicial(TErros& Erros, bool Presente, const MensagensGrupo& Mensagens, bool TestaDeducoes,
                               SomaDoMes Soma) const;

    IDeclaracao& FDeclaracao;   // not owned
    TPruvAnexo& FDono;          // not owned
    QString FInAnexo;
    QString FChave;
    TErros* FErros = nullptr;   // not owned
    TCodigoRetencao FCodigo;
    TSubJudice FSubJudice;
    TCompensacao FCompensacao;
    TRendimentosTributaveis FValores;
    TBeneficiarioPruv FBeneficiario;
    // After the values they observe, so that they go first.
    std::array<TMonetarioTotal, TSerieMensal::Meses> FTotaisMes;
    TMonetarioTotal FTotalImposto;
    mutable bool FAlterado = false;
};
