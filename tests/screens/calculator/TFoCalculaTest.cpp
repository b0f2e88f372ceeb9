#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "model/values/TMonetario.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"
#include "screens/calculator/TCLEDLabel.h"
#include "screens/calculator/TFoCalcula.h"
#include "screens/edits/TPruvEdit.h"
#include "shell/window/TPruv2003.h"

using namespace TecladoDeTeste;

namespace {

// The calculator open beside a window with a money edit.
struct Mesa {
    Mesa()
    {
        auto* layout = new QHBoxLayout(&janela);
        layout->addWidget(edit);
        edit->SetTipoDeDado(TTipoDeDado::Numerico);
        edit->SetDado(&valor);
        janela.move(0, 300);
        janela.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&janela));
        MostraCalculadora();
        calculadora = TFoCalcula::Aberta();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(calculadora));
        calculadora->move(0, 0);   // beside the window, clear of its field
        QApplication::processEvents();
        QApplication::setActiveWindow(calculadora);
        calculadora->setFocus();
    }
    ~Mesa() { delete calculadora; }
    void Clica(const char* botao)
    {
        QTest::mouseClick(calculadora->findChild<QPushButton*>(QString::fromLatin1(botao)), Qt::LeftButton);
    }
    [[nodiscard]] TCLEDLabel* Visor() const { return calculadora->findChild<TCLEDLabel*>(QStringLiteral("LlDisplay")); }

    DialogosRoteirizados dialogos;
    TMonetario valor;
    QWidget janela;
    TPruvEdit* edit = new TPruvEdit;
    TFoCalcula* calculadora = nullptr;
};

}   // namespace

TEST(TFoCalcula, OneCalculatorAtATimeFreedOnClosing)
{
    MostraCalculadora();
    TFoCalcula* primeira = TFoCalcula::Aberta();
    ASSERT_NE(primeira, nullptr);
    EXPECT_EQ(primeira->windowTitle(), QStringLiteral("Calculadora"));
    MostraCalculadora();
    EXPECT_EQ(TFoCalcula::Aberta(), primeira);
    primeira->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TFoCalcula::Aberta(), nullptr);
}

TEST(TFoCalcula, ButtonsAndKeysReachTheDisplay)
{
    Mesa m;
    m.Clica("Bt1");
    m.Clica("Bt0");
    m.Clica("BtDiv");
    EXPECT_TRUE(m.calculadora->findChild<QWidget*>(QStringLiteral("LbDiv"))->isVisibleTo(m.calculadora));
    Digita(QStringLiteral("4="));
    EXPECT_EQ(m.Visor()->Texto(), QStringLiteral("2,50"));
    EXPECT_FALSE(m.calculadora->findChild<QWidget*>(QStringLiteral("LbDiv"))->isVisibleTo(m.calculadora));
    Digita(QStringLiteral("/0="));
    EXPECT_TRUE(m.Visor()->Erro());
}

TEST(TFoCalcula, TransportarThenAClickCarriesTheResultIntoAMoneyField)
{
    Mesa m;
    Digita(QStringLiteral("12,5*2="));
    m.Clica("BtTransportar");
    QTest::mouseClick(m.edit, Qt::LeftButton, {}, m.edit->rect().center());
    EXPECT_EQ(m.valor.GetTexto(), QStringLiteral("25,00"));
}

TEST(TFoCalcula, TheDisplayTakesAnAmountDraggedFromAField)
{
    Mesa m;
    m.valor.SetTexto(QStringLiteral("7,25"));
    const QPoint de = m.edit->rect().center();
    QTest::mousePress(m.edit, Qt::LeftButton, Qt::ShiftModifier, de);
    QTest::mouseMove(m.edit, de + QPoint(0, 30));
    QWidget* visor = m.Visor();
    QTest::mouseMove(visor, visor->rect().center());
    QTest::mouseRelease(visor, Qt::LeftButton, {}, visor->rect().center());
    EXPECT_EQ(m.Visor()->Texto(), QStringLiteral("7,25"));
    EXPECT_EQ(m.calculadora->Calculadora().Entrada(), QStringLiteral("7,25"));
}

TEST(TFoCalcula, TheMainWindowsCalculatorCommandOpensIt)
{
    DialogosRoteirizados dialogos;
    TPruv2003 principal;
    TRotinasPrincipal rotinas;
    rotinas.MostraCalculadora = MostraCalculadora;
    principal.DefineRotinas(rotinas);
    principal.Comando(QStringLiteral("MiCalculadora"))->trigger();
    ASSERT_NE(TFoCalcula::Aberta(), nullptr);
    delete TFoCalcula::Aberta();
}

TEST(TFoCalcula, OpensCentredOnItsOwnerWithinTheScreen)
{
    const QRect tela(0, 0, 1280, 1024);
    const QSize moldura(400, 300);
    const struct {
        QRect dono;
        QPoint esperado;
    } casos[] = {
        {{0, 0, 1280, 1024}, {439, 361}},
        {{980, 824, 300, 200}, {880, 724}},   // near the bottom right corner: back into the screen
        {{-100, -100, 200, 100}, {0, 0}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.dono.x());
        EXPECT_EQ(TFoCalcula::Posicao(c.dono, moldura, tela), c.esperado);
    }
}

// Wherever the window that asked for it stands, the calculator opens whole on the screen.
TEST(TFoCalcula, OpensWhollyOnTheScreen)
{
    QWidget dono;
    dono.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dono));
    const QRect tela = dono.screen()->availableGeometry();
    const QRect lugares[] = {tela, QRect(tela.topLeft(), QSize(300, 200)),
                             QRect(tela.bottomRight() - QPoint(300, 200), QSize(300, 200))};
    for (const QRect& lugar : lugares) {
        SCOPED_TRACE(testing::Message() << lugar.x() << "," << lugar.y() << " " << lugar.width() << "x"
                                        << lugar.height());
        dono.setGeometry(lugar);
        dono.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dono));
        MostraCalculadora();
        TFoCalcula* calculadora = TFoCalcula::Aberta();
        ASSERT_NE(calculadora, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(calculadora));
        const QRect moldura = calculadora->frameGeometry();
        EXPECT_TRUE(tela.contains(moldura)) << moldura.x() << "," << moldura.y() << " " << moldura.width() << "x"
                                            << moldura.height() << " on " << tela.width() << "x" << tela.height();
        delete calculadora;
    }
}
