#include <gtest/gtest.h>

#include <stdexcept>

#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"
#include "platform/files/TEspacoEmDisco.h"

namespace {
QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
}   // namespace

TEST(Diretorios, FollowTheProgramFolder)
{
    const QString programa = qEnvironmentVariable("PRUV2003_HOME");
    EXPECT_EQ(DiretorioPrograma(), programa);
    EXPECT_EQ(DiretorioDados(), programa + T("/DADOS"));
    EXPECT_EQ(DiretorioTemporario(), programa + T("/DADOS/TEMP"));
}

TEST(RetiraBarraFinal, RemovesEveryTrailingSeparator)
{
    const struct {
        const char* caminho;
        const char* esperado;
    } casos[] = {
        {"/home/u/CopSeg/", "/home/u/CopSeg"},
        {"/home/u/CopSeg//", "/home/u/CopSeg"},
        {"C:\\CopSeg\\", "C:\\CopSeg"},
        {"/home/u", "/home/u"},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caminho);
        EXPECT_EQ(RetiraBarraFinal(T(c.caminho)), T(c.esperado));
    }
}

TEST(VerificaEspacoEmDisco, BelowTheMinimumOrUnknownRaises150)
{
    const struct {
        qint64 livres;
        bool levanta;
    } casos[] = {
        {56199, true}, {56200, false}, {0, true}, {-1, true}, {1'000'000'000, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.livres);
        TEspacoEmDisco::Simulacao disco(c.livres);
        if (!c.levanta) {
            EXPECT_NO_THROW(VerificaEspacoEmDisco());
            continue;
        }
        try {
            VerificaEspacoEmDisco();
            ADD_FAILURE() << "no error";
        } catch (const EEspacoEmDiscoError& e) {
            EXPECT_EQ(e.Codigo(), 150);
            EXPECT_EQ(e.Tipo(), TipoDialogo::Erro);
            EXPECT_EQ(e.Botoes(), Botao::Ok);
            EXPECT_TRUE(e.Parametro().isEmpty());
        }
    }
}

TEST(VerificaEspacoEmDisco, AsksAboutTheDataFolder)
{
    QString consultada;
    TEspacoEmDisco::Simulacao disco([&](const QString& pasta) {
        consultada = pasta;
        return 100000;
    });
    VerificaEspacoEmDisco();
    EXPECT_EQ(consultada, DiretorioDados());
}

TEST(SoNumeros, DigitsOnlyAndDigitsWithSigns)
{
    const struct {
        const char* texto;
        bool numeros;
        bool sinais;
    } casos[] = {
        {"", true, true},     {"0123456789", true, true},  {" 1", false, false},
        {"1 ", false, false}, {"12.345-6/7", false, true}, {"1,5", false, false},
        {"+1", false, false}, {"a", false, false},         {"١", false, false},   // a digit of another script
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(SoNumeros(T(c.texto)), c.numeros);
        EXPECT_EQ(SoNumerosESinais(T(c.texto)), c.sinais);
    }
}

TEST(Palavras, RunsOfBlanksAreOneSeparator)
{
    const struct {
        const char* texto;
        int quantidade;
        int n;
        const char* palavra;
    } casos[] = {
        {"Ana Maria", 2, 2, "Maria"},
        {"Ana Maria", 2, 3, ""},
        {"  Ana    Maria  Silva ", 3, 2, "Maria"},
        {"Ana", 1, 1, "Ana"},
        {"Ana", 1, 0, ""},
        {"", 0, 1, ""},
        {"   ", 0, 1, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(ContaPalavras(T(c.texto)), c.quantidade);
        EXPECT_EQ(ObtemPalavra(T(c.texto), c.n), T(c.palavra));
    }
}

TEST(Preenchimento, ZerosInFrontBlanksBehind)
{
    EXPECT_EQ(ZerosAEsquerda(7, 3), T("007"));
    EXPECT_EQ(ZerosAEsquerda(12345, 3), T("12345"));
    EXPECT_EQ(ZerosAEsquerda(0, 8), T("00000000"));
    EXPECT_EQ(ZerosAEsquerda(4294967295LL, 10), T("4294967295"));
    EXPECT_EQ(ZerosAEsquerda(0, 0), T("0"));
    EXPECT_EQ(ZerosAEsquerda(9223372036854775807LL, 1), T("9223372036854775807"));
    EXPECT_EQ(ZerosAEsquerda(-5, 3), T("0-5"));   // as a number padded as text always was

    EXPECT_EQ(CompletaBrancos(T("abcdef"), 4), T("abcd"));
    EXPECT_EQ(CompletaBrancos(T("ab"), 4), T("ab  "));
    EXPECT_EQ(CompletaBrancos(T(""), 3), T("   "));
    EXPECT_EQ(CompletaBrancos(T("abc"), 0), T(""));

    QString texto = T("ab");
    RepeteCaractere(texto, 3, QLatin1Char('0'));
    EXPECT_EQ(texto, T("ab000"));
    RepeteCaractere(texto, 0, QLatin1Char('x'));
    EXPECT_EQ(texto, T("ab000"));
}

TEST(RetiraZerosEsquerda, OnlyLeadingZeros)
{
    const struct {
        const char* texto;
        const char* esperado;
    } casos[] = {
        {"000", ""}, {"0101", "101"}, {"100", "100"}, {"", ""}, {"011", "11"}, {" 01", " 01"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        QString texto = T(c.texto);
        RetiraZerosEsquerda(texto);
        EXPECT_EQ(texto, T(c.esperado));
    }
}

TEST(FormataValor, WholePartWithZerosAndNeverAnExponent)
{
    const struct {
        int tamanho;
        double valor;
        const char* esperado;
    } casos[] = {
        {15, 123456.0, "000000000123456"},
        {10, 4294967295.0, "4294967295"},
        {5, 2.5, "00002"},
        {5, 0.0, "00000"},
        {3, 12345.0, "12345"},
        {15, 1e15, "1000000000000000"},
        {20, 123456789012345.0, "00000123456789012345"},
        {3, 0.9999999999999999, "001"},   // printed with 15 digits it is 1
        {3, -0.5, "000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.esperado);
        EXPECT_EQ(FormataValor(c.tamanho, c.valor), T(c.esperado));
    }
}

TEST(SomaValores, RoundsToTheDecimalsGiven)
{
    EXPECT_DOUBLE_EQ(SomaValores(18, 2, 0.1, 0.2), 0.3);
    EXPECT_DOUBLE_EQ(SomaValores(18, 2, 1.0, 0.006), 1.01);
    EXPECT_DOUBLE_EQ(SomaValores(18, 0, 123456.0, 1.0), 123457.0);
    EXPECT_DOUBLE_EQ(SomaValores(4, 2, 123.456, 0.0), 123.5);   // four significant digits
    EXPECT_THROW(SomaValores(18, 2, 1e308, 1e308), std::runtime_error);
}

TEST(ExtraiValor, DigitsAreCentsAnythingElseIsKept)
{
    const QString linha = T("x000000000123456abc  00000000000000000007");
    const struct {
        int inicio;
        int tamanho;
        const char* esperado;
    } casos[] = {
        {2, 15, "1234,56"}, {2, 20, "1234,56"},                     // only the first 15 characters count
        {17, 3, "abc"},     {20, 2, "  "},      {22, 20, "0,00"},   // 15 zeros
        {100, 5, ""},       {41, 1, "0,07"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.inicio);
        EXPECT_EQ(ExtraiValor(linha, c.inicio, c.tamanho), T(c.esperado));
    }
}

TEST(NormalizaTexto, UpperCaseWithoutAccentsAndSingleBlanks)
{
    const struct {
        const char* texto;
        bool troca;
        const char* esperado;
    } casos[] = {
        {"  José da Conceição  ", false, "JOSE DA CONCEICAO"},
        {"ÀÁÂÃàáâã ÉÊéê Íí ÓÔÕóôõ ÚÜúü Çç", false, "AAAAAAAA EEEE II OOOOOO UUUU CC"},
        {"Ana   Maria", false, "ANA MARIA"},
        {"D'Ávila S.A.", false, "D'AVILA S.A."},
        {"D'Ávila S.A.", true, "D AVILA S A "},
        {"Cia. . Ltda", true, "CIA LTDA"},
        {"Ñandú ö & 1/2", false, "ÑANDU ö & 1/2"},   // letters outside the list stay as they are
        {"", false, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(NormalizaTexto(T(c.texto), c.troca), T(c.esperado));
    }
}

TEST(Meses, ThirteenNamesFromOne)
{
    EXPECT_EQ(Meses(1), T("Janeiro"));
    EXPECT_EQ(Meses(3), T("Março"));
    EXPECT_EQ(Meses(12), T("Dezembro"));
    EXPECT_EQ(Meses(13), T("13º"));
    EXPECT_EQ(Meses(0), QString());
    EXPECT_EQ(Meses(14), QString());
}
