#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/lookup/TdvPopupGrid.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/widgets/TecladoDeTeste.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TNi.h"
#include "model/values/CodigoMensagem.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "support/FalhasDeDisco.h"
#include "screens/pages/TFoCalculaResumo.h"
#include "screens/pages/TFrComprovante.h"
#include "screens/search/TFoPesquisar.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/grids/TPruvGridMeses.h"

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
    // The page the helpers act on: the declaration's items, or the funds' (Mostra).
    P paginaDeItens = P::Beneficiarios;

    TFrBeneficiarios& Pagina() const
    {
        return paginaDeItens == P::Fundos ? quadro->BeneficiariosAnexo() : quadro->Beneficiarios();
    }
    // The page becomes active; an item page becomes the one the helpers act on.
    void Mostra(P pagina)
    {
        quadro->AtivaPagina(pagina);
        QApplication::processEvents();
        ASSERT_EQ(quadro->PaginaAtiva(), pagina);
        if (pagina == P::Beneficiarios || pagina == P::Fundos)
            paginaDeItens = pagina;
    }
    // The annex page has fields of the same names.
    template <class W = QWidget> W* Campo(const char* nome) const
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
    // The month grid of that name, its tab opened.
    TPruvGridMeses* GradeMostrada(const char* nome) const
    {
        auto* grade = Campo<TPruvGridMeses>(nome);
        Campo<QTabWidget>("PCPruvItem")->setCurrentWidget(grade->parentWidget());
        QApplication::processEvents();
        return grade;
    }
    [[nodiscard]] bool Ficha(const char* nome) const
    {
        auto* fichas = Campo<QTabWidget>("PCPruvItem");
        return fichas->isTabVisible(fichas->indexOf(Campo(nome)));
    }
    // Each message takes the activation for a moment, as the program's message box does: the
    // field, grid or window that showed it loses the focus to it and gets it back.
    void MensagensTomamAJanela()
    {
        dialogos.AoMostrar([](const TMensagemDialogo&) {
            QDialog caixa;
            caixa.setObjectName(QStringLiteral("CaixaDeMensagem"));
            auto* botao = new QPushButton(QStringLiteral("OK"), &caixa);
            QObject::connect(botao, &QPushButton::clicked, &caixa, &QDialog::accept);
            QTimer::singleShot(60, botao, [botao] { botao->click(); });
            caixa.exec();
        });
    }
    // A stored item on 0561 with 1000,00 of income in January, open with its income grid focused
    // on January's tax; no message yet.
    TPruvGridMeses* ImpostoDeJaneiro()
    {
        pruv = Armazenada(Matriz);
        Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
        pruv.reset();
        AbrePagina();
        Clica("BbFirst");
        auto* grade = GradeMostrada("DgrRendimentos");
        grade->setFocus();
        QApplication::processEvents();
        grade->SelecionaCelula(3, 1);
        dialogos.Limpa();
        return grade;
    }
    // A fund administrator's declaration, open: its fund holds the beneficiary under 6800 with
    // 2.000,00; given a code, its own items hold the beneficiary under it with 1.000,00.
    void AbreAdministradora(const char* codigoProprio = nullptr)
    {
        pruv = Armazenada(Outra, "2002", 3);
        if (codigoProprio)
            Item(*pruv, *pruv, codigoProprio, CpfBeneficiario, 1000);
        {
            auto anexo = NovoAnexo(*pruv, Fundo, "", true);
            Item(*pruv, *anexo, "6800", CpfBeneficiario, 2000);
        }
        pruv.reset();
        Inicia();
        Abre(Outra);
    }
    // A new item typed on the page: code, number, name, January's income; then "+" stores it.
    void DigitaItem(const char* codigo, const QString& ni, const char* nome, const char* rendimento)
    {
        if (!Pagina().Item()->GetChave().isEmpty())
            Clica("BbAdd");
        Digita(Campo("DblcCodRet"), QLatin1String(codigo));
        Tab(Campo("DblcCodRet"));
        Digita(Campo("DeCpfCnpjBenef"), ni);
        Tab(Campo("DeCpfCnpjBenef"));
        Digita(Campo("DeNomeBenef"), QLatin1String(nome));
        Tab(Campo("DeNomeBenef"));
        Celula("DgrRendimentos", 1, 1, QLatin1String(rendimento));
        Clica("BbAdd");
    }
    // A new fund typed in the fund bar after its "+".
    void DigitaFundo(const QString& cnpj, const char* nome)
    {
        Clica("BbAddFundo");
        Digita(Campo("DblcFundos"), cnpj);
        Tab(Campo("DblcFundos"));
        Digita(Campo("DeNomeFundo"), QLatin1String(nome));
        Tab(Campo("DeNomeFundo"));
    }
    [[nodiscard]] QString Codigo() const { return Campo<TdvDBLookupCombo>("DblcCodRet")->Text(); }
    [[nodiscard]] QString Ni() const { return Pagina().Item()->GetBeneficiario().GetNi(); }
    [[nodiscard]] qint64 Rendimento(int mes) const
    {
        return Pagina().Item()->GetValores().GetRendimento(mes).GetValor();
    }
};

}   // namespace

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
        {"2001", "0588", false, 14, 4, true}, {"2002", "0588", false, 15, 4, true},
        {"2001", "0561", false, 15, 4, true}, {"2002", "3208", false, 14, 4, true},
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

// Each judicial tab opens on all its columns, none of them scrolled out of sight.
TEST_F(TFrBeneficiariosTest, EveryColumnOfTheMonthGridsShowsWhenItsTabOpens)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    pruv.reset();
    AbrePagina();
    Clica("BbFirst");
    const struct {
        const char* grade;
        std::vector<const char*> titulos;
    } casos[] = {
        {"DgrRendimentos", {"Mês", "Rendimento Tributável", "Deduções", "Imposto Retido"}},
        {"DgcCompensacao", {"Mês", "Imposto Retido", "Ano Calendário", "Anos Anteriores", "Total"}},
        {"DgsSubJudice", {"Mês", "Rendimento Tributável", "Deduções", "IRRF", "Depósito Judicial"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.grade);
        auto* grade = GradeMostrada(c.grade);
        ASSERT_TRUE(grade->isVisible());
        ASSERT_EQ(grade->ColCount(), int(c.titulos.size()));
        for (int coluna = 0; coluna < grade->ColCount(); ++coluna) {
            const TRect r = grade->CellRect(coluna, 0);
            EXPECT_GT(r.Width(), 0) << coluna;
            EXPECT_LE(r.Right, grade->viewport()->width()) << coluna;
            EXPECT_EQ(grade->GetTexto(coluna, 0), QString::fromUtf8(c.titulos[std::size_t(coluna)]));
        }
    }
}

// A year of months at the largest amount a month holds: the totals row shows each total whole.
TEST_F(TFrBeneficiariosTest, TotalsPastTheLargestMonthlyAmountShowWholeInTheGrids)
{
    pruv = Armazenada(Matriz);
    ItemNoMaximo(*pruv, *pruv, "0561", CpfBeneficiario);
    pruv.reset();
    AbrePagina();
    Clica("BbFirst");
    for (const char* nome : {"DgrRendimentos", "DgcCompensacao", "DgsSubJudice"}) {
        SCOPED_TRACE(nome);
        auto* grade = GradeMostrada(nome);
        ASSERT_TRUE(grade->isVisible());
        for (int coluna = 1; coluna < grade->ColCount(); ++coluna) {
            const QString total = grade->GetTexto(coluna, TPruvGridMeses::LinhaTotais);
            SCOPED_TRACE(total.toStdString());
            EXPECT_TRUE(total.endsWith(QStringLiteral(".999,88")) || total.endsWith(QStringLiteral(".999,76"))
                        || total.endsWith(QStringLiteral(".999,64")));
            // The text starts three pixels in from the cell's edge.
            EXPECT_LE(QFontMetrics(grade->font()).horizontalAdvance(total) + 6,
                      grade->CellRect(coluna, TPruvGridMeses::LinhaTotais).Width());
        }
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

// A cell typed and not left is dropped by the buttons that drop the item's edits, clicked (a
// tool button takes no focus) or by their keys: undo shows and keeps the item as stored, and a
// delete never gives what was typed to the item shown next.
TEST_F(TFrBeneficiariosTest, TheButtonsThatDropTheEditsDropTheCellBeingTyped)
{
    const QString segundo = NumeroDe("333444555");
    const struct {
        const char* botao;
        Qt::Key tecla;   // with Alt; none: a click
        bool excluido;
    } casos[] = {
        {"BbDesfazer", Qt::Key_unknown, false},
        {"BbDesfazer", Qt::Key_Backspace, false},
        {"BbDelete", Qt::Key_unknown, true},
        {"BbDelete", Qt::Key_Delete, true},
    };
    // The stored January of each beneficiary, -1 for none.
    const auto janeiro = [this](const QString& ni) -> qint64 {
        auto lida = Lida(Matriz);
        TPruvItem item(*lida, *lida);
        item.GetCodigoRetencao().SetCodigo(QStringLiteral("0561"));
        lida->GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(ni);
        return lida->GetItens().Carrega(item) ? item.GetValores().GetRendimento(1).GetValor() / TMonetario::Escala : -1;
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.botao << " " << c.tecla);
        pruv = Armazenada(Matriz);
        Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
        Item(*pruv, *pruv, "0561", segundo, 3000);
        pruv.reset();
        AbrePagina();
        Clica("BbFirst");
        auto* grade = GradeMostrada("DgrRendimentos");
        ClicaCelula(grade, 2, 1);
        ClicaCelula(grade, 1, 1);
        ClicaCelula(grade, 1, 1);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2000"));
        ASSERT_TRUE(grade->InplaceEditor() && grade->InplaceEditor()->isVisible());
        ASSERT_EQ(grade->InplaceEditor()->text(), QStringLiteral("2000"));
        if (c.excluido)
            dialogos.Responde(Resposta::Sim);
        if (c.tecla == Qt::Key_unknown)
            QTest::mouseClick(Campo(c.botao), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), c.tecla, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_EQ(Ni(), c.excluido ? segundo : CpfBeneficiario);
        EXPECT_EQ(Rendimento(1), (c.excluido ? 3000 : 1000) * TMonetario::Escala);
        EXPECT_EQ(grade->GetTexto(1, 1), c.excluido ? QStringLiteral("3.000,00") : QStringLiteral("1.000,00"));
        Mostra(P::Resumo);   // leaving the page stores what it holds
        EXPECT_EQ(janeiro(CpfBeneficiario), c.excluido ? -1 : 1000);
        EXPECT_EQ(janeiro(segundo), 3000);
        EXPECT_EQ(dialogos.Codigos(), c.excluido ? std::vector<int>{31} : std::vector<int>{});
        dialogos.Limpa();
        ASSERT_TRUE(janela->FecharDeclaracao());
        colecao->Exclui(*Lida(Matriz));
        paginaDeItens = P::Beneficiarios;
    }
}

// Coming from another field, the two clicks that open a cell's editor with its amount selected
// do the same on the first cell, which leaving the grid made current: what is typed replaces
// the amount.
TEST_F(TFrBeneficiariosTest, TwoClicksFromAnotherFieldOpenEveryCellWithItsAmountSelected)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 2400);
    pruv.reset();
    AbrePagina();
    Clica("BbFirst");
    const struct {
        int coluna, linha, mes;
        bool deducao;
    } casos[] = {{1, 1, 1, false}, {2, 1, 1, true}, {1, 2, 2, false}, {1, 1, 1, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.coluna << "," << c.linha);
        Campo("DeNomeBenef")->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(Foco(), QStringLiteral("DeNomeBenef"));
        auto* grade = Campo<TPruvGridMeses>("DgrRendimentos");
        ClicaCelula(grade, c.coluna, c.linha);
        ClicaCelula(grade, c.coluna, c.linha);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1000"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QApplication::processEvents();
        const TRendimentosTributaveis& v = Pagina().Item()->GetValores();
        EXPECT_EQ((c.deducao ? v.GetDeducao(c.mes) : v.GetRendimento(c.mes)).GetValor(), 1000 * TMonetario::Escala);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// Before 2000 a declaration stores no judicial values: their tabs are not offered, not even by
// their letters, whatever the code admits.
TEST_F(TFrBeneficiariosTest, BeforeTwoThousandTheJudicialTabsAreNotOffered)
{
    const struct {
        const char* ano;
        bool judicial;
    } casos[] = {{"1998", false}, {"1999", false}, {"2000", true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        pruv = Armazenada(Matriz, c.ano);
        Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
        pruv.reset();
        AbrePagina(c.ano);
        Clica("BbFirst");
        EXPECT_EQ(Ficha("TSCompensacao"), c.judicial);
        EXPECT_EQ(Ficha("TSSubJudice"), c.judicial);
        auto* fichas = Campo<QTabWidget>("PCPruvItem");
        for (const Qt::Key letra : {Qt::Key_J, Qt::Key_E}) {
            Campo("DeNomeBenef")->setFocus();
            QApplication::processEvents();
            QTest::keyClick(QApplication::focusWidget(), letra, Qt::AltModifier);
            QApplication::processEvents();
            EXPECT_EQ(fichas->currentWidget() == Campo("TSRendimentosTrib"), !c.judicial) << letra;
            fichas->setCurrentIndex(0);
        }
        ASSERT_TRUE(janela->FecharDeclaracao());
        colecao->Exclui(*Lida(Matriz, c.ano));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
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
    // No key, paste or drop of a person's puts such a text in a month cell: the editor is handed
    // one, so that the model's refusal is guarded all the same.
    QTest::keyClick(grade, Qt::Key_F2);
    ASSERT_TRUE(grade->EditorMode());
    grade->InplaceEditor()->setText(QStringLiteral("1234567890123"));
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

TEST_F(TFrBeneficiariosTest, TheButtonsShowPicturesWithTheirHints)
{
    pruv = Armazenada(Matriz);
    AbrePagina();
    const struct {
        const char* nome;
        const char* dica;
    } casos[] = {
        {"BbFirst", "Primeiro beneficiário"},
        {"BbPrior", "Beneficiário anterior"},
        {"BbNext", "Próximo beneficiário"},
        {"BbLast", "Último beneficiário"},
        {"BbAdd", "Inclui beneficiário"},
        {"BbDelete", "Exclui o beneficiário"},
        {"BbDesfazer", "Desfaz as últimas alterações do beneficiário"},
        {"BbAddFundo", "Inclui novo Fundo ou Clube"},
        {"BbDeleteFundo", "Exclui o Fundo ou Clube"},
        {"BbDesfazerFundo", "Desfaz as últimas alterações no campo nome do Fundo ou Clube"},
    };
    QList<QImage> vistas;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        auto* botao = Campo<QToolButton>(c.nome);
        ASSERT_NE(botao, nullptr);
        EXPECT_EQ(botao->toolTip(), QString::fromUtf8(c.dica));
        EXPECT_TRUE(botao->text().isEmpty());   // a picture, not signs standing for one
        const QIcon icone = botao->icon();
        ASSERT_FALSE(icone.isNull());
        const QImage cor = icone.pixmap(botao->iconSize()).toImage();
        const QImage cinza = icone.pixmap(botao->iconSize(), QIcon::Disabled).toImage();
        bool desenhada = false, colorida = false, cinzenta = true;
        for (int y = 0; y < cor.height(); ++y)
            for (int x = 0; x < cor.width(); ++x) {
                const QColor p = cor.pixelColor(x, y), q = cinza.pixelColor(x, y);
                desenhada = desenhada || p.alpha() > 0;
                colorida = colorida || (p.alpha() > 0 && p.saturation() > 60);
                cinzenta = cinzenta && (q.alpha() == 0 || q.saturation() == 0);
            }
        EXPECT_TRUE(desenhada);
        EXPECT_TRUE(colorida);
        EXPECT_TRUE(cinzenta);   // a disabled button still shows its shape, in grey
        vistas << cor;
    }
    // The record buttons are told apart by their pictures; the fund bar repeats add, delete and undo.
    for (int i = 0; i < 7; ++i)
        for (int j = i + 1; j < 7; ++j)
            EXPECT_NE(vistas[i], vistas[j]) << casos[i].nome << " " << casos[j].nome;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(vistas[7 + i], vistas[4 + i]) << casos[7 + i].nome;
}

TEST_F(TFrBeneficiariosTest, AtTheSmallestWindowEveryRowOfTheMonthGridsShows)
{
    Armazenada(Outra, "2002", 3);   // a fund administrator: both beneficiaries pages
    Inicia();
    Abre(Outra);
    janela->resize(janela->minimumSize());
    for (P pagina : {P::Beneficiarios, P::Fundos}) {
        quadro->AtivaPagina(pagina);
        QApplication::processEvents();
        QWidget& frame = pagina == P::Fundos ? static_cast<QWidget&>(quadro->BeneficiariosAnexo()) : Pagina();
        auto* fichas = frame.findChild<QTabWidget*>(QStringLiteral("PCPruvItem"));
        for (const char* nome : {"DgrRendimentos", "DgcCompensacao", "DgsSubJudice"}) {
            auto* grade = frame.findChild<TPruvGridMeses*>(QLatin1String(nome));
            const int ficha = fichas->indexOf(grade->parentWidget());
            fichas->setTabVisible(ficha, true);   // as a code with judicial values shows them
            fichas->setCurrentIndex(ficha);
            for (bool decimoTerceiro : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << (pagina == P::Fundos ? "funds " : "items ") << nome << " " << decimoTerceiro);
                grade->SetDecimoTerceiro(decimoTerceiro);
                QApplication::processEvents();
                const TRect r = grade->CellRect(0, grade->RowCount() - 1);
                ASSERT_GT(r.Height(), 0);
                EXPECT_LE(r.Bottom, grade->viewport()->height());
                // ... and the grid itself is not cut by the window.
                const QRect naJanela(grade->mapTo(janela.get(), QPoint(0, 0)), grade->size());
                EXPECT_TRUE(janela->rect().contains(naJanela)) << naJanela.bottom() << " " << janela->height();
            }
        }
    }
}

// One beneficiary is the first and the last: on either page the record buttons that would move
// away from it are off, however the page came to it.
TEST_F(TFrBeneficiariosTest, WithOneBeneficiaryNoButtonOffersToMoveToAnother)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    AbrePagina();
    // The page opens on a new item, after the stored one, which the moves back still reach.
    EXPECT_TRUE(Campo("BbFirst")->isEnabled());
    EXPECT_TRUE(Campo("BbPrior")->isEnabled());
    EXPECT_FALSE(Campo("BbNext")->isEnabled());
    Clica("BbFirst");
    ASSERT_EQ(Ni(), CpfBeneficiario);
    for (const char* botao : {"BbFirst", "BbPrior", "BbNext", "BbLast"})
        EXPECT_FALSE(Campo(botao)->isEnabled()) << "beneficiaries page: " << botao;
    EXPECT_TRUE(Campo("BbDelete")->isEnabled());   // it can still go
    // A new item begun (Alt+Insert) and undone (Alt+Backspace) is the one beneficiary again.
    QWidget* nome = Campo("DeNomeBenef");
    nome->setFocus();
    QTest::keyClick(nome, Qt::Key_Insert, Qt::AltModifier);
    QApplication::processEvents();
    ASSERT_TRUE(Pagina().Item()->GetChave().isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace, Qt::AltModifier);
    QApplication::processEvents();
    ASSERT_EQ(Ni(), CpfBeneficiario);
    for (const char* botao : {"BbFirst", "BbPrior", "BbNext", "BbLast"})
        EXPECT_FALSE(Campo(botao)->isEnabled()) << "after undoing a new item: " << botao;
    quadro->AtivaPagina(P::Comprovante);
    QApplication::processEvents();
    for (const char* botao : {"BbFirst", "BbPrior", "BbNext", "BbLast"})
        EXPECT_FALSE(quadro->Comprovante().findChild<QWidget*>(QLatin1String(botao))->isEnabled())
            << "statement page: " << botao;
}

// A number stored under another declaration proposes the name stored with it; the name field
// takes the focus with that name selected, so that what the user types replaces it.
TEST_F(TFrBeneficiariosTest, TheNameProposedForAKnownNumberIsSelectedWhenTheNameFieldIsEntered)
{
    const auto outra = Armazenada(Outra);
    Item(*outra, *outra, "0561", CpfBeneficiario);   // as JOSE DA SILVA
    pruv = Armazenada(Matriz);
    AbrePagina();
    Digita(Campo("DblcCodRet"), QStringLiteral("0561"));
    Tab(Campo("DblcCodRet"));
    Digita(Campo("DeCpfCnpjBenef"), CpfBeneficiario);
    Tab(Campo("DeCpfCnpjBenef"));
    ASSERT_EQ(Foco(), QStringLiteral("DeNomeBenef"));
    auto* nome = Campo<TPruvEdit>("DeNomeBenef");
    EXPECT_EQ(nome->text(), QStringLiteral("JOSE DA SILVA"));
    EXPECT_EQ(nome->selectedText(), nome->text());

    QTest::keyClicks(nome, QStringLiteral("CARLA MULLER"));
    Tab(nome);
    EXPECT_EQ(Pagina().Item()->GetBeneficiario().Nome().GetTexto(), QStringLiteral("CARLA MULLER"));
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// Enter in the name goes to the first cell of the month grid whose tab is shown.
TEST_F(TFrBeneficiariosTest, EnterInTheNameGoesToTheGridShown)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    AbrePagina();
    Clica("BbFirst");
    for (const char* nome : {"DgrRendimentos", "DgcCompensacao", "DgsSubJudice"}) {
        SCOPED_TRACE(nome);
        TPruvGridMeses* grade = GradeMostrada(nome);
        grade->setFocus();
        QApplication::processEvents();
        QTest::keyClick(grade, Qt::Key_Down);   // away from the first cell
        QWidget* campo = Campo("DeNomeBenef");
        campo->setFocus();
        QApplication::processEvents();
        QTest::keyClick(campo, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(Foco(), QLatin1String(nome));
        EXPECT_EQ(grade->Row(), 1);
        EXPECT_EQ(grade->Col(), grade->AreaEditavel().Left);
    }
}

// Leaving the declaration, or storing the item, from a row whose tax reaches its income warns
// once, though the row is checked by the declaration, by the page and as the focus leaves.
TEST_F(TFrBeneficiariosTest, ATaxNotBelowTheIncomeWarnsOnceWhenTheItemIsLeftFromItsRow)
{
    const struct {
        const char* como;
        Qt::Key tecla;
        Qt::KeyboardModifiers modificadores;
    } casos[] = {
        {"stored and a new one begun", Qt::Key_Insert, Qt::AltModifier},
        {"the summary", Qt::Key_R, Qt::AltModifier},
        {"the declaration closed", Qt::Key_F, Qt::ControlModifier},
        {"the tab of suspended liability", Qt::Key_E, Qt::AltModifier},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        auto* grade = ImpostoDeJaneiro();
        MensagensTomamAJanela();   // the message takes the window, as the program's does
        QTest::keyClicks(grade, QStringLiteral("1500"));
        QTest::keyClick(QApplication::focusWidget(), c.tecla, c.modificadores);
        QTest::qWait(200);
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{83});
        if (c.tecla == Qt::Key_R) {   // a warning: after its OK the page changes
            EXPECT_EQ(quadro->PaginaAtiva(), P::Resumo);
        }
        if (c.tecla == Qt::Key_E) {   // one press: the tab shown, its grid taking the keys
            EXPECT_EQ(Foco(), QStringLiteral("DgsSubJudice"));
        }
        dialogos.AoMostrar(nullptr);
        if (janela->GetDeclaracaoAberta()) {
            ASSERT_TRUE(janela->FecharDeclaracao());
        }
        colecao->Exclui(*Lida(Matriz));
    }
}

// A tab's letter shows its grid and gives it the keys on its first cell, from a field of the
// key, a button or the page's tabs: the digits typed next go into that cell.
TEST_F(TFrBeneficiariosTest, ATabsLetterPutsTheCaretInTheFirstCellOfItsGrid)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    AbrePagina();
    Clica("BbFirst");
    const struct {
        const char* desde;
        Qt::Key letra;
        const char* grade;
    } casos[] = {
        {"DeNomeBenef", Qt::Key_E, "DgsSubJudice"},
        {"BbAdd", Qt::Key_J, "DgcCompensacao"},
        {"PCPruvItem", Qt::Key_T, "DgrRendimentos"},
        {"DgrRendimentos", Qt::Key_T, "DgrRendimentos"},   // its own tab: back to the first cell
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.desde << " " << c.grade);
        QWidget* desde = Campo(c.desde);
        if (auto* fichas = qobject_cast<QTabWidget*>(desde))
            desde = fichas->tabBar();
        desde->setFocus();
        QApplication::processEvents();
        if (auto* g = qobject_cast<TPruvGridMeses*>(desde))
            QTest::keyClick(g, Qt::Key_Down);   // away from the first cell
        QTest::keyClick(QApplication::focusWidget(), c.letra, Qt::AltModifier);
        QApplication::processEvents();
        auto* grade = Campo<TPruvGridMeses>(c.grade);
        EXPECT_EQ(Campo<QTabWidget>("PCPruvItem")->currentWidget(), grade->parentWidget());
        EXPECT_EQ(Foco(), QLatin1String(c.grade));
        EXPECT_EQ(grade->Row(), 1);
        EXPECT_EQ(grade->Col(), grade->AreaEditavel().Left);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// One event, one message, though the message box takes the activation from the field, grid or
// window that showed it: a row left with its tax over its income, a fund's CNPJ refused as its
// page is left, a paste refused in a row that already warns.
TEST_F(TFrBeneficiariosTest, OneEventShowsOneMessageThoughTheMessageTakesTheFocus)
{
    MensagensTomamAJanela();
    const struct {
        const char* como;
        int codigo;
    } casos[] = {{"tax over the income, Down", 83},
                 {"tax over the income, a click below", 83},
                 {"a paste refused", CodigoMensagem::ValorInvalido}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        auto* grade = ImpostoDeJaneiro();
        if (c.codigo == CodigoMensagem::ValorInvalido) {
            QTest::keyClicks(grade, QStringLiteral("1500"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);   // to the deductions, on the row
            QApplication::processEvents();
            ASSERT_EQ(grade->Col(), 2);
            EXPECT_TRUE(dialogos.Mensagens().empty());
            QGuiApplication::clipboard()->setText(QStringLiteral("dez reais"));
            QTest::keyClick(grade, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(grade, QStringLiteral("1500"));
            if (c.codigo == 83 && QByteArray(c.como).endsWith("below"))
                QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->CellRect(3, 2).ToQRect().center());
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        }
        QTest::qWait(300);
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{c.codigo});
        ASSERT_TRUE(janela->FecharDeclaracao());
        colecao->Exclui(*Lida(Matriz));
    }
}

TEST_F(TFrBeneficiariosTest, AFundsRefusedCnpjIsShownOnceAsItsPageIsLeft)
{
    MensagensTomamAJanela();
    Armazenada(Outra, "2002", 3);
    Inicia();
    Abre(Outra);
    quadro->AtivaPagina(P::Fundos);
    QApplication::processEvents();
    QWidget& anexo = quadro->BeneficiariosAnexo();
    auto* fundos = anexo.findChild<QWidget*>(QStringLiteral("DblcFundos"));
    Digita(fundos, QStringLiteral("12345678000100"));
    dialogos.Limpa();
    QTest::keyClick(fundos, Qt::Key_R, Qt::AltModifier);   // to the summary
    QTest::qWait(300);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{67});
    EXPECT_EQ(quadro->PaginaAtiva(), P::Fundos);
}

// On a new item after stored ones, Alt+End goes to the last stored one as Alt+Home goes to the
// first; with nothing stored there is no last.
TEST_F(TFrBeneficiariosTest, AltEndOnANewItemGoesToTheLastStoredOne)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "3208", Outra, 300);
    pruv.reset();
    AbrePagina();
    ASSERT_TRUE(Pagina().Item()->GetChave().isEmpty());
    EXPECT_TRUE(Campo("BbLast")->isEnabled());
    EXPECT_FALSE(Campo("BbNext")->isEnabled());
    QWidget* codigo = Campo("DblcCodRet");
    codigo->setFocus();
    QApplication::processEvents();
    QTest::keyClick(codigo, Qt::Key_End, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_EQ(Codigo(), QStringLiteral("3208"));
    EXPECT_EQ(Ni(), Outra);
    EXPECT_FALSE(Campo("BbLast")->isEnabled());   // now on the last
    ASSERT_TRUE(janela->FecharDeclaracao());

    Armazenada(Outra);   // nothing stored
    Inicia();
    Abre(Outra);
    quadro->AtivaPagina(P::Beneficiarios);
    QApplication::processEvents();
    EXPECT_FALSE(Campo("BbLast")->isEnabled());
}

// A click on a record button with a refused number in the key shows its message once: the focus
// leaving the number and the button's save both check it.
TEST_F(TFrBeneficiariosTest, AClickOnARecordButtonWithARefusedNumberShowsItsMessageOnce)
{
    MensagensTomamAJanela();
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "0561", NumeroDe("333444555"), 1000);
    pruv.reset();
    for (const char* botao : {"BbFirst", "BbPrior", "BbNext", "BbLast", "BbAdd"}) {
        SCOPED_TRACE(botao);
        AbrePagina();
        Clica("BbFirst");
        Clica("BbNext");   // the second of two: every button but Next and Last is on
        if (QByteArray(botao) == "BbNext" || QByteArray(botao) == "BbLast")
            Clica("BbPrior");
        Digita(Campo("DeCpfCnpjBenef"), QStringLiteral("11144477736"));
        dialogos.Limpa();
        auto* b = Campo<QToolButton>(botao);
        ASSERT_TRUE(b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        QTest::qWait(100);
        EXPECT_EQ(dialogos.Mensagens().size(), 1u) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
        Campo<QWidget>("DeCpfCnpjBenef")->setFocus();
        QTest::keyClick(Campo("DeCpfCnpjBenef"), Qt::Key_Escape);
        QApplication::processEvents();
        dialogos.Limpa();
        janela.reset();
    }
}

// The code list, dropped down, scrolls by its bar's arrows and by the wheel, as by its thumb.
TEST_F(TFrBeneficiariosTest, TheCodeListScrollsByItsArrowsAndTheWheel)
{
    pruv = Armazenada(Matriz);
    AbrePagina();
    auto* combo = Campo<TdvDBLookupCombo>("DblcCodRet");
    const struct {
        const char* como;
        std::function<void(TdvPopupGrid&)> rola;
    } casos[] = {
        {"the lower arrow",
         [](TdvPopupGrid& lista) {
             QScrollBar* barra = lista.verticalScrollBar();
             const QPoint seta(barra->width() / 2, barra->height() - barra->width() / 2);
             for (int i = 0; i < 3; ++i)
                 QTest::mouseClick(barra, Qt::LeftButton, {}, seta);
         }},
        {"the wheel",
         [](TdvPopupGrid& lista) {
             const QPointF ponto(20, 30);
             QWheelEvent roda(ponto, lista.viewport()->mapToGlobal(ponto), QPoint(), QPoint(0, -360), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(lista.viewport(), &roda);
         }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        combo->setFocus();
        QApplication::processEvents();
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(combo->DroppedDown());
        TdvPopupGrid& lista = combo->Grid();
        ASSERT_TRUE(lista.verticalScrollBar()->isVisible());
        // The number of the code on the list's first row.
        const auto primeira = [&lista] { return lista.LookupTable()->RecNo() - lista.DataLink().ActiveRecord(); };
        const int antes = primeira();
        c.rola(lista);
        QApplication::processEvents();
        EXPECT_TRUE(combo->DroppedDown());
        EXPECT_EQ(primeira(), antes + 3);
        QTest::keyClick(combo, Qt::Key_Escape);
        QApplication::processEvents();
    }
}

namespace {

// The totals of one owner as its row of the summary holds them.
struct TTotal {
    QString Ni;
    int Beneficiarios;
    qint64 Reais;
};

QString Formatado(QString ni)
{
    FormataNi(ni);
    return ni;
}

QString Linha(const QString& ni, const QString& beneficiarios, const QString& rendimento)
{
    return ni + QLatin1Char(' ') + beneficiarios + QLatin1Char(' ') + rendimento;
}

QString Reais(qint64 reais)
{
    TMonetario valor;
    valor.SetValor(reais * TMonetario::Escala);
    return valor.GetTextoFormatado();
}

// The owner's stored summary, with its up-to-date flag.
QString Armazenado(const QString& ni, TResumo& resumo)
{
    return Linha(Formatado(ni), QString::number(resumo.TOT_BENEF().GetValor() / TMonetario::Escala),
                 Reais(resumo.TOT_REND().GetValor() / TMonetario::Escala))
        + (resumo.GetOK() ? QString() : QStringLiteral(" out of date"));
}

class TFrBeneficiariosFundosTest : public TFrBeneficiariosTest {
protected:
    // The administrator's declaration with those funds, stored in that order, each with the
    // beneficiary under 6800 with 2.000,00; open on the fund page.
    void AbreComFundos(std::initializer_list<QString> fundos)
    {
        pruv = Armazenada(Outra, "2002", 3);
        for (const QString& fundo : fundos) {
            auto anexo = NovoAnexo(*pruv, fundo, "", true);
            Item(*pruv, *anexo, "6800", CpfBeneficiario, 2000);
        }
        pruv.reset();
        Inicia();
        Abre(Outra);
        Mostra(P::Fundos);
    }
    // The fund of that number chosen in the fund list as a user does: by keys (Alt+U to the
    // list, Alt+Down, the arrows until it is marked, Return), by its CNPJ typed in the open list
    // and Tab, or by mouse (the list's button, then the fund's row).
    enum class TEscolha { Setas, Cnpj, Mouse };
    void EscolheNaLista(const QString& ni, TEscolha como)
    {
        const bool porTeclas = como != TEscolha::Mouse;
        auto* combo = Campo<TdvDBLookupCombo>("DblcFundos");
        TDataSet* fundos = combo->LookupTable();
        const auto marcado = [fundos] {
            return RemoveMascara(fundos->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString());
        };
        int linha = 0;
        for (fundos->First(); !fundos->Eof() && marcado() != ni; fundos->Next())
            ++linha;
        // The keys go where the window system sends them: to the list while it shows.
        const auto tecla = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
            QWidget* alvo = QApplication::activePopupWidget();
            QTest::keyClick(alvo ? alvo : QApplication::focusWidget(), k, m);
            QApplication::processEvents();
        };
        // A warning on leaving the field being typed keeps the user there: after its OK, the
        // user goes to the list again.
        const auto vaiALista = [&] {
            for (int tentativa = 0; tentativa < 2 && !combo->DroppedDown(); ++tentativa) {
                if (porTeclas) {
                    tecla(Qt::Key_U, Qt::AltModifier);
                    if (Foco() == QLatin1String("DblcFundos"))
                        tecla(Qt::Key_Down, Qt::AltModifier);
                } else {
                    QTest::mouseClick(combo->Button(), Qt::LeftButton);
                }
                QTest::qWait(150);
            }
        };
        vaiALista();
        ASSERT_TRUE(combo->DroppedDown());
        if (como == TEscolha::Cnpj) {
            TecladoDeTeste::Digita(ni);
            tecla(Qt::Key_Tab);
        } else if (porTeclas) {
            for (int i = 0; i < 5 && marcado() != ni; ++i)
                tecla(marcado() < ni ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_EQ(marcado(), ni);
            tecla(Qt::Key_Return);
        } else {
            TdvPopupGrid& lista = combo->Grid();
            const QPoint ponto = lista.CellRect(0, linha).ToQRect().center();
            QTest::mousePress(lista.viewport(), Qt::LeftButton, {}, ponto);
            QTest::mouseRelease(lista.viewport(), Qt::LeftButton, {}, ponto);
            QApplication::processEvents();
        }
    }
    // "Geral", "Discriminado" and the stored rows of the summary against the true totals of the
    // administrator (first) and of each fund; read on the summary page, then back to the funds.
    void ConfereResumo(const std::vector<TTotal>& totais)
    {
        int beneficiarios = 0;
        qint64 reais = 0;
        QStringList esperado;
        for (const TTotal& t : totais) {
            beneficiarios += t.Beneficiarios;
            reais += t.Reais;
            esperado << Linha(Formatado(t.Ni), QString::number(t.Beneficiarios), Reais(t.Reais));
        }
        esperado.sort();
        Mostra(P::Resumo);
        EXPECT_EQ(DeclaracaoAbertaDeTeste::Campo<TPruvEdit>("DeTotBen")->text(), QString::number(beneficiarios))
            << "Geral";
        EXPECT_EQ(DeclaracaoAbertaDeTeste::Campo<TPruvEdit>("DeTotRend")->text(), Reais(reais)) << "Geral";

        QStringList discriminado;
        TDataSet* detalhe = DeclaracaoAbertaDeTeste::Campo<TdvDBGrid>("DbgDiscriminado")->DataSource()->DataSet();
        for (detalhe->First(); !detalhe->Eof(); detalhe->Next())
            discriminado << Linha(detalhe->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString(),
                                  detalhe->FieldByName(QStringLiteral("TOT_BENEF_EXIB"))->AsString().trimmed(),
                                  detalhe->FieldByName(QStringLiteral("TOT_REND_EXIB"))->AsString().trimmed());
        discriminado.sort();
        EXPECT_EQ(discriminado, esperado) << "Discriminado";

        QStringList armazenado;
        {
            auto lida = Lida(Outra);
            armazenado << Armazenado(Outra, lida->TPruvAnexo::GetResumo());
            TColecaoAnexo& anexos = lida->GetColecaoAnexo();
            TAnexoFC anexo(*lida);
            for (anexos.PrimeiroRegistro(anexo); !anexos.Eof(); anexos.ProximoRegistro(anexo)) {
                armazenado << Armazenado(anexo.GetFundo().GetNi(), anexo.GetResumo());
                anexo.Reinicia();
            }
        }
        armazenado.sort();
        EXPECT_EQ(armazenado, esperado) << "stored";
        Mostra(P::Fundos);
    }
};

}   // namespace

// One beneficiary under a code of the declaration and under a code of a fund: the name corrected
// on one page is the one the other page shows on entering, and the one its next save keeps.
TEST_F(TFrBeneficiariosTest, ANameCorrectedOnOneItemPageIsShownAndKeptByTheOther)
{
    AbreAdministradora("0588");
    for (P pagina : {P::Beneficiarios, P::Fundos}) {
        Mostra(pagina);
        Clica("BbLast");
        ASSERT_EQ(Ni(), CpfBeneficiario);
    }
    const auto nomeArmazenado = [this] {
        auto lida = Lida(Outra);
        TBeneficiarioPruv beneficiario(lida.get());
        beneficiario.SetNi(CpfBeneficiario);
        lida->GetColecaoBeneficiario().Carrega(beneficiario);
        return beneficiario.Nome().GetTexto();
    };
    const struct {
        P corrige, salva;
        const char* nome;
        int mes;
    } casos[] = {
        {P::Fundos, P::Beneficiarios, "JOSE DA SILVA SAURO", 2},
        {P::Beneficiarios, P::Fundos, "JOSE DA SILVA XAVIER", 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Mostra(c.corrige);
        Digita(Campo("DeNomeBenef"), QLatin1String(c.nome));
        Tab(Campo("DeNomeBenef"));
        EXPECT_EQ(nomeArmazenado(), QLatin1String(c.nome));

        Mostra(c.salva);
        EXPECT_EQ(Campo<TPruvEdit>("DeNomeBenef")->text(), QLatin1String(c.nome));
        Celula("DgrRendimentos", 1, c.mes, QStringLiteral("300"));
        Mostra(c.corrige);   // the page left saves its item
        EXPECT_EQ(nomeArmazenado(), QLatin1String(c.nome));
        EXPECT_EQ(Campo<TPruvEdit>("DeNomeBenef")->text(), QLatin1String(c.nome));
        Mostra(c.salva);
        EXPECT_EQ(Rendimento(c.mes), 300 * TMonetario::Escala);   // the save was made
        EXPECT_EQ(Campo<TPruvEdit>("DeNomeBenef")->text(), QLatin1String(c.nome));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// A fund added, its "+" undone before a new item, the summary computed again, the fund deleted:
// after each step "Geral", "Discriminado" and the stored rows hold the true totals.
TEST_F(TFrBeneficiariosFundosTest, TheSummaryFollowsAFundAddedUndoneRecomputedAndDeleted)
{
    calculoDoPrograma = true;
    const QString segundo = NumeroDe("667778880001");
    AbreAdministradora("0561");
    Mostra(P::Fundos);
    ConfereResumo({{Outra, 1, 1000}, {Fundo, 1, 2000}});

    DigitaFundo(segundo, "FUNDO GAMA");
    DigitaItem("6800", NumeroDe("333444555"), "ANA MARIA", "500");
    ConfereResumo({{Outra, 1, 1000}, {Fundo, 1, 2000}, {segundo, 1, 500}});

    Clica("BbAddFundo");
    Clica("BbDesfazerFundo");
    DigitaItem("6800", NumeroDe("444555666"), "BEATRIZ", "100");
    ConfereResumo({{Outra, 1, 1000}, {Fundo, 1, 2000}, {segundo, 2, 600}});

    ASSERT_EQ(TFoCalculaResumo::CalculaResumo(janela->ObtemDeclaracao(), janela.get()), 1);
    DigitaItem("6800", NumeroDe("555666777"), "CARLA", "50");
    ConfereResumo({{Outra, 1, 1000}, {Fundo, 1, 2000}, {segundo, 3, 650}});

    dialogos.Responde(Resposta::Sim);
    Clica("BbDeleteFundo");
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::ConfirmaExclusaoFundo});
    ConfereResumo({{Outra, 1, 1000}, {Fundo, 1, 2000}});
}

// What is typed on the fund page and on the beneficiary page and not yet left is stored by every
// action that takes the page away from it, pressed by key or clicked on its tool button (which
// takes no focus); the fund's undo keeps the item's edit and drops the fund's.
TEST_F(TFrBeneficiariosFundosTest, EveryActionThatLeavesWhatIsShownStoresWhatWasTypedFirst)
{
    const QString segundo = NumeroDe("667778880001");
    const QString novo = NumeroDe("778889990001");
    enum class TCampo { Mes, CnpjNovo, NomeFundo, Codigo };
    enum class TAcao { CliqueMais, TeclaMais, CliqueDesfaz, ListaTeclas, ListaMouse, Pagina, Fecha };
    const auto armazenado = [this, &novo](TCampo campo) {
        auto lida = Lida(Outra);
        TAnexoFC anexo(*lida);
        anexo.GetDeclarante().SetNi(campo == TCampo::CnpjNovo ? novo : Fundo);
        if (!lida->GetColecaoAnexo().Carrega(anexo))
            return QStringLiteral("no fund");
        if (campo == TCampo::CnpjNovo || campo == TCampo::NomeFundo)
            return anexo.GetDeclarante().Nome().GetTexto();
        TPruvItem item(*lida, anexo);
        anexo.GetItens().PrimeiroRegistro(item);
        return campo == TCampo::Mes
            ? QString::number(item.GetValores().GetRendimento(1).GetValor() / TMonetario::Escala)
            : item.GetCodigoRetencao().GetCodigo();
    };
    const struct {
        TCampo campo;
        const char* digitado;
        const char* antes;
    } campos[] = {
        {TCampo::Mes, "777", "2000"},
        {TCampo::CnpjNovo, "FUNDO NOVO", "no fund"},
        {TCampo::NomeFundo, "FUNDO RENOMEADO", "FUNDO BETA"},
        {TCampo::Codigo, "6813", "6800"},
    };
    for (const auto& c : campos)
        for (TAcao acao : {TAcao::CliqueMais, TAcao::TeclaMais, TAcao::CliqueDesfaz, TAcao::ListaTeclas,
                           TAcao::ListaMouse, TAcao::Pagina, TAcao::Fecha}) {
            // A fund chosen in the list is the CNPJ field's new value, in place of the one typed.
            if (c.campo == TCampo::CnpjNovo && (acao == TAcao::ListaTeclas || acao == TAcao::ListaMouse))
                continue;
            SCOPED_TRACE(testing::Message()
                         << "field " << static_cast<int>(c.campo) << " action " << static_cast<int>(acao));
            AbreComFundos({Fundo, segundo});
            dialogos.Limpa();
            QWidget* campo = nullptr;
            switch (c.campo) {
            case TCampo::Mes: {
                Clica("BbFirst");
                auto* grade = GradeMostrada("DgrRendimentos");
                grade->setFocus();
                QApplication::processEvents();
                grade->SelecionaCelula(1, 1);
                QTest::keyClicks(grade, QLatin1String(c.digitado));
                campo = grade;
                break;
            }
            case TCampo::CnpjNovo:
                Clica("BbAddFundo");
                Digita(Campo("DeNomeFundo"), QLatin1String(c.digitado));
                Digita(Campo("DblcFundos"), novo);
                campo = Campo("DblcFundos");
                break;
            case TCampo::NomeFundo:
                Digita(Campo("DeNomeFundo"), QLatin1String(c.digitado));
                campo = Campo("DeNomeFundo");
                break;
            case TCampo::Codigo:
                Clica("BbFirst");
                Digita(Campo("DblcCodRet"), QLatin1String(c.digitado));
                campo = Campo("DblcCodRet");
                break;
            }
            ASSERT_TRUE(campo == QApplication::focusWidget() || campo->isAncestorOf(QApplication::focusWidget()))
                << "the field is still being typed";
            const bool naBarra = c.campo == TCampo::CnpjNovo || c.campo == TCampo::NomeFundo;
            const auto clique = [this](const char* nome) {
                auto* b = Campo<QToolButton>(nome);
                QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
                QApplication::processEvents();
            };
            switch (acao) {
            case TAcao::CliqueMais:
                clique("BbAddFundo");
                break;
            case TAcao::TeclaMais:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert,
                                naBarra ? Qt::AltModifier : Qt::AltModifier | Qt::ShiftModifier);
                break;
            case TAcao::CliqueDesfaz:
                clique("BbDesfazerFundo");
                break;
            case TAcao::ListaTeclas:
            case TAcao::ListaMouse:
                EscolheNaLista(segundo, acao == TAcao::ListaTeclas ? TEscolha::Setas : TEscolha::Mouse);
                break;
            case TAcao::Pagina:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
                break;
            case TAcao::Fecha:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
                break;
            }
            QTest::qWait(20);
            const bool desfeito = acao == TAcao::CliqueDesfaz && naBarra;
            EXPECT_EQ(armazenado(c.campo), QLatin1String(desfeito ? c.antes : c.digitado));
            EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
            if (janela->GetDeclaracaoAberta()) {
                ASSERT_TRUE(janela->FecharDeclaracao());
            }
            colecao->Exclui(*Lida(Outra));
        }
}

// The beneficiary page: the month cell being typed and the code being typed are stored by "+"
// clicked or pressed, by a record move and by another page.
TEST_F(TFrBeneficiariosTest, EveryActionThatLeavesTheItemShownStoresWhatWasTypedFirst)
{
    const struct {
        const char* campo;
        const char* digitado;
    } campos[] = {{"DgrRendimentos", "777"}, {"DblcCodRet", "0588"}};
    const struct {
        const char* como;
        std::function<void()> age;
    } acoes[] = {
        {"+ clicked",
         [this] {
             auto* b = Campo<QToolButton>("BbAdd");
             QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
         }},
        {"Alt+Insert", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::AltModifier); }},
        {"Alt+R", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier); }},
    };
    for (const auto& c : campos)
        for (const auto& a : acoes) {
            SCOPED_TRACE(testing::Message() << c.campo << " " << a.como);
            pruv = Armazenada(Matriz);
            Item(*pruv, *pruv, "0561", CpfBeneficiario, 2000);
            pruv.reset();
            AbrePagina();
            Clica("BbFirst");
            dialogos.Limpa();
            if (QLatin1String(c.campo) == QLatin1String("DgrRendimentos")) {
                auto* grade = GradeMostrada("DgrRendimentos");
                grade->setFocus();
                QApplication::processEvents();
                grade->SelecionaCelula(1, 1);
                QTest::keyClicks(grade, QLatin1String(c.digitado));
            } else {
                Digita(Campo("DblcCodRet"), QLatin1String(c.digitado));
            }
            a.age();
            QTest::qWait(20);
            auto lida = Lida(Matriz);
            TPruvItem item(*lida, *lida);
            lida->GetItens().PrimeiroRegistro(item);
            EXPECT_EQ(QLatin1String(c.campo) == QLatin1String("DgrRendimentos")
                          ? QString::number(item.GetValores().GetRendimento(1).GetValor() / TMonetario::Escala)
                          : item.GetCodigoRetencao().GetCodigo(),
                      QLatin1String(c.digitado));
            EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
            lida.reset();
            if (janela->GetDeclaracaoAberta()) {
                ASSERT_TRUE(janela->FecharDeclaracao());
            }
            colecao->Exclui(*Lida(Matriz));
        }
}

// The other fund chosen in the list, by keys, by its CNPJ typed and Tab, or by mouse, while a
// month of the fund's item is typed, also after going to the list warned (83) that the tax is not
// below the income and did not store the item: what was typed is stored under the fund it was
// typed in, and the chosen fund is shown.
TEST_F(TFrBeneficiariosFundosTest, AFundChosenInTheListStoresTheMonthTypedFirst)
{
    // Its first digits are the first fund's, as an administrator's funds often are.
    const QString segundo = NumeroDe("556668880001");
    const struct {
        const char* como;
        int coluna;
        const char* digitado;
        std::vector<int> mensagens;
    } casos[] = {
        {"income still being typed", 1, "777", {}},
        // Going to the list warns and keeps the user in the grid, the item not stored; after the
        // OK the user goes to the list again.
        {"tax over the income", 2, "2500", {CodigoMensagem::ImpostoNaoMenorQueRendimento}},
    };
    for (const auto& c : casos)
        for (const TEscolha como : {TEscolha::Setas, TEscolha::Cnpj, TEscolha::Mouse}) {
            SCOPED_TRACE(testing::Message() << c.como << ", chosen by " << static_cast<int>(como));
            AbreComFundos({Fundo, segundo});
            MensagensTomamAJanela();
            Clica("BbFirst");
            dialogos.Limpa();
            auto* grade = GradeMostrada("DgrRendimentos");
            grade->setFocus();
            QApplication::processEvents();
            grade->SelecionaCelula(c.coluna, 1);
            QTest::keyClicks(grade, QLatin1String(c.digitado));
            EscolheNaLista(segundo, como);
            QTest::qWait(100);
            EXPECT_EQ(Pagina().Item()->GetDono().GetDeclarante().GetNi(), segundo);
            EXPECT_EQ(dialogos.Codigos(), c.mensagens);
            {
                auto lida = Lida(Outra);
                TAnexoFC anexo(*lida);
                anexo.GetDeclarante().SetNi(Fundo);
                ASSERT_TRUE(lida->GetColecaoAnexo().Carrega(anexo));
                TPruvItem item(*lida, anexo);
                anexo.GetItens().PrimeiroRegistro(item);
                const TMonetario& mes = c.coluna == 1 ? item.GetValores().GetRendimento(1)
                                                      : item.GetValores().GetImposto(1);
                EXPECT_EQ(mes.GetValor(), QByteArray(c.digitado).toLongLong() * TMonetario::Escala);
            }
            if (janela->GetDeclaracaoAberta()) {
                ASSERT_TRUE(janela->FecharDeclaracao());
            }
            dialogos.AoMostrar({});
            colecao->Exclui(*Lida(Outra));
        }
}

// A fund deleted while the pending-items and the search windows still list it: locating its item
// or its fields from either says the fund is gone and leaves the page as it was; undone and typed
// on, no row is stored under the deleted fund.
TEST_F(TFrBeneficiariosFundosTest, AFundDeletedWhileListedIsLocatedWithAWordAndGetsNoRows)
{
    const QString segundo = NumeroDe("667778880001");
    // The fund listed first has the highest key: deleted, its key would be the next one.
    AbreComFundos({segundo, Fundo});
    const QString chaveApagada = QStringLiteral("00002");
    ASSERT_EQ(Pagina().Item()->GetDono().GetChave(), chaveApagada);
    dialogos.Responde(Resposta::Sim);
    Clica("BbDeleteFundo");
    dialogos.Limpa();
    Clica("BbFirst");
    const QString mostrado = Pagina().Item()->GetChave();
    const QString dono = Pagina().Item()->GetDono().GetChave();
    ASSERT_NE(dono, chaveApagada);

    // As the pending-items row and the search hit ask: the fund's number, an item, a month.
    for (std::uint8_t objeto : {std::uint8_t{24}, std::uint8_t{26}, std::uint8_t{29}}) {
        SCOPED_TRACE(static_cast<int>(objeto));
        janela->PosicionaCampo(chaveApagada, objeto == 24 ? chaveApagada : QStringLiteral("0000001"), objeto);
        QApplication::processEvents();
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::FundoInexistente});
        dialogos.Limpa();
        EXPECT_EQ(Pagina().Item()->GetDono().GetChave(), dono);
        EXPECT_EQ(Pagina().Item()->GetChave(), mostrado);
    }
    Clica("BbDesfazerFundo");
    DigitaItem("6800", NumeroDe("333444555"), "ANA MARIA", "500");
    DigitaFundo(NumeroDe("778889990001"), "FUNDO NOVO");
    DigitaItem("6800", NumeroDe("444555666"), "BEATRIZ", "100");
    const auto semDono = [](const char* tabela) {
        auto banco = TDatabase::DaPasta(DiretorioDados());
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE IN_ANEXO = '1' AND \"E_PRUV/ANEXO_DK\" NOT IN "
                                  "(SELECT ANEXO_DK FROM \"%2\")")
                       .arg(banco->NomeReal(QLatin1String(tabela)), banco->NomeReal(QStringLiteral("Anexo"))));
        return c.Passo() ? c.Inteiro(0) : -1;
    };
    EXPECT_EQ(semDono("PruvItem"), 0);
    EXPECT_EQ(semDono("Resumo"), 0);
}

// A renamed fund's summary row carries the new name at once, and keeps it when an item of the fund
// is stored next; the fund list opens on the fund shown.
TEST_F(TFrBeneficiariosFundosTest, ARenamedFundKeepsItsNewNameInItsSummaryAndTheListOpensOnIt)
{
    const QString segundo = NumeroDe("667778880001");
    AbreComFundos({Fundo, segundo});
    ASSERT_TRUE(Pagina().LocalizaFundo(QStringLiteral("00002")));
    const auto nomeNoResumo = [] {
        auto banco = TDatabase::DaPasta(DiretorioDados());
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT NM_EMPR FROM \"%1\" WHERE IN_ANEXO = '1' AND "
                                  "\"E_PRUV/ANEXO_DK\" = '00002'")
                       .arg(banco->NomeReal(QStringLiteral("Resumo"))));
        return c.Passo() ? c.Texto(0) : QString();
    };
    Digita(Campo("DeNomeFundo"), QStringLiteral("FUNDO RENOMEADO"));
    Tab(Campo("DeNomeFundo"));
    EXPECT_EQ(nomeNoResumo(), QStringLiteral("FUNDO RENOMEADO"));
    Clica("BbFirst");
    Celula("DgrRendimentos", 1, 2, QStringLiteral("300"));
    Clica("BbAdd");
    EXPECT_EQ(nomeNoResumo(), QStringLiteral("FUNDO RENOMEADO"));

    auto* lista = Campo<TdvDBLookupCombo>("DblcFundos");
    lista->setFocus();
    QApplication::processEvents();
    TecladoDeTeste::Tecla(Qt::Key_Down, Qt::AltModifier);
    QApplication::processEvents();
    ASSERT_TRUE(lista->DroppedDown());
    EXPECT_EQ(lista->LookupTable()->FieldByName(QStringLiteral("ANEXO_DK"))->AsString(), QStringLiteral("00002"));
    TecladoDeTeste::Tecla(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// The fund list, opened by a click on its button, marks the fund shown: the one the page opens on,
// and a fund just typed in the fund bar, though neither was chosen in the list.
TEST_F(TFrBeneficiariosFundosTest, TheFundListMarksTheFundShownWhereverItCameFrom)
{
    AbreComFundos({Fundo, NumeroDe("667778880001")});
    auto* lista = Campo<TdvDBLookupCombo>("DblcFundos");
    const auto marcado = [lista] {
        QTest::mouseClick(lista->Button(), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(lista->DroppedDown());
        // The list marks the row that holds the values it keeps: the fund's number is the last.
        const QString numero = lista->Grid().LookupValue(lista->Grid().LookupFieldCount() - 1);
        QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : lista, Qt::Key_Escape);
        QApplication::processEvents();
        return numero;
    };
    const auto raiz = [this] { return Pagina().Item()->GetDono().GetDeclarante().GetRaiz(); };
    EXPECT_EQ(marcado(), raiz()) << "the fund the page opens on";
    DigitaFundo(NumeroDe("778889990001"), "FUNDO DELTA");
    ASSERT_EQ(Pagina().Item()->GetDono().GetDeclarante().GetNi(), NumeroDe("778889990001"));
    EXPECT_EQ(marcado(), raiz()) << "a fund just typed";
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// A fund shown and not touched is not written: the fund page opened, the other fund chosen from
// the list and the page left store nothing and ask nothing. The stored names hold a double blank
// that the program would not write (a row it did not make itself): a fund written again
// would change its row. A name corrected is still stored when its field is left.
TEST_F(TFrBeneficiariosFundosTest, AFundShownAndNotTouchedIsNotWritten)
{
    const QString segundo = NumeroDe("889991110001");   // listed after the first
    pruv = Armazenada(Outra, "2002", 3);
    for (const QString& fundo : {Fundo, segundo}) {
        auto anexo = NovoAnexo(*pruv, fundo, "", true);
        Item(*pruv, *anexo, "6800", CpfBeneficiario, 2000);
    }
    pruv.reset();
    auto banco = TDatabase::DaPasta(TPastas::Dados());
    const QString anexos = banco->NomeReal(TColecaoAnexo::NomeArquivo());
    banco->Escreve(QStringLiteral("UPDATE \"%1\" SET NM_EMPR = 'FUNDO  BETA'").arg(anexos));
    const auto fundos = [&] {
        QStringList linhas;
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT ANEXO_DK, NR_PF_PJ, NM_EMPR FROM \"%1\" ORDER BY ANEXO_DK").arg(anexos));
        while (c.Passo())
            linhas << c.Texto(0) + QLatin1Char('|') + c.Texto(1) + QLatin1Char('|') + c.Texto(2);
        return linhas.join(QLatin1Char('\n')).toStdString();
    };
    Inicia();
    Abre(Outra);
    const std::string antes = fundos();
    const QString tudoAntes = FalhasDeDisco::Conteudo(banco->Arquivo());
    ASSERT_NE(antes.find("FUNDO  BETA"), std::string::npos);
    // The keys go where the window system sends them: to the list while it shows.
    const auto tecla = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        TecladoDeTeste::Tecla(k, m);
        QApplication::processEvents();
    };

    Mostra(P::Fundos);
    ASSERT_EQ(Foco(), QStringLiteral("DblcFundos"));
    tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Campo<TdvDBLookupCombo>("DblcFundos")->DroppedDown());
    tecla(Qt::Key_Down);   // the first fund, the one shown
    tecla(Qt::Key_Down);   // the second
    tecla(Qt::Key_Return);
    ASSERT_EQ(Pagina().Item()->GetDono().GetDeclarante().GetNi(), segundo);
    Mostra(P::Informacoes);
    EXPECT_EQ(fundos(), antes) << "a fund written though nothing of it changed";
    EXPECT_TRUE(FalhasDeDisco::Conteudo(banco->Arquivo()) == tudoAntes) << "a row written though nothing changed";
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();

    Mostra(P::Fundos);
    Digita(Campo("DeNomeFundo"), QStringLiteral("FUNDO DELTA"));
    Tab(Campo("DeNomeFundo"));
    auto lida = Lida(Outra);
    TAnexoFC anexo(*lida);
    anexo.GetDeclarante().SetNi(segundo);
    ASSERT_TRUE(lida->GetColecaoAnexo().Carrega(anexo));
    EXPECT_EQ(anexo.GetDeclarante().Nome().GetTexto(), QStringLiteral("FUNDO DELTA"));
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// Alt+U puts the caret in the fund's CNPJ from every page, the fund page's own fields included;
// from anywhere on the fund page Alt+Shift+Insert starts a new fund, its CNPJ first.
TEST_F(TFrBeneficiariosFundosTest, AltUGoesToTheFundsCnpjFromEveryPageAndAltShiftInsertAddsAFund)
{
    AbreAdministradora();
    const auto focaCampo = [this](const char* nome) {
        Clica("BbLast");
        QWidget* campo = Campo(nome);
        campo->setFocus();
        QApplication::processEvents();
        if (auto* grade = qobject_cast<TPruvGridMeses*>(campo))
            grade->SelecionaCelula(1, 3);
        ASSERT_EQ(Foco(), QLatin1String(nome));
    };
    const struct {
        P pagina;
        const char* campo;
    } casos[] = {{P::Informacoes, nullptr},     {P::Beneficiarios, "DblcCodRet"}, {P::Resumo, nullptr},
                 {P::Fundos, "DgrRendimentos"}, {P::Fundos, "DeNomeBenef"},       {P::Fundos, "DeNomeFundo"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.pagina) << " " << (c.campo ? c.campo : ""));
        Mostra(c.pagina);
        if (c.campo)
            focaCampo(c.campo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_EQ(quadro->PaginaAtiva(), P::Fundos);
        EXPECT_EQ(Foco(), QStringLiteral("DblcFundos"));
    }

    const QString segundo = NumeroDe("667778880001");
    Mostra(P::Fundos);
    focaCampo("DgrRendimentos");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::AltModifier | Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(Foco(), QStringLiteral("DblcFundos"));
    EXPECT_TRUE(Campo<TdvDBLookupCombo>("DblcFundos")->Text().isEmpty());
    QTest::keyClicks(QApplication::focusWidget(), segundo);
    Tab(Campo("DblcFundos"));
    Digita(Campo("DeNomeFundo"), QStringLiteral("FUNDO GAMA"));
    Tab(Campo("DeNomeFundo"));
    EXPECT_EQ(Linhas("Anexo"), 2);
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// Back in the declaration after locating from the search window, the code found is selected:
// the code typed next replaces it.
TEST_F(TFrBeneficiariosTest, AfterLocatingFromTheSearchTheCodeTypedReplacesTheOneFound)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "3208", Outra, 300);
    pruv.reset();
    AbrePagina();
    MostraPesquisa(
        janela->ObtemDeclaracao(),
        [this](const QString& anexo, const QString& item, std::uint8_t objeto) {
            janela->PosicionaCampo(anexo, item, objeto);
        },
        janela.get());
    QPointer<TFoPesquisar> pesquisa = FoPesquisar();
    ASSERT_TRUE(pesquisa);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == pesquisa; }, 1000));
    QLineEdit* chave = pesquisa->FrPesquisarPruv->EdChave;
    QTest::keyClicks(chave, QStringLiteral("3208"));
    QTest::keyClick(chave, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == pesquisa; }, 1000));
    EXPECT_EQ(Codigo(), QStringLiteral("3208"));

    pesquisa->close();
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    QApplication::processEvents();
    ASSERT_EQ(Foco(), QStringLiteral("DblcCodRet"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0588"));
    EXPECT_EQ(Codigo(), QStringLiteral("0588"));
}

// Whatever changes the item a page shows while a month is being typed, and after "-" answered No
// (the message taking the window for a moment, as the program's does), what was typed is stored
// with the item it was typed for and given to no other.
TEST_F(TFrBeneficiariosFundosTest, WhatIsTypedInAMonthStaysWithItsItemWhateverChangesTheItemShown)
{
    const QString segundo = NumeroDe("333444555");
    const auto tecla = [](Qt::Key k, Qt::KeyboardModifiers m) {
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    const auto nao = [this] {
        dialogos.Responde(Resposta::Nao);
        QTest::mouseClick(Campo("BbDelete"), Qt::LeftButton);
        QApplication::processEvents();
    };
    const auto voltaDoProximo = [this, nao] {
        nao();
        QTest::mouseClick(Campo("BbNext"), Qt::LeftButton);
        ClicaCelula(Campo<TPruvGridMeses>("DgrRendimentos"), 1, 1);
        QTest::mouseClick(Campo("BbPrior"), Qt::LeftButton);
    };
    const struct {
        P pagina;
        const char* como;
        std::function<void()> age;
    } casos[] = {
        {P::Beneficiarios, "next, a click in the grid, previous", voltaDoProximo},
        {P::Fundos, "next, a click in the grid, previous", voltaDoProximo},
        {P::Beneficiarios, "Alt+PageDown", [&] { nao(), tecla(Qt::Key_PageDown, Qt::AltModifier); }},
        {P::Beneficiarios, "Alt+R", [&] { nao(), tecla(Qt::Key_R, Qt::AltModifier); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.pagina) << " " << c.como);
        const bool fundos = c.pagina == P::Fundos;
        const QString declarante = fundos ? Outra : Matriz;
        pruv = fundos ? Armazenada(Outra, "2002", 3) : Armazenada(Matriz);
        if (auto anexo = fundos ? NovoAnexo(*pruv, Fundo, "", true) : nullptr; true)
            for (const auto& [ni, reais] : {std::pair{CpfBeneficiario, 1000}, std::pair{segundo, 3000}})
                Item(*pruv, anexo ? *anexo : static_cast<TPruvAnexo&>(*pruv), fundos ? "6800" : "0561", ni, reais);
        pruv.reset();
        Inicia();
        Abre(declarante);
        Mostra(c.pagina);
        Clica("BbFirst");
        auto* grade = GradeMostrada("DgrRendimentos");
        ClicaCelula(grade, 2, 1);
        ClicaCelula(grade, 1, 1);
        ClicaCelula(grade, 1, 1);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("666"));
        MensagensTomamAJanela();
        c.age();
        QTest::qWait(20);
        Mostra(P::Resumo);   // leaving the page stores what it holds
        ASSERT_TRUE(janela->FecharDeclaracao());
        std::map<QString, qint64> janeiro;
        auto lida = Lida(declarante);
        auto anexo = NovoAnexo(*lida, Fundo);
        ASSERT_TRUE(!fundos || lida->GetColecaoAnexo().Carrega(*anexo));
        TPruvAnexo& dono = fundos ? static_cast<TPruvAnexo&>(*anexo) : *lida;
        TPruvItem item(*lida, dono);
        for (dono.GetItens().PrimeiroRegistro(item); !dono.GetItens().Eof(); dono.GetItens().ProximoRegistro(item))
            janeiro[item.GetBeneficiario().GetNi()] = item.GetValores().GetRendimento(1).GetValor()
                / TMonetario::Escala;
        EXPECT_EQ(janeiro, (std::map<QString, qint64>{{CpfBeneficiario, 666}, {segundo, 3000}}));
        dialogos.AoMostrar(nullptr);
        colecao->Exclui(*lida);
    }
}

// By whatever road the focus reaches a month grid (a click from another field has its own test),
// the two clicks that open a cell find its amount selected, and what is typed replaces it.
TEST_F(TFrBeneficiariosTest, EveryRoadIntoAMonthCellSelectsItsAmount)
{
    pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 5000);
    pruv.reset();
    AbrePagina();
    Clica("BbFirst");
    auto* grade = GradeMostrada("DgrRendimentos");
    const auto doNome = [this] {
        Campo("DeNomeBenef")->setFocus();
        QApplication::processEvents();
    };
    const auto tecla = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    };
    const auto clicaFicha = [this](const char* ficha) {
        auto* fichas = Campo<QTabWidget>("PCPruvItem");
        QTabBar* barra = fichas->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(fichas->indexOf(Campo(ficha))).center());
        QApplication::processEvents();
    };
    const struct {
        const char* como;
        std::function<void()> entra;
    } casos[] = {
        {"Enter from the name", [&] { doNome(), tecla(Qt::Key_Return); }},
        {"Alt+T from the name", [&] { doNome(), tecla(Qt::Key_T, Qt::AltModifier); }},
        {"another tab clicked and back",
         [&] {
             ClicaCelula(grade, 1, 3);
             clicaFicha("TSCompensacao");
             clicaFicha("TSRendimentosTrib");
         }},
        {"the item located from another window, the grid keeping the focus",
         [&] {
             grade->setFocus();
             tecla(Qt::Key_Down);   // the grid used before the locate
             tecla(Qt::Key_Up);
             LocalizaDeOutraJanela(Pagina().Item()->Identidade(), 21);
         }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        c.entra();
        ClicaCelula(grade, 1, 1);
        ClicaCelula(grade, 1, 1);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1000"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(Rendimento(1), 1000 * TMonetario::Escala);   // not joined to the amount there
        doNome();
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}
