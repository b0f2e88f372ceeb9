#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ui/ProgressoRegistrado.h"
#include "platform/ui/TProgressoEspacado.h"

TEST(TProgressoEspacado, PassesAPositionOnAtMostOncePerIntervalAndTheEndAtOnce)
{
    qint64 agora = 1000;
    ProgressoRegistrado destino;
    TProgressoEspacado gauge(destino, 50, [&] { return agora; });
    gauge.DefineFaixa(0, 100);
    EXPECT_EQ(destino.Maximo(), 100);

    const struct {
        qint64 instante;
        int posicao;
        int mostrada;   // the destination's position afterwards
    } casos[] = {
        {1000, 1, 1},                                       // the first one goes at once
        {1010, 2, 1},     {1049, 3, 1},     {1050, 4, 4},   // a full interval after the last one passed
        {1060, 5, 4},     {1070, 100, 100},                 // the end of the range at once
        {1071, 150, 100},                                   // kept inside the range
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.posicao);
        agora = c.instante;
        gauge.DefinePosicao(c.posicao);
        EXPECT_EQ(gauge.Posicao(), std::min(c.posicao, 100));
        EXPECT_EQ(destino.Posicao(), c.mostrada);
    }
    gauge.MostraTexto(QStringLiteral("Lendo"));
    EXPECT_EQ(destino.Textos(), QStringList{QStringLiteral("Lendo")});
}
