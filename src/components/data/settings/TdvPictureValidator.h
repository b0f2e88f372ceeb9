#pragma once
#include <QString>
#include <cstdint>

// Result of checking a text against a picture mask.
enum class TPicResult : std::uint8_t {
    prComplete = 0,
    prIncomplete = 1,
    prEmpty = 2,
    prError = 3,
    prSyntax = 4,        // the picture itself is malformed
    prAmbiguous = 5,     // complete, but more could follow (inner result only)
    prIncompNoFill = 6   // incomplete and nothing to fill in (inner result only)
};

// Checks and completes a text against a picture mask:
//   #  digit            ?  letter                &  letter, upper-cased    ~  letter, lower-cased
//   @  any character    !  any, upper-cased      ;  next character is a literal
//   *n repeat the next item n times; * alone repeats it any number of times, none included
//   [] optional part    {} group                 ,  alternatives, the first that accepts wins
// Any other character is a literal. Letters are A-Z, a-z and every character above 128.
class TdvPictureValidator {
public:
    TdvPictureValidator(const QString& picture, bool autoFill);

    // 0 usable; 1 the picture is malformed (every check then answers prSyntax).
    [[nodiscard]] std::uint16_t Status() const { return FStatus; }
    // Bit 0: auto-fill; bit 2 is always set.
    [[nodiscard]] std::uint16_t Options() const { return FOptions; }
    [[nodiscard]] const QString& PictureText() const { return FPicture; }

    // The main check. Rewrites input with the stored form of each character matched (case
    // conversions, literals, a blank typed in place of a final literal) and, with autoFill and an
    // incomplete text, appends the literals that come next. Answers prComplete, prIncomplete,
    // prEmpty, prError or prSyntax; the text is left as typed when the answer is prError.
    TPicResult Picture(QString& input, bool autoFill) const;

    // True unless the text is refused (prError); without a picture, always true. Fills in
    // literals when the auto-fill option is on and fill is not suppressed.
    bool IsValidInput(QString& text, bool suppressFill) const;
    // True when there is no picture, or the text is complete or empty by it.
    [[nodiscard]] bool IsValid(const QString& text) const;

private:
    [[nodiscard]] bool SyntaxOk() const;

    std::uint16_t FStatus = 0;
    std::uint16_t FOptions = 4;
    QString FPicture;
};
