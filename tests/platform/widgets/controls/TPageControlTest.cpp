#include <QApplication>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "platform/widgets/controls/TPageControl.h"

// The wheel over the tabs turns no page and is left unaccepted, for the control beneath.
TEST(TPageControl, TheWheelOverTheTabsTurnsNoPage)
{
    QWidget janela;
    auto* paginas = new TPageControl(&janela);
    (new QVBoxLayout(&janela))->addWidget(paginas);
    for (const char* titulo : {"Um", "Dois", "Tres"})
        paginas->addTab(new QWidget, QLatin1String(titulo));
    paginas->setCurrentIndex(1);
    janela.show();
    QTabBar* barra = paginas->tabBar();
    for (const int graus : {-120, 120, 120}) {
        const QPointF centro = QRectF(barra->tabRect(1)).center();
        QWheelEvent roda(centro, barra->mapToGlobal(centro), {}, {0, graus}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(barra, &roda);
        EXPECT_EQ(paginas->currentIndex(), 1) << graus;
        EXPECT_FALSE(roda.isAccepted());
    }
}
