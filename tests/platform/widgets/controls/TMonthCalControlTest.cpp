#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/widgets/controls/TMonthCalControl.h"

namespace {

using C = TMonthCalControl;

// A control with a fixed font, showing March 2003, the clicks' selections recorded.
class ControleDeMes : public ::testing::Test {
protected:
    void SetUp() override
    {
        controle.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
        controle.SetFirstDayOfWeek(6);
        controle.SetCurSel(QDate(2003, 3, 12));
        controle.OnSelChange = [this](const QDate& a, const QDate& b) { selecoes.emplace_back(a, b); };
        controle.show();
    }

    void Clica(const QPoint& p) { QTest::mouseClick(&controle, Qt::LeftButton, Qt::NoModifier, p); }

    QPoint Centro(const TRect& r) const { return controle.contentsRect().topLeft() + r.ToQRect().center(); }

    C controle;
    std::vector<std::pair<QDate, QDate>> selecoes;
};

}   // namespace

TEST(TMonthCalControl, GridStartsOnTheFirstDayOfTheWeekBeforeTheMonth)
{
    const struct {
        int ano, mes, primeiro;
        QDate celula;
    } casos[] = {
        {2003, 2, 6, QDate(2003, 1, 26)},   // Saturday the 1st: the week from Sunday the 26th
        {2004, 2, 6, QDate(2004, 2, 1)},    // leap year, starts on a Sunday: no trailing days
        {2000, 2, 6, QDate(2000, 1, 30)},  {2003, 3, 0, QDate(2003, 2, 24)},   // weeks from Monday
        {1997, 1, 6, QDate(1996, 12, 29)}, {2003, 12, 6, QDate(2003, 11, 30)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1/%2").arg(c.mes).arg(c.ano).toStdString());
        EXPECT_EQ(C::FirstCell(c.ano, c.mes, c.primeiro), c.celula);
    }
}

TEST(TMonthCalControl, LayoutIsCentredAndGrowsWithItsParts)
{
    const C::TMetrics m{13, 20, 90, 90};
    const C::TLayout l = C::LayoutFor(m, QSize(0, 0), 0, 40, 4, 30);
    EXPECT_EQ(l.MinSize, QSize(148, 21 + 2 + 16 + 6 * 15 + 2 + 19 + 4));
    EXPECT_EQ(l.Days.Width(), 7 * 20);
    EXPECT_EQ(l.Days.Height(), 6 * 15);
    EXPECT_EQ(l.TitleMonth.Right + 4, l.TitleYear.Left);

    const C::TLayout maior = C::LayoutFor(m, QSize(248, 400), 0, 40, 4, 30);
    EXPECT_EQ(maior.Block.Left, 50);
    EXPECT_EQ(maior.Block.Top, (400 - l.MinSize.height()) / 2);

    const C::TLayout semanas = C::LayoutFor(m, QSize(0, 0), C::MCS_WEEKNUMBERS | C::MCS_NOTODAY, 40, 4, 30);
    EXPECT_EQ(semanas.MinSize.width(), 8 * 20 + 8);
    EXPECT_EQ(semanas.MinSize.height(), l.MinSize.height() - 19);
    EXPECT_EQ(semanas.WeekNumbers.Width(), 20);
    EXPECT_EQ(semanas.Today.Height(), 0);
}

TEST_F(ControleDeMes, HitTestNamesEveryPartAndTheDayUnderTheMouse)
{
    const C::TLayout l = controle.CurrentLayout();
    const struct {
        TRect r;
        C::THitArea area;
    } casos[] = {
        {l.PrevButton, C::MCHT_TITLEBTNPREV}, {l.NextButton, C::MCHT_TITLEBTNNEXT}, {l.TitleMonth, C::MCHT_TITLEMONTH},
        {l.TitleYear, C::MCHT_TITLEYEAR},     {l.DayNames, C::MCHT_CALENDARDAY},    {l.Today, C::MCHT_TODAYLINK},
    };
    for (const auto& c : casos)
        EXPECT_EQ(controle.HitTest(Centro(c.r)).Hit, c.area);

    const struct {
        QDate dia;
        C::THitArea area;
    } dias[] = {
        {QDate(2003, 2, 23), C::MCHT_CALENDARDATEPREV},   // the grid's first cell
        {QDate(2003, 3, 1), C::MCHT_CALENDARDATE},
        {QDate(2003, 3, 31), C::MCHT_CALENDARDATE},
        {QDate(2003, 4, 5), C::MCHT_CALENDARDATENEXT},   // its last cell
    };
    for (const auto& d : dias) {
        const C::THitTest h = controle.HitTest(controle.DayRect(d.dia).center());
        EXPECT_EQ(h.Hit, d.area);
        EXPECT_EQ(h.Date, d.dia);
    }
    EXPECT_TRUE(controle.DayRect(QDate(2003, 2, 22)).isEmpty());
}

TEST_F(ControleDeMes, ClicksSelectDaysInRangeAndShowTheirMonth)
{
    controle.SetRange(QDate(2003, 3, 5), QDate(2003, 4, 10));
    Clica(controle.DayRect(QDate(2003, 3, 4)).center());   // before the range
    EXPECT_TRUE(selecoes.empty());
    Clica(controle.DayRect(QDate(2003, 3, 20)).center());
    Clica(controle.DayRect(QDate(2003, 4, 2)).center());   // a trailing day
    ASSERT_EQ(selecoes.size(), 2u);
    EXPECT_EQ(selecoes[1].first, QDate(2003, 4, 2));
    EXPECT_EQ(controle.ShownMonth(), 4);
    EXPECT_FALSE(controle.SetCurSel(QDate(2003, 4, 11)));
    EXPECT_EQ(controle.CurSel(), QDate(2003, 4, 2));

    Clica(Centro(controle.CurrentLayout().NextButton));   // scrolls, keeps the selection
    EXPECT_EQ(controle.ShownMonth(), 5);
    EXPECT_EQ(controle.CurSel(), QDate(2003, 4, 2));
}

TEST_F(ControleDeMes, DraggingStretchesARangeUpToTheMostDaysAllowed)
{
    controle.SetCalStyle(C::MCS_MULTISELECT);
    controle.SetMaxSelCount(4);
    const QPoint inicio = controle.DayRect(QDate(2003, 3, 10)).center();
    QTest::mousePress(&controle, Qt::LeftButton, Qt::NoModifier, inicio);
    const QPointF fim = controle.DayRect(QDate(2003, 3, 20)).center();
    QMouseEvent arrasto(QEvent::MouseMove, fim, controle.mapToGlobal(fim), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&controle, &arrasto);
    QTest::mouseRelease(&controle, Qt::LeftButton, Qt::NoModifier, fim.toPoint());
    EXPECT_EQ(controle.SelStart(), QDate(2003, 3, 10));
    EXPECT_EQ(controle.SelEnd(), QDate(2003, 3, 13));
    EXPECT_FALSE(controle.SetSelRange(QDate(2003, 3, 1), QDate(2003, 3, 5)));   // five days
}

TEST_F(ControleDeMes, AsksTheBoldDaysOfTheThreeMonthsItShows)
{
    std::vector<std::pair<int, int>> pedidos;
    controle.OnGetDayState = [&pedidos](int ano, int mes, int quantidade) {
        pedidos.emplace_back(ano * 100 + mes, quantidade);
        return std::vector<std::uint32_t>{1u << 27, 1u, 1u << 1};
    };
    controle.SetCalStyle(C::MCS_DAYSTATE);
    controle.ShowMonth(2003, 1);
    ASSERT_EQ(pedidos.size(), 2u);
    EXPECT_EQ(pedidos[1], std::make_pair(200212, 3));
    EXPECT_TRUE(controle.IsBoldDay(QDate(2002, 12, 28)));
    EXPECT_TRUE(controle.IsBoldDay(QDate(2003, 1, 1)));
    EXPECT_TRUE(controle.IsBoldDay(QDate(2003, 2, 2)));
    EXPECT_FALSE(controle.IsBoldDay(QDate(2003, 1, 2)));
    EXPECT_FALSE(controle.IsBoldDay(QDate(2003, 3, 1)));
}

TEST_F(ControleDeMes, NeverSmallerThanItsMonthInItsFont)
{
    controle.resize(20, 20);
    EXPECT_EQ(controle.size(), controle.MinReqSize());
    const QSize antes = controle.size();
    controle.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    EXPECT_GT(controle.width(), antes.width());
    EXPECT_GT(controle.height(), antes.height());
    controle.SetBordered(true);
    EXPECT_EQ(controle.MinReqSize().width(), controle.CurrentLayout().MinSize.width() + 2);
}
