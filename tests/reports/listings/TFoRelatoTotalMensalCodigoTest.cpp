#include <gtest/gtest.h>

#include "reports/RelatosDeTeste.h"
#include "reports/listings/TFoRelatoTotalMensalCodigo.h"

namespace {

class TFoRelatoTotalMensalCodigoTest : public RelatosDeTeste {};

// The lines of one code, from its header to its total, without the footer and header of a page
// that breaks them; the page after a break names the code again, under the column titles.
QStringList Trecho(const QStringList& linhas, const QString& codigo)
{
    QStringList trecho;
    bool dentro = false;
    bool quebra = false;
    for (const QString& l : linhas) {
        const bool cabecalho = l.startsWith(QStringLiteral("Código: ") + codigo);
        if (cabecalho)
            dentro = true;
        if (!dentro)
            continue;
        if (l.startsWith(QStringLiteral("Data:")))
            quebra = true;
        else if (quebra)
            quebra = !cabecalho;
        else
            trecho << l;
        if (l.startsWith(QStringLiteral("Total Código")))
            break;
    }
    return trecho;
}

}   // namespace

TEST_F(TFoRelatoTotalMensalCodigoTest, AddsEachCodesItemsMonthByMonth)
{
    auto pruv = Armazenada(Matriz);
    Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 1000 * Reais, 100 * Reais, 50 * Reais, 900 * Reais});
    Guarda(*pruv, *pruv, {"0561", CpfBruno, "BRUNO COSTA LIMA", 234 * Reais + 5600, 0, 10 * Reais, 100 * Reais});
    Guarda(*pruv, *pruv, {"3208", CpfAna, "ANA PAULA SOUZA", 300 * Reais, 0, 0, 0, 15 * Reais, 40 * Reais});
    ImprimeRelatoTotalMensalCodigo(*pruv, *colecao, false);

    const QStringList paginas = Paginas();
    ASSERT_FALSE(paginas.isEmpty());
    const QStringList linhas = Linhas(paginas.join(QLatin1Char('|')));
    EXPECT_TRUE(linhas.contains(QStringLiteral("Mês Rendimentos Deduções Imposto Retido")));

    // 0561 keeps the 13th salary: thirteen months, then the sums of all of them.
    const QStringList c0561 = Trecho(linhas, QStringLiteral("0561"));
    ASSERT_EQ(c0561.size(), 15) << c0561.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(c0561[1], QStringLiteral("Jan 1.234,56 100,00 60,00"));
    EXPECT_EQ(c0561[12], QStringLiteral("Dez 1.234,56 100,00 60,00"));
    EXPECT_EQ(c0561[13], QStringLiteral("13º 1.000,00 0,00 0,00"));
    EXPECT_EQ(c0561[14], QStringLiteral("Total Código 15.814,72 1.200,00 720,00"));

    // 3208 has twelve months; January carries its court-decision amounts under it.
    const QStringList c3208 = Trecho(linhas, QStringLiteral("3208"));
    ASSERT_EQ(c3208.size(), 16) << c3208.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(c3208[1], QStringLiteral("Jan 300,00 0,00 0,00"));
    EXPECT_EQ(c3208[3], QStringLiteral("Valores de Decisão Judicial 40,00 0,00 0,00 0,00 15,00 0,00"));
    EXPECT_EQ(c3208[4], QStringLiteral("Fev 300,00 0,00 0,00"));
    EXPECT_EQ(c3208[14], QStringLiteral("Dez 300,00 0,00 0,00"));
    EXPECT_EQ(c3208[15], QStringLiteral("Total Código 3.600,00 0,00 0,00"));
    EXPECT_EQ(c3208.filter(QStringLiteral("13º")).size(), 0);
    EXPECT_EQ(paginas.join(QLatin1Char('|')).count(QStringLiteral("Valores de Decisão Judicial")), 2);
}
