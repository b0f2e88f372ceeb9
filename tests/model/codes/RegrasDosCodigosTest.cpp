#include "model/codes/RegrasDosCodigos.h"

#include <gtest/gtest.h>

namespace {

QString T(const char* texto)
{
    return QString::fromLatin1(texto);
}

}   // namespace

TEST(RegrasDosCodigos, ThirteenthSalaryByCodeAndYear)
{
    const struct {
        const char* codigo;
        const char* ano;
        bool mantem;
    } casos[] = {
        {"0561", "1999", true}, {"0561", "2003", true}, {"0588", "2001", false},
        {"0588", "2002", true}, {"0588", "2003", true}, {"3208", "2002", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.codigo << " " << c.ano);
        EXPECT_EQ(RegrasDosCodigos::DecimoTerceiro(T(c.codigo), T(c.ano)), c.mantem);
    }
}

TEST(RegrasDosCodigos, CodesEndedByTheActAndTheirMessages)
{
    const struct {
        const char* codigo;
        bool pessoaFisica;
        int mensagem;
    } casos[] = {
        {"8045", true, 170},  {"8045", false, 0},  {"6799", true, 171}, {"6799", false, 171},
        {"3249", false, 171}, {"3251", true, 171}, {"0561", true, 0},   {"804", true, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.codigo << " " << c.pessoaFisica);
        EXPECT_EQ(RegrasDosCodigos::MensagemAde(T(c.codigo), [&c] { return c.pessoaFisica; }), c.mensagem);
    }
}

TEST(RegrasDosCodigos, TheBeneficiaryIsAskedOnlyForACodeEndedForPersons)
{
    int perguntas = 0;
    const auto pergunta = [&perguntas] {
        ++perguntas;
        return true;
    };
    EXPECT_EQ(RegrasDosCodigos::MensagemAde(T("6799"), pergunta), 171);
    EXPECT_EQ(RegrasDosCodigos::MensagemAde(T("0561"), pergunta), 0);
    EXPECT_EQ(perguntas, 0);
    EXPECT_EQ(RegrasDosCodigos::MensagemAde(T("8045"), pergunta), 170);
    EXPECT_EQ(perguntas, 1);
}

TEST(RegrasDosCodigos, TheChecksApplyTheActFrom2002OnTheGridOnlyIn2002)
{
    const struct {
        const char* ano;
        bool verificacoes;
        bool digitacao;
    } casos[] = {{"2001", false, false}, {"2002", true, true}, {"2003", true, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        EXPECT_EQ(RegrasDosCodigos::AdeNasVerificacoes(T(c.ano)), c.verificacoes);
        EXPECT_EQ(RegrasDosCodigos::AdeNaDigitacao(T(c.ano)), c.digitacao);
    }
}
