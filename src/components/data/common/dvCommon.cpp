#include "components/data/common/dvCommon.h"

#include <Qt>

bool dvIsEditKey(int key)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        return true;
    // Keys that type a character carry its code; moving, function and modifier keys lie above
    // the character codes.
    return key >= Qt::Key_Space && key < Qt::Key_Escape;
}
