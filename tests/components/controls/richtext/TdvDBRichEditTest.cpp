#include <QBuffer>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/AmbienteDeControles.h"
#include "components/controls/richtext/TdvDBRichEdit.h"
#include "components/data/richtext/TdvRtfReader.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TTable.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

const QByteArray NotaRica =
    "{\\rtf1{\\fonttbl{\\f0\\fnil Liberation Sans;}}\\pard\\qc\\plain\\f0\\fs24\\b Nota\\plain\\fs24  forte}";

// Two records of a table with a rich-text blob and a text column, shown in a form beside
// another control that takes the focus away.
class RichLigado : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Notas"));
        tabela.CreateTable({{QStringLiteral("NOME"), ftString, 30}, {QStringLiteral("NOTA"), ftBlob}}, {});
        tabela.Open();
        for (const auto& [nome, nota] :
             {std::pair{"Ana", NotaRica}, std::pair{"Bia", QByteArray("linha 1\nlinha 2")}}) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QLatin1String(nome));
            tabela.FieldByName(QStringLiteral("NOTA"))->SetAsBytes(nota);
            tabela.Post();
        }
        tabela.First();
        fonte.SetDataSet(&tabela);

        janela.resize(400, 200);
        edit = new TdvDBRichEdit(&janela);
        edit->setGeometry(10, 10, 300, 120);
        outro = new QLineEdit(&janela);
        outro->setGeometry(10, 150, 120, 22);
        janela.show();
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
        outro->setFocus();
    }

    void TearDown() override
    {
        delete edit;
        edit = nullptr;
    }

    void Liga(const QString& campo)
    {
        edit->SetDataSource(&fonte);
        edit->SetDataField(campo);
    }

    void Entra()
    {
        edit->setFocus(Qt::TabFocusReason);
        QTest::qWait(0);
    }
    void Sai()
    {
        outro->setFocus(Qt::TabFocusReason);
        QTest::qWait(0);
    }

    AmbienteDeControles ambiente;
    DialogosRoteirizados dialogos;
    TTable tabela;
    TDataSource fonte;
    QWidget janela;
    TdvDBRichEdit* edit = nullptr;
    QLineEdit* outro = nullptr;
};

}   // namespace

TEST_F(RichLigado, ABlobLoadsAsRichTextAndPlainTextLineEndsBecomeParagraphs)
{
    Liga(QStringLiteral("NOTA"));
    EXPECT_TRUE(edit->IsContentLoaded());
    EXPECT_EQ(edit->Text(), QStringLiteral("Nota forte"));
    EXPECT_TRUE(TdvRtfReader::Read(edit->RichText())->Paragraphs[0].Runs[0].Format.Bold);
    EXPECT_EQ(edit->GetParagraphFormat().Align, 3);
    tabela.Next();
    EXPECT_EQ(edit->Lines().ToStringList(), (QStringList{QStringLiteral("linha 1"), QStringLiteral("linha 2")}));
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(tabela.State(), dsBrowse);
}

TEST_F(RichLigado, TypingWritesRichTextToTheBlobWhenLeft)
{
    Liga(QStringLiteral("NOTA"));
    Entra();
    edit->moveCursor(QTextCursor::End);
    Digita(QStringLiteral("!"));
    EXPECT_EQ(tabela.State(), dsEdit);
    Sai();
    tabela.Post();
    const QByteArray gravado = tabela.FieldByName(QStringLiteral("NOTA"))->AsBytes();
    const auto lido = TdvRtfReader::Read(gravado);
    ASSERT_TRUE(lido.has_value()) << gravado.toStdString();
    EXPECT_EQ(lido->PlainText(), QStringLiteral("Nota forte!"));
    EXPECT_EQ(lido->Paragraphs[0].Alignment, TdvRtfAlignment::Center);
    EXPECT_TRUE(lido->Paragraphs[0].Runs[0].Format.Bold);
}

TEST_F(RichLigado, LeavingAnUnchangedEditLeavesTheRecordUnmodified)
{
    Liga(QStringLiteral("NOTA"));
    Entra();
    edit->moveCursor(QTextCursor::End);
    Sai();
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOTA"))->AsBytes(), NotaRica);
}

TEST_F(RichLigado, ATextFieldGetsTheTextBack)
{
    Liga(QStringLiteral("NOME"));
    EXPECT_EQ(edit->Text(), QStringLiteral("Ana"));
    Entra();
    edit->moveCursor(QTextCursor::End);
    Digita(QStringLiteral(" Maria"));
    Sai();
    tabela.Post();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Ana Maria"));
}

TEST_F(RichLigado, WithoutAutoDisplayTheLabelShowsUntilEnterLoadsTheContent)
{
    edit->SetAutoDisplay(false);
    tabela.FieldByName(QStringLiteral("NOTA"))->SetDisplayLabel(QStringLiteral("Notes"));
    Liga(QStringLiteral("NOTA"));
    EXPECT_EQ(edit->Text(), QStringLiteral("(Notes)"));
    EXPECT_FALSE(edit->IsContentLoaded());
    Entra();
    Digita(QStringLiteral("x"));
    EXPECT_EQ(edit->Text(), QStringLiteral("(Notes)"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->Text(), QStringLiteral("Nota forte"));
    EXPECT_EQ(tabela.State(), dsBrowse);
}

TEST_F(RichLigado, EscapeGivesBackTheStoredContent)
{
    Liga(QStringLiteral("NOTA"));
    Entra();
    edit->moveCursor(QTextCursor::End);
    Digita(QStringLiteral("xyz"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("Nota forte"));
}

TEST_F(RichLigado, AReadOnlyFieldsMenuShowsViewAndNoFormatting)
{
    tabela.FieldByName(QStringLiteral("NOTA"))->SetReadOnly(true);
    edit->PopupOptions = rpoPopupAll;
    Liga(QStringLiteral("NOTA"));
    EXPECT_TRUE(edit->EffectiveReadOnly());
    std::unique_ptr<QMenu> menu(edit->CreatePopupMenu());
    QStringList visiveis;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator())
            visiveis << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(visiveis,
              (QStringList{QStringLiteral("Edit=&View"), QStringLiteral("Cut=Cu&t"), QStringLiteral("Copy=&Copy"),
                           QStringLiteral("Paste=&Paste"), QStringLiteral("Find=Fin&d")}));
}
