#include "model/items/TColecaoPruvItem.h"

#include <QAnyStringView>
#include <QUtf8StringView>
#include <stdexcept>

#include "components/data/datasets/TdvTable.h"
#include "model/codes/ICodigosRetencao.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/declaration/TResumo.h"
#include "model/interfaces/IColecoesDeclaracao.h"
#include "model/items/RegrasDoItem.h"
#include "model/items/TBuscaBeneficiario.h"
#include "model/items/TColecaoJudicial.h"
#include "model/items/TLeituraItens.h"
#include "model/items/TSerieArmazenada.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/statements/TComprovante.h"
#include "model/storage/DonosDeFundo.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"
#include "model/values/TratamentoTexto.h"
#include "model/values/CodigoMensagem.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TInsercao.h"

namespace {

// Columns by position.
enum : int { cInAnexo, cDono, cChave, cDeclaracao, cCodigo, cTipo, cNumero };

constexpr int TamanhoChave = 7;
constexpr int MaiorChave = 9999999;

const TSerieArmazenada Rendimentos{[](TPruvItem& i, int m) -> TMonetario& { return i.GetValores().GetRendimento(m); },
                                   7};
const TSerieArmazenada Deducoes{[](TPruvItem& i, int m) -> TMonetario& { return i.GetValores().GetDeducao(m); }, 20};
const TSerieArmazenada Impostos{[](TPruvItem& i, int m) -> TMonetario& { return i.GetValores().GetImposto(m); }, 33};

// The same key, code and beneficiary number.
bool MesmaLinha(const TPruvItem& A, const TPruvItem& B)
{
    return A.GetChave() == B.GetChave() && A.GetCodigoRetencao().GetCodigo() == B.GetCodigoRetencao().GetCodigo()
        && A.GetBeneficiario().GetNiFormatado() == B.GetBeneficiario().GetNiFormatado();
}

bool JudicialZerado(const TPruvItem& Item)
{
    const TCompensacao& c = Item.GetCompensacao();
    const TSubJudice& s = Item.GetSubJudice();
    return c.CompensacaoAnoZerada() && c.CompensacaoAnosAnterioresZerada() && s.DepositoTotalZerado()
        && s.ImpostoZerado() && s.RendimentoZerado() && s.DeducaoZerada();
}

// JudicialZerado's answer, negated, from a new item's summary change that includes the sub
// judice kinds: compensations of both kinds, sub judice income, deductions, tax and deposits.
bool TemJudicial(const TResumo::TMudanca& Mudanca)
{
    for (std::size_t i = 3; i < Mudanca.Valores.size(); ++i)
        if (Mudanca.Valores[i] != 0)
            return true;
    return false;
}

bool MesmasSeries(const TSerieMensal& A, const TSerieMensal& B)
{
    for (int m = 1; m <= TSerieMensal::Meses; ++m)
        if (A.Mes(m).GetValor() != B.Mes(m).GetValor())
            return false;
    return true;
}

// The same sub judice values, deposits and compensations.
bool MesmoJudicial(const TPruvItem& A, const TPruvItem& B)
{
    const TSubJudice& sa = A.GetSubJudice();
    const TSubJudice& sb = B.GetSubJudice();
    const TCompensacao& ca = A.GetCompensacao();
    const TCompensacao& cb = B.GetCompensacao();
    return MesmasSeries(sa.Rendimentos(), sb.Rendimentos()) && MesmasSeries(sa.Deducoes(), sb.Deducoes())
        && MesmasSeries(sa.Impostos(), sb.Impostos()) && MesmasSeries(sa.Depositos(), sb.Depositos())
        && MesmasSeries(ca.CompensacoesAno(), cb.CompensacoesAno())
        && MesmasSeries(ca.CompensacoesAnosAnteriores(), cb.CompensacoesAnosAnteriores());
}

// The owner of the items read for an income statement: an item of the declaration or of one of
// its annexes, told by the annex flag of its row.
class TDonoDeLeitura final : public TPruvAnexo {
public:
    explicit TDonoDeLeitura(bool Anexo)
        : FAnexo(Anexo)
    {}

    TColecaoPruvItem& GetItens() override { throw std::logic_error("an item read for a statement has no collection"); }
    void SetErros(TErros* Erros) override { ArmazenaErros(Erros); }
    [[nodiscard]] bool EhAnexo() const override { return FAnexo; }

private:
    bool FAnexo;
};

}   // namespace

QString TColecaoPruvItem::NomeArquivo()
{
    return QStringLiteral("PruvItem.DB");
}

TColecaoPruvItem::TColecaoPruvItem(IColecoesDeclaracao& Declaracao, TPruvAnexo& Dono)
    : FDeclaracao(Declaracao)
    , FDono(Dono)
    , FInAnexo(Dono.EhAnexo() ? QStringLiteral("1") : QStringLiteral("0"))
    , FBeneficiarios(Declaracao.GetColecaoBeneficiario())
    , FCodigos(Declaracao.GetColecaoCodigoRetencao())
    , FItemAtual(Declaracao, Dono)
    , FItemBusca(Declaracao, Dono)
    , FItemAnterior(Declaracao, Dono)
{
    for (TPruvItem* item : {&FItemAtual, &FItemBusca, &FItemAnterior})
        item->SetErros(&FErrosInternos);
    CriaTabelaColecao(NomeArquivo());
    CriaTabelaAux(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    SelecionaIndiceAux(QString());
    AbreTabelaColecaoRestrita([this] {
        AbreTabelaAux();
        AplicaFiltro();
    });
    FJudicial = std::make_unique<TColecaoJudicial>(Dono);
}

TColecaoPruvItem::~TColecaoPruvItem()
{
    FLeitura.reset();
    FBuscaBeneficiario.reset();
    // A bulk load ends here at the latest: no batch is left open past the collection that opened
    // it, and the summary is stored up to date.
    ConcluiNoDestrutor([this] {
        if (!GetGravarEmDisco())
            SetGravarEmDisco(true);
    });
}

std::vector<TFieldDef> TColecaoPruvItem::Campos()
{
    std::vector<TFieldDef> campos = TColecaoItems::CamposChave();
    campos.push_back(CampoTexto(QStringLiteral("E_PRUV_DK"), 5));
    campos.push_back(CampoTexto(QStringLiteral("TRIB_TRIBU"), 4));
    campos.push_back(CampoTexto(QStringLiteral("E_IN_PF_PJ"), 1));
    campos.push_back(CampoTexto(QStringLiteral("E_NR_PF_PJ"), 12));
    AcrescentaColunasSerie(campos, QStringLiteral("REND_"));
    AcrescentaColunasSerie(campos, QStringLiteral("DED_"));
    AcrescentaColunasSerie(campos, QStringLiteral("IRRF_"));
    return campos;
}

std::vector<TIndexDef> TColecaoPruvItem::Indices()
{
    return {TColecaoItems::IndicePrimario(),
            {QStringLiteral("IChavePruvItem"),
             QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;TRIB_TRIBU;E_IN_PF_PJ;E_NR_PF_PJ"), 0},
            {QStringLiteral("IBenefPruvAnexo"),
             QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;E_IN_PF_PJ;E_NR_PF_PJ;TRIB_TRIBU"), 0},
            {QStringLiteral("IBenef"), QStringLiteral("E_PRUV_DK;E_IN_PF_PJ;E_NR_PF_PJ;TRIB_TRIBU"), 0},
            // The declaration's items by code, funds' included: the search and the summary's codes.
            {QStringLiteral("ICodBenefPruv"), QStringLiteral("E_PRUV_DK;TRIB_TRIBU;E_IN_PF_PJ;E_NR_PF_PJ"), 0},
            // The owners of the declaration's items: its funds' keys, one seek each.
            {QStringLiteral("IPruvDono"), QStringLiteral("E_PRUV_DK;IN_ANEXO;E_PRUV/ANEXO_DK"), 0}};
}

// ---- flags and views ----

void TColecaoPruvItem::SetGravarEmDisco(bool Gravar)
{
    const bool fimDeLote = Gravar && !GetGravarEmDisco();
    TColecao::SetGravarEmDisco(Gravar);
    FJudicial->SetGravarEmDisco(Gravar);
    FBeneficiarios.SetGravarEmDisco(Gravar);
    TColecaoResumo& resumos = FDeclaracao.GetColecaoResumo();
    if (!Gravar) {
        FDono.GetResumo().SetOK(false);
        resumos.Grava(FDono.GetResumo());
    }
    resumos.SetGravarEmDisco(Gravar);
    if (fimDeLote) {
        // Every item of the load went into the summary in memory.
        FDono.GetResumo().SetOK(true);
        resumos.Grava(FDono.GetResumo());
    }
}

void TColecaoPruvItem::SetNaoAtualizaAux(bool NaoAtualiza)
{
    TColecao::SetNaoAtualizaAux(NaoAtualiza);
    FJudicial->SetNaoAtualizaAux(NaoAtualiza);
}

void TColecaoPruvItem::SetOrdem(TOrdem Ordem)
{
    FOrdem = Ordem;
    AplicaFiltro();
}

void TColecaoPruvItem::AplicaFiltro()
{
    const QString dono = FDono.GetChave();
    if (FChaveFiltrada != dono) {
        // Another owner's items (the judicial rows follow by themselves): the count of keys and
        // the items kept were the former key's.
        FUltimaChave = -1;
        FItemAtual.Limpa();
        FItemAnterior.Limpa();
    }
    FChaveFiltrada.reset();   // until restricted: a failure leaves it to be done again
    const QStringList linhas{QStringLiteral("IN_ANEXO = ") + FInAnexo, QStringLiteral("E_PRUV/ANEXO_DK = ") + dono};
    switch (FOrdem) {
    case OrdemChave:
        RestringeTabela(Tabela(), QString(), {FInAnexo, dono, QStringLiteral("0000001")},
                        {FInAnexo, dono, QStringLiteral("9999999")}, linhas);
        break;
    case OrdemCodigo:
        RestringeTabela(Tabela(), QStringLiteral("IChavePruvItem"),
                        {FInAnexo, dono, QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("000000000")},
                        {FInAnexo, dono, QStringLiteral("9999"), QStringLiteral("9"), QStringLiteral("999999999999")},
                        linhas);
        break;
    case OrdemBeneficiario:
        RestringeTabela(Tabela(), QStringLiteral("IBenefPruvAnexo"),
                        {FInAnexo, dono, QStringLiteral("0"), QStringLiteral("000000000"), QStringLiteral("0000")},
                        {FInAnexo, dono, QStringLiteral("9"), QStringLiteral("999999999999"), QStringLiteral("9999")},
                        linhas);
        break;
    }
    SetFiltrado(true);
    FChaveFiltrada = dono;
}

void TColecaoPruvItem::ConfereDono()
{
    if (!FDono.EhAnexo())
        return;
    DonosDeFundo::ExigeFundo(*Tabela().OpenDatabase(), FDeclaracao.GetChave(), FDono.GetChave(), NomeTabela());
}

void TColecaoPruvItem::AcompanhaDono()
{
    if (FChaveFiltrada != FDono.GetChave())
        AplicaFiltro();
}

QString TColecaoPruvItem::ColunaChave()
{
    return TEsquemaTabela::Aspas(QStringLiteral("PRUV_ITEM_DK"));
}

template <typename Leitura>
auto TColecaoPruvItem::ConsultaDoDono(const QString& Expressao, const QString& Condicao, Leitura Le)
{
    TDatabase& banco = *Tabela().Database();
    TComando& comando = banco.Comando(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? AND %4 = ?%5")
                                          .arg(Expressao, TEsquemaTabela::Aspas(banco.NomeReal(Tabela().TableName())),
                                               TEsquemaTabela::Aspas(QStringLiteral("IN_ANEXO")),
                                               TEsquemaTabela::Aspas(QStringLiteral("E_PRUV/ANEXO_DK")), Condicao));
    comando.LigaTexto(1, FInAnexo);
    comando.LigaTexto(2, FDono.GetChave());
    const auto valor = Le(comando, comando.Passo() && !comando.Nulo(0));
    comando.Reinicia();
    return valor;
}

int TColecaoPruvItem::UltimaChave()
{
    const int proxima = ProximaChaveDoDono();
    return proxima - 1 > 0 ? proxima - 1 : proxima;
}

// The next free number after the highest all-digit key of the owner's rows, whatever the order
// in force. Raises EColecaoError 141 when it would pass seven digits.
int TColecaoPruvItem::ProximaChaveDoDono()
{
    qint64 maior = 0;
    try {
        const QString chave = ColunaChave();
        const QString soDigitos = QStringLiteral(" AND %1 <> '' AND %1 NOT GLOB '*[^0-9]*'").arg(chave);
        // The first row's first column, NULL (no row to take the maximum of) as 0 or "".
        const auto numero = [](const TComando& c, bool valor) { return valor ? c.Inteiro(0) : qint64{0}; };
        const QString comoNumero = QStringLiteral("max(CAST(%1 AS INTEGER))").arg(chave);
        // The last key of the primary index, found by one seek. Written by the program, a key has
        // seven digits (the column holds no more): then the last is the highest number, as no
        // shorter key of digits can pass it, and the next one, of seven digits too, can be no
        // longer key put there by other means.
        const QString ultima = ConsultaDoDono(
            QStringLiteral("max(%1)").arg(chave), {},
            [](const TComando& c, bool valor) { return valor ? c.Texto(0) : QString(); });
        if (ultima.size() == TamanhoChave && SoNumeros(ultima)) {
            maior = ultima.toLongLong();
        } else if (!ultima.isEmpty()) {
            // Another last key (letters, fewer digits): every key is read as a number. A key of
            // more digits than an integer holds reads as the largest one, past MaiorChave.
            maior = ConsultaDoDono(comoNumero, soDigitos, numero);
        }
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
    if (maior >= MaiorChave)
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada,
                            ErroRetornado(NomeTabela(), QStringLiteral("não há chave livre no campo PRUV_ITEM_DK")), 0);
    return static_cast<int>(maior + 1);
}

// ---- reading ----

namespace {

// From a column reader, or from a query's row and the position of its first column of the table.
template <typename... Origem> void LeValoresDe(TPruvItem& Item, const Origem&... Linha)
{
    const bool mantem13 = RegrasDoItem::MantemDecimoTerceiro(Item);
    LeSerie(Linha..., Rendimentos, Item, true, mantem13);
    LeSerie(Linha..., Deducoes, Item, RegrasDoItem::AdmiteDeducoes(Item), mantem13);
    LeSerie(Linha..., Impostos, Item, true, mantem13);
}

}   // namespace

void TColecaoPruvItem::LeValores(TPruvItem& Item, const TColunaMonetaria& Coluna)
{
    LeValoresDe(Item, Coluna);
}

void TColecaoPruvItem::LeValores(TPruvItem& Item, const TComando& Linha, int Inicio)
{
    LeValoresDe(Item, Linha, Inicio);
}

namespace {

// Into a row being posted or straight into a prepared insert (Destino picks GravaSerie's form).
template <typename Destino> void GravaValoresEm(Destino& Linha, TPruvItem& Item)
{
    const bool mantem13 = RegrasDoItem::MantemDecimoTerceiro(Item);
    GravaSerie(Linha, Rendimentos, Item, true, mantem13);
    GravaSerie(Linha, Deducoes, Item, RegrasDoItem::AdmiteDeducoes(Item), mantem13);
    GravaSerie(Linha, Impostos, Item, true, mantem13);
}

}   // namespace

void TColecaoPruvItem::GravaValores(TPruvItem& Item, const TGravaColuna& Coluna)
{
    GravaValoresEm(Coluna, Item);
}

void TColecaoPruvItem::GravaValores(TPruvItem& Item, TInsercao& Linha)
{
    GravaValoresEm(Linha, Item);
}

// Key, code (completed from the code table for the annex flag given), beneficiary number and the
// monthly values of the current row. The beneficiary comes before the values, whose rules ask
// its kind.
void TColecaoPruvItem::LeLinha(TPruvItem& Item, const QString& InAnexo)
{
    const TdvTable& tabela = Tabela();
    Item.SetChave(tabela.Fields(cChave)->AsString());
    TCodigoRetencao& codigo = Item.GetCodigoRetencao();
    codigo.Limpa();
    codigo.SetCodigo(tabela.Fields(cCodigo)->AsString());
    FCodigos.BuscaCodigo(codigo, InAnexo);
    Item.GetBeneficiario().SetRaizSemExcecao(tabela.Fields(cNumero)->AsString().trimmed());
    LeValores(Item, ColunasDe(tabela));
}

void TColecaoPruvItem::LeRegistro(TPruvItem& Item)
{
    const TdvTable& tabela = Tabela();
    if (tabela.Bof() && tabela.Eof()) {
        Item.Limpa();
        FItemAtual.Limpa();
        return;
    }
    if (tabela.Fields(cDeclaracao)->AsString() != FDeclaracao.GetChave())
        throw EColecaoError(CodigoMensagem::ItemDeOutraPruv, QString(), 0);
    LeLinha(Item, FInAnexo);
    FBeneficiarios.Carrega(Item.GetBeneficiario());
    FJudicial->Carrega(Item);
    Item.SetAlterado(false);
    Item.Copia(FItemAtual);
    Item.Copia(FItemAnterior);
}

void TColecaoPruvItem::LeRegistroAnterior(TPruvItem& Destino)
{
    LeLinha(Destino, FInAnexo);
    FBeneficiarios.Carrega(Destino.GetBeneficiario());
    FJudicial->Carrega(Destino);
}

bool TColecaoPruvItem::Carrega(TPruvItem& Item)
{
    const bool achou = Localiza(Item);
    if (achou)
        LeRegistro(Item);
    return achou;
}

// ---- the joined walk ----

namespace {

// Where the joined walk's select puts the columns: the item's, then the judicial row's.
int InicioJudicial()
{
    static const int inicio = static_cast<int>(TColecaoPruvItem::Campos().size());
    return inicio;
}

int ColunasJudiciais()
{
    static const int colunas = static_cast<int>(TColecaoJudicial::Campos().size());
    return colunas;
}

QString Colunas(const QString& Apelido, const std::vector<TFieldDef>& Campos)
{
    QStringList colunas;
    for (const TFieldDef& campo : Campos)
        colunas << Apelido + QLatin1Char('.') + TEsquemaTabela::Aspas(campo.Name);
    return colunas.join(QLatin1Char(','));
}

TColunaMonetaria ColunasDaLinha(const TComando& Linha, int Inicio)
{
    // SQLite reads NULL as 0: one call a column, not two, on every money column of a walk.
    return [&Linha, Inicio](int Coluna) { return Linha.Inteiro(Inicio + Coluna); };
}

}   // namespace

void TColecaoPruvItem::IniciaLeitura()
{
    FLendo = false;
    FBeneficiarioLido.Esquece();
    const QVariantList parametros{FInAnexo, FDono.GetChave()};
    if (FLeitura && FOrdemLeitura == FOrdem) {
        // Another walk of the same query (the owner may have another key): rebound, not prepared.
        try {
            FBuscaBeneficiario->SoltaLeituras();
            FLeitura->Recomeca(parametros);
            FLendo = true;
        } catch (const EDatabaseError& e) {
            throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
        }
        return;
    }
    FLeitura.reset();
    FBuscaBeneficiario.reset();
    const auto banco = Tabela().OpenDatabase();
    const auto nome = [&](const QString& arquivo) { return TEsquemaTabela::Aspas(banco->NomeReal(arquivo)); };
    // The range and order of the current view (AplicaFiltro), the key last: it makes each row unique.
    QString faixa;
    QStringList ordem;
    switch (FOrdem) {
    case OrdemCodigo:
        faixa = QStringLiteral("(i.TRIB_TRIBU,i.E_IN_PF_PJ,i.E_NR_PF_PJ) BETWEEN ('0000','0','000000000') AND "
                               "('9999','9','999999999999')");
        ordem = QStringList{QStringLiteral("i.TRIB_TRIBU"), QStringLiteral("i.E_IN_PF_PJ"),
                            QStringLiteral("i.E_NR_PF_PJ")};
        break;
    case OrdemBeneficiario:
        faixa = QStringLiteral("(i.E_IN_PF_PJ,i.E_NR_PF_PJ,i.TRIB_TRIBU) BETWEEN ('0','000000000','0000') AND "
                               "('9','999999999999','9999')");
        ordem = QStringList{QStringLiteral("i.E_IN_PF_PJ"), QStringLiteral("i.E_NR_PF_PJ"),
                            QStringLiteral("i.TRIB_TRIBU")};
        break;
    default:
        faixa = QStringLiteral("i.PRUV_ITEM_DK BETWEEN '0000001' AND '9999999'");
        break;
    }
    ordem << QStringLiteral("i.PRUV_ITEM_DK");
    const std::vector<int> posicoes = FOrdem == OrdemCodigo ? std::vector<int>{cCodigo, cTipo, cNumero, cChave}
        : FOrdem == OrdemBeneficiario                       ? std::vector<int>{cTipo, cNumero, cCodigo, cChave}
                                                            : std::vector<int>{cChave};
    // The beneficiary is looked up apart (TBuscaBeneficiario), once for the items of one
    // beneficiary that come in a row, where a join would look it up for each item.
    // The columns' lists, made once: a walk is set up for each owner.
    static const QString colunasItens = Colunas(QStringLiteral("i"), Campos());
    static const QString colunasJudiciais = Colunas(QStringLiteral("j"), TColecaoJudicial::Campos());
    const QString selecao =
        QStringLiteral("SELECT %1,%2 FROM %3 i "
                       "LEFT JOIN %4 j ON j.IN_ANEXO = i.IN_ANEXO AND j.\"E_PRUV/ANEXO_DK\" = i.\"E_PRUV/ANEXO_DK\" "
                       "AND j.PRUV_ITEM_DK = i.PRUV_ITEM_DK "
                       "WHERE i.IN_ANEXO = ?1 AND i.\"E_PRUV/ANEXO_DK\" = ?2 AND %5")
            .arg(colunasItens, colunasJudiciais, nome(NomeArquivo()), nome(TColecaoJudicial::NomeArquivo()), faixa);
    try {
        FLeitura = std::make_unique<TLeituraItens>(banco, selecao, parametros, ordem, posicoes);
        FBuscaBeneficiario = std::make_unique<TBuscaBeneficiario>(
            banco, banco->NomeReal(TColecaoBeneficiario::NomeArquivo()), FDeclaracao.GetChave());
        FOrdemLeitura = FOrdem;
        FLendo = true;
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
}

bool TColecaoPruvItem::LeProximo(TPruvItem& Item)
{
    if (!FLendo)
        return false;
    try {
        if (!FLeitura->Proxima())
            return false;
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
    // As LeRegistro: the item's row, then its beneficiary, then its judicial values.
    const TComando& linha = FLeitura->Linha();
    // Compared in place: a text made of the column only to compare would cost an allocation a row.
    if (!QAnyStringView::equal(QUtf8StringView(linha.Bytes(cDeclaracao)), FDeclaracao.GetChave()))
        throw EColecaoError(CodigoMensagem::ItemDeOutraPruv, QString(), 0);
    linha.Texto(cChave, Item.ChaveParaLeitura());
    FCodigos.BuscaCodigoLido(Item.GetCodigoRetencao(), linha.Bytes(cCodigo), FInAnexo);
    TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    const TBeneficiarioLido::TColunas colunasBeneficiario = FBuscaBeneficiario->Colunas(linha.Bytes(cTipo),
                                                                                        linha.Bytes(cNumero));
    // The items of one beneficiary come in a row: it is loaded once for them, unless it was
    // changed since or its row differs. Its number's and name's faults are then reported once for
    // the run, where loading it again would report them on each item (a walk's sink is nobody's
    // to show; verification reports each item's own pending items).
    const bool mesmoBeneficiario = FBeneficiarioLido.Mantem(beneficiario, colunasBeneficiario);
    if (!mesmoBeneficiario) {
        FBeneficiarioLido.Esquece();
        beneficiario.SetRaizSemExcecao(linha.Texto(cNumero).trimmed());
    }
    LeValores(Item, linha, 0);
    if (mesmoBeneficiario) {
        LeJudicial(Item, linha);
        Item.SetAlterado(false);
        return true;
    }

    const QString tipo = beneficiario.TipoArmazenado();
    const bool temBeneficiario = colunasBeneficiario[0].data() != nullptr;
    const QString raiz = temBeneficiario ? QString::fromUtf8(colunasBeneficiario[1])
                                         : QString();   // read once: asked for every item
    if (temBeneficiario && QString::fromUtf8(colunasBeneficiario[0]) == tipo && raiz == beneficiario.GetRaiz()) {
        const QString numero = raiz.left(tipo == QLatin1String("1") ? 9 : 12);
        if (numero != beneficiario.GetRaiz())
            beneficiario.SetRaizSemExcecao(numero);
        beneficiario.Nome().SetNomeSemExcecao(QString::fromUtf8(colunasBeneficiario[2]));
        FBeneficiarioLido.Registra(beneficiario, colunasBeneficiario);
        LeJudicial(Item, linha);
    } else {
        // Not the row the keyed search would find: the collection's own search decides. The
        // judicial values are taken first, as that search may let the walk's row go.
        std::vector<qint64> judicial;
        const bool temJudicial = !linha.Nulo(InicioJudicial() + cChave);
        if (temJudicial)
            for (int c = 0; c < ColunasJudiciais(); ++c)
                judicial.push_back(ColunasDaLinha(linha, InicioJudicial())(c));
        FBeneficiarios.Carrega(beneficiario);
        if (temJudicial)
            TColecaoJudicial::LeValoresDe(
                [&judicial](int Coluna) { return judicial[static_cast<std::size_t>(Coluna)]; }, Item);
        else
            FJudicial->LimpaValores(Item);
    }
    Item.SetAlterado(false);
    return true;
}

void TColecaoPruvItem::LeJudicial(TPruvItem& Item, const TComando& Linha)
{
    if (!Linha.Nulo(InicioJudicial() + cChave))
        TColecaoJudicial::LeValoresDe(Linha, InicioJudicial(), Item);
    else
        FJudicial->LimpaValores(Item);
}

void TColecaoPruvItem::EncerraLeitura()
{
    // The statements stay prepared for the next walk; only the reading goes.
    FLendo = false;
    if (FLeitura) {
        FLeitura->SoltaLeituras();
        FBuscaBeneficiario->SoltaLeituras();
    }
    FBeneficiarioLido.Esquece();
}

void TColecaoPruvItem::CarregaBeneficiario(TPruvItem& Item)
{
    FBeneficiarios.Carrega(Item.GetBeneficiario());
}

// ---- finding ----

void TColecaoPruvItem::SelecionaIndiceLocaliza(const QString& Nome)
{
    if (TabelaAux()->IndexName() != Nome)
        SelecionaIndiceAux(Nome);
}

bool TColecaoPruvItem::Localiza(TPruvItem& Item)
{
    AcompanhaDono();
    // The lookup table carries no range or filter.
    TdvTable& aux = *TabelaAux();
    const QString& chave = Item.GetChave();
    if (!chave.isEmpty() && chave > QLatin1String("0000000")) {
        SelecionaIndiceLocaliza(QString());
        if (!aux.FindKey({FInAnexo, FDono.GetChave(), chave}))
            return false;
        PosicionaEm(chave, aux.Fields(cCodigo)->AsString(), aux.Fields(cTipo)->AsString(),
                    aux.Fields(cNumero)->AsString());
        return true;
    }
    const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    if (beneficiario.GetNiFormatado().isEmpty())
        return false;
    SelecionaIndiceLocaliza(QStringLiteral("IChavePruvItem"));
    if (!aux.FindKey({FInAnexo, FDono.GetChave(), Item.GetCodigoRetencao().GetCodigo(), beneficiario.TipoArmazenado(),
                      beneficiario.GetRaiz()}))
        return false;
    Item.SetChave(aux.Fields(cChave)->AsString());
    Posiciona(Item);
    return true;
}

bool TColecaoPruvItem::Posiciona(const TPruvItem& Item)
{
    const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    return PosicionaEm(Item.GetChave(), Item.GetCodigoRetencao().GetCodigo(), beneficiario.TipoArmazenado(),
                       beneficiario.GetRaiz());
}

bool TColecaoPruvItem::PosicionaEm(const QString& Chave, const QString& Codigo, const QString& Tipo,
                                   const QString& Numero)
{
    const QString& dono = FDono.GetChave();
    switch (FOrdem) {
    case OrdemCodigo:
        return Tabela().FindKey({FInAnexo, dono, Codigo, Tipo, Numero});
    case OrdemBeneficiario:
        return Tabela().FindKey({FInAnexo, dono, Tipo, Numero, Codigo});
    default:
        return Tabela().FindKey({FInAnexo, dono, Chave});
    }
}

bool TColecaoPruvItem::PossuiItensBeneficiario(const TBeneficiarioPruv& Beneficiario)
{
    // On the lookup table, so that the owner's view stays as it is.
    TdvTable& aux = *TabelaAux();
    const QString chave = FDeclaracao.GetChave();
    const QString tipo = Beneficiario.TipoArmazenado();
    const QString numero = Beneficiario.GetRaiz();
    SelecionaIndiceLocaliza(QStringLiteral("IBenef"));
    aux.FindNearest({chave, tipo, numero});
    return !(aux.Bof() && aux.Eof()) && aux.Fields(cDeclaracao)->AsString() == chave
        && aux.Fields(cTipo)->AsString() == tipo && aux.Fields(cNumero)->AsString() == numero;
}

void TColecaoPruvItem::FiltraBeneficiario(const TBeneficiarioPruv& Beneficiario)
{
    const QString chave = FDeclaracao.GetChave();
    const QString tipo = Beneficiario.TipoArmazenado();
    const QString numero = Beneficiario.GetRaiz();
    RestringeTabela(Tabela(), QStringLiteral("IBenef"), {chave, tipo, numero, QStringLiteral("0000")},
                    {chave, tipo, numero, QStringLiteral("9999")},
                    {QStringLiteral("E_PRUV_DK = ") + chave, QStringLiteral("E_IN_PF_PJ = ") + tipo,
                     QStringLiteral("E_NR_PF_PJ = ") + numero});
    SetFiltrado(true);
}

void TColecaoPruvItem::FiltraPorCodigo(const QString& ChaveDeclaracao, const QString& Tipo, const QString& Numero,
                                       TdvTable& Tabela)
{
    SelecionaIndiceTabela(Tabela, QStringLiteral("IBenef"));
    Tabela.SetRange({ChaveDeclaracao, Tipo, Numero, QStringLiteral("0000")},
                    {ChaveDeclaracao, Tipo, Numero, QStringLiteral("9999")});
}

// ---- writing ----

void TColecaoPruvItem::Novo(TPruvItem& Item)
{
    AcompanhaDono();
    AvancaChave(Item);
    Tabela().Append();
}

void TColecaoPruvItem::SaltaChaveTomada(TPruvItem& Item)
{
    FUltimaChave = ProximaChaveDoDono();
    Item.SetChave(ZerosAEsquerda(FUltimaChave, TamanhoChave));
}

void TColecaoPruvItem::AvancaChave(TPruvItem& Item)
{
    if (FUltimaChave > 1 && FUltimaChave < MaiorChave) {
        ++FUltimaChave;
    } else {
        AplicaFiltro();
        FUltimaChave = ProximaChaveDoDono();
    }
    Item.SetChave(ZerosAEsquerda(FUltimaChave, TamanhoChave));
}

void TColecaoPruvItem::EmTransacao(const std::function<void()>& Acao)
{
    const int ultimaChave = FUltimaChave;
    TResumo resumoDono(nullptr);
    TResumo resumoTotal(nullptr);
    FDono.GetResumo().Copia(resumoDono);
    FDeclaracao.GetResumoTotal().Copia(resumoTotal);
    ::EmTransacao(*Tabela().OpenDatabase(), NomeTabela(), Acao, [&] {
        FUltimaChave = ultimaChave;
        resumoDono.Copia(FDono.GetResumo());
        resumoTotal.Copia(FDeclaracao.GetResumoTotal());
        Desfaz();
    });
}

void TColecaoPruvItem::Desfaz()
{
    // The failure being reported matters more than one of these.
    const auto passo = [](auto&& acao) {
        try {
            acao();
        } catch (const std::exception& e) {
            qCritical("%s", e.what());
        }
    };
    passo([&] { DescartaEdicao(Tabela()); });
    passo([&] { DescartaEdicao(*TabelaAux()); });
    passo([&] { FJudicial->Desfaz(); });
    passo([&] { FBeneficiarios.Desfaz(); });
    passo([&] { FDeclaracao.GetColecaoResumo().Desfaz(); });
}

std::uint8_t TColecaoPruvItem::Salva(TPruvItem& Item)
{
    if (FDeclaracao.GetChave().isEmpty() || FDono.GetChave().isEmpty() || Item.GetCodigoRetencao().GetCodigo().isEmpty()
        || Item.GetBeneficiario().GetNiFormatado().isEmpty())
        return NadaGravado;
    ConfereDono();
    AcompanhaDono();
    if (GetNaoAtualizaAux() && !GetGravarEmDisco())
        return SalvaDireto(Item);
    const QString chave = Item.GetChave();
    const QString chaveAtual = FItemAtual.GetChave();
    std::uint8_t resultado = NadaGravado;
    try {
        EmTransacao([&] { resultado = GravaItem(Item); });
    } catch (...) {
        Item.SetChave(chave);
        if (FItemAtual.GetChave() != chaveAtual)
            FItemAtual.Limpa();   // it took the item's new key, which is not stored
        throw;
    }
    return resultado;
}

std::uint8_t TColecaoPruvItem::SalvaDireto(TPruvItem& Item)
{
    const QString chave = Item.GetChave();
    const int ultimaChave = FUltimaChave;
    // Inside a transaction of the caller's besides the load's own, a failure undoes the whole
    // load: the item needs no savepoint of its own.
    if (!FInsercao) {
        try {
            FInsercao = std::make_unique<TInsercao>(Tabela().OpenDatabase(), NomeArquivo(), Campos());
        } catch (const EDatabaseError& e) {
            throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
        }
    }
    const bool indivisivel = FInsercao->Banco().ProfundidadeTransacao() > 1;
    try {
        if (indivisivel)
            InsereDireto(Item);
        else
            EmTransacao([&] { InsereDireto(Item); });
    } catch (...) {
        Item.SetChave(chave);
        if (indivisivel) {
            FUltimaChave = ultimaChave;
            Desfaz();
        }
        throw;
    }
    return Inserido;
}

// GravaItem's insert, as it goes when nothing is looked up: beneficiary, item row, judicial row,
// summaries; each row bound straight from the item by a prepared INSERT (FInsercao, made by
// SalvaDireto).
void TColecaoPruvItem::InsereDireto(TPruvItem& Item)
{
    FBeneficiarios.GravaRegistroDireto(Item.GetBeneficiario());
    // No item stands loaded while a bulk load goes on: each one is new, with nothing before it.
    for (TPruvItem* item : {&FItemAtual, &FItemAnterior})
        if (!item->GetChave().isEmpty())
            item->Limpa();
    AvancaChave(Item);
    try {
        TInsercao& linha = *FInsercao;
        const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
        linha.Texto(cInAnexo, FInAnexo);
        linha.Texto(cDono, FDono.GetChave());
        linha.Texto(cChave, Item.GetChave());
        linha.Texto(cDeclaracao, FDeclaracao.GetChave());
        linha.Texto(cCodigo, Item.GetCodigoRetencao().GetCodigo());
        linha.Texto(cTipo, beneficiario.TipoArmazenado());
        linha.Texto(cNumero, beneficiario.GetRaiz());
        GravaValores(Item, linha);
        try {
            linha.Grava();
        } catch (const EDatabaseError& e) {
            // As GravaLinha: a key another collection of the same owner took meanwhile.
            if (!ViolacaoDeChave(e))
                throw;
            SaltaChaveTomada(Item);
            linha.Texto(cChave, Item.GetChave());
            linha.Grava();
        }
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
    // What the new item adds to the summaries, worked out first: its sums also tell whether it
    // has judicial values (a kind adds 0 exactly when no month of it is above 0).
    const TResumo::TMudanca mudanca = TResumo::Mudanca(nullptr, Item);
    // As GravaJudicial with nothing stored before: a row only for values that are not all zero.
    if (RegrasDoItem::AdmiteJudicial(Item) && (mudanca.SubJudice ? TemJudicial(mudanca) : !JudicialZerado(Item)))
        FJudicial->InsereDireto(Item);
    FDono.GetResumo().Aplica(mudanca);
    FDeclaracao.GetResumoTotal().Aplica(mudanca);
    Item.SetAlterado(false);
}

std::uint8_t TColecaoPruvItem::Substitui(TPruvItem& Item)
{
    if (FDeclaracao.GetChave().isEmpty() || FDono.GetChave().isEmpty() || Item.GetCodigoRetencao().GetCodigo().isEmpty()
        || Item.GetBeneficiario().GetNiFormatado().isEmpty())
        return NadaGravado;
    ConfereDono();
    AcompanhaDono();
    const QString chave = Item.GetChave();
    std::uint8_t resultado = NadaGravado;
    try {
        EmTransacao([&] {
            FItemBusca.SetChave(QString());
            FItemBusca.GetCodigoRetencao() = Item.GetCodigoRetencao();
            Item.GetBeneficiario().AtribuiA(FItemBusca.GetBeneficiario());
            if (Localiza(FItemBusca) && FItemBusca.GetChave() != Item.GetChave()) {
                LeRegistroAnterior(FItemBusca);
                ExcluiItem(FItemBusca, true);
            }
            resultado = GravaItem(Item);
        });
    } catch (...) {
        Item.SetChave(chave);
        throw;
    }
    return resultado;
}

std::uint8_t TColecaoPruvItem::GravaItem(TPruvItem& Item)
{
    FBeneficiarios.GravaRegistro(Item.GetBeneficiario());

    TdvTable& tabela = Tabela();
    std::uint8_t resultado = Inserido;
    if (GetNaoAtualizaAux() || !Localiza(Item)) {
        FItemAnterior.Limpa();
        Novo(Item);
        tabela.Fields(cChave)->SetAsString(Item.GetChave());
        Item.Copia(FItemAtual);
    } else {
        resultado = Atualizado;
        if (!FSubstituiExistente)
            return resultado;
        LeRegistroAnterior(FItemAnterior);
        if (MudouCodigoOuBeneficiario(Item))
            ConfereDuplicado(Item);
    }

    tabela.Edit();
    tabela.Fields(cInAnexo)->SetAsString(FInAnexo);
    tabela.Fields(cDono)->SetAsString(FDono.GetChave());
    tabela.Fields(cCodigo)->SetAsString(Item.GetCodigoRetencao().GetCodigo());
    tabela.Fields(cTipo)->SetAsString(Item.GetBeneficiario().TipoArmazenado());
    tabela.Fields(cNumero)->SetAsString(Item.GetBeneficiario().GetRaiz());
    tabela.Fields(cDeclaracao)->SetAsString(FDeclaracao.GetChave());
    GravaValores(Item, ColunasPara(tabela));
    GravaLinha(Item, resultado == Inserido);
    if (!GetNaoAtualizaAux())
        TabelaAux()->Refresh();

    // Moved to another beneficiary: the old one goes when nothing refers to it any more.
    if (Item.GetBeneficiario().GetNiFormatado() != FItemAnterior.GetBeneficiario().GetNiFormatado()
        && !FItemAnterior.GetChave().isEmpty()) {
        EliminaBeneficiario(FItemAnterior.GetBeneficiario().GetNiFormatado());
        AplicaFiltro();
        Posiciona(Item);
    }

    if (FDeclaracao.GetAno() >= QLatin1String("2000"))
        GravaJudicial(Item, resultado == Inserido);
    AcumulaResumos(&FItemAnterior, Item);
    if (GetGravarEmDisco())
        FDeclaracao.GetColecaoResumo().Grava(FDono.GetResumo());

    Item.Copia(FItemAnterior);
    Item.SetAlterado(false);
    return resultado;
}

// Posts the item's row. A new row whose key another collection of the same owner took meanwhile
// gets the next key after the table's highest, once.
void TColecaoPruvItem::GravaLinha(TPruvItem& Item, bool Nova)
{
    TdvTable& tabela = Tabela();
    if (Nova) {
        try {
            tabela.Post();
        } catch (const EDatabaseError& e) {
            if (!ViolacaoDeChave(e))
                throw;
            SaltaChaveTomada(Item);
            FItemAtual.SetChave(Item.GetChave());
            tabela.Fields(cChave)->SetAsString(Item.GetChave());
        }
    }
    Grava();
}

// The item's code or beneficiary differs from its stored row's, or from the item last loaded or
// saved.
bool TColecaoPruvItem::MudouCodigoOuBeneficiario(const TPruvItem& Item) const
{
    const auto difere = [&](const TPruvItem& Outro) {
        return Outro.GetCodigoRetencao().GetCodigo() != Item.GetCodigoRetencao().GetCodigo()
            || Outro.GetBeneficiario().GetNiFormatado() != Item.GetBeneficiario().GetNiFormatado();
    };
    return difere(FItemAnterior) || (!FItemAtual.GetChave().isEmpty() && !MesmaLinha(FItemAtual, Item));
}

// Another item of the owner with the item's code and beneficiary refuses the save (76). Either
// way the item's own row is current afterwards.
void TColecaoPruvItem::ConfereDuplicado(const TPruvItem& Item)
{
    FItemBusca.SetChave(QString());
    FItemBusca.GetCodigoRetencao() = Item.GetCodigoRetencao();
    Item.GetBeneficiario().AtribuiA(FItemBusca.GetBeneficiario());
    if (Localiza(FItemBusca) && FItemBusca.GetChave() == Item.GetChave())
        return;   // its own row, now current
    const bool duplicado = !FItemBusca.GetChave().isEmpty();
    AplicaFiltro();
    if (!Posiciona(FItemAnterior))
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada,
                            ErroRetornado(NomeTabela(), QStringLiteral("Record/key deleted.")), 0);
    if (duplicado)
        throw EColecaoError(CodigoMensagem::BeneficiarioExistente,
                            Item.GetBeneficiario().GetNiFormatado() + QLatin1Char(';')
                                + Item.GetCodigoRetencao().GetCodigo(),
                            TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0);
}

// A new item takes nothing of a row found at its key: a file may keep the row of an item deleted
// without it.
void TColecaoPruvItem::GravaJudicial(TPruvItem& Item, bool Novo)
{
    if (Item.GetCodigoRetencao().GetSubJudice()) {
        // Also an item filled anew over a stored one (an import that replaces it) whose values
        // differ from the stored row's, though nothing in it reports a change.
        if (!Novo && !Item.GetCompensacao().GetAlterado() && !Item.GetSubJudice().GetAlterado()
            && MesmoJudicial(Item, FItemAnterior))
            return;
        if (JudicialZerado(Item))
            FJudicial->Exclui(Item);
        else
            FJudicial->GravaValores(Item);
    } else if (Novo) {
        FJudicial->Exclui(Item);
    } else if (!MesmaLinha(Item, FItemAtual) || !MesmaLinha(Item, FItemAnterior)) {
        // Also when only the stored row's code or beneficiary differs: the row goes with them.
        Item.GetCompensacao().Limpa();
        Item.GetSubJudice().Limpa();
        Item.GetCompensacao().SetAlterado(true);
        Item.GetSubJudice().SetAlterado(true);
        FJudicial->Exclui(Item);
    }
}

void TColecaoPruvItem::AcumulaResumos(const TPruvItem* Anterior, const TPruvItem& Novo)
{
    // The owner's stored row is its one truth: another copy of the owner (the fund page's, a
    // recomputation's) may have moved it since this one was read. A bulk load keeps its own.
    if (GetGravarEmDisco())
        FDeclaracao.GetColecaoResumo().Carrega(FDono.GetResumo());
    const TResumo::TMudanca mudanca = TResumo::Mudanca(Anterior, Novo);
    FDono.GetResumo().Aplica(mudanca);
    FDeclaracao.GetResumoTotal().Aplica(mudanca);
}

void TColecaoPruvItem::EliminaBeneficiario(const QString& NiFormatado)
{
    // Only the number matters here: its faults were reported when it was stored.
    TErros erros;
    TBeneficiarioPruv beneficiario(&FDeclaracao);
    beneficiario.SetErros(&erros);
    beneficiario.SetNiSemExcecao(NiFormatado);
    FBeneficiarios.EliminaSemItens(beneficiario);
}

void TColecaoPruvItem::Exclui(TPruvItem& Item)
{
    // Kept to give the caller its item back when the deletion fails.
    TPruvItem guardado(FDeclaracao, FDono);
    TErros erros;
    guardado.SetErros(&erros);
    Item.Copia(guardado);
    try {
        EmTransacao([&] {
            ExcluiItem(Item, false);
            Grava();
            if (!GetNaoAtualizaAux())
                TabelaAux()->Refresh();
        });
    } catch (...) {
        guardado.Copia(Item);
        throw;
    }
}

// Substituicao: the item gives way to another of the same code and beneficiary, which keeps the
// beneficiary and takes the item's place.
void TColecaoPruvItem::ExcluiItem(TPruvItem& Item, bool Substituicao)
{
    if (!Localiza(Item))
        return;
    FJudicial->Exclui(Item);
    TColecao::Exclui();
    FItemAnterior.Limpa();
    AcumulaResumos(&Item, FItemAnterior);
    FDeclaracao.GetColecaoResumo().Grava(FDono.GetResumo());
    if (Substituicao)
        return;
    const QString ni = Item.GetBeneficiario().GetNiFormatado();
    LeRegistro(Item);
    EliminaBeneficiario(ni);
    AplicaFiltro();
    Posiciona(Item);
}

void TColecaoPruvItem::ExcluiTodos()
{
    EmTransacao([&] {
        AplicaFiltro();
        ExcluiLinhas(*this);
        if (!GetNaoAtualizaAux())
            TabelaAux()->Refresh();
        FJudicial->ExcluiTodos();
    });
}

// ---- income statements ----

void TColecaoPruvItem::AcumulaComprovante(TComprovante& Comprovante)
{
    Comprovante.AdicionaItens(*this);
}

// The row's item as a statement takes it: code for the row's annex flag, key, values and the
// judicial values of the row's owner.
void TColecaoPruvItem::LeItemComprovante(TPruvItem& Item)
{
    const TdvTable& tabela = Tabela();
    const QString inAnexo = tabela.Fields(cInAnexo)->AsString();
    const QString dono = tabela.Fields(cDono)->AsString();
    Item.GetDono().SetChave(dono);
    LeLinha(Item, inAnexo);
    FJudicial->CarregaDe(Item, inAnexo, dono);
}

void TColecaoPruvItem::ParaCadaItem(const TBeneficiarioPruv& Beneficiario,
                                    const std::function<void(const TPruvItem&)>& Visita)
{
    TErros erros;
    TDonoDeLeitura donoDeclaracao(false);
    TDonoDeLeitura donoAnexo(true);
    TPruvItem itemDeclaracao(FDeclaracao, donoDeclaracao);
    TPruvItem itemAnexo(FDeclaracao, donoAnexo);
    for (TPruvItem* item : {&itemDeclaracao, &itemAnexo}) {
        item->SetErros(&erros);
        Beneficiario.AtribuiA(item->GetBeneficiario());
    }
    FiltraBeneficiario(Beneficiario);
    try {
        Primeiro();
        while (!Eof()) {
            TPruvItem& item = Tabela().Fields(cInAnexo)->AsString() == QLatin1String("1") ? itemAnexo : itemDeclaracao;
            LeItemComprovante(item);
            Visita(item);
            Proximo();
        }
    } catch (...) {
        AplicaFiltro();
        throw;
    }
    AplicaFiltro();
}
