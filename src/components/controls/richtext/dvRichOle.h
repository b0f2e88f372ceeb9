#pragma once

class QWidget;
struct IRichEditOle;
struct IRichEditOleCallback;

// Attaching an object-embedding callback to a rich-text edit and fetching its embedding
// interface. Objects cannot be embedded in a rich-text edit on this platform: both answer false,
// and the interface comes back null.
bool dvRichEditSetOleCallback(QWidget* richEdit, IRichEditOleCallback* callback);
bool dvRichEditGetOleInterface(QWidget* richEdit, IRichEditOle*& oleInterface);

// Drop effects and key-state bits of a drag and drop, as the embedding callback counts them.
namespace dvDropEffect {
constexpr unsigned Copy = 1;
constexpr unsigned Move = 2;
constexpr unsigned Link = 4;
constexpr unsigned KeyShift = 4;
constexpr unsigned KeyControl = 8;
}   // namespace dvDropEffect

// The effect of a drop on a rich-text edit. While dragging it stays as it is; on a drop, Ctrl
// and Shift link, Ctrl alone copies, anything else moves, each only when efeito (the effects the
// source allows) holds it; otherwise efeito is left as the source offered it.
void dvRichDropEffect(bool arrastando, unsigned teclas, unsigned& efeito);
