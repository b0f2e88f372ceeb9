#include "model/statements/TColecaoComprovante.h"

#include "model/ComprovantesDeTeste.h"
#include "model/values/TErro.h"

namespace {

class TColecaoComprovanteTest : public ComprovantesDeTeste {
protected:
    // A person's statement with every stored part typed: box 2, boxes 3 and 4, a compensable
    // share and the complementary text.
    void DigitaPF(TComprovantePF& pf, qint64 deducao)
    {
        pf.GetNatureza().SetTexto(QStringLiteral("OUTRA NATUREZA"));
        pf.GetQuadro3().GetLinha2().SetValor(Reais(deducao, 29));
        pf.GetQuadro4().GetLinha1().SetValor(Reais(1000));
        pf.GetQuadro4().GetLinha8().SetValor(Reais(50));
        pf.GetQuadro4().GetDescricaoLinha8().SetTexto(QStringLiteral("BOLSA"));
        pf.GetRendimentoParcial(0).GetRendimentoCompensavel().SetValor(Reais(300));
        pf.GetRendimentoParcial(0).GetImpostoCompensavel().SetValor(Reais(100));
        pf.GetInformacoesComplementares().SetTexto(QStringLiteral("Primeira linha\r\nSegunda linha"));
    }

    void SetUp() override
    {
        ComprovantesDeTeste::SetUp();
        Item(CpfDeTeste, "0561", "C", 5000, 400);
        Item(CpfDeTeste, "5936", "P", 800, 500);
    }
};

}   // namespace

TEST_F(TColecaoComprovanteTest, PersonStatementComesBackAsSaved)
{
    auto vazio = CarregaPF();
    EXPECT_FALSE(vazio->achou);   // nothing stored, yet assembled from the items
    EXPECT_EQ(vazio->comprovante.GetQuadro3().GetLinha1().GetValor(), Reais(10000));

    DigitaPF(vazio->comprovante, 123);
    holder->Salva(vazio->comprovante);

    auto pf = CarregaPF();
    TComprovantePF& c = pf->comprovante;
    EXPECT_TRUE(pf->achou);
    EXPECT_EQ(c.GetNatureza().GetTexto(), QStringLiteral("OUTRA NATUREZA"));
    EXPECT_EQ(c.GetQuadro3().GetLinha2().GetValor(), Reais(123, 29));   // exact: not 123,2899
    EXPECT_EQ(c.GetQuadro4().GetLinha1().GetValor(), Reais(1000));
    EXPECT_EQ(c.GetQuadro4().GetLinha8().GetValor(), Reais(50));
    EXPECT_EQ(c.GetQuadro4().GetDescricaoLinha8().GetTexto(), QStringLiteral("BOLSA"));
    EXPECT_EQ(c.GetRendimentoParcial(0).GetRendimentoCompensavel().GetValor(), Reais(300));
    EXPECT_EQ(c.GetRendimentoParcial(0).GetImpostoCompensavel().GetValor(), Reais(100));
    EXPECT_EQ(c.GetInformacoesComplementares().GetTexto(), QStringLiteral("Primeira linha\r\nSegunda linha"));
    EXPECT_EQ(c.GetQuadro3().GetLinha1().GetValor(), Reais(10000 + 300));
}

TEST_F(TColecaoComprovanteTest, ClearedPersonStatementLosesItsBoxesButKeepsItsOtherParts)
{
    auto pf = CarregaPF();
    DigitaPF(pf->comprovante, 123);
    holder->Salva(pf->comprovante);

    auto limpo = CarregaPF();
    TComprovantePF& c = limpo->comprovante;
    c.GetNatureza().SetTexto(c.GetResumo());
    c.GetQuadro3().GetLinha2().Limpa();
    c.GetQuadro4().Limpa();
    holder->Salva(c);
    EXPECT_TRUE(LinhasGravadas("ComprPf").isEmpty());
    EXPECT_EQ(LinhasGravadas("Compvel").size(), 1);
    EXPECT_EQ(LinhasGravadas("InfoComp").size(), 1);
}

TEST_F(TColecaoComprovanteTest, CompanyStatementKeepsLineNaturesAndBothTexts)
{
    Item(CnpjDeTeste, "1708", "C", 2000, 30);
    Item(CnpjDeTeste, "6147", "C", 900, 10, true);
    auto pj = CarregaPJ();
    EXPECT_FALSE(pj->achou);
    ASSERT_EQ(pj->comprovante.QuantidadeLinhas(), 4);
    pj->comprovante.GetLinha(1).SetNatureza(QStringLiteral(" serviços prestados "));
    pj->comprovante.GetInformacoesComplementares().SetTexto(QStringLiteral("comum"));
    pj->comprovante.GetInformacoesComplementaresIN4().SetTexto(QStringLiteral("órgão federal"));
    holder->Salva(pj->comprovante);
    EXPECT_EQ(LinhasGravadas("ComprPj"), QStringList{QStringLiteral("00001|112223330001|1708|02|SERVIÇOS PRESTADOS")});
    EXPECT_EQ(LinhasGravadas("InfoComp"),
              (QStringList{QStringLiteral("00001|0|2|112223330001|comum"),
                           QStringLiteral("00001|1|2|112223330001|órgão federal")}));

    auto lido = CarregaPJ();
    EXPECT_TRUE(lido->achou);
    EXPECT_EQ(lido->comprovante.GetLinha(1).GetNatureza(), QStringLiteral("SERVIÇOS PRESTADOS"));
    EXPECT_TRUE(lido->comprovante.GetLinha(0).NaturezaPadrao());
    EXPECT_EQ(lido->comprovante.GetInformacoesComplementares().GetTexto(), QStringLiteral("comum"));
    EXPECT_EQ(lido->comprovante.GetInformacoesComplementaresIN4().GetTexto(), QStringLiteral("órgão federal"));

    // Clearing one text deletes only its row.
    lido->comprovante.GetInformacoesComplementaresIN4().Limpa();
    holder->Salva(lido->comprovante);
    EXPECT_EQ(LinhasGravadas("InfoComp"), QStringList{QStringLiteral("00001|0|2|112223330001|comum")});
}

TEST_F(TColecaoComprovanteTest, DeletingStatementsRemovesTheirRowsOnly)
{
    Item(CnpjDeTeste, "1708", "C", 2000, 30);
    auto pf = CarregaPF();
    DigitaPF(pf->comprovante, 123);
    holder->Salva(pf->comprovante);
    auto pj = CarregaPJ();
    pj->comprovante.GetLinha(0).SetNatureza(QStringLiteral("ALUGUEL"));
    pj->comprovante.GetInformacoesComplementaresIN4().SetTexto(QStringLiteral("texto"));
    holder->Salva(pj->comprovante);

    // Another declaration's rows stay when this one's are all deleted.
    DeclaracaoDeTeste outra;
    outra.SetChave(QStringLiteral("00002"));
    TColecaoComprovante daOutra(outra, [this]() -> IItensBeneficiario& { return itens; });
    TBeneficiarioPruv beneficiario(&outra);
    beneficiario.SetNi(QString::fromLatin1(CpfDeTeste));
    TComprovantePF outroPF(beneficiario);
    daOutra.Carrega(outroPF);
    DigitaPF(outroPF, 7);
    daOutra.Salva(outroPF);
    holder->Exclui(CarregaPF()->comprovante);
    holder->Exclui(CarregaPJ()->comprovante);
    const QStringList tabelasVazias{QStringLiteral("ComprPf"), QStringLiteral("ComprPj"), QStringLiteral("Compvel"),
                                    QStringLiteral("InfoComp")};
    QStringList restantes = TodasAsLinhas();
    EXPECT_EQ(restantes.size(), tabelasVazias.size() + 3);   // the other's boxes, share and text
    for (const QString& linha : restantes)
        EXPECT_TRUE(tabelasVazias.contains(linha) || linha.startsWith(QStringLiteral("00002|"))) << linha.toStdString();

    daOutra.ExcluiTodos();
    EXPECT_EQ(TodasAsLinhas(), tabelasVazias);
}

TEST_F(TColecaoComprovanteTest, FailedSaveLeavesEveryTableAsItWas)
{
    Item(CnpjDeTeste, "1708", "C", 2000, 30);
    auto pf = CarregaPF();
    DigitaPF(pf->comprovante, 123);
    holder->Salva(pf->comprovante);
    const QStringList antes = TodasAsLinhas();

    // Every write of the save in turn fails; the last round has no write left to fail.
    auto novo = CarregaPF();
    DigitaPF(novo->comprovante, 456);
    novo->comprovante.GetRendimentoParcial(0).GetRendimentoCompensavel().SetValor(Reais(200));
    novo->comprovante.GetInformacoesComplementares().Limpa();
    for (int falha = 0;; ++falha) {
        SCOPED_TRACE(falha);
        TDatabase::DaPasta(DiretorioDados())->FalhaNaProximaEscrita(falha);
        try {
            holder->Salva(novo->comprovante);
        } catch (const EColecaoError& e) {
            EXPECT_EQ(e.Codigo(), 141);
            EXPECT_EQ(TodasAsLinhas(), antes);
            EXPECT_EQ(CarregaPF()->comprovante.GetQuadro3().GetLinha2().GetValor(), Reais(123, 29));
            continue;
        }
        EXPECT_GE(falha, 3);
        break;
    }
    auto lido = CarregaPF();
    EXPECT_EQ(lido->comprovante.GetQuadro3().GetLinha2().GetValor(), Reais(456, 29));
    EXPECT_EQ(lido->comprovante.GetRendimentoParcial(0).GetRendimentoCompensavel().GetValor(), Reais(200));
    EXPECT_TRUE(LinhasGravadas("InfoComp").isEmpty());
}

TEST_F(TColecaoComprovanteTest, DeclarationStoredAfterTheHolderWasMadeSavesItsRowsOnce)
{
    declaracao.SetChave(QString());
    holder = std::make_unique<TColecaoComprovante>(declaracao, [this]() -> IItensBeneficiario& { return itens; });
    declaracao.SetChave(QStringLiteral("00009"));
    for (qint64 deducao : {10, 20}) {
        auto pf = CarregaPF();
        DigitaPF(pf->comprovante, deducao);
        holder->Salva(pf->comprovante);
    }
    EXPECT_EQ(LinhasGravadas("ComprPf").size(), 1);
    EXPECT_EQ(CarregaPF()->comprovante.GetQuadro3().GetLinha2().GetValor(), Reais(20, 29));
}
