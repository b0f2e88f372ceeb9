#include <QPushButton>
#include <gtest/gtest.h>

#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/TFoCalculaResumo.h"

namespace {

class TFoCalculaResumoTest : public PruvDeTeste {};

}  // namespace

TEST_F(TFoCalculaResumoTest, TheTotalsOfEveryItemAreComputedAndStoredOrNothingOnCancel)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "3208", CpfBeneficiario, 250);
    for (bool cancela : {true, false}) {
        SCOPED_TRACE(cancela);
        TPruv lida;
        lida.SetErros(&erros);
        lida.GetDeclarante().SetNi(Matriz);
        lida.SetAno(QStringLiteral("2002"));
        ASSERT_TRUE(colecao->Carrega(lida));
        lida.GetResumo().SetOK(false);
        if (cancela)
            AoAbrir<QDialog>("FoCalculaResumo", [](QDialog& d) { d.findChild<QPushButton*>("BbCancelar")->click(); });
        const int resultado = TFoCalculaResumo::CalculaResumo(lida, nullptr);
        EXPECT_EQ(resultado, cancela ? 2 : 1);
        EXPECT_EQ(lida.GetResumo().GetOK(), !cancela);
        if (!cancela) {
            EXPECT_EQ(lida.GetResumo().TOT_BENEF().GetValor(), 2 * TMonetario::Escala);
            EXPECT_EQ(lida.GetResumo().TOT_REND().GetValor(), 1250 * TMonetario::Escala);
            EXPECT_EQ(lida.GetResumo().TOT_IRRF().GetValor(), 125 * TMonetario::Escala);
        }
    }
}
