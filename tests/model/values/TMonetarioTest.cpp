#include <gtest/gtest.h>

#include <limits>

#include "model/ObservadorRegistrado.h"
#include "model/values/TDragMonetario.h"
#include "model/values/TErro.h"
#include "model/values/TMonetario.h"

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The code of the EMonetarioInvalido that f raises, 0 when it raises nothing.
template <class F> int CodigoLevantado(F&& f, QString* parametro = nullptr)
{
    try {
        f();
    } catch (const EMonetarioInvalido& e) {
        if (parametro)
            *parametro = e.Parametro();
        return e.Codigo();
    }
    return 0;
}

}   // namespace

TEST(TMonetario, TypedTextIsCleanedStoredAndShown)
{
    const struct {
        const char* digitado;
        qint64 valor;
        const char* texto;
        const char* formatado;
    } casos[] = {
        {"1.234,5", 12345000, "1234,50", "1.234,50"},
        {"-5", 50000, "5,00", "5,00"},
        {"1,2345", 12340, "1,23", "1,23"},
        {"1,235", 12350, "1,24", "1,24"},   // half away from zero
        {"1,234", 12340, "1,23", "1,23"},
        {"0,005", 50, "0,01", "0,01"},
        {"0,004", 40, "0,00", "0,00"},
        {",5", 5000, "0,50", "0,50"},
        {"5,", 50000, "5,00", "5,00"},
        {"R$ 1 000,00", 10000000, "1000,00", "1.000,00"},
        {"1,2,3", 12300, "1,23", "1,23"},    // a second separator goes, its digits stay
        {"1.5", 150000, "15,00", "15,00"},   // "." is the thousands separator
        {"00012", 120000, "12,00", "12,00"},
        {"99.999.999.999,99", TMonetario::Maximo, "99999999999,99", "99.999.999.999,99"},
        {"123456", 1234560000, "123456,00", "123.456,00"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitado);
        TMonetario m;
        m.SetTexto(T(c.digitado));
        EXPECT_EQ(m.GetValor(), c.valor);
        EXPECT_EQ(m.GetTexto(), T(c.texto));
        EXPECT_EQ(m.GetTextoFormatado(), T(c.formatado));
    }
}

TEST(TMonetario, TextsThatCannotBeHeldAreRefusedAndKeepTheAmount)
{
    const struct {
        const char* digitado;
        int codigo;
        const char* parametro;
    } casos[] = {
        {"100.000.000.000,00", 165, ""},   // above the maximum: no parameter
        {"99.999.999.999,991", 165, ""},
        {"922337203685477,5807", 165, ""},             // fits 64 bits, above the maximum
        {"922337203685478", 165, "922337203685478"},   // does not fit: the cleaned text
        {"99999999999999999999999", 165, "99999999999999999999999"},
        {",", 114, ""},   // a separator without a digit is no amount
        {"abc,", 114, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitado);
        TMonetario m;
        m.SetValor(70000);
        ObservadorRegistrado observador;
        m.AdicionaObservador(observador);
        QString parametro = QStringLiteral("?");
        EXPECT_EQ(CodigoLevantado([&] { m.SetTexto(T(c.digitado)); }, &parametro), c.codigo);
        EXPECT_EQ(parametro, T(c.parametro));
        EXPECT_EQ(m.GetValor(), 70000);
        EXPECT_TRUE(observador.Chamadas().isEmpty());
        m.RemoveObservador(observador);
    }
}

TEST(TMonetario, AnEmptyTextClearsTheAmount)
{
    const char* vazios[] = {"", "   ", "abc", "-"};
    for (const char* vazio : vazios) {
        SCOPED_TRACE(vazio);
        TMonetario m;
        m.SetValor(10000);
        m.SetTexto(T(vazio));
        EXPECT_EQ(m.GetValor(), 0);
        EXPECT_EQ(m.GetTexto(), T("0,00"));
    }
}

TEST(TMonetario, OnlyARealChangeNotifiesButLimpaAlwaysDoes)
{
    TMonetario m;
    ObservadorRegistrado observador;
    m.AdicionaObservador(observador);
    m.SetTexto(T("10"));
    m.SetTexto(T("10,00"));
    m.SetValor(100000);
    EXPECT_EQ(observador.Chamadas(), QStringList{T("Atualiza:10,00")});
    EXPECT_TRUE(m.GetAlterado());
    m.Limpa();
    m.Limpa();
    EXPECT_EQ(observador.Chamadas().size(), 3);
    m.RemoveObservador(observador);
}

TEST(TMonetario, NegativeAmountsShowAndCountAsZero)
{
    TMonetario m;
    m.SetValor(-12345);
    EXPECT_EQ(m.GetValor(), -12345);
    EXPECT_EQ(m.GetValorPositivo(), 0);
    EXPECT_TRUE(m.EhZero());
    EXPECT_EQ(m.GetTexto(), T("0,00"));
    EXPECT_EQ(m.GetTextoArquivo(), T("000000000000000"));
}

TEST(TMonetario, FileTextIsFifteenDigitsOfCents)
{
    const struct {
        qint64 valor;
        const char* arquivo;
    } casos[] = {
        {12345600, "000000000123456"},
        {0, "000000000000000"},
        {49, "000000000000000"},
        {50, "000000000000001"},
        {TMonetario::Maximo, "009999999999999"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.arquivo);
        TMonetario m;
        m.SetValor(c.valor);
        EXPECT_EQ(m.GetTextoArquivo(), T(c.arquivo));
    }
    TMonetario acima;
    acima.SetValor(TMonetario::Maximo + 1);
    EXPECT_EQ(CodigoLevantado([&] { (void)acima.GetTextoArquivo(); }), 165);
}

TEST(TMonetario, TextWithoutSeparatorHasTwoImpliedDecimals)
{
    const struct {
        const char* texto;
        int codigo;
        qint64 valor;
    } casos[] = {
        {"12345", 0, 1234500},
        {"05", 0, 500},
        {"5", 0, 5000},   // the separator goes in front of a single digit: 0,50
        {"000000000123456", 0, 12345600},
        {"009999999999999", 0, TMonetario::Maximo},
        {"010000000000000", 165, 70000},
        {"99999999999999999999", 114, 70000},   // cannot be read
        {"12a4", 114, 70000},
        {"", 114, 70000},
        {" 12", 114, 70000},
        {"-12", 114, 70000},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        TMonetario m;
        m.SetValor(70000);
        EXPECT_EQ(m.SetTextoSemSeparador(T(c.texto)), c.codigo);
        EXPECT_EQ(m.GetValor(), c.valor);
    }
    // Digits are read several at a time: a character next to the digits, a digit of another
    // script or one far above them refuses the value wherever it stands, in every length.
    for (const char16_t intruso : {u'/', u':', u'\u0660', u'\uFF10', u'\u8030'}) {
        for (qsizetype tamanho = 2; tamanho <= 15; ++tamanho) {
            for (qsizetype posicao = 0; posicao < tamanho; ++posicao) {
                QString texto(tamanho, QLatin1Char('7'));
                texto[posicao] = QChar(intruso);
                SCOPED_TRACE(texto.toStdString());
                TMonetario m;
                m.SetValor(70000);
                EXPECT_EQ(m.SetTextoSemSeparador(texto), 114);
                EXPECT_EQ(m.GetValor(), 70000);
            }
        }
    }
    // Columns of zeros are told apart at once: one other character among them, wherever it
    // stands, is read as a digit or refuses the value.
    for (qsizetype tamanho = 2; tamanho <= 15; ++tamanho) {
        TMonetario zeros;
        zeros.SetValor(70000);
        EXPECT_EQ(zeros.SetTextoSemSeparador(QString(tamanho, QLatin1Char('0'))), 0) << tamanho;
        EXPECT_EQ(zeros.GetValor(), 0) << tamanho;
        for (qsizetype posicao = 0; posicao < tamanho; ++posicao) {
            for (const char16_t outro : {u'1', u'/', u'\u8030'}) {
                QString texto(tamanho, QLatin1Char('0'));
                texto[posicao] = QChar(outro);
                SCOPED_TRACE(texto.toStdString());
                TMonetario m;
                m.SetValor(70000);
                qint64 lido = TMonetario::Escala / 100;
                for (qsizetype p = posicao + 1; p < tamanho; ++p)
                    lido *= 10;
                // A digit read, unless it goes past the limit; anything else refused.
                const int codigo = outro != u'1' ? 114 : lido > TMonetario::Maximo ? 165 : 0;
                EXPECT_EQ(m.SetTextoSemSeparador(texto), codigo);
                EXPECT_EQ(m.GetValor(), codigo == 0 ? lido : 70000);
            }
        }
    }
    TMonetario longo;
    EXPECT_EQ(longo.SetTextoSemSeparador(u"001234567890123"), 0);
    EXPECT_EQ(longo.GetValor(), Q_INT64_C(12345678901) * TMonetario::Escala + 2300);
}

TEST(TMonetario, LimpaTextoKeepsDigitsAndOneSeparator)
{
    const struct {
        const char* antes;
        const char* depois;
    } casos[] = {
        {"1.234,5678", "1234,567"}, {"-1 234,5a6b7c8", "1234,567"}, {",,1", ",1"}, {"abc", ""}, {"1,", "1,"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.antes);
        QString texto = T(c.antes);
        TMonetario::LimpaTexto(texto);
        EXPECT_EQ(texto, T(c.depois));
    }
}

TEST(TMonetario, QuantiaReadsAWholeTextAsOneAmountOrNothing)
{
    const struct {
        const char* texto;
        const char* lido;   // nullptr: not one amount
    } casos[] = {
        {"R$ 1.234,56", "1234,56"},
        {"1.234,56", "1234,56"},
        {"1234,5", "1234,5"},
        {"R$1500", "1500"},
        {" 700,5 ", "700,5"},
        {"1.000.000", "1000000"},
        {",75", ",75"},
        {"3 x 500,00", nullptr},
        {"1.2.3,4,5", nullptr},
        {"1500.00", nullptr},    // a point before the decimals is no thousands separator
        {"12,345", nullptr},     // three decimals
        {"1.23,00", nullptr},    // a group of two
        {"1234.567", nullptr},   // a first group of four
        {"R$", nullptr},
        {"500,00 reais", nullptr},
        {"-500", nullptr},
        {"1,", nullptr},
        {"", nullptr},
        {"   ", nullptr},
        {"\u0661\u0662", nullptr},   // digits of another script
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const std::optional<QString> lido = TMonetario::Quantia(T(c.texto));
        if (!c.lido) {
            EXPECT_FALSE(lido.has_value()) << lido->toStdString();
            continue;
        }
        ASSERT_TRUE(lido.has_value());
        EXPECT_EQ(*lido, T(c.lido));
    }
}

TEST(TMonetario, QuantiaColadaGivesTheAmountReadWithoutLeadingZerosOrRefusesIt)
{
    const struct {
        const char* texto;
        const char* lido;   // nullptr: refused with the code
        int codigo = 0;
    } casos[] = {
        {"000000001234,56", "1234,56"},
        {"0000000000001000,00", "1000,00"},
        {"R$ 0001234,5", "1234,5"},
        {"000", "0"},
        {"0,5", "0,5"},
        {",75", ",75"},
        {" R$ 99.999.999.999,99 ", "99999999999,99"},
        {"100.000.000.000,00", nullptr, 165},
        {"999999999999999999999", nullptr, 165},   // past what 64 bits hold: above the maximum too
        {"1500.00", nullptr, 114},
        {",", nullptr, 114},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        if (c.lido)
            EXPECT_EQ(TMonetario::QuantiaColada(T(c.texto)), T(c.lido));
        else
            EXPECT_EQ(CodigoLevantado([&] { (void)TMonetario::QuantiaColada(T(c.texto)); }), c.codigo);
    }
}

TEST(TMonetario, DigitacaoTakesAKeyOnlyWhereTheAmountHasRoomForIt)
{
    const struct {
        const char* texto;
        int de;
        int tamanho;
        char16_t tecla;
        char16_t fica;
        bool segunda;
    } casos[] = {
        {"", 0, 0, u'5', u'5', false},
        {"12345678901", 11, 0, u'1', 0, false},   // a twelfth integer digit
        {"12345678901", 5, 0, u'1', 0, false},
        {"12345678901", 11, 0, u',', u',', false},
        {"1234", 4, 0, u'.', u',', false},    // "." is the decimal comma
        {"1234,", 5, 0, u'5', u'5', false},   // first decimal
        {"1234,5", 6, 0, u'6', u'6', true},   // second decimal: on to the next field
        {"1234,56", 7, 0, u'7', 0, false},    // no third
        {"12,3", 1, 0, u',', 0, false},       // a second separator
        {"12,34", 0, 5, u',', u',', false},   // all selected: as in an empty field
        {"12,34", 0, 5, u'9', u'9', false},
        {"12", 2, 0, u'a', 0, false},
        {"12", 2, 0, u' ', 0, false},
        {"12", 2, 0, u'-', 0, false},
        {"12", 2, 0, 0x0663, 0, false},   // a digit of another script
        {"12", 2, 0, 8, 8, false},        // backspace passes
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.texto << " at " << c.de << " + " << int(c.tecla));
        const auto d = TMonetario::Digitacao(T(c.texto), c.de, c.tamanho, QChar(c.tecla));
        EXPECT_EQ(d.Caractere, QChar(c.fica));
        EXPECT_EQ(d.SegundaDecimal, c.segunda);
    }
}

TEST(TMonetario, SomaAndSubtraiUsePositiveAmountsWithoutTheLimitOfTypedOnes)
{
    TMonetario a, b, negativo;
    a.SetValor(100000);
    b.SetValor(30000);
    negativo.SetValor(-50000);
    ObservadorRegistrado observador;
    a.AdicionaObservador(observador);
    a.Soma(b);
    a.Subtrai(negativo);
    a.Subtrai(b);
    a.Subtrai(b);
    EXPECT_EQ(a.GetValor(), 70000);
    a.Subtrai(a);
    EXPECT_EQ(a.GetValor(), 0);
    EXPECT_TRUE(observador.Chamadas().isEmpty());
    a.RemoveObservador(observador);

    // Thirteen months at the maximum add up whole; only what 64 bits cannot hold is refused,
    // and the amount then stays as it was.
    TMonetario soma, maximo, um, enorme;
    maximo.SetValor(TMonetario::Maximo);
    um.SetValor(1);
    for (int mes = 1; mes <= 13; ++mes)
        EXPECT_EQ(CodigoLevantado([&] { soma.Soma(maximo); }), 0);
    EXPECT_EQ(soma.GetValor(), 13 * TMonetario::Maximo);
    EXPECT_EQ(soma.GetTextoFormatado(), QStringLiteral("1.299.999.999.999,87"));
    enorme.SetValor(std::numeric_limits<qint64>::max());
    EXPECT_EQ(enorme.GetTextoFormatado(), QStringLiteral("922.337.203.685.477,58"));   // shown whole too
    EXPECT_EQ(CodigoLevantado([&] { soma.Soma(enorme); }), 165);
    EXPECT_EQ(soma.GetValor(), 13 * TMonetario::Maximo);
    soma.SetValor(std::numeric_limits<qint64>::min() + 1);
    EXPECT_EQ(CodigoLevantado([&] { soma.Subtrai(um); }), 0);
    EXPECT_EQ(CodigoLevantado([&] { soma.Subtrai(um); }), 165);
    EXPECT_EQ(soma.GetValor(), std::numeric_limits<qint64>::min());
}

TEST(TMonetario, VerificaLimiteLetsTheMaximumPass)
{
    TMonetario m;
    EXPECT_EQ(CodigoLevantado([&] { m.VerificaLimite(TMonetario::Maximo); }), 0);
    QString parametro = QStringLiteral("?");
    EXPECT_EQ(CodigoLevantado([&] { m.VerificaLimite(TMonetario::Maximo + 1); }, &parametro), 165);
    EXPECT_EQ(parametro, QString());
}

TEST(TNumero, ShowsWholeNumbers)
{
    const struct {
        const char* digitado;
        const char* texto;
        const char* formatado;
    } casos[] = {
        {"1234567", "1234567", "1.234.567"},
        {"12,5", "13", "13"},
        {"12,4", "12", "12"},
        {"0", "0", "0"},
        {"999", "999", "999"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitado);
        TNumero n;
        n.SetTexto(T(c.digitado));
        EXPECT_EQ(n.GetTexto(), T(c.texto));
        EXPECT_EQ(n.GetTextoFormatado(), T(c.formatado));
    }
}

TEST(TDragMonetario, CarriesTheTypedAmount)
{
    const TDragMonetario arrasto(T("1.234,5"));
    EXPECT_EQ(arrasto.Monetario().GetValor(), 12345000);
    EXPECT_EQ(arrasto.text(), T("1234,50"));
    EXPECT_THROW(TDragMonetario(T("100.000.000.000")), EMonetarioInvalido);
}
