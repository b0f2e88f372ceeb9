#include "platform/ui/TBombaDeEventos.h"

#include <QCoreApplication>
#include <utility>

TBombaDeEventos::TBombaDeEventos(qint64 intervalo, Relogio relogio, Bomba bomba)
    : FIntervalo(intervalo)
    , FRelogio(std::move(relogio))
    , FBomba(std::move(bomba))
{
    if (!FRelogio) {
        FCronometro.start();
        FRelogio = [this] { return FCronometro.elapsed(); };
    }
    if (!FBomba)
        FBomba = [] {
            if (QCoreApplication::instance())
                QCoreApplication::processEvents();
        };
}

bool TBombaDeEventos::Bombeia()
{
    const qint64 agora = FRelogio();
    if (FJaBombeou && agora - FUltima < FIntervalo)
        return false;
    FJaBombeou = true;
    FUltima = agora;
    FBomba();
    return true;
}
