#include "model/storage/DonosDeFundo.h"

#include <algorithm>

#include "model/storage/ChavesDadas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/CodigoMensagem.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

const QString Anexo = QStringLiteral("Anexo.db");
const QString ANEXO_DK = QStringLiteral("ANEXO_DK");
const QString Dono = TEsquemaTabela::Aspas(QStringLiteral("E_PRUV/ANEXO_DK"));

// The stored name, quoted; empty when the table is not made yet.
QString Tabela(TDatabase& Banco, const QString& Nome)
{
    const QString real = Banco.NomeReal(Nome);
    return real.isEmpty() ? QString() : TEsquemaTabela::Aspas(real);
}

// The first column of the first row as a number, 0 for none.
qint64 Numero(TDatabase& Banco, const QString& Sql)
{
    TComando& c = Banco.Comando(Sql);
    const qint64 n = c.Passo() && !c.Nulo(0) ? c.Inteiro(0) : 0;
    c.Reinicia();
    return n;
}

// The highest all-digit key of the column among the rows of Condicao (" WHERE ..."), 0 for none.
// A key of the program's five digits, the last in the column's order, is the highest number; any
// other form has every key weighed.
qint64 MaiorChave(TDatabase& Banco, const QString& Nome, const QString& Coluna, const QString& Condicao)
{
    const QString tabela = Tabela(Banco, Nome);
    if (tabela.isEmpty())
        return 0;
    TComando& c = Banco.Comando(QStringLiteral("SELECT max(%1) FROM %2%3").arg(Coluna, tabela, Condicao));
    const QString ultima = c.Passo() && !c.Nulo(0) ? c.Texto(0) : QString();
    c.Reinicia();
    bool numero = false;
    const qint64 valor = ultima.toLongLong(&numero);
    if (numero && ultima.size() == 5 && ultima.front().isDigit())
        return valor;
    if (ultima.isEmpty())
        return 0;
    const QString e = Condicao.isEmpty() ? QStringLiteral(" WHERE") : Condicao + QStringLiteral(" AND");
    return Numero(Banco,
                  QStringLiteral("SELECT max(CAST(%1 AS INTEGER)) FROM %2%3 %1 <> '' AND %1 NOT GLOB "
                                 "'*[^0-9]*'")
                      .arg(Coluna, tabela, e));
}

}   // namespace

namespace DonosDeFundo {

bool FundoArmazenado(TDatabase& Banco, const QString& ChaveDeclaracao, const QString& ChaveFundo)
{
    const QString anexos = Tabela(Banco, Anexo);
    if (anexos.isEmpty())
        return false;
    TComando& c = Banco.Comando(
        QStringLiteral("SELECT 1 FROM %1 WHERE ANEXO_DK = ?1 AND E_PRUV_DK = ?2 LIMIT 1").arg(anexos));
    c.LigaTexto(1, ChaveFundo);
    c.LigaTexto(2, ChaveDeclaracao);
    const bool existe = c.Passo();
    c.Reinicia();
    return existe;
}

qint64 MaiorChaveEmUso(TDatabase& Banco)
{
    // The rows that hold a fund's key by their primary index (IN_ANEXO first, then the owner):
    // the last owner is one seek.
    return std::max(MaiorChave(Banco, QStringLiteral("PruvItem.DB"), Dono, QStringLiteral(" WHERE IN_ANEXO = '1'")),
                    MaiorChave(Banco, QStringLiteral("Judicial.db"), Dono, QStringLiteral(" WHERE IN_ANEXO = '1'")));
}

qint64 MaiorChaveDada(TDatabase& Banco)
{
    return std::max(
        {ChavesDadas::Maior(Banco, ANEXO_DK), MaiorChave(Banco, Anexo, ANEXO_DK, QString()), MaiorChaveEmUso(Banco)});
}

void RegistraChaveDada(TDatabase& Banco, qint64 Chave)
{
    ChavesDadas::Registra(Banco, ANEXO_DK, Chave);
}

QStringList ChavesSemFundo(TDatabase& Banco, const QString& ChaveDeclaracao)
{
    const QString itens = Tabela(Banco, QStringLiteral("PruvItem.DB"));
    if (itens.isEmpty())
        return {};
    // From owner to owner of the declaration's fund items, by the index that begins with the
    // declaration: one seek a fund, whatever its items and whatever other declarations hold.
    TComando& proximo = Banco.Comando(QStringLiteral("SELECT %1 FROM %2 WHERE E_PRUV_DK = ?1 AND IN_ANEXO = '1' "
                                                     "AND %1 > ?2 ORDER BY %1 LIMIT 1")
                                          .arg(Dono, itens));
    QStringList chaves;
    QString dono;
    for (;;) {
        proximo.LigaTexto(1, ChaveDeclaracao);
        proximo.LigaTexto(2, dono);
        const bool achou = proximo.Passo();
        if (achou)
            dono = proximo.Texto(0);
        proximo.Reinicia();
        if (!achou)
            return chaves;
        if (!FundoArmazenado(Banco, ChaveDeclaracao, dono))
            chaves << dono;
    }
}

QStringList DeclaracoesComItensSemFundo(TDatabase& Banco)
{
    const QString itens = Tabela(Banco, QStringLiteral("PruvItem.DB"));
    if (itens.isEmpty())
        return {};
    TComando& c = Banco.Comando(
        QStringLiteral("SELECT DISTINCT E_PRUV_DK FROM %1 WHERE IN_ANEXO = '1' ORDER BY E_PRUV_DK").arg(itens));
    QStringList donas;
    while (c.Passo())
        donas << c.Texto(0);
    c.Reinicia();
    QStringList chaves;
    for (const QString& chave : donas)
        if (!ChavesSemFundo(Banco, chave).isEmpty())
            chaves << chave;
    return chaves;
}

void ExigeFundo(TDatabase& Banco, const QString& ChaveDeclaracao, const QString& ChaveFundo, const QString& Tabela)
{
    bool existe = false;
    try {
        existe = FundoArmazenado(Banco, ChaveDeclaracao, ChaveFundo);
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(Tabela, e), 0);
    }
    if (!existe)
        throw EColecaoError(CodigoMensagem::FundoInexistente, QString(), 0);
}

}   // namespace DonosDeFundo
