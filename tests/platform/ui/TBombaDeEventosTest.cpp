#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/ui/TBombaDeEventos.h"

TEST(TBombaDeEventos, PumpsAtMostOncePerInterval)
{
    qint64 agora = 1000;
    int bombeadas = 0;
    TBombaDeEventos bomba(
        50, [&] { return agora; }, [&] { ++bombeadas; });

    const struct {
        qint64 instante;
        bool bombeia;
    } casos[] = {
        {1000, true},                                 // the first call always pumps
        {1000, false}, {1049, false}, {1050, true},   // a full interval after the last pump
        {1051, false}, {1200, true},  {1249, false},
    };
    int esperadas = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.instante);
        agora = c.instante;
        EXPECT_EQ(bomba.Bombeia(), c.bombeia);
        esperadas += c.bombeia ? 1 : 0;
        EXPECT_EQ(bombeadas, esperadas);
    }
}

TEST(TBombaDeEventos, DeliversPostedEventsByDefault)
{
    TBombaDeEventos bomba;
    bool entregue = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { entregue = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(bomba.Bombeia());
    EXPECT_TRUE(entregue);
}
