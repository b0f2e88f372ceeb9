#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/controls/richtext/TdvRichEditForm.h"
#include "components/data/richtext/TdvRtfReader.h"
#include "components/controls/richtext/TdvRulerPanel.h"
#include "components/controls/datetime/TdvTrackIcon.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/ProgramaDeTeste.h"

namespace {

class EditorRich : public ::testing::Test {
protected:
    void SetUp() override { origem.SetText(QStringLiteral("texto original")); }

    // The form as ExecuteEditor opens it, shown.
    std::unique_ptr<TdvRichEditForm> Abre()
    {
        auto form = std::make_unique<TdvRichEditForm>(origem);
        form->CopiaConteudo();
        form->show();
        return form;
    }

    DialogosRoteirizados dialogos;
    TdvCustomRichEdit origem;
};

}   // namespace

TEST_F(EditorRich, SaveAndExitGivesTheChangedCopyBack)
{
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TdvRichEditForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->RichEdit1->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->RichEdit1, QStringLiteral(" novo"));
        form->RichEdit1->selectAll();
        form->BoldButton->click();
        form->SaveExitItem->trigger();
    });
    EXPECT_TRUE(origem.ExecuteEditor());
    EXPECT_EQ(origem.Text(), QStringLiteral("texto original novo"));
    EXPECT_TRUE(origem.Modified());
    EXPECT_TRUE(TdvRtfReader::Read(origem.RichText())->Paragraphs[0].Runs[0].Format.Bold);
}

TEST_F(EditorRich, LeavingAChangedCopyAsksAndCancelKeepsTheEditorOpen)
{
    auto form = Abre();
    QTest::keyClicks(form->RichEdit1, QStringLiteral("x"));
    dialogos.Responde(Resposta::Cancela);
    form->ExitItem->trigger();
    EXPECT_TRUE(form->isVisible());
    dialogos.Responde(Resposta::Nao);
    form->ExitItem->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(dialogos.Textos(),
              QStringList(2, QStringLiteral("Changes have been made!  Do you wish to save your changes?")));
    EXPECT_EQ(origem.Text(), QStringLiteral("texto original"));
}

TEST_F(EditorRich, EscapeUndoesUnlessTheOptionClosesTheEditor)
{
    origem.EditorOptions &= ~reoCloseOnEscape;
    auto form = Abre();
    form->RichEdit1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->RichEdit1, QStringLiteral("!"));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->RichEdit1->Text(), QStringLiteral("texto original"));

    origem.EditorOptions |= reoCloseOnEscape;
    auto outro = Abre();
    QTest::keyClick(outro.get(), Qt::Key_Escape);
    EXPECT_FALSE(outro->isVisible());
    EXPECT_TRUE(dialogos.Textos().isEmpty());   // nothing changed: no question
}

TEST_F(EditorRich, SavingWithTheTextFilterWritesPlainTextAndAsksBeforeOverwriting)
{
    origem.EditorOptions |= reoShowSaveAs;
    auto form = Abre();
    form->RichEdit1->selectAll();
    form->BoldButton->click();
    const QString arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/nota.txt");
    form->DialogoSalvar = [&](int& filtro) {
        filtro = 2;
        return arquivo;
    };
    ASSERT_TRUE(form->SalvaComo());
    QFile lido(arquivo);
    ASSERT_TRUE(lido.open(QIODevice::ReadOnly));
    EXPECT_EQ(lido.readAll(), QByteArray("texto original"));
    lido.close();
    EXPECT_TRUE(TdvRtfReader::IsRtf(form->RichEdit1->SaveToBytes()));   // still rich text

    form->RichEdit1->SetText(QStringLiteral("outro"));
    for (const Resposta r : {Resposta::Nao, Resposta::Cancela}) {
        dialogos.Responde(r);
        EXPECT_FALSE(form->SalvaComo());
    }
    ASSERT_TRUE(lido.open(QIODevice::ReadOnly));
    EXPECT_EQ(lido.readAll(), QByteArray("texto original"));
    lido.close();
    dialogos.Responde(Resposta::Sim);
    EXPECT_TRUE(form->SalvaComo());
    ASSERT_TRUE(lido.open(QIODevice::ReadOnly));
    EXPECT_EQ(lido.readAll(), QByteArray("outro"));
    EXPECT_TRUE(dialogos.Textos().first().startsWith(QStringLiteral("OK to overwrite ")));
}

TEST_F(EditorRich, ALoadedFileReplacesTheCopy)
{
    const QString arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/carta.rtf");
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\pard\\qc Carta\\par fim}");
    f.close();
    auto form = Abre();
    form->DialogoAbrir = [&] { return arquivo; };
    ASSERT_TRUE(form->Carrega());
    EXPECT_EQ(form->RichEdit1->Lines().ToStringList(), (QStringList{"Carta", "fim"}));
    EXPECT_TRUE(form->CenterButton->isChecked());
    EXPECT_TRUE(form->RichEdit1->Modified());
}

TEST_F(EditorRich, NewAsksBeforeClearing)
{
    auto form = Abre();
    dialogos.Responde(Resposta::Cancela);
    form->NewButton->click();
    EXPECT_EQ(form->RichEdit1->Text(), QStringLiteral("texto original"));
    dialogos.Responde(Resposta::Ok);
    form->NewButton->click();
    EXPECT_EQ(form->RichEdit1->Text(), QString());
    EXPECT_EQ(dialogos.Textos(), QStringList(2, QStringLiteral("Clear entire text?")));
}

TEST_F(EditorRich, AReadOnlyEditorHidesItsEditingMenusAndAFaceNotInstalledShowsRed)
{
    origem.setReadOnly(true);
    auto form = Abre();
    EXPECT_FALSE(form->ViewMenu->menuAction()->isVisible());
    EXPECT_FALSE(form->FormatMenu->menuAction()->isVisible());
    EXPECT_FALSE(form->NewButton->isVisible());
    EXPECT_FALSE(form->InsertMenu->menuAction()->isVisible());   // no embedded objects here

    origem.setReadOnly(false);
    auto outro = Abre();
    outro->RichEdit1->selectAll();
    outro->RichEdit1->SetSelectionFace(QStringLiteral("Face Que Nao Existe"));
    outro->AtualizaSelecao();
    EXPECT_EQ(outro->FontNameCombo->palette().color(QPalette::Text), QColor(255, 0, 0));
}

TEST_F(EditorRich, TheLockPanelsFollowTheKeyboardAtEveryKeyReleaseAndStayBlankWithoutAReading)
{
    auto form = Abre();
    std::optional<TKeyboardLocks> teclado = TKeyboardLocks{true, false};
    form->LeTravas = [&teclado] { return teclado; };
    QTest::keyClick(form->RichEdit1, Qt::Key_A);
    EXPECT_EQ(form->Panels[1]->text(), QStringLiteral("CAP"));
    EXPECT_EQ(form->Panels[2]->text(), QString());

    teclado = TKeyboardLocks{false, true};
    QTest::keyClick(form->RichEdit1, Qt::Key_B);
    EXPECT_EQ(form->Panels[1]->text(), QString());
    EXPECT_EQ(form->Panels[2]->text(), QStringLiteral("NUM"));

    teclado.reset();   // a window system that offers no reading
    QTest::keyClick(form->RichEdit1, Qt::Key_C);
    EXPECT_EQ(form->Panels[1]->text(), QString());
    EXPECT_EQ(form->Panels[2]->text(), QString());
}

TEST(KeyboardLocks, AnX11DisplayGivesAReadingAndTheOffscreenPlatformNone)
{
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    EXPECT_EQ(ReadKeyboardLocks().has_value(), x11);
}

TEST(TdvRulerPanel, AMarkerPositionSnapsDownToTheUnitsDivisions)
{
    using U = TdvMeasurementUnits;
    const struct {
        int pixels;
        U unidade;
        int twips;
    } casos[] = {
        {96, U::muInches, 1440},     {100, U::muInches, 1440},   // 1.04 inch: down to 1
        {48, U::muInches, 720},      {11, U::muInches, 0},       // below an eighth
        {38, U::muCentimeters, 567},                             // 1.004 cm
        {47, U::muCentimeters, 567},                             // 1.24 cm: down to 1
        {48, U::muCentimeters, 709},                             // 1.27 cm: down to 1.25
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pixels);
        EXPECT_EQ(TdvRulerPanel::PixelsParaTwips(c.pixels, 96, c.unidade), c.twips);
    }
}

TEST_F(EditorRich, DroppingAMarkerSetsTheParagraphsIndents)
{
    auto form = Abre();
    TdvRulerPanel* regua = form->Ruler;
    regua->Acompanha();
    const int dpi = regua->logicalDpiX();
    regua->FirstIndent->move(TdvRulerPanel::Margem + dpi - regua->FirstIndent->width() / 2, regua->FirstIndent->y());
    regua->LeftIndent->move(TdvRulerPanel::Margem + dpi / 2 - regua->LeftIndent->width() / 2, regua->LeftIndent->y());
    regua->FirstIndent->OnEndDrag(regua->FirstIndent);
    const TdvParagraphFormat f = form->RichEdit1->GetParagraphFormat();
    EXPECT_EQ(f.StartIndentValue, 1440);
    EXPECT_EQ(f.OffsetValue, -720);
}
