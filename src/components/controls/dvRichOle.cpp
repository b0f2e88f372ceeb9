#include "components/controls/dvRichOle.h"

bool dvRichEditSetOleCallback(QWidget*, IRichEditOleCallback*)
{
    return false;
}

bool dvRichEditGetOleInterface(QWidget*, IRichEditOle*& oleInterface)
{
    oleInterface = nullptr;
    return false;
}
