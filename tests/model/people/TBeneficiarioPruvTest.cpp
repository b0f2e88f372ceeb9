#include "model/people/TBeneficiarioPruv.h"

#include <gtest/gtest.h>

#include "model/values/TErro.h"
#include "model/DeclaracaoDeTeste.h"

TEST(TBeneficiarioPruv, CheckNeedsADeclaration)
{
    DeclaracaoDeTeste declaracao;
    const struct {
        const char* nome;
        IDeclaracao* declaracao;
        const char* ni;
        int codigo;
    } casos[] = {
        {"with a declaration", &declaracao, "111.444.777-35", 0},
        {"without one", nullptr, "111.444.777-35", 12},
        {"the number's fault first", nullptr, "111.444.777-36", 66},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        TErros erros;
        TBeneficiarioPruv beneficiario(c.declaracao);
        beneficiario.SetErros(&erros);
        beneficiario.SetNiSemExcecao(QString::fromLatin1(c.ni));
        beneficiario.Nome().SetTexto(QStringLiteral("Ana Souza"));
        EXPECT_EQ(beneficiario.Verifica(), c.codigo);
    }
}

TEST(TBeneficiarioPruv, TakesTheDeclarationsSinkAndFollowsTheNumbersKind)
{
    DeclaracaoDeTeste declaracao;
    TErros erros;
    declaracao.SetErros(&erros);
    TBeneficiarioPruv beneficiario(&declaracao);
    EXPECT_EQ(beneficiario.Erros(), &erros);
    beneficiario.SetNi(QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(beneficiario.TipoAtual(), TNiContribuinte::Cnpj);
    EXPECT_EQ(beneficiario.TipoArmazenado(), QStringLiteral("2"));
    beneficiario.SetNiSemExcecao(QStringLiteral("111.444.777-36"));
    EXPECT_EQ(beneficiario.TipoAtual(), TNiContribuinte::Cpf);
    EXPECT_EQ(beneficiario.TipoArmazenado(), QStringLiteral("1"));
    EXPECT_EQ(erros.Count(), 1);
    beneficiario.SetNiSemExcecao(QStringLiteral("1234567890"));   // ten digits: neither kind
    EXPECT_EQ(beneficiario.TipoArmazenado(), QStringLiteral("0"));
}
