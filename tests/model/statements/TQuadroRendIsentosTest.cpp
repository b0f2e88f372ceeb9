#include "model/statements/TQuadroRendIsentos.h"

#include <gtest/gtest.h>

#include "model/values/TErro.h"
#include "model/ImprimeQString.h"

TEST(TQuadroRendIsentos, Line1CeilingFollowsTheYear)
{
    const struct {
        const char* ano;
        const char* teto;
        const char* acima;
        int codigo;
    } casos[] = {
        {"1997", "11.700,00", "11.700,01", 168}, {"1998", "11.700,00", "11.700,01", 168},
        {"1999", "11.700,00", "11.700,01", 168}, {"2000", "11.700,00", "11.700,01", 168},
        {"2001", "11.700,00", "11.700,01", 168}, {"2002", "13.754,00", "13.754,01", 169},
        {"2003", "13.754,00", "13.754,01", 169},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        TQuadroRendIsentos quadro(QString::fromLatin1(c.ano));
        TMonetario& linha1 = quadro.GetLinha1();
        linha1.SetTexto(QString::fromLatin1(c.teto));
        const QString aceito = linha1.GetTextoFormatado();
        EXPECT_EQ(aceito, QString::fromLatin1(c.teto));
        try {
            linha1.SetTexto(QString::fromLatin1(c.acima));
            ADD_FAILURE() << "accepted above the ceiling";
        } catch (const EMonetarioInvalido& e) {
            EXPECT_EQ(e.Codigo(), c.codigo);
        }
        EXPECT_EQ(linha1.GetTextoFormatado(), aceito);
        // Other lines have only the limit of every amount.
        quadro.GetLinha2().SetTexto(QString::fromLatin1(c.acima));
        EXPECT_EQ(quadro.GetLinha2().GetTextoFormatado(), QString::fromLatin1(c.acima));
    }
}

TEST(TQuadroRendIsentos, DescriptionAloneIsWorthStoring)
{
    TQuadroRendIsentos quadro(QStringLiteral("2002"));
    EXPECT_FALSE(quadro.PossuiValores());
    quadro.GetDescricaoLinha8().SetTexto(QStringLiteral("Bolsa de estudos"));
    EXPECT_TRUE(quadro.PossuiValores());
}
