#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/combos/TdvPopupListbox.h"
#include "components/data/common/dvBeep.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

const QStringList Anos = {"2003", "2002", "2001", "2000", "1999", "1998", "1997"};

// A year combo as the new-declaration dialog places it, with a default and a cancel button.
class ComboNoDialogo : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFont fonte(QStringLiteral("Liberation Sans"));
        fonte.setPixelSize(11);
        dialogo.setFont(fonte);
        dialogo.resize(320, 240);
        combo = new TdvDBComboBox(&dialogo);
        combo->setGeometry(10, 10, 120, 21);
        combo->SetStyle(TComboBoxStyle::csDropDownList);
        combo->SetItems(Anos);
        combo->SetItemIndex(0);
        ok = new QPushButton(QStringLiteral("OK"), &dialogo);
        ok->setGeometry(10, 150, 75, 25);
        ok->setDefault(true);
        cancela = new QPushButton(QStringLiteral("Cancelar"), &dialogo);
        cancela->setGeometry(100, 150, 75, 25);
        QObject::connect(cancela, &QPushButton::clicked, &dialogo, &QDialog::reject);
        QObject::connect(ok, &QPushButton::clicked, &dialogo, &QDialog::accept);
        outro = new QLineEdit(&dialogo);
        outro->setGeometry(150, 10, 100, 21);
        dialogo.show();
        dialogo.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
        combo->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(combo->hasFocus());
    }

    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->hide();
    }

    QDialog dialogo;
    TdvDBComboBox* combo = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancela = nullptr;
    QLineEdit* outro = nullptr;
};

}   // namespace

TEST_F(ComboNoDialogo, EnterWithTheListDownChoosesWithoutPressingTheDefaultButton)
{
    QSignalSpy aceito(&dialogo, &QDialog::accepted);
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    ASSERT_EQ(QApplication::activePopupWidget(), combo->PopupList());
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("2001"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(aceito.count(), 0);
    EXPECT_TRUE(dialogo.isVisible());
    // With the list closed, Enter is the dialog's again.
    Tecla(Qt::Key_Return);
    EXPECT_EQ(aceito.count(), 1);
}

TEST_F(ComboNoDialogo, EscWithTheListDownCancelsWithoutClosingTheDialog)
{
    QSignalSpy rejeitado(&dialogo, &QDialog::rejected);
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("2003"));
    EXPECT_EQ(rejeitado.count(), 0);
    EXPECT_TRUE(dialogo.isVisible());
}

TEST_F(ComboNoDialogo, EscThatClosesTheListDoesNotAlsoUndoAnEarlierChoice)
{
    Tecla(Qt::Key_Down);   // closed: steps to "2002"
    ASSERT_EQ(combo->Text(), QStringLiteral("2002"));
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(combo->Text(), QStringLiteral("2002"));
}

TEST_F(ComboNoDialogo, TheButtonDropsTheListAndAClickOnARowChoosesIt)
{
    QStringList fechamentos;
    combo->OnCloseUp = [&](TdvDBCustomComboBox*, bool escolheu) { fechamentos << (escolheu ? "sim" : "nao"); };
    outro->setFocus();
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(combo->hasFocus());
    TdvPopupListbox* lista = combo->PopupList();
    EXPECT_EQ(lista->ItemIndex(), 0);   // the row of the shown text
    const QRect linha = lista->visualItemRect(lista->item(3));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, linha.center());
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("2000"));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(fechamentos, QStringList{QStringLiteral("sim")});
}

TEST_F(ComboNoDialogo, AClickOutsideTheListClosesItAcceptingTheHighlightedRow)
{
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);
    TdvPopupListbox* lista = combo->PopupList();
    ASSERT_EQ(lista->ItemIndex(), 1);
    const QPoint fora = dialogo.mapToGlobal(QPoint(300, 220));
    QMouseEvent pressao(QEvent::MouseButtonPress, lista->mapFromGlobal(fora), fora, Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(lista, &pressao);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(lista->isVisible());
    EXPECT_EQ(combo->Text(), QStringLiteral("2002"));
}

TEST_F(ComboNoDialogo, TheButtonClosesAnOpenList)
{
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    ASSERT_TRUE(combo->DroppedDown());
    combo->ButtonClick();
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboNoDialogo, AListOnlyComboShowsNoCaretWhileClosed)
{
    EXPECT_TRUE(combo->isReadOnly());
    Tecla(Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(combo->isReadOnly());
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(combo->isReadOnly());
}

TEST_F(ComboNoDialogo, ArrowKeysStepThroughTheItemsWhileClosed)
{
    int mudancas = 0;
    combo->OnChange = [&] { ++mudancas; };
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(combo->Text(), QStringLiteral("2001"));
    EXPECT_EQ(combo->SelLength(), 4);
    Tecla(Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(mudancas, 3);
    EXPECT_TRUE(combo->Modified());
    combo->SetItemIndex(0);
    Tecla(Qt::Key_Up);   // nothing before the first item
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboNoDialogo, ATypedDigitJumpsToTheNextYearBeginningWithIt)
{
    Digita(QStringLiteral("1"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1999"));
    Digita(QStringLiteral("1"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1998"));
    Digita(QStringLiteral("2"));
    EXPECT_EQ(combo->Text(), QStringLiteral("2003"));
    // Keypad digits count as digits.
    Tecla(Qt::Key_1, Qt::KeypadModifier, QStringLiteral("1"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1999"));
}

// Digits typed in quick succession choose by the start of the year, as a list searches; after a
// pause the search starts again.
TEST_F(ComboNoDialogo, DigitsTypedInQuickSuccessionChooseTheYearTheyBegin)
{
    const struct {
        const char* digitado;
        int pausa;   // milliseconds between the keys
        const char* antes;
        const char* escolhido;
    } casos[] = {
        {"1998", 100, "2002", "1998"}, {"2001", 100, "2002", "2001"}, {"2003", 100, "2002", "2003"},
        {"1997", 100, "1997", "1997"}, {"19", 2000, "2002", "1999"},  {"11", 100, "2003", "1998"},
    };
    quint64 quando = 100000;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitado);
        combo->SetItemIndex(static_cast<int>(Anos.indexOf(QLatin1String(c.antes))));
        quando += 10000;
        for (const char* d = c.digitado; *d; ++d) {
            QKeyEvent e(QEvent::KeyPress, Qt::Key_0 + (*d - '0'), Qt::NoModifier, QString(QChar::fromLatin1(*d)));
            e.setTimestamp(quando += static_cast<quint64>(c.pausa));
            QApplication::sendEvent(combo, &e);
        }
        EXPECT_EQ(combo->Text(), QLatin1String(c.escolhido));
    }
}

TEST_F(ComboNoDialogo, WithAutoDropDownTheKeyDropsTheListWhichFindsTheYear)
{
    combo->AutoDropDown = true;
    combo->selectAll();
    Digita(QStringLiteral("1"));
    ASSERT_TRUE(combo->DroppedDown());
    TdvPopupListbox* lista = combo->PopupList();
    EXPECT_EQ(lista->ItemText(lista->ItemIndex()), QStringLiteral("1999"));
    Digita(QStringLiteral("998"));
    EXPECT_EQ(lista->ItemText(lista->ItemIndex()), QStringLiteral("1998"));
    Tecla(Qt::Key_Return);
    EXPECT_EQ(combo->Text(), QStringLiteral("1998"));
    EXPECT_EQ(combo->ItemIndex(), 5);
}

TEST_F(ComboNoDialogo, ShowMatchTextCompletesTheTypedPartFromTheItems)
{
    combo->ShowMatchText = true;
    combo->selectAll();
    Digita(QStringLiteral("1"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1999"));
    Digita(QStringLiteral("9"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1999"));
    EXPECT_EQ(combo->SelStart(), 2);
    EXPECT_EQ(combo->SelLength(), 2);
    EXPECT_EQ(combo->cursorPosition(), 2);
    Digita(QStringLiteral("9"));
    Digita(QStringLiteral("7"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1997"));
    EXPECT_EQ(combo->ItemIndex(), 6);
    // Nothing begins with "5": a list-style combo drops the key.
    combo->selectAll();
    Digita(QStringLiteral("5"));
    EXPECT_EQ(combo->Text(), QStringLiteral("1997"));
}

TEST_F(ComboNoDialogo, LosingTheFocusAcceptsTheHighlightedRow)
{
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    combo->PopupList()->hide();   // what the window system does when another control is clicked
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("2001"));
}

TEST_F(ComboNoDialogo, TabWithTheListDownAcceptsAndMovesOn)
{
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Tab);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("2002"));
    EXPECT_EQ(QApplication::focusWidget(), ok);   // next in the tab order
}

TEST(TdvDBComboBox, ItemIndexShowsItsItemEmptiesOnMinusOneAndLeavesTheTextOtherwise)
{
    TdvDBComboBox combo;
    combo.SetStyle(TComboBoxStyle::csDropDownList);
    combo.SetItems(Anos);
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), QStringLiteral("2002"));
    combo.SetItemIndex(-1);
    EXPECT_EQ(combo.Text(), QString());
    combo.SetItemIndex(2);
    combo.SetItemIndex(7);
    EXPECT_EQ(combo.Text(), QStringLiteral("2001"));
    EXPECT_EQ(combo.ItemIndex(), 7);   // no list yet: the stored index
}

TEST(TdvDBComboBox, ItemsWithATabShowTheirFirstPartAndStoreTheSecond)
{
    TdvDBComboBox combo;
    combo.SetStyle(TComboBoxStyle::csDropDownList);
    combo.SetMapList(true);
    combo.SetItems({QStringLiteral("Active\tA"), QStringLiteral("Inactive\tI")});
    combo.SetValue(QStringLiteral("I"));
    EXPECT_EQ(combo.Text(), QStringLiteral("Inactive"));
    EXPECT_EQ(combo.ItemIndex(), 1);
    combo.SetItemIndex(0);
    EXPECT_EQ(combo.Text(), QStringLiteral("Active"));
    EXPECT_EQ(combo.TextForField(), QStringLiteral("A"));
    combo.SetValue(QStringLiteral("X"));   // no item stores it
    EXPECT_EQ(combo.Text(), QString());
    EXPECT_EQ(combo.ItemIndex(), -1);
    QString mostrado;
    EXPECT_TRUE(combo.DisplayTextForValue(QStringLiteral("A"), mostrado));
    EXPECT_EQ(mostrado, QStringLiteral("Active"));
}

TEST(TdvDBComboBox, WithoutMappingTheTextIsTheValue)
{
    TdvDBComboBox combo;
    combo.SetItems({QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    EXPECT_EQ(combo.ValueForText(QStringLiteral("Center")), QStringLiteral("Center"));
    combo.SetValue(QStringLiteral("Nowhere"));   // csDropDown shows any value
    EXPECT_EQ(combo.Text(), QStringLiteral("Nowhere"));
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetValue(QStringLiteral("right"));   // found without regard to case
    EXPECT_EQ(combo.ItemIndex(), 2);
}

TEST(TdvDBComboBox, TheListFitsItsRowsAndFlipsAtTheScreensEdges)
{
    EXPECT_EQ(TdvDBCustomComboBox::ListHeight(13, 7, 8), 13 * 7 + 4);
    EXPECT_EQ(TdvDBCustomComboBox::ListHeight(13, 20, 8), 13 * 8 + 4);
    EXPECT_EQ(TdvDBCustomComboBox::ListHeight(13, 0, 8), 4);
    const TRect tela{0, 0, 800, 600};
    const struct {
        TRect combo;
        TRect esperado;
    } casos[] = {
        {{100, 100, 220, 121}, {100, 120, 220, 215}},   // under the combo, over its last row
        {{100, 550, 220, 571}, {100, 455, 220, 550}},   // above it near the bottom
        {{700, 100, 820, 121}, {699, 120, 819, 215}},   // right-aligned near the right edge
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.combo.Left);
        EXPECT_EQ(TdvDBCustomComboBox::ListBounds(c.combo, 120, 95, tela), c.esperado);
    }
}

TEST(TdvDBComboBox, AnExistingListKeepsTheRowsOfNewItems)
{
    QWidget janela;
    TdvDBComboBox* combo = new TdvDBComboBox(&janela);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    janela.show();
    combo->DropDown();
    combo->CloseUp(false);
    combo->LimpaItens();
    for (const char* item : {"c", "d", "e", "f"})
        combo->AdicionaItem(QString::fromLatin1(item));
    combo->SetItemIndex(3);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), QStringLiteral("f"));
    EXPECT_EQ(combo->QuantidadeItens(), 4);
}

TEST_F(ComboNoDialogo, DeleteClearsAListStyleComboOnlyWhenAllowed)
{
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(combo->Text(), QStringLiteral("2003"));
    combo->AllowClearKey = true;
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(combo->Text(), QString());
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(combo->Modified());
}

TEST_F(ComboNoDialogo, AnOwnerDrawnListSearchesTheKeysTypedInQuickSuccession)
{
    combo->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
    combo->SetItems(
        {QStringLiteral("Abacate"), QStringLiteral("Banana"), QStringLiteral("Bergamota"), QStringLiteral("Caju")});
    combo->SetItemIndex(0);
    combo->OnDrawItem = [](QWidget*, int, QPainter&, const QRect&, unsigned) {};
    Tecla(Qt::Key_Down, Qt::AltModifier);
    TdvPopupListbox* lista = combo->PopupList();
    auto teclaEm = [&](char c, quint64 quando) {
        QKeyEvent e(QEvent::KeyPress, QChar::fromLatin1(c).toUpper().unicode(), Qt::NoModifier,
                    QString(QChar::fromLatin1(c)));
        e.setTimestamp(quando);
        QApplication::sendEvent(QApplication::activePopupWidget(), &e);
    };
    teclaEm('b', 10000);
    EXPECT_EQ(lista->ItemIndex(), 1);
    teclaEm('e', 11000);   // within 1,500 ms: "be"
    EXPECT_EQ(lista->ItemIndex(), 2);
    teclaEm('c', 13000);   // after a pause the search starts again
    EXPECT_EQ(lista->ItemIndex(), 3);
    EXPECT_EQ(lista->SearchText(), QStringLiteral("c"));
}

TEST_F(ComboNoDialogo, ParenthesesTypedWithTheListDownReachTheText)
{
    // Their character codes are those of the Up and Down keys, which the open list keeps.
    combo->SetStyle(TComboBoxStyle::csDropDown);
    combo->SetText(QString());
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    Tecla(Qt::Key_ParenLeft, Qt::NoModifier, QStringLiteral("("));
    Tecla(Qt::Key_Ampersand, Qt::NoModifier, QStringLiteral("&"));
    EXPECT_EQ(combo->Text(), QStringLiteral("(&"));
}

TEST_F(ComboNoDialogo, KeysThatTypeNoCharacterDoNotSearchTheItems)
{
    // Items that begin with the control characters the key codes of Backspace and Delete end in.
    combo->SetItems({QStringLiteral("2003"), QString(QChar(3)) + QStringLiteral("TRES"),
                     QString(QChar(7)) + QStringLiteral("SETE")});
    combo->SetItemIndex(0);
    for (const Qt::Key tecla : {Qt::Key_Delete, Qt::Key_Backspace}) {
        SCOPED_TRACE(tecla);
        Tecla(tecla);
        EXPECT_EQ(combo->ItemIndex(), 0);
        EXPECT_EQ(combo->Text(), QStringLiteral("2003"));
    }
}
