#include <gtest/gtest.h>

#include "model/values/TErro.h"
#include "model/people/TNomeContribuinte.h"
#include "model/ImprimeQString.h"
#include "model/ObservadorRegistrado.h"

namespace {

struct CasoNome {
    const char* nome;
    int codigo;
};

void Confere(std::uint8_t tipo, std::initializer_list<CasoNome> casos)
{
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        QString nome = QString::fromUtf8(c.nome);
        EXPECT_EQ(ConfereNome(nome, tipo, false), c.codigo);
    }
}

}   // namespace

TEST(ConfereNome, PersonRules)
{
    Confere(1,
            {
                {"Ana", 0},   // one word is enough
                {"A", 123},   // but not one letter
                {"A Silva", 0},
                {"", 123},
                {"   ", 123},
                {"José D'Ávila Júnior", 0},
                {"João Paulo II", 0},
                {"João Paulo III", 0},   // III closes a name
                {"João Paulo IIII", 125},
                {"João III Souza", 125},   // but nowhere else
                {"Maria Essstela", 125},
                {"Aaa Silva", 0},   // bytes differ: A and a
                {"Anna Maria", 0},
                {"Maria Silva2", 126},
                {"Maria & Filhos", 128},
                {"Maria-Silva", 128},
                {"Maria\tSilva", 128},                      // control character inside
                {"Ñandu Silva", 128},                       // an accent outside the set
                {"Maria Abcdefghijklmnopqrst", 0},          // twenty letters
                {"Maria Abcdefghijklmnopqrstu", 124},       // twenty-one
                {"a b c d e f g h i j k l m n o", 0},       // fifteen words
                {"a b c d e f g h i j k l m n o p", 122},   // sixteen
                {"Dr. Álvaro Ítalo Ülrich Çelso Õnio", 0},
            });
}

TEST(ConfereNome, LegalEntityRules)
{
    for (std::uint8_t tipo : {0, 2}) {
        SCOPED_TRACE(tipo);
        Confere(tipo,
                {
                    {"Açougue & Cia. Ltda", 0},
                    {"3M do Brasil", 0},   // digits allowed
                    {"Me", 78},            // two characters
                    {"ABC", 0},
                    {"a@b.com/x-y,z\\w 'q'", 0},
                    {"Loja #1", 128},
                    {"Loja (centro)", 128},
                    {"", 78},
                });
    }
}

TEST(ConfereNome, NormalisesBlanksInPlace)
{
    const struct {
        const char* entrada;
        int tipo;
        bool vazioOk;
        const char* normalizado;
        int codigo;
    } casos[] = {
        {"  Maria    da   Silva  ", 1, false, "Maria da Silva", 0},
        {"\t Acme  Ltda\r\n", 2, false, "Acme Ltda", 0},
        {"   ", 1, true, "", 0},
        {"  Ana  9  ", 1, false, "Ana 9", 126},   // normalised even when refused
        {"x", 7, false, "x", 0},                  // an unknown kind checks nothing
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.entrada);
        QString nome = QString::fromUtf8(c.entrada);
        EXPECT_EQ(ConfereNome(nome, static_cast<std::uint8_t>(c.tipo), c.vazioOk), c.codigo);
        EXPECT_EQ(nome, QString::fromUtf8(c.normalizado));
    }
}

TEST(TNomeContribuinte, RefusedNameChangesNothing)
{
    TNomeContribuinte nome(1);
    nome.SetTexto(QStringLiteral(" Ana   Maria "));
    EXPECT_EQ(nome.GetTexto(), QStringLiteral("Ana Maria"));

    ObservadorRegistrado observador;
    nome.AdicionaObservador(observador);
    try {
        nome.SetTexto(QStringLiteral("Ana  2"));
        FAIL() << "no error raised";
    } catch (const EContribuinteInvalido& e) {
        EXPECT_EQ(e.Codigo(), 126);
        EXPECT_EQ(e.Parametro(), QStringLiteral("Ana 2"));
        EXPECT_EQ(e.HelpCtx(), 0);
    }
    EXPECT_EQ(nome.GetTexto(), QStringLiteral("Ana Maria"));
    EXPECT_TRUE(observador.Chamadas().isEmpty());
    nome.RemoveObservador(observador);
}

TEST(TNomeContribuinte, SemExcecaoStoresAndReports)
{
    TErros erros;
    TNomeContribuinte nome(2);
    nome.SetErros(&erros);
    nome.SetNomeSemExcecao(QStringLiteral(" X "));
    EXPECT_EQ(nome.GetTexto(), QStringLiteral("X"));
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_EQ(erros.Items(0).Codigo(), 78);
    EXPECT_EQ(erros.Items(0).Parametro(), QStringLiteral("X"));

    nome.SetNomeSemExcecao(QStringLiteral("Acme"));
    EXPECT_EQ(erros.Count(), 1);

    TNomeContribuinte semSorvedouro(2);
    EXPECT_THROW(semSorvedouro.SetNomeSemExcecao(QStringLiteral("X")), EContribuinteInvalido);
    EXPECT_EQ(semSorvedouro.GetTexto(), QStringLiteral("X"));   // stored all the same
}

// A name given again (the items of one beneficiary, lines of a file) is checked once, yet each
// setting reports its fault and stores the normalised name; a change of kind or of the rule for
// blanks checks it anew.
TEST(TNomeContribuinte, ANameGivenAgainIsReportedAgainAndFollowsItsKind)
{
    TErros erros;
    TNomeContribuinte nome(1);
    nome.SetErros(&erros);
    for (int vez = 0; vez < 3; ++vez) {
        nome.Limpa();
        nome.SetNomeSemExcecao(QStringLiteral(" Ana  9 "));
        EXPECT_EQ(nome.GetTexto(), QStringLiteral("Ana 9"));
    }
    ASSERT_EQ(erros.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(erros.Items(i).Codigo(), 126);

    nome.SetTipo(2);   // digits are a company's
    nome.SetNomeSemExcecao(QStringLiteral(" Ana  9 "));
    EXPECT_EQ(erros.Count(), 3);
    nome.SetTipo(1);
    EXPECT_THROW(nome.SetTexto(QStringLiteral(" Ana  9 ")), EContribuinteInvalido);
    EXPECT_EQ(nome.GetTexto(), QStringLiteral("Ana 9"));

    nome.SetNomeSemExcecao(QStringLiteral("   "));
    EXPECT_EQ(erros.Items(erros.Count() - 1).Codigo(), 123);
    const int antes = erros.Count();
    nome.SetPermiteVazio(true);
    nome.SetNomeSemExcecao(QStringLiteral("   "));
    EXPECT_EQ(erros.Count(), antes);
    EXPECT_TRUE(nome.GetTexto().isEmpty());
}
