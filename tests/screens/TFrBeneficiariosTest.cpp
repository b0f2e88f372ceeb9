#include <QClipboard>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "components/controls/TdvDBLookupCombo.h"
#include "model/TColecaoPruvItem.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/TFrBeneficiarios.h"
#include "screens/TPruvEdit.h"
#include "screens/TPruvGridMeses.h"

namespace {

using P = TPaginaDeclaracao;

// The beneficiaries page of a stored declaration, driven through the main window.
class TFrBeneficiariosTest : public DeclaracaoAbertaDeTeste {
protected:
    std::unique_ptr<TPruv> pruv;

    void AbrePagina(const char* ano = "2002")
    {
        Inicia();
        Abre(Matriz, ano);
        quadro->AtivaPagina(P::Beneficiarios);
        QApplication::processEvents();
    }
    TFrBeneficiarios& Pagina() const { return quadro->Beneficiarios(); }
    // The annex page has fields of the same names.
    template <class W = QWidget>
    W* Campo(const char* nome) const
    {
        return Pagina().findChild<W*>(QLatin1String(nome));
    }
    // Types into a cell of the grid, leaving it downwards.
    void Celula(const char* grade, int coluna, int linha, const QString& texto) const
    {
        auto* g = Campo<TPruvGridMeses>(grade);
        g->setFocus();
        QApplication::processEvents();
        g->SelecionaCelula(coluna, linha);
        QTest::keyClicks(g, texto);
        QTest::keyClick(g, Qt::Key_Down);
        QApplication::processEvents();
    }
    void Clica(const char* botao) const
    {
        Campo<QToolButton>(botao)->click();
        QApplication::processEvents();
    }
    [[nodiscard]] bool Ficha(const char* nome) const
    {
        auto* fichas = Campo<QTabWidget>("PCPruvItem");
        return fichas->isTabVisible(fichas->indexOf(Campo(nome)));
    }
    [[nodiscard]] QString Codigo() const { return Campo<TdvDBLookupCombo>("DblcCodRet")->Text(); }
    [[nodiscard]] QString Ni() const { return Pagina().Item()->GetBeneficiario().GetNi(); }
    [[nodiscard]] qint64 Rendimento(int mes) const
    {
        return Pagina().Item()->GetValores().GetRendimento(mes).GetValor();
    }
};

}  // namespace

TEST_F(TFrBeneficiariosTest, AnItemIsTypedKeyFirstThenItsValuesAndStored)
{
    pruv = Armazenada(Matriz);
    AbrePagina();
    EXPECT_TRUE(Pagina().Item()->GetChave().isEmpty());   // opens on a new item
    EXPECT_FALSE(Campo("BbDelete")->isEnabled());

    Digita(Campo("DeCpfCnpjBenef"), CpfBeneficiario);   // no code yet: back to the code
    QApplication::processEvents();
    EXPECT_EQ(Foco(), QStringLiteral("DblcCodRet"));

    Digita(Campo("DblcCodRet"), QStringLiteral("0561"));
    Tab(Campo("DblcCodRet"));
    EXPECT_EQ(Foco(), QStringLiteral("DeCpfCnpjBenef"));
    Digita(Campo("DeCpfCnpjBenef"), CpfBeneficiario);
    Tab(Campo("DeCpfCnpjBenef"));
    Digita(Campo("DeNomeBenef"), QStringLiteral("JOAO DE SOUZA"));
    Tab(Campo("DeNomeBenef"));
    EXPECT_EQ(Linhas("PruvItem"), 1);   // the key and the name store the item
    EXPECT_FALSE(Pagina().Item()->GetChave().isEmpty());
    EXPECT_EQ(Campo<TPruvGridMeses>("DgrRendimentos")->RowCount(), 15);   // 0561 keeps a 13th salary
    EXPECT_TRUE(Ficha("TSSubJudice"));

    Celula("DgrRendimentos", 1, 1, QStringLiteral("1000"));
    Celula("DgrRendimentos", 1, 14, QStringLiteral("500"));   // the 13th salary
    Clica("BbAdd");
    EXPECT_TRUE(Pagina().Item()->GetChave().isEmpty());
    EXPECT_EQ(Codigo(), QStringLiteral("0561"));   // the code stays for the next one
    Clica("BbPrior");
    EXPECT_EQ(Ni(), CpfBeneficiario);
    EXPECT_EQ(Rendimento(1), 1000 * TMonetario::Escala);
    EXPECT_EQ(Rendimento(13), 500 * TMonetario::Escala);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFrBeneficiariosTest, TheCodeDecidesTheMonthsTheDeductionsAndTheJudicialTabs)
{
    const struct {
        const char* ano;
        const char* codigo;
        bool cnpj;
        int linhas, colunas;
        bool judicial;
    } casos[] = {
        {"2001", "0588", false, 14, 4, true},
        {"2002", "0588", false, 15, 4, true},
        {"2001", "0561", false, 15, 4, true},
        {"2002", "3208", false, 14, 4, true},
        {"2002", "1708", true, 14, 3, false},   // legal entities only: no deductions, no judicial tabs
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ano << " " << c.codigo);
        pruv = Armazenada(Matriz, c.ano);
        Item(*pruv, *pruv, c.codigo, c.cnpj ? Outra : CpfBeneficiario);
        pruv.reset();
        AbrePagina(c.ano);
        EXPECT_TRUE(Campo("BbFirst")->isEnabled());
        Clica("BbFirst");
        EXPECT_FALSE(Pagina().Item()->GetChave().isEmpty()) << Linhas("PruvItem");
        EXPECT_EQ(Codigo(), QLatin1String(c.codigo));
        EXPECT_EQ(Campo<TPruvGridMeses>("DgrRendimentos")->RowCount(), c.linhas);
        EXPECT_EQ(Campo<TPruvGridMeses>("DgrRendimentos")->ColCount(), c.colunas);
        EXPECT_EQ(Ficha("TSCompensacao"), c.judicial);
        EXPECT_EQ(Ficha("TSSubJudice"), c.judicial);
        ASSERT_TRUE(janela->FecharDeclaracao());
        colecao->Exclui(*Lida(Matriz, c.ano));
    }
}

TEST_F(TFrBeneficiariosTest, ASaveThatFailsKeepsTheUserOnTheItemWithItsEdits)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    Item(*pruv, *pruv, "0561", NumeroDe("333444555"));
    pruv.reset();
    AbrePagina();
    Clica("BbFirst");
    Celula("DgrRendimentos", 1, 2, QStringLiteral("777"));
    TDatabase::DaPasta(DiretorioDados())->FalhaNaProximaEscrita();
    Clica("BbNext");
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{141});
    EXPECT_EQ(Ni(), CpfBeneficiario);   // still here, with the edit
    EXPECT_EQ(Rendimento(2), 777 * TMonetario::Escala);
    dialogos.Limpa();
    Clica("BbNext");
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_EQ(Ni(), NumeroDe("333444555"));
    Clica("BbFirst");
    EXPECT_EQ(Rendimento(2), 777 * TMonetario::Escala);
}

TEST_F(TFrBeneficiariosTest, DeletingAsksAndReplacingADuplicateIsOneChange)
{
    const QString segundo = NumeroDe("333444555");
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "0561", segundo, 2000);
    Item(*pruv, *pruv, "3208", segundo, 3000);
    pruv.reset();
    AbrePagina();

    // A new item is only dropped.
    Clica("BbDelete");
    EXPECT_TRUE(dialogos.Mensagens().empty());

    // The second item takes the first one's beneficiary: replacing it, No keeps both.
    Clica("BbFirst");
    Clica("BbNext");
    for (Resposta resposta : {Resposta::Nao, Resposta::Sim}) {
        SCOPED_TRACE(static_cast<int>(resposta));
        dialogos.Limpa();
        dialogos.Responde(resposta);
        Digita(Campo("DeCpfCnpjBenef"), CpfBeneficiario);
        Clica("BbNext");
        ASSERT_EQ(dialogos.Codigos(), std::vector<int>{76});
    }
    EXPECT_EQ(Linhas("PruvItem"), 2);
    EXPECT_EQ(Linhas("PruvItem", QStringLiteral("TRIB_TRIBU"), QStringLiteral("0561")), 1);
    Clica("BbFirst");
    EXPECT_EQ(Ni(), CpfBeneficiario);
    EXPECT_EQ(Rendimento(1), 2000 * TMonetario::Escala);   // the replacing item's values

    dialogos.Limpa();
    dialogos.Responde(Resposta::Nao);
    Clica("BbDelete");
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{31});
    EXPECT_TRUE(dialogos.Textos().front().contains(FormataCpf(CpfBeneficiario)));
    EXPECT_EQ(Linhas("PruvItem"), 2);
    dialogos.Responde(Resposta::Sim);
    Clica("BbDelete");
    EXPECT_EQ(Linhas("PruvItem"), 1);
    EXPECT_EQ(Codigo(), QStringLiteral("3208"));   // the row that became current
}

TEST_F(TFrBeneficiariosTest, TheDeclarationIsNotLeftWhileAFocusedCellHoldsWhatTheModelRefuses)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    pruv.reset();
    AbrePagina();
    Clica("BbFirst");
    auto* grade = Campo<TPruvGridMeses>("DgrRendimentos");
    grade->setFocus();
    QApplication::processEvents();
    grade->SelecionaCelula(1, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("123456789012345"));
    QTest::keyClick(grade, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_TRUE(grade->EditorMode());
    EXPECT_FALSE(quadro->PodeSair());
    EXPECT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_FALSE(janela->FecharDeclaracao());
    EXPECT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(Rendimento(2), 0);   // nothing of it reached the item
}

TEST_F(TFrBeneficiariosTest, InAnnexModeTheItemsWaitForAStoredFund)
{
    Armazenada(Outra, "2002", 3);
    Inicia();
    Abre(Outra);
    quadro->AtivaPagina(P::Fundos);
    QApplication::processEvents();
    ASSERT_EQ(quadro->PaginaAtiva(), P::Fundos);
    QWidget& anexo = quadro->BeneficiariosAnexo();
    const auto campo = [&](const char* nome) { return anexo.findChild<QWidget*>(QLatin1String(nome)); };
    for (const char* botao : {"BbFirst", "BbPrior", "BbNext", "BbLast", "BbAdd", "BbDelete", "BbDesfazer"})
        EXPECT_FALSE(campo(botao)->isEnabled()) << botao;
    campo("DgrRendimentos")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Foco(), QStringLiteral("DblcFundos"));

    // A CNPJ that is not valid keeps the user; an empty one for no fund lets go.
    Digita(campo("DblcFundos"), QStringLiteral("12345678000100"));
    EXPECT_FALSE(quadro->PodeSair());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{67});
    static_cast<TdvDBLookupCombo*>(campo("DblcFundos"))->SetText(QString());
    EXPECT_TRUE(quadro->PodeSair());

    // A fund typed with its name is stored, and its items may be typed.
    Digita(campo("DblcFundos"), Fundo);
    Tab(campo("DblcFundos"));
    Digita(campo("DeNomeFundo"), QStringLiteral("FUNDO BETA DE INVESTIMENTO"));
    Tab(campo("DeNomeFundo"));
    EXPECT_EQ(Linhas("Anexo"), 1);
    EXPECT_TRUE(campo("BbAdd")->isEnabled());
    EXPECT_TRUE(campo("BbDeleteFundo")->isEnabled());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{67});
}
