#include "components/data/datasets/dvAnswerTable.h"

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TConfiguracaoMotor.h"
#include "platform/db/cursors/TCursor.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

bool EhSeparador(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

void Copia(TCursor& resposta, TDatabase& banco, const QString& tabela)
{
    const std::vector<TFieldDef> campos = resposta.Campos();
    TTransacao transacao(banco);
    TEsquemaTabela::Cria(banco, tabela, campos, {});
    QStringList marcas;
    for (std::size_t i = 0; i < campos.size(); ++i)
        marcas << QStringLiteral("?");
    TComando insere(banco.Conexao(),
                    QStringLiteral("INSERT INTO %1 VALUES (%2)")
                        .arg(TEsquemaTabela::Aspas(TDatabase::NomeSemExtensao(tabela)), marcas.join(QLatin1Char(','))));
    TRegistro registro;
    for (bool ha = resposta.Busca(nullptr, gmNext, registro); ha; ha = resposta.Busca(&registro, gmNext, registro)) {
        insere.Reinicia();
        for (std::size_t i = 0; i < campos.size(); ++i) {
            const QVariant& valor = registro.Valores[i];
            // Text columns hold no NULL: a blank text is empty.
            insere.Liga(static_cast<int>(i) + 1,
                        IsTextType(campos[i].DataType) && !valor.isValid() ? QVariant(QString()) : valor);
        }
        banco.Escreve(insere);
    }
    transacao.Confirma();
}

}   // namespace

bool dvCreateQBEAnswerTable(TCursor& answer, const QString& answerTable, TDatabase& database)
{
    if (answerTable.isEmpty())
        return true;
    QString caminho = answerTable;
    if (answerTable.startsWith(QLatin1Char(':'))) {
        const qsizetype fim = answerTable.indexOf(QLatin1Char(':'), 1);
        const QString alias = fim > 0 ? answerTable.mid(1, fim - 1) : QString();
        QString pasta = alias.isEmpty() ? QString() : TConfiguracaoMotor::Entrada(alias, QStringLiteral("PATH"));
        if (pasta.isEmpty()) {
            InterfaceUsuario::Mostra(QStringLiteral("Invalid Alias in QBE"), TipoDialogo::Erro, Botao::Ok);
            return false;
        }
        if (!EhSeparador(pasta.back()))
            pasta += QLatin1Char('/');
        caminho = pasta + answerTable.mid(fim + 1);
    }
    qsizetype corte = caminho.size() - 1;
    while (corte >= 0 && !EhSeparador(caminho.at(corte)))
        --corte;
    const QString tabela = caminho.mid(corte + 1);
    try {
        if (tabela.isEmpty())
            throw EDatabaseError(QStringLiteral("no table name"));
        if (corte < 0) {
            Copia(answer, database, tabela);
        } else {
            // Another folder: its own database, created when the folder has none yet.
            const auto outro = TDatabase::DaPasta(caminho.left(corte));
            Copia(answer, *outro, tabela);
        }
    } catch (const std::exception& e) {
        qWarning("answer table %s: %s", qUtf8Printable(answerTable), e.what());
        InterfaceUsuario::Mostra(QStringLiteral("Unable to create answer table ") + answerTable, TipoDialogo::Erro,
                                 Botao::Ok);
        return false;
    }
    return true;
}
