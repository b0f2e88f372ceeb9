#pragma once
#include <QChar>
#include <QString>
#include <vector>

// What a date-time picker edits: the date, the time, or both.
enum class TdvDTKind { DateTime, Date, Time };

// What a typed key did to the part: taken (or completed it), dropped without a sound, or refused
// with a beep.
enum class TdvTypeResult { Accepted, Ignored, Beep };

// One token of an expanded format: a run of one format letter, an AM/PM designator, or a single
// literal character (Kind null).
struct TdvDTToken {
    QChar Kind;     // 'D', 'M', 'Y', 'H', 'N', 'S', 'A' or null
    QString Text;   // as written in the format
    [[nodiscard]] bool IsName() const { return (Kind == u'D' || Kind == u'M') && Text.size() >= 3; }
};

// Where a part lies in the text (from 0) and which token it is.
struct TdvDTPartSpan {
    int Start = 0;
    int Length = 0;
    TdvDTToken Token;
};

// The broken-down value a picker edits.
struct TdvDTFields {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

// The keyboard editing of a date-time picker without its window: the value (a day count with
// the time as fraction, 0 = empty), its text in a display format divided into parts, the current
// part, and the rules that step, type and clear the parts. Stepping and typing never leave the
// effective limits (MinDate or 31/12/1899, MaxDate or 31/12/9999): a step is brought to the limit
// and a typed value out of them is refused. Month and day names are the program's own.
class TdvDateTimeParts {
public:
    // The format as chosen (before expansion): "c" omits a zero time, and its time parts are
    // then not shown.
    void SetFormat(const QString& format);
    [[nodiscard]] const QString& Format() const { return FFormat; }
    [[nodiscard]] bool IsCFormat() const { return FCFormat; }
    void SetKind(TdvDTKind kind);
    [[nodiscard]] TdvDTKind Kind() const { return FKind; }

    int Epoch = 1950;
    double MinDate = 0;   // 0: no limit
    double MaxDate = 0;
    int MinutesInterval = 1;
    bool RoundMinutes = false;
    bool AutoAdvance = true;
    int FirstDayOfWeek = 6;   // 0 Monday .. 6 Sunday

    [[nodiscard]] double Value() const { return FValue; }
    // Stores without any check; a pending typed part is dropped.
    void SetValue(double valor);
    [[nodiscard]] double EffectiveMin() const;
    [[nodiscard]] double EffectiveMax() const;

    // The text of the value (a part being typed shows its digits), empty for an empty date.
    [[nodiscard]] QString Text() const;
    [[nodiscard]] int PartCount() const;
    [[nodiscard]] TdvDTPartSpan Span(int part) const;   // part from 1
    [[nodiscard]] int Part() const { return FPart; }
    void SetPart(int part);
    [[nodiscard]] bool Typing() const { return FTyping; }
    // The part whose text ends at or after that character position; the last part when the
    // position lies beyond them all.
    [[nodiscard]] int PartAt(int position) const
    {
        const int n = PartCount();
        int part = 1;
        while (part < n) {
            const TdvDTPartSpan s = Span(part);
            if (s.Start + s.Length >= position)
                break;
            ++part;
        }
        return part;
    }

    // The value an editing key gives an empty picker: today within the limits, or for a time the
    // current time (0 when the key is a digit).
    [[nodiscard]] double InitialValue(double now, bool digit) const;

    // Up (+1) and Down (-1), Home and End on the current part. True when the value changed.
    bool Step(int delta);
    bool Home();
    bool End();
    TdvTypeResult TypeDigit(int digit);
    TdvTypeResult TypeLetter(QChar letter);
    // Applies the digits typed into the part; the typing flag is cleared.
    void ApplyTyped();
    // Left and Right: a pending part is applied first. Right into the hidden zero time of the "c"
    // format first sets the time to now's hour and minute.
    void MovePrev();
    void MoveNext(double now);
    // The empty value, part 1.
    void Clear();

    [[nodiscard]] static QString ExpandFormat(const QString& format);
    [[nodiscard]] static std::vector<TdvDTToken> Tokens(const QString& expanded);
    // The two-digit year in the hundred years that start at epoch.
    [[nodiscard]] static int EpochYear(int twoDigits, int epoch);
    [[nodiscard]] static TdvDTFields Decode(double value);
    [[nodiscard]] static QString Render(const TdvDTToken& token, const TdvDTFields& f, bool twelveHour);

private:
    struct TRendered {
        QString Text;
        std::vector<TdvDTPartSpan> Parts;
    };
    [[nodiscard]] TRendered Rendered() const;
    [[nodiscard]] bool Editable(QChar kind) const;
    [[nodiscard]] TdvDTToken CurrentToken() const;
    // Follows the parts of the format after the current one.
    [[nodiscard]] bool Follows(QChar kind) const;
    // Stores the fields when their day lies within the limits (else only the text is kept).
    void ApplyFields(TdvDTFields f);
    void ApplyDay(double day);   // the day with the value's time, brought within the limits
    [[nodiscard]] double ClampDay(double day) const;
    // The fields with the part's typed number, false when it is no valid value.
    [[nodiscard]] bool WithNumber(QChar kind, int numero, int digitos, TdvDTFields& f) const;
    void Completed();
    // Runs one change of the current part on a value made non-empty first; true when it changed.
    bool Change(void (TdvDateTimeParts::*acao)(int), int sentido);
    void StepPart(int delta);
    void ExtremePart(int lado);   // -1 the part's smallest value, +1 its largest
    // An empty value becomes today, within the limits.
    void FillEmpty();

    QString FFormat;
    bool FCFormat = false;
    std::vector<TdvDTToken> FTokens;       // of the expanded format
    std::vector<TdvDTToken> FDateTokens;   // "c" with a zero time: the short date alone
    bool FTwelveHour = false;
    TdvDTKind FKind = TdvDTKind::DateTime;
    double FValue = 0;
    int FPart = 1;
    bool FTyping = false;
    QString FTyped;
};
