#include "screens/fields/TInicioDeArraste.h"

#include <cstdlib>

void TInicioDeArraste::Pressiona(const QPoint& ponto, bool podeArrastar)
{
    FPronto = podeArrastar;
    FInicio = ponto;
}

bool TInicioDeArraste::Partiu(const QPoint& ponto, Qt::MouseButtons botoes)
{
    if (!botoes.testFlag(Qt::LeftButton))
        FPronto = false;
    if (!FPronto || (std::abs(ponto.x() - FInicio.x()) < FLimiar && std::abs(ponto.y() - FInicio.y()) < FLimiar))
        return false;
    FPronto = false;
    return true;
}
