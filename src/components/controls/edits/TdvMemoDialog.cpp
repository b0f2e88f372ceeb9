#include "components/controls/edits/TdvMemoDialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "components/controls/edits/TdvMemoDlg.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"

namespace {

// Text as the memo shows it: lines ended by LF.
QString ComoNoMemo(const QString& texto)
{
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QStringList LinhasDoMemo(const QPlainTextEdit& memo)
{
    const QString texto = memo.toPlainText();
    return texto.isEmpty() ? QStringList() : texto.split(QLatin1Char('\n'));
}

}   // namespace

TdvMemoDialog::TdvMemoDialog(QObject* owner)
    : QObject(owner)
{}

TdvMemoDialog::~TdvMemoDialog() = default;

void TdvMemoDialog::DoInitDialog()
{
    if (OnInitDialog)
        OnInitDialog(FDialog);
}

void TdvMemoDialog::DoCloseDialog()
{
    if (OnCloseDialog)
        OnCloseDialog(FDialog);
}

QWidget* TdvMemoDialog::MainForm() const
{
    if (auto* dono = qobject_cast<QWidget*>(parent()))
        return dono->window();
    return QApplication::activeWindow();
}

bool TdvMemoDialog::Execute()
{
    return dvExecuteMemoDialog(MainForm(), *this, (MemoAttributes & mViewOnly) == 0);
}

bool dvExecuteMemoDialog(QWidget* form, TdvMemoDialog& component, bool editable)
{
    auto dialogo = std::make_unique<TdvMemoDlg>(form);
    if (form && (form->windowFlags() & Qt::WindowStaysOnTopHint))
        dialogo->setWindowFlag(Qt::WindowStaysOnTopHint);

    TField* campo = nullptr;
    const TDataSource* fonte = component.DataSource();
    if (fonte && fonte->DataSet() && !component.DataField().isEmpty()) {
        campo = fonte->DataSet()->FieldByName(component.DataField());
        dialogo->Memo->setPlainText(ComoNoMemo(campo->AsString()));
        // Whatever the field's kind, a text that could not be written back is only shown.
        if (!campo->CanModify())
            editable = false;
    } else {
        dialogo->Memo->setPlainText(component.Lines.join(QLatin1Char('\n')));
    }
    dialogo->Memo->setLineWrapMode((component.MemoAttributes & mWordWrap) ? QPlainTextEdit::WidgetWidth
                                                                          : QPlainTextEdit::NoWrap);
    dialogo->SetSizeable((component.MemoAttributes & mSizeable) != 0);
    dialogo->SetFontToUse(component.Font);
    dialogo->SetCaptionToUse(component.Caption);
    dialogo->SetRequestedBounds(component.DlgLeft, component.DlgTop, component.DlgLeft + component.DlgWidth,
                                component.DlgTop + component.DlgHeight);
    if (!editable) {
        dialogo->CancelBtn->hide();
        dialogo->Memo->setReadOnly(true);
    }
    if (component.DlgLeft >= 1 || component.DlgTop >= 1)
        dialogo->SetCentred(false);
    dialogo->UserButton1->setText(component.UserButton1Caption);
    dialogo->UserButton2->setText(component.UserButton2Caption);
    if (editable)
        dialogo->OKBtn->setEnabled(false);
    dialogo->SetOwnerDialog(&component);

    const bool confirmado = dialogo->exec() == QDialog::Accepted;
    component.DoCloseDialog();
    component.FDialog = nullptr;
    if (confirmado && editable) {
        if (campo) {
            campo->DataSet()->Edit();
            campo->SetAsString(LinhasDoMemo(*dialogo->Memo).join(QStringLiteral("\r\n")));
        } else {
            component.Lines = LinhasDoMemo(*dialogo->Memo);
        }
    }
    return confirmado;
}
