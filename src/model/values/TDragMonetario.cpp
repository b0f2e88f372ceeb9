#include "model/values/TDragMonetario.h"

TDragMonetario::TDragMonetario(const QString& Texto)
{
    FMonetario.SetTexto(Texto);
    setText(FMonetario.GetTexto());
}
