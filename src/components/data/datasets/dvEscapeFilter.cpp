#include "components/data/datasets/dvEscapeFilter.h"

#include "components/data/settings/dvProperties.h"

namespace {
TdvEscapeProbe sondaAtual = nullptr;
}

TdvEscapeProbe dvInstallEscapeProbe(TdvEscapeProbe probe)
{
    TdvEscapeProbe anterior = sondaAtual;
    sondaAtual = probe;
    return anterior;
}

bool dvProcessEscapeFilterEvent(IdvPublished* dataset)
{
    if (!sondaAtual || !sondaAtual())
        return false;
    dvSetOnFilterEnabled(dataset, false);
    return true;
}
