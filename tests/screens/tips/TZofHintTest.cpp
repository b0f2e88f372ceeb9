#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include "screens/grids/TPruvGridMeses.h"
#include "screens/tips/TZofHint.h"

TEST(TZofHint, AHintStaysLongerTheLongerItsText)
{
    const struct {
        int caracteres;
        int ms;
    } casos[] = {
        {0, 1300}, {5, 1300}, {15, 1300}, {16, 1320}, {100, 7200},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caracteres);
        EXPECT_EQ(TZofHint::TempoVisivel(c.caracteres), c.ms);
    }
}

TEST(TZofHint, KeepsItsWidthAtMost300)
{
    TZofHint dica;
    dica.SetHintWidth(400);
    EXPECT_EQ(dica.HintWidth(), 300);
    dica.SetHintWidth(200);
    EXPECT_EQ(dica.HintWidth(), 200);
}

TEST(TZofHint, ShowsTheHintOfTheControlInTheBalloonOnceTheMouseHasRested)
{
    TZofHint dica;
    dica.SetHintActive(true);
    const int pausa = QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) + 50;
    dica.SetHintPauseTime(pausa);
    QWidget janela;
    auto* botao = new QPushButton(QStringLiteral("Ok"), &janela);
    botao->setToolTip(QStringLiteral("Confirma"));
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    const QPoint p = botao->rect().center();
    QHelpEvent ajuda(QEvent::ToolTip, p, botao->mapToGlobal(p));
    QApplication::sendEvent(botao, &ajuda);
    EXPECT_TRUE(ajuda.isAccepted());
    EXPECT_TRUE(dica.Balao() == nullptr || !dica.Balao()->isVisible());   // not yet: 50 ms more
    QTest::qWait(100);
    ASSERT_NE(dica.Balao(), nullptr);
    EXPECT_TRUE(dica.Balao()->isVisible());
    EXPECT_EQ(dica.Balao()->Caption(), QStringLiteral("Confirma"));
    // Leaving the control hides it.
    QEvent saida(QEvent::Leave);
    QApplication::sendEvent(botao, &saida);
    EXPECT_FALSE(dica.Balao()->isVisible());
}

TEST(TZofHint, AsksAGridForTheHintOfTheCellUnderTheMouse)
{
    TZofHint dica;
    dica.SetHintActive(true);
    dica.SetHintPauseTime(0);
    TPruvGridRendimentos grade;
    grade.OnHint = [](int c, int l, QString& texto, bool&) { texto = QStringLiteral("Célula %1,%2").arg(c).arg(l); };
    grade.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grade));
    const TRect r = grade.CellRect(2, 3);
    const QPoint p((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    QHelpEvent ajuda(QEvent::ToolTip, p, grade.viewport()->mapToGlobal(p));
    QApplication::sendEvent(grade.viewport(), &ajuda);
    ASSERT_NE(dica.Balao(), nullptr);
    EXPECT_EQ(dica.Balao()->Caption(), QStringLiteral("Célula 2,3"));
}

// As Qt asks when the mouse has rested at p of the window: the control under it first, then its
// parents while none takes it.
namespace {

void Repousa(QWidget& janela, QPoint p)
{
    QWidget* alvo = janela.childAt(p) ? janela.childAt(p) : &janela;
    QCoreApplication::postEvent(alvo,
                                new QHelpEvent(QEvent::ToolTip, alvo->mapFrom(&janela, p), janela.mapToGlobal(p)));
    QCoreApplication::sendPostedEvents(alvo, QEvent::ToolTip);
}

}   // namespace

TEST(TZofHint, AGridWithoutHintsShowsNoneWhereverTheMouseRests)
{
    TZofHint dica;
    dica.SetHintActive(true);
    dica.SetHintPauseTime(0);
    QWidget janela;
    janela.setToolTip(QStringLiteral("Janela"));
    auto* grade = new TPruvCustomGrid(&janela);
    grade->SetColCount(6);
    grade->SetRowCount(12);
    grade->setGeometry(0, 0, 200, 120);   // both bars and their corner show
    janela.resize(220, 140);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    QWidget* vista = grade->viewport();
    const QPoint origem = vista->mapTo(&janela, QPoint(0, 0));
    const auto meio = [&](int c, int l) { return origem + grade->CellRect(c, l).ToQRect().center(); };
    const struct {
        const char* onde;
        QPoint ponto;
    } lugares[] = {
        {"a cell", meio(2, 3)},
        {"the title row", meio(2, 0)},
        {"a row title", meio(0, 3)},
        {"the vertical bar", QPoint(grade->verticalScrollBar()->mapTo(&janela, QPoint(3, 20)))},
        {"the horizontal bar", QPoint(grade->horizontalScrollBar()->mapTo(&janela, QPoint(20, 3)))},
        {"the corner", QPoint(grade->width() - 4, grade->height() - 4)},
    };
    ASSERT_TRUE(grade->verticalScrollBar()->isVisible() && grade->horizontalScrollBar()->isVisible());
    for (const auto& l : lugares) {
        SCOPED_TRACE(l.onde);
        Repousa(janela, l.ponto);
        // Nothing of the grid's: what the window around it says.
        ASSERT_NE(dica.Balao(), nullptr);
        EXPECT_EQ(dica.Balao()->Caption(), QStringLiteral("Janela"));
        dica.Esconde();
    }
    // With cell hints, the bars and the corner still give none of a cell's.
    grade->OnHint = [](int c, int l, QString& texto, bool&) { texto = QStringLiteral("Célula %1,%2").arg(c).arg(l); };
    Repousa(janela, lugares[0].ponto);
    EXPECT_EQ(dica.Balao()->Caption(), QStringLiteral("Célula 2,3"));
    dica.Esconde();
    for (const auto& l : {lugares[3], lugares[4], lugares[5]}) {
        SCOPED_TRACE(l.onde);
        Repousa(janela, l.ponto);
        EXPECT_EQ(dica.Balao()->Caption(), QStringLiteral("Janela"));
        dica.Esconde();
    }
    // Below and beside the rows, once the whole grid shows.
    janela.resize(720, 520);
    grade->setGeometry(0, 0, 700, 500);
    QApplication::processEvents();
    Repousa(janela, vista->mapTo(&janela, QPoint(vista->width() - 2, vista->height() - 2)));
    EXPECT_EQ(dica.Balao()->Caption(), QStringLiteral("Janela"));   // no cell there
    dica.Esconde();
}

TEST(TZofHint, TheNextControlsHintFollowsAfterTheShortPauseUntilAClickEndsTheRun)
{
    TZofHint dica;
    dica.SetHintActive(true);
    dica.SetHintPauseTime(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) + 900);
    QWidget janela;
    auto* primeiro = new QPushButton(QStringLiteral("Um"), &janela);
    auto* segundo = new QPushButton(QStringLiteral("Dois"), &janela);
    segundo->move(0, 40);
    primeiro->setToolTip(QStringLiteral("Primeiro"));
    segundo->setToolTip(QStringLiteral("Segundo"));
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    const auto pede = [](QPushButton* botao) {
        const QPoint p = botao->rect().center();
        QHelpEvent ajuda(QEvent::ToolTip, p, botao->mapToGlobal(p));
        QApplication::sendEvent(botao, &ajuda);
    };

    pede(primeiro);
    EXPECT_EQ(dica.PausaAguardada(), 900);   // the whole pause
    EXPECT_TRUE(QTest::qWaitFor([&] { return dica.Balao() && dica.Balao()->isVisible(); }, 10000));
    ASSERT_TRUE(dica.Balao() && dica.Balao()->isVisible());
    QEvent saida(QEvent::Leave);
    QApplication::sendEvent(primeiro, &saida);
    pede(segundo);
    EXPECT_EQ(dica.PausaAguardada(), TZofHint::HintShortPause);
    EXPECT_FALSE(dica.Balao()->isVisible());

    // A click ends the run: the whole pause again.
    QTest::mouseClick(segundo, Qt::LeftButton);
    pede(primeiro);
    EXPECT_EQ(dica.PausaAguardada(), 900);
}

TEST(TZofHint, AnyNewTextForAboutReadsHint)
{
    TZofHint dica;
    EXPECT_TRUE(dica.About().isEmpty());
    dica.SetAbout(QString());
    EXPECT_TRUE(dica.About().isEmpty());
    dica.SetAbout(QStringLiteral("Versão 2"));
    EXPECT_EQ(dica.About(), QStringLiteral("Hint"));
    dica.SetAbout(QStringLiteral("Hint"));
    EXPECT_EQ(dica.About(), QStringLiteral("Hint"));
}
