#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <set>

#include "components/controls/AmbienteDeControles.h"
#include "components/controls/datetime/EDateTimeError.h"
#include "components/controls/datetime/TdvMonthCalendar.h"
#include "components/controls/datetime/dvCalendar.h"
#include "components/controls/edits/dvInputBox.h"
#include "components/data/common/dvBeep.h"
#include "components/data/common/dvSystem.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

namespace {

using C = TMonthCalControl;

QDateTime Quarta()
{
    return {QDate(2003, 3, 5), QTime(14, 7)};
}

double Dia(int ano, int mes, int dia)
{
    return dvFromQDate(QDate(ano, mes, dia));
}

// A calendar in a window on Wednesday 05/03/2003 at 14:07, its changes, beeps and the errors
// its events raised counted.
class CalendarioNaJanela : public ::testing::Test {
protected:
    void SetUp() override
    {
        calendario = new TdvMonthCalendar(&janela);
        calendario->setFont(QFont(QStringLiteral("Liberation Sans"), 8));
        calendario->OnChange = [this](QObject*) { ++mudancas; };
        janela.resize(400, 300);
        janela.show();
    }

    void TearDown() override { dvInstallInputBox({}); }

    void Clica(const QPoint& p) { QTest::mouseClick(calendario, Qt::LeftButton, Qt::NoModifier, p); }
    void ClicaNoDia(int ano, int mes, int dia) { Clica(calendario->DayRect(QDate(ano, mes, dia)).center()); }
    void ClicaEm(const TRect& r) { Clica(calendario->contentsRect().topLeft() + r.ToQRect().center()); }

    QWidget janela;
    TdvMonthCalendar* calendario = nullptr;   // child of the window
    int mudancas = 0;
    AmbienteDeControles ambiente{&Quarta};
    QStringList& erros = ambiente.erros;
};

}   // namespace

TEST_F(CalendarioNaJanela, StartsNowInAWeekFromSunday)
{
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 5));
    EXPECT_NEAR(calendario->Time(), (14 * 60 + 7) / 1440.0, 1e-9);
    EXPECT_EQ(calendario->ShownMonth(), 3);
    EXPECT_GE(calendario->width(), 155);
    const C::TLayout l = calendario->CurrentLayout();
    const QPoint primeiraCelula = calendario->contentsRect().topLeft() + QPoint(l.Days.Left + 2, l.Days.Top + 2);
    EXPECT_EQ(calendario->HitTest(primeiraCelula).Date, QDate(2003, 2, 23));   // a Sunday
    calendario->SetFirstDayOfWeek(TdvCalDayOfWeek::dvdowMonday);
    EXPECT_EQ(calendario->HitTest(primeiraCelula).Date, QDate(2003, 2, 24));
}

TEST_F(CalendarioNaJanela, ClickedDaysBecomeTheDateAndKeepTheTime)
{
    const double hora = calendario->Time();
    ClicaNoDia(2003, 3, 10);
    EXPECT_EQ(calendario->DateTime(), Dia(2003, 3, 10) + hora);
    ClicaNoDia(2003, 3, 10);
    EXPECT_EQ(mudancas, 1);
    ClicaNoDia(2003, 4, 2);   // a day of April in March's grid
    EXPECT_EQ(calendario->Date(), Dia(2003, 4, 2));
    EXPECT_EQ(calendario->ShownMonth(), 4);
    EXPECT_EQ(mudancas, 2);
}

TEST_F(CalendarioNaJanela, KeysMoveByDaysWeeksAndMonths)
{
    const struct {
        Qt::Key tecla;
        double dia;
    } casos[] = {
        {Qt::Key_Left, Dia(2003, 3, 30)}, {Qt::Key_Right, Dia(2003, 4, 1)},   {Qt::Key_Up, Dia(2003, 3, 24)},
        {Qt::Key_Down, Dia(2003, 4, 7)},  {Qt::Key_PageUp, Dia(2003, 2, 28)}, {Qt::Key_PageDown, Dia(2003, 4, 30)},
    };
    calendario->setFocus();
    for (const auto& c : casos) {
        calendario->SetDate(Dia(2003, 3, 31));
        mudancas = 0;
        QTest::keyClick(calendario, c.tecla);
        EXPECT_EQ(calendario->Date(), c.dia) << c.tecla;
        EXPECT_EQ(mudancas, 1);
    }
    EXPECT_FALSE(calendario->HandleKey(Qt::Key_Home, Qt::NoModifier));
}

TEST_F(CalendarioNaJanela, AKeyPastALimitRaisesAndKeepsTheDate)
{
    calendario->SetMinDate(Dia(2003, 3, 5));
    calendario->SetMaxDate(Dia(2003, 3, 6));
    try {
        calendario->HandleKey(Qt::Key_Left, Qt::NoModifier);
        FAIL() << "no error";
    } catch (const EDateTimeError& e) {
        EXPECT_EQ(e.Mensagem(), QStringLiteral("Date is less than minimum of 05/03/2003"));
    }
    calendario->setFocus();
    QTest::keyClick(calendario, Qt::Key_Down);
    EXPECT_EQ(erros, QStringList{QStringLiteral("Date exceeds maximum of 06/03/2003")});
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 5));
    EXPECT_EQ(mudancas, 0);
}

TEST_F(CalendarioNaJanela, ScrollButtonsMoveAMonthAndStopAtTheLimitsWithABeep)
{
    calendario->SetDate(Dia(2003, 1, 31));
    ClicaEm(calendario->CurrentLayout().NextButton);
    EXPECT_EQ(calendario->Date(), Dia(2003, 2, 28));
    calendario->SetMaxDate(Dia(2003, 3, 15));
    ClicaEm(calendario->CurrentLayout().NextButton);
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 15));
    EXPECT_EQ(AmbienteDeControles::Bipes(), 1);
    calendario->SetMinDate(Dia(2003, 2, 20));
    ClicaEm(calendario->CurrentLayout().PrevButton);
    EXPECT_EQ(calendario->Date(), Dia(2003, 2, 20));
    EXPECT_EQ(AmbienteDeControles::Bipes(), 2);
    EXPECT_EQ(mudancas, 3);
}

TEST_F(CalendarioNaJanela, ADayOutOfTheLimitsSelectsTheNearestLimit)
{
    calendario->SetDate(Dia(2003, 3, 20));
    calendario->SetMinDate(Dia(2003, 3, 5));
    calendario->SetMaxDate(Dia(2003, 3, 25));
    ClicaNoDia(2003, 3, 2);
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 5));
    ClicaNoDia(2003, 3, 30);
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 25));
    EXPECT_EQ(mudancas, 2);
    EXPECT_TRUE(erros.isEmpty());
}

TEST_F(CalendarioNaJanela, LimitsThatCrossAndDatesOutsideThemRaise)
{
    calendario->SetMaxDate(Dia(2003, 3, 10));
    EXPECT_THROW(calendario->SetMinDate(Dia(2003, 3, 11)), EDateTimeError);
    calendario->SetMinDate(Dia(2003, 3, 1));
    EXPECT_THROW(calendario->SetMaxDate(Dia(2003, 2, 28)), EDateTimeError);
    EXPECT_THROW(calendario->SetDate(Dia(2003, 3, 20)), EDateTimeError);
    EXPECT_THROW(calendario->SetDate(Dia(2003, 2, 20)), EDateTimeError);
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 5));
    calendario->SetDateTime(Dia(2003, 3, 30));   // brought into the limits
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 10));
    EXPECT_THROW(calendario->SetSelectionEnd(Dia(2003, 3, 11)), EDateTimeError);
    EXPECT_EQ(calendario->SelectionEnd(), Dia(2003, 3, 10));   // the limit is kept
    calendario->SetMinDate(0);
    calendario->SetDateTime(-5);
    EXPECT_EQ(calendario->Date(), 1);   // 31/12/1899
}

TEST_F(CalendarioNaJanela, BoldDaysComeFromTheOwner)
{
    std::set<int> meses;
    calendario->OnCalcBoldDay = [&meses](QObject*, double, int mes, int dia, int, bool& aceita) {
        meses.insert(mes);
        aceita = dia == 15;
    };
    calendario->SetOptions(mdoDayState);
    EXPECT_EQ(meses, (std::set<int>{2, 3, 4}));
    EXPECT_TRUE(calendario->IsBoldDay(QDate(2003, 3, 15)));
    EXPECT_TRUE(calendario->IsBoldDay(QDate(2003, 2, 15)));
    EXPECT_FALSE(calendario->IsBoldDay(QDate(2003, 3, 16)));
    calendario->SetOptions(0);
    EXPECT_FALSE(calendario->IsBoldDay(QDate(2003, 3, 15)));
}

TEST_F(CalendarioNaJanela, TitleMenusChooseAMonthOrAYear)
{
    calendario->SetDate(Dia(2003, 3, 31));
    ClicaEm(calendario->CurrentLayout().TitleMonth);
    ASSERT_TRUE(calendario->MonthMenu()->Showing());
    EXPECT_TRUE(calendario->PopupMenuShowing());
    EXPECT_TRUE(calendario->MonthMenu()->Choose(3));   // April
    EXPECT_EQ(calendario->Date(), Dia(2003, 4, 30));
    EXPECT_FALSE(calendario->PopupMenuShowing());

    calendario->SetDate(Dia(2004, 2, 29));
    ClicaEm(calendario->CurrentLayout().TitleYear);
    ASSERT_TRUE(calendario->YearMenu() && calendario->YearMenu()->Showing());
    EXPECT_TRUE(calendario->YearMenu()->Choose(13));   // 2003
    EXPECT_EQ(calendario->Date(), Dia(2003, 2, 28));
    EXPECT_EQ(calendario->ShownYear(), 2003);
    EXPECT_EQ(mudancas, 2);
}

TEST_F(CalendarioNaJanela, EditYearAsksUntilAYearWithinTheLimits)
{
    std::deque<QString> respostas = {QStringLiteral("abc"), QStringLiteral("1999"), QStringLiteral("2002")};
    QStringList perguntas;
    dvInstallInputBox([&](const QString& titulo, const QString& pergunta, const QString& padrao) {
        perguntas << titulo + QLatin1Char('|') + pergunta + QLatin1Char('|') + padrao;
        const QString r = respostas.front();
        respostas.pop_front();
        return r;
    });
    TdvPopupYearOptions opcoes;
    opcoes.ShowEditYear = true;
    calendario->SetPopupYearOptions(opcoes);
    calendario->SetMinDate(Dia(2000, 12, 1));
    ClicaEm(calendario->CurrentLayout().TitleYear);
    ASSERT_TRUE(calendario->YearMenu()->Choose(0));
    EXPECT_EQ(perguntas.size(), 3);
    EXPECT_EQ(perguntas.front(), QStringLiteral("Enter Valid Year (>=2000)|Enter New Year:|2003"));
    EXPECT_EQ(calendario->Date(), Dia(2002, 3, 5));
}

TEST_F(CalendarioNaJanela, ShiftedArrowsStretchAMultiSelection)
{
    calendario->SetOptions(mdoMultiSelect);
    calendario->SetMaxSelectCount(3);
    calendario->SetDate(Dia(2003, 3, 10));
    for (int i = 0; i < 3; ++i)
        calendario->HandleKey(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(calendario->SelectionStart(), Dia(2003, 3, 10));
    EXPECT_EQ(calendario->SelectionEnd(), Dia(2003, 3, 12));
    EXPECT_EQ(calendario->SelEnd(), QDate(2003, 3, 12));
    EXPECT_TRUE(calendario->SelectionChanged());
    calendario->HandleKey(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(calendario->SelectionStart(), calendario->SelectionEnd());
}

TEST_F(CalendarioNaJanela, ColoursReachTheControlAndAssignSkipsTheBackground)
{
    calendario->CalColors().SetTitleBackColor(Qt::red);
    EXPECT_EQ(calendario->CalColor(C::MCSC_TITLEBK), QColor(Qt::red));
    TdvDateTimeColors outras;
    outras.SetMonthBackColor(Qt::green);
    outras.SetBackColor(Qt::blue);
    calendario->SetCalColors(outras);
    EXPECT_EQ(calendario->CalColor(C::MCSC_MONTHBK), QColor(Qt::green));
    EXPECT_NE(calendario->CalColor(C::MCSC_BACKGROUND), QColor(Qt::blue));
}
