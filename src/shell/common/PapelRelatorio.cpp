#include "shell/common/PapelRelatorio.h"

#include "platform/report/printing/IImpressoras.h"
#include "platform/report/bands/TRelatorio.h"

void AjustaPapel(TRelatorio& Relatorio)
{
    Relatorio.Papel().DefineCodigo(Impressoras::Atual().CodigoPapelPadrao());
}
