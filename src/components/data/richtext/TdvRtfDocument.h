#pragma once
#include <QList>
#include <QString>
#include <vector>

// Rich text as the rich-text edit streams it, without widgets: paragraphs of runs that share one
// character format. Measures are in twips (1440 per inch), font sizes in half points, colours
// as 0xRRGGBB.
enum class TdvRtfAlignment { Left, Center, Right, Justify };

struct TdvRtfCharFormat {
    QString Font;          // empty: the document's default face
    int HalfPoints = 24;   // 12 pt
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Color = -1;       // -1: the automatic colour
    int Highlight = -1;   // -1: no background
    bool operator==(const TdvRtfCharFormat&) const = default;
};

struct TdvRtfRun {
    QString Text;   // tabs as '\t', line breaks inside the paragraph as U+2028
    TdvRtfCharFormat Format;
    bool operator==(const TdvRtfRun&) const = default;
};

struct TdvRtfParagraph {
    TdvRtfAlignment Alignment = TdvRtfAlignment::Left;
    int LeftIndent = 0;   // start indent of the lines after the first
    int RightIndent = 0;
    int FirstIndent = 0;   // first line relative to LeftIndent (negative hangs)
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    int LineSpacing = 0;         // \sl: 0 single; positive at least, negative exactly (twips)
    bool LineMultiple = false;   // \slmult1: LineSpacing is 240ths of a line
    QList<int> Tabs;             // ascending positions
    bool Bullet = false;
    std::vector<TdvRtfRun> Runs;
    bool operator==(const TdvRtfParagraph&) const = default;

    [[nodiscard]] QString Text() const;
};

struct TdvRtfDocument {
    std::vector<TdvRtfParagraph> Paragraphs;   // at least one once read
    bool operator==(const TdvRtfDocument&) const = default;

    // Paragraphs joined by CR LF.
    [[nodiscard]] QString PlainText() const;
};
