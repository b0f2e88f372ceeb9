#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/edits/TdvDBCustomEdit.h"
#include "components/data/common/dvBeep.h"
#include "components/data/common/dvSystem.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

int bipes = 0;
void ContaBipe()
{
    ++bipes;
}

QDateTime Quinta()
{
    return {QDate(2003, 3, 5), QTime(14, 7, 9)};
}

// An unbound edit on a form, focused, with the beeps and the checks counted.
class EditNaJanela : public ::testing::Test {
protected:
    void SetUp() override
    {
        bipes = 0;
        bipeAnterior = dvInstallBeep(&ContaBipe);
        relogioAnterior = dvInstallNow(&Quinta);
        janela.resize(300, 120);
        edit = new TdvDBCustomEdit(&janela);
        edit->setGeometry(10, 10, 120, 22);
        edit->OnCheckValue = [this](QObject*, bool passou) { verificacoes.push_back(passou); };
        outro = new QLineEdit(&janela);
        outro->setGeometry(10, 50, 120, 22);
        janela.show();
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
        edit->setFocus(Qt::TabFocusReason);
    }

    void TearDown() override
    {
        dvInstallBeep(bipeAnterior);
        dvInstallNow(relogioAnterior);
    }

    void Mascara(const QString& mascara)
    {
        TdvDBPicture picture(nullptr);
        picture.SetPictureMask(mascara);
        edit->SetPicture(picture);
    }

    TdvBeepFunc bipeAnterior = nullptr;
    TdvNow relogioAnterior = nullptr;
    QWidget janela;
    TdvDBCustomEdit* edit = nullptr;
    QLineEdit* outro = nullptr;
    std::vector<bool> verificacoes;
};

}   // namespace

TEST_F(EditNaJanela, TypingAgainstAPictureFillsItsLiteralsIn)
{
    Mascara(QStringLiteral("###-####"));
    const struct {
        char tecla;
        const char* texto;
        int caret;
        bool passou;
    } passos
        [] =
            {
                {'1', "1", 1, false},       {'2', "12", 2, false},
                {'3', "123-", 4, false},   // the literal comes with the third digit
                {'4', "123-4", 5, false},   {'5', "123-45", 6, false},
                {'6', "123-456", 7, false}, {'7', "123-4567", 8, true},
            };
    for (const auto& p : passos) {
        SCOPED_TRACE(p.tecla);
        Digita(QString(QChar::fromLatin1(p.tecla)));
        EXPECT_EQ(edit->Text(), QString::fromLatin1(p.texto));
        EXPECT_EQ(edit->SelStart(), p.caret);
        ASSERT_FALSE(verificacoes.empty());
        EXPECT_EQ(verificacoes.back(), p.passou);
    }
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(bipes, 0);
}

TEST_F(EditNaJanela, AKeyTheMaskRefusesAtTheEndBeepsAndIsLost)
{
    Mascara(QStringLiteral("###"));
    Digita(QStringLiteral("12"));
    verificacoes.clear();
    Digita(QStringLiteral("a"));
    EXPECT_EQ(edit->Text(), QStringLiteral("12"));
    EXPECT_EQ(bipes, 1);
    EXPECT_TRUE(verificacoes.empty());
    Digita(QStringLiteral("34"));   // past the mask's end
    EXPECT_EQ(edit->Text(), QStringLiteral("123"));
    EXPECT_EQ(bipes, 2);
}

TEST_F(EditNaJanela, AKeyTheMaskRefusesInsideTheTextPassesOnAsNotValid)
{
    Mascara(QStringLiteral("###"));
    Digita(QStringLiteral("12"));
    edit->SetSelStart(0);
    verificacoes.clear();
    Digita(QStringLiteral("x"));
    EXPECT_EQ(edit->Text(), QStringLiteral("x12"));
    EXPECT_EQ(verificacoes, std::vector<bool>{false});
    EXPECT_EQ(bipes, 0);
}

TEST_F(EditNaJanela, TheLengthLimitComesBeforeTheMask)
{
    Mascara(QStringLiteral("#####"));
    edit->SetMaxLength(3);
    Digita(QStringLiteral("123"));
    verificacoes.clear();
    Digita(QStringLiteral("4"));
    EXPECT_EQ(edit->Text(), QStringLiteral("123"));
    EXPECT_TRUE(verificacoes.empty());
}

TEST_F(EditNaJanela, AnEmptyTextIsAlwaysValid)
{
    Mascara(QStringLiteral("##/##"));
    EXPECT_TRUE(edit->ValidatePicture(QString()));
    EXPECT_FALSE(edit->ValidatePicture(QStringLiteral("12/")));
    EXPECT_TRUE(edit->ValidatePicture(QStringLiteral("12/34")));
}

TEST_F(EditNaJanela, AnIncompleteTextKeepsTheFocusUnlessInvalidExitIsAllowed)
{
    Mascara(QStringLiteral("##/##"));
    Digita(QStringLiteral("12"));
    ASSERT_EQ(edit->Text(), QStringLiteral("12/"));
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->InvalidExit());
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(bipes, 1);

    edit->Picture().SetAllowInvalidExit(true);
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(outro->hasFocus());
    EXPECT_FALSE(edit->InvalidExit());
}

TEST_F(EditNaJanela, EscGoesBackToTheTextTheEditHadOnEntering)
{
    edit->SetText(QStringLiteral("antes"));
    outro->setFocus(Qt::TabFocusReason);
    edit->setFocus(Qt::TabFocusReason);
    edit->SetSelStart(5);
    Digita(QStringLiteral("xyz"));
    EXPECT_EQ(edit->Text(), QStringLiteral("antesxyz"));
    // Esc reaches the edit because no dialog takes it here.
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("antes"));
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(edit->SelLength(), 5);
}

TEST_F(EditNaJanela, SpaceCompletesADateFromTheClockPartByPart)
{
    edit->SetUnboundDataType(TdvEditDataType::dvEdtDate);
    const char* passos[] = {"05/", "05/03/", "05/03/2003"};
    for (const char* esperado : passos) {
        Tecla(Qt::Key_Space);
        EXPECT_EQ(edit->Text(), QString::fromLatin1(esperado));
        EXPECT_EQ(edit->SelStart(), edit->Text().size());
    }
    // A day typed by hand gets its separator first.
    edit->SetText(QStringLiteral("7"));
    edit->SetSelStart(1);
    Tecla(Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QStringLiteral("7/"));
    Tecla(Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QStringLiteral("7/03/"));
}

TEST_F(EditNaJanela, SpaceCompletesATimeOfADateTimeAfterItsDate)
{
    edit->SetUnboundDataType(TdvEditDataType::dvEdtDateTime);
    for (int i = 0; i < 3; ++i)
        Tecla(Qt::Key_Space);
    const char* passos[] = {"05/03/2003 ", "05/03/2003 14:", "05/03/2003 14:07:", "05/03/2003 14:07:09"};
    for (const char* esperado : passos) {
        Tecla(Qt::Key_Space);
        EXPECT_EQ(edit->Text(), QString::fromLatin1(esperado));
    }
}

TEST_F(EditNaJanela, ADateEditThatIsReadOnlyBeepsOnSpace)
{
    edit->SetUnboundDataType(TdvEditDataType::dvEdtDate);
    edit->SetReadOnly(true);
    Tecla(Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QString());
}

TEST_F(EditNaJanela, PastingFillsTheMasksLiteralsIn)
{
    Mascara(QStringLiteral("##/##/####"));
    QGuiApplication::clipboard()->setText(QStringLiteral("31"));
    Tecla(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("31/"));
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_TRUE(edit->Modified());
}

TEST(TdvDBCustomEdit, AnUnboundEditIsReadOnlyUntilLoaded)
{
    TdvDBCustomEdit edit;
    EXPECT_TRUE(edit.isReadOnly());
    edit.EndLoading();
    EXPECT_FALSE(edit.isReadOnly());

    TdvDBCustomEdit soLeitura;
    soLeitura.SetReadOnly(true);
    soLeitura.EndLoading();
    EXPECT_TRUE(soLeitura.isReadOnly());
    soLeitura.SetReadOnly(false);
    EXPECT_FALSE(soLeitura.isReadOnly());
}

TEST(TdvDBCustomEdit, TheTextRectangleFollowsTheBorderAndTheFrame)
{
    TdvEditFrame semFrame(nullptr);
    EXPECT_EQ(TdvDBCustomEdit::EditRectFor(100, 20, true, false, semFrame), (TRect{0, 0, 99, 21}));
    EXPECT_EQ(TdvDBCustomEdit::EditRectFor(100, 20, false, false, semFrame), (TRect{1, 1, 99, 21}));
    EXPECT_EQ(TdvDBCustomEdit::EditRectFor(100, 20, false, true, semFrame), (TRect{2, 2, 99, 21}));
    TdvEditFrame comFrame(nullptr);
    comFrame.SetEnabled(true);
    EXPECT_EQ(TdvDBCustomEdit::EditRectFor(100, 20, false, false, comFrame), (TRect{2, 2, 98, 21}));
}
