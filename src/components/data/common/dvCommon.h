#pragma once
#include <QChar>

// Small routines that the library's datasets and controls share.

// "0" to "9", no other digit of Unicode.
[[nodiscard]] constexpr bool dvIsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

[[nodiscard]] constexpr int dvMax(int a, int b)
{
    return a > b ? a : b;
}
[[nodiscard]] constexpr int dvMin(int a, int b)
{
    return a < b ? a : b;
}

// A size laid out at 96 pixels per inch, for a screen of pixelsPerInch (integer division).
[[nodiscard]] constexpr int dvScaleForPixelsPerInch(int valor, int pixelsPerInch)
{
    return valor * pixelsPerInch / 96;
}

// True for a key that changes the text of an edit: Backspace, Space, Delete and every key that
// types a character (digits, letters, keypad and punctuation); false for moving, function and
// modifier keys. The key is a Qt::Key code.
[[nodiscard]] bool dvIsEditKey(int key);
