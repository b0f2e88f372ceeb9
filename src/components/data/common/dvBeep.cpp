#include "components/data/common/dvBeep.h"

namespace {
TdvBeepFunc beepAtual = nullptr;
}

void dvBeep()
{
    if (beepAtual)
        beepAtual();
}

TdvBeepFunc dvInstallBeep(TdvBeepFunc beep)
{
    TdvBeepFunc anterior = beepAtual;
    beepAtual = beep;
    return anterior;
}
