#pragma once
#include <Qt>

class QWidget;

// Events posted to controls as if the user had made them, and the form that holds a control.

// Posts a key-down and a key-up of the key (a Qt::Key) with the modifier held, one repeat
// each; the control gets them once the event loop runs.
void dvPostKeyWithModifier(QWidget* control, int key, Qt::KeyboardModifier modifier);

// Posts a left-button release to the active form when it holds the left button down, else to
// the control inside it that does: the release that a dialog shown between the press and the
// release took away. Nothing is posted when no control of the active form holds the button.
void dvPostLButtonUp();

// The nearest window (form) or frame that holds the control; null for a control without a
// parent. A frame is a widget whose class, or a class it descends from, is "TCustomFrame" or
// is named "TFr" followed by a capital letter, as the program's frames are.
QWidget* dvGetParentFormOrFrame(const QWidget* control);
// Whether the control is such a frame.
bool dvIsFrame(const QWidget* control);
