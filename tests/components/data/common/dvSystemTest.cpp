#include <gtest/gtest.h>

#include <QDate>

#include "components/data/common/dvSystem.h"

namespace {

QDateTime Hoje2003()
{
    return {QDate(2003, 6, 15), QTime(12, 0)};
}

// Fixes today's date for the life of a test.
class HojeFixo {
public:
    HojeFixo()
        : FAnterior(dvInstallNow(&Hoje2003))
    {}
    ~HojeFixo() { dvInstallNow(FAnterior); }

private:
    TdvNow FAnterior;
};

double Dia(int ano, int mes, int dia)
{
    return double(QDate(1899, 12, 30).daysTo(QDate(ano, mes, dia)));
}

double Hora(int h, int m, int s)
{
    return double(h * 3600 + m * 60 + s) / 86400.0;
}

}   // namespace

TEST(ScanDate, ReadsDayMonthYearInTheProgramsFormat)
{
    HojeFixo hoje;
    const struct {
        const char* texto;
        bool valido;
        int ano, mes, dia;
    } casos[] = {
        {"31/12/2002", true, 2002, 12, 31},  {"31/12/02", true, 2002, 12, 31}, {"29/02/2000", true, 2000, 2, 29},
        {"29/02/1900", false, 0, 0, 0},   // 1900 is not a leap year
        {"29/02/2003", false, 0, 0, 0},      {"31/04/2003", false, 0, 0, 0},   {"0/1/2003", false, 0, 0, 0},
        {"1/13/2003", false, 0, 0, 0},       {"1/1/", false, 0, 0, 0},           // a second separator needs a year
        {"5/3", true, 2003, 3, 5},                                               // no year: today's
        {"1/JAN/2003", true, 2003, 1, 1},    {"1/fev/2003", true, 2003, 2, 1},   // the program's month names
        {"10/Dez/2003", true, 2003, 12, 10}, {"1/feb/2003", false, 0, 0, 0},   {" 1 / 2 / 2003 ", true, 2003, 2, 1},
        {"1/1/0001", true, 2001, 1, 1},   // any year up to 99 is windowed
        {"31/12/9999", true, 9999, 12, 31},  {"abc", false, 0, 0, 0},          {"", false, 0, 0, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        int pos = 0;
        double data = -1;
        EXPECT_EQ(dvScanDate(QString::fromLatin1(c.texto), pos, data), c.valido);
        if (c.valido)
            EXPECT_EQ(data, Dia(c.ano, c.mes, c.dia));
        else
            EXPECT_EQ(pos, 0);
    }
}

TEST(ScanDate, PutsTwoDigitYearsInTheHundredYearsFromTheEpoch)
{
    const struct {
        const char* texto;
        int epoca;
        int ano;
    } casos[] = {
        {"1/1/49", 1950, 2049}, {"1/1/50", 1950, 1950},   {"1/1/99", 1950, 1999},
        {"1/1/0", 1950, 2000},  {"1/1/0049", 1950, 2049},   // four digits, but still 49
        {"1/1/100", 1950, 100}, {"1/1/99", 2000, 2099},   {"1/1/00", 2000, 2000},
        {"1/1/29", 1930, 2029}, {"1/1/30", 1930, 1930},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.texto) + " epoch " + std::to_string(c.epoca));
        int pos = 0;
        double data = 0;
        ASSERT_TRUE(dvScanDateEpoch(QString::fromLatin1(c.texto), pos, c.epoca, data));
        EXPECT_EQ(data, Dia(c.ano, 1, 1));
    }
}

TEST(ScanDate, CountsDaysFromTheEndOf1899AndMovesThePosition)
{
    double data = -1;
    ASSERT_TRUE(dvTryEncodeDate(1899, 12, 30, data));
    EXPECT_EQ(data, 0);
    ASSERT_TRUE(dvTryEncodeDate(1900, 1, 1, data));
    EXPECT_EQ(data, 2);
    ASSERT_TRUE(dvTryEncodeDate(1, 1, 1, data));
    EXPECT_EQ(data, -693593);
    EXPECT_FALSE(dvTryEncodeDate(0, 1, 1, data));
    EXPECT_FALSE(dvTryEncodeDate(10000, 1, 1, data));

    // A number item stops after four digits: the fifth is left for the caller.
    int pos = 0;
    ASSERT_TRUE(dvScanDate(QStringLiteral("1/1/20031"), pos, data));
    EXPECT_EQ(data, Dia(2003, 1, 1));
    EXPECT_EQ(pos, 8);
    EXPECT_FALSE(dvIsValidDate(QStringLiteral("1/1/20031")));
    EXPECT_EQ(dvTextToDate(QStringLiteral("1/1/20031")), Dia(2003, 1, 1));

    pos = 3;
    ASSERT_TRUE(dvScanDate(QStringLiteral("em 2/1/2003 10:00"), pos, data));
    EXPECT_EQ(pos, 12);   // past the date and the blank after it
}

TEST(ScanDate, OrdersByTheFirstLetterOfTheFormat)
{
    const struct {
        const char* formato;
        int ordem;
    } casos[] = {
        {"dd/mm/yyyy", doDMY}, {"MM/dd/yy", doMDY}, {"yyyy-MM-dd", doYMD}, {"", doMDY}, {"x", doMDY},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.formato);
        EXPECT_EQ(dvDateOrder(QString::fromLatin1(c.formato)), c.ordem);
    }
}

TEST(ScanTime, ReadsHoursMinutesSecondsAndTheDesignators)
{
    const struct {
        const char* texto;
        bool valido;
        double valor;
    } casos[] = {
        {"12:30", true, Hora(12, 30, 0)},
        {"1:02:03", true, Hora(1, 2, 3)},
        {"23:59:59", true, Hora(23, 59, 59)},
        {"12:30 PM", true, Hora(12, 30, 0)},
        {"12:30 AM", true, Hora(0, 30, 0)},
        {"1:15 pm", true, Hora(13, 15, 0)},
        {"13:00 PM", false, 0},
        {"0:10 AM", false, 0},
        {"24:00", false, 0},
        {"10:60", false, 0},
        {"10:30:", false, 0},
        {"10", false, 0},
        {"10:30 x", false, 0},
        {"10:30  ", true, Hora(10, 30, 0)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const QString texto = QString::fromLatin1(c.texto);
        EXPECT_EQ(dvIsValidTime(texto), c.valido);
        EXPECT_NEAR(dvTextToTime(texto), c.valor, 1e-12);
    }
    EXPECT_NEAR(dvTextToTime(QStringLiteral("12:30 PM")), 0.5208333333, 1e-9);
    EXPECT_NEAR(dvTextToTime(QStringLiteral("12:30 AM")), 0.0208333333, 1e-9);
}

TEST(ScanDateTime, NeedsADateFollowedByATimeAndNothingElse)
{
    const struct {
        const char* texto;
        bool valida;
        bool dataValida;
        double valor;
    } casos[] = {
        {"31/12/2002 10:30", true, false, Dia(2002, 12, 31) + Hora(10, 30, 0)},
        {"31/12/2002 10:30 ", true, false, Dia(2002, 12, 31) + Hora(10, 30, 0)},
        {"31/12/2002", false, true, 0},
        {"31/12/2002 10:30 x", false, false, 0},
        {"31/12/2002 x", false, false, 0},
        {"31/12/2002  ", false, true, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const QString texto = QString::fromLatin1(c.texto);
        EXPECT_EQ(dvIsValidDateTime(texto), c.valida);
        EXPECT_EQ(dvIsValidDate(texto), c.dataValida);
        EXPECT_NEAR(dvTextToDateTime(texto), c.valor, 1e-9);
    }
}

TEST(NumberText, RecognisesIntegersAndNumbersWithTheDecimalComma)
{
    const struct {
        const char* texto;
        bool inteiro;
        bool real;
    } casos[] = {
        {"", true, true},          {"12", true, true},
        {"-5", true, true},        {"-", false, false},
        {"+5", false, true},       {" 5", false, true},
        {"1a", false, false},      {"1,5", false, true},
        {",5", false, true},       {"5,", false, true},
        {"-1,5e3", false, true},   {"1.5", false, false},   // the point is no decimal separator here
        {"1.000,5", false, false},                          // nor are thousands separators read
        {"e5", false, false},      {"1e", false, false},
        {"1,5 ", false, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const QString texto = QString::fromLatin1(c.texto);
        EXPECT_EQ(dvIsInteger(texto), c.inteiro);
        EXPECT_EQ(dvIsFloat(texto), c.real);
    }
    double valor = 0;
    ASSERT_TRUE(dvTextToFloat(QStringLiteral("-1,25e2"), valor));
    EXPECT_EQ(valor, -125.0);
    // Only the first 63 characters are read: a fault past them goes unseen.
    EXPECT_TRUE(dvIsFloat(QString(63, QLatin1Char('1')) + QLatin1Char('x')));
}

TEST(CursorPart, NamesThePartOfADateTimeUnderTheCaret)
{
    const QString texto = QStringLiteral("31/12/2002 10:30:45 PM");
    const struct {
        int pos;
        int parte;
    } casos[] = {
        {0, dtpDay},     {2, dtpDay},   {3, dtpMonth},   {5, dtpMonth},
        {6, dtpYear},    {9, dtpYear},  {10, dtpHour},   // one before the date's end, on the blank
        {11, dtpHour},   {13, dtpHour}, {14, dtpMinute}, {17, dtpSecond},
        {19, dtpSecond}, {20, dtpAmPm}, {22, dtpAmPm},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pos);
        EXPECT_EQ(dvGetDateTimeCursorPart(c.pos, texto, false), c.parte);
    }
    // A text that is no date yet is cut by its date separators.
    EXPECT_EQ(dvGetDateTimeCursorPart(4, QStringLiteral("31/13/"), false), dtpMonth);
    EXPECT_EQ(dvGetDateTimeCursorPart(6, QStringLiteral("31/13/"), false), dtpYear);

    const QString hora = QStringLiteral("10:30:45 PM");
    EXPECT_EQ(dvGetTimeCursorPart(0, hora), dtpHour);
    EXPECT_EQ(dvGetTimeCursorPart(3, hora), dtpMinute);
    EXPECT_EQ(dvGetTimeCursorPart(8, hora), dtpSecond);
    EXPECT_EQ(dvGetTimeCursorPart(9, hora), dtpAmPm);
    EXPECT_EQ(dvGetDateTimeCursorPart(9, hora, true), dtpAmPm);
}
