#include "model/storage/OperacoesTabela.h"

#include <utility>

#include "components/data/datasets/TdvTable.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"

bool ErroIndice = false;

QString TextoDoMotor(const EDatabaseError& Erro)
{
    QString texto = Erro.Mensagem();
    if (const auto* motor = dynamic_cast<const EDBEngineError*>(&Erro)) {
        // The user reads the reason; SQLite's own text stays for whoever helps them.
        qWarning("database engine: %s", Erro.what());
        texto = motor->Motivo();
        if (texto.isEmpty())
            texto = QStringLiteral("o banco de dados recusou a operação (código %1)").arg(motor->Codigo());
        if (!motor->Causa().isEmpty())
            texto += QStringLiteral(": ") + motor->Causa();
        // Retrying cannot mend damaged pages: the user is told what can.
        if (motor->Danificado())
            texto += QStringLiteral(": utilize a opção Reorganizar Tabelas de Dados do menu Ferramentas ou "
                                    "restaure uma cópia de segurança");
    }
    texto.replace(QLatin1Char(';'), QLatin1Char(','));
    return texto;
}

QString TextoDaFalha(const std::exception& Erro)
{
    if (const auto* banco = dynamic_cast<const EDatabaseError*>(&Erro))
        return TextoDoMotor(*banco);
    return QString::fromUtf8(Erro.what());
}

QString ParametroEscrita(const QString& Nome, const EDatabaseError& Erro)
{
    return ErroRetornado(Nome, TextoDoMotor(Erro));
}

QString ParametroAbertura(const QString& Nome, const EDatabaseError& Erro)
{
    return Nome + QStringLiteral(".  Erro Retornado: ") + TextoDoMotor(Erro);
}

std::unique_ptr<TdvTable> CriaTabela(const QString& NomeArquivo)
{
    auto tabela = std::make_unique<TdvTable>();
    tabela->SetDatabaseName(DiretorioDados());
    tabela->SetTableName(NomeArquivo);
    tabela->SetTableType(ttParadox);
    return tabela;
}

bool AbreTabela(TdvTable& Tabela)
{
    bool aberta = false;
    {
        TCursorOcupado ampulheta;
        try {
            if (Tabela.Active())
                Tabela.Close();
            Tabela.SetDatabaseName(DiretorioDados());
            Tabela.Open();
            aberta = true;
        } catch (const EDatabaseError& e) {
            TErro::MostraMensagem(
                TErro::FormataMensagem(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(Tabela.TableName(), e)),
                TipoDialogo::Erro, Botao::Ok, 0);
        }
    }
    InterfaceUsuario::Atividade().MantemVivo();
    return aberta;
}

void EmReposicaoAdiada(TdvTable& Tabela, const std::function<void()>& Acao)
{
    Tabela.AdiaReposicao();
    try {
        Acao();
    } catch (...) {
        try {
            Tabela.Repoe();
        } catch (const std::exception& e) {
            // The failure that stopped the change is the one reported.
            qWarning("rereading %s after a failed change: %s", qUtf8Printable(Tabela.TableName()), e.what());
        }
        throw;
    }
    Tabela.Repoe();
}

void FechaTabela(TdvTable& Tabela)
{
    if (!Tabela.Active())
        return;
    Tabela.dvFilter().clear();
    // Closed next: the rows without the filter are never read.
    EmReposicaoAdiada(Tabela, [&] {
        Tabela.RefreshDvFilter();
        Tabela.Close();
    });
}

void GravaDisco(TdvTable& Tabela)
{
    if (Tabela.Active())
        Tabela.FlushBuffers();
}

bool GravaTabela(TdvTable& Tabela)
{
    try {
        if (EmEdicao(Tabela))
            Tabela.Post();
        GravaDisco(Tabela);
    } catch (const EDatabaseError& e) {
        throw EDbError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(Tabela.TableName(), e), 0);
    }
    return true;
}

bool EmEdicao(const TdvTable& Tabela)
{
    return Tabela.State() == dsEdit || Tabela.State() == dsInsert;
}

void DescartaEdicao(TdvTable& Tabela)
{
    if (!Tabela.Active())
        return;
    if (EmEdicao(Tabela) || Tabela.State() == dsSetKey)
        Tabela.Cancel();
    Tabela.Refresh();
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
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(Nome, e), 0);
    }
}

void EmTransacao(TdvTable& Tabela, const std::function<void()>& Acao)
{
    EmTransacao(*Tabela.OpenDatabase(), Tabela.TableName(), Acao, [&] { DescartaEdicao(Tabela); });
}

void CompactaTabela(TdvTable& Tabela)
{
    {
        TCursorOcupado ampulheta;
        Tabela.Close();
        QString erro;
        while (!Tabela.PackTable(erro)) {
            const QString pergunta = QStringLiteral("Não foi possível eliminar as exclusões da Tabela ")
                + Tabela.TableName() + (erro.isEmpty() ? QString() : QStringLiteral(": ") + erro)
                + QStringLiteral(".  Tentar Novamente?");
            if (TErro::MostraMensagem(pergunta, TipoDialogo::Erro, Botao::Sim | Botao::Nao, 0) != Resposta::Sim)
                break;
        }
        Tabela.Close();
    }
    InterfaceUsuario::Atividade().MantemVivo();
}

void RestringeTabela(TdvTable& Tabela, const QString& Indice, const QVariantList& Inicio, const QVariantList& Fim,
                     const QStringList& Linhas)
{
    const auto restringe = [&] {
        Tabela.dvFilter().clear();
        Tabela.RefreshDvFilter();
        SelecionaIndiceTabela(Tabela, Indice);
        Tabela.SetRange(Inicio, Fim);   // refused when the table is closed
        Tabela.dvFilter() = Linhas;
        Tabela.RefreshDvFilter();
    };
    if (!Tabela.Active()) {
        restringe();
        return;
    }
    // An edit under way is stored (or dropped) before anything moves, as the first refresh would.
    Tabela.CheckBrowseMode();
    // The rows are read once, under the new order, range and filter, and not after each step.
    EmReposicaoAdiada(Tabela, std::ref(restringe));   // held by reference: nothing copied
}

void SelecionaIndiceTabela(TdvTable& Tabela, const QString& Nome)
{
    try {
        Tabela.SetIndexName(Nome);
    } catch (const EDatabaseError& e) {
        ErroIndice = true;
        throw EDadosError(CodigoMensagem::IndiceNaoSelecionado, ParametroAbertura(Nome, e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
}
