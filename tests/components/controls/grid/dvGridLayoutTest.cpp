#include <QFont>
#include <gtest/gtest.h>

#include "components/controls/grid/dvGridLayout.h"
#include "platform/widgets/painting/TCanvas.h"

TEST(dvGridLayout, RowsAreALineOfTextWithTheirMargins)
{
    const struct {
        int texto;
        bool linhas;
        int percentual;
        int dados;
        int titulo1;
        int titulo4;
    } casos[] = {
        {14, true, 100, 17, 18, 60},
        {14, false, 100, 16, 19, 61},
        {14, true, 150, 25, 18, 60},   // (14 + 3) x 150 div 100
        {14, true, 50, 8, 18, 60},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.linhas << "/" << c.percentual);
        EXPECT_EQ(dvDataRowHeight(c.texto, c.linhas, c.percentual), c.dados);
        EXPECT_EQ(dvTitleRowHeight(c.texto, 1, c.linhas), c.titulo1);
        EXPECT_EQ(dvTitleRowHeight(c.texto, 4, c.linhas), c.titulo4);
    }
}

TEST(dvGridLayout, ColumnsTakeTheirCharactersOrTheirWidestTitleLine)
{
    EXPECT_EQ(dvColumnWidth(13, 7, 0), 95);
    EXPECT_EQ(dvColumnWidth(3, 7, 60), 60);
    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setPixelSize(12);
    EXPECT_EQ(dvTitleWidth(fonte, QStringLiteral("Total de~Rendimentos")),
              dvTextWidth(fonte, QStringLiteral("Rendimentos")) + 4);
    // Back to characters, rounding down; characters wider than 7 pixels round a little up.
    const struct {
        int pixels;
        int zero;
        int largura;
    } casos[] = {
        {95, 7, 13}, {101, 7, 13}, {102, 7, 14}, {4, 7, 0}, {95, 0, 0}, {62, 10, 6}, {61, 10, 5},
    };
    for (const auto& c : casos)
        EXPECT_EQ(dvDisplayWidthFromPixels(c.pixels, c.zero), c.largura) << c.pixels << "/" << c.zero;
}

TEST(dvGridLayout, TitleLinesAreCentredInTheTitleRow)
{
    const QString titulo = QStringLiteral("Total de Imposto~Compensado por~Decisão Judicial~(Ano Calendário)");
    EXPECT_EQ(dvTitleLineCount(titulo, 4), 4);
    EXPECT_EQ(dvTitleLineCount(titulo, 2), 4);
    EXPECT_EQ(dvTitleLineCount(titulo, 1), 1);
    EXPECT_EQ(dvTitleTextTop(60, 14, 4, 0), 2);
    EXPECT_EQ(dvTitleTextTop(60, 14, 1, 1), 24);
    EXPECT_EQ(dvTitleTextTop(18, 14, 4, 0), -19);   // more lines than the row holds
}

TEST(dvGridLayout, TextSitsInsideTheCellByItsAlignment)
{
    EXPECT_EQ(dvCellTextRect(taLeftJustify, 80, 18, 3, 2), (TRect{3, 2, 80, 17}));
    EXPECT_EQ(dvCellTextRect(taRightJustify, 80, 18, 3, 2), (TRect{3, 2, 78, 17}));
    EXPECT_EQ(dvCellTextRect(taCenter, 80, 18, 3, 2), (TRect{0, 2, 80, 17}));
    EXPECT_EQ(dvCellTextRect(taCenter, 80, 18, 4, 2), (TRect{2, 2, 80, 17}));
}

TEST(dvGridLayout, SelectedLinesKeepTheirTitleAndFlagWhenResized)
{
    const QString linha = QStringLiteral("DESCRICAO\t180\tDESCRICAO\tF");
    EXPECT_EQ(dvSelectedPart(linha, 1), QStringLiteral("180"));
    EXPECT_EQ(dvSelectedPart(QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"), 3), QStringLiteral("F"));
    EXPECT_EQ(dvSelectedPart(QStringLiteral("CPF_CNPJ"), 2), QString());
    EXPECT_EQ(dvSelectedLineWithWidth(linha, 25), QStringLiteral("DESCRICAO\t25\tDESCRICAO\tF"));
    EXPECT_EQ(dvSelectedLineWithWidth(QStringLiteral("TOT_REND\t13\tTotal de~Rendimentos"), 9),
              QStringLiteral("TOT_REND\t9\tTotal de~Rendimentos"));
}

TEST(dvGridLayout, TheScrollBarFollowsTheRecordNumberOrFivePositions)
{
    const struct {
        const char* caso;
        TdvScrollPosition posicao;
        int visiveis;
        TScrollInfo barra;
    } casos[] = {
        {"two records, ten rows", {true, 2, 2, true, false, false}, 10, {1, 11, 10, 2}},
        {"one record, one row", {true, 1, 1, true, true, true}, 1, {1, 1001, 1000, 1}},
        {"inserting keeps the position", {true, 50, 0, false, false, false}, 10, {1, 59, 10, 7}},
        {"not sequenced, first", {false, 0, 0, true, true, false}, 10, {0, 4, 0, 0}},
        {"not sequenced, middle", {false, 0, 0, true, false, false}, 10, {0, 4, 0, 2}},
        {"not sequenced, last", {false, 0, 0, true, false, true}, 10, {0, 4, 0, 4}},
        {"every record in the window", {true, 3, 2, true, false, false, true}, 10, {1, 1001, 1000, 1}},
        {"not sequenced, every record in the window", {false, 0, 0, true, false, false, true}, 10, {1, 1001, 1000, 1}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EXPECT_EQ(dvDataScrollInfo(c.posicao, c.visiveis, 7), c.barra);
    }
    EXPECT_EQ(dvFooterBandHeight(0, 17, false), 21);
    EXPECT_EQ(dvFooterBandHeight(30, 17, true), 32);
}
