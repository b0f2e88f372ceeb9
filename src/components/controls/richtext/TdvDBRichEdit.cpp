#include "components/controls/richtext/TdvDBRichEdit.h"

#include <QKeyEvent>

#include "components/data/settings/TdvIntl.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

TdvDBRichEdit::TdvDBRichEdit(QWidget* parent)
    : TdvCustomRichEdit(parent)
    , FDataLink(std::make_unique<TFieldDataLink>())
{
    OleOptions = reoAdjustPopupMenu;
    FDataLink->OnDataChange = [this] { DataChange(); };
    FDataLink->OnUpdateData = [this] { WriteToField(); };
    connect(this, &QTextEdit::textChanged, this, &TdvDBRichEdit::AoMudarTexto);
}

TdvDBRichEdit::~TdvDBRichEdit()
{
    FDataLink->OnDataChange = nullptr;
    FDataLink->OnUpdateData = nullptr;
}

TDataSource* TdvDBRichEdit::DataSource() const
{
    return FDataLink->DataSource();
}

void TdvDBRichEdit::SetDataSource(TDataSource* fonte)
{
    FDataLink->SetDataSource(fonte);
    DataChange();
}

QString TdvDBRichEdit::DataField() const
{
    return FDataLink->FieldName();
}

void TdvDBRichEdit::SetDataField(const QString& campo)
{
    FDataLink->SetFieldName(campo);
    DataChange();
}

void TdvDBRichEdit::SetAutoDisplay(bool valor)
{
    if (FAutoDisplay == valor)
        return;
    FAutoDisplay = valor;
    if (valor)
        LoadFromField();
}

TField* TdvDBRichEdit::GetBoundField() const
{
    return FDataLink->Field();
}

namespace {

bool EmEdicao(const TDataSet* dados)
{
    return dados && (dados->State() == dsEdit || dados->State() == dsInsert);
}

}   // namespace

void TdvDBRichEdit::DataChange()
{
    TField* campo = GetBoundField();
    if (!campo) {
        FCarregado = false;
        Ocupado([this] { document()->clear(); });
        return;
    }
    if (campo->IsBlob()) {
        if (!FAutoDisplay && (!EmEdicao(campo->DataSet()) || !FCarregado)) {
            FCarregado = false;
            SetText(QStringLiteral("(%1)").arg(campo->DisplayLabel()));
            SetModified(false);
            return;
        }
        // The record's own content coming back while it is edited is not loaded again.
        if (FCarregado && EmEdicao(campo->DataSet()) && campo->AsBytes() == FConteudoAoEditar)
            return;
        FCarregado = false;
        if (isVisible())
            LoadFromField();
        return;
    }
    const QString texto = hasFocus() && campo->CanModify() ? campo->Text() : campo->DisplayText();
    if (texto != Text() || !FCarregado) {
        SetText(texto);
        SetModified(false);
    }
    FCarregado = true;
}

void TdvDBRichEdit::LoadFromField()
{
    TField* campo = GetBoundField();
    if (!campo || !campo->IsBlob() || FCarregado)
        return;
    Ocupado([&] {
        FCarregado = true;
        LoadFromBlobField(campo);
        if (campo->AsBytes().isEmpty()) {
            // An empty field starts from a plain paragraph.
            TdvParagraphFormat f;
            f.Changes = TdvParagraphFormat::Alignment | TdvParagraphFormat::Numbering;
            f.AlignmentCaption = dvIntl().RichEdit.ParagraphDialog.AlignLeft;
            SetParagraphFormat(f);
        }
        SetModified(false);
    });
}

void TdvDBRichEdit::LoadFromBlobField(TField* campo)
{
    if (!campo)
        return;
    Ocupado([&] { LoadFromBytes(campo->AsBytes()); });
}

bool TdvDBRichEdit::EffectiveReadOnly() const
{
    TField* campo = GetBoundField();
    if (!campo && DataField().isEmpty())
        return isReadOnly();
    if (FDataLink->ReadOnly())
        return true;
    const TDataSet* dados = FDataLink->DataSet();
    if (!dados || !dados->CanModify() || !campo)
        return true;
    return campo->ReadOnly() || isReadOnly();
}

void TdvDBRichEdit::BeginFieldEdit()
{
    TField* campo = GetBoundField();
    if (!campo || IsBusy())
        return;
    if (!EmEdicao(campo->DataSet())) {
        if (campo->IsBlob())
            FConteudoAoEditar = campo->AsBytes();
        FDataLink->Edit();
    }
    if (!EffectiveReadOnly() && FDataLink->Editing())
        FDataLink->Modified();
}

void TdvDBRichEdit::WriteToField()
{
    TField* campo = GetBoundField();
    if (!campo || !Modified() || !FCarregado)
        return;
    if (campo->IsBlob()) {
        const QByteArray conteudo = SaveToBytes();
        FConteudoAoEditar = conteudo;
        campo->SetAsBytes(conteudo);
    } else {
        campo->SetText(Text());
    }
}

void TdvDBRichEdit::AoMudarTexto()
{
    // Every change of the user's (typing, pasting, dropping, undoing) puts the record in edit.
    if (!IsBusy() && FCarregado && GetBoundField() && Modified())
        BeginFieldEdit();
}

void TdvDBRichEdit::keyPressEvent(QKeyEvent* e)
{
    TField* campo = GetBoundField();
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    // The editor reads a content not shown yet from the field itself.
    const bool editor = e->key() == Qt::Key_F2 && (PopupOptions & rpoPopupEdit) != 0;
    if (campo && !FCarregado && !editor) {
        if (enter)
            LoadFromField();
        return;   // nothing is typed into a content not shown
    }
    if (campo && e->key() == Qt::Key_Escape && Modified()) {
        FCarregado = false;
        FDataLink->Reset();
        return;
    }
    TdvCustomRichEdit::keyPressEvent(e);
}

void TdvDBRichEdit::focusOutEvent(QFocusEvent* e)
{
    try {
        FDataLink->UpdateRecord();
        // Content changed but not yet posted goes to the field again with the record; content
        // left unchanged leaves the record as it was.
        if (FCarregado && !IsBusy() && !EffectiveReadOnly() && Modified()) {
            BeginFieldEdit();
            FDataLink->Modified();
        }
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
    }
    TdvCustomRichEdit::focusOutEvent(e);
}

void TdvDBRichEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (GetBoundField() && !FCarregado) {
        LoadFromField();
        return;
    }
    TdvCustomRichEdit::mouseDoubleClickEvent(e);
}

void TdvDBRichEdit::showEvent(QShowEvent* e)
{
    TdvCustomRichEdit::showEvent(e);
    if (FAutoDisplay && !FCarregado)
        LoadFromField();
}
