#include "components/controls/grid/dvGridLayout.h"

#include <algorithm>

#include "platform/widgets/painting/TCanvas.h"

int dvDataRowHeight(int textHeight, bool rowLines, int rowHeightPercent)
{
    return (textHeight + 2 + (rowLines ? 1 : 0)) * rowHeightPercent / 100;
}

int dvTitleRowHeight(int textHeight, int titleLines, bool rowLines)
{
    return textHeight * titleLines + 4 + (rowLines ? 0 : 1);
}

int dvColumnWidth(int displayWidth, int zeroWidth, int titleWidth)
{
    return std::max(displayWidth * zeroWidth + 4, titleWidth);
}

int dvDisplayWidthFromPixels(int pixels, int zeroWidth)
{
    if (zeroWidth <= 0)
        return 0;
    return (pixels - 4 + std::max(0, zeroWidth / 2 - 3)) / zeroWidth;
}

int dvTitleWidth(const QFont& font, const QString& title)
{
    int maior = 0;
    for (const QString& linha : title.split(QLatin1Char('~')))
        maior = std::max(maior, dvTextWidth(font, linha));
    return maior + 4;
}

int dvTitleLineCount(const QString& title, int titleLines)
{
    return titleLines == 1 ? 1 : static_cast<int>(title.count(QLatin1Char('~'))) + 1;
}

int dvTitleTextTop(int titleRowHeight, int textHeight, int lines, int pressedOffset)
{
    return static_cast<int>(titleRowHeight / 2.0 - textHeight * lines * 0.5) + pressedOffset;
}

TRect dvCellTextRect(TAlignment alignment, int w, int h, int dx, int dy)
{
    switch (alignment) {
    case taRightJustify:
        return {dx, dy, w - 2, h - 1};
    case taCenter:
        return {dx > 3 ? 2 : 0, dy, w, h - 1};
    case taLeftJustify:
        break;
    }
    return {dx, dy, w, h - 1};
}

QStringList dvSelectedParts(const QString& line)
{
    return line.split(QLatin1Char('\t'));
}

QString dvSelectedPart(const QString& line, int part)
{
    const QStringList partes = dvSelectedParts(line);
    if (part >= 0 && part < partes.size())
        return partes[part];
    return part == 3 ? QStringLiteral("F") : QString();
}

QString dvSelectedLineWithWidth(const QString& line, int width)
{
    const QStringList partes = dvSelectedParts(line);
    QString nova = partes.value(0) + QLatin1Char('\t') + QString::number(width) + QLatin1Char('\t') + partes.value(2);
    if (partes.size() >= 4)
        nova += QLatin1Char('\t') + partes[3];
    return nova;
}

TScrollInfo dvDataScrollInfo(const TdvScrollPosition& posicao, int visibleRows, int currentPos)
{
    TScrollInfo info;
    if (posicao.TodosNaJanela)
        return {1, 1001, 1000, 1};
    if (posicao.Sequenced) {
        info = {1, posicao.RecordCount + visibleRows - 1, visibleRows, currentPos};
        if (posicao.PositionKnown)
            info.Pos = posicao.RecNo;
    } else {
        info = {0, 4, 0, 2};
        if (posicao.Bof)
            info.Pos = 0;
        else if (posicao.Eof)
            info.Pos = 4;
    }
    if (info.Max - info.Min < 2) {
        info.Min = 1;
        info.Max = 1001;
        info.Page = 1000;
    }
    return info;
}

int dvFooterBandHeight(int footerHeight, int defaultRowHeight, bool footer3DCells)
{
    return (footerHeight == 0 ? defaultRowHeight + 4 : footerHeight) + (footer3DCells ? 2 : 0);
}
