#include <gtest/gtest.h>

#include "components/controls/QuartaDeTeste.h"
#include "components/controls/datetime/TdvDateTimeParts.h"
#include "components/controls/datetime/dvCalendar.h"
#include "components/data/common/dvSystem.h"

namespace {

// The library's clock fixed on Wednesday 05/03/2003 14:07:30.
class PartesNoRelogio : public ::testing::Test {
protected:
    void SetUp() override { anterior = dvInstallNow(&Quarta); }
    void TearDown() override { dvInstallNow(anterior); }
    TdvNow anterior = nullptr;
};

TdvDateTimeParts Motor(const char* formato, TdvDTKind tipo, double valor, int parte)
{
    TdvDateTimeParts m;
    m.SetFormat(QString::fromUtf8(formato));
    m.SetKind(tipo);
    m.SetValue(valor);
    m.SetPart(parte);
    return m;
}

QString Resultado(const std::vector<TdvDTToken>& tokens)
{
    QString r;
    for (const TdvDTToken& t : tokens)
        r += t.Kind.isNull() ? t.Text : QStringLiteral("[%1:%2]").arg(t.Kind).arg(t.Text);
    return r;
}

}   // namespace

TEST(TdvDateTimeParts, ExpandsTheFormatAndReadsItsTokens)
{
    const struct {
        const char* formato;
        const char* tokens;
    } casos[] = {
        {"c", "[D:dd]/[M:mm]/[Y:yyyy] [H:hh]:[N:nn]:[S:ss]"},
        {"ddddd t", "[D:dd]/[M:mm]/[Y:yyyy] [H:hh]:[N:nn]"},
        {"hh:mm", "[H:hh]:[N:mm]"},   // m after the hour and ":" is minutes
        {"mm/hh", "[M:mm]/[H:hh]"},
        {"h:nn AM/PM", "[H:h]:[N:nn] [A:AM/PM]"},
        {"h a/p", "[H:h] [A:a/p]"},
        {"d 'de' mmmm", "[D:d] de [M:mmmm]"},   // quoted text is literal
        {"Dd/mM/YY", "[D:Dd]/[M:mM]/[Y:YY]"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.formato);
        EXPECT_EQ(Resultado(TdvDateTimeParts::Tokens(TdvDateTimeParts::ExpandFormat(QString::fromUtf8(c.formato)))),
                  QString::fromUtf8(c.tokens));
    }
}

TEST(TdvDateTimeParts, ShowsTheValueInPartsOfItsKind)
{
    const struct {
        const char* formato;
        TdvDTKind tipo;
        double valor;
        const char* texto;
        int partes;
        int parte;
        int inicio;
        int tamanho;
    } casos[] = {
        {"dd/mm/yyyy", TdvDTKind::Date, Dia(2003, 3, 5), "05/03/2003", 3, 3, 6, 4},
        {"c", TdvDTKind::DateTime, Dia(2003, 3, 5), "05/03/2003", 3, 3, 6, 4},   // zero time hidden
        {"c", TdvDTKind::DateTime, Dia(2003, 3, 5, 9, 4, 2), "05/03/2003 09:04:02", 6, 5, 14, 2},
        {"c", TdvDTKind::Date, Dia(2003, 3, 5, 9, 4, 2), "05/03/2003 09:04:02", 3, 1, 0, 2},
        {"hh:nn", TdvDTKind::Time, Dia(1899, 12, 30, 18, 30), "18:30", 2, 2, 3, 2},
        {"h:nn am/pm", TdvDTKind::Time, Dia(1899, 12, 30, 13, 5), "1:05 pm", 3, 3, 5, 2},
        {"hh:nn AMPM", TdvDTKind::Time, Dia(1899, 12, 30, 0, 5), "12:05 AM", 3, 1, 0, 2},
        {"h A/P", TdvDTKind::Time, Dia(1899, 12, 30, 12, 0), "12 P", 2, 2, 3, 1},
        {"ddd, d mmm yy", TdvDTKind::Date, Dia(2003, 3, 5), "Qua, 5 Mar 03", 4, 3, 7, 3},
        {"dddd d 'de' mmmm", TdvDTKind::Date, Dia(2003, 3, 9), "Domingo 9 de Março", 3, 3, 13, 5},
        {"dd/mm/yyyy", TdvDTKind::Date, 0, "", 0, 1, 0, 0},   // empty
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const TdvDateTimeParts m = Motor(c.formato, c.tipo, c.valor, 1);
        EXPECT_EQ(m.Text(), QString::fromUtf8(c.texto));
        EXPECT_EQ(m.PartCount(), c.partes);
        EXPECT_EQ(m.Span(c.parte).Start, c.inicio);
        EXPECT_EQ(m.Span(c.parte).Length, c.tamanho);
    }
}

TEST_F(PartesNoRelogio, StepsHomeAndEndKeepEachPartInItsRangeAndTheDateInItsLimits)
{
    enum Tecla { Up, Down, Home, End };
    const double min = Dia(2000, 12, 1);
    const double max = Dia(2003, 6, 20);
    const struct {
        const char* formato;
        int parte;
        Tecla tecla;
        double de;
        double minD;
        double maxD;
        const char* para;
    } casos[] = {
        {"dd/mm/yyyy", 1, Up, Dia(2003, 1, 31), 0, 0, "01/01/2003"},
        {"dd/mm/yyyy", 1, Down, Dia(2003, 2, 1), 0, 0, "28/02/2003"},
        {"dd/mm/yyyy", 2, Up, Dia(2003, 12, 15), 0, 0, "15/01/2003"},
        {"dd/mm/yyyy", 2, Down, Dia(2003, 3, 31), 0, 0, "28/02/2003"},   // day cut
        {"dd/mm/yyyy", 3, Up, Dia(2000, 2, 29), 0, 0, "28/02/2001"},
        {"dd/mm/yyyy", 1, Up, Dia(2003, 6, 20), min, max, "20/06/2003"},    // 21 is past the maximum
        {"dd/mm/yyyy", 2, Up, Dia(2003, 6, 1), min, max, "20/06/2003"},     // July -> the maximum
        {"dd/mm/yyyy", 3, Down, Dia(2001, 3, 1), min, max, "01/12/2000"},   // 2000 -> the minimum
        {"dd/mm/yyyy", 1, Home, Dia(2000, 12, 15), min, max, "01/12/2000"},
        {"dd/mm/yyyy", 1, Home, Dia(2003, 3, 15), min, max, "01/03/2003"},
        {"dd/mm/yyyy", 1, End, Dia(2003, 6, 2), min, max, "20/06/2003"},
        {"dd/mm/yyyy", 1, End, Dia(2004, 2, 2), 0, 0, "29/02/2004"},
        {"dd/mm/yyyy", 2, Home, Dia(2001, 3, 15), min, max, "15/01/2001"},
        {"dd/mm/yyyy", 2, Home, Dia(2000, 12, 15), min, max, "15/12/2000"},
        {"dd/mm/yyyy", 2, End, Dia(2003, 3, 25), min, max, "25/05/2003"},   // 25 is after the 20th
        {"dd/mm/yyyy", 2, End, Dia(2002, 3, 25), min, max, "25/12/2002"},
        {"dd/mm/yyyy", 3, Home, Dia(2003, 11, 5), min, max, "05/11/2001"},   // before 1 December
        {"dd/mm/yyyy", 3, Home, Dia(2003, 12, 5), min, max, "05/12/2000"},
        {"dd/mm/yyyy", 3, End, Dia(2001, 6, 21), min, max, "21/06/2002"},
        {"dd/mm/yyyy", 3, End, Dia(2001, 6, 20), min, max, "20/06/2003"},
        {"ddd dd/mm/yyyy", 1, Up, Dia(2003, 3, 8), 0, 0, "Dom 02/03/2003"},   // Saturday rolls to Sunday
        {"ddd dd/mm/yyyy", 1, Down, Dia(2003, 3, 2), 0, 0, "Sáb 08/03/2003"},
        {"ddd dd/mm/yyyy", 1, Down, Dia(2000, 12, 1), min, max, "Sex 01/12/2000"},   // no move past the limit
        {"ddd dd/mm/yyyy", 1, Home, Dia(2000, 12, 1), min, max, "Sex 01/12/2000"},
        {"ddd dd/mm/yyyy", 1, End, Dia(2003, 3, 5), 0, 0, "Sáb 08/03/2003"},
        {"hh:nn:ss", 1, Up, Dia(2003, 3, 5, 23, 10), 0, 0, "00:10:00"},
        {"hh:nn:ss", 1, Down, Dia(2003, 3, 5, 0, 10), 0, 0, "23:10:00"},
        {"hh:nn:ss", 3, Up, Dia(2003, 3, 5, 1, 10, 59), 0, 0, "01:10:00"},
        {"hh:nn:ss", 2, End, Dia(2003, 3, 5, 1, 10, 5), 0, 0, "01:59:05"},
        {"hh:nn:ss", 1, Home, Dia(2003, 3, 5, 9, 10, 5), 0, 0, "00:10:05"},
        {"hh:nn am/pm", 3, Up, Dia(2003, 3, 5, 9, 10), 0, 0, "09:10 pm"},
        {"hh:nn am/pm", 3, Home, Dia(2003, 3, 5, 21, 10), 0, 0, "09:10 am"},
        {"hh:nn am/pm", 3, End, Dia(2003, 3, 5, 9, 10), 0, 0, "09:10 pm"},
        {"dd/mm/yyyy", 1, Up, 0, min, 0, "06/03/2003"},   // empty: today first
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 part %2 key %3 on %4")
                         .arg(c.formato)
                         .arg(c.parte)
                         .arg(c.tecla)
                         .arg(c.para)
                         .toStdString());
        TdvDateTimeParts m = Motor(c.formato, TdvDTKind::DateTime, c.de, c.parte);
        m.MinDate = c.minD;
        m.MaxDate = c.maxD;
        switch (c.tecla) {
        case Up:
            m.Step(1);
            break;
        case Down:
            m.Step(-1);
            break;
        case Home:
            m.Home();
            break;
        case End:
            m.End();
            break;
        }
        EXPECT_EQ(m.Text(), QString::fromUtf8(c.para));
    }
}

TEST(TdvDateTimeParts, MinutesStepByTheIntervalAndRoundToIt)
{
    const struct {
        int intervalo;
        bool arredonda;
        int delta;
        int de;
        const char* para;
    } casos[] =
        {
            {15, true, 1, 7, "10:15"},   {15, true, -1, 7, "10:00"},
            {15, true, -1, 0, "10:45"},   // the minute wraps, the hour stays
            {15, true, 1, 45, "10:00"},  {15, false, 1, 7, "10:22"},
            {15, false, -1, 7, "10:52"}, {1, false, 1, 59, "10:00"},
            {7, true, 1, 59, "10:00"},   // 56 + 7 wraps to 3, back down to the grid
        };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.intervalo << (c.arredonda ? " round " : " ") << c.delta << " on " << c.de);
        TdvDateTimeParts m = Motor("hh:nn", TdvDTKind::Time, Dia(1899, 12, 30, 10, c.de), 2);
        m.MinutesInterval = c.intervalo;
        m.RoundMinutes = c.arredonda;
        m.Step(c.delta);
        EXPECT_EQ(m.Text(), QString::fromUtf8(c.para));
    }
}

TEST(TdvDateTimeParts, TypedDigitsCompleteValidPartsAndBeepOnOthers)
{
    const double min = Dia(2000, 12, 1);
    // Keys: digits typed; "<" and ">" are Left and Right.
    const struct {
        const char* formato;
        int parte;
        double de;
        double minD;
        const char* teclas;
        const char* texto;
        int bipes;
        int parteDepois;
        bool digitando;
    } casos[] = {
        {"dd/mm/yyyy", 2, Dia(2003, 1, 15), 0, "3", "15/03/2003", 0, 3, false},   // no second digit fits
        {"dd/mm/yyyy", 2, Dia(2003, 1, 15), 0, "1", "15/1/2003", 0, 2, true},     // waits for one
        {"dd/mm/yyyy", 2, Dia(2003, 1, 15), 0, "13", "15/1/2003", 1, 2, true},
        {"dd/mm/yyyy", 2, Dia(2003, 1, 15), 0, "12", "15/12/2003", 0, 3, false},
        {"dd/mm/yyyy", 2, Dia(2003, 1, 15), 0, "00", "15/01/2003", 0, 3, false},   // month 0 keeps it
        {"dd/mm/yyyy", 1, Dia(2003, 4, 15), 0, "31", "30/04/2003", 0, 2, false},   // the month follows
        {"mm/dd/yyyy", 2, Dia(2003, 4, 15), 0, "31", "04/3/2003", 1, 2, true},     // it does not
        {"mm/dd/yyyy", 2, Dia(2003, 2, 15), 0, "29", "02/28/2003", 0, 3, false},   // the year follows
        {"yyyy/mm/dd", 3, Dia(2003, 2, 15), 0, "29", "2003/02/2", 1, 3, true},
        {"dd/mm/yyyy", 1, Dia(2003, 1, 15), 0, "5", "05/01/2003", 0, 2, false},
        {"dd/mm/yy", 3, Dia(2003, 1, 15), 0, "49", "15/01/49", 0, 3, false},
        {"dd/mm/yy", 3, Dia(2003, 1, 15), 0, "50", "15/01/50", 0, 3, false},
        {"dd/mm/yy", 3, Dia(2003, 1, 15), min, "8", "15/01/03", 0, 3, false},   // 1989 is before the minimum
        {"dd/mm/yy", 3, Dia(2003, 1, 15), 0, "5<", "15/01/05", 0, 2, false},    // one digit applied
        {"dd/mm/yyyy", 3, Dia(2003, 1, 15), 0, "199", "15/01/199", 0, 3, true},
        {"dd/mm/yyyy", 3, Dia(2003, 1, 15), 0, "1998", "15/01/1998", 0, 3, false},
        {"dd/mm/yyyy", 3, Dia(2003, 1, 15), 0, "0000", "15/01/2003", 0, 3, false},   // year 0 keeps it
        {"dd/mm/yyyy", 3, Dia(2004, 2, 29), 0, "2003", "29/02/200", 1, 3, true},     // no 29 February
        {"dd/mm/yyyy", 3, Dia(2003, 1, 15), min, "1999", "15/01/199", 1, 3, true},   // before the minimum
        {"hh:nn", 1, Dia(2003, 1, 15, 10, 0), 0, "3", "03:00", 0, 2, false},
        {"hh:nn", 1, Dia(2003, 1, 15, 10, 0), 0, "24", "2:00", 1, 1, true},
        {"hh:nn", 2, Dia(2003, 1, 15, 10, 0), 0, "7", "10:07", 0, 2, false},
        {"hh:nn am/pm", 1, Dia(2003, 1, 15, 15, 0), 0, "2", "02:00 pm", 0, 2, false},
        {"hh:nn am/pm", 1, Dia(2003, 1, 15, 15, 0), 0, "12", "12:00 pm", 0, 2, false},
        {"ddd dd/mm/yyyy", 1, Dia(2003, 1, 15), 0, "5", "Qua 15/01/2003", 0, 1, false},   // names take no digits
        {"dd/mm/yyyy", 1, Dia(2003, 1, 15), 0, "2>3", "02/03/2003", 0, 3, false},
    };
    int bipes = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 part %2 keys %3").arg(c.formato).arg(c.parte).arg(c.teclas).toStdString());
        TdvDateTimeParts m = Motor(c.formato, TdvDTKind::DateTime, c.de, c.parte);
        m.MinDate = c.minD;
        bipes = 0;
        for (const char* t = c.teclas; *t; ++t) {
            if (*t == '<')
                m.MovePrev();
            else if (*t == '>')
                m.MoveNext(0);
            else if (m.TypeDigit(*t - '0') == TdvTypeResult::Beep)
                ++bipes;
        }
        EXPECT_EQ(m.Text(), QString::fromUtf8(c.texto));
        EXPECT_EQ(bipes, c.bipes);
        EXPECT_EQ(m.Part(), c.parteDepois);
        EXPECT_EQ(m.Typing(), c.digitando);
    }
}

TEST(TdvDateTimeParts, LettersChooseNamesAndTheHalfOfTheDay)
{
    const struct {
        const char* formato;
        double de;
        double maxD;
        char letra;
        const char* texto;
        bool aceito;
    } casos[] = {
        {"mmmm yyyy", Dia(2003, 1, 31), 0, 'M', "Março 2003", true},
        {"mmmm yyyy", Dia(2003, 3, 31), 0, 'M', "Maio 2003", true},
        {"mmmm yyyy", Dia(2003, 5, 31), 0, 'M', "Março 2003", true},   // from January again
        {"mmm yyyy", Dia(2003, 1, 31), 0, 'F', "Fev 2003", true},      // the day cut to the 28th
        {"mmm yyyy", Dia(2003, 1, 31), 0, 'X', "Jan 2003", false},
        {"dddd dd/mm", Dia(2003, 3, 5), 0, 'S', "Sexta-feira 07/03", true},
        {"dddd dd/mm", Dia(2003, 3, 8), 0, 'S', "Segunda-feira 03/03", true},   // back to the week's start
        {"dddd dd/mm", Dia(2003, 3, 5), Dia(2003, 3, 6), 'S', "Segunda-feira 03/03", true},
        {"hh a/p", Dia(2003, 3, 5, 9), 0, 'P', "09 p", true},
        {"hh a/p", Dia(2003, 3, 5, 21), 0, 'A', "09 a", true},
        {"hh a/p", Dia(2003, 3, 5, 21), 0, 'Q', "09 p", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        TdvDateTimeParts m = Motor(c.formato, TdvDTKind::DateTime, c.de,
                                   QString::fromUtf8(c.formato).startsWith(u'h') ? 2 : 1);
        m.MaxDate = c.maxD;
        EXPECT_EQ(m.TypeLetter(QChar(c.letra)) == TdvTypeResult::Accepted, c.aceito);
        EXPECT_EQ(m.Text(), QString::fromUtf8(c.texto));
    }
}

TEST_F(PartesNoRelogio, RightFromTheLastDatePartOfTheCFormatFillsTheTimeFromTheClock)
{
    TdvDateTimeParts m = Motor("c", TdvDTKind::DateTime, Dia(2003, 3, 5), 3);
    m.MoveNext(dvNow());
    EXPECT_EQ(m.Text(), QStringLiteral("05/03/2003 14:07:00"));
    EXPECT_EQ(m.Part(), 4);
    // Home on every time part brings the time back to zero: the last date part is current again.
    m.Home();
    m.SetPart(5);
    m.Home();
    EXPECT_EQ(m.Text(), QStringLiteral("05/03/2003"));
    EXPECT_EQ(m.Part(), 3);
}

TEST_F(PartesNoRelogio, AnEmptyPickerStartsFromTodayWithinTheLimits)
{
    TdvDateTimeParts m = Motor("dd/mm/yyyy", TdvDTKind::Date, 0, 1);
    EXPECT_EQ(m.InitialValue(dvNow(), true), Dia(2003, 3, 5));
    m.MinDate = Dia(2003, 4, 1);
    EXPECT_EQ(m.InitialValue(dvNow(), true), Dia(2003, 4, 1));
    m.MinDate = 0;
    m.MaxDate = Dia(2001, 1, 1);
    EXPECT_EQ(m.InitialValue(dvNow(), false), Dia(2001, 1, 1));
    m.SetKind(TdvDTKind::Time);
    EXPECT_EQ(m.InitialValue(dvNow(), true), 0);
    EXPECT_EQ(m.InitialValue(dvNow(), false), dvTimePart(dvNow()));
}
