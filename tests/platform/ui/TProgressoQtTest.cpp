#include <gtest/gtest.h>

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QtTest/QTest>

#include "platform/ui/TProgressoQt.h"

TEST(TProgressoQt, DrivesTheBarAndTheCaption)
{
    QProgressBar barra;
    QLabel rotulo;
    TProgressoQt progresso(&barra, &rotulo);
    progresso.DefineFaixa(0, 23);
    progresso.Avanca(4);
    progresso.MostraTexto(QStringLiteral("Limpando exclusões anexo.db"));
    EXPECT_EQ(barra.maximum(), 23);
    EXPECT_EQ(barra.value(), 4);
    EXPECT_EQ(rotulo.text(), QStringLiteral("Limpando exclusões anexo.db"));
    progresso.Completa();
    EXPECT_EQ(barra.value(), 23);
}

TEST(TProgressoQt, OutlivesItsWidgets)
{
    auto* barra = new QProgressBar;
    TProgressoQt progresso(barra);
    delete barra;
    progresso.DefineFaixa(0, 10);
    progresso.Avanca(3);
    progresso.MostraTexto(QStringLiteral("sem rótulo"));
    EXPECT_EQ(progresso.Posicao(), 3);
}

namespace {

class TContaPinturas final : public QObject {
public:
    int Pinturas = 0;
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint)
            ++Pinturas;
        return false;
    }
};

}   // namespace

// A step too small to show draws nothing: a long loop is not slowed by redrawing its gauge.
TEST(TProgressoQt, RedrawsOnlyWhenWhatItShowsChanges)
{
    QProgressBar barra;
    barra.resize(200, 20);
    barra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&barra));
    TContaPinturas conta;
    barra.installEventFilter(&conta);
    TProgressoQt progresso(&barra);
    progresso.DefineFaixa(0, 100000);
    for (int i = 0; i < 100000; ++i)
        progresso.Avanca(1);
    EXPECT_EQ(barra.value(), 100000);
    EXPECT_GE(conta.Pinturas, 100);   // every percent at least
    EXPECT_LE(conta.Pinturas, 301);   // every pixel and every percent at most
    const int antes = conta.Pinturas;
    progresso.DefineFaixa(0, 10);   // a new range draws its first step again
    progresso.DefinePosicao(0);
    EXPECT_GT(conta.Pinturas, antes);
}
