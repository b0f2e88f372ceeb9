#include <gtest/gtest.h>

#include "components/controls/datetime/TdvMonthCalendar.h"
#include "components/controls/datetime/dvCalendar.h"

namespace {

double Dia(int ano, int mes, int dia)
{
    return dvFromQDate(QDate(ano, mes, dia));
}

QStringList Textos(const std::vector<TMenuItem>& itens, bool TMenuItem::*marca)
{
    QStringList textos;
    for (const TMenuItem& item : itens)
        if (item.*marca)
            textos << item.Caption;
    return textos;
}

}   // namespace

TEST(dvCalendar, MonthsAndYearsKeepTheDayCutToTheMonthAndTheTime)
{
    const struct {
        double de;
        int meses;
        int ano;
        double para;
    } casos[] = {
        {Dia(2003, 1, 31), 1, 0, Dia(2003, 2, 28)},
        {Dia(2004, 1, 31), 1, 0, Dia(2004, 2, 29)},   // leap year
        {Dia(2003, 3, 31), -1, 0, Dia(2003, 2, 28)},
        {Dia(2002, 12, 15), 1, 0, Dia(2003, 1, 15)},
        {Dia(2003, 1, 15), -1, 0, Dia(2002, 12, 15)},
        {Dia(2000, 2, 29), 0, 2001, Dia(2001, 2, 28)},
        {Dia(1900, 2, 28), 0, 2000, Dia(2000, 2, 28)},
        {Dia(2003, 5, 10), 0, 10000, Dia(2003, 5, 10)},   // no such year: kept
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(dvShortDateText(c.de).toStdString());
        const double com = c.de + 0.25;
        EXPECT_EQ(c.ano ? dvWithYear(com, c.ano) : dvIncMonth(com, c.meses), c.para + 0.25);
    }
    EXPECT_EQ(dvWithMonth(Dia(2003, 3, 31), 4), Dia(2003, 4, 30));
    EXPECT_EQ(dvDaysInMonth(1900, 2), 28);
    EXPECT_EQ(dvDaysInMonth(2000, 2), 29);
}

TEST(dvCalendar, DaysBeforeTheEpochKeepTheirTimeForward)
{
    EXPECT_EQ(dvDatePart(-1.25), -1);
    EXPECT_EQ(dvTimePart(-1.25), 0.25);
    EXPECT_EQ(dvJoinDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(dvShortDateText(-1.25), QStringLiteral("29/12/1899"));
    EXPECT_EQ(dvDecodeDate(36861.75), (TdvYMD{2000, 12, 1}));
    EXPECT_EQ(dvDayOfWeek(36861), 4);   // a Friday
    EXPECT_EQ(dvDayOfWeek(0), 5);       // 30/12/1899, a Saturday
}

TEST(dvCalendar, NamesAreThePortugueseOnes)
{
    EXPECT_EQ(dvLongMonthName(3), QStringLiteral("Março"));
    EXPECT_EQ(dvShortMonthName(12), QStringLiteral("Dez"));
    EXPECT_EQ(dvLongDayName(6), QStringLiteral("Domingo"));
    EXPECT_EQ(dvShortDayName(5), QStringLiteral("Sáb"));
    EXPECT_EQ(dvLongMonthName(13), QString());
}

TEST(dvCalendar, BoldDayStatesSetOneBitPerAcceptedDay)
{
    std::vector<int> anos;
    const auto estados = dvBoldDayStates(2003, 12, 3, [&anos](double data, int mes, int dia, int ano) {
        EXPECT_EQ(data, Dia(ano, mes, dia));
        anos.push_back(ano);
        return dia == 1 || dia == dvDaysInMonth(ano, mes);
    });
    ASSERT_EQ(estados.size(), 3u);
    EXPECT_EQ(estados[0], (1u << 30) | 1u);   // December
    EXPECT_EQ(estados[2], (1u << 28) | 1u);   // February 2004 has 29 days
    EXPECT_EQ(anos.back(), 2004);
}

TEST(TdvMonthCalendarMenus, YearMenuListsColumnsOfYearsWithinTheLimits)
{
    TdvPopupYearOptions opcoes;
    const double data = Dia(2003, 6, 15);
    const auto itens = TdvMonthCalendar::YearMenuItems(opcoes, data, 2003, Dia(2000, 12, 1), 0,
                                                       QStringLiteral("Edit Year"));
    ASSERT_EQ(itens.size(), 20u);
    EXPECT_EQ(itens.front().Caption, QStringLiteral("1990"));
    EXPECT_EQ(itens.back().Caption, QStringLiteral("2009"));
    EXPECT_EQ(Textos(itens, &TMenuItem::BarBreak), QStringList{QStringLiteral("2000")});
    EXPECT_EQ(Textos(itens, &TMenuItem::Checked), QStringList{QStringLiteral("2003")});
    EXPECT_FALSE(itens[10].Enabled);   // 15/06/2000 is before the minimum
    EXPECT_TRUE(itens[11].Enabled);

    opcoes.ShowEditYear = true;
    opcoes.YearsPerColumn = 5;
    opcoes.NumberColumns = 1;
    const auto comEdicao = TdvMonthCalendar::YearMenuItems(opcoes, data, 2003, 0, 0, QStringLiteral("Edit Year"));
    ASSERT_EQ(comEdicao.size(), 7u);
    EXPECT_EQ(comEdicao[0].Caption, QStringLiteral("Edit Year"));
    EXPECT_EQ(comEdicao[1].Caption, QStringLiteral("-"));
    EXPECT_TRUE(comEdicao[2].BarBreak);
    EXPECT_EQ(TdvMonthCalendar::YearMenuLeft(100, opcoes, 50, 96), 5);
    EXPECT_EQ(TdvMonthCalendar::YearMenuLeft(100, opcoes, 50, 192), -40);
    opcoes.YearsPerColumn = 1;
    EXPECT_EQ(TdvMonthCalendar::YearMenuLeft(100, opcoes, 50, 96), 100);
}

TEST(TdvMonthCalendarMenus, MonthMenuDisablesMonthsOutOfTheLimits)
{
    const auto itens = TdvMonthCalendar::MonthMenuItems(Dia(2003, 3, 31), 2003, 3, Dia(2003, 2, 28), Dia(2003, 9, 30));
    ASSERT_EQ(itens.size(), 12u);
    EXPECT_EQ(itens[0].Caption, QStringLiteral("Janeiro"));
    EXPECT_EQ(Textos(itens, &TMenuItem::Checked), QStringList{QStringLiteral("Março")});
    EXPECT_FALSE(itens[0].Enabled);
    EXPECT_TRUE(itens[1].Enabled);   // 28/02, the day cut, is the minimum
    EXPECT_TRUE(itens[8].Enabled);   // 30/09, the day cut, is the maximum
    EXPECT_FALSE(itens[9].Enabled);
}

TEST(TdvMonthCalendarMenus, EditYearQuestionNamesTheLimitYears)
{
    const struct {
        double minimo, maximo;
        const char* titulo;
        const char* pergunta;
    } casos[] = {
        {0, 0, "Enter Valid Year", " "},
        {Dia(2000, 12, 1), 0, "Enter Valid Year (>=2000)", "Enter New Year:"},
        {0, Dia(2003, 1, 1), "Enter Valid Year (<=2003)", "Enter New Year:"},
        {Dia(2000, 12, 1), Dia(2003, 1, 1), "Enter Valid Year (2000-2003)", "Enter New Year:"},
    };
    for (const auto& c : casos) {
        const TdvYearQuestion q = TdvMonthCalendar::EditYearQuestion(c.minimo, c.maximo,
                                                                     QStringLiteral("Enter Valid Year"));
        EXPECT_EQ(q.Caption, QString::fromLatin1(c.titulo));
        EXPECT_EQ(q.Prompt, QString::fromLatin1(c.pergunta));
    }
    const TdvYearQuestion q = TdvMonthCalendar::EditYearQuestion(Dia(2000, 12, 1), 0, QStringLiteral("E"));
    const struct {
        const char* resposta;
        bool aceita;
    } respostas[] = {
        {"2001", true}, {" 2000 ", true}, {"1999", false}, {"abc", false}, {"", false}, {"10000", false},
    };
    for (const auto& r : respostas) {
        int ano = 0;
        EXPECT_EQ(TdvMonthCalendar::AcceptsYear(QString::fromLatin1(r.resposta), q, ano), r.aceita) << r.resposta;
    }
}
