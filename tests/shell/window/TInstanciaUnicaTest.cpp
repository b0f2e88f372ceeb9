#include <QLockFile>
#include <QWidget>
#include <gtest/gtest.h>

#include "support/ProgramaDeTeste.h"
#include "shell/window/TInstanciaUnica.h"
#include "shell/Espera.h"

namespace {

const QString Nome = QStringLiteral("Pruv 2003");

}   // namespace

TEST(TInstanciaUnica, TheFirstStartRunsAndASecondAsksItToComeToTheFront)
{
    TInstanciaUnica primeira(ProgramaDeTeste::Pasta(), Nome);
    int pedidos = 0;
    QObject::connect(&primeira, &TInstanciaUnica::PedidoParaFrente, [&pedidos] { ++pedidos; });
    ASSERT_FALSE(primeira.InstanciaAnterior());

    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(segunda.InstanciaAnterior());
    EXPECT_TRUE(Espera([&pedidos] { return pedidos == 1; }));

    TInstanciaUnica terceira(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(terceira.InstanciaAnterior());
    EXPECT_TRUE(Espera([&pedidos] { return pedidos == 2; }));
}

TEST(TInstanciaUnica, TheFirstWindowComesBackFromMinimised)
{
    QWidget janela;
    janela.setWindowTitle(QStringLiteral("Pruv 2003"));
    janela.showMinimized();
    TInstanciaUnica primeira(ProgramaDeTeste::Pasta(), Nome);
    ASSERT_FALSE(primeira.InstanciaAnterior());
    primeira.DefineJanela(&janela);

    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    ASSERT_TRUE(segunda.InstanciaAnterior());
    EXPECT_TRUE(Espera([&janela] { return !(janela.windowState() & Qt::WindowMinimized); }));
    EXPECT_TRUE(janela.isVisible());
}

TEST(TInstanciaUnica, AStartWhileTheFirstIsNotYetListeningEndsQuietly)
{
    // The first copy holds its lock but has not opened its socket yet.
    QLockFile trava(ProgramaDeTeste::Pasta() + QLatin1Char('/') + Nome + QStringLiteral(".lock"));
    ASSERT_TRUE(trava.tryLock(0));
    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(segunda.InstanciaAnterior());
}

TEST(TInstanciaUnica, AfterTheFirstEndsTheNextStartRuns)
{
    {
        TInstanciaUnica primeira(ProgramaDeTeste::Pasta(), Nome);
        ASSERT_FALSE(primeira.InstanciaAnterior());
    }
    TInstanciaUnica seguinte(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_FALSE(seguinte.InstanciaAnterior());
    TInstanciaUnica outra(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(outra.InstanciaAnterior());
}
