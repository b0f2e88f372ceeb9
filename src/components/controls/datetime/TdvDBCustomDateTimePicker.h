#pragma once
#include <functional>
#include <memory>

#include "components/controls/combos/TdvDBCustomCombo.h"
#include "components/controls/datetime/TdvCalendarOptions.h"
#include "components/controls/datetime/TdvDateTimeParts.h"

class TdvPopupCalendar;

// What an unbound picker edits.
enum class TdvDTEditDataType { dvDTEdtDateTime, dvDTEdtDate, dvDTEdtTime };
// Which of the program's formats a picker without a display format shows.
enum class TDTDateFormat { dfShort, dfLong };

// The library's date-time picker: a one-line edit bound to a date, time or date-time field, or
// unbound on a value of its own (a day count with the time as fraction, 0 = empty). Its text is
// always the formatted value; the keyboard edits the part under the selection (TdvDateTimeParts)
// and the button drops a month calendar down. MinDate and MaxDate (0: none) limit the date:
// setting a date beyond them raises EDateTimeError, while keys and the calendar stay within them.
// Inside the library's grid it is a cell editor that hands the moving keys back to the grid.
class TdvDBCustomDateTimePicker : public TdvDBCustomCombo {
    Q_OBJECT
public:
    explicit TdvDBCustomDateTimePicker(QWidget* parent = nullptr);
    ~TdvDBCustomDateTimePicker() override;

    // Clearing the source or the field makes the picker edit a date and time again.
    void SetDataSource(TDataSource* fonte);
    void SetDataField(const QString& campo);

    // 0 for a time-only picker. Reading applies a part being typed.
    [[nodiscard]] double Date();
    // The new day keeps the time; a day beyond a limit raises EDateTimeError and keeps the value.
    void SetDate(double valor);
    [[nodiscard]] double Time();
    void SetTime(double valor);
    [[nodiscard]] double Value() const { return FParts.Value(); }
    [[nodiscard]] double MaxDate() const { return FMaxDate; }
    void SetMaxDate(double valor);
    [[nodiscard]] double MinDate() const { return FMinDate; }
    void SetMinDate(double valor);

    [[nodiscard]] const QString& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString& formato);
    [[nodiscard]] TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat formato);
    [[nodiscard]] TdvDTEditDataType UnboundDataType() const { return FUnboundDataType; }
    void SetUnboundDataType(TdvDTEditDataType tipo);
    [[nodiscard]] int Epoch() const { return FEpoch; }
    void SetEpoch(int ano) { FEpoch = ano; }
    [[nodiscard]] const TdvDTInterval& Interval() const { return FInterval; }
    void SetInterval(const TdvDTInterval& intervalo) { FInterval = intervalo; }
    [[nodiscard]] TdvCalendarOptions& CalendarAttributes() { return FCalendarAttributes; }
    // On (the default), a completed part moves on to the next.
    bool AutoAdvance = true;

    TCalcBoldDayEvent OnCalcBoldDay;
    std::function<void(QObject* sender)> OnDropDown;
    std::function<void(QObject* sender)> OnCloseUp;

    [[nodiscard]] bool DroppedDown() const override;
    void DropDown() override;
    void CloseUp(bool accept) override;
    [[nodiscard]] TdvPopupCalendar* Calendar() const { return FCalendar.get(); }

    // The record may take a new value: unbound, already being edited, or editable.
    [[nodiscard]] bool CanEdit() const;
    // Called before every change: false for a read-only picker or field, a dataset that cannot be
    // modified, or one not being edited whose source does not edit by itself.
    [[nodiscard]] bool TypingGuard() const;
    [[nodiscard]] int CurrentPart() const { return FParts.Part(); }
    [[nodiscard]] bool Typing() const { return FParts.Typing(); }
    [[nodiscard]] bool EmptyFlag() const { return FEmpty; }
    [[nodiscard]] TdvDTKind Kind() const;

    // The calendar's date changed by the user while it is down.
    void CalendarChanged();
    // A press elsewhere while the calendar is down.
    void CancelMode();

    void Reset() override;
    void DataChange() override;
    void UpdateData() override;
    // The typing guard decides what the keys may do; the line edit follows only the link's flag.
    void EditingChange() override { SetReadOnlyFlag(ReadOnly()); }

protected:
    void WndKey(TKeyMessage& m) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    // The text is never typed freely: the keys act on parts. The line edit is writable (and so
    // shows its caret) only while the text is empty or a part is being typed.
    [[nodiscard]] bool CanType() const override { return text().isEmpty() || FParts.Typing(); }
    void CMEnter() override;
    void CMExit() override;
    void WMPaste() override;
    void WMCut() override;
    void WMUndo() override {}
    void WMClear() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void Sync();
    [[nodiscard]] QString ChosenFormat() const;
    [[nodiscard]] bool KeepsFieldTime() const;
    [[nodiscard]] bool FieldNotOpen() const;
    // Stores a value from outside the keys: a day beyond a limit raises EDateTimeError.
    void Store(double valor);
    // The text of the value in the format of the moment (the settings brought into the parts).
    void RefreshText();
    void SelectPart();
    void SetModifiedFlag();
    // After the parts changed the value or the text: refreshed, selected, modified when changed.
    void PartsChanged(double antes);
    void ApplyTyped();
    void ClearValue();
    [[nodiscard]] bool AllSelected() const;
    [[nodiscard]] bool KeyForGridPicker(int key, Qt::KeyboardModifiers shift) const;
    void FreeCalendar();

    TdvDateTimeParts FParts;
    std::unique_ptr<TdvPopupCalendar> FCalendar;
    TdvCalendarOptions FCalendarAttributes;
    TdvDTInterval FInterval;
    QString FDisplayFormat;
    TDTDateFormat FDateFormat = TDTDateFormat::dfShort;
    TdvDTEditDataType FUnboundDataType = TdvDTEditDataType::dvDTEdtDateTime;
    double FMaxDate = 0;
    double FMinDate = 0;
    int FEpoch;
    double FValueAtEntry = 0;
    double FValueAtDrop = 0;
    bool FEmpty = false;          // cleared by the user: written as null
    bool FEscapeClosed = false;   // the Esc that closed the calendar must not also reset
    bool FClosing = false;
    bool FButtonClick = false;
    QString FSavedToolTip;
};
