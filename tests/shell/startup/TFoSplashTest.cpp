#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "support/VariavelDeAmbiente.h"
#include "shell/startup/TFoSplash.h"

namespace {

QColor CorDoLed(const TFoSplash& splash)
{
    return splash.findChild<QFrame*>(QStringLiteral("PanelLed"))->palette().color(QPalette::Window);
}

QRect Disco(const TFoSplash& splash)
{
    return splash.findChild<QLabel*>(QStringLiteral("ImgDsk1"))->geometry();
}

bool TimerAtivo(const TFoSplash& splash)
{
    return splash.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive();
}

}   // namespace

TEST(TTrajetoSplash, TheDiskGoesDownRoundLeftUpAndSinks)
{
    const QRect inicio(100, 50, 40, 40);
    const struct {
        int passo;
        QRect geometria;
    } casos[] = {
        {0, {100, 50, 40, 40}},    {80, {100, 130, 40, 40}},   // down 80
        {110, {150, 180, 40, 40}},                             // a quarter of the circle: right of its centre
        {140, {100, 230, 40, 40}},                             // half: at the bottom
        {200, {100, 130, 40, 40}},                             // round once
        {270, {30, 130, 40, 40}},                              // left 70
        {290, {30, 110, 40, 40}},                              // up 20
        {420, {30, 130, 40, 20}},                              // half sunk, the bottom edge kept
        {550, {30, 150, 40, 0}},                               // gone in
        {900, {30, 150, 40, 0}},                               // nothing after the end
    };
    EXPECT_EQ(TTrajetoSplash::TotalPassos, 550);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.passo);
        EXPECT_EQ(TTrajetoSplash::Geometria(inicio, c.passo), c.geometria);
    }
}

TEST(TVisorSplash, EndsWhenTheCounterPassesNinetyAfterNineteenCycles)
{
    TVisorSplash visor;
    int tiques = 0;
    while (!visor.Terminou() && tiques < 1000) {
        EXPECT_EQ(visor.Quadro(), tiques % 2);
        visor.Tique();
        ++tiques;
    }
    EXPECT_EQ(tiques, 38);
    EXPECT_EQ(visor.Contador(), 95);
}

TEST(TFoSplash, SitsCentredOnTheMainWindowFortyPixelsIntoItsClientArea)
{
    // A frame of 650 x 480 at (100, 50) whose client area is 429 high.
    EXPECT_EQ(TFoSplash::Posicao(QRect(100, 50, 650, 480), 429, 529), QPoint(160, 141));
    EXPECT_EQ(TFoSplash::Posicao(QRect(0, 0, 400, 300), 300, 529), QPoint(-64, 40));
}

TEST(TFoSplash, TheEnvironmentSwitchLeavesTheSplashOut)
{
    const struct {
        const char* valor;
        bool criado;
    } casos[] = {{"1", false}, {"0", true}, {nullptr, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor ? c.valor : "unset");
        const VariavelDeAmbiente chave("PRUV2003_NO_SPLASH", c.valor);
        EXPECT_EQ(TFoSplash::Cria() != nullptr, c.criado);
    }
}

TEST(TFoSplash, AClickAKeyOrCloseEndsTheAnimationAtOnce)
{
    const VariavelDeAmbiente chave("PRUV2003_NO_SPLASH", nullptr);
    const std::function<void(TFoSplash&, QWidget&)> maneiras[] = {
        [](TFoSplash& s, QWidget&) {
            QTest::mouseClick(s.findChild<QLabel*>(QStringLiteral("LbPruv")), Qt::LeftButton);
        },
        [](TFoSplash& s, QWidget&) { QTest::keyClick(&s, Qt::Key_Space); },
        [](TFoSplash& s, QWidget&) { s.close(); },
        // The main window closed by the user while the program loads.
        [](TFoSplash&, QWidget& principal) { principal.close(); },
    };
    for (const auto& maneira : maneiras) {
        QWidget principal;
        principal.show();
        auto splash = TFoSplash::Cria();
        ASSERT_NE(splash, nullptr);
        splash->SetPrincipal(&principal);
        splash->show();
        const QRect inicio = Disco(*splash);
        QTimer::singleShot(0, splash.get(), [&maneira, &splash, &principal] { maneira(*splash, principal); });
        AnimaSplash(*splash);
        EXPECT_TRUE(splash->Terminado());
        EXPECT_NE(Disco(*splash), TTrajetoSplash::Geometria(inicio, TTrajetoSplash::TotalPassos));
        EXPECT_FALSE(TimerAtivo(*splash));
        EXPECT_NE(CorDoLed(*splash), QColor(0, 255, 0));
    }
}

TEST(TFoSplash, AfterThePathTheLightsTurnGreenAndTheDisplayRunsUntilSkipped)
{
    const VariavelDeAmbiente chave("PRUV2003_NO_SPLASH", nullptr);
    auto splash = TFoSplash::Cria();
    splash->show();
    const QRect inicio = Disco(*splash);
    QTimer vigia;
    bool viuVisor = false;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (TimerAtivo(*splash) && CorDoLed(*splash) == QColor(0, 255, 0)) {
            viuVisor = true;
            QTest::mouseClick(splash.get(), Qt::LeftButton);
        }
    });
    vigia.start(5);
    AnimaSplash(*splash);
    EXPECT_TRUE(viuVisor);
    EXPECT_EQ(Disco(*splash), TTrajetoSplash::Geometria(inicio, TTrajetoSplash::TotalPassos));
    EXPECT_FALSE(TimerAtivo(*splash));
}

TEST(TFoSplash, ShowsTheNameWithItsYearAndFillsItsBoxes)
{
    TFoSplash splash;
    const auto* nome = splash.findChild<QLabel*>(QStringLiteral("LbPruv"));
    const auto* ano = splash.findChild<QLabel*>(QStringLiteral("ImgAno"));
    ASSERT_NE(ano, nullptr);
    EXPECT_EQ(nome->text(), QStringLiteral("Pruv"));
    EXPECT_FALSE(ano->pixmap().isNull());
    EXPECT_GT(ano->x(), nome->geometry().right());
    EXPECT_LE(ano->geometry().right(), TFoSplash::Largura - 1) << "the year is drawn whole";
    EXPECT_TRUE(splash.findChild<QLabel*>(QStringLiteral("LbAno"))->isHidden());   // the calendar year
    QStringList caixas;
    for (int i = 1; i <= 3; ++i)
        caixas << splash.findChild<QLabel*>(QStringLiteral("Bevel%1").arg(i))->text();
    EXPECT_EQ(caixas,
              (QStringList{QStringLiteral("Declaração do"), QStringLiteral("Imposto de Renda"),
                           QStringLiteral("Retido na Fonte")}));
}
