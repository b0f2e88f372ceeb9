#include <gtest/gtest.h>

#include <QDate>

#include "components/data/TDataSetEmMemoria.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/datasets/dvLocate.h"
#include "platform/db/datasets/TField.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

double Dia(int ano, int mes, int dia)
{
    return double(QDate(1899, 12, 30).daysTo(QDate(ano, mes, dia)));
}

// Rows numbered by QTD: 1 to 5.
class LocateTest : public ::testing::Test {
protected:
    LocateTest()
        : dados({{QStringLiteral("NOME"), ftString, 20},
                 {QStringLiteral("VALOR"), ftFloat, 0},
                 {QStringLiteral("MOEDA"), ftCurrency, 0},
                 {QStringLiteral("DATA"), ftDate, 0},
                 {QStringLiteral("OBS"), ftMemo, 0},
                 {QStringLiteral("ATIVO"), ftBoolean, 0},
                 {QStringLiteral("QTD"), ftInteger, 0}},
                {
                    {QStringLiteral("ABC"), 1.5, qint64(15000), Dia(2003, 1, 1), QStringLiteral("texto simples"),
                     qint64(1), qint64(1)},
                    {QStringLiteral("abd"), 2.25, qint64(0), QVariant(),
                     QStringLiteral("{\\rtf1\\ansi Declara\\'e7\\'e3o anual\\par}"), qint64(0), qint64(2)},
                    {QStringLiteral("Xabc"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), qint64(3)},
                    {QString(), 0.1, qint64(1000), Dia(2002, 12, 31), QStringLiteral("Ação"), qint64(1), qint64(4)},
                    {QStringLiteral("ação"), 1e20, qint64(-25000), QVariant(), QVariant(), qint64(0), qint64(5)},
                })
    {
        dados.Open();
    }

    int Linha() { return dados.FieldByName(QStringLiteral("QTD"))->AsInteger(); }

    void VaiPara(int linha)
    {
        dados.First();
        while (Linha() != linha)
            dados.Next();
    }

    TDataSetEmMemoria dados;
    DialogosRoteirizados dialogos;
};

}   // namespace

TEST_F(LocateTest, FindsTheFirstRecordThatMatchesByKindAndCase)
{
    const struct {
        const char* campo;
        int tipo;
        bool caixa;
        const char* valor;
        int linha;
    } casos[] = {
        {"NOME", mtExact, false, "abc", 1},
        {"NOME", mtExact, true, "abc", 0},
        {"NOME", mtExact, true, "ABC", 1},
        {"NOME", mtPartial, false, "ab", 1},    // ABC, not case-sensitive
        {"NOME", mtPartial, true, "ab", 2},     // abd
        {"NOME", mtAnywhere, true, "abc", 3},   // Xabc
        {"NOME", mtExact, false, "", 4},        // only an empty field matches an empty value
        {"NOME", mtPartial, false, "", 0},
        {"NOME", mtAnywhere, false, "", 0},
        {"NOME", mtExact, false, "AÇÃO", 5},   // accented letters change case too
        {"NOME", 7, false, "abc", 0},          // no such kind of match
        {"VALOR", mtExact, false, "1,5", 1},   // by number with the decimal comma
        {"VALOR", mtExact, false, "2,250", 2},
        {"VALOR", mtExact, false, "0,1", 4},
        {"VALOR", mtExact, false, "1.5", 0},   // no number: compared as text
        {"VALOR", mtPartial, false, "2,2", 2},
        {"VALOR", mtExact, false, "1E20", 5},
        {"VALOR", mtExact, false, "0", 0},   // a blank value is no zero
        {"MOEDA", mtExact, false, "1,5", 1},
        {"MOEDA", mtExact, false, "0", 2},
        {"MOEDA", mtExact, false, "-2,5", 5},
        {"MOEDA", mtAnywhere, false, ",1", 4},       // 0,1 as text
        {"DATA", mtExact, false, "31/12/2002", 4},   // dates as the program writes them
        {"DATA", mtPartial, false, "01/01", 1},
        {"OBS", mtAnywhere, false, "declaração", 2},   // rich text read as plain text
        {"OBS", mtAnywhere, false, "rtf", 0},
        {"OBS", mtPartial, true, "texto", 1},
        {"ATIVO", mtExact, false, "false", 2},
        {"ATIVO", mtExact, true, "True", 1},
        {"ATIVO", mtExact, true, "true", 0},
        {"QTD", mtExact, false, "3", 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " " + std::to_string(c.tipo) + (c.caixa ? " cs " : " ci ") + c.valor);
        VaiPara(3);
        const bool achou = dvLocateEngine(true, &dados, QString::fromLatin1(c.campo), c.tipo, c.caixa,
                                          QString::fromUtf8(c.valor));
        EXPECT_EQ(achou, c.linha != 0);
        EXPECT_EQ(Linha(), c.linha != 0 ? c.linha : 3);   // without a match, still where it was
        EXPECT_FALSE(dados.ControlsDisabled());
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(LocateTest, ContinuesAfterTheCurrentRecordWhenNotFromTheFirst)
{
    VaiPara(1);
    EXPECT_TRUE(dvLocateEngine(false, &dados, QStringLiteral("NOME"), mtPartial, false, QStringLiteral("ab")));
    EXPECT_EQ(Linha(), 2);
    EXPECT_FALSE(dvLocateEngine(false, &dados, QStringLiteral("NOME"), mtPartial, false, QStringLiteral("ab")));
    EXPECT_EQ(Linha(), 2);
    VaiPara(5);
    EXPECT_FALSE(dvLocateEngine(false, &dados, QStringLiteral("QTD"), mtExact, false, QStringLiteral("5")));
    EXPECT_EQ(Linha(), 5);
}

TEST_F(LocateTest, AnUnknownFieldIsReportedAndNothingMoves)
{
    VaiPara(2);
    EXPECT_FALSE(dvLocateEngine(true, &dados, QStringLiteral("SUMIDO"), mtExact, false, QStringLiteral("x")));
    EXPECT_EQ(Linha(), 2);
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_EQ(dialogos.Mensagens()[0].Texto, QStringLiteral("Field SUMIDO not found."));
    EXPECT_EQ(dialogos.Mensagens()[0].Tipo, TipoDialogo::Aviso);
    EXPECT_EQ(dialogos.Mensagens()[0].Botoes, Botao::Ok);
    EXPECT_FALSE(dvLocateEngine(true, nullptr, QStringLiteral("NOME"), mtExact, false, QStringLiteral("x")));
}

TEST_F(LocateTest, FindMatchStaysWhenTheCurrentRecordAlreadyEqualsTheValue)
{
    VaiPara(3);
    EXPECT_TRUE(dvFindMatch(&dados, QStringLiteral("xABC"), QStringLiteral("NOME"), mtPartial, false));
    EXPECT_EQ(Linha(), 3);   // equal but for case: no search
    EXPECT_TRUE(dvFindMatch(&dados, QStringLiteral("ab"), QStringLiteral("NOME"), mtPartial, false));
    EXPECT_EQ(Linha(), 1);   // searched from the first record
    EXPECT_FALSE(dvFindMatch(&dados, QStringLiteral("abc"), QStringLiteral("NOME"), mtExact, true));
    EXPECT_EQ(Linha(), 1);
}

TEST_F(LocateTest, SearchesAnEmptyDatasetWithoutMoving)
{
    TDataSetEmMemoria vazio({{QStringLiteral("NOME"), ftString, 20}}, {});
    vazio.Open();
    EXPECT_FALSE(dvLocateEngine(true, &vazio, QStringLiteral("NOME"), mtExact, false, QString()));
    EXPECT_FALSE(dvFindMatch(&vazio, QString(), QStringLiteral("NOME"), mtExact, false));
    EXPECT_TRUE(vazio.Eof());
}

TEST(LocateLongTexts, SearchesWholeMemosAndLongValues)
{
    const QString longo = QString(300, QLatin1Char('x'));
    const QString memo = QString(40000, QLatin1Char('.')) + QStringLiteral("fim");
    TDataSetEmMemoria dados({{QStringLiteral("NOME"), ftString, 0}, {QStringLiteral("OBS"), ftMemo, 0}},
                            {{QStringLiteral("curto"), QStringLiteral("nada")}, {longo, memo}});
    dados.Open();
    EXPECT_TRUE(dvLocateEngine(true, &dados, QStringLiteral("OBS"), mtAnywhere, true, QStringLiteral("fim")));
    EXPECT_EQ(dados.FieldByName(QStringLiteral("NOME"))->AsString(), longo);
    dados.First();
    EXPECT_TRUE(dvLocateEngine(true, &dados, QStringLiteral("NOME"), mtExact, false, longo));
    EXPECT_FALSE(dvLocateEngine(true, &dados, QStringLiteral("NOME"), mtExact, false, longo + QLatin1Char('x')));
}

TEST(FieldValues, SuitTheTextToTheFieldType)
{
    const struct {
        TFieldType tipo;
        const char* texto;
        bool valido;
        bool buscavel;
    } casos[] = {
        {ftInteger, "12", true, true},
        {ftSmallint, "-3", true, true},
        {ftAutoInc, "1,5", false, false},
        {ftLargeint, "x", false, false},
        {ftInteger, "", true, false},   // empty: a valid value, but nothing to search
        {ftFloat, "1,5", true, true},
        {ftCurrency, "1.5", false, false},
        {ftBCD, "", true, false},
        {ftDate, "31/12/2002", true, true},
        {ftDate, "31/12/2002 10:00", false, false},
        {ftTime, "10:00", true, true},
        {ftDateTime, "31/12/2002 10:00", true, true},
        {ftDateTime, "31/12/2002", true, true},
        {ftDateTime, "", false, false},
        {ftString, "", true, true},
        {ftString, "qualquer", true, true},
        {ftBoolean, "talvez", true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(int(c.tipo)) + " " + c.texto);
        const QString texto = QString::fromLatin1(c.texto);
        EXPECT_EQ(dvIsValidFieldValue(c.tipo, texto), c.valido);
        const TField campo(c.tipo, QStringLiteral("CAMPO"));
        EXPECT_EQ(dvIsValidSearchValue(&campo, texto), c.buscavel);
    }
    EXPECT_FALSE(dvIsValidSearchValue(nullptr, QStringLiteral("1")));
}

TEST(FieldValues, KnowCalculatedAndLookupFields)
{
    const TField dado(ftString, QStringLiteral("A"));
    const TField calculado(ftString, QStringLiteral("B"), 0, fkCalculated);
    const TField busca(ftString, QStringLiteral("C"), 0, fkLookup);
    EXPECT_FALSE(dvIsCalcOrLookupField(&dado));
    EXPECT_TRUE(dvIsCalcOrLookupField(&calculado));
    EXPECT_TRUE(dvIsCalcOrLookupField(&busca));
    EXPECT_FALSE(dvIsCalcOrLookupField(nullptr));
}
