#include "model/statements/TColecaoCompensavel.h"

#include "model/ComprovantesDeTeste.h"

namespace {

void Compensa(TComprovantePF& pf, int linha, qint64 rend, qint64 imp)
{
    pf.GetRendimentoParcial(linha).GetRendimentoCompensavel().SetValor(rend);
    pf.GetRendimentoParcial(linha).GetImpostoCompensavel().SetValor(imp);
}

}   // namespace

TEST_F(ComprovantesDeTeste, CompensableRowOfACodeGoneIsDeletedAndTheNextStillApplied)
{
    TPruvItem& primeiro = Item(CpfDeTeste, "5936", "P", 800, 500);
    Item(CpfDeTeste, "8045", "P", 400, 100);
    TColecaoCompensavel colecao(declaracao);
    auto pf = CarregaPF();
    Compensa(pf->comprovante, 0, Reais(300), Reais(100));
    Compensa(pf->comprovante, 1, Reais(0, 29), Reais(0, 1));
    colecao.Salva(pf->comprovante);
    ASSERT_EQ(LinhasGravadas("Compvel").size(), 2);

    primeiro.GetCodigoRetencao().SetRegime(QStringLiteral("C"));   // no partial line for 5936 now
    auto lido = CarregaPF();
    ASSERT_EQ(lido->comprovante.QuantidadeRendimentosParciais(), 1);
    EXPECT_EQ(lido->comprovante.GetRendimentoParcial(0).GetRendimentoCompensavel().GetValor(), Reais(0, 29));
    EXPECT_EQ(lido->comprovante.GetRendimentoParcial(0).GetImpostoCompensavel().GetValor(), Reais(0, 1));
    EXPECT_EQ(LinhasGravadas("Compvel"), QStringList{QStringLiteral("00001|111444777|8045|2900|100")});
}

TEST_F(ComprovantesDeTeste, CompensableSharesBackToZeroLoseTheirRowAndUnchangedLinesAreNotWritten)
{
    Item(CpfDeTeste, "5936", "P", 800, 500);
    TColecaoCompensavel colecao(declaracao);
    auto pf = CarregaPF();
    Compensa(pf->comprovante, 0, Reais(300), Reais(100));
    colecao.Salva(pf->comprovante);

    // Loaded before another save changes the row, and saved unchanged afterwards.
    auto parado = CarregaPF();
    auto outro = CarregaPF();
    Compensa(outro->comprovante, 0, Reais(200), Reais(50));
    colecao.Salva(outro->comprovante);
    colecao.Salva(parado->comprovante);
    EXPECT_EQ(LinhasGravadas("Compvel"), QStringList{QStringLiteral("00001|111444777|5936|2000000|500000")});

    Compensa(outro->comprovante, 0, 0, 0);
    colecao.Salva(outro->comprovante);
    EXPECT_TRUE(LinhasGravadas("Compvel").isEmpty());
}
