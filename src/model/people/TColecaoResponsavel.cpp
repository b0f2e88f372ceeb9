#include "model/people/TColecaoResponsavel.h"

#include "components/data/datasets/TdvTable.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace {

const QString NR_PF = QStringLiteral("NR_PF");
const QString NM_RESP = QStringLiteral("NM_RESP");
const QString ED_DDD = QStringLiteral("ED_DDD");
const QString ED_TELEFONE = QStringLiteral("ED_TELEFONE");
const QString ED_RAMAL = QStringLiteral("ED_RAMAL");
const QString ED_FAX = QStringLiteral("ED_FAX");
const QString ED_EMAIL = QStringLiteral("ED_EMAIL");
const QString IndicePrimario;

// Wide enough for anything the values accept, so a save never cuts what was typed; the
// delivery file takes its own widths from these texts.
constexpr int LarguraNome = 255;
constexpr int LarguraFone = 15;
constexpr int LarguraEmail = 255;

}   // namespace

QString TColecaoResponsavel::NomeArquivo()
{
    return QStringLiteral("Respons.db");
}

std::vector<TFieldDef> TColecaoResponsavel::Campos()
{
    return {
        {NR_PF, ftString, 9},
        {NM_RESP, ftString, LarguraNome},
        {ED_DDD, ftString, LarguraFone},
        {ED_TELEFONE, ftString, LarguraFone},
        {ED_RAMAL, ftString, LarguraFone},
        {ED_FAX, ftString, LarguraFone},
        {ED_EMAIL, ftString, LarguraEmail},
    };
}

std::vector<TIndexDef> TColecaoResponsavel::Indices()
{
    return {{IndicePrimario, NR_PF, TIndexOption::ixPrimary | TIndexOption::ixUnique}};
}

TColecaoResponsavel::TColecaoResponsavel()
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
}

TColecaoResponsavel::~TColecaoResponsavel() = default;

void TColecaoResponsavel::LeRegistro(TResponsavel& Pessoa)
{
    const TdvTable& tabela = Tabela();
    const auto coluna = [&](const QString& nome) { return tabela.FieldByName(nome)->AsString(); };
    Pessoa.SetRaizSemExcecao(coluna(NR_PF));
    Pessoa.Nome().SetNomeSemExcecao(coluna(NM_RESP));
    Pessoa.Fone().DDD().SetTextoSemExcecao(coluna(ED_DDD));
    Pessoa.Fone().Numero().SetTextoSemExcecao(coluna(ED_TELEFONE));
    Pessoa.Fone().Ramal().SetTextoSemExcecao(coluna(ED_RAMAL));
    Pessoa.Fax().Numero().SetTextoSemExcecao(coluna(ED_FAX));
    Pessoa.Fax().DDD().SetTextoSemExcecao(coluna(ED_DDD));
    Pessoa.Email().SetTextoSemExcecao(coluna(ED_EMAIL));
}

void TColecaoResponsavel::Insere(const TResponsavel&)
{
    Tabela().Append();
}

void TColecaoResponsavel::LimpaDados(TResponsavel& Pessoa)
{
    Pessoa.Nome().Limpa();
    Pessoa.Fone().Limpa();
    Pessoa.Fax().Limpa();
    Pessoa.Email().Limpa();
}

void TColecaoResponsavel::Exclui(TResponsavel& Pessoa)
{
    if (Localiza(Pessoa))
        Tabela().Delete();
}

bool TColecaoResponsavel::Localiza(const TResponsavel& Pessoa)
{
    LimpaFiltro();
    SelecionaIndice(IndicePrimario);
    return Tabela().FindKey({Pessoa.GetRaiz()});
}

bool TColecaoResponsavel::Carrega(TResponsavel& Pessoa)
{
    const bool achou = Localiza(Pessoa);
    if (achou)
        LeRegistro(Pessoa);
    else
        LimpaDados(Pessoa);
    return achou;
}

void TColecaoResponsavel::Salva(const TResponsavel& Pessoa)
{
    TdvTable& tabela = Tabela();
    try {
        if (Localiza(Pessoa))
            tabela.Edit();
        else
            Insere(Pessoa);
        const auto grava = [&](const QString& nome, const QString& valor) {
            tabela.FieldByName(nome)->SetAsString(valor);
        };
        grava(NR_PF, Pessoa.GetRaiz());
        grava(NM_RESP, Pessoa.Nome().GetTexto());
        grava(ED_DDD, Pessoa.Fone().DDD().GetTexto());
        grava(ED_TELEFONE, Pessoa.Fone().Numero().GetTexto());
        grava(ED_RAMAL, Pessoa.Fone().Ramal().GetTexto());
        grava(ED_FAX, Pessoa.Fax().Numero().GetTexto());
        grava(ED_EMAIL, Pessoa.Email().GetTexto());
        Grava();
    } catch (const EDatabaseError& e) {
        tabela.Cancel();
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    } catch (const EColecaoError&) {
        // A row left half-edited would be posted by the next move of the table.
        tabela.Cancel();
        throw;
    }
}

void TColecaoResponsavel::Filtra(const TResponsavel& Pessoa)
{
    const QString raiz = Pessoa.GetRaiz();
    RestringeTabela(Tabela(), IndicePrimario, {raiz}, {raiz}, {NR_PF + QStringLiteral(" = ") + raiz});
    SetFiltrado(true);
}
