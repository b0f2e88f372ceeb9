#include "platform/compress/TAndamento.h"

#include <algorithm>

TAndamento::TAndamento(const TProgressoCompressao& progresso, const bool& cancelar)
    : FProgresso(progresso)
    , FCancelar(cancelar)
{}

void TAndamento::Informa(int percentual)
{
    percentual = std::clamp(percentual, 0, 100);
    if (percentual <= FUltimo)
        return;
    FUltimo = percentual;
    if (FProgresso)
        FProgresso(percentual);
}

void TAndamento::InformaParte(unsigned long long feito, unsigned long long total)
{
    if (total == 0)
        return;
    // 99 at most: the operation still has its last step (renames, checks) to do.
    Informa(static_cast<int>(std::min<unsigned long long>(feito, total) * 99 / total));
}
