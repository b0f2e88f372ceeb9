#include <QApplication>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "platform/widgets/controls/TComboBox.h"

// The wheel is left unaccepted, for the window system to hand on to the control beneath.
TEST(TComboBox, TheWheelChoosesNothingAndIsLeftToTheControlBeneath)
{
    QWidget janela;
    auto* combo = new TComboBox(&janela);
    (new QVBoxLayout(&janela))->addWidget(combo);
    combo->addItems({QStringLiteral("2003"), QStringLiteral("2002"), QStringLiteral("2001")});
    combo->setCurrentIndex(1);
    int escolhas = 0;
    QObject::connect(combo, &QComboBox::activated, [&escolhas] { ++escolhas; });
    janela.show();
    combo->setFocus();
    for (const int graus : {-120, 120, 120}) {
        const QPointF centro = QRectF(combo->rect()).center();
        QWheelEvent roda(centro, combo->mapToGlobal(centro), {}, {0, graus}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &roda);
        EXPECT_EQ(combo->currentIndex(), 1) << graus;
        EXPECT_FALSE(roda.isAccepted());
    }
    EXPECT_EQ(escolhas, 0);
}
