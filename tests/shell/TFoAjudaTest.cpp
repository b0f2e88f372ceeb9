#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "shell/TFoAjuda.h"
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
