#include <gtest/gtest.h>

#include "model/values/PastasPrograma.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/report/bands/TRelatorio.h"
#include "shell/common/PapelRelatorio.h"

TEST(AjustaPapel, TheDefaultPrintersPaperOrLetter)
{
    const struct {
        int codigoImpressora;
        int codigoRelatorio;
    } casos[] = {
        {9, 9}, {1, 1}, {14, 14}, {24, 24}, {26, 26}, {15, 1}, {0, 1}, {256, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigoImpressora);
        ImpressorasSimuladas impressoras(DiretorioPrograma());
        impressoras.CodigoPapel = c.codigoImpressora;
        TRelatorio relatorio;
        AjustaPapel(relatorio);
        EXPECT_EQ(relatorio.Papel().Codigo(), c.codigoRelatorio);
    }
}
