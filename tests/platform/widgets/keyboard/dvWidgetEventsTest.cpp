#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "platform/widgets/keyboard/dvWidgetEvents.h"

namespace {

// Records the keys and left-button events it gets, and takes every press.
class TGravador : public QWidget {
public:
    using QWidget::QWidget;

    struct TTecla {
        QEvent::Type Tipo;
        int Tecla;
        Qt::KeyboardModifiers Modificadores;
        int Repeticoes;
    };
    std::vector<TTecla> Teclas;
    int Soltos = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override { Teclas.push_back({e->type(), e->key(), e->modifiers(), e->count()}); }
    void keyReleaseEvent(QKeyEvent* e) override { Teclas.push_back({e->type(), e->key(), e->modifiers(), e->count()}); }
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            ++Soltos;
    }
};

class TFrCaixa : public QWidget {
    Q_OBJECT
};

class TFrase : public QWidget {   // "TFr" and no capital: no frame
    Q_OBJECT
};

TEST(WidgetEvents, AKeyWithItsModifierIsPostedDownAndUp)
{
    TGravador controle;
    dvPostKeyWithModifier(&controle, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(controle.Teclas.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    ASSERT_EQ(controle.Teclas.size(), 2u);
    EXPECT_EQ(controle.Teclas[0].Tipo, QEvent::KeyPress);
    EXPECT_EQ(controle.Teclas[1].Tipo, QEvent::KeyRelease);
    for (const auto& t : controle.Teclas) {
        EXPECT_EQ(t.Tecla, Qt::Key_Down);
        EXPECT_EQ(t.Modificadores, Qt::AltModifier);
        EXPECT_EQ(t.Repeticoes, 1);
    }
    dvPostKeyWithModifier(nullptr, Qt::Key_Down, Qt::AltModifier);
}

TEST(WidgetEvents, TheReleaseALeftPressMissedGoesToTheControlHoldingIt)
{
    TGravador forma;
    forma.resize(200, 100);
    auto* controle = new TGravador(&forma);
    controle->setGeometry(10, 10, 50, 30);
    forma.show();
    forma.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&forma));

    dvPostLButtonUp();
    QCoreApplication::processEvents();
    EXPECT_EQ(forma.Soltos + controle->Soltos, 0) << "nobody holds the button";

    QTest::mousePress(controle, Qt::LeftButton, {}, QPoint(5, 5));
    dvPostLButtonUp();
    QCoreApplication::processEvents();
    EXPECT_EQ(controle->Soltos, 1);
    EXPECT_EQ(forma.Soltos, 0);
    dvPostLButtonUp();   // that release ended the hold
    QCoreApplication::processEvents();
    EXPECT_EQ(controle->Soltos, 1);

    QTest::mousePress(&forma, Qt::LeftButton, {}, QPoint(150, 80));
    dvPostLButtonUp();
    QCoreApplication::processEvents();
    EXPECT_EQ(forma.Soltos, 1);
    EXPECT_EQ(controle->Soltos, 1);
}

TEST(WidgetEvents, TheFormOrFrameOfAControlIsItsNearest)
{
    QWidget forma;
    auto* moldura = new TFrCaixa;
    moldura->setParent(&forma);
    auto* painel = new TFrase;
    painel->setParent(moldura);
    auto* controle = new QWidget(painel);
    auto* direto = new QWidget(&forma);
    EXPECT_EQ(dvGetParentFormOrFrame(controle), moldura);
    EXPECT_EQ(dvGetParentFormOrFrame(moldura), &forma);
    EXPECT_EQ(dvGetParentFormOrFrame(direto), &forma);
    EXPECT_EQ(dvGetParentFormOrFrame(&forma), nullptr);
    EXPECT_EQ(dvGetParentFormOrFrame(nullptr), nullptr);
}

}   // namespace

#include "dvWidgetEventsTest.moc"
