#include "model/statements/TColecaoComprovantePJ.h"

#include "model/ComprovantesDeTeste.h"

TEST_F(ComprovantesDeTeste, CompanyRowsOfLinesGoneAreDeletedAndTheRestStillApplied)
{
    TPruvItem& primeiro = Item(CnpjDeTeste, "1708", "C", 2000);
    Item(CnpjDeTeste, "2100", "C", 700);
    TColecaoComprovantePJ colecao(declaracao);
    auto pj = CarregaPJ();
    ASSERT_EQ(pj->comprovante.QuantidadeLinhas(), 4);
    pj->comprovante.GetLinha(0).SetNatureza(QStringLiteral("JANEIRO"));     // 1708, month 1
    pj->comprovante.GetLinha(3).SetNatureza(QStringLiteral("FEVEREIRO"));   // 2100, month 2
    colecao.Salva(pj->comprovante);
    ASSERT_EQ(LinhasGravadas("ComprPj").size(), 2);

    primeiro.GetValores().GetRendimento(1).SetValor(0);   // January's line of 1708 goes away
    auto lido = CarregaPJ();
    EXPECT_TRUE(lido->achou);
    EXPECT_EQ(lido->comprovante.GetLinha(2).GetNatureza(), QStringLiteral("FEVEREIRO"));
    EXPECT_EQ(LinhasGravadas("ComprPj"), QStringList{QStringLiteral("00001|112223330001|2100|02|FEVEREIRO")});

    // Typing the code's own description again brings the line back to the default: no row.
    lido->comprovante.GetLinha(2).SetNatureza(QStringLiteral("código 2100"));
    colecao.Salva(lido->comprovante);
    EXPECT_TRUE(LinhasGravadas("ComprPj").isEmpty());
    EXPECT_FALSE(colecao.Carrega(CarregaPJ()->comprovante));
}
