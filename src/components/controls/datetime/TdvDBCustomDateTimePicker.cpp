#include "components/controls/datetime/TdvDBCustomDateTimePicker.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "components/controls/datetime/EDateTimeError.h"
#include "components/controls/datetime/TdvPopupCalendar.h"
#include "components/controls/datetime/dvCalendar.h"
#include "components/controls/edits/IdvEditGrid.h"
#include "components/data/common/dvBeep.h"
#include "components/data/common/dvControlState.h"
#include "components/data/common/dvSystem.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "platform/files/TFormatSettings.h"

namespace {

constexpr double DiaMinimo = 1;         // 31/12/1899
constexpr double DiaMaximo = 2958465;   // 31/12/9999

bool TemTipo(const QString& formato, QStringView tipos)
{
    const std::vector<TdvDTToken> tokens = TdvDateTimeParts::Tokens(TdvDateTimeParts::ExpandFormat(formato));
    return std::any_of(tokens.begin(), tokens.end(), [&](const TdvDTToken& t) { return tipos.contains(t.Kind); });
}

// Stores a new value; false when it is the same.
template <typename T> bool Troca(T& campo, const T& valor)
{
    if (campo == valor)
        return false;
    campo = valor;
    return true;
}

}   // namespace

TdvDBCustomDateTimePicker::TdvDBCustomDateTimePicker(QWidget* parent)
    : TdvDBCustomCombo(parent)
    , FEpoch(dvIntl().DefaultEpochYear)
{
    SetButtonStyle(TdvComboButtonStyle::cbsDownArrow);
    SetShowButton(false);
    // The button drops the calendar on the press, not on the click.
    OptionFlags[2] = false;
    setAcceptDrops(false);
    Sync();
}

TdvDBCustomDateTimePicker::~TdvDBCustomDateTimePicker() = default;

void TdvDBCustomDateTimePicker::SetDataSource(TDataSource* fonte)
{
    TdvDBCustomEdit::SetDataSource(fonte);
    EditingChange();
    if (!fonte)
        FUnboundDataType = TdvDTEditDataType::dvDTEdtDateTime;
    RefreshText();
}

void TdvDBCustomDateTimePicker::SetDataField(const QString& campo)
{
    TdvDBCustomEdit::SetDataField(campo);
    if (campo.isEmpty())
        FUnboundDataType = TdvDTEditDataType::dvDTEdtDateTime;
    RefreshText();
}

TdvDTKind TdvDBCustomDateTimePicker::Kind() const
{
    if (const TField* campo = Field()) {
        switch (campo->DataType()) {
        case ftTime:
            return TdvDTKind::Time;
        case ftDate:
            return TdvDTKind::Date;
        default:
            // A date-time field shown without its date is edited as a time.
            return !FDisplayFormat.isEmpty() && !TemTipo(FDisplayFormat, u"DMY") ? TdvDTKind::Time
                                                                                 : TdvDTKind::DateTime;
        }
    }
    switch (FUnboundDataType) {
    case TdvDTEditDataType::dvDTEdtDate:
        return TdvDTKind::Date;
    case TdvDTEditDataType::dvDTEdtTime:
        return TdvDTKind::Time;
    default:
        return TdvDTKind::DateTime;
    }
}

bool TdvDBCustomDateTimePicker::KeepsFieldTime() const
{
    const TField* campo = Field();
    if (!campo)
        return FUnboundDataType == TdvDTEditDataType::dvDTEdtTime;
    return campo->DataType() == ftDate
        || (campo->DataType() == ftDateTime && !FDisplayFormat.isEmpty() && !TemTipo(FDisplayFormat, u"HNSA"));
}

bool TdvDBCustomDateTimePicker::FieldNotOpen() const
{
    return Bound() && !Field();
}

QString TdvDBCustomDateTimePicker::ChosenFormat() const
{
    if (!FDisplayFormat.isEmpty())
        return FDisplayFormat;
    const TFormatSettings& s = TFormatSettings::Programa();
    const bool longo = FDateFormat == TDTDateFormat::dfLong;
    switch (Kind()) {
    case TdvDTKind::Time:
        return longo ? s.LongTimeFormat : s.ShortTimeFormat;
    case TdvDTKind::Date:
        return longo ? s.LongDateFormat : s.ShortDateFormat;
    default:
        if (!longo)
            return QStringLiteral("c");
        return dvTimePart(FParts.Value()) == 0 ? s.LongDateFormat : s.LongDateFormat + u' ' + s.LongTimeFormat;
    }
}

void TdvDBCustomDateTimePicker::Sync()
{
    if (FParts.Kind() != Kind())
        FParts.SetKind(Kind());
    const QString formato = ChosenFormat();
    if (FParts.Format() != formato || FParts.Format().isEmpty())
        FParts.SetFormat(formato);
    FParts.Epoch = FEpoch;
    FParts.MinDate = FMinDate;
    FParts.MaxDate = FMaxDate;
    FParts.MinutesInterval = FInterval.MinutesInterval;
    FParts.RoundMinutes = FInterval.RoundMinutes;
    FParts.AutoAdvance = AutoAdvance;
    const TdvCalDayOfWeek primeiro = FCalendarAttributes.FirstDayOfWeek;
    FParts.FirstDayOfWeek = primeiro == TdvCalDayOfWeek::dvdowLocaleDefault ? dvProgramFirstDayOfWeek
                                                                            : static_cast<int>(primeiro);
}

double TdvDBCustomDateTimePicker::Date()
{
    ApplyTyped();
    return Kind() == TdvDTKind::Time ? 0 : FParts.Value();
}

double TdvDBCustomDateTimePicker::Time()
{
    ApplyTyped();
    return Kind() == TdvDTKind::Date ? 0 : FParts.Value();
}

void TdvDBCustomDateTimePicker::SetDate(double valor)
{
    Sync();
    if (Kind() == TdvDTKind::Time)
        return;
    if (!Bound() && valor == 0) {
        Store(0);
        return;
    }
    const double atual = FParts.Value();
    if (dvDatePart(valor) == dvDatePart(atual))
        return;
    const double novo = dvJoinDateTime(dvDatePart(valor), dvTimePart(atual));
    if (novo != 0)
        EDateTimeError::CheckLimits(novo, FMinDate, FMaxDate);
    Store(novo);
    if (novo == 0)
        update();
}

void TdvDBCustomDateTimePicker::SetTime(double valor)
{
    Sync();
    if (Kind() == TdvDTKind::Date)
        return;
    if (!Bound() && valor == 0) {
        Store(0);
        return;
    }
    const double novo = dvJoinDateTime(dvDatePart(FParts.Value()), dvTimePart(valor));
    Store(novo);
    if (novo == 0)
        update();
}

void TdvDBCustomDateTimePicker::SetMaxDate(double valor)
{
    EDateTimeError::CheckNewMaxDate(valor, FMinDate);
    FMaxDate = valor;
    Sync();
}

void TdvDBCustomDateTimePicker::SetMinDate(double valor)
{
    EDateTimeError::CheckNewMinDate(valor, FMaxDate);
    FMinDate = valor;
    Sync();
}

void TdvDBCustomDateTimePicker::SetDisplayFormat(const QString& formato)
{
    if (Troca(FDisplayFormat, formato))
        RefreshText();
}

void TdvDBCustomDateTimePicker::SetDateFormat(TDTDateFormat formato)
{
    if (Troca(FDateFormat, formato))
        RefreshText();
}

void TdvDBCustomDateTimePicker::SetUnboundDataType(TdvDTEditDataType tipo)
{
    if (Troca(FUnboundDataType, tipo))
        RefreshText();
}

bool TdvDBCustomDateTimePicker::CanEdit() const
{
    const TField* campo = Field();
    if (!campo)
        return true;
    const TDataSet* dados = campo->DataSet();
    if (dados && (dados->State() == dsEdit || dados->State() == dsInsert))
        return true;
    return !ReadOnly() && !campo->Calculated() && !campo->ReadOnly() && dados && dados->CanModify();
}

bool TdvDBCustomDateTimePicker::TypingGuard() const
{
    if (ReadOnly())
        return false;
    const TField* campo = Field();
    if (campo && (campo->ReadOnly() || !campo->DataSet() || !campo->DataSet()->CanModify()))
        return false;
    const TDataSource* fonte = DataSource();
    if (fonte && !fonte->AutoEdit) {
        const TDataSet* dados = fonte->DataSet();
        return dados && (dados->State() == dsEdit || dados->State() == dsInsert);
    }
    return true;
}

void TdvDBCustomDateTimePicker::Store(double valor)
{
    Sync();
    const bool modificado = Modified();
    if (!Bound() && valor == 0)
        FEmpty = false;
    if (valor == FParts.Value() && valor != 0)
        return;
    if (valor == 0) {
        FParts.SetValue(0);
        if (Kind() != TdvDTKind::Time) {
            SetText(QString());
            SetModified(modificado);
            return;
        }
    } else {
        const bool horaSemDia = Kind() == TdvDTKind::Time && dvDatePart(valor) == 0;
        if (!horaSemDia && (!Bound() || (Field() && !Field()->IsNull())))
            EDateTimeError::CheckLimits(valor, FMinDate, FMaxDate);
        FParts.SetValue(valor);
    }
    RefreshText();
    // A value set from outside shows selected only where the user works in the picker: entering
    // it selects its part again.
    if (hasFocus())
        SelectPart();
    else
        deselect();
    SetModified(modificado);
}

void TdvDBCustomDateTimePicker::RefreshText()
{
    Sync();
    QString t;
    const TField* campo = Field();
    const double valor = FParts.Value();
    const bool vazio = valor == 0 && !DroppedDown()
        && ((campo && campo->IsNull()) || (!Bound() && FEmpty && Kind() != TdvDTKind::Time));
    if (!FieldNotOpen() && !vazio)
        t = FParts.Text();
    if (t != text()) {
        const bool modificado = Modified();
        SetText(t);
        SetModified(modificado);
    }
    UpdateTyping();
}

void TdvDBCustomDateTimePicker::SelectPart()
{
    UpdateTyping();
    if (!TypingGuard()) {
        selectAll();
        return;
    }
    if (DroppedDown()) {
        setCursorPosition(0);
        return;
    }
    const TdvDTPartSpan s = FParts.Span(FParts.Part());
    if (FParts.Typing())
        setCursorPosition(s.Start + s.Length);
    else
        setSelection(s.Start, s.Length);
}

void TdvDBCustomDateTimePicker::SetModifiedFlag()
{
    SetModified(true);
    if (!Field() || !Field()->ReadOnly())
        LinkModified();
}

void TdvDBCustomDateTimePicker::PartsChanged(double antes)
{
    if (FParts.Value() != antes) {
        FEmpty = false;
        SetModifiedFlag();
    }
    RefreshText();
    SelectPart();
}

void TdvDBCustomDateTimePicker::ApplyTyped()
{
    if (!FParts.Typing())
        return;
    const double antes = FParts.Value();
    FParts.ApplyTyped();
    PartsChanged(antes);
}

bool TdvDBCustomDateTimePicker::AllSelected() const
{
    return !text().isEmpty() && SelLength() == text().size();
}

void TdvDBCustomDateTimePicker::ClearValue()
{
    const double valor = FParts.Value();
    const TField* campo = Field();
    const TdvDTToken parte = FParts.Span(FParts.Part()).Token;
    const bool parteDeHora = parte.Kind == u'H' || parte.Kind == u'N' || parte.Kind == u'S' || parte.Kind == u'A';
    if (Kind() == TdvDTKind::Time && campo && campo->DataType() == ftDateTime) {
        FParts.SetValue(dvDatePart(valor));
    } else if (KeepsFieldTime() && campo) {
        FParts.SetValue(0);
        FEmpty = true;
    } else if (FParts.IsCFormat() && parteDeHora) {
        FParts.SetValue(dvDatePart(valor));
    } else {
        FParts.Clear();
        FEmpty = true;
    }
    FParts.SetPart(FParts.Part());
    SetModifiedFlag();
    RefreshText();
    if (text().isEmpty())
        setCursorPosition(0);
    else
        SelectPart();
}

void TdvDBCustomDateTimePicker::Reset()
{
    if (Field()) {
        DataLink().Reset();
    } else {
        FParts.SetValue(FValueAtEntry);
        FEmpty = FValueAtEntry == 0;
    }
    SetModified(false);
    FParts.SetPart(1);
    RefreshText();
    selectAll();
    if (auto* grade = dynamic_cast<QWidget*>(Grid()); grade && !dvIsParentInspector(this))
        grade->setFocus(Qt::OtherFocusReason);
}

void TdvDBCustomDateTimePicker::DataChange()
{
    TField* campo = Field();
    if (!campo) {
        if (Bound() || !DataField().isEmpty())
            RefreshText();
        return;
    }
    Sync();
    const TDataSet* dados = campo->DataSet();
    const bool navegando = dados && dados->State() == dsBrowse;
    if (campo->IsNull()) {
        FParts.SetValue(0);
        FEmpty = false;
        SetText(QString());
        if (navegando || (dados && dados->State() == dsInsert))
            FParts.SetPart(1);
    } else {
        FParts.SetValue(campo->AsDateTime());
        FEmpty = false;
        RefreshText();
        if (navegando) {
            FParts.SetPart(1);
            selectAll();
        }
        if (text().isEmpty())
            SetText(campo->DisplayText());
    }
    SetModified(false);
    update();
}

void TdvDBCustomDateTimePicker::UpdateData()
{
    TField* campo = Field();
    if (!campo || !Modified() || ReadOnly())
        return;
    if (!DataLink().Editing() && campo->Calculated())
        return;
    ApplyTyped();
    const double valor = FParts.Value();
    const double doCampo = campo->IsNull() ? 0 : campo->AsDateTime();
    if (KeepsFieldTime()) {
        const double novo = valor == 0 ? 0 : dvJoinDateTime(dvDatePart(valor), dvTimePart(doCampo));
        if (novo == 0) {
            FEmpty = true;
            campo->Clear();
        } else {
            campo->SetAsDateTime(novo);
        }
    } else if (Kind() == TdvDTKind::Time) {
        const double novo = dvJoinDateTime(dvDatePart(doCampo), dvTimePart(valor));
        if (novo == 0 && text().isEmpty())
            campo->Clear();
        else
            campo->SetAsDateTime(novo);
    } else if (valor != 0) {
        campo->SetAsDateTime(valor);
    } else if (FEmpty) {
        campo->Clear();
    }
}

bool TdvDBCustomDateTimePicker::KeyForGridPicker(int key, Qt::KeyboardModifiers shift) const
{
    const IdvEditGrid* grade = Grid();
    if (!grade)
        return false;
    const bool alt = shift.testFlag(Qt::AltModifier);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool aberto = DroppedDown();
    const bool noInicio = SelStart() == 0;
    const bool noFim = SelStart() + SelLength() >= text().size();
    const bool moveNaGrade = grade->AlwaysShowEditor() && !aberto;
    switch (key) {
    case Qt::Key_Escape:
        return !Modified() && !aberto;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !aberto;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return grade->TabsToGrid();
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return !aberto && !alt;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return !alt && !aberto && (ctrl || AllSelected());
    case Qt::Key_Home:
        return !TypingGuard() || (moveNaGrade && (ctrl || (noInicio && AllSelected())));
    case Qt::Key_End:
        return !TypingGuard() || (moveNaGrade && (ctrl || (noFim && AllSelected())));
    case Qt::Key_Left:
        return !TypingGuard() || (moveNaGrade && (ctrl || noInicio));
    case Qt::Key_Right:
        return !TypingGuard() || (moveNaGrade && (ctrl || noFim));
    case Qt::Key_Insert:
        return !shift.testFlag(Qt::ShiftModifier);
    case Qt::Key_Delete:
        return ctrl;
    default:
        return false;
    }
}

void TdvDBCustomDateTimePicker::WndKey(TKeyMessage& m)
{
    IdvEditGrid* grade = Grid();
    if (!grade) {
        TCustomEdit::WndKey(m);
        return;
    }
    if (m.Kind == TKeyMessage::WM_CHAR) {
        const ushort u = m.Char.unicode();
        if (u == 13 || u == 9) {
            ApplyTyped();
            m.Char = QChar();
            return;
        }
        TCustomEdit::WndKey(m);
        return;
    }
    if (m.Key == Qt::Key_Tab && DroppedDown())
        CloseUp(true);
    if (KeyForGridPicker(m.Key, m.Shift)) {
        ApplyTyped();
        grade->GridKeyDown(m.Key, m.Shift);
        m.Key = 0;
        return;
    }
    grade->ReportKeyDown(m.Key, m.Shift);
    if (m.Key == Qt::Key_F2) {
        deselect();
        FParts.SetPart(1);
        SelectPart();
        m.Key = 0;
        return;
    }
    TCustomEdit::WndKey(m);
}

void TdvDBCustomDateTimePicker::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TCustomEdit::KeyDown(key, shift);   // the owner's OnKeyDown first
    if (key == 0)
        return;
    Sync();
    const bool alt = shift.testFlag(Qt::AltModifier);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool enterOuEsc = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if (DroppedDown()) {
        if (!alt && enterOuEsc) {
            FEscapeClosed = key == Qt::Key_Escape;
            CloseUp(!FEscapeClosed);
            key = 0;
        } else if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            CloseUp(true);
            key = 0;
        } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            CloseUp(true);
        } else {
            FCalendar->HandleKey(key, shift);
            key = 0;
        }
        return;
    }
    if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        DropDown();
        key = 0;
        return;
    }
    if (FieldNotOpen()) {
        key = 0;
        return;
    }
    const bool apaga = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    const TField* campo = Field();
    if (campo && campo->Required() && apaga && AllSelected()) {
        const QChar parte = FParts.Span(FParts.Part()).Token.Kind;
        if (!(FParts.IsCFormat() && (parte == u'H' || parte == u'N' || parte == u'S'))) {
            key = 0;
            return;
        }
    }
    if (key == Qt::Key_Right && shift.testFlag(Qt::ShiftModifier) && FParts.Part() == 1) {
        selectAll();
        key = 0;
        return;
    }
    if (!TypingGuard()) {
        key = 0;
        return;
    }
    if (ctrl) {
        // The clipboard and selecting all are the line edit's; no other command may touch the text.
        const bool area = key == Qt::Key_C || key == Qt::Key_Insert || key == Qt::Key_V || key == Qt::Key_X
            || key == Qt::Key_A;
        if (!area)
            key = 0;
        return;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || enterOuEsc)
        return;
    if (shift.testFlag(Qt::ShiftModifier) && (key == Qt::Key_Insert || key == Qt::Key_Delete)) {
        if (key == Qt::Key_Insert)
            WMPaste();
        else
            WMCut();
        key = 0;
        return;
    }

    const bool digito = key >= Qt::Key_0 && key <= Qt::Key_9;
    const bool letra = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key > 145 && key <= 0xff);
    const bool edita = apaga || digito || letra || key == Qt::Key_Space || key == Qt::Key_Right;
    // The keys work on a copy: the record goes into edit (which reads the field again) only
    // when the value is about to change.
    TdvDateTimeParts novo = FParts;
    if (edita && !alt) {
        if (text().isEmpty() && novo.Value() == 0) {
            novo.SetValue(novo.InitialValue(dvNow(), digito));
            novo.SetPart(1);
        } else if (AllSelected()) {
            novo.SetPart(1);
        }
    }

    // Signs step, and the separators move on while a part is being typed.
    const QChar separadorData = TFormatSettings::Programa().DateSeparator;
    const QChar separadorHora = TFormatSettings::Programa().TimeSeparator;
    const bool avanca = !AutoAdvance || novo.Typing();
    if (key == Qt::Key_Plus || key == Qt::Key_Equal)
        key = Qt::Key_Up;
    else if (key == Qt::Key_Minus)
        key = Qt::Key_Down;
    else if (avanca
             && ((key == Qt::Key_Slash && separadorData == u'/') || key == separadorData.unicode()
                 || key == separadorHora.unicode()))
        key = Qt::Key_Right;

    switch (key) {
    case Qt::Key_Left:
        novo.MovePrev();
        break;
    case Qt::Key_Right:
    case Qt::Key_Space:
        novo.MoveNext(dvNow());
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        novo.Step(key == Qt::Key_Up ? 1 : -1);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (shift.testFlag(Qt::ShiftModifier))
            return;   // the line edit selects to the start or the end
        if (key == Qt::Key_Home)
            novo.Home();
        else
            novo.End();
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (key == Qt::Key_Backspace && !AllSelected()) {
            novo.MovePrev();
            break;
        }
        key = 0;
        if (!FParts.Typing()) {
            LinkEdit();
            ClearValue();
        }
        return;
    default:
        if (digito) {
            if (novo.TypeDigit(key - Qt::Key_0) == TdvTypeResult::Beep)
                dvBeep();
        } else if (letra) {
            if (novo.TypeLetter(QChar(key).toUpper()) == TdvTypeResult::Beep)
                dvBeep();
        } else {
            return;
        }
        break;
    }
    key = 0;
    const double antes = FParts.Value();
    if (novo.Value() != antes)
        LinkEdit();
    FParts = novo;
    PartsChanged(antes);
}

void TdvDBCustomDateTimePicker::KeyPress(QChar& key)
{
    TCustomEdit::KeyPress(key);   // the owner's OnKeyPress first
    if (key.isNull())
        return;
    const ushort u = key.unicode();
    switch (u) {
    case 22:
        WMPaste();
        key = QChar();
        return;
    case 24:
        WMCut();
        key = QChar();
        return;
    case 13:
        ApplyTyped();
        return;
    case 27:
        key = QChar();
        if (FEscapeClosed) {
            FEscapeClosed = false;
            return;
        }
        Reset();
        return;
    default:
        break;
    }
    if (u == 32 && text().isEmpty() && (Field() || (!DataSource() && DataField().isEmpty())) && TypingGuard()) {
        LinkEdit();
        Store(dvNow());
        SetModifiedFlag();
    }
    if (u >= 32 || u == 8)
        key = QChar();
}

void TdvDBCustomDateTimePicker::WMPaste()
{
    if (!TypingGuard())
        return;
    LinkEdit();
    const QString colado = QApplication::clipboard()->text();
    double valor = 0;
    if (Kind() == TdvDTKind::Time) {
        valor = dvTextToTime(colado);
    } else {
        valor = dvTextToDateTime(colado);
        if (valor == 0)
            valor = dvTextToDate(colado);
    }
    if (valor != 0)
        Store(valor);
    RefreshText();
    SelectPart();
    SetModifiedFlag();
}

void TdvDBCustomDateTimePicker::WMCut()
{
    if (!TypingGuard())
        return;
    LinkEdit();
    // What is cut goes to the clipboard, as any edit's cut does.
    if (!text().isEmpty())
        QApplication::clipboard()->setText(text());
    FParts.Clear();
    FEmpty = true;
    RefreshText();
    SetModifiedFlag();
}

void TdvDBCustomDateTimePicker::WMClear()
{
    if (!TypingGuard())
        return;
    LinkEdit();
    ClearValue();
}

void TdvDBCustomDateTimePicker::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button would paste the selection of the window system as raw text.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    TdvDBCustomCombo::mouseReleaseEvent(e);
}

void TdvDBCustomDateTimePicker::CMEnter()
{
    TdvDBCustomCombo::CMEnter();
    Sync();
    if (dvIsParentCustomGrid(this))
        FParts.SetPart(1);
    const TField* campo = Field();
    if (campo && campo->IsNull()) {
        SetText(QString());
    } else {
        FValueAtEntry = FParts.Value();
        RefreshText();
        SelectPart();
    }
    if (FParts.Value() != 0 && !text().isEmpty() && !FButtonClick)
        selectAll();
    if (!Bound())
        SetModified(false);
}

void TdvDBCustomDateTimePicker::CMExit()
{
    if (DroppedDown())
        CloseUp(true);
    ApplyTyped();
    TdvDBCustomCombo::CMExit();
    // Freed once the focus has gone, so that the next drop-down builds it anew.
    QTimer::singleShot(0, this, [this] { FreeCalendar(); });
}

void TdvDBCustomDateTimePicker::FreeCalendar()
{
    if (!DroppedDown())
        FCalendar.reset();
}

void TdvDBCustomDateTimePicker::mousePressEvent(QMouseEvent* e)
{
    TdvDBCustomCombo::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || text().isEmpty() || !TypingGuard())
        return;
    ApplyTyped();
    FParts.SetPart(FParts.PartAt(cursorPositionAt(e->position().toPoint())));
    SelectPart();
}

void TdvDBCustomDateTimePicker::mouseDoubleClickEvent(QMouseEvent* e)
{
    TdvDBCustomCombo::mouseDoubleClickEvent(e);
    selectAll();
}

bool TdvDBCustomDateTimePicker::DroppedDown() const
{
    return FCalendar && FCalendar->isVisible();
}

void TdvDBCustomDateTimePicker::DropDown()
{
    Sync();
    if (DroppedDown() || FieldNotOpen() || Kind() == TdvDTKind::Time)
        return;
    if (!TypingGuard()) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    FValueAtDrop = FParts.Value();
    ApplyTyped();
    FButtonClick = true;
    setFocus(Qt::OtherFocusReason);
    FButtonClick = false;

    const QPoint origem = mapToGlobal(ClientRect().topLeft());
    const bool novo = !FCalendar;
    if (novo)
        FCalendar = std::make_unique<TdvPopupCalendar>(this);
    TdvPopupCalendar& c = *FCalendar;
    c.SetBorderStyle(TBorderStyle::bsNone);
    c.CalColors().Assign(FCalendarAttributes.Colors);
    c.OnCalcBoldDay = OnCalcBoldDay;
    c.SetOptions(FCalendarAttributes.Options);
    c.SetBordered(true);   // the pop-up window's own thin border
    c.SetMinDate(0);
    c.SetMaxDate(FMaxDate != 0 ? FMaxDate : DiaMaximo);
    c.SetMinDate(FMinDate != 0 ? FMinDate : DiaMinimo);
    c.setFont(FCalendarAttributes.Font);
    c.SetPopupYearOptions(FCalendarAttributes.PopupYearOptions);
    c.SetFirstDayOfWeek(FCalendarAttributes.FirstDayOfWeek);

    if (text().isEmpty()) {
        LinkEdit();
        Store(FParts.InitialValue(dvNow(), false));
        FEmpty = false;
        RefreshText();
        SetModifiedFlag();
    }
    c.SetDateTime(FParts.Value());

    deselect();
    if (OnDropDown)
        OnDropDown(this);
    FSavedToolTip = toolTip();
    setToolTip(QString());

    const QSize minimo = c.MinReqSize();
    const QSize tamanho(std::max(minimo.width(), FCalendarAttributes.Width),
                        std::max(minimo.height(), FCalendarAttributes.Height));
    const QScreen* tela = screen();
    const QRect area = tela ? tela->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    const QRect inteira = tela ? tela->geometry() : area;
    TdvCalendarPlacementInput in;
    in.Edit = origem;
    in.PickerWidth = width();
    in.PickerHeight = height();
    in.CalendarWidth = tamanho.width();
    in.CalendarHeight = tamanho.height();
    in.WorkAreaBottom = area.y() + area.height();
    in.ScreenWidth = inteira.x() + inteira.width();
    in.ScrollBarWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    in.Alignment = FCalendarAttributes.Alignment;
    c.setGeometry(QRect(TdvPopupCalendar::Placement(in), tamanho));
    SetDroppedDownFlag(true);
    c.show();
    c.raise();
    SelectPart();
    update();
}

void TdvDBCustomDateTimePicker::CloseUp(bool accept)
{
    if (FClosing)
        return;
    FClosing = true;
    struct Libera {
        bool& guarda;
        ~Libera() { guarda = false; }
    } libera{FClosing};
    if (!DroppedDown()) {
        SetDroppedDownFlag(false);
        return;
    }
    if (QWidget* captura = QWidget::mouseGrabber())
        captura->releaseMouse();
    const double escolhido = FCalendar->Date();
    FCalendar->hide();
    SetDroppedDownFlag(false);
    if (accept && Field()) {
        if (dvDatePart(escolhido) != dvDatePart(FParts.Value()) && CanEdit()) {
            LinkEdit();
            SetDate(escolhido);
            SetModifiedFlag();
        }
    } else if (!accept) {
        FParts.SetValue(FValueAtDrop);
        FEmpty = FValueAtDrop == 0 && !Bound();
        RefreshText();
    }
    if (OnCloseUp)
        OnCloseUp(this);
    setToolTip(FSavedToolTip);
    update();
    SelectPart();
    selectAll();
}

void TdvDBCustomDateTimePicker::CalendarChanged()
{
    if (!DroppedDown() || !TypingGuard())
        return;
    LinkEdit();
    SetDate(FCalendar->Date());
    SetModifiedFlag();
}

void TdvDBCustomDateTimePicker::CancelMode()
{
    if (DroppedDown())
        CloseUp(true);
    else
        ApplyTyped();
}
