#include "components/controls/richtext/dvRichOle.h"

bool dvRichEditSetOleCallback(QWidget*, IRichEditOleCallback*)
{
    return false;
}

bool dvRichEditGetOleInterface(QWidget*, IRichEditOle*& oleInterface)
{
    oleInterface = nullptr;
    return false;
}

void dvRichDropEffect(bool arrastando, unsigned teclas, unsigned& efeito)
{
    if (arrastando)
        return;
    const unsigned ambas = dvDropEffect::KeyControl | dvDropEffect::KeyShift;
    const unsigned escolhido = (teclas & ambas) == ambas ? dvDropEffect::Link
        : (teclas & dvDropEffect::KeyControl) != 0       ? dvDropEffect::Copy
                                                         : dvDropEffect::Move;
    if ((efeito & escolhido) != 0)
        efeito = escolhido;
}
