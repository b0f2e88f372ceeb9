#include <gtest/gtest.h>

#include "platform/report/elements/TDadoSistema.h"

TEST(TDadoSistema, PrintsItsTextAndTheValueInTheProgramsFormats)
{
    const TContextoImpressao contexto{7, 12, QDateTime(QDate(2003, 4, 5), QTime(8, 9, 10))};
    const TContextoImpressao semTotal{7, 0, contexto.DataHora};
    const struct {
        TTipoDadoSistema dado;
        const char* texto;
        const TContextoImpressao& c;
        const char* impresso;
    } casos[] = {
        {TTipoDadoSistema::NumeroPagina, "Página ", contexto, "Página 7"},
        {TTipoDadoSistema::TotalPaginas, "de ", contexto, "de 12"},
        {TTipoDadoSistema::TotalPaginas, "de ", semTotal, "de "},   // not prepared: no count
        {TTipoDadoSistema::Data, "Data: ", contexto, "Data: 05/04/2003"},
        {TTipoDadoSistema::Hora, "", contexto, "08:09:10"},
        {TTipoDadoSistema::DataHora, "", contexto, "05/04/2003 08:09:10"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.impresso);
        TDadoSistema dado(QStringLiteral("D"), c.dado);
        dado.Texto = QString::fromUtf8(c.texto);
        EXPECT_EQ(dado.TextoImpresso(c.c), QString::fromUtf8(c.impresso));
    }
}
