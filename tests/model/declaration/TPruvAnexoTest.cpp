#include "model/declaration/TPruvAnexo.h"

#include <gtest/gtest.h>

#include "model/values/TErro.h"
#include "model/DeclaracaoDeTeste.h"
#include "model/ImprimeQString.h"

TEST(TPruvAnexo, SummaryIsMadeAgainAfterClearing)
{
    AnexoDeTeste anexo;
    anexo.GetResumo().SetOK(true);
    anexo.GetResumo().TOT_REND().SetValor(TMonetario::Escala);
    EXPECT_EQ(anexo.GetResumo().GetDono(), &anexo);
    anexo.GetDeclarante().SetNi(QStringLiteral("11.222.333/0001-81"));
    anexo.LiberaItens();   // no collection was made: nothing happens
    anexo.Limpa();
    EXPECT_TRUE(anexo.GetChave().isEmpty());
    EXPECT_TRUE(anexo.GetDeclarante().GetNi().isEmpty());
    EXPECT_FALSE(anexo.GetResumo().GetOK());
    EXPECT_EQ(anexo.GetResumo().TOT_REND().GetValor(), 0);
}

TEST(TPruvAnexo, CopyTakesKeyDeclarantAndSummary)
{
    TErros erros;
    AnexoDeTeste origem(QStringLiteral("00003"));
    AnexoDeTeste destino(QStringLiteral("00009"));
    destino.SetErros(&erros);
    origem.GetDeclarante().SetNi(QStringLiteral("11.222.333/0001-81"));
    origem.GetDeclarante().Nome().SetTexto(QStringLiteral("Fundo de Teste"));
    origem.GetResumo().SetOK(true);
    origem.GetResumo().TOT_IRRF().SetValor(5 * TMonetario::Escala);
    origem.Copia(destino);
    EXPECT_EQ(destino.GetChave(), QStringLiteral("00003"));
    EXPECT_EQ(destino.GetDeclarante().GetNiFormatado(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(destino.GetDeclarante().Nome().GetTexto(), QStringLiteral("Fundo de Teste"));
    EXPECT_TRUE(destino.GetResumo().GetOK());
    EXPECT_EQ(destino.GetResumo().TOT_IRRF().GetValor(), 5 * TMonetario::Escala);

    AnexoDeTeste semChave{QString()};
    semChave.Copia(destino);
    EXPECT_TRUE(destino.GetChave().isEmpty());
    EXPECT_TRUE(destino.GetDeclarante().GetNi().isEmpty());
    EXPECT_TRUE(erros.Vazia());
}
