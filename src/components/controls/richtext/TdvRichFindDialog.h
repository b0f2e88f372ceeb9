#pragma once
#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TdvCustomRichEdit;

// The find dialog of the rich-text edit, or its replace dialog: modeless, no direction choice
// (searches run forward and wrap once around). Each button runs one step on the edit.
class TdvRichFindDialog final : public QDialog {
    Q_OBJECT
public:
    TdvRichFindDialog(TdvCustomRichEdit& editor, bool substitui);

    QLineEdit* FindEdit;
    QLineEdit* ReplaceEdit;
    QCheckBox* MatchCase;
    QCheckBox* WholeWord;
    QPushButton* FindNextButton;
    QPushButton* ReplaceButton;
    QPushButton* ReplaceAllButton;

private:
    void PreparaBusca();

    QPointer<TdvCustomRichEdit> FEditor;
};
