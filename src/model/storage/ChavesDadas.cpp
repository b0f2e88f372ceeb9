#include "model/storage/ChavesDadas.h"

#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

const QString CAMPO = QStringLiteral("CAMPO");
const QString ULTIMA = QStringLiteral("ULTIMA");

}   // namespace

namespace ChavesDadas {

QString NomeArquivo()
{
    return QStringLiteral("ChavesDadas.db");
}

std::vector<TFieldDef> Campos()
{
    return {{CAMPO, ftString, 30}, {ULTIMA, ftLargeint}};
}

std::vector<TIndexDef> Indices()
{
    return {{QString(), CAMPO, TIndexOption::ixPrimary | TIndexOption::ixUnique}};
}

qint64 Maior(TDatabase& Banco, const QString& Coluna)
{
    const QString tabela = Banco.NomeReal(NomeArquivo());
    if (tabela.isEmpty())
        return 0;
    TComando& c = Banco.Comando(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?1").arg(ULTIMA, TEsquemaTabela::Aspas(tabela), CAMPO));
    c.LigaTexto(1, Coluna);
    const qint64 maior = c.Passo() && !c.Nulo(0) ? c.Inteiro(0) : 0;
    c.Reinicia();
    return maior;
}

void Registra(TDatabase& Banco, const QString& Coluna, qint64 Chave)
{
    QString tabela = Banco.NomeReal(NomeArquivo());
    if (tabela.isEmpty()) {
        TEsquemaTabela::Cria(Banco, NomeArquivo(), Campos(), Indices());
        tabela = Banco.NomeReal(NomeArquivo());
    }
    TComando& c = Banco.Comando(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?1, ?2) ON CONFLICT (%2) DO "
                                               "UPDATE SET %3 = max(%3, excluded.%3)")
                                    .arg(TEsquemaTabela::Aspas(tabela), CAMPO, ULTIMA));
    c.LigaTexto(1, Coluna);
    c.LigaInteiro(2, Chave);
    Banco.Escreve(c);
}

}   // namespace ChavesDadas
