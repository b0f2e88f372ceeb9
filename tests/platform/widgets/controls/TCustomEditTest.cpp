#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/widgets/TecladoDeTeste.h"
#include "platform/widgets/controls/TCustomEdit.h"
#include "platform/widgets/controls/TPopupListBox.h"

using namespace TecladoDeTeste;

namespace {

// Records the protocol and drops or replaces what the test asks for.
class EditDeTeste final : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;

    QStringList mensagens;
    int descartaKeyDown = 0;
    QChar descartaChar;
    QChar trocaDe, trocaPor;
    bool querEnter = false;
    bool recusaSaida = false;
    int entradas = 0;
    int saidas = 0;
    int colagens = 0;

protected:
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override
    {
        mensagens << QStringLiteral("down %1").arg(key);
        if (key == descartaKeyDown)
            key = 0;
        TCustomEdit::KeyDown(key, shift);
    }
    void KeyPress(QChar& key) override
    {
        mensagens << QStringLiteral("char %1").arg(key.unicode());
        if (key == descartaChar)
            key = QChar();
        else if (key == trocaDe)
            key = trocaPor;
    }
    bool WantsKey(int) const override { return querEnter; }
    void CMEnter() override { ++entradas; }
    void CMExit() override
    {
        ++saidas;
        if (recusaSaida)
            setFocus();
    }
    void WMPaste() override
    {
        ++colagens;
        TCustomEdit::WMPaste();
    }
};

class TCustomEditNoDialogo : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogo.resize(300, 200);
        edit = new EditDeTeste(&dialogo);
        edit->setGeometry(10, 10, 120, 22);
        outro = new QPushButton(QStringLiteral("Outro"), &dialogo);
        outro->setGeometry(10, 100, 80, 25);
        outro->setDefault(true);
        dialogo.show();
        dialogo.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
        edit->setFocus(Qt::TabFocusReason);
    }

    QDialog dialogo;
    EditDeTeste* edit = nullptr;
    QPushButton* outro = nullptr;
};

}   // namespace

TEST_F(TCustomEditNoDialogo, SplitsAKeyIntoItsKeyDownAndItsCharacter)
{
    Digita(QStringLiteral("a"));
    EXPECT_EQ(edit->mensagens, (QStringList{QStringLiteral("down 65"), QStringLiteral("char 97")}));
    EXPECT_EQ(edit->Text(), QStringLiteral("a"));
}

TEST_F(TCustomEditNoDialogo, EachMessageMayBeDroppedOrReplaced)
{
    // A character key acts by its character: dropping its key-down still types it.
    edit->descartaKeyDown = Qt::Key_B;
    Digita(QStringLiteral("b"));
    EXPECT_EQ(edit->Text(), QStringLiteral("b"));
    // A key without character acts by its key-down.
    edit->descartaKeyDown = Qt::Key_Backspace;
    edit->descartaChar = QChar(8);
    edit->SetSelStart(1);
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(edit->Text(), QStringLiteral("b"));
    edit->descartaKeyDown = Qt::Key_Delete;
    edit->SetSelStart(0);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(edit->Text(), QStringLiteral("b"));
    edit->trocaDe = QChar(u'c');
    edit->trocaPor = QChar(u'X');
    edit->SetSelStart(1);
    Digita(QStringLiteral("c"));
    EXPECT_EQ(edit->Text(), QStringLiteral("bX"));
}

TEST_F(TCustomEditNoDialogo, EnterGoesToTheDialogUnlessTheEditWantsIt)
{
    QSignalSpy clique(outro, &QPushButton::clicked);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(clique.count(), 1);
    EXPECT_TRUE(edit->mensagens.isEmpty());

    edit->querEnter = true;
    Tecla(Qt::Key_Return);
    EXPECT_EQ(clique.count(), 1);
    EXPECT_EQ(edit->mensagens, (QStringList{QStringLiteral("down %1").arg(Qt::Key_Return), QStringLiteral("char 13")}));
}

TEST_F(TCustomEditNoDialogo, PasteGoesThroughItsHandlerUnlessItsCharacterIsDropped)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("colado"));
    Tecla(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->colagens, 1);
    EXPECT_EQ(edit->Text(), QStringLiteral("colado"));
    edit->descartaChar = QChar(22);
    Tecla(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->colagens, 1);
}

TEST_F(TCustomEditNoDialogo, OwnPopupDoesNotTakeTheFocusAwayButAnotherControlDoes)
{
    EXPECT_EQ(edit->entradas, 1);
    TPopupListBox lista(edit);
    lista.addItem(QStringLiteral("a"));
    lista.ShowAt({10, 40, 100, 80});
    EXPECT_EQ(QApplication::activePopupWidget(), &lista);
    lista.hide();
    EXPECT_EQ(edit->saidas, 0);
    EXPECT_EQ(edit->entradas, 1);
    EXPECT_TRUE(edit->hasFocus());

    outro->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->saidas, 1);
    EXPECT_TRUE(outro->hasFocus());
}

TEST_F(TCustomEditNoDialogo, AnExitRefusedKeepsTheFocusWithoutEnteringAgain)
{
    edit->recusaSaida = true;
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->saidas, 1);
    EXPECT_EQ(edit->entradas, 1);
    edit->recusaSaida = false;
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(outro->hasFocus());
    EXPECT_EQ(edit->saidas, 2);
}

TEST(TCustomEdit, TheLengthLimitStopsTypingButNotTheProgramsText)
{
    TCustomEdit edit;
    edit.SetMaxLength(8);
    edit.SetText(QStringLiteral("3222-1234"));   // a phone number shown with its mask
    EXPECT_EQ(edit.text(), QStringLiteral("3222-1234"));
    edit.SetText(QStringLiteral("3222123"));
    edit.setCursorPosition(7);
    QTest::keyClicks(&edit, QStringLiteral("45"));
    EXPECT_EQ(edit.text(), QStringLiteral("32221234"));
}

// An Alt+letter that no menu, tab or button took (the beneficiary's Alt+J while the court
// decision tab is hidden) types nothing, as on the desktops the clerks come from; typing goes
// on where it was.
TEST(TCustomEdit, AnAltLetterThatNothingTookTypesNothing)
{
    TCustomEdit edit;
    edit.SetText(QStringLiteral("0561"));
    edit.setCursorPosition(4);
    QTest::keyClick(&edit, Qt::Key_J, Qt::AltModifier);
    QTest::keyClick(&edit, Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("0561"));
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClicks(&edit, QStringLiteral("j"));
    EXPECT_EQ(edit.text(), QStringLiteral("056j1"));
}

TEST(TCustomEdit, SelectionFollowsThePlatformsConventions)
{
    TCustomEdit edit;
    edit.SetText(QStringLiteral("abcdef"));
    EXPECT_EQ(edit.SelStart(), 0);   // the caret at the start after the text is set
    edit.SetSel(6, 2);               // anchor at the end, caret at 2
    EXPECT_EQ(edit.SelStart(), 2);
    EXPECT_EQ(edit.SelLength(), 4);
    EXPECT_EQ(edit.cursorPosition(), 2);
    edit.SetMaxLength(0);
    EXPECT_EQ(edit.MaxLength(), 0);
    EXPECT_EQ(TCustomEdit::CharOf(QKeyEvent(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("v"))),
              QChar(22));
    EXPECT_TRUE(TCustomEdit::CharOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier)).isNull());
}
