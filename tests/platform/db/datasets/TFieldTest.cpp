#include <gtest/gtest.h>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TTable.h"

namespace {

class TFieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Tipos"));
        tabela.CreateTable({{QStringLiteral("TEXTO"), ftString, 5},
                            {QStringLiteral("CURTO"), ftSmallint},
                            {QStringLiteral("INTEIRO"), ftInteger},
                            {QStringLiteral("LOGICO"), ftBoolean},
                            {QStringLiteral("REAL"), ftFloat},
                            {QStringLiteral("DINHEIRO"), ftCurrency},
                            {QStringLiteral("DATA"), ftDate},
                            {QStringLiteral("MOMENTO"), ftDateTime},
                            {QStringLiteral("NOTA"), ftMemo}},
                           {});
        tabela.Open();
        tabela.Append();
    }

    TField* Campo(const char* nome) { return tabela.FieldByName(QString::fromUtf8(nome)); }

    TTable tabela;
};

TEST_F(TFieldTest, TextsGoInAndComeBackInTheProgramsFormats)
{
    const struct {
        const char* campo;
        const char* entrada;
        const char* saida;
    } casos[] = {
        {"TEXTO", "abcdefg", "abcde"},                      // cut to the field's size
        {"TEXTO", "abcd\U0001F600xyz", "abcd\U0001F600"},   // by characters: one outside the basic plane stays whole
        {"TEXTO", "\U0001D11E\U0001D11E\U0001D11E\U0001D11E\U0001D11E\U0001D11E",
         "\U0001D11E\U0001D11E\U0001D11E\U0001D11E\U0001D11E"},
        {"CURTO", " 12", "12"},
        {"INTEIRO", "-7", "-7"},
        {"LOGICO", "t", "True"},
        {"LOGICO", "False", "False"},
        {"REAL", "1,5", "1,5"},
        {"DINHEIRO", "1234,5678", "1234,5678"},
        {"DINHEIRO", "0,00005", "0,0001"},   // rounded half away from zero
        {"DINHEIRO", "-0,5", "-0,5"},
        {"DATA", "31/12/2002", "31/12/2002"},
        {"DATA", "1/2/03", "01/02/2003"},
        {"MOMENTO", "05/03/2002 10:20:30", "05/03/2002 10:20:30"},
        {"MOMENTO", "05/03/2002", "05/03/2002"},
        {"CURTO", "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(
            QStringLiteral("%1 %2").arg(QString::fromUtf8(c.campo), QString::fromUtf8(c.entrada)).toStdString());
        Campo(c.campo)->SetAsString(QString::fromUtf8(c.entrada));
        EXPECT_EQ(Campo(c.campo)->AsString(), QString::fromUtf8(c.saida));
    }
    EXPECT_EQ(Campo("DATA")->AsDateTime(), 37653.0) << "days from 30/12/1899";
}

TEST_F(TFieldTest, ValuesThatDoNotFitTheirFieldAreRefused)
{
    const struct {
        const char* campo;
        const char* entrada;
    } casos[] = {
        {"CURTO", "40000"}, {"CURTO", "12a"},      {"INTEIRO", "3000000000"}, {"LOGICO", "talvez"},
        {"REAL", "1.5"},    {"DINHEIRO", "1.000"}, {"DATA", "31/02/2002"},    {"DATA", "hoje"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.entrada);
        EXPECT_THROW(Campo(c.campo)->SetAsString(QString::fromUtf8(c.entrada)), EDatabaseError);
    }
}

TEST_F(TFieldTest, BlankValuesAndTheirTexts)
{
    EXPECT_TRUE(Campo("TEXTO")->IsNull());
    EXPECT_TRUE(Campo("CURTO")->IsNull());
    EXPECT_EQ(Campo("CURTO")->AsInteger(), 0);
    EXPECT_EQ(Campo("NOTA")->DisplayText(), QStringLiteral("(Memo)"));
    Campo("NOTA")->SetAsString(QStringLiteral("linha"));
    EXPECT_EQ(Campo("NOTA")->DisplayText(), QStringLiteral("(MEMO)"));
    Campo("TEXTO")->OnGetText = [](TField* campo, QString& texto, bool) {
        texto = QLatin1Char('<') + campo->AsString() + QLatin1Char('>');
    };
    Campo("TEXTO")->SetAsString(QStringLiteral("x"));
    EXPECT_EQ(Campo("TEXTO")->DisplayText(), QStringLiteral("<x>"));
    tabela.Post();
    tabela.Refresh();
    EXPECT_TRUE(Campo("CURTO")->IsNull()) << "a blank number stays blank";
    EXPECT_EQ(Campo("NOTA")->AsString(), QStringLiteral("linha"));
}

TEST_F(TFieldTest, StoredValuesReadBackAsTheirFieldsTellThem)
{
    tabela.Cancel();
    tabela.Close();
    // Rows as another program may leave them: empty text, NULL money, a number in a text column.
    const struct {
        const char* texto;
        const char* dinheiro;
        bool textoNulo;
        const char* textoLido;
        qint64 dinheiroLido;
    } casos[] = {
        {"''", "NULL", true, "", 0},
        {"''", "0", true, "", 0},
        {"'ab'", "12345", false, "ab", 12345},
        {"42", "-7", false, "42", -7},
    };
    for (std::size_t i = 0; i < std::size(casos); ++i)
        Banco()->Escreve(QStringLiteral("INSERT INTO Tipos (CURTO, TEXTO, DINHEIRO) VALUES (%1, %2, %3)")
                             .arg(i)
                             .arg(QString::fromUtf8(casos[i].texto), QString::fromUtf8(casos[i].dinheiro)));
    tabela.Open();
    std::size_t i = 0;
    for (tabela.First(); !tabela.Eof(); tabela.Next(), ++i) {
        ASSERT_LT(i, std::size(casos));
        const auto& c = casos[Campo("CURTO")->AsInteger()];
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(Campo("TEXTO")->IsNull(), c.textoNulo);
        EXPECT_EQ(Campo("TEXTO")->AsString(), QString::fromUtf8(c.textoLido));
        EXPECT_EQ(Campo("TEXTO")->AsString().isNull(), c.textoNulo);
        EXPECT_EQ(Campo("DINHEIRO")->AsFixed4(), c.dinheiroLido);
    }
    EXPECT_EQ(i, std::size(casos));
}

TEST_F(TFieldTest, FieldsOnlyChangeWhileEditing)
{
    tabela.Cancel();
    EXPECT_THROW(Campo("TEXTO")->SetAsString(QStringLiteral("x")), EDatabaseError);
    tabela.Append();
    Campo("TEXTO")->SetReadOnly(true);
    EXPECT_THROW(Campo("TEXTO")->SetAsString(QStringLiteral("x")), EDatabaseError);
}

}   // namespace
