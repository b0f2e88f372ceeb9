#pragma once
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class TdvCustomRichEdit;

// Page set-up of the rich-text editor: the four print margins in the edit's unit and, when lines
// wrap at the printer's width, the paper. OK gives them to the edit.
class TdvPageSetupDialog final : public QDialog {
    Q_OBJECT
public:
    TdvPageSetupDialog(TdvCustomRichEdit& editor, QWidget* parent);

    QLineEdit* TopEdit;
    QLineEdit* BottomEdit;
    QLineEdit* LeftEdit;
    QLineEdit* RightEdit;
    QComboBox* PaperCombo;
    QPushButton* OKBtn;

private:
    void OKClick();

    TdvCustomRichEdit& FEditor;
};
