#include "model/declaration/TColecaoAnexo.h"

#include <QStringList>

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/declaration/TPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/storage/DonosDeFundo.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"
#include "model/values/TratamentoTexto.h"
#include "model/values/CodigoMensagem.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"

namespace {

const QString E_PRUV_DK = QStringLiteral("E_PRUV_DK");
const QString ANEXO_DK = QStringLiteral("ANEXO_DK");
const QString IN_PF_PJ = QStringLiteral("IN_PF_PJ");
const QString NR_PF_PJ = QStringLiteral("NR_PF_PJ");
const QString NM_EMPR = QStringLiteral("NM_EMPR");
const QString IChaveAnexo = QStringLiteral("IChaveAnexo");

constexpr int LarguraChave = 5;

QString Tipo(const TAnexoFC& Anexo)
{
    return QString::number(Anexo.GetDeclarante().TipoAtual());
}

// The declaration's annexes on IChaveAnexo, with the filter lines given.
void RestringeAosAnexos(TdvTable& Tabela, const QString& Chave, const QStringList& Linhas)
{
    RestringeTabela(Tabela, IChaveAnexo, {Chave, QStringLiteral("1"), QStringLiteral("000000000001")},
                    {Chave, QStringLiteral("2"), QStringLiteral("999999999999")}, Linhas);
}

}   // namespace

QString TColecaoAnexo::NomeArquivo()
{
    return QStringLiteral("Anexo.db");
}

std::vector<TFieldDef> TColecaoAnexo::Campos()
{
    return {CampoTexto(E_PRUV_DK, LarguraChave), CampoTexto(ANEXO_DK, LarguraChave), CampoTexto(IN_PF_PJ, 1),
            CampoTexto(NR_PF_PJ, 12), CampoTexto(NM_EMPR, 60)};
}

std::vector<TIndexDef> TColecaoAnexo::Indices()
{
    return {{QString(), ANEXO_DK, TIndexOption::ixPrimary | TIndexOption::ixUnique},
            {IChaveAnexo, E_PRUV_DK + QLatin1Char(';') + IN_PF_PJ + QLatin1Char(';') + NR_PF_PJ, 0}};
}

TColecaoAnexo::TColecaoAnexo(TPruv& Declaracao)
    : FDeclaracao(Declaracao)
    , FAnexoAtual(Declaracao)
{
    FAnexoAtual.SetErros(&FErrosInternos);
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    FiltraDeclaracao();
}

TColecaoAnexo::~TColecaoAnexo() = default;

void TColecaoAnexo::FiltraDeclaracao()
{
    RestringeAosAnexos(Tabela(), FDeclaracao.GetChave(), {});
}

void TColecaoAnexo::FiltraTabela(TdvTable& Tabela) const
{
    const QString chave = FDeclaracao.GetChave();
    RestringeAosAnexos(Tabela, chave, {E_PRUV_DK + QStringLiteral(" = ") + chave});
}

void TColecaoAnexo::LeRegistro(TAnexoFC& Anexo)
{
    if (LeFundo(Anexo))
        FDeclaracao.GetColecaoResumo().Carrega(Anexo.GetResumo());
}

bool TColecaoAnexo::LeFundo(TAnexoFC& Anexo)
{
    const TdvTable& tabela = Tabela();
    if (tabela.Bof() && tabela.Eof()) {
        Anexo.Limpa();
        return false;
    }
    if (tabela.FieldByName(E_PRUV_DK)->AsString() != FDeclaracao.GetChave())
        throw EColecaoError(CodigoMensagem::FundoDeOutraPruv, QString(), 0);
    Anexo.SetChave(tabela.FieldByName(ANEXO_DK)->AsString());
    const QString numero = tabela.FieldByName(NR_PF_PJ)->AsString();
    TDeclaranteAnexo& fundo = Anexo.GetFundo();
    fundo.SetRaizSemExcecao(numero.left(tabela.FieldByName(IN_PF_PJ)->AsString() == QLatin1String("1") ? 9 : 12));
    fundo.Nome().SetNomeSemExcecao(tabela.FieldByName(NM_EMPR)->AsString());
    Anexo.Copia(FAnexoAtual);
    FErrosInternos.Limpa();
    return true;
}

QString TColecaoAnexo::ChaveAtual() const
{
    const TdvTable& tabela = Tabela();
    return tabela.Bof() && tabela.Eof() ? QString() : tabela.FieldByName(ANEXO_DK)->AsString();
}

void TColecaoAnexo::GravaRegistro(TAnexoFC& Anexo)
{
    if (FDeclaracao.GetChave().isEmpty() || Anexo.GetChave().isEmpty())
        return;
    TdvTable& tabela = Tabela();
    tabela.Edit();   // an appended row stays being inserted
    const TDeclaranteAnexo& fundo = Anexo.GetFundo();
    tabela.FieldByName(E_PRUV_DK)->SetAsString(FDeclaracao.GetChave());
    tabela.FieldByName(ANEXO_DK)->SetAsString(Anexo.GetChave());
    tabela.FieldByName(IN_PF_PJ)->SetAsString(Tipo(Anexo));
    tabela.FieldByName(NR_PF_PJ)->SetAsString(fundo.GetRaiz());
    tabela.FieldByName(NM_EMPR)->SetAsString(fundo.Nome().GetTexto());
    Grava();
}

bool TColecaoAnexo::LocalizaFundo(const QString& Tipo, const QString& Numero)
{
    return Tabela().FindKey({FDeclaracao.GetChave(), Tipo, Numero});
}

bool TColecaoAnexo::Localiza(TAnexoFC& Anexo)
{
    TdvTable& tabela = Tabela();
    const QString chave = Anexo.GetChave();
    if (!chave.isEmpty() && chave > QLatin1String("00000")) {
        LimpaFiltro();
        SelecionaIndice(QString());
        if (!tabela.FindKey({chave})) {
            FiltraDeclaracao();
            return false;
        }
        const QString tipo = tabela.FieldByName(IN_PF_PJ)->AsString();
        const QString numero = tabela.FieldByName(NR_PF_PJ)->AsString();
        FiltraDeclaracao();
        if (tabela.Locate(ANEXO_DK, {chave}, 0))
            return true;
        // Another declaration's annex: its fund, when this declaration has it, is the row to use;
        // writing the foreign key over another of this declaration's rows would lose that annex.
        if (!LocalizaFundo(tipo, numero))
            return false;
        Anexo.SetChave(tabela.FieldByName(ANEXO_DK)->AsString());
        return true;
    }
    FiltraDeclaracao();
    if (!LocalizaFundo(Tipo(Anexo), Anexo.GetFundo().GetRaiz()))
        return false;
    Anexo.SetChave(tabela.FieldByName(ANEXO_DK)->AsString());
    Anexo.GetFundo().Nome().SetNomeSemExcecao(tabela.FieldByName(NM_EMPR)->AsString());
    return true;
}

bool TColecaoAnexo::Carrega(TAnexoFC& Anexo)
{
    if (!Localiza(Anexo))
        return false;
    Anexo.LiberaItens();
    LeRegistro(Anexo);
    return true;
}

void TColecaoAnexo::Insere(TAnexoFC& Anexo)
{
    LimpaFiltro();
    SelecionaIndice(QString());
    qint64 proxima = ProximaChave(ANEXO_DK);
    // A fund's key is given once in the folder: a stale row anywhere (a pending item, a search
    // hit) that names a deleted fund can never name another. Recorded in this save's transaction.
    try {
        TDatabase& banco = *Tabela().OpenDatabase();
        proxima = std::max(proxima, DonosDeFundo::MaiorChaveDada(banco) + 1);
        if (QString::number(proxima).size() > LarguraChave)
            throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, NomeTabela(), 0);
        DonosDeFundo::RegistraChaveDada(banco, proxima);
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
    Anexo.SetChave(ZerosAEsquerda(static_cast<int>(proxima), LarguraChave));
    FiltraDeclaracao();
    Tabela().Append();
}

void TColecaoAnexo::Salva(TAnexoFC& Anexo)
{
    const QString chaveAntes = Anexo.GetChave();
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            if (Localiza(Anexo)) {
                const bool renomeado = Tabela().FieldByName(NM_EMPR)->AsString() != Anexo.GetFundo().Nome().GetTexto();
                GravaRegistro(Anexo);
                // A renamed fund's summary row shows the new name at once.
                if (renomeado)
                    FDeclaracao.GetColecaoResumo().GravaDeclarante(Anexo.GetResumo());
                return;
            }
            Insere(Anexo);
            GravaRegistro(Anexo);
            TResumo& resumo = Anexo.GetResumo();
            resumo.Zera();
            resumo.SetOK(true);
            FDeclaracao.GetColecaoResumo().Grava(resumo);
        },
        [&] {
            Anexo.SetChave(chaveAntes);
            Desfaz();
            FDeclaracao.DesfazColecoes();
        });
}

void TColecaoAnexo::Exclui(TAnexoFC& Anexo)
{
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            if (!Localiza(Anexo))
                return;
            Anexo.LiberaItens();
            const QStringList numeros = ExcluiLinhasDoFundo(Anexo);
            if (Localiza(Anexo))
                TColecao::Exclui();
            Grava();
            EliminaBeneficiarios(numeros);
        },
        [&] {
            Desfaz();
            FDeclaracao.DesfazColecoes();
        });
}

void TColecaoAnexo::ExcluiSemFundo()
{
    const QStringList chaves = ChavesSemFundo();
    if (chaves.isEmpty())
        return;
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            QStringList numeros;
            for (const QString& chave : chaves) {
                TAnexoFC orfao(FDeclaracao);
                orfao.SetChave(chave);
                numeros << ExcluiLinhasDoFundo(orfao);
            }
            EliminaBeneficiarios(numeros);
        },
        [&] {
            Desfaz();
            FDeclaracao.DesfazColecoes();
        });
}

QStringList TColecaoAnexo::ExcluiLinhasDoFundo(TAnexoFC& Anexo)
{
    // The beneficiaries of its items, to be let go once the items are gone.
    QStringList numeros;
    {
        TColecaoPruvItem itens(FDeclaracao, Anexo);
        TPruvItem item(FDeclaracao, Anexo);
        TErros lidos;   // faults of stored values being deleted concern no one
        item.SetErros(&lidos);
        itens.PrimeiroRegistro(item);
        while (!itens.Eof()) {
            const QString numero = item.GetBeneficiario().GetNiFormatado();
            if (!numero.isEmpty() && !numeros.contains(numero))
                numeros.append(numero);
            itens.ProximoRegistro(item);
        }
        itens.ExcluiTodos();
    }
    TColecaoResumo& resumos = FDeclaracao.GetColecaoResumo();
    resumos.EsqueceFundoConferido();
    if (resumos.Localiza(Anexo.GetResumo())) {
        resumos.TColecao::Exclui();
        resumos.TColecao::Grava();
    }
    return numeros;
}

void TColecaoAnexo::EliminaBeneficiarios(const QStringList& Numeros)
{
    TColecaoBeneficiario& beneficiarios = FDeclaracao.GetColecaoBeneficiario();
    for (const QString& numero : Numeros) {
        TBeneficiarioPruv beneficiario(&FDeclaracao);
        TErros lidos;
        beneficiario.SetErros(&lidos);
        beneficiario.SetNiSemExcecao(numero);
        beneficiarios.EliminaSemItens(beneficiario);
    }
    beneficiarios.TColecao::Grava();
    // The fund's totals leave the declaration's: computed again before they are shown.
    FDeclaracao.MarcaResumoDesatualizado();
}

void TColecaoAnexo::ExcluiTodos()
{
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            TAnexoFC trabalho(FDeclaracao);
            TErros lidos;   // faults of stored values being deleted concern no one
            trabalho.SetErros(&lidos);
            FiltraDeclaracao();
            Primeiro();
            while (!Eof()) {
                trabalho.SetChave(Tabela().FieldByName(ANEXO_DK)->AsString());
                TColecaoPruvItem(FDeclaracao, trabalho).ExcluiTodos();
                TColecao::Exclui();
                FDeclaracao.GetColecaoResumo().EsqueceFundoConferido();
                trabalho.Reinicia();
            }
            Grava();
        },
        [&] { Desfaz(); });
}

QStringList TColecaoAnexo::ChavesSemFundo()
{
    try {
        return DonosDeFundo::ChavesSemFundo(*Tabela().OpenDatabase(), FDeclaracao.GetChave());
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
}

void TColecaoAnexo::Desfaz()
{
    DescartaEdicao(Tabela());
    FiltraDeclaracao();
}
