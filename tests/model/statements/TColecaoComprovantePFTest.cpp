#include "model/statements/TColecaoComprovantePF.h"

#include "model/ComprovantesDeTeste.h"
#include "model/values/TErro.h"

namespace {

class TColecaoComprovantePFTest : public ComprovantesDeTeste {
protected:
    void SetUp() override
    {
        ComprovantesDeTeste::SetUp();
        Item(CpfDeTeste, "0561", "C", 5000, 400);
    }
};

}   // namespace

TEST_F(TColecaoComprovantePFTest, DefaultNatureIsStoredEmptyAndReadBackAsTheDefault)
{
    TColecaoComprovantePF colecao(declaracao);
    auto pf = CarregaPF();
    pf->comprovante.GetNatureza().SetTexto(QStringLiteral("  código 0561 "));   // the default, typed again
    pf->comprovante.GetQuadro4().GetLinha2().SetValor(Reais(10));
    colecao.Salva(pf->comprovante);
    EXPECT_EQ(LinhasGravadas("ComprPf"), QStringList{QStringLiteral("00001|111444777||0|0|0|0|100000|0|0|0|0|0|")});

    auto lido = CarregaPF();
    EXPECT_EQ(lido->comprovante.GetNatureza().GetTexto(), QStringLiteral("Código 0561"));
    EXPECT_EQ(lido->comprovante.GetQuadro4().GetLinha2().GetValor(), Reais(10));
}

TEST_F(TColecaoComprovantePFTest, StatementWithoutARowLosesItsTypedBoxesButKeepsItsNature)
{
    TColecaoComprovantePF colecao(declaracao);
    auto pf = CarregaPF();
    TComprovantePF& c = pf->comprovante;
    c.GetNatureza().SetTexto(QStringLiteral("OUTRA"));
    c.GetQuadro3().GetLinha3().SetValor(Reais(5));
    c.GetQuadro4().GetLinha7().SetValor(Reais(6));
    c.GetQuadro4().GetDescricaoLinha8().SetTexto(QStringLiteral("X"));
    EXPECT_FALSE(colecao.Carrega(c));
    EXPECT_EQ(c.GetNatureza().GetTexto(), QStringLiteral("OUTRA"));
    EXPECT_EQ(c.GetQuadro3().GetLinha3().GetValor(), 0);
    EXPECT_EQ(c.GetQuadro4().GetLinha7().GetValor(), 0);
    EXPECT_EQ(c.GetQuadro4().GetDescricaoLinha8().GetTexto(), QString());
}

TEST_F(TColecaoComprovantePFTest, RowOfAnotherDeclarationIsRefused)
{
    TColecaoComprovantePF colecao(declaracao);
    auto pf = CarregaPF();
    pf->comprovante.GetQuadro3().GetLinha2().SetValor(Reais(1));
    colecao.Salva(pf->comprovante);

    DeclaracaoDeTeste outra;
    outra.SetChave(QStringLiteral("00002"));
    TBeneficiarioPruv beneficiario(&outra);
    beneficiario.SetNi(QString::fromLatin1(CpfDeTeste));
    TComprovantePF alheio(beneficiario);
    colecao.FiltraDeclaracao();
    try {
        colecao.PrimeiroRegistro(alheio);
        FAIL() << "no error";
    } catch (const EColecaoError& e) {
        EXPECT_EQ(e.Codigo(), 21);
        EXPECT_EQ(e.GetMensagem(), QStringLiteral("Este beneficiário não pertence a esta Pruv."));
    }
}
