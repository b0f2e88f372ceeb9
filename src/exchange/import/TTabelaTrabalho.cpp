#include "exchange/import/TTabelaTrabalho.h"

#include <QStringList>

#include "model/storage/OperacoesTabela.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

bool MesmasColunas(const TEsquemaTabela& Esquema, const std::vector<TFieldDef>& Campos)
{
    if (Esquema.Campos.size() != Campos.size())
        return false;
    for (std::size_t i = 0; i < Campos.size(); ++i)
        if (Esquema.Campos[i].Name.compare(Campos[i].Name, Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

}   // namespace

TTabelaTrabalho::TTabelaTrabalho(QString Nome, const std::vector<TFieldDef>& Campos,
                                 const std::vector<TIndexDef>& Indices)
    : FNome(std::move(Nome))
{
    try {
        FBanco = TDatabase::DaPasta(DiretorioDados());
        const QString existente = FBanco->NomeReal(FNome);
        if (existente.isEmpty() || !MesmasColunas(TEsquemaTabela::Le(*FBanco, existente), Campos))
            TEsquemaTabela::Cria(*FBanco, FNome, Campos, Indices);
        else
            FNome = existente;
    } catch (const EDatabaseError& e) {
        Falha(e);
    }
    Esvazia();
}

TTabelaTrabalho::~TTabelaTrabalho() = default;

void TTabelaTrabalho::Falha(const std::exception& Erro) const
{
    throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ErroRetornado(FNome, TextoDaFalha(Erro)), 0);
}

QString TTabelaTrabalho::Tabela() const
{
    return TEsquemaTabela::Aspas(FNome);
}

bool TTabelaTrabalho::Executa(const QString& Sql, const QStringList& Valores)
{
    try {
        TComando& comando = FBanco->Comando(Sql);
        for (int i = 0; i < Valores.size(); ++i)
            comando.LigaTexto(i + 1, Valores.at(i));
        if (comando.SomenteLeitura()) {
            const bool linha = comando.Passo();
            comando.Reinicia();
            return linha;
        }
        FBanco->Escreve(comando);
        return false;
    } catch (const EDatabaseError& e) {
        Falha(e);
    }
}

void TTabelaTrabalho::Esvazia()
{
    Executa(QStringLiteral("DELETE FROM ") + Tabela(), {});
}

int TTabelaTrabalho::Quantidade()
{
    try {
        TComando& comando = FBanco->Comando(QStringLiteral("SELECT COUNT(*) FROM ") + Tabela());
        comando.Passo();
        const auto quantidade = static_cast<int>(comando.Inteiro(0));
        comando.Reinicia();
        return quantidade;
    } catch (const EDatabaseError& e) {
        Falha(e);
    }
}
