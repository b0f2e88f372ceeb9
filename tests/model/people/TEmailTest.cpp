#include <gtest/gtest.h>

#include "model/people/TEmail.h"
#include "model/values/TErro.h"

TEST(TEmail, TheAtSignMustStandBetweenTwoParts)
{
    const struct {
        const char* endereco;
        bool vazioOk;
        int codigo;
    } casos[] = {
        {"a@b", false, 0},  {"fulano@exemplo.com.br", false, 0},
        {"@b", false, 81},  {"a@", false, 81},
        {"a@b@", false, 0},   // only the first at sign counts
        {"ab", false, 81},  {"", false, 81},
        {"", true, 0},      {" a@b ", false, 0},   // stored as typed
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.endereco);
        TEmail email;
        email.SetPermiteVazio(c.vazioOk);
        EXPECT_EQ(email.Valida(QString::fromUtf8(c.endereco)), c.codigo);
    }
    TEmail email;
    email.SetTexto(QStringLiteral(" a@b "));
    EXPECT_EQ(email.GetTexto(), QStringLiteral(" a@b "));
}

TEST(TEmail, ARefusedAddressKeepsTheOldOne)
{
    TEmail email;
    email.SetTexto(QStringLiteral("a@b"));
    try {
        email.SetTexto(QStringLiteral("ab@"));
        ADD_FAILURE() << "no error";
    } catch (const EEmailInvalido& e) {
        EXPECT_EQ(e.Codigo(), 81);
        EXPECT_EQ(e.Parametro(), QStringLiteral("ab@"));
    }
    EXPECT_EQ(email.GetTexto(), QStringLiteral("a@b"));
}

TEST(TEmail, SemExcecaoAndPendingItems)
{
    TErros erros;
    TEmail email;
    email.SetErros(&erros);
    email.SetTextoSemExcecao(QStringLiteral("@x"));
    EXPECT_EQ(email.GetTexto(), QStringLiteral("@x"));
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_NE(dynamic_cast<const EEmailInvalido*>(&erros.Items(0)), nullptr);

    TErros pendencias;
    email.VerificaEmailPendencia(pendencias, QStringLiteral("dono"), QStringLiteral("quem"), 17);
    ASSERT_EQ(pendencias.Count(), 1);
    const TErro& p = pendencias.Items(0);
    EXPECT_EQ(p.Codigo(), 81);
    EXPECT_EQ(p.Parametro(), QStringLiteral("@x"));
    EXPECT_EQ(p.Tipo(), TipoDialogo::Erro);
    EXPECT_EQ(p.Botoes(), Botao::Ok);
    EXPECT_EQ(p.AQuemPertence(), QStringLiteral("dono"));
    EXPECT_EQ(p.QuemEh(), QStringLiteral("quem"));
    EXPECT_EQ(p.Objeto(), 17);
}
