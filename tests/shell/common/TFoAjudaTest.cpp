#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "shell/common/TFoAjuda.h"
#include "support/ProgramaDeTeste.h"

TEST(TFoAjuda, AContextWithoutItsOwnPageShowsTheContents)
{
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/help");
    ASSERT_TRUE(QDir().mkpath(pasta));
    EXPECT_EQ(TFoAjuda::Pagina(pasta, 15000), QString());   // no page at all
    for (const char* pagina : {"10000.html", "15000.html"}) {
        QFile arquivo(pasta + QLatin1Char('/') + QLatin1String(pagina));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("<html><body><h1>Uso do Teclado</h1></body></html>");
    }
    EXPECT_EQ(TFoAjuda::Pagina(pasta, 15000), pasta + QStringLiteral("/15000.html"));
    EXPECT_EQ(TFoAjuda::Pagina(pasta, 12345), pasta + QStringLiteral("/10000.html"));
    EXPECT_EQ(TFoAjuda::Pagina(QString(), 15000), QString());

    TFoAjuda janela;
    janela.MostraPagina(TFoAjuda::Pagina(pasta, 15000));
    EXPECT_TRUE(janela.findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("Uso do Teclado")));
}

TEST(TFoAjuda, EveryContextOfTheMainWindowHasItsPage)
{
    const QString pasta = QStringLiteral(PRUV_FONTES "/resources/help");
    for (const int contexto : {10000, 12050, 15000, 18000}) {
        SCOPED_TRACE(contexto);
        EXPECT_EQ(TFoAjuda::Pagina(pasta, contexto), pasta + QStringLiteral("/%1.html").arg(contexto));
    }
}

TEST(TFoAjuda, OpensBesideItsOwnerAndStaysOnTheScreen)
{
    const QRect tela(0, 0, 1280, 800);
    const QSize ajuda(640, 520);
    const struct {
        const char* caso;
        QRect dono;
        QPoint esperado;
    } casos[] = {
        {"room on the right", QRect(10, 50, 524, 240), QPoint(10 + 524 + 8, 50)},
        {"room on the left only", QRect(700, 100, 524, 240), QPoint(700 - 8 - 640, 100)},
        {"no room on either side", QRect(300, 100, 700, 500), QPoint(1280 - 640, 100)},
        {"low on the screen", QRect(10, 600, 524, 150), QPoint(10 + 524 + 8, 800 - 520)},
        {"above the screen's top", QRect(10, -30, 524, 150), QPoint(10 + 524 + 8, 0)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(TFoAjuda::Posicao(c.dono, ajuda, tela), c.esperado);
    }
    // A screen narrower than the help window: its left edge stays visible.
    EXPECT_EQ(TFoAjuda::Posicao(QRect(0, 0, 300, 200), ajuda, QRect(0, 0, 600, 800)).x(), 0);
}
