#include "components/controls/edits/TdvDBCustomEdit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <algorithm>
#include <QPainter>

#include "components/controls/edits/IdvEditGrid.h"
#include "components/data/common/dvBeep.h"
#include "components/data/common/dvControlState.h"
#include "components/data/common/dvSystem.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/settings/TdvPictureValidator.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "platform/files/TFormatSettings.h"

TdvDBCustomEdit::TdvDBCustomEdit(QWidget* parent)
    : TdvCustomMaskEdit(parent)
    , FDataLink(std::make_unique<TFieldDataLink>())
{
    // Typing stays refused until loading ends; from then on the link decides.
    SetReadOnlyFlag(true);
    SetAutoSize(true);
    FDataLink->OnDataChange = [this] { DataChange(); };
    FDataLink->OnEditingChange = [this] { EditingChange(); };
    FDataLink->OnUpdateData = [this] { UpdateData(); };
    FDataLink->OnFocusControl = [this] {
        if (isEnabled() && isVisible())
            setFocus(Qt::OtherFocusReason);
    };
    SetUsePictureMask(true);
    FAutoFillDate = true;
}

TdvDBCustomEdit::~TdvDBCustomEdit()
{
    // The link must not call back into a half-destroyed edit.
    FDataLink->OnDataChange = nullptr;
    FDataLink->OnEditingChange = nullptr;
    FDataLink->OnUpdateData = nullptr;
    FDataLink->OnFocusControl = nullptr;
}

TDataSource* TdvDBCustomEdit::DataSource() const
{
    return FDataLink->DataSource();
}

void TdvDBCustomEdit::SetDataSource(TDataSource* fonte)
{
    if (fonte)
        SetReadOnlyFlag(true);
    FDataLink->SetDataSource(fonte);
}

QString TdvDBCustomEdit::DataField() const
{
    return FDataLink->FieldName();
}

void TdvDBCustomEdit::VoltaMaxLength()
{
    const TField* campo = Field();
    if (MaxLength() > 0 && campo && campo->DataType() == ftString && MaxLength() == campo->Size())
        SetMaxLength(0);
}

void TdvDBCustomEdit::SetDataField(const QString& campo)
{
    if (!dvIsDesigning(this))
        VoltaMaxLength();
    FDataLink->SetFieldName(campo);
}

TField* TdvDBCustomEdit::Field() const
{
    return FDataLink->Field();
}

bool TdvDBCustomEdit::Bound() const
{
    return FDataLink->DataSource() != nullptr;
}

IdvPublished* TdvDBCustomEdit::PictureDataSet() const
{
    return dvPublished(FDataLink->DataSet());
}

void TdvDBCustomEdit::SetUnboundAlignment(TAlignment alinhamento)
{
    FUnboundAlignment = alinhamento;
    ApplyAlignment();
}

void TdvDBCustomEdit::ApplyAlignment()
{
    const TAlignment a = Field() ? FFieldAlignment : FUnboundAlignment;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (!FFocado && a == taRightJustify)
        horizontal = Qt::AlignRight;
    else if (!FFocado && a == taCenter)
        horizontal = Qt::AlignHCenter;
    setAlignment(horizontal | Qt::AlignVCenter);
}

bool TdvDBCustomEdit::ReadOnly() const
{
    return FDataLink->ReadOnly();
}

void TdvDBCustomEdit::SetReadOnly(bool valor)
{
    FDataLink->SetReadOnly(valor);
    if (!(valor && FDataLink->DataSet()) && !IsLoading())
        SetReadOnlyFlag(valor);
}

void TdvDBCustomEdit::SetPicture(const TdvDBPicture& picture)
{
    Picture().Assign(picture);
    if (PictureMaskInUse())
        EditMask.clear();
}

bool TdvDBCustomEdit::EditCanModify()
{
    TField* campo = Field();
    if (!campo)
        return true;
    if (FDataLink->Edit())
        return true;
    const TDataSet* dados = campo->DataSet();
    return !ReadOnly() && dvIsCalcOrLookupField(campo) && !campo->ReadOnly() && dados && dados->CanModify();
}

bool TdvDBCustomEdit::DisplayTextForValue(const QString&, QString&) const
{
    return false;
}

void TdvDBCustomEdit::DataChange()
{
    TField* campo = Field();
    if (!campo) {
        EditMask.clear();
        SetText(dvIsDesigning(this) ? objectName() : QString());
        return;
    }
    if (campo->Alignment() != FFieldAlignment) {
        SetText(QString());
        FFieldAlignment = campo->Alignment();
        ApplyAlignment();
    }
    if (campo->DataType() == ftString && MaxLength() == 0 && !dvIsDesigning(this))
        SetMaxLength(campo->Size());
    const bool memo = campo->DataType() == ftMemo || campo->DataType() == ftFmtMemo;
    if ((FFocado || memo) && FDataLink->CanModify())
        SetText(memo ? campo->AsString() : campo->Text());
    else
        SetText(memo ? campo->AsString() : campo->DisplayText());
}

void TdvDBCustomEdit::EditingChange()
{
    SetReadOnlyFlag(!FDataLink->Editing());
}

void TdvDBCustomEdit::EscreveData(TField& campo, const QString& texto)
{
    int posicao = 0;
    double dia = 0;
    if (!dvScanDateEpoch(texto, posicao, Epoch ? Epoch : 1950, dia)) {
        // The text is a date in the usual window but none in this edit's: say so rather than
        // keep the old value without a word.
        const char* tipo = campo.DataType() == ftDate ? "date" : (campo.DataType() == ftTime ? "time" : "datetime");
        throw EDatabaseError(QStringLiteral("'%1' is not a valid %2 value for field '%3'")
                                 .arg(texto, QString::fromLatin1(tipo), campo.DisplayName()));
    }
    double hora = 0;
    if (posicao < texto.size())
        dvScanTime(texto, posicao, hora);
    campo.SetAsDateTime(dia + hora);
}

void TdvDBCustomEdit::UpdateData()
{
    if (ReadOnly())
        return;
    TField* campo = Field();
    if (PictureMaskInUse() && !ValidatePicture(text())) {
        TDataSet* dados = FDataLink->DataSet();
        if (const auto aoInvalido = dvGetOnInvalidValue(dvPublished(dados)))
            aoInvalido(dados, campo);
        else
            dvIntl().ValidationErrorUsingMask(this, campo);
    }
    if (!Modified() || !campo)
        return;
    const QString texto = TextForField();
    if (campo->DataType() == ftMemo || campo->DataType() == ftFmtMemo) {
        campo->SetAsString(texto);
        return;
    }
    if (!FDataLink->Editing() && !dvIsCalcOrLookupField(campo))
        return;
    const TFieldType tipo = campo->DataType();
    if (!texto.isEmpty() && (tipo == ftDate || tipo == ftTime || tipo == ftDateTime) && dvIsValidDate(texto))
        EscreveData(*campo, texto);
    else
        campo->SetText(texto);
}

bool TdvDBCustomEdit::LinkEdit()
{
    return Bound() ? FDataLink->Edit() : true;
}

void TdvDBCustomEdit::LinkModified()
{
    if (Bound())
        FDataLink->Modified();
}

bool TdvDBCustomEdit::PermiteEdicao()
{
    if (!Bound()) {
        if (ReadOnly())
            return false;
        SetReadOnlyFlag(false);
        return true;
    }
    const TDataSource* fonte = DataSource();
    const TDataSet* dados = fonte->DataSet();
    const bool editando = dados && (dados->State() == dsEdit || dados->State() == dsInsert);
    if (ReadOnlyFlag() && !fonte->AutoEdit && !editando)
        return false;
    TField* campo = Field();
    if (!ReadOnly() && campo && dvIsCalcOrLookupField(campo)) {
        if (campo->ReadOnly() || !campo->DataSet() || !campo->DataSet()->CanModify())
            return false;
        campo->DataSet()->Edit();
        SetReadOnlyFlag(false);
    }
    return true;
}

bool TdvDBCustomEdit::FieldAcceptsChar(QChar c) const
{
    const TField* campo = Field();
    if (!campo)
        return true;
    const bool sinalOuDigito = c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    switch (campo->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
        return sinalOuDigito;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return sinalOuDigito || c == TFormatSettings::Programa().DecimalSeparator || c == QLatin1Char('e')
            || c == QLatin1Char('E');
    default:
        return true;
    }
}

void TdvDBCustomEdit::PictureEditing()
{
    LinkEdit();
}

bool TdvDBCustomEdit::TransparentFrameInEffect() const
{
    return Frame().Transparent() && Frame().IsFrameEffective() && !dvIsDesigning(this);
}

bool TdvDBCustomEdit::IsDateEdit() const
{
    if (const TField* campo = Field()) {
        const TFieldType tipo = campo->DataType();
        return tipo == ftDate || tipo == ftTime || tipo == ftDateTime;
    }
    return !Bound() && FUnboundDataType != TdvEditDataType::dvDefault;
}

bool TdvDBCustomEdit::IsTimeOnlyEdit() const
{
    if (const TField* campo = Field())
        return campo->DataType() == ftTime;
    return FUnboundDataType == TdvEditDataType::dvEdtTime;
}

void TdvDBCustomEdit::Loaded()
{
    TdvCustomMaskEdit::Loaded();
    VoltaMaxLength();
    if (!Bound() && !ReadOnly())
        SetReadOnlyFlag(false);
    UpdateEditRect();
    if (BorderStyle() == TBorderStyle::bsNone && AutoSize() && !dvIsParentCustomGrid(this))
        Frame().AdjustHeight();
    RecreateWnd();
}

void TdvDBCustomEdit::Reset()
{
    if (Field())
        FDataLink->Reset();
    else
        SetText(FUnboundText);
    selectAll();
    SetModified(false);
    if (OnCheckValue)
        ValidatePicture(text());
}

IdvEditGrid* TdvDBCustomEdit::Grid() const
{
    QWidget* pai = parentWidget();
    if (auto* grade = dynamic_cast<IdvEditGrid*>(pai))
        return grade;
    // A control placed over a cell lies in the grid's viewport.
    auto* area = pai ? qobject_cast<QAbstractScrollArea*>(pai->parentWidget()) : nullptr;
    return area && area->viewport() == pai ? dynamic_cast<IdvEditGrid*>(area) : nullptr;
}

bool TdvDBCustomEdit::KeyForGrid(int key, Qt::KeyboardModifiers shift) const
{
    const IdvEditGrid* grade = Grid();
    if (!grade)
        return false;
    const bool alt = shift.testFlag(Qt::AltModifier);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return grade->TabsToGrid();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return !alt;
    case Qt::Key_Escape:
        return !Modified();
    case Qt::Key_Home:
    case Qt::Key_Left:
        return grade->AlwaysShowEditor() && (ctrl || cursorPosition() == 0);
    case Qt::Key_End:
    case Qt::Key_Right:
        return grade->AlwaysShowEditor() && (ctrl || cursorPosition() == text().size());
    case Qt::Key_Insert:
        return !shift.testFlag(Qt::ShiftModifier);
    default:
        return false;
    }
}

bool TdvDBCustomEdit::WantsKey(int key) const
{
    // In a grid, Enter and Esc are the grid's, never the dialog's.
    return Grid() != nullptr || TdvCustomMaskEdit::WantsKey(key);
}

bool TdvDBCustomEdit::focusNextPrevChild(bool next)
{
    // Tab reaches the key handling when it moves between the grid's cells.
    if (const IdvEditGrid* grade = Grid(); grade && grade->TabsToGrid())
        return false;
    return TdvCustomMaskEdit::focusNextPrevChild(next);
}

void TdvDBCustomEdit::WndKey(TKeyMessage& m)
{
    IdvEditGrid* grade = Grid();
    if (!grade) {
        TdvCustomMaskEdit::WndKey(m);
        return;
    }
    if (m.Kind == TKeyMessage::WM_CHAR) {
        if (m.Char.unicode() == 13) {
            m.Char = QChar();
            return;
        }
        TdvCustomMaskEdit::WndKey(m);
        return;
    }
    if (KeyForGrid(m.Key, m.Shift)) {
        grade->GridKeyDown(m.Key, m.Shift);
        m.Key = 0;
        return;
    }
    if (m.Key == Qt::Key_F2 && HasEditableText())
        deselect();
    const bool enterOuTab = m.Key == Qt::Key_Return || m.Key == Qt::Key_Enter || m.Key == Qt::Key_Tab;
    if (!enterOuTab || hasFocus())
        grade->ReportKeyDown(m.Key, m.Shift);
    TdvCustomMaskEdit::WndKey(m);
}

void TdvDBCustomEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TdvCustomMaskEdit::KeyDown(key, shift);
    const bool apaga = key == Qt::Key_Delete;
    const bool colaComShift = key == Qt::Key_Insert && shift.testFlag(Qt::ShiftModifier);
    if ((apaga || colaComShift) && PermiteEdicao()) {
        LinkEdit();
        LinkModified();
    }
}

void TdvDBCustomEdit::KeyPress(QChar& key)
{
    const ushort u = key.unicode();
    if (u == 9) {
        key = QChar();
        return;
    }
    const bool imprimivel = u >= 32;
    if ((imprimivel || u == 8) && !PermiteEdicao()) {
        key = QChar();
        return;
    }
    const bool ctrl = CurrentShift().testFlag(Qt::ControlModifier);
    const bool mascaraComPreenchimento = PictureMaskInUse() && Picture().AutoFill();
    const bool noFim = SelStart() + SelLength() >= text().size() && SelLength() == 0;
    const bool tudo = SelLength() > 0 && SelLength() == text().size();
    if (u == 32 && FAutoFillDate && !ctrl && !mascaraComPreenchimento && IsDateEdit() && (noFim || tudo)) {
        DateCompletion();
        key = QChar();
        return;
    }

    TdvCustomMaskEdit::KeyPress(key);
    if (KeyConsumed())
        LinkModified();
    if (key.isNull())
        return;
    if (key.unicode() >= 32 && ChecksFieldChars() && !FieldAcceptsChar(key)) {
        dvBeep();
        key = QChar();
        return;
    }

    const ushort k = key.unicode();
    if (k == 8 || k == 22 || k == 24 || k >= 32) {
        if (!HasEditableText()) {
            key = QChar();
            return;
        }
        LinkEdit();
        LinkModified();
    } else if (k == 27) {
        Reset();
        update();
        key = QChar();
    } else if (k == 13 && WantReturns()) {
        LinkEdit();
        LinkModified();
    }
}

void TdvDBCustomEdit::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    TdvCustomMaskEdit::KeyUp(key, shift);
    if (key == Qt::Key_Delete && OnCheckValue)
        ValidatePicture(text());
}

void TdvDBCustomEdit::DateCompletion()
{
    if (ReadOnly()) {
        dvBeep();
        return;
    }
    const TFormatSettings& f = TFormatSettings::Programa();
    const QChar ds = f.DateSeparator;
    const QChar ts = f.TimeSeparator;
    // The program's time format has no AM or PM designators.
    const QString am;
    const QString pm;

    QString t = text();
    if (SelLength() > 0 && SelLength() == t.size())
        t.clear();
    const QDateTime agora = dvCurrentDateTime();
    const bool soHora = IsTimeOnlyEdit();
    const bool comHora = soHora || FUnboundDataType == TdvEditDataType::dvEdtDateTime;

    auto conclui = [&] {
        SetPictureText(t);
        SetSelStart(static_cast<int>(t.size()));
        LinkModified();
    };

    int parte = dtpHour;
    bool dataCompleta = false;
    if (!soHora) {
        dataCompleta = t.count(ds) >= 2 && !t.endsWith(ds);
        if (!t.isEmpty() && !dataCompleta && !t.endsWith(ds)) {
            t += ds;
            conclui();
            return;
        }
        if (t.isEmpty()) {
            const int ordem = dvDateOrder(f.ShortDateFormat);
            parte = ordem == doMDY ? dtpMonth : (ordem == doDMY ? dtpDay : dtpYear);
        } else {
            parte = dvGetDateTimeCursorPart(static_cast<int>(t.size()), t, false);
        }
        // Once the date is complete, what follows is its time.
        if (dataCompleta)
            parte = std::max(parte, static_cast<int>(dtpHour));
    } else {
        parte = dvGetTimeCursorPart(static_cast<int>(t.size()), t);
    }

    const QString formato = f.ShortDateFormat;
    const QDate hoje = agora.date();
    auto separaData = [&] {
        if (t.count(ds) < 2)
            t += ds;
    };
    switch (parte) {
    case dtpDay:
        t += formato.toLower().contains(QLatin1String("dd"))
            ? QStringLiteral("%1").arg(hoje.day(), 2, 10, QLatin1Char('0'))
            : QString::number(hoje.day());
        separaData();
        conclui();
        return;
    case dtpMonth:
        t += formato.toLower().contains(QLatin1String("mm"))
            ? QStringLiteral("%1").arg(hoje.month(), 2, 10, QLatin1Char('0'))
            : QString::number(hoje.month());
        separaData();
        conclui();
        return;
    case dtpYear:
        t += formato.contains(QLatin1String("yyyy"))
            ? QString::number(hoje.year())
            : QStringLiteral("%1").arg(hoje.year() % 100, 2, 10, QLatin1Char('0'));
        separaData();
        conclui();
        return;
    default:
        break;
    }
    if (!comHora)
        return;

    const qsizetype espaco = t.indexOf(QLatin1Char(' '));
    const QString parteHora = soHora ? t : (espaco >= 0 ? t.mid(espaco + 1) : QString());
    const bool horaCompleta = parteHora.count(ts) >= 2 && !parteHora.endsWith(ts);
    const QString maiusculas = t.toUpper();
    const bool temDesignador = am.isEmpty()
        ? horaCompleta
        : maiusculas.contains(am.at(0).toUpper()) || (!pm.isEmpty() && maiusculas.contains(pm.at(0).toUpper()));
    if (temDesignador)
        return;
    const QTime hora = agora.time();
    switch (parte) {
    case dtpHour:
        if (!soHora && !t.endsWith(QLatin1Char(' '))) {
            t += QLatin1Char(' ');
            break;
        }
        t += QString::number(hora.hour()) + ts;
        break;
    case dtpMinute:
        if (!t.endsWith(ts)) {
            t += ts;
            break;
        }
        t += QStringLiteral("%1").arg(hora.minute(), 2, 10, QLatin1Char('0')) + ts;
        break;
    case dtpSecond:
        t += QStringLiteral("%1").arg(hora.second(), 2, 10, QLatin1Char('0'));
        break;
    case dtpAmPm:
        if (!t.endsWith(QLatin1Char(' ')))
            t += QLatin1Char(' ');
        t += hora.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        break;
    default:
        return;
    }
    conclui();
}

void TdvDBCustomEdit::CMEnter()
{
    UpdateEditRect();
    FFocado = true;
    if (Field())
        FDataLink->Reset();
    else
        FUnboundText = text();
    ApplyAlignment();
    if (AutoSelect() && QGuiApplication::mouseButtons() == Qt::NoButton)
        selectAll();
    TdvCustomMaskEdit::CMEnter();
    if (!HasEditableText())
        update();
    if (Frame().TransparentNow && TransparentFrameInEffect()) {
        Frame().TransparentNow = false;
        RecreateWnd();
        update();
    }
    if (Frame().Enabled())
        update();
}

void TdvDBCustomEdit::DoEnter()
{
    Picture().RefreshFromDataSet();
    if (dvIsParentCustomGrid(this))
        selectAll();
    if (!Bound())
        SetModified(false);
    TdvCustomMaskEdit::DoEnter();
}

void TdvDBCustomEdit::CMExit()
{
    if (Bound()) {
        const bool modificado = Modified();
        try {
            FDataLink->UpdateRecord();
        } catch (...) {
            selectAll();
            setFocus(Qt::OtherFocusReason);
            SetModified(modificado);
            throw;
        }
    }
    DoExit();
    if (!InvalidExit()) {
        FFocado = false;
        SetSelStart(0);
        ApplyAlignment();
    }
    if (Frame().Transparent() && TransparentFrameInEffect()) {
        Frame().TransparentNow = true;
        RecreateWnd();
    }
    if (Frame().Enabled())
        update();
}

void TdvDBCustomEdit::Change()
{
    if (TransparentFrameInEffect() && !FFocado)
        Frame().EraseFrame(false);
    TdvCustomMaskEdit::Change();
}

void TdvDBCustomEdit::Resized()
{
    TdvCustomMaskEdit::Resized();
    UpdateEditRect();
}

void TdvDBCustomEdit::FontChanged()
{
    TdvCustomMaskEdit::FontChanged();
    if (!IsLoading())
        UpdateEditRect();
}

void TdvDBCustomEdit::AdjustHeight()
{
    if (BorderStyle() == TBorderStyle::bsNone && !dvIsParentCustomGrid(this))
        Frame().AdjustHeight();
    else
        TdvCustomMaskEdit::AdjustHeight();
}

void TdvDBCustomEdit::RecreateWnd()
{
    setFrame(BorderStyle() == TBorderStyle::bsSingle && !Frame().Enabled());
    const bool transparente = TransparentFrameInEffect() && Frame().TransparentNow;
    if (transparente == FTransparenteAplicado)
        return;
    if (transparente) {
        FPaletaNormal = palette();
        QPalette p = FPaletaNormal;
        p.setColor(QPalette::Base, Qt::transparent);
        if (Frame().NonFocusTransparentFontColor.isValid())
            p.setColor(QPalette::Text, Frame().NonFocusTransparentFontColor);
        setPalette(p);
    } else {
        setPalette(FPaletaNormal);
    }
    setAutoFillBackground(!transparente);
    FTransparenteAplicado = transparente;
    update();
}

void TdvDBCustomEdit::WMPaste()
{
    if (!PermiteEdicao())
        return;
    LinkEdit();
    paste();
    SetModified(true);
    LinkModified();
    const int cursor = cursorPosition();
    const int depoisDaColagem = static_cast<int>(text().size());
    if (PictureMaskInUse()) {
        QString t = text();
        const TdvPictureValidator validador(Picture().PictureMask(), Picture().AutoFill());
        validador.Picture(t, true);
        SetPictureText(t);
        SetSelStart(cursor + static_cast<int>(t.size()) - depoisDaColagem);
    }
    if (OnCheckValue)
        ValidatePicture(text());
}

void TdvDBCustomEdit::EditaNaPlataforma(void (QLineEdit::*acao)(), bool valida)
{
    if (!PermiteEdicao())
        return;
    LinkEdit();
    (this->*acao)();
    SetModified(true);
    LinkModified();
    if (valida && OnCheckValue)
        ValidatePicture(text());
}

void TdvDBCustomEdit::WMCut()
{
    EditaNaPlataforma(&QLineEdit::cut, true);
}

void TdvDBCustomEdit::WMUndo()
{
    EditaNaPlataforma(&QLineEdit::undo, false);
}

void TdvDBCustomEdit::DrawFrame(QPainter& p)
{
    Frame().DrawFrame(p, FFocado);
}

void TdvDBCustomEdit::paintEvent(QPaintEvent* e)
{
    TdvCustomMaskEdit::paintEvent(e);
    if (Frame().IsFrameEffective()) {
        QPainter p(this);
        DrawFrame(p);
    }
}
