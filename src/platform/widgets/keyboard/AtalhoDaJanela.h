#pragma once
#include <Qt>

class QWidget;

// Offers a key to the shortcuts of the control's window (a button's letter, a tab's, a menu's)
// as a key typed there would be; true when one took it. For a key that reached a pop-up of the
// control, whose own window has no such shortcuts, once the pop-up has closed.
bool OfereceAosAtalhos(QWidget& controle, int tecla, Qt::KeyboardModifiers modificadores);
