#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

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
