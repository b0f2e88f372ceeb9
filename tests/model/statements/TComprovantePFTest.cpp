#include "model/statements/TComprovantePF.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "model/ImprimeQString.h"
#include "model/ItensDeTeste.h"

namespace {

const char* const Cpf = "111.444.777-35";

// One item of the beneficiary: January's amounts and the 13th salary's, in reais.
struct Item {
    const char* codigo;
    const char* regime;
    qint64 rend = 0, ded = 0, imp = 0, rend13 = 0, imp13 = 0, sjRend = 0, sjDed = 0, dep = 0;
    bool anexo = false;
};

void Adiciona(ItensDeTeste& itens, AnexoDeTeste& anexo, const std::vector<Item>& lista, const char* ni = Cpf)
{
    for (const Item& i : lista) {
        TPruvItem& item = itens.Adiciona(ni, i.codigo, i.regime, i.anexo ? &anexo : nullptr);
        TRendimentosTributaveis& v = item.GetValores();
        v.GetRendimento(1).SetValor(Reais(i.rend));
        v.GetDeducao(1).SetValor(Reais(i.ded));
        v.GetImposto(1).SetValor(Reais(i.imp));
        v.GetRendimento(13).SetValor(Reais(i.rend13));
        v.GetImposto(13).SetValor(Reais(i.imp13));
        item.GetSubJudice().GetRendimento(1).SetValor(Reais(i.sjRend));
        item.GetSubJudice().GetDeducao(1).SetValor(Reais(i.sjDed));
        item.GetSubJudice().GetDeposito(1).SetValor(Reais(i.dep));
    }
}

class TComprovantePFTest : public ::testing::Test {
protected:
    DeclaracaoDeTeste declaracao;
    AnexoDeTeste anexo;
    ItensDeTeste itens{declaracao};
    TBeneficiarioPruv beneficiario{&declaracao};
    TComprovantePF comprovante{beneficiario};

    void SetUp() override { beneficiario.SetNi(QString::fromLatin1(Cpf)); }

    void Monta()
    {
        comprovante.Limpa();
        comprovante.AdicionaItens(itens);
    }
};

}   // namespace

TEST_F(TComprovantePFTest, EachRegimeFillsItsBoxes)
{
    Adiciona(itens, anexo,
             {
                 {.codigo = "0561",
                  .regime = "C",
                  .rend = 1000,
                  .ded = 100,
                  .imp = 50,
                  .rend13 = 500,
                  .imp13 = 20,
                  .sjRend = 200,
                  .sjDed = 10,
                  .dep = 30},
                 {.codigo = "6800", .regime = "E", .rend = 300, .imp = 30, .anexo = true},
                 {.codigo = "5936", .regime = "P", .rend = 800, .ded = 40, .imp = 500},
                 {.codigo = "3426", .regime = "F", .rend = 5000},                                // only counted
                 {.codigo = "7777", .regime = "X", .rend = 1200, .rend13 = 100, .imp13 = 150},   // net 13th -50
             });
    Adiciona(itens, anexo, {{.codigo = "0561", .regime = "C", .rend = 9000}}, "529.982.247-25");   // someone else
    Monta();

    TQuadroRendTributaveis& q3 = comprovante.GetQuadro3();
    TQuadroTribExclusiva& q5 = comprovante.GetQuadro5();
    const auto confere = [&](qint64 linha1, qint64 imposto, qint64 exclusivos) {
        const struct {
            const char* nome;
            const TMonetario& valor;
            qint64 reais;
        } casos[] = {
            {"3.01: C income with its sub judice income, plus typed shares", q3.GetLinha1(), linha1},
            {"3.05: C tax with its deposits, plus typed shares", q3.GetTotal(), imposto},
            {"deductions of the declaration: C's, sub judice too", q3.GetDeducoesPruv(), 110},
            {"5.01: net 13th salaries, signs kept", q5.GetLinha1(), 480 - 50},
            {"5.02: E's net income, plus P's exclusive rest", q5.GetLinha2(), exclusivos},
        };
        for (const auto& c : casos) {
            SCOPED_TRACE(c.nome);
            EXPECT_EQ(c.valor.GetValor(), Reais(c.reais));
        }
    };
    confere(1200, 80, 270 + 300);
    EXPECT_EQ(comprovante.QuantidadeItens(), 5);
    EXPECT_TRUE(comprovante.PossuiItemDeclaracao());
    EXPECT_EQ(comprovante.GetNatureza().GetTexto(), QStringLiteral("Código 7777"));   // greatest income
    EXPECT_EQ(comprovante.QuantidadeRendimentosParciais(), 1);
    EXPECT_EQ(comprovante.LocalizaRendimentoParcial(QStringLiteral("5936")), 0);
    EXPECT_EQ(comprovante.LocalizaRendimentoParcial(QStringLiteral("0561")), -1);

    comprovante.SetAlterado(false);
    TRendimentoParcial& parcial = comprovante.GetRendimentoParcial(0);
    parcial.GetRendimentoCompensavel().SetValor(Reais(800));
    parcial.GetImpostoCompensavel().SetValor(Reais(500));
    confere(2000, 580, 270);
    EXPECT_TRUE(comprovante.GetAlterado());   // a typed share is a change to store

    Monta();   // assembled again: the typed shares and their terms are gone, nothing counts twice
    confere(1200, 80, 270 + 300);
    EXPECT_EQ(comprovante.QuantidadeItens(), 5);
}

TEST_F(TComprovantePFTest, ItemsOnlyOfRegimeFLeaveTheStatementEmpty)
{
    Adiciona(itens, anexo,
             {{.codigo = "3426", .regime = "F", .rend = 100, .anexo = true},
              {.codigo = "6800", .regime = "F", .rend = 200, .anexo = true}});
    Monta();
    EXPECT_EQ(comprovante.QuantidadeItens(), 2);
    EXPECT_FALSE(comprovante.PossuiRendimentos() || comprovante.PossuiItemDeclaracao());
    EXPECT_TRUE(comprovante.GetNatureza().GetTexto().isEmpty());
}

TEST_F(TComprovantePFTest, NatureDefaultsToTheFirstGreatestIncome)
{
    Adiciona(itens, anexo,
             {{.codigo = "0561", .regime = "C", .rend = 100}, {.codigo = "0588", .regime = "C", .rend = 100}});
    Monta();
    const struct {
        const char* digitada;
        bool padrao;
    } casos[] = {
        {"", true},   // as assembled: the first of equal incomes
        {"  código 0561 ", true},
        {"Aluguéis", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitada);
        if (*c.digitada)
            comprovante.GetNatureza().SetTexto(QString::fromUtf8(c.digitada));
        EXPECT_EQ(comprovante.GetResumo(), QStringLiteral("Código 0561"));
        EXPECT_EQ(comprovante.NaturezaPadrao(), c.padrao);
        EXPECT_EQ(comprovante.PossuiValores(), !c.padrao);
    }
}

TEST_F(TComprovantePFTest, DeductionsDifferByWholeAllowances)
{
    Adiciona(itens, anexo, {{.codigo = "5936", .regime = "P", .rend = 800, .ded = 107, .imp = 100}});
    Monta();
    const struct {
        const char* ano;
        qint64 linhas;   // lines 2 to 4 together, in cents
        bool parcial;    // a typed share brings the partial item's deductions in
        int codigo;
    } casos[] = {
        {"2002", 2188'00, false, 0},                                  // 212,00 is twice 106,00
        {"2001", 2188'00, false, 166}, {"2001", 2220'00, false, 0},   // 180,00 is twice 90,00
        {"1997", 2220'00, false, 0},   {"2003", 2189'00, false, 166}, {"2002", 2400'00, false, 0},   // no difference
        {"2002", 2400'01, false, 167}, {"2002", 2401'00, true, 0},                                   // -1,00 + 107,00
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ano) + " " + std::to_string(c.linhas));
        declaracao.SetAno(QString::fromLatin1(c.ano));
        TQuadroRendTributaveis& q3 = comprovante.GetQuadro3();
        q3.GetDeducoesPruv().SetValor(Reais(2400));
        q3.GetLinha2().SetValor(Reais(1000));
        q3.GetLinha3().SetValor(Reais(1000));
        q3.GetLinha4().SetValor(Reais(0, c.linhas) - Reais(2000));
        comprovante.GetRendimentoParcial(0).GetRendimentoCompensavel().SetValor(c.parcial ? Reais(1) : 0);
        EXPECT_EQ(comprovante.VerificaDeducoes(), c.codigo);
        EXPECT_EQ(comprovante.PodeImprimir(), c.codigo != 167);
    }
}

TEST_F(TComprovantePFTest, TypedSharesAreBroughtWithinTheItem)
{
    Adiciona(itens, anexo,
             {{.codigo = "5936", .regime = "P", .rend = 800, .imp = 500},
              {.codigo = "1895", .regime = "P", .rend = 800, .imp = 900}});
    Monta();
    const struct {
        int linha;
        qint64 rend, imp, rendAjustado, impAjustado;
    } casos[] = {
        {0, 1000, 300, 800, 500},   // income capped, then the exclusive tax moves into the share
        {0, 500, 600, 500, 500},    // tax capped by the item's tax
        {0, 200, 300, 200, 200},    // tax share not above the income share
        {1, 100, 0, 100, 200},      // more exclusive tax than exclusive income
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.rend) + "/" + std::to_string(c.imp));
        TRendimentoParcial& p = comprovante.GetRendimentoParcial(c.linha);
        p.GetRendimentoCompensavel().SetValor(Reais(c.rend));
        p.GetImpostoCompensavel().SetValor(Reais(c.imp));
        comprovante.AjustaRendimentoParcial(c.linha);
        EXPECT_EQ(p.GetRendimentoCompensavel().GetValor(), Reais(c.rendAjustado));
        EXPECT_EQ(p.GetImpostoCompensavel().GetValor(), Reais(c.impAjustado));
    }
    EXPECT_NO_THROW(comprovante.AjustaRendimentoParcial(2));
}

TEST_F(TComprovantePFTest, ComplementaryLinesNeedTwoOrMore)
{
    const QString cabecalho = QStringLiteral("Os rendimentos seguintes estão informados nas linhas 3.01 e/ou 5.02:");
    const struct {
        const char* nome;
        std::vector<Item> itens;
        QStringList esperado;
    } casos[] = {
        {"one income line", {{.codigo = "0561", .regime = "C", .rend = 1000}}, {}},
        {"no income at all: no heading alone", {{.codigo = "0561", .regime = "C", .ded = 10}}, {}},
        {"two income lines",
         {{.codigo = "0561", .regime = "C", .rend = 1000}, {.codigo = "6800", .regime = "E", .rend = 300}},
         {cabecalho, QStringLiteral(" - Código 0561: R$ 1.000,00"), QStringLiteral(" - Código 6800: R$ 300,00")}},
        {"a suspended part",
         {{.codigo = "0561", .regime = "C", .rend = 1000, .sjRend = 234, .dep = 12}},
         {cabecalho, QStringLiteral(" - Código 0561: R$ 1.234,00"),
          QStringLiteral("      ** Parcela com exigibilidade suspensa: R$ 234,00   Deposito Judicial: R$ 12,00")}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        ItensDeTeste outros(declaracao);
        TComprovantePF pf(beneficiario);
        Adiciona(outros, anexo, c.itens);
        pf.AdicionaItens(outros);
        QStringList linhas{QStringLiteral("Texto do usuário")};
        pf.MontaInformacoesComplementares(linhas);
        EXPECT_EQ(linhas, QStringList{QStringLiteral("Texto do usuário")} + c.esperado);
    }
}
