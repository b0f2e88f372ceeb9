#include "model/RotinasComprovante.h"

#include <vector>

#include "components/data/TdvTable.h"
#include "model/RotinasTabela.h"
#include "model/TErro.h"
#include "model/TMonetario.h"
#include "platform/db/EDatabaseError.h"
#include "platform/db/TDatabase.h"
#include "platform/db/TTransacao.h"

void FiltraFaixa(TdvTable& Tabela, const QVariantList& Inicio, const QVariantList& Fim, const QStringList& Linhas)
{
    Tabela.dvFilter().clear();
    Tabela.RefreshDvFilter();
    SelecionaIndiceTabela(Tabela, QString());
    Tabela.SetRange(Inicio, Fim);
    Tabela.dvFilter() = Linhas;
    Tabela.RefreshDvFilter();
}

void EmTransacao(TDatabase& Banco, const QString& Nome, const std::function<void()>& Acao,
                 const std::function<void()>& Desfaz)
{
    try {
        try {
            TTransacao transacao(Banco);
            Acao();
            transacao.Confirma();
        } catch (...) {
            // The transaction is rolled back by now: the tables read what is stored again.
            Desfaz();
            throw;
        }
    } catch (const EDatabaseError& e) {
        throw EColecaoError(141, ParametroEscrita(Nome, e), 0);
    }
}

void EmTransacao(TdvTable& Tabela, const std::function<void()>& Acao)
{
    EmTransacao(*Tabela.OpenDatabase(), Tabela.TableName(), Acao, [&] { DesfazEdicao(Tabela); });
}

void DesfazEdicao(TdvTable& Tabela)
{
    if (!Tabela.Active())
        return;
    if (Tabela.State() == dsEdit || Tabela.State() == dsInsert)
        Tabela.Cancel();
    Tabela.Refresh();
}

bool PercorreAplicando(TdvTable& Tabela, const std::function<bool()>& Aplica)
{
    bool aplicou = false;
    std::vector<TBookmark> recusadas;
    Tabela.First();
    while (!Tabela.Eof()) {
        if (Aplica())
            aplicou = true;
        else
            recusadas.push_back(Tabela.GetBookmark());
        Tabela.Next();
    }
    for (const TBookmark& marca : recusadas) {
        Tabela.GotoBookmark(marca);
        Tabela.Delete();
    }
    return aplicou;
}

void ExcluiEmVista(TdvTable& Tabela)
{
    Tabela.First();
    while (!Tabela.IsEmpty())
        Tabela.Delete();
}

void GravaMonetario(TField& Campo, const TMonetario& Valor)
{
    Campo.SetAsFixed4(Valor.GetValorPositivo());
}
