#include "shell/common/PapelRelatorio.h"

#include "platform/report/IImpressoras.h"
#include "platform/report/TRelatorio.h"

void AjustaPapel(TRelatorio& Relatorio)
{
    Relatorio.Papel().DefineCodigo(Impressoras::Atual().CodigoPapelPadrao());
}
