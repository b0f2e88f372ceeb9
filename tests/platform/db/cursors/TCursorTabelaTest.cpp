#include <gtest/gtest.h>

#include <functional>

#include <algorithm>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/datasets/TTable.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

QStringList Valores(TTable& tabela, int campo)
{
    QStringList valores;
    for (tabela.First(); !tabela.Eof(); tabela.Next())
        valores << tabela.Fields(campo)->AsString();
    return valores;
}

// A table without primary key: its rows are told apart by SQLite's rowid.
TEST(TCursorTabela, ATableWithoutKeyWalksInRowOrderAndSurvivesDeletes)
{
    auto banco = Banco();
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("Verifica.DB"));
    tabela.CreateTable({{QStringLiteral("OBJETO"), ftSmallint}, {QStringLiteral("DESCRICAO"), ftString, 20}}, {});
    tabela.Open();
    for (int i = 1; i <= 6; ++i) {
        tabela.Append();
        tabela.Fields(0)->SetAsInteger(7 - i);
        tabela.Fields(1)->SetAsString(QStringLiteral("linha %1").arg(i));
        tabela.Post();
    }
    EXPECT_EQ(Valores(tabela, 0), (QStringList{"6", "5", "4", "3", "2", "1"}));
    tabela.First();
    const TBookmark primeira = tabela.GetBookmark();
    tabela.Next();
    QStringList correntes;
    for (int i = 0; i < 5; ++i) {
        tabela.Delete();
        correntes << tabela.Fields(1)->AsString();
    }
    // The next record becomes current; after the last one, the one before it.
    EXPECT_EQ(correntes, (QStringList{"linha 3", "linha 4", "linha 5", "linha 6", "linha 1"}));
    EXPECT_FALSE(tabela.Eof());
    EXPECT_EQ(tabela.RecordCount(), 1);
    tabela.GotoBookmark(primeira);
    EXPECT_EQ(tabela.Fields(1)->AsString(), QStringLiteral("linha 1"));
}

// A numeric index field may be blank: blanks come first and the walk does not stop at them.
TEST(TCursorTabela, BlankNumbersInAnIndexSortFirstAndAreWalkedPast)
{
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("Resumo"));
    tabela.CreateTable(
        {{QStringLiteral("K"), ftString, 3}, {QStringLiteral("N"), ftInteger}},
        {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}, {QStringLiteral("IN"), QStringLiteral("N"), 0}});
    tabela.Open();
    const struct {
        const char* chave;
        const char* numero;
    } linhas[] = {{"a", "3"}, {"b", ""}, {"c", "1"}, {"d", ""}, {"e", "2"}};
    for (const auto& l : linhas) {
        tabela.Append();
        tabela.Fields(0)->SetAsString(QString::fromUtf8(l.chave));
        tabela.Fields(1)->SetAsString(QString::fromUtf8(l.numero));
        tabela.Post();
    }
    tabela.SetIndexName(QStringLiteral("IN"));
    EXPECT_EQ(Valores(tabela, 0), (QStringList{"b", "d", "c", "e", "a"}));
    tabela.Last();
    QStringList paraTras;
    while (!tabela.Bof()) {
        paraTras << tabela.Fields(0)->AsString();
        tabela.Prior();
    }
    EXPECT_EQ(paraTras, (QStringList{"a", "e", "c", "d", "b"}));
    tabela.SetRange({1}, {2});
    EXPECT_EQ(Valores(tabela, 0), (QStringList{"c", "e"}));
}

// Buffers in the engine's filter format that are no condition or point outside themselves.
TEST(TCursorTabela, MalformedFilterExpressionsAreRefused)
{
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("F"));
    tabela.CreateTable({{QStringLiteral("ANO"), ftSmallint}}, {});
    tabela.Open();
    const QByteArray valida = QByteArray::fromHex("0100"
                                                  "3a00"
                                                  "0300"
                                                  "0a00"
                                                  "3400"
                                                  "02000000"
                                                  "03000000"
                                                  "1c00"
                                                  "0e00"
                                                  "0000"
                                                  "05000000"
                                                  "0e000000"
                                                  "0500"
                                                  "0200"
                                                  "0400"
                                                  "04000000"
                                                  "0d000000"
                                                  "0100"
                                                  "0000"
                                                  "0000"
                                                  "414e4f00"
                                                  "d207");
    const int handle = tabela.AddFilterExpression(valida);
    tabela.DropFilter(handle);

    auto altera = [&](int posicao, const char* hex) {
        QByteArray b = valida;
        const QByteArray bytes = QByteArray::fromHex(hex);
        b.replace(posicao, bytes.size(), bytes);
        return b;
    };
    const struct {
        const char* caso;
        QByteArray expressao;
    } casos[] = {
        {"too short", valida.left(8)},
        {"version", altera(0, "0200")},
        {"size beyond the buffer", altera(2, "ff00")},
        {"child outside the nodes", altera(18, "2a00")},
        {"child not on a slot", altera(18, "1d00")},
        {"unknown node class", altera(10, "09000000")},
        {"unknown operator", altera(14, "63000000")},
        {"name outside the pool", altera(48, "4000")},
        {"no such field", altera(52, "58")},
        {"a value as condition",
         valida.left(10)
             + QByteArray::fromHex("04000000"
                                   "0d000000"
                                   "0100"
                                   "0000"
                                   "0000")},
        {"self reference", altera(18, "0000")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_THROW(tabela.AddFilterExpression(c.expressao), EDatabaseError);
    }
}

TEST(TCursorTabela, NestedTransactionsAreSavepoints)
{
    auto banco = Banco();
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("N"));
    tabela.CreateTable({{QStringLiteral("K"), ftString, 3}},
                       {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}});
    tabela.Open();
    auto insere = [&](const char* chave) {
        tabela.Append();
        tabela.Fields(0)->SetAsString(QString::fromUtf8(chave));
        tabela.Post();
    };
    {
        TTransacao externa(*banco);
        insere("a");
        {
            TTransacao interna(*banco);
            insere("b");
        }   // the inner one is undone alone
        insere("c");
        externa.Confirma();
    }
    EXPECT_EQ(Valores(tabela, 0), (QStringList{"a", "c"}));
    TTransacao primeira(*banco);
    const int nivel = banco->IniciaTransacao();
    EXPECT_THROW(banco->ConfirmaTransacao(nivel - 1), EDatabaseError) << "transactions close in reverse order";
    banco->DesfazTransacao(nivel);
}

TEST(TCursorTabela, WriteThroughCallsNestAndTheLastOneCommits)
{
    auto banco = Banco();
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("W"));
    tabela.CreateTable({{QStringLiteral("K"), ftString, 3}}, {});
    tabela.Open();
    banco->SetWriteThrough(false);
    banco->SetWriteThrough(false);
    tabela.Append();
    tabela.Fields(0)->SetAsString(QStringLiteral("x"));
    tabela.Post();
    banco->SetWriteThrough(true);
    EXPECT_FALSE(banco->WriteThrough());
    EXPECT_EQ(banco->ProfundidadeTransacao(), 1);
    banco->SetWriteThrough(true);
    EXPECT_TRUE(banco->WriteThrough());
    EXPECT_EQ(banco->ProfundidadeTransacao(), 0);
    banco->SetWriteThrough(true);   // one too many does nothing
    EXPECT_EQ(tabela.RecordCount(), 1);
}

TEST(TCursorTabela, ValuesAreBoundNeverPastedIntoStatements)
{
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("Aspas"));
    tabela.CreateTable({{QStringLiteral("K"), ftString, 30}, {QStringLiteral("V\"X"), ftString, 30}},
                       {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}});
    tabela.Open();
    const QString perigoso = QStringLiteral("'); DROP TABLE Aspas; --");
    tabela.Append();
    tabela.Fields(0)->SetAsString(perigoso);
    tabela.FieldByName(QStringLiteral("V\"X"))->SetAsString(QStringLiteral("ok"));
    tabela.Post();
    EXPECT_TRUE(tabela.FindKey({perigoso}));
    EXPECT_TRUE(tabela.Locate(QStringLiteral("V\"X"), {QStringLiteral("ok")}, 0));
    tabela.Close();
    EXPECT_TRUE(tabela.Exists());
}

// Searches keep their statements between calls; a change of the schema, a rebuilt table or
// packing the database must find them ready, never stale or still running.
TEST(TCursorTabela, KeptSearchStatementsSurviveSchemaChangesAndPacking)
{
    auto banco = Banco();
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("Cache"));
    auto cria = [&](const QString& outra) {
        tabela.CreateTable({{QStringLiteral("K"), ftString, 3}, {outra, ftString, 10}},
                           {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}});
        tabela.Open();
        for (const char* k : {"a", "b", "c"}) {
            tabela.Append();
            tabela.Fields(0)->SetAsString(QString::fromUtf8(k));
            tabela.Fields(1)->SetAsString(QStringLiteral("n") + QString::fromUtf8(k));
            tabela.Post();
        }
    };
    cria(QStringLiteral("NOME"));
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("b")}));
    EXPECT_TRUE(tabela.Locate(QStringLiteral("NOME"), {QStringLiteral("nc")}, 0));

    tabela.AddIndex(QStringLiteral("INome"), QStringLiteral("NOME"), TIndexOption::ixCaseInsensitive);
    tabela.SetIndexName(QStringLiteral("INome"));
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("NA")}));
    EXPECT_EQ(tabela.Fields(0)->AsString(), QStringLiteral("a"));
    tabela.SetIndexName(QString());
    tabela.DeleteIndex(QStringLiteral("INome"));
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("c")}));

    tabela.First();
    tabela.Next();   // a walk left half way
    EXPECT_EQ(tabela.Lookup(QStringLiteral("K"), {QStringLiteral("a")}, QStringLiteral("NOME")),
              QVariant(QStringLiteral("na")));
    EXPECT_EQ(tabela.RecordCount(), 3);
    EXPECT_NO_THROW(banco->Compacta());
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("a")}));
    EXPECT_TRUE(tabela.Locate(QStringLiteral("NOME"), {QStringLiteral("nb")}, 0));
    EXPECT_EQ(tabela.Fields(0)->AsString(), QStringLiteral("b"));

    // The same table made again with another column: the searches read the new one.
    tabela.Close();
    cria(QStringLiteral("DESCRICAO"));
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("b")}));
    EXPECT_EQ(tabela.Fields(1)->AsString(), QStringLiteral("nb"));
    EXPECT_TRUE(tabela.Locate(QStringLiteral("DESCRICAO"), {QStringLiteral("nc")}, 0));
    EXPECT_NO_THROW(banco->Compacta());
}

// A filter that searches the same table while a search of that kind is stepping through its
// candidates: each search runs on its own statement.
TEST(TCursorTabela, ASearchStartedByTheFilterOfTheSameSearchDoesNotDisturbIt)
{
    TTable tabela;
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("Reentra"));
    tabela.CreateTable({{QStringLiteral("K"), ftString, 3}, {QStringLiteral("NOME"), ftString, 10}},
                       {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}});
    tabela.Open();
    for (const auto& [k, nome] : {std::pair{"1", "a"}, {"2", "b"}, {"3", "a"}, {"4", "b"}}) {
        tabela.Append();
        tabela.Fields(0)->SetAsString(QString::fromUtf8(k));
        tabela.Fields(1)->SetAsString(QString::fromUtf8(nome));
        tabela.Post();
    }
    bool dentro = false;
    int buscasInternas = 0;
    const int handle = tabela.AddFilterCallback([&] {
        const bool aceita = tabela.Fields(0)->AsString() != QLatin1String("1");
        if (!dentro) {
            dentro = true;
            buscasInternas += tabela.Locate(QStringLiteral("NOME"), {QStringLiteral("b")}, 0) ? 1 : 0;
            buscasInternas += tabela.FindKey({QStringLiteral("4")}) ? 1 : 0;
            dentro = false;
        }
        return aceita;
    });
    tabela.ActivateFilter(handle);
    EXPECT_TRUE(tabela.Locate(QStringLiteral("NOME"), {QStringLiteral("a")}, 0));
    EXPECT_EQ(tabela.Fields(0)->AsString(), QStringLiteral("3"));
    EXPECT_TRUE(tabela.FindKey({QStringLiteral("2")}));
    EXPECT_EQ(tabela.Fields(1)->AsString(), QStringLiteral("b"));
    EXPECT_GT(buscasInternas, 0);
}

}   // namespace

namespace filtros {

// ANO = 2002, in the engine's serialised form.
QByteArray AnoIgual2002()
{
    return QByteArray::fromHex("0100"
                               "3a00"
                               "0300"
                               "0a00"
                               "3400"
                               "02000000"
                               "03000000"
                               "1c00"
                               "0e00"
                               "0000"
                               "05000000"
                               "0e000000"
                               "0500"
                               "0200"
                               "0400"
                               "04000000"
                               "0d000000"
                               "0100"
                               "0000"
                               "0000"
                               "414e4f00"
                               "d207");
}

// Forty rows keyed "001".."040": a year, a group, a number and a name that is blank in every
// fifth row.
void CriaTabela(TTable& tabela)
{
    tabela.SetDatabaseName(PastaDados());
    tabela.SetTableName(QStringLiteral("Filtrada"));
    tabela.CreateTable({{QStringLiteral("K"), ftString, 3},
                        {QStringLiteral("ANO"), ftSmallint},
                        {QStringLiteral("GRUPO"), ftString, 2},
                        {QStringLiteral("N"), ftInteger},
                        {QStringLiteral("NOME"), ftString, 10},
                        {QStringLiteral("VALOR"), ftCurrency}},
                       {{QString(), QStringLiteral("K"), TIndexOption::ixPrimary}});
    tabela.Open();
    for (int i = 1; i <= 40; ++i) {
        tabela.Append();
        tabela.Fields(0)->SetAsString(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        tabela.Fields(1)->SetAsInteger(i % 3 == 0 ? 2002 : 2001);
        tabela.Fields(2)->SetAsString(QStringLiteral("G%1").arg(i % 4));
        tabela.Fields(3)->SetAsInteger(i);
        if (i % 5 != 0)
            tabela.Fields(4)->SetAsString(QStringLiteral("nome %1").arg(i));
        tabela.Fields(5)->SetAsFixed4(i * 12345);
        tabela.Post();
    }
}

// Reads the number only for one group, so that a column is first asked in the middle of a walk.
bool Aceita(TTable& tabela)
{
    const QString grupo = tabela.Fields(2)->AsString();
    return grupo == QLatin1String("G2") || (grupo == QLatin1String("G1") && tabela.Fields(3)->AsInteger() > 20);
}

QStringList Chaves(TTable& tabela, bool paraTras)
{
    QStringList chaves;
    if (paraTras) {
        for (tabela.Last(); !tabela.Bof(); tabela.Prior())
            chaves.prepend(tabela.Fields(0)->AsString());
    } else {
        for (tabela.First(); !tabela.Eof(); tabela.Next())
            chaves << tabela.Fields(0)->AsString();
    }
    return chaves;
}

// The rows of the plain walk that the callback takes, read outside any filter.
QStringList Esperadas(TTable& tabela)
{
    QStringList chaves;
    for (tabela.First(); !tabela.Eof(); tabela.Next()) {
        if (Aceita(tabela))
            chaves << tabela.Fields(0)->AsString();
    }
    return chaves;
}

}   // namespace filtros

// The callback filter runs inside the engine's walk: forwards, backwards, counted, with a range
// and an expression filter, and after writes, it gives the rows the plain walk gives it.
TEST(TCursorTabela, ACallbackFilterGivesTheRowsThePlainWalkGivesIt)
{
    using namespace filtros;
    TTable tabela;
    CriaTabela(tabela);
    const int callback = tabela.AddFilterCallback([&] { return Aceita(tabela); });
    const struct {
        const char* caso;
        bool faixa;
        bool expressao;
    } casos[] = {{"alone", false, false}, {"range", true, false}, {"expression", false, true}, {"both", true, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        tabela.CancelRange();
        const int expressao = c.expressao ? tabela.AddFilterExpression(AnoIgual2002()) : 0;
        if (expressao)
            tabela.ActivateFilter(expressao);
        if (c.faixa)
            tabela.SetRange({QStringLiteral("008")}, {QStringLiteral("033")});
        tabela.Refresh();
        const QStringList esperadas = Esperadas(tabela);
        ASSERT_FALSE(esperadas.isEmpty());
        tabela.ActivateFilter(callback);
        tabela.Refresh();
        EXPECT_EQ(Chaves(tabela, false), esperadas);
        EXPECT_EQ(Chaves(tabela, true), esperadas);
        EXPECT_EQ(tabela.RecordCount(), esperadas.size());
        tabela.First();
        tabela.MoveBy(2);
        EXPECT_EQ(tabela.RecNo(), 3);
        EXPECT_TRUE(tabela.Locate(QStringLiteral("K"), {esperadas.last()}, 0));
        EXPECT_FALSE(tabela.Locate(QStringLiteral("K"), {QStringLiteral("004")}, 0)) << "G0 is refused";
        tabela.DeactivateFilter(callback);
        if (expressao)
            tabela.DropFilter(expressao);
    }

    // Writes between the reads: a new row that the callback takes, a row changed so that it no
    // longer does, a row deleted.
    tabela.CancelRange();
    tabela.ActivateFilter(callback);
    tabela.Refresh();
    tabela.Append();
    tabela.Fields(0)->SetAsString(QStringLiteral("041"));
    tabela.Fields(2)->SetAsString(QStringLiteral("G2"));
    tabela.Post();
    ASSERT_TRUE(tabela.Locate(QStringLiteral("K"), {QStringLiteral("006")}, 0));
    const TBookmark marca = tabela.GetBookmark();
    tabela.Next();
    tabela.Edit();
    tabela.Fields(2)->SetAsString(QStringLiteral("G0"));
    tabela.Post();
    ASSERT_TRUE(tabela.Locate(QStringLiteral("K"), {QStringLiteral("014")}, 0));
    tabela.Delete();
    const QStringList depois = Chaves(tabela, false);
    tabela.DeactivateFilter(callback);
    tabela.Refresh();
    EXPECT_EQ(depois, Esperadas(tabela));
    EXPECT_TRUE(depois.contains(QStringLiteral("041")));
    EXPECT_FALSE(depois.contains(QStringLiteral("010")));
    EXPECT_FALSE(depois.contains(QStringLiteral("014")));
    tabela.ActivateFilter(callback);
    tabela.GotoBookmark(marca);
    EXPECT_EQ(tabela.Fields(0)->AsString(), QStringLiteral("006"));
}

// Inside the engine every column reads as the plain walk reads it: texts, blanks, numbers and
// money, whether the column was handed to the filter or read with the whole row (found by its
// place in a walk over the table, or by its key in a walk over another index).
TEST(TCursorTabela, TheFilteredRowReadsAsThePlainWalk)
{
    using namespace filtros;
    const struct {
        const char* caso;
        const char* campoIndice;   // of a secondary index, when there is one
        bool ordemDoIndice;
        bool expressao;
    } casos[] = {
        {"table order", nullptr, false, false},
        {"index order", "GRUPO", true, false},
        {"table order, expression SQLite answers by an index", "ANO", false, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TTable tabela;
        CriaTabela(tabela);
        if (c.campoIndice)
            tabela.AddIndex(QStringLiteral("I2"), QString::fromLatin1(c.campoIndice), 0);
        if (c.ordemDoIndice)
            tabela.SetIndexName(QStringLiteral("I2"));
        if (c.expressao)
            tabela.ActivateFilter(tabela.AddFilterExpression(AnoIgual2002()));
        tabela.Refresh();
        QStringList planas;
        for (tabela.First(); !tabela.Eof(); tabela.Next()) {
            QStringList linha;
            for (int i = 0; i < tabela.FieldCount(); ++i)
                linha << tabela.Fields(i)->AsString() + (tabela.Fields(i)->IsNull() ? QStringLiteral("!") : QString());
            planas << linha.join(QLatin1Char('|'));
        }
        QStringList vistas;
        int pedido = 0;
        tabela.ActivateFilter(tabela.AddFilterCallback([&] {
            // Each row asks its columns from another one on, so that every column is first met
            // in the middle of a walk.
            QStringList linha(tabela.FieldCount());
            for (int i = 0; i < tabela.FieldCount(); ++i) {
                const int campo = (i + pedido) % tabela.FieldCount();
                linha[campo] = tabela.Fields(campo)->AsString()
                    + (tabela.Fields(campo)->IsNull() ? QStringLiteral("!") : QString());
            }
            ++pedido;
            vistas << linha.join(QLatin1Char('|'));
            return true;
        }));
        tabela.Refresh();
        vistas.clear();
        int aceitas = 0;
        for (tabela.First(); !tabela.Eof(); tabela.Next())
            ++aceitas;
        EXPECT_EQ(aceitas, planas.size());
        EXPECT_EQ(vistas, planas);
    }
}

// The first walk of a fresh filtered table learns the columns its filter reads at rows it
// refuses and at rows it takes, in the middle of the walk: every row is still asked about once,
// in order, and the rows taken are those of the plain walk, forwards and backwards, in the
// table's order and in an index's.
TEST(TCursorTabela, AFirstFilteredWalkAsksEachRowOnceWhileItLearnsItsColumns)
{
    using namespace filtros;
    for (const bool indice : {false, true})
        for (const bool paraTras : {false, true}) {
            SCOPED_TRACE(QStringLiteral("index %1, backwards %2").arg(indice).arg(paraTras).toStdString());
            TTable tabela;
            CriaTabela(tabela);
            if (indice) {
                tabela.AddIndex(QStringLiteral("I2"), QStringLiteral("GRUPO"), 0);
                tabela.SetIndexName(QStringLiteral("I2"));
            }
            QStringList planas;
            QStringList esperadas;
            for (tabela.First(); !tabela.Eof(); tabela.Next()) {
                planas << tabela.Fields(0)->AsString();
                if (Aceita(tabela))
                    esperadas << tabela.Fields(0)->AsString();
            }
            if (paraTras)
                std::reverse(planas.begin(), planas.end());
            QStringList perguntadas;
            tabela.ActivateFilter(tabela.AddFilterCallback([&] {
                perguntadas << tabela.Fields(0)->AsString();
                return Aceita(tabela);
            }));
            EXPECT_EQ(Chaves(tabela, paraTras), esperadas);
            EXPECT_EQ(perguntadas, planas);
            perguntadas.clear();
            EXPECT_EQ(Chaves(tabela, paraTras), esperadas);
            EXPECT_EQ(perguntadas, planas);
        }
}

// The first walk asks its filter about the first row before the walk inside the engine begins:
// whether the filter takes that row or not, reads columns or none, or throws there, every row is
// asked once and the rows are those of the plain walk, forwards and backwards.
TEST(TCursorTabela, AFirstFilteredWalkAsksItsFirstRowOnceWhateverTheFilterDoesThere)
{
    using namespace filtros;
    // By the number of the row and how many rows were asked before it.
    const struct {
        const char* caso;
        std::function<bool(TTable&, int)> aceita;
    } casos[] = {
        {"takes both ends",
         [](TTable& t, int) { return t.Fields(3)->AsInteger() % 39 == 1 || t.Fields(3)->AsInteger() % 3 == 0; }},
        {"refuses both ends",
         [](TTable& t, int) { return t.Fields(3)->AsInteger() % 39 != 1 && t.Fields(3)->AsInteger() % 3 == 0; }},
        {"reads no column", [](TTable&, int) { return true; }},
        {"reads a column from the second row on",
         [](TTable& t, int antes) { return antes == 0 || t.Fields(4)->AsString().size() > 6; }},
    };
    for (const auto& c : casos)
        for (const bool paraTras : {false, true}) {
            SCOPED_TRACE(QStringLiteral("%1, backwards %2").arg(QLatin1String(c.caso)).arg(paraTras).toStdString());
            TTable tabela;
            CriaTabela(tabela);
            QStringList planas;
            QStringList esperadas;
            for (tabela.First(); !tabela.Eof(); tabela.Next()) {
                planas << tabela.Fields(0)->AsString();
                if (c.aceita(tabela, static_cast<int>(planas.size()) - 1))
                    esperadas << tabela.Fields(0)->AsString();
            }
            if (paraTras) {
                std::reverse(planas.begin(), planas.end());
                esperadas.clear();
                for (int i = 0; i < planas.size(); ++i) {
                    tabela.FindKey({planas[i]});
                    if (c.aceita(tabela, i))
                        esperadas.prepend(planas[i]);
                }
            }
            QStringList perguntadas;
            tabela.ActivateFilter(tabela.AddFilterCallback([&] {
                perguntadas << tabela.Fields(0)->AsString();
                return c.aceita(tabela, static_cast<int>(perguntadas.size()) - 1);
            }));
            EXPECT_EQ(Chaves(tabela, paraTras), esperadas);
            EXPECT_EQ(perguntadas, planas);
        }

    TTable tabela;
    CriaTabela(tabela);
    struct EFiltro : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    bool lanca = true;
    const int filtro = tabela.AddFilterCallback([&] {
        if (std::exchange(lanca, false))
            throw EFiltro("filtro");
        return tabela.Fields(2)->AsString() == QLatin1String("G1");
    });
    EXPECT_THROW(
        {
            tabela.ActivateFilter(filtro);
            tabela.First();
        },
        EFiltro);
    EXPECT_EQ(Chaves(tabela, false).size(), 10) << "the next walk asks again";
}

// The columns learnt by the first walks are no promise: a filter whose reads change from one walk
// to the next (other columns, columns read only deep in the walk, a calculated field) is asked
// about every row once, reads the values the plain walk reads and gets the rows the plain walk
// gives it, forwards, backwards, counted and searched, in the table's order, in an index's and
// within a range.
TEST(TCursorTabela, AFilterThatReadsOtherColumnsOnALaterWalkReadsAsThePlainWalk)
{
    using namespace filtros;
    // What the filter reads, as text, and whether it takes the row; by the way it reads now.
    using TLeitura = std::function<bool(TTable&, QString&)>;
    const auto campo = [](TTable& t, int i) {
        return t.Fields(i)->AsString() + (t.Fields(i)->IsNull() ? QStringLiteral("!") : QString());
    };
    const std::vector<TLeitura> modos = {
        [&](TTable& t, QString& lido) {
            lido = campo(t, 2);
            return lido == QLatin1String("G1") || lido == QLatin1String("G3");
        },
        // Reads a blank-prone name and the money only past the thirtieth row.
        [&](TTable& t, QString& lido) {
            lido = campo(t, 3);
            if (t.Fields(3)->AsInteger() <= 30)
                return t.Fields(3)->AsInteger() % 7 == 0;
            lido += QLatin1Char('|') + campo(t, 4) + QLatin1Char('|') + campo(t, 5);
            return t.Fields(4)->IsNull() || t.Fields(5)->AsFixed4() % 2 == 0;
        },
        [&](TTable& t, QString& lido) {
            lido = campo(t, 1) + QLatin1Char('|') + campo(t, 2);
            return t.Fields(1)->AsInteger() == 2002 && lido.endsWith(QLatin1Char('0'));
        },
    };
    const struct {
        const char* caso;
        bool indice;
        bool faixa;
        bool calculado;
    } casos[] = {
        {"table order", false, false, false},
        {"index order", true, false, false},
        {"range", false, true, false},
        {"calculated field", false, false, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TTable tabela;
        CriaTabela(tabela);
        if (c.calculado) {
            tabela.Close();
            tabela.AddField(std::make_unique<TField>(ftString, QStringLiteral("DUPLA"), 20, fkCalculated));
            tabela.OnCalcFields = [](TDataSet* d) {
                d->FieldByName(QStringLiteral("DUPLA"))
                    ->SetAsString(d->Fields(2)->AsString() + d->Fields(0)->AsString());
            };
            tabela.Open();
        }
        if (c.indice) {
            tabela.AddIndex(QStringLiteral("I2"), QStringLiteral("GRUPO"), 0);
            tabela.SetIndexName(QStringLiteral("I2"));
        }
        if (c.faixa)
            tabela.SetRange({QStringLiteral("004")}, {QStringLiteral("037")});
        std::size_t modo = 0;
        QStringList perguntadas;
        QStringList lidas;
        const auto filtra = [&] {
            QString lido;
            const bool aceita = modos[modo](tabela, lido);
            if (c.calculado)
                lido += QLatin1Char('|') + tabela.FieldByName(QStringLiteral("DUPLA"))->AsString();
            perguntadas << tabela.Fields(0)->AsString();
            lidas << lido;
            return aceita;
        };
        // The plain walk, asked as the filter would be, outside any filter.
        std::vector<QStringList> planas(modos.size()), lidasPlanas(modos.size()), esperadas(modos.size());
        for (modo = 0; modo < modos.size(); ++modo) {
            for (tabela.First(); !tabela.Eof(); tabela.Next()) {
                if (filtra())
                    esperadas[modo] << tabela.Fields(0)->AsString();
            }
            planas[modo] = std::exchange(perguntadas, {});
            lidasPlanas[modo] = std::exchange(lidas, {});
            ASSERT_FALSE(esperadas[modo].isEmpty());
        }
        tabela.ActivateFilter(tabela.AddFilterCallback(filtra));
        // Each way of reading twice in a row, then each again after the others.
        for (const std::size_t m : {0, 0, 1, 1, 2, 2, 0, 1, 2, 1, 0}) {
            SCOPED_TRACE(m);
            modo = m;
            perguntadas.clear();
            lidas.clear();
            EXPECT_EQ(Chaves(tabela, false), esperadas[m]);
            EXPECT_EQ(perguntadas, planas[m]);
            EXPECT_EQ(lidas, lidasPlanas[m]);
            QStringList inversas = planas[m];
            std::reverse(inversas.begin(), inversas.end());
            perguntadas.clear();
            EXPECT_EQ(Chaves(tabela, true), esperadas[m]);
            EXPECT_EQ(perguntadas, inversas);
            EXPECT_EQ(tabela.RecordCount(), esperadas[m].size());
            EXPECT_TRUE(tabela.Locate(QStringLiteral("K"), {esperadas[m].last()}, 0));
        }
    }
}

// A walk that SQLite must sort (a primary key in the names' collation, fields that no index
// orders) asks its filter about the rows in the walk's order, never in the b-tree's, and gives
// every row the filter takes, while its first walk learns a column and after.
TEST(TCursorTabela, AFilteredWalkThatSQLiteSortsAsksItsRowsInTheWalksOrder)
{
    for (const bool porCampos : {false, true}) {
        SCOPED_TRACE(porCampos ? "fields" : "names' collation");
        TTable tabela;
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Nomes"));
        tabela.CreateTable({{QStringLiteral("NOME"), ftString, 10}, {QStringLiteral("N"), ftInteger}},
                           {{QString(), QStringLiteral("NOME"), TIndexOption::ixPrimary}});
        if (porCampos)
            tabela.SetIndexFieldNames(QStringLiteral("N"));
        else
            tabela.SetCamposNome({QStringLiteral("NOME")});
        tabela.Open();
        int n = 0;
        for (const char* nome : {"bruno", "Ana", "carla", "Bia", "ana2", "ÁLVARO", "Dora", "cid", "Édson", "beto"}) {
            tabela.Append();
            tabela.Fields(0)->SetAsString(QString::fromUtf8(nome));
            tabela.Fields(1)->SetAsInteger(++n);
            tabela.Post();
        }
        const auto aceita = [&] {
            const QString nome = tabela.Fields(0)->AsString();
            return nome.size() > 4 || tabela.Fields(1)->AsInteger() % 2 == 0;
        };
        QStringList planas;
        QStringList esperadas;
        for (tabela.First(); !tabela.Eof(); tabela.Next()) {
            planas << tabela.Fields(0)->AsString();
            if (aceita())
                esperadas << tabela.Fields(0)->AsString();
        }
        ASSERT_EQ(planas.size(), 10);
        ASSERT_NE(planas.first(), QStringLiteral("Ana")) << "the walk's order is not the b-tree's";
        QStringList perguntadas;
        tabela.ActivateFilter(tabela.AddFilterCallback([&] {
            perguntadas << tabela.Fields(0)->AsString();
            return aceita();
        }));
        for (int vez = 0; vez < 2; ++vez) {
            SCOPED_TRACE(vez);
            perguntadas.clear();
            EXPECT_EQ(filtros::Chaves(tabela, false), esperadas);
            EXPECT_EQ(perguntadas, planas);
            perguntadas.clear();
            EXPECT_EQ(filtros::Chaves(tabela, true), esperadas);
            EXPECT_EQ(perguntadas.size(), planas.size());
        }
    }
}

// A callback that throws reaches the caller with its own exception, and the table walks again
// afterwards; one that reads another table, or writes, still gets its rows right.
TEST(TCursorTabela, ACallbackThatThrowsOrUsesTheDatabaseBehavesAsOutsideTheEngine)
{
    using namespace filtros;
    TTable tabela;
    CriaTabela(tabela);
    TTable outra;
    outra.SetDatabaseName(PastaDados());
    outra.SetTableName(QStringLiteral("Grupos"));
    outra.CreateTable({{QStringLiteral("GRUPO"), ftString, 2}},
                      {{QString(), QStringLiteral("GRUPO"), TIndexOption::ixPrimary}});
    outra.Open();
    for (const char* grupo : {"G1", "G3"}) {
        outra.Append();
        outra.Fields(0)->SetAsString(QString::fromLatin1(grupo));
        outra.Post();
    }

    struct EFiltro : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    const int lanca = tabela.AddFilterCallback([&] {
        if (tabela.Fields(0)->AsString() == QLatin1String("012"))
            throw EFiltro("filtro");
        return true;
    });
    tabela.ActivateFilter(lanca);
    tabela.First();
    EXPECT_THROW(
        {
            while (!tabela.Eof())
                tabela.Next();
        },
        EFiltro);
    EXPECT_EQ(tabela.Fields(0)->AsString(), QStringLiteral("011"));
    tabela.DropFilter(lanca);
    tabela.First();
    EXPECT_EQ(tabela.RecordCount(), 40);

    int escritas = 0;
    tabela.ActivateFilter(tabela.AddFilterCallback([&] {
        if (escritas < 2) {
            ++escritas;
            outra.Append();
            outra.Fields(0)->SetAsString(QStringLiteral("X%1").arg(escritas));
            outra.Post();
        }
        return outra.Locate(QStringLiteral("GRUPO"), {tabela.Fields(2)->AsString()}, 0);
    }));
    tabela.Refresh();
    QStringList esperadas;
    for (int i = 1; i <= 40; ++i) {
        if (i % 2 == 1)
            esperadas << QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
    }
    EXPECT_EQ(Chaves(tabela, false), esperadas);
    EXPECT_EQ(Chaves(tabela, true), esperadas);
    EXPECT_EQ(outra.RecordCount(), 4);
}
