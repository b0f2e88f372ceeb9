#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "model/ObservadorRegistrado.h"
#include "model/values/TErro.h"
#include "model/values/TMonetarioTotal.h"

namespace {

std::unique_ptr<TMonetario> Valor(qint64 unidades)
{
    auto m = std::make_unique<TMonetario>();
    m->SetValor(unidades * TMonetario::Escala);
    return m;
}

}   // namespace

TEST(TMonetarioTotal, AddedTermsFirstThenSubtractedEachWithItsPositiveAmount)
{
    auto dez = Valor(10), cinco = Valor(5), tres = Valor(3);
    TMonetarioTotal total;
    total.AdicionaSubtracao(*tres);   // added first, still subtracted after the sums
    total.AdicionaSoma(*dez);
    total.AdicionaSoma(*cinco);
    EXPECT_EQ(total.GetValor(), 12 * TMonetario::Escala);
    EXPECT_EQ(total.QuantidadeSomadas(), 2);

    tres->SetValor(-3 * TMonetario::Escala);
    EXPECT_EQ(total.GetValor(), 15 * TMonetario::Escala);

    cinco->SetValor(0);
    tres->SetValor(20 * TMonetario::Escala);
    EXPECT_EQ(total.GetValor(), -10 * TMonetario::Escala);
    EXPECT_EQ(total.GetValorPositivo(), 0);
    EXPECT_TRUE(total.EhZero());
}

TEST(TMonetarioTotal, AChangedTermNotifiesAtOnceAndIsAddedWhenRead)
{
    auto dez = Valor(10);
    TMonetarioTotal total;
    total.AdicionaSoma(*dez);
    EXPECT_EQ(total.GetTexto(), QStringLiteral("10,00"));
    ObservadorRegistrado observador;
    total.AdicionaObservador(observador);
    total.SetAlterado(false);
    dez->SetValor(11 * TMonetario::Escala);
    EXPECT_EQ(observador.Chamadas(), QStringList{QStringLiteral("Atualiza:11,00")});
    EXPECT_TRUE(total.GetAlterado());
    total.RemoveObservador(observador);
}

TEST(TMonetarioTotal, TypingOrSettingChangesNothing)
{
    auto dez = Valor(10);
    TMonetarioTotal total;
    total.AdicionaSoma(*dez);
    ObservadorRegistrado observador;
    total.AdicionaObservador(observador);
    total.SetTexto(QStringLiteral("99"));
    total.SetTexto(QString());   // an empty text does not detach the terms
    total.SetTexto(QStringLiteral("abc"));
    total.SetValor(5);
    EXPECT_EQ(total.GetValor(), 10 * TMonetario::Escala);
    EXPECT_EQ(total.QuantidadeParcelas(), 1);
    EXPECT_TRUE(observador.Chamadas().isEmpty());
    total.RemoveObservador(observador);
}

TEST(TMonetarioTotal, LimpaDetachesEveryTerm)
{
    auto dez = Valor(10), tres = Valor(3);
    TMonetarioTotal total;
    total.AdicionaSoma(*dez);
    total.AdicionaSubtracao(*tres);
    ObservadorRegistrado observador;
    total.AdicionaObservador(observador);
    total.Limpa();
    EXPECT_EQ(total.GetValor(), 0);
    EXPECT_EQ(total.QuantidadeParcelas(), 0);
    EXPECT_EQ(total.QuantidadeSomadas(), 0);
    EXPECT_EQ(observador.Chamadas(), QStringList{QStringLiteral("Atualiza:0,00")});
    dez->SetValor(1);   // no longer observed
    EXPECT_EQ(observador.Chamadas().size(), 1);
    total.RemoveObservador(observador);
}

TEST(TMonetarioTotal, ATermThatGoesAwayLeavesTheSumAndTheCountOfAddedTerms)
{
    auto dez = Valor(10), cinco = Valor(5), tres = Valor(3);
    TMonetarioTotal total;
    total.AdicionaSoma(*dez);
    total.AdicionaSoma(*cinco);
    total.AdicionaSoma(*cinco);   // observed twice, counted twice
    total.AdicionaSubtracao(*tres);
    EXPECT_EQ(total.GetValor(), 17 * TMonetario::Escala);

    cinco.reset();
    EXPECT_EQ(total.QuantidadeParcelas(), 2);
    EXPECT_EQ(total.QuantidadeSomadas(), 1);
    EXPECT_EQ(total.GetValor(), 7 * TMonetario::Escala);   // 3 is still subtracted

    tres.reset();
    EXPECT_EQ(total.GetValor(), 10 * TMonetario::Escala);
}

TEST(TMonetarioTotal, ATotalThatGoesAwayStopsObservingItsTerms)
{
    auto dez = Valor(10);
    {
        TMonetarioTotal total;
        total.AdicionaSoma(*dez);
        total.AdicionaSoma(*dez);
    }
    dez->SetValor(TMonetario::Escala);   // would reach a freed total if it were still observed
    SUCCEED();
}

// The delivery file still refuses what its 15 digits cannot hold.
TEST(TMonetarioTotal, ASumPastTheMaximumIsWholeButCannotBeWrittenToTheFile)
{
    auto maximo = Valor(0), um = Valor(0);
    maximo->SetValor(TMonetario::Maximo);
    um->SetValor(100);
    TMonetarioTotal total;
    total.AdicionaSoma(*maximo);
    EXPECT_EQ(total.GetTextoArquivo(), QStringLiteral("009999999999999"));
    total.AdicionaSoma(*um);
    EXPECT_EQ(total.GetValor(), TMonetario::Maximo + 100);
    EXPECT_EQ(total.GetTextoFormatado(), QStringLiteral("100.000.000.000,00"));
    try {
        (void)total.GetTextoArquivo();
        ADD_FAILURE() << "no error";
    } catch (const EMonetarioInvalido& e) {
        EXPECT_EQ(e.Codigo(), 165);
    }
    um->SetValor(0);
    EXPECT_EQ(total.GetValor(), TMonetario::Maximo);
}

TEST(TMonetarioTotal, ASumPastTheMaximumPrintsAndOnlyOnePast64BitsIsRefused)
{
    auto a = Valor(0), b = Valor(0);
    a->SetValor(TMonetario::Maximo);
    b->SetValor(TMonetario::Maximo);
    TMonetarioTotal total;
    total.AdicionaSoma(*a);
    total.AdicionaSoma(*b);
    EXPECT_EQ(total.GetValor(), 2 * TMonetario::Maximo);
    EXPECT_EQ(total.GetTextoFormatado(), QStringLiteral("199.999.999.999,98"));
    // Past 64 bits it is still refused.
    a->SetValor(std::numeric_limits<qint64>::max());
    try {
        (void)total.GetValor();
        ADD_FAILURE() << "no error";
    } catch (const EMonetarioInvalido& e) {
        EXPECT_EQ(e.Codigo(), 165);
    }
}

TEST(TMonetarioTotal, TotalsOfTotals)
{
    auto a = Valor(1), b = Valor(2);
    TMonetarioTotal parcial, geral;
    parcial.AdicionaSoma(*a);
    parcial.AdicionaSoma(*b);
    geral.AdicionaSoma(parcial);
    geral.AdicionaSoma(*a);
    EXPECT_EQ(geral.GetValor(), 4 * TMonetario::Escala);
    b->SetValor(5 * TMonetario::Escala);
    EXPECT_EQ(geral.GetValor(), 7 * TMonetario::Escala);
}

namespace {

// Counts the calls, reading nothing.
class TContaAvisos final : public IObservador {
public:
    int Avisos = 0;
    void Atualiza(ISujeito&) override { ++Avisos; }
    void Liberado(ISujeito&) override {}
};

}   // namespace

// An observer that has not read the total since it was told of a change is not told again; a
// read (even one that raises 165), or the total marked unchanged, makes the next change told.
TEST(TMonetarioTotal, ObserversAreToldOfAChangeOnceUntilTheyReadIt)
{
    auto a = Valor(1), b = Valor(2), maximo = Valor(0);
    TMonetarioTotal parcial, geral;
    parcial.AdicionaSoma(*a);
    parcial.AdicionaSoma(*b);
    geral.AdicionaSoma(parcial);
    TContaAvisos avisosParcial, avisosGeral;
    parcial.AdicionaObservador(avisosParcial);
    geral.AdicionaObservador(avisosGeral);
    parcial.SetAlterado(false);
    geral.SetAlterado(false);

    a->SetValor(3 * TMonetario::Escala);
    b->SetValor(4 * TMonetario::Escala);
    a->SetValor(5 * TMonetario::Escala);
    EXPECT_EQ(avisosParcial.Avisos, 1);
    EXPECT_EQ(avisosGeral.Avisos, 1);
    EXPECT_EQ(geral.GetValor(), 9 * TMonetario::Escala);   // reads the partial too

    b->SetValor(6 * TMonetario::Escala);
    EXPECT_EQ(avisosParcial.Avisos, 2);
    EXPECT_EQ(avisosGeral.Avisos, 2);

    parcial.SetAlterado(false);   // a save marks it unchanged: the next change is told
    (void)geral.GetValor();
    b->SetValor(7 * TMonetario::Escala);
    EXPECT_EQ(avisosParcial.Avisos, 3);

    maximo->SetValor(std::numeric_limits<qint64>::max());
    parcial.AdicionaSoma(*maximo);   // told at once, as adding a term always is
    const int antes = avisosParcial.Avisos;
    EXPECT_THROW((void)parcial.GetValor(), EMonetarioInvalido);
    maximo->SetValor(0);   // back within 64 bits: told, so a shown "*****" goes
    EXPECT_EQ(avisosParcial.Avisos, antes + 1);
    EXPECT_EQ(parcial.GetValor(), 12 * TMonetario::Escala);

    parcial.RemoveObservador(avisosParcial);
    geral.RemoveObservador(avisosGeral);
}
