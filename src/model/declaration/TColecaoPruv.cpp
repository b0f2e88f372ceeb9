#include "model/declaration/TColecaoPruv.h"

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"
#include "model/values/TratamentoTexto.h"
#include "model/values/CodigoMensagem.h"
#include "platform/db/sqlite/TDatabase.h"

namespace {

const QString PRUV_DK = QStringLiteral("PRUV_DK");
const QString AN_RETENCA = QStringLiteral("AN_RETENCA");
const QString DATA_GERA = QStringLiteral("DATA_GERA");
const QString IN_RETIFIC = QStringLiteral("IN_RETIFIC");
const QString IN_ENCERRA = QStringLiteral("IN_ENCERRA");
const QString NR_DISQUETES = QStringLiteral("NR_DISQUETES");
const QString NR_ESTABES = QStringLiteral("NR_ESTABES");
const QString IN_NATUREZADECLAR = QStringLiteral("IN_NATUREZADECLAR");
const QString IN_PF_PJ = QStringLiteral("IN_PF_PJ");
const QString NR_PF_PJ = QStringLiteral("NR_PF_PJ");
const QString NM_NM_EMPR = QStringLiteral("NM_NM_EMPR");
const QString NR_EST_RESP = QStringLiteral("NR_EST_RESP");
const QString RESP_NO_CNPJ = QStringLiteral("RESP_NO_CNPJ");
const QString RESP_PF = QStringLiteral("RESP_PF");
const QString IChavePruv = QStringLiteral("IChavePruv");
const QString IAno = QStringLiteral("IAno");

constexpr int LarguraChave = 5;

QString Texto(const TdvTable& Tabela, const QString& Campo)
{
    return Tabela.FieldByName(Campo)->AsString();
}

// The digits of the declarant's number that name the person or the company, whatever the
// establishment: 9 of a CPF, 8 of a CNPJ; empty for a number of neither kind.
QString Prefixo(const TContribuinte& Declarante)
{
    const QString raiz = Declarante.GetRaiz();
    switch (Declarante.TipoAtual()) {
    case TNiContribuinte::Cpf:
        return raiz.size() >= 9 ? raiz.left(9) : QString();
    case TNiContribuinte::Cnpj:
        return raiz.size() >= 8 ? raiz.left(8) : QString();
    default:
        return {};
    }
}

}   // namespace

QString TColecaoPruv::NomeArquivo()
{
    return QStringLiteral("Pruv.db");
}

std::vector<TFieldDef> TColecaoPruv::Campos()
{
    return {
        CampoTexto(PRUV_DK, LarguraChave), CampoTexto(AN_RETENCA, 4),       {DATA_GERA, ftDateTime},
        CampoTexto(IN_RETIFIC, 1),         {IN_ENCERRA, ftBoolean},         {NR_DISQUETES, ftInteger},
        {NR_ESTABES, ftInteger},           {IN_NATUREZADECLAR, ftSmallint}, CampoTexto(IN_PF_PJ, 1),
        CampoTexto(NR_PF_PJ, 12),          CampoTexto(NM_NM_EMPR, 60),      CampoTexto(NR_EST_RESP, 4),
        CampoTexto(RESP_NO_CNPJ, 9),       CampoTexto(RESP_PF, 9),
    };
}

std::vector<TIndexDef> TColecaoPruv::Indices()
{
    return {
        {QString(), PRUV_DK, TIndexOption::ixPrimary | TIndexOption::ixUnique},
        {IChavePruv, IN_PF_PJ + QLatin1Char(';') + NR_PF_PJ + QLatin1Char(';') + AN_RETENCA, 0},
        {IAno, AN_RETENCA + QLatin1Char(';') + IN_PF_PJ + QLatin1Char(';') + NR_PF_PJ, 0},
    };
}

TColecaoPruv::TColecaoPruv()
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    FColecaoResponsavel = std::make_unique<TColecaoResponsavel>();
}

TColecaoPruv::~TColecaoPruv() = default;

void TColecaoPruv::LeRegistro(TPruv& Pruv)
{
    LeCampos(Pruv);
    Pruv.CalculaResumo();
}

void TColecaoPruv::LeCampos(TPruv& Pruv)
{
    const TdvTable& tabela = Tabela();
    // Collections made for another declaration would show that one's rows.
    const QString chave = Texto(tabela, PRUV_DK);
    if (chave != Pruv.GetChave())
        Pruv.LiberaItens();
    Pruv.SetChave(chave);
    Pruv.SetAnoSemExcecao(Texto(tabela, AN_RETENCA));
    Pruv.SetDataGeracaoSemExcecao(tabela.FieldByName(DATA_GERA)->AsDateTime());
    const QString tipo = Texto(tabela, IN_RETIFIC);
    Pruv.SetTipoDeclaracaoSemExcecao(tipo.isEmpty() ? QStringLiteral("O") : tipo);
    const TField* encerra = tabela.FieldByName(IN_ENCERRA);
    Pruv.SetSituacaoEspecial(!encerra->IsNull() && encerra->AsBoolean());
    Pruv.SetNrDisquetes(tabela.FieldByName(NR_DISQUETES)->AsInteger());
    Pruv.SetNrEstabelecimentos(tabela.FieldByName(NR_ESTABES)->AsInteger());

    TContribuinte& declarante = Pruv.GetDeclarante();
    const QString numero = Texto(tabela, NR_PF_PJ).trimmed();   // blanks around it are no digits
    const QString tipoPessoa = Texto(tabela, IN_PF_PJ);
    if (tipoPessoa == QLatin1String("1")) {
        declarante.SetRaizSemExcecao(numero.left(9));
        declarante.Nome().SetNomeSemExcecao(Texto(tabela, NM_NM_EMPR));
        Pruv.GetNiEstabResponsavel().SetRaizSemExcecao(numero.left(9));
    } else if (tipoPessoa == QLatin1String("2")) {
        declarante.SetRaizSemExcecao(numero.left(12));
        declarante.Nome().SetNomeSemExcecao(Texto(tabela, NM_NM_EMPR));
        // A declaration stored without this person has none, rather than a CPF in error.
        const QString respCnpj = Texto(tabela, RESP_NO_CNPJ);
        if (respCnpj.isEmpty())
            Pruv.GetRespCnpj().Limpa();
        else
            Pruv.GetRespCnpj().SetRaizSemExcecao(respCnpj);
        const QString ordem = Texto(tabela, NR_EST_RESP);
        Pruv.GetNiEstabResponsavel().SetRaizSemExcecao(
            ordem.isEmpty() || ordem == QLatin1String("0000") ? numero.left(12) : numero.left(8) + ordem);
    }

    // The natures of the declarant just read, not of the one the object held before.
    Pruv.AtualizaNaturezas();
    const auto todas = Pruv.GetNaturezas().GetTodas();
    const TField* natureza = tabela.FieldByName(IN_NATUREZADECLAR);
    const TNatureza* disponivel = natureza->IsNull()
        ? nullptr
        : Pruv.GetNaturezas().GetDisponivel(static_cast<std::uint8_t>(natureza->AsInteger()));
    Pruv.SetNaturezaSemExcecao(disponivel ? *disponivel : todas[TPruv::NaturezaVazia]);

    TResponsavel& responsavel = Pruv.GetResponsavel();
    const QString cpfResponsavel = Texto(tabela, RESP_PF);
    if (cpfResponsavel.isEmpty()) {
        responsavel.Limpa();
    } else {
        responsavel.SetRaizSemExcecao(cpfResponsavel);
        FColecaoResponsavel->Carrega(responsavel);
    }
}

void TColecaoPruv::GravaRegistro(TPruv& Pruv)
{
    if (Pruv.GetChave().isEmpty() || Pruv.GetAno().isEmpty())
        return;
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            const bool renomeado = Texto(Tabela(), NM_NM_EMPR) != Pruv.GetDeclarante().Nome().GetTexto();
            GravaCampos(Pruv);
            // The declarant's own summary row shows the new name at once, as a fund's does.
            if (renomeado)
                Pruv.GetColecaoResumo().GravaDeclarante(Pruv.TPruvAnexo::GetResumo());
        },
        [&] {
            Desfaz();
            Pruv.DesfazColecoes();
        });
}

void TColecaoPruv::GravaCampos(TPruv& Pruv)
{
    TdvTable& tabela = Tabela();
    tabela.Edit();   // an appended row stays being inserted
    tabela.FieldByName(PRUV_DK)->SetAsString(Pruv.GetChave());
    tabela.FieldByName(AN_RETENCA)->SetAsString(Pruv.GetAno());
    tabela.FieldByName(DATA_GERA)->SetAsDateTime(Pruv.GetDataGeracao());
    tabela.FieldByName(IN_RETIFIC)->SetAsString(Pruv.GetTipoDeclaracao());
    tabela.FieldByName(IN_ENCERRA)->SetAsBoolean(Pruv.GetSituacaoEspecial());
    tabela.FieldByName(NR_DISQUETES)->SetAsInteger(Pruv.GetNrDisquetes());
    tabela.FieldByName(NR_ESTABES)->SetAsInteger(Pruv.GetNrEstabelecimentos());
    // The empty nature leaves the stored code as it was (none on a new row).
    if (!Pruv.GetNatureza().GetDescricao().isEmpty())
        tabela.FieldByName(IN_NATUREZADECLAR)->SetAsInteger(Pruv.GetNatureza().GetCodigo());

    const TContribuinte& declarante = Pruv.GetDeclarante();
    tabela.FieldByName(IN_PF_PJ)->SetAsString(QString::number(declarante.TipoAtual()));
    tabela.FieldByName(NR_PF_PJ)->SetAsString(declarante.GetRaiz());
    tabela.FieldByName(NM_NM_EMPR)->SetAsString(declarante.Nome().GetTexto());
    if (declarante.TipoAtual() == TNiContribuinte::Cpf) {
        tabela.FieldByName(NR_EST_RESP)->SetAsString(QString());
    } else {
        // A row that names no establishment reads as the declarant's own: saved as it was read,
        // the row keeps its blank.
        const QString estabelecimento = Pruv.GetNiEstabResponsavel().GetNi();
        const QString guardada = Texto(tabela, NR_EST_RESP);
        const bool semEstabelecimento = guardada.isEmpty() || guardada == QLatin1String("0000");
        if (!semEstabelecimento || estabelecimento.left(12) != declarante.GetRaiz())
            tabela.FieldByName(NR_EST_RESP)->SetAsString(estabelecimento.mid(8, 4));
        tabela.FieldByName(RESP_NO_CNPJ)->SetAsString(Pruv.GetRespCnpj().GetRaiz());
    }
    TResponsavel& responsavel = Pruv.GetResponsavel();
    if (responsavel.Verifica() == 0) {
        tabela.FieldByName(RESP_PF)->SetAsString(responsavel.GetRaiz());
        FColecaoResponsavel->Salva(responsavel);
    }
    Grava();
}

bool TColecaoPruv::Localiza(TPruv& Pruv)
{
    LimpaFiltro();
    TdvTable& tabela = Tabela();
    const QString chave = Pruv.GetChave();
    if (!chave.isEmpty() && chave > QLatin1String("00000")) {
        SelecionaIndice(QString());
        return tabela.FindKey({chave});
    }
    TContribuinte& declarante = Pruv.GetDeclarante();
    const QString tipo = QString::number(declarante.TipoAtual());
    const auto ofereceNome = [&] {
        if (declarante.Nome().GetTexto().isEmpty())
            declarante.Nome().SetNomeSemExcecao(Texto(tabela, NM_NM_EMPR));
    };
    SelecionaIndice(IChavePruv);
    if (tabela.FindKey({tipo, declarante.GetRaiz(), Pruv.GetAno()})) {
        ofereceNome();
        return true;
    }
    // The same person or company stored before (any establishment, any year) lends its name.
    const QString prefixo = Prefixo(declarante);
    if (prefixo.isEmpty())
        return false;
    tabela.FindNearest({tipo, prefixo});
    if (!tabela.Eof() && Texto(tabela, IN_PF_PJ) == tipo && Texto(tabela, NR_PF_PJ).startsWith(prefixo))
        ofereceNome();
    return false;
}

bool TColecaoPruv::Carrega(TPruv& Pruv)
{
    if (!Localiza(Pruv))
        return false;
    Pruv.LiberaItens();
    LeRegistro(Pruv);
    return true;
}

bool TColecaoPruv::Recarrega(TPruv& Pruv)
{
    const QString chave = Pruv.GetChave();
    if (!Localiza(Pruv))
        return false;
    if (chave.isEmpty() || Texto(Tabela(), PRUV_DK) != chave) {
        Pruv.LiberaItens();
        LeCampos(Pruv);
        Pruv.CalculaResumo(false);
    } else {
        LeCampos(Pruv);
    }
    return true;
}

void TColecaoPruv::Inclui(TPruv& Pruv)
{
    const QString chaveAntes = Pruv.GetChave();
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            const TContribuinte& declarante = Pruv.GetDeclarante();
            if (Localiza(Pruv))
                throw EPruvError(declarante.TipoAtual() == TNiContribuinte::Cnpj
                                     ? CodigoMensagem::DeclaracaoExistenteCnpj
                                     : CodigoMensagem::DeclaracaoExistenteCpf,
                                 declarante.GetNiFormatado() + QLatin1Char(';') + Pruv.GetAno(), 0);
            // A row without a year could never be found again.
            if (Pruv.GetAno().isEmpty())
                throw EPruvError(CodigoMensagem::AnoInvalido, QString(), 0);
            LimpaFiltro();
            SelecionaIndice(QString());
            Pruv.SetChave(ZerosAEsquerda(ProximaChave(PRUV_DK), LarguraChave));
            Tabela().Append();
            GravaCampos(Pruv);

            TResumo& proprio = Pruv.TPruvAnexo::GetResumo();
            TResumo& total = Pruv.GetResumoTotal();
            proprio.Zera();
            total.Zera();
            proprio.SetOK(true);
            total.SetOK(true);
            Pruv.GetColecaoResumo().Grava(proprio);
        },
        [&] {
            Pruv.SetChave(chaveAntes);
            Desfaz();
            Pruv.DesfazColecoes();
        });
}

void TColecaoPruv::Atualiza(TPruv& Pruv)
{
    if (Localiza(Pruv))
        GravaRegistro(Pruv);
}

void TColecaoPruv::Exclui(TPruv& Pruv)
{
    EmTransacao(
        *Tabela().OpenDatabase(), NomeTabela(),
        [&] {
            if (!Localiza(Pruv))
                return;
            // Made for this declaration and let go afterwards, whatever was in use before.
            Pruv.LiberaItens();
            Pruv.GetItens().ExcluiTodos();
            // Items left under a fund no longer stored are the declaration's too.
            Pruv.GetColecaoAnexo().ExcluiSemFundo();
            Pruv.GetColecaoAnexo().ExcluiTodos();
            Pruv.GetColecaoBeneficiario().ExcluiTodos();
            Pruv.GetColecaoComprovante().ExcluiTodos();
            Pruv.GetColecaoResumo().ExcluiTodos();
            Pruv.LiberaItens();
            if (Localiza(Pruv))
                TColecao::Exclui();
            Grava();
        },
        [&] {
            Pruv.DesfazColecoes();
            Pruv.LiberaItens();
            Desfaz();
        });
}

void TColecaoPruv::CarregaResponsavel(TPruv& Pruv)
{
    FColecaoResponsavel->Carrega(Pruv.GetResponsavel());
}

void TColecaoPruv::FiltraAno(const QString& Ni, const QString& Ano, TdvTable& Tabela)
{
    const QString empresa = RemoveMascara(Ni).left(8);
    RestringeTabela(Tabela, IAno, {Ano, QStringLiteral("2"), empresa + QStringLiteral("0001")},
                    {Ano, QStringLiteral("2"), empresa + QStringLiteral("9999")},
                    {AN_RETENCA + QStringLiteral(" = ") + Ano});
}

void TColecaoPruv::Desfaz()
{
    DescartaEdicao(Tabela());
}
