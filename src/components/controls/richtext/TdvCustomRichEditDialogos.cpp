// The dialogs and the editor window that the rich-text edit opens.
#include <QLineEdit>
#include <QTextBlock>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/controls/richtext/TdvRichEditForm.h"
#include "components/controls/richtext/TdvRichFindDialog.h"
#include "components/controls/richtext/TdvRichParagraphDialog.h"
#include "components/controls/richtext/TdvRichTabDialog.h"

namespace {

TdvRichFindDialog* AbreBusca(TdvCustomRichEdit& editor, bool substitui)
{
    // The selection is offered as the text to find unless it spans a line end.
    const QString selecionado = editor.textCursor().selectedText();
    const bool temQuebra = selecionado.contains(QChar::ParagraphSeparator)
        || selecionado.contains(QChar::LineSeparator);
    const QString procura = !selecionado.isEmpty() && !temQuebra ? selecionado : editor.LastSearchText;
    editor.BeginSearch();
    auto* dialogo = new TdvRichFindDialog(editor, substitui);
    dialogo->FindEdit->setText(procura);
    dialogo->show();
    return dialogo;
}

}   // namespace

bool TdvCustomRichEdit::ExecuteFindDialog()
{
    AbreBusca(*this, false);
    return true;
}

bool TdvCustomRichEdit::ExecuteReplaceDialog()
{
    if (EffectiveReadOnly())
        return false;
    AbreBusca(*this, true);
    return true;
}

bool TdvCustomRichEdit::ExecuteParagraphDialog()
{
    TdvRichParagraphDialog dialogo(*this);
    DoInitDialog(&dialogo);
    return dialogo.exec() == QDialog::Accepted;
}

bool TdvCustomRichEdit::ExecuteTabDialog()
{
    TdvRichTabDialog dialogo(*this);
    DoInitDialog(&dialogo);
    return dialogo.exec() == QDialog::Accepted;
}

bool TdvCustomRichEdit::ExecuteEditor()
{
    TdvRichEditForm form(*this);
    DoCreateDialog(&form);
    form.CopiaConteudo();
    DoInitDialog(&form);
    const bool ok = form.exec() == QDialog::Accepted;
    if (ok && form.RichEdit1->Modified()) {
        BeginFieldEdit();
        LoadFromBytes(form.RichEdit1->RichText());
        DoCloseDialog(&form);
        SetModified(true);
        PrintMargins = form.RichEdit1->PrintMargins;
        PaperSize = form.RichEdit1->PaperSize;
        AtualizaLarguraFormatacao();
    } else {
        DoCloseDialog(&form);
    }
    LastSearchText = form.RichEdit1->LastSearchText;
    return ok;
}
