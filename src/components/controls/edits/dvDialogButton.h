#pragma once
#include "components/data/settings/TdvIntl.h"

class QPushButton;
class QWidget;

// A hidden OK, Cancel or Help button of the library's dialogs on owner, as the global texts
// describe it: caption, size for the screen's pixels per inch and, for bitmapped buttons, a
// glyph and the dialog buttons' font. The caller closes its dialog with the button's result.
QPushButton* dvCreateDialogButton(QWidget* owner, TdvDialogButtonKind kind);
