#include "model/people/TColecaoBeneficiario.h"

#include <optional>

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/interfaces/IColecoesDeclaracao.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

enum : int { cDeclaracao, cTipo, cNumero, cNome };

// The beneficiary's row key within its declaration as one number (kind, then the root's digits),
// so that a bulk load tells the beneficiaries it met without building texts; nullopt for a number
// that is not digits, which is then always looked up.
std::optional<qint64> ChaveNumerica(const TBeneficiarioPruv& Beneficiario)
{
    const std::uint8_t tipo = Beneficiario.TipoAtual();
    const qsizetype tamanho = tipo == TNiContribuinte::Cpf ? 9 : tipo == TNiContribuinte::Cnpj ? 12 : 0;
    const QString ni = Beneficiario.GetNi();
    if (tamanho == 0 || ni.size() < tamanho)
        return std::nullopt;
    qint64 chave = tipo;
    for (qsizetype i = 0; i < tamanho; ++i) {
        const char16_t c = ni.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        chave = chave * 10 + (c - u'0');
    }
    return chave;
}

}   // namespace

QString TColecaoBeneficiario::NomeArquivo()
{
    return QStringLiteral("Benef.db");
}

TColecaoBeneficiario::TColecaoBeneficiario(IColecoesDeclaracao& Declaracao)
    : FDeclaracao(Declaracao)
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecaoRestrita([this] { AplicaFiltro(); });
}

TColecaoBeneficiario::~TColecaoBeneficiario() = default;

std::vector<TFieldDef> TColecaoBeneficiario::Campos()
{
    return {CampoTexto(QStringLiteral("E_PRUV_DK"), 5), CampoTexto(QStringLiteral("IN_PF_PJ"), 1),
            CampoTexto(QStringLiteral("NR_PF_PJ"), 12), CampoTexto(QStringLiteral("NM_NM_EMPR"), 60)};
}

std::vector<TIndexDef> TColecaoBeneficiario::Indices()
{
    return {{QString(), QStringLiteral("E_PRUV_DK;IN_PF_PJ;NR_PF_PJ"), TIndexOption::ixPrimary},
            {QStringLiteral("IPFPJ"), QStringLiteral("IN_PF_PJ;NR_PF_PJ"), 0},
            // The declaration's beneficiaries by name, in the order the search lists names.
            {QStringLiteral("INome"), QStringLiteral("E_PRUV_DK;NM_NM_EMPR"), 0, {QStringLiteral("NM_NM_EMPR")}}};
}

void TColecaoBeneficiario::AplicaFiltro()
{
    const QString chave = FDeclaracao.GetChave();
    FChaveFiltrada.reset();   // until restricted: a failure leaves it to be done again
    RestringeTabela(Tabela(), QString(), {chave, QStringLiteral("0"), QStringLiteral("000000000")},
                    {chave, QStringLiteral("9"), QStringLiteral("999999999999")},
                    {QStringLiteral("E_PRUV_DK = ") + chave});
    SetFiltrado(true);
    FChaveFiltrada = chave;
}

bool TColecaoBeneficiario::LocalizaChave(const TBeneficiarioPruv& Beneficiario)
{
    if (!Filtrado() || FChaveFiltrada != FDeclaracao.GetChave())
        AplicaFiltro();
    return Tabela().FindKey({FDeclaracao.GetChave(), Beneficiario.TipoArmazenado(), Beneficiario.GetRaiz()});
}

bool TColecaoBeneficiario::Localiza(TBeneficiarioPruv& Beneficiario)
{
    bool preencheu = false;
    return Localiza(Beneficiario, preencheu);
}

bool TColecaoBeneficiario::Localiza(TBeneficiarioPruv& Beneficiario, bool& PreencheuNome)
{
    PreencheuNome = false;
    if (LocalizaChave(Beneficiario))
        return true;
    if (!GetGravarEmDisco())
        return false;   // a bulk load stores the names it is given
    TdvTable& tabela = Tabela();
    const QString raiz = Beneficiario.GetRaiz();
    if (Beneficiario.TipoAtual() == TNiContribuinte::Cnpj) {
        // Another establishment of the same company in this declaration gives its name.
        const QString empresa = raiz.left(8);
        tabela.FindNearest({FDeclaracao.GetChave(), QStringLiteral("2"), empresa});
        if (!tabela.Eof() && tabela.Fields(cTipo)->AsString() == QLatin1String("2")
            && tabela.Fields(cNumero)->AsString().left(8) == empresa) {
            Beneficiario.Nome().SetNomeSemExcecao(tabela.Fields(cNome)->AsString());
            PreencheuNome = true;
            return false;
        }
    }
    if (Beneficiario.Nome().GetTexto().isEmpty()) {
        // The same number in any declaration.
        LimpaFiltro();
        SelecionaIndice(QStringLiteral("IPFPJ"));
        if (tabela.FindKey({Beneficiario.TipoArmazenado(), raiz})) {
            Beneficiario.Nome().SetNomeSemExcecao(tabela.Fields(cNome)->AsString());
            PreencheuNome = true;
        }
        AplicaFiltro();
    }
    return false;
}

void TColecaoBeneficiario::LeRegistro(TBeneficiarioPruv& Beneficiario)
{
    TdvTable& tabela = Tabela();
    if (tabela.Bof() && tabela.Eof()) {
        Beneficiario.Limpa();
        LimpaNome(Beneficiario);
        return;
    }
    if (tabela.Fields(cDeclaracao)->AsString() != FDeclaracao.GetChave())
        throw EColecaoError(CodigoMensagem::BeneficiarioDeOutraPruv, QString(), 0);
    const int tamanho = tabela.Fields(cTipo)->AsString() == QLatin1String("1") ? 9 : 12;
    Beneficiario.SetRaizSemExcecao(tabela.Fields(cNumero)->AsString().left(tamanho));
    Beneficiario.Nome().SetNomeSemExcecao(tabela.Fields(cNome)->AsString());
}

bool TColecaoBeneficiario::Carrega(TBeneficiarioPruv& Beneficiario)
{
    bool preencheu = false;
    if (Localiza(Beneficiario, preencheu)) {
        LeRegistro(Beneficiario);
        return true;
    }
    if (preencheu) {
        // The name found goes through the name rules as if typed.
        const QString nome = Beneficiario.Nome().GetTexto();
        LimpaNome(Beneficiario);
        Beneficiario.Nome().SetNomeSemExcecao(nome);
    } else {
        LimpaNome(Beneficiario);
    }
    return false;
}

void TColecaoBeneficiario::GravaRegistro(TBeneficiarioPruv& Beneficiario)
{
    FVistosDireto.clear();
    if (FDeclaracao.GetChave().isEmpty() || Beneficiario.GetNiFormatado().isEmpty())
        return;
    TdvTable& tabela = Tabela();
    if (!Localiza(Beneficiario)) {
        Novo();
    } else if (tabela.Fields(cTipo)->AsString() == Beneficiario.TipoArmazenado()
               && tabela.Fields(cNumero)->AsString() == Beneficiario.GetRaiz()) {
        const QString armazenado = tabela.Fields(cNome)->AsString();
        if (armazenado == Beneficiario.Nome().GetTexto())
            return;   // stored as it is: the items of one beneficiary are saved one after another
        if (!Beneficiario.Nome().GetAlterado()) {
            // A name read before and not typed over since: the stored one is newer (corrected
            // through another item of the beneficiary) and comes back into it.
            Beneficiario.Nome().SetNomeSemExcecao(armazenado);
            Beneficiario.Nome().SetAlterado(false);
            return;
        }
    }
    tabela.Edit();
    tabela.Fields(cDeclaracao)->SetAsString(FDeclaracao.GetChave());
    tabela.Fields(cTipo)->SetAsString(Beneficiario.TipoArmazenado());
    tabela.Fields(cNumero)->SetAsString(Beneficiario.GetRaiz());
    tabela.Fields(cNome)->SetAsString(Beneficiario.Nome().GetTexto());
    Grava();
}

void TColecaoBeneficiario::GravaRegistroDireto(TBeneficiarioPruv& Beneficiario)
{
    if (GetGravarEmDisco()) {
        GravaRegistro(Beneficiario);
        return;
    }
    if (FDeclaracao.GetChave().isEmpty() || Beneficiario.GetNiFormatado().isEmpty())
        return;
    try {
        if (!FInsercao) {
            // A beneficiary stored already keeps its row and takes the name given, as a post
            // would: the insert's own key check finds it, with no look-up before each one.
            FInsercao = std::make_unique<TInsercao>(
                Tabela().OpenDatabase(), NomeArquivo(), Campos(),
                QStringLiteral("ON CONFLICT DO UPDATE SET NM_NM_EMPR = excluded.NM_NM_EMPR "
                               "WHERE NM_NM_EMPR IS NOT excluded.NM_NM_EMPR"));
        }
        const QString& nome = Beneficiario.Nome().GetTexto();
        const std::optional<qint64> vista = ChaveNumerica(Beneficiario);
        if (vista && FChaveVistos != FDeclaracao.GetChave()) {
            FVistosDireto.clear();
            FChaveVistos = FDeclaracao.GetChave();
        }
        if (vista) {
            const auto achado = FVistosDireto.find(*vista);
            if (achado != FVistosDireto.end() && achado->second == nome)
                return;   // met before in this load, stored under this name
        }
        FInsercao->Texto(cDeclaracao, FDeclaracao.GetChave());
        FInsercao->Texto(cTipo, Beneficiario.TipoArmazenado());
        FInsercao->Texto(cNumero, Beneficiario.GetRaiz());
        FInsercao->Texto(cNome, nome);
        FInsercao->Grava();
        if (vista)
            FVistosDireto[*vista] = nome;
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
}

void TColecaoBeneficiario::LimpaNome(TBeneficiarioPruv& Beneficiario)
{
    Beneficiario.Nome().Limpa();
}

void TColecaoBeneficiario::Novo()
{
    Tabela().Append();
}

void TColecaoBeneficiario::EliminaSemItens(TBeneficiarioPruv& Beneficiario)
{
    FVistosDireto.clear();
    if (!LocalizaChave(Beneficiario)
        || FDeclaracao.GetDonoDeclaracao().GetItens().PossuiItensBeneficiario(Beneficiario))
        return;
    const std::uint8_t tipo = Beneficiario.TipoAtual();
    if (tipo == TNiContribuinte::Cpf || tipo == TNiContribuinte::Cnpj)
        FDeclaracao.ExcluiComprovante(Beneficiario);
    // Deleting the statement may have moved the table.
    if (LocalizaChave(Beneficiario))
        Exclui();
}

void TColecaoBeneficiario::ExcluiTodos()
{
    FVistosDireto.clear();
    AplicaFiltro();
    ExcluiLinhas(*this);
}

void TColecaoBeneficiario::SetGravarEmDisco(bool Gravar)
{
    FVistosDireto.clear();
    TColecao::SetGravarEmDisco(Gravar);
}

void TColecaoBeneficiario::Desfaz()
{
    FVistosDireto.clear();   // the row it names may be undone
    DescartaEdicao(Tabela());
}
