#include "model/TColecaoBeneficiario.h"

#include "components/data/TdvTable.h"
#include "model/IColecoesDeclaracao.h"
#include "model/RotinasTabela.h"
#include "model/TColecaoPruvItem.h"
#include "model/TErro.h"
#include "model/TPruvAnexo.h"
#include "model/ValoresArmazenados.h"
#include "platform/db/EDatabaseError.h"
#include "platform/db/TComando.h"
#include "platform/db/TDatabase.h"
#include "platform/db/TEsquemaTabela.h"

namespace {

enum : int { cDeclaracao, cTipo, cNumero, cNome };

QString Tipo(const TBeneficiarioPruv& Beneficiario)
{
    return QString::number(Beneficiario.TipoAtual());
}

}  // namespace

QString TColecaoBeneficiario::NomeArquivo()
{
    return QStringLiteral("Benef.db");
}

TColecaoBeneficiario::TColecaoBeneficiario(IColecoesDeclaracao& Declaracao) : FDeclaracao(Declaracao)
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(Campos(), Indices());
    AbreTabelaColecao();
    AplicaFiltro();
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
            {QStringLiteral("IPFPJ"), QStringLiteral("IN_PF_PJ;NR_PF_PJ"), 0}};
}

void TColecaoBeneficiario::AplicaFiltro()
{
    const QString chave = FDeclaracao.GetChave();
    RestringeTabela(Tabela(), QString(), {chave, QStringLiteral("0"), QStringLiteral("000000000")},
                    {chave, QStringLiteral("9"), QStringLiteral("999999999999")}, {QStringLiteral("E_PRUV_DK = ") + chave});
    SetFiltrado(true);
}

bool TColecaoBeneficiario::LocalizaChave(const TBeneficiarioPruv& Beneficiario)
{
    return Tabela().FindKey({FDeclaracao.GetChave(), Tipo(Beneficiario), Beneficiario.GetRaiz()});
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
        if (tabela.FindKey({Tipo(Beneficiario), raiz})) {
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
        throw EColecaoError(21, QString(), 0);
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
    } else if (tabela.Fields(cTipo)->AsString() == Tipo(Beneficiario)
               && tabela.Fields(cNumero)->AsString() == Beneficiario.GetRaiz()
               && tabela.Fields(cNome)->AsString() == Beneficiario.Nome().GetTexto()) {
        return;   // stored as it is: the items of one beneficiary are saved one after another
    }
    tabela.Edit();
    tabela.Fields(cDeclaracao)->SetAsString(FDeclaracao.GetChave());
    tabela.Fields(cTipo)->SetAsString(Tipo(Beneficiario));
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
            const auto banco = Tabela().OpenDatabase();
            FInsercao = std::make_unique<TInsercao>(banco, NomeArquivo(), Campos());
            const QString tabela = TEsquemaTabela::Aspas(banco->NomeReal(NomeArquivo()));
            FSqlBusca = QStringLiteral("SELECT NM_NM_EMPR FROM %1 WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = ?2 AND NR_PF_PJ = ?3")
                            .arg(tabela);
            FSqlNome = QStringLiteral("UPDATE %1 SET NM_NM_EMPR = ?4 WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = ?2 AND NR_PF_PJ = ?3")
                           .arg(tabela);
        }
        const QString tipo = Tipo(Beneficiario);
        const QString raiz = Beneficiario.GetRaiz();
        const QString& nome = Beneficiario.Nome().GetTexto();
        const QString chave = FDeclaracao.GetChave() + QChar(0x1f) + tipo + QChar(0x1f) + raiz + QChar(0x1f);
        const QString linha = chave + nome;
        if (FVistosDireto.contains(linha))
            return;
        TDatabase& banco = FInsercao->Banco();
        TComando& busca = banco.Comando(FSqlBusca);
        busca.LigaTexto(1, FDeclaracao.GetChave());
        busca.LigaTexto(2, tipo);
        busca.LigaTexto(3, raiz);
        const bool achou = busca.Passo();
        const QString guardado = achou ? busca.Texto(0) : QString();
        const bool mesmoNome = achou && guardado == nome;
        busca.Reinicia();
        if (mesmoNome) {
            FVistosDireto.insert(linha);
            return;   // stored as it is
        }
        if (achou) {
            TComando& altera = banco.Comando(FSqlNome);
            altera.LigaTexto(1, FDeclaracao.GetChave());
            altera.LigaTexto(2, tipo);
            altera.LigaTexto(3, raiz);
            altera.Liga(4, QVariant(nome.left(Campos()[cNome].Size)));
            banco.Escreve(altera);
            FVistosDireto.remove(chave + guardado);   // renamed: no longer stored so
        } else {
            FInsercao->Texto(cDeclaracao, FDeclaracao.GetChave());
            FInsercao->Texto(cTipo, tipo);
            FInsercao->Texto(cNumero, raiz);
            FInsercao->Texto(cNome, nome);
            FInsercao->Grava();
        }
        FVistosDireto.insert(linha);
    } catch (const EDatabaseError& e) {
        throw EColecaoError(141, ParametroEscrita(NomeTabela(), e), 0);
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
    if (!LocalizaChave(Beneficiario) || FDeclaracao.GetDonoDeclaracao().GetItens().PossuiItensBeneficiario(Beneficiario))
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
