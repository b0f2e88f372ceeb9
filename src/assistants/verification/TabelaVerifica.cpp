#include "assistants/verification/TabelaVerifica.h"

#include "components/data/datasets/TdvTable.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace TabelaVerifica {

namespace {

QString Nome(const char* campo)
{
    return QLatin1String(campo);
}

}   // namespace

std::vector<TFieldDef> Campos()
{
    return TabelaVerificaPrograma().Campos;
}

bool Reinicia(TdvTable& Tabela)
{
    if (Tabela.Active())
        Tabela.Close();
    try {
        if (!Tabela.Exists())
            Tabela.CreateTable(Campos(), {});
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(Tabela.TableName(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
    try {
        Tabela.EmptyTable();
    } catch (const EDatabaseError& e) {
        throw EDbError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(Tabela.TableName(), e), 0);
    }
    CompactaTabela(Tabela);
    return AbreTabela(Tabela);
}

void Inclui(TdvTable& Tabela, const QString& AQuemPertence, const QString& QuemEh, int Objeto, int Gravidade,
            const QString& Descricao)
{
    try {
        Tabela.Append();
        Tabela.FieldByName(Nome(A_QUEM_PERTENCE))->SetAsString(AQuemPertence);
        Tabela.FieldByName(Nome(QUEM_EH))->SetAsString(QuemEh);
        Tabela.FieldByName(Nome(OBJETO))->SetAsInteger(Objeto);
        Tabela.FieldByName(Nome(GRAVIDADE))->SetAsInteger(Gravidade);
        Tabela.FieldByName(Nome(DESCRICAO))->SetAsString(Descricao);
        GravaTabela(Tabela);
    } catch (...) {
        // A row that could not be written is not left pending, to be posted by the next move.
        if (EmEdicao(Tabela))
            Tabela.Cancel();
        throw;
    }
}

QString Codigo(const QString& Descricao)
{
    return Descricao.left(2);
}

QString Texto(const QString& Descricao, int Tamanho)
{
    return Descricao.mid(2, Tamanho);
}

QString Descricao(const TDataSet& Tabela)
{
    return Tabela.FieldByName(Nome(DESCRICAO))->AsString();
}

int Gravidade(const TDataSet& Tabela)
{
    return Tabela.FieldByName(Nome(GRAVIDADE))->AsInteger();
}

bool ItemPendente(const TDataSet& Tabela)
{
    const int gravidade = Gravidade(Tabela);
    return gravidade == GravidadeAviso || gravidade == GravidadeErro;
}

}   // namespace TabelaVerifica
