#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/controls/richtext/TdvRichParagraphDialog.h"
#include "components/controls/richtext/TdvRichTabDialog.h"

using U = TdvMeasurementUnits;

TEST(TdvRichParagraphDialog, ShowsTheParagraphInTheUnitRounded)
{
    TdvParagraphFormat f;
    f.StartIndentValue = 720;
    f.OffsetValue = 720;
    f.RightIndentValue = 567;
    f.SpaceBeforeValue = 144;
    f.LineSpacingRule = 5;
    f.LineSpacingValue = 30;
    f.Align = 3;
    const auto t = TdvRichParagraphDialog::Textos(f, U::muInches);
    EXPECT_EQ(t.Left, QStringLiteral("1''"));
    EXPECT_EQ(t.FirstLine, QStringLiteral("-0,5''"));
    EXPECT_EQ(t.Right, QStringLiteral("0,375''"));   // 0.39 inch rounded to eighths
    EXPECT_EQ(t.Before, QStringLiteral("0,1''"));
    EXPECT_EQ(t.At, QStringLiteral("1,5"));
    EXPECT_EQ(t.LineSpacing, 5);
    EXPECT_EQ(t.Alignment, 1);
    EXPECT_EQ(TdvRichParagraphDialog::Textos(f, U::muCentimeters).Right, QStringLiteral("1 cm"));
}

TEST(TdvRichParagraphDialog, EachLineSpacingChoiceStartsItsOwnAtValue)
{
    const struct {
        int item;
        U unidade;
        const char* at;
    } casos[] = {
        {0, U::muInches, ""},       {1, U::muInches, ""},       {2, U::muInches, ""},
        {3, U::muInches, "0,16''"}, {4, U::muInches, "0,16''"}, {4, U::muCentimeters, "0,42 cm"},
        {5, U::muInches, "1"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(TdvRichParagraphDialog::AtDaEscolha(c.item, c.unidade), QString::fromUtf8(c.at));
    }
}

TEST(TdvRichParagraphDialog, TheFirstEditOutOfRangeIsTheOneRefused)
{
    TdvRichParagraphDialog::TTextos t{"1", "0", "0", "0", "0", "", 0, 0};
    EXPECT_EQ(TdvRichParagraphDialog::PrimeiroInvalido(t, U::muInches), -1);
    const struct {
        int edit;
        const char* texto;
    } casos[] = {
        {0, "22,01"}, {1, "x"}, {2, "-23"}, {3, ""}, {4, "1,2,3"}, {5, "99"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        TdvRichParagraphDialog::TTextos errado = t;
        QString* edits[] = {&errado.Left, &errado.FirstLine, &errado.Right, &errado.Before, &errado.After, &errado.At};
        *edits[c.edit] = QLatin1String(c.texto);
        EXPECT_EQ(TdvRichParagraphDialog::PrimeiroInvalido(errado, U::muInches), c.edit);
    }
}

TEST(TdvRichParagraphDialog, OkSetsIndentsSpacingAndAlignmentOfTheParagraph)
{
    TdvCustomRichEdit edit;
    edit.SetText(QStringLiteral("texto"));
    TdvRichParagraphDialog dialogo(edit);
    dialogo.LeftEdit->setText(QStringLiteral("1"));
    dialogo.FirstLineEdit->setText(QStringLiteral("-0,5"));
    dialogo.RightEdit->setText(QStringLiteral("0.25''"));
    dialogo.AfterParagraphEdit->setText(QStringLiteral("0,1"));
    dialogo.AlignmentCombo->setCurrentIndex(2);
    QTest::keyClicks(dialogo.WithinParagraphEdit, QStringLiteral("2"));
    EXPECT_EQ(dialogo.LineSpacingComboBox->currentIndex(), 5);   // typed while Single: Multiple
    dialogo.OKBtn->click();
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    const TdvParagraphFormat f = edit.GetParagraphFormat();
    EXPECT_EQ(f.StartIndentValue, 720);
    EXPECT_EQ(f.OffsetValue, 720);
    EXPECT_EQ(f.RightIndentValue, 360);
    EXPECT_EQ(f.SpaceAfterValue, 144);
    EXPECT_EQ(f.Align, 2);
    EXPECT_EQ(f.LineSpacingRule, 5);
    EXPECT_EQ(f.LineSpacingValue, 40);
}

TEST(TdvRichParagraphDialog, AnInvalidEditKeepsTheDialogOpenOnIt)
{
    TdvCustomRichEdit edit;
    TdvRichParagraphDialog dialogo(edit);
    dialogo.show();
    dialogo.RightEdit->setText(QStringLiteral("abc"));
    dialogo.OKBtn->click();
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(dialogo.focusWidget(), dialogo.RightEdit);
}

TEST(TdvRichTabDialog, TheListStaysSortedUniqueAndWithinItsLimits)
{
    const struct {
        const char* nome;
        QStringList antes;
        const char* texto;
        QStringList depois;
    } casos[] = {
        {"22 inches is the limit", {}, "22", {"22''"}},
        {"past it is ignored", {}, "22.01", {}},
        {"negative is ignored", {}, "-1", {}},
        {"not a number", {}, "um", {}},
        {"empty", {"1''"}, "", {"1''"}},
        {"the same twice", {"1''"}, "1", {"1''"}},
        {"in its place", {"0,5''", "2''"}, "1,25''", {"0,5''", "1,25''", "2''"}},
        {"at the end", {"0,5''"}, "3", {"0,5''", "3''"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        QStringList lista = c.antes;
        TdvRichTabDialog::AcrescentaTab(lista, QLatin1String(c.texto), U::muInches);
        EXPECT_EQ(lista, c.depois);
    }
    QStringList cheia;
    for (int i = 1; i <= 40; ++i)
        TdvRichTabDialog::AcrescentaTab(cheia, QString::number(i * 0.5), U::muInches);
    EXPECT_EQ(cheia.size(), 32);
    EXPECT_EQ(TdvRichTabDialog::Posicoes({"1 cm", "2 cm"}, U::muCentimeters), (QList<int>{567, 1135}));
}

TEST(TdvRichTabDialog, OkSetsTheTypedPositionAndSendsTheTabStops)
{
    TdvCustomRichEdit edit;
    edit.SetText(QStringLiteral("a\tb"));
    {
        TdvRichTabDialog dialogo(edit);
        dialogo.Edit1->setText(QStringLiteral("2"));
        dialogo.Button1->click();
        EXPECT_TRUE(dialogo.Edit1->text().isEmpty());
        dialogo.Edit1->setText(QStringLiteral("0,5"));
        dialogo.OKButton->click();
        EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    }
    EXPECT_EQ(edit.GetParagraphFormat().Tabs, (QList<int>{720, 2880}));
    TdvRichTabDialog outro(edit);
    EXPECT_EQ(outro.Lista(), (QStringList{"0,5''", "2''"}));
    outro.ListBox1->item(0)->setSelected(true);
    outro.Button2->click();
    EXPECT_EQ(outro.Lista(), QStringList{"2''"});
    outro.Button4->click();
    EXPECT_TRUE(outro.Lista().isEmpty());
}
