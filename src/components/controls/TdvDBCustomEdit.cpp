#include "components/controls/TdvDBCustomEdit.h"

#include <QApplication>
#include <algorithm>
#include <QPainter>

#include "components/data/TdvPictureValidator.h"
#include "components/data/dvBeep.h"
#include "components/data/dvControlState.h"
#include "components/data/dvSystem.h"
#include "platform/files/TFormatSettings.h"

namespace {

TdvDBCustomEdit::TAgora agoraInstalado = nullptr;

QDateTime Agora()
{
    return agoraInstalado ? agoraInstalado() : QDateTime::currentDateTime();
}

}  // namespace

TdvDBCustomEdit::TAgora TdvDBCustomEdit::InstallNow(TAgora agora)
{
    return std::exchange(agoraInstalado, agora);
}

TdvDBCustomEdit::TdvDBCustomEdit(QWidget* parent)
    : TdvCustomMaskEdit(parent)
{
    // Typing stays refused until loading ends; from then on the link decides.
    SetReadOnlyFlag(true);
    SetAutoSize(true);
    SetUsePictureMask(true);
    FAutoFillDate = true;
}

TdvDBCustomEdit::~TdvDBCustomEdit() = default;

void TdvDBCustomEdit::SetReadOnly(bool valor)
{
    FLinkReadOnly = valor;
    if (!IsLoading())
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
    return true;
}

bool TdvDBCustomEdit::DisplayTextForValue(const QString&, QString&) const
{
    return false;
}

void TdvDBCustomEdit::DataChange()
{
    EditMask.clear();
    SetText(QString());
}

bool TdvDBCustomEdit::LinkEdit()
{
    return true;
}

void TdvDBCustomEdit::LinkModified()
{
}

bool TdvDBCustomEdit::PermiteEdicao()
{
    if (FLinkReadOnly)
        return false;
    SetReadOnlyFlag(false);
    return true;
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
    return FUnboundDataType != TdvEditDataType::dvDefault;
}

bool TdvDBCustomEdit::IsTimeOnlyEdit() const
{
    return FUnboundDataType == TdvEditDataType::dvEdtTime;
}

void TdvDBCustomEdit::Loaded()
{
    TdvCustomMaskEdit::Loaded();
    if (!FLinkReadOnly)
        SetReadOnlyFlag(false);
    UpdateEditRect();
    if (BorderStyle() == TBorderStyle::bsNone && AutoSize() && !dvIsParentCustomGrid(this))
        Frame().AdjustHeight();
    RecreateWnd();
}

void TdvDBCustomEdit::Reset()
{
    SetText(FUnboundText);
    selectAll();
    SetModified(false);
    if (OnCheckValue)
        ValidatePicture(text());
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
    if (FLinkReadOnly) {
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
    const QDateTime agora = Agora();
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
        t += formato.toLower().contains(QLatin1String("dd")) ? QStringLiteral("%1").arg(hoje.day(), 2, 10, QLatin1Char('0'))
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
        t += formato.contains(QLatin1String("yyyy")) ? QString::number(hoje.year())
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
    const bool temDesignador = am.isEmpty() ? horaCompleta
                                            : maiusculas.contains(am.at(0).toUpper())
                                                  || (!pm.isEmpty() && maiusculas.contains(pm.at(0).toUpper()));
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
    FUnboundText = text();
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
    SetModified(false);
    TdvCustomMaskEdit::DoEnter();
}

void TdvDBCustomEdit::CMExit()
{
    DoExit();
    if (!InvalidExit()) {
        FFocado = false;
        SetSelStart(0);
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

void TdvDBCustomEdit::WMCut()
{
    if (!PermiteEdicao())
        return;
    LinkEdit();
    cut();
    SetModified(true);
    LinkModified();
    if (OnCheckValue)
        ValidatePicture(text());
}

void TdvDBCustomEdit::WMUndo()
{
    if (!PermiteEdicao())
        return;
    LinkEdit();
    undo();
    SetModified(true);
    LinkModified();
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
