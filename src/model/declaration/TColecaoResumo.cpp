#include "model/declaration/TColecaoResumo.h"

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/storage/DonosDeFundo.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"
#include "model/values/CodigoMensagem.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace {

// Columns by position.
enum : int {
    cDeclaracao,
    cInAnexo,
    cDono,
    cNumero,
    cNome,
    cPrimeiroValor,
    cOK = cPrimeiroValor + TResumo::QuantidadeValores
};

const char* const NomesValores[TResumo::QuantidadeValores] = {
    "TOT_BENEF",   "TOT_REND",        "TOT_DED",        "TOT_IRRF",        "TOT_ANO_ATU",
    "TOT_ANO_ANT", "TOT_REND_SUBJUD", "TOT_DED_SUBJUD", "TOT_IRRF_SUBJUD", "TOT_DEP_SUBJUD",
};

QString InAnexo(const TResumo& Resumo)
{
    return Resumo.GetDono() && Resumo.GetDono()->EhAnexo() ? QStringLiteral("1") : QStringLiteral("0");
}

QString ChaveDono(const TResumo& Resumo)
{
    return Resumo.GetDono() ? Resumo.GetDono()->GetChave() : QString();
}

// The declaration's rows: its own and its annexes'.
void RestringeADeclaracao(TdvTable& Tabela, const QString& Chave, const QString& Indice)
{
    RestringeTabela(Tabela, Indice, {Chave, QStringLiteral("0"), QStringLiteral("000000000")},
                    {Chave, QStringLiteral("1"), QStringLiteral("999999999999")},
                    {QStringLiteral("E_PRUV_DK = ") + Chave});
}

}   // namespace

QString TColecaoResumo::NomeArquivo()
{
    return QStringLiteral("Resumo.db");
}

TColecaoResumo::TColecaoResumo(IDeclaracao& Declaracao)
    : FDeclaracao(Declaracao)
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecaoRestrita([this] { AplicaFiltro(); });
}

TColecaoResumo::~TColecaoResumo() = default;

std::vector<TFieldDef> TColecaoResumo::Campos()
{
    std::vector<TFieldDef> campos{
        CampoTexto(QStringLiteral("E_PRUV_DK"), 5),       CampoTexto(QStringLiteral("IN_ANEXO"), 1),
        CampoTexto(QStringLiteral("E_PRUV/ANEXO_DK"), 5), CampoTexto(QStringLiteral("NR_PF_PJ"), 12),
        CampoTexto(QStringLiteral("NM_EMPR"), 60),
    };
    // The count of items in whole units; the model keeps it on the money scale.
    campos.push_back({QLatin1String(NomesValores[0]), ftInteger, 0, false});
    for (int i = 1; i < TResumo::QuantidadeValores; ++i)
        campos.push_back(CampoMonetario(QLatin1String(NomesValores[i])));
    campos.push_back({QStringLiteral("OK"), ftBoolean, 0, false});
    return campos;
}

std::vector<TIndexDef> TColecaoResumo::Indices()
{
    return {{QString(), QStringLiteral("E_PRUV_DK;IN_ANEXO;E_PRUV/ANEXO_DK"), TIndexOption::ixPrimary},
            {QStringLiteral("IPruv"), QStringLiteral("E_PRUV_DK;IN_ANEXO;NR_PF_PJ"), 0}};
}

void TColecaoResumo::AplicaFiltro()
{
    const QString chave = FDeclaracao.GetChave();
    FChaveFiltrada.reset();   // until restricted: a failure leaves it to be done again
    RestringeADeclaracao(Tabela(), chave, QString());
    SetFiltrado(true);
    FChaveFiltrada = chave;
}

void TColecaoResumo::AcompanhaDeclaracao()
{
    if (FChaveFiltrada != FDeclaracao.GetChave())
        AplicaFiltro();
}

void TColecaoResumo::Filtra(const IDeclaracao& Declaracao, TdvTable& Tabela)
{
    RestringeADeclaracao(Tabela, Declaracao.GetChave(), QStringLiteral("IPruv"));
}

bool TColecaoResumo::Localiza(const TResumo& Resumo)
{
    return Tabela().FindKey({FDeclaracao.GetChave(), InAnexo(Resumo), ChaveDono(Resumo)});
}

void TColecaoResumo::LeRegistro(TResumo& Resumo)
{
    TdvTable& tabela = Tabela();
    if (tabela.Bof() && tabela.Eof()) {
        Limpa(Resumo);
        return;
    }
    if (tabela.Fields(cDeclaracao)->AsString() != FDeclaracao.GetChave())
        throw EColecaoError(CodigoMensagem::ResumoDeOutraPruv, QString(), 0);
    for (int i = 0; i < TResumo::QuantidadeValores; ++i)
        Resumo.Valor(i).SetValor(LeMonetario(tabela, cPrimeiroValor + i));
    Resumo.SetOK(tabela.Fields(cOK)->AsBoolean());
}

void TColecaoResumo::Limpa(TResumo& Resumo)
{
    Resumo.Zera();
}

bool TColecaoResumo::Carrega(TResumo& Resumo)
{
    const bool achou = Localiza(Resumo);
    if (achou)
        LeRegistro(Resumo);
    else
        Limpa(Resumo);
    return achou;
}

void TColecaoResumo::Novo()
{
    Tabela().Append();
}

void TColecaoResumo::Grava(TResumo& Resumo)
{
    if (FDeclaracao.GetChave().isEmpty() || ChaveDono(Resumo).isEmpty())
        return;
    ConfereDono(Resumo);
    if (!Localiza(Resumo))
        Novo();
    TdvTable& tabela = Tabela();
    tabela.Edit();
    const TContribuinte& declarante = Resumo.GetDono()->GetDeclarante();
    tabela.Fields(cDeclaracao)->SetAsString(FDeclaracao.GetChave());
    tabela.Fields(cInAnexo)->SetAsString(InAnexo(Resumo));
    tabela.Fields(cDono)->SetAsString(ChaveDono(Resumo));
    tabela.Fields(cNumero)->SetAsString(declarante.GetRaiz());
    tabela.Fields(cNome)->SetAsString(declarante.Nome().GetTexto());
    for (int i = 0; i < TResumo::QuantidadeValores; ++i)
        GravaMonetario(tabela, cPrimeiroValor + i, Resumo.Valor(i).GetValor());
    tabela.Fields(cOK)->SetAsBoolean(Resumo.GetOK());
    Grava();
}

void TColecaoResumo::GravaDeclarante(const TResumo& Resumo)
{
    if (FDeclaracao.GetChave().isEmpty() || ChaveDono(Resumo).isEmpty() || !Localiza(Resumo))
        return;
    TdvTable& tabela = Tabela();
    tabela.Edit();
    const TContribuinte& declarante = Resumo.GetDono()->GetDeclarante();
    tabela.Fields(cNumero)->SetAsString(declarante.GetRaiz());
    tabela.Fields(cNome)->SetAsString(declarante.Nome().GetTexto());
    Grava();
}

void TColecaoResumo::ConfereDono(const TResumo& Resumo)
{
    if (InAnexo(Resumo) != QLatin1String("1"))
        return;
    const std::pair chaves{FDeclaracao.GetChave(), ChaveDono(Resumo)};
    if (FFundoConferido == chaves)
        return;
    DonosDeFundo::ExigeFundo(*Tabela().OpenDatabase(), chaves.first, chaves.second, NomeTabela());
    FFundoConferido = chaves;
}

void TColecaoResumo::EsqueceFundoConferido()
{
    FFundoConferido.reset();
}

void TColecaoResumo::ExcluiTodos()
{
    FFundoConferido.reset();
    AplicaFiltro();
    ExcluiLinhas(*this);
}

void TColecaoResumo::Desfaz()
{
    // A fund stored in the transaction rolled back is gone again.
    FFundoConferido.reset();
    DescartaEdicao(Tabela());
}
