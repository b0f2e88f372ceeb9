#include <gtest/gtest.h>

#include <QDir>

#include "support/ProgramaDeTeste.h"
#include "components/data/datasets/dvLocate.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TTable.h"

namespace {

// A stored table searched in the order of its indexes: the primary one on NI is
// case-sensitive, Nome on NOME is not.
class LocateTableTest : public ::testing::Test {
protected:
    LocateTableTest()
    {
        const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/DADOS");
        QDir().mkpath(pasta);
        tabela.SetDatabaseName(pasta);
        tabela.SetTableName(QStringLiteral("Benef.db"));
        tabela.CreateTable({{QStringLiteral("NI"), ftString, 14}, {QStringLiteral("NOME"), ftString, 60}},
                           {{QString(), QStringLiteral("NI"), TIndexOption::ixPrimary},
                            {QStringLiteral("Nome"), QStringLiteral("NOME"), TIndexOption::ixCaseInsensitive}});
        tabela.Open();
        for (const auto& [ni, nome] :
             {std::pair{"001", "Maria"}, {"002", "ana"}, {"003", "ANA PAULA"}, {"004", "Ângela"}}) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("NI"))->SetAsString(QString::fromUtf8(ni));
            tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QString::fromUtf8(nome));
            tabela.Post();
        }
    }

    QString Ni() { return tabela.FieldByName(QStringLiteral("NI"))->AsString(); }

    TTable tabela;
};

}   // namespace

TEST_F(LocateTableTest, GivesTheSameAnswerThroughTheIndexOrRecordByRecord)
{
    const struct {
        const char* indice;
        const char* campo;
        int tipo;
        bool caixa;
        const char* valor;
        const char* ni;
    } casos[] = {
        {"Nome", "NOME", mtExact, false, "ana", "002"},   // through the case-insensitive index
        {"Nome", "NOME", mtExact, false, "ANA paula", "003"},
        {"Nome", "NOME", mtPartial, false, "an", "002"},
        {"Nome", "NOME", mtPartial, false, "ana p", "003"},
        {"Nome", "NOME", mtPartial, false, "zz", nullptr},
        {"Nome", "NOME", mtExact, false, "an", nullptr},
        {"Nome", "NOME", mtPartial, true, "AN", "003"},      // case-sensitive: read record by record
        {"Nome", "NOME", mtExact, false, "ângela", "004"},   // accents: read record by record
        {"Nome", "NOME", mtAnywhere, false, "paula", "003"},
        {"", "NI", mtExact, true, "003", "003"},   // through the primary index
        {"", "NI", mtPartial, true, "00", "001"},
        {"", "NI", mtExact, true, "005", nullptr},
        {"", "NI", mtPartial, true, "01", nullptr},
        {"", "NI", mtExact, false, "004", "004"},      // not case-sensitive: read record by record
        {"", "NOME", mtExact, true, "Maria", "001"},   // the index does not begin with NOME
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.indice) + " " + c.campo + " " + std::to_string(c.tipo) + (c.caixa ? " cs " : " ci ")
                     + c.valor);
        tabela.SetIndexName(QString::fromLatin1(c.indice));
        tabela.Last();
        const QString antes = Ni();
        const bool achou = dvLocateEngine(true, &tabela, QString::fromLatin1(c.campo), c.tipo, c.caixa,
                                          QString::fromUtf8(c.valor));
        EXPECT_EQ(achou, c.ni != nullptr);
        EXPECT_EQ(Ni(), c.ni ? QString::fromLatin1(c.ni) : antes);   // a failed search does not move
    }
}
