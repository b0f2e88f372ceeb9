#pragma once
#include <QFont>
#include <QObject>
#include <QStringList>
#include <functional>

#include "platform/db/datasets/TFieldDataLink.h"

class QPlainTextEdit;
class QWidget;
class TDataSource;
class TdvMemoDlg;

enum TdvMemoAttribute : unsigned {
    mSizeable = 0x1,         // the dialog can be resized
    mWordWrap = 0x2,         // long lines wrap at the memo's edge
    mGridShow = 0x4,         // (for the grid) memo cells show their text
    mViewOnly = 0x8,         // the text cannot be changed
    mDisableDialog = 0x10,   // (for the grid) memo cells open no dialog
};
using TdvMemoAttributes = unsigned;

// The settings of one modal editor of a long text: the memo or text field DataField of the
// dataset of DataSource, or, without them, the free list of Lines. Execute shows TdvMemoDlg over
// the owner's window and writes the text back only when the user confirms it.
class TdvMemoDialog : public QObject {
    Q_OBJECT
public:
    using TMemoDialogEvent = std::function<void(TdvMemoDlg* dialog)>;
    using TMemoButtonEvent = std::function<void(TdvMemoDlg* dialog, QPlainTextEdit* memo)>;

    explicit TdvMemoDialog(QObject* owner = nullptr);
    ~TdvMemoDialog() override;

    [[nodiscard]] TDataSource* DataSource() const { return FDataLink.DataSource(); }
    void SetDataSource(TDataSource* fonte) { FDataLink.SetDataSource(fonte); }   // not owned
    [[nodiscard]] const QString& DataField() const { return FDataLink.FieldName(); }
    void SetDataField(const QString& nome) { FDataLink.SetFieldName(nome); }

    QFont Font;
    TdvMemoAttributes MemoAttributes = mSizeable | mWordWrap;
    QString Caption;
    // The window's bounds, frame included. A left or top of 1 or more places the dialog there;
    // otherwise it is centred on the screen, with this size when both are 0 and its designed
    // size when either is negative.
    int DlgLeft = 0;
    int DlgTop = 0;
    int DlgWidth = 561;
    int DlgHeight = 396;
    TMemoDialogEvent OnInitDialog;    // the dialog is about to be seen
    TMemoDialogEvent OnCloseDialog;   // it was closed, before the text is written back
    TMemoButtonEvent OnUserButton1Click;
    TMemoButtonEvent OnUserButton2Click;
    QString UserButton1Caption;   // a button with a caption is shown below the memo
    QString UserButton2Caption;
    QStringList Lines;

    // The dialog while Execute runs, else null.
    [[nodiscard]] TdvMemoDlg* Dialog() const { return FDialog; }

    virtual void DoInitDialog();
    virtual void DoCloseDialog();
    // True when the user confirmed; editable unless MemoAttributes holds mViewOnly.
    virtual bool Execute();

private:
    friend class TdvMemoDlg;
    friend bool dvExecuteMemoDialog(QWidget* form, TdvMemoDialog& component, bool editable);

    [[nodiscard]] QWidget* MainForm() const;

    TFieldDataLink FDataLink;
    TdvMemoDlg* FDialog = nullptr;   // not owned: lives during Execute
};

// One editing pass of the component's text in a dialog over form. The text is the field's
// (a field that cannot be modified opens it for viewing only) or the component's Lines; when
// the user confirms an editable pass, the field's dataset goes to edit state and the field takes
// the text (its lines joined by CR LF), or Lines take the memo's lines. True when confirmed.
bool dvExecuteMemoDialog(QWidget* form, TdvMemoDialog& component, bool editable);
