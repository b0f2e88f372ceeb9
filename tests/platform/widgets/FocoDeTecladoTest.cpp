#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

#include "platform/widgets/keyboard/FechaComEsc.h"
#include "platform/widgets/keyboard/TOrdemTab.h"
#include "platform/widgets/keyboard/TRetornoDeFoco.h"
#include "platform/widgets/keyboard/TTabNoGrupo.h"

// Reading order: rows by their tops, a row from left to right; a control a little lower than
// its neighbour (a label's baseline) still reads in its row.
TEST(TOrdemTab, ReadsRowsTopDownAndEachRowLeftToRight)
{
    const struct {
        const char* caso;
        QList<QRect> retangulos;
        QList<int> ordem;
    } casos[] = {
        {"one column", {QRect(0, 40, 10, 20), QRect(0, 0, 10, 20), QRect(0, 80, 10, 20)}, {1, 0, 2}},
        {"one row", {QRect(200, 0, 10, 20), QRect(0, 2, 10, 20), QRect(100, 0, 10, 20)}, {1, 2, 0}},
        // The screen of the declarant page: rectifying, special situation, the CNPJ's CPF in one row.
        {"boxes in a row under a wide box",
         {QRect(8, 146, 175, 66), QRect(8, 6, 600, 125), QRect(440, 146, 170, 66), QRect(191, 146, 234, 66)},
         {1, 0, 3, 2}},
        {"just below the middle starts a new row", {QRect(0, 0, 10, 20), QRect(50, 10, 10, 20)}, {0, 1}},
        {"empty", {}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(TOrdemTab::OrdemDeLeitura(c.retangulos), c.ordem);
    }
}

TEST(TOrdemTab, TabFollowsTheScreenAcrossBoxesWhateverTheCreationOrder)
{
    QWidget janela;
    janela.resize(400, 200);
    auto* baixo = new QGroupBox(&janela);
    baixo->setGeometry(0, 100, 400, 80);
    auto* cima = new QGroupBox(&janela);
    cima->setGeometry(0, 0, 400, 80);
    auto* c = new QLineEdit(baixo);
    c->setObjectName(QStringLiteral("c"));
    c->setGeometry(10, 20, 50, 20);
    auto* b = new QLineEdit(cima);
    b->setObjectName(QStringLiteral("b"));
    b->setGeometry(200, 20, 50, 20);
    auto* a = new QLineEdit(cima);
    a->setObjectName(QStringLiteral("a"));
    a->setGeometry(10, 20, 50, 20);
    TOrdemTab::PelaTela(janela);
    janela.show();
    QApplication::setActiveWindow(&janela);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    a->setFocus();
    QString lidos = QStringLiteral("a");
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        lidos += QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(lidos, QStringLiteral("abc"));
}

// A window that closes gives the focus back to its opener, on the control that had it: after a
// dialog closed by Esc, after a plain window closed by Esc, and not when the user had gone on to
// another window meanwhile.
// Tab enters a radio group on its checked option, the next Tab leaves the group; the same
// backwards. A group without a checked option is entered on its first.
TEST(TTabNoGrupo, TabEntersARadioGroupOnItsCheckedOptionAndLeavesItWithTheNextTab)
{
    const TTabNoGrupo tabNoGrupo;
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* antes = new QLineEdit(&janela);
    layout->addWidget(antes);
    auto* grupo = new QWidget(&janela);
    auto* opcoes = new QVBoxLayout(grupo);
    QRadioButton* radios[3];
    for (QRadioButton*& r : radios) {
        r = new QRadioButton(QStringLiteral("opção"), grupo);
        opcoes->addWidget(r);
    }
    layout->addWidget(grupo);
    auto* depois = new QLineEdit(&janela);
    layout->addWidget(depois);
    radios[1]->setChecked(true);
    janela.show();
    QApplication::setActiveWindow(&janela);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));

    antes->setFocus();
    const struct {
        Qt::Key tecla;
        QWidget* foco;
    } passos[] = {
        {Qt::Key_Tab, radios[1]}, {Qt::Key_Tab, depois}, {Qt::Key_Backtab, radios[1]}, {Qt::Key_Backtab, antes}};
    for (const auto& p : passos) {
        QTest::keyClick(QApplication::focusWidget(), p.tecla);
        EXPECT_EQ(QApplication::focusWidget(), p.foco) << "after " << (p.tecla == Qt::Key_Tab ? "Tab" : "Shift+Tab");
    }

    radios[1]->setAutoExclusive(false);
    radios[1]->setChecked(false);
    radios[1]->setAutoExclusive(true);
    antes->setFocus();
    QTest::keyClick(antes, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), radios[0]);
}

TEST(TRetornoDeFoco, AClosedWindowGivesTheFocusBackToTheControlOfItsOpener)
{
    TRetornoDeFoco retorno;
    QWidget principal;
    auto* layout = new QVBoxLayout(&principal);
    auto* primeiro = new QLineEdit(&principal);
    auto* segundo = new QLineEdit(&principal);
    layout->addWidget(primeiro);
    layout->addWidget(segundo);
    principal.show();
    QApplication::setActiveWindow(&principal);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&principal));
    segundo->setFocus();

    for (const bool dialogo : {true, false}) {
        SCOPED_TRACE(dialogo);
        std::unique_ptr<QWidget> janela = dialogo ? std::make_unique<QDialog>() : std::make_unique<QWidget>();
        auto* campo = new QLineEdit(janela.get());
        if (!dialogo)
            FechaComEsc(*janela);
        janela->show();
        QApplication::setActiveWindow(janela.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Escape);
        EXPECT_FALSE(janela->isVisible());
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &principal);
        EXPECT_EQ(QApplication::focusWidget(), segundo);
    }

    // Gone on to another window: closing the first leaves the user where they are.
    QWidget aberta;
    aberta.show();
    QApplication::setActiveWindow(&aberta);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&aberta));
    QWidget outra;
    auto* campoOutra = new QLineEdit(&outra);
    outra.show();
    QApplication::setActiveWindow(&outra);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&outra));
    campoOutra->setFocus();
    aberta.close();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &outra);
}

TEST(FechaComEsc, EscClosesTheWindowFromAnyControlThroughItsCloseQuery)
{
    QWidget janela;
    auto* campo = new QLineEdit(&janela);
    FechaComEsc(janela);
    janela.show();
    QApplication::setActiveWindow(&janela);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_Escape);
    EXPECT_FALSE(janela.isVisible());
}
