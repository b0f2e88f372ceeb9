#include <gtest/gtest.h>

#include "screens/calculator/TCalculadora.h"

namespace {

using TCasas = TCalculadora::TCasas;

// Types the keys one by one.
TCalculadora Digitado(const QString& teclas, TCasas casas = TCasas::Fixa2)
{
    TCalculadora c;
    c.SetCasas(casas);
    for (const QChar t : teclas)
        c.Tecla(t);
    return c;
}

}   // namespace

TEST(TCalculadora, ShowsWhatIsTypedAndWhatIsComputed)
{
    const struct {
        const char* teclas;
        TCasas casas;
        const char* visor;
        bool erro;
    } casos[] = {
        {"123456789012", TCasas::Fixa2, "12.345.678.901", false},          // a twelfth integer digit is refused
        {"12345678901,1234", TCasas::Fixa2, "12.345.678.901,12", false},   // three decimals kept, two fit
        {"0,1234", TCasas::Fixa2, "0,1234", false},                        // 15 characters at most
        {"12,", TCasas::Fixa2, "12,", false},
        {",5", TCasas::Fixa2, "0,5", false},
        {"10/4=", TCasas::Fixa2, "2,50", false},
        {"10/4=", TCasas::Livre, "2,5", false},
        {"10/4=", TCasas::Fixa4, "2,5000", false},
        {"1/3=", TCasas::Livre, "0,333333333", false},
        {"99999999999+1=", TCasas::Fixa2, "99.999.999.999", true},
        {"1/0=", TCasas::Fixa2, "1", true},
        {"2-5=", TCasas::Fixa2, "-3,00", false},
        {"7S", TCasas::Fixa2, "-7", false},
        {"1+2+3=", TCasas::Livre, "6", false},
        {"1234\b", TCasas::Fixa2, "123", false},
        {"5*3=\b", TCasas::Livre, "0", false},   // after a result, backspace is AC
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.teclas);
        const TCalculadora calc = Digitado(QString::fromLatin1(c.teclas), c.casas);
        EXPECT_EQ(calc.Erro(), c.erro);
        if (!c.erro) {
            EXPECT_EQ(calc.Visor(), QString::fromLatin1(c.visor));
        }
    }
}

TEST(TCalculadora, AnErrorWritesTheTapeAndTheNextDigitStartsAfresh)
{
    for (const char* teclas : {"99999999999+1=", "1/0=", "99999999999*2+"}) {
        SCOPED_TRACE(teclas);
        TCalculadora c = Digitado(QString::fromLatin1(teclas));
        ASSERT_TRUE(c.Erro());
        EXPECT_EQ(c.Fita().back(), (TCalculadora::TLinhaFita{QStringLiteral("** Erro **"), QString()}));
        EXPECT_TRUE(c.Indicador().isNull());
        c.Tecla(u'4');
        EXPECT_FALSE(c.Erro());
        EXPECT_EQ(c.Visor(), QStringLiteral("4"));
        c.Tecla(u'=');   // no operation pending any more
        EXPECT_EQ(c.Visor(), QStringLiteral("4"));
    }
}

TEST(TCalculadora, TheTapeRecordsEachStep)
{
    const TCalculadora c = Digitado(QStringLiteral("1+2=C"));
    const std::vector<TCalculadora::TLinhaFita> esperada = {
        {QStringLiteral("1"), QStringLiteral("+")},
        {QStringLiteral("2"), QStringLiteral(" ")},
        {QStringLiteral("3,00"), QStringLiteral("=")},
        {QStringLiteral("0"), QStringLiteral("C")},
    };
    EXPECT_EQ(c.Fita(), esperada);
}

TEST(TCalculadora, TheOperationIndicatorShowsThePendingOperation)
{
    const struct {
        const char* teclas;
        QChar indicador;
    } casos[] = {
        {"5+", u'+'}, {"5+3", u'+'}, {"5+3*", u'x'}, {"5+3=", QChar()}, {"5+\b", QChar()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.teclas);
        EXPECT_EQ(Digitado(QString::fromLatin1(c.teclas)).Indicador(), c.indicador);
    }
}

TEST(TCalculadora, Memory)
{
    const struct {
        const char* teclas;
        double memoria;
        bool visivel;
        const char* visor;
    } casos[] = {
        {"5M+", 5, true, "5"},       {"5M+C2M+", 7, true, "2"},
        {"5M+CMR", 5, true, "5,00"}, {"5M+CMRMR", 0, false, "5,00"},   // MR twice clears the memory
        {"5M+C9M-", -4, true, "9"},  {"5M+MC", 0, false, "5"},
        {"5M+C", 5, true, "0"},     // AC with a number typed keeps the memory
        {"5M+CC", 0, false, "0"},   // a second AC clears it
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.teclas);
        const TCalculadora calc = Digitado(QString::fromLatin1(c.teclas));
        EXPECT_EQ(static_cast<double>(calc.Memoria()), c.memoria);
        EXPECT_EQ(calc.MemoriaVisivel(), c.visivel);
        EXPECT_EQ(calc.Visor(), QString::fromLatin1(c.visor));
    }
}

TEST(TCalculadora, TheDisplayDropsDecimalsSoThatEveryDigitFits)
{
    const struct {
        long double valor;
        TCasas casas;
        const char* texto;
    } casos[] = {
        {12345678901.0L, TCasas::Fixa2, "12.345.678.901,00"},
        {12345678901.5L, TCasas::Fixa4, "12.345.678.901,50"},
        {1234567890.5L, TCasas::Fixa4, "1.234.567.890,500"},
        {1234567890.5L, TCasas::Livre, "1.234.567.890,5"},
        {1234567.25L, TCasas::Livre, "1.234.567,25"},
        {0.125L, TCasas::Livre, "0,125"},
        {-12.5L, TCasas::Fixa2, "-12,50"},
        {99999999999.99L, TCasas::Fixa2, "99.999.999.999,99"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        bool erro = true;
        EXPECT_EQ(TCalculadora::TextoVisor(c.valor, false, QString(), c.casas, erro), QString::fromLatin1(c.texto));
        EXPECT_FALSE(erro);
    }
    bool erro = false;
    (void)TCalculadora::TextoVisor(100000000000.0L, false, QString(), TCasas::Fixa2, erro);
    EXPECT_TRUE(erro);
}

TEST(TCalculadora, AnAmountBroughtInBecomesTheNumberTyped)
{
    TCalculadora c;
    c.RecebeValor(1234.5L);
    EXPECT_EQ(c.Entrada(), QStringLiteral("1234,5"));
    EXPECT_EQ(c.Visor(), QStringLiteral("1.234,5"));
    c.Tecla(u'+');
    c.Tecla(u'1');
    c.Tecla(u'=');
    EXPECT_EQ(c.Visor(), QStringLiteral("1.235,50"));
}
