#pragma once
#include <QDialog>
#include <QString>

#include "components/controls/richtext/TdvCustomRichEdit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The paragraph dialog of the rich-text edit: alignment, indents, spacing and line spacing of
// the current paragraphs, in the edit's unit. OK checks every edit (a number within 22 inches
// either way) and keeps the focus on the first one that fails.
class TdvRichParagraphDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TdvRichParagraphDialog(TdvCustomRichEdit& editor);

    // What the edits show for a paragraph.
    struct TTextos {
        QString Left, FirstLine, Right, Before, After, At;
        int LineSpacing = 0;   // item of LineSpacingComboBox: the line-spacing rule
        int Alignment = 0;     // item of AlignmentCombo: 0 left, 1 centre, 2 right
    };
    [[nodiscard]] static TTextos Textos(const TdvParagraphFormat& formato, TdvMeasurementUnits unidade);
    // The At text a line-spacing item starts with.
    [[nodiscard]] static QString AtDaEscolha(int item, TdvMeasurementUnits unidade);
    // The first edit that fails (0 Left, 1 First line, 2 Right, 3 Before, 4 After, 5 At), -1 none.
    [[nodiscard]] static int PrimeiroInvalido(const TTextos& textos, TdvMeasurementUnits unidade);
    // The request the edits make; the alignment caption comes from the global texts.
    [[nodiscard]] static TdvParagraphFormat Pedido(const TTextos& textos, TdvMeasurementUnits unidade);

    [[nodiscard]] TTextos TextosAtuais() const;

    QComboBox* AlignmentCombo;
    QLineEdit* LeftEdit;
    QLineEdit* RightEdit;
    QLineEdit* FirstLineEdit;
    QLineEdit* BeforeParagraphEdit;
    QLineEdit* AfterParagraphEdit;
    QComboBox* LineSpacingComboBox;
    QLineEdit* WithinParagraphEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void OKClick();

    TdvCustomRichEdit& FEditor;
    bool FMudandoAt = false;
};
