#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "reports/RelatosDeTeste.h"
#include "reports/RoteiroAssistente.h"
#include "components/data/datasets/TdvTable.h"
#include "model/schema/EsquemaPrograma.h"
#include "screens/GravadasDeTeste.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "screens/search/TFrPesquisaDeclaracoes.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "shell/Espera.h"
#include "platform/files/TIniFile.h"
#include "reports/printing/TFoAssistRelatorios.h"

namespace {

// The print assistant over a declaration of the test's database, driven by its buttons.
class TFoAssistRelatoriosTest : public RelatosDeTeste {
protected:
    void SetUp() override
    {
        RelatosDeTeste::SetUp();
        CriaTabelasPrograma(*TDatabase::DaPasta(TPastas::Dados()));   // Geradas among them
    }

    // The stored declaration of the declarant with that many items, loaded as the main window
    // holds it.
    std::unique_ptr<TPruv> Carregada(const QString& ni, int itens, const char* ano = "2002")
    {
        auto pruv = Armazenada(ni, ano);
        const QString nis[] = {CpfAna, CpfBruno};
        for (int i = 0; i < itens; ++i)
            Guarda(*pruv, *pruv, {"0561", nis[i], i == 0 ? "ANA PAULA SOUZA" : "BRUNO COSTA LIMA", 100 * Reais});
        auto carregada = Nova(ni, ano);
        EXPECT_TRUE(colecao->Carrega(*carregada));
        return carregada;
    }

    TFoAssistRelatorios& Cria(TPruv& pruv, bool aberta)
    {
        assistente = std::make_unique<TFoAssistRelatorios>(pruv, *colecao, aberta);
        return *assistente;
    }

    void Roteiro(const std::vector<const char*>& passos) { ::Roteiro(*assistente, passos); }

    [[nodiscard]] bool Habilitado(const char* nome) const
    {
        return assistente->findChild<QWidget*>(QLatin1String(nome))->isEnabled();
    }

    static QString Ini(const char* secao, const char* chave)
    {
        return TIniFile(TPastas::Dados() + QStringLiteral("/Pruv.ini"))
            .ReadString(QLatin1String(secao), QLatin1String(chave), QStringLiteral("-"));
    }

    std::unique_ptr<TFoAssistRelatorios> assistente;
    GravadasDeTeste gravadas;   // no delivery file on the case's volumes
};

}   // namespace

TEST_F(TFoAssistRelatoriosTest, EachPathEndsInItsChoiceCodeOrOnTheReasonWhyNothingPrints)
{
    enum Declaracao { Fechada, SemBeneficiarios, ComBeneficiarios };
    const struct {
        Declaracao declaracao;
        std::vector<const char*> passos;
        int codigo;   // -1: still running, on that page
        int pagina;
        const char* erro;   // the text of page 11
    } casos[] = {
        {ComBeneficiarios, {">", "!"}, 10, 0, ""},
        {ComBeneficiarios, {">", ">", "RBImprimir", "!"}, 11, 0, ""},
        // Concluir on page 2 passes steps 3 and 5, which checks Visualizar.
        {ComBeneficiarios, {">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", "!"}, 1, 0, ""},
        {ComBeneficiarios,
         {">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", ">", "RBAnalitico", ">", "RBImprimir", "!"},
         4,
         0,
         ""},
        {ComBeneficiarios, {">", "RBDemaisRelatorios", ">", "RBListaBenef", ">", "RBImprimir", "!"}, 6, 0, ""},
        {ComBeneficiarios, {">", "RBDemaisRelatorios", ">", "RBGerencial", "!"}, 7, 0, ""},
        {ComBeneficiarios, {">", "RBDemaisRelatorios", ">", "RBTotalMensalCodigo", "!"}, 20, 0, ""},
        {ComBeneficiarios, {">", "RBComprovante", ">", "!"}, 14, 0, ""},
        {ComBeneficiarios, {">", "RBComprovante", "!", ">", "RBImprimir", "!"}, 15, 0, ""},
        {ComBeneficiarios, {">", "RBComprovante", ">", "RBUmBeneficiario", "!"}, -1, 10, ""},
        // No beneficiary to list: the reason shows, and Fechar prints nothing.
        {SemBeneficiarios,
         {">", "RBDemaisRelatorios", ">", "RBListaBenef", "!"},
         -1,
         11,
         "O relatório não será impresso pois a declaração não possui nenhum beneficiário."},
        {SemBeneficiarios, {">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", ">", "!"}, 0, 0, ""},
        {SemBeneficiarios, {">", "RBDemaisRelatorios", ">", "RBGerencial", "!"}, 7, 0, ""},
        {SemBeneficiarios,
         {">", "RBComprovante", "!"},
         -1,
         11,
         "Esta declaração não possui nenhum beneficiário, portanto não pode ser impresso comprovante de rendimentos."},
        {SemBeneficiarios, {">", "RBComprovante", ">", "<", "RBDeclaracao", "!"}, 10, 0, ""},
        // With no declaration open, one is chosen on page 7, even with Concluir; not for Gerencial.
        {Fechada, {">", "!"}, -1, 7, ""},
        {Fechada, {">", "!", "!"}, 10, 0, ""},
        {Fechada, {">", "RBDemaisRelatorios", ">", "RBGerencial", "!"}, 7, 0, ""},
        {Fechada, {">", "RBDemaisRelatorios", "!"}, -1, 7, ""},
        {Fechada, {">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", ">", ">", "RBAnalitico", "!"}, 3, 0, ""},
        // Receipts: the notice, then the recorded files; none found leaves only Voltar and Cancelar.
        {ComBeneficiarios, {">", "RBRecibo", ">"}, -1, 12, ""},
        {ComBeneficiarios, {">", "RBRecibo", "!"}, -1, 8, ""},
        {ComBeneficiarios, {">", "RBRecibo", ">", ">", "!", ">"}, -1, 8, ""},
        {ComBeneficiarios, {">", "RBDemaisRelatorios", "x"}, 0, 0, ""},
    };
    // Page 7 offers the head office first.
    const std::unique_ptr<TPruv> com = Carregada(Matriz, 2);
    const std::unique_ptr<TPruv> sem = Carregada(Filial, 0);
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.declaracao << " " << ::testing::PrintToString(c.passos));
        TPruv vazia;   // as the print command makes it when no declaration is open
        vazia.SetErros(&erros);
        TPruv& pruv = c.declaracao == Fechada ? vazia : c.declaracao == ComBeneficiarios ? *com : *sem;
        Cria(pruv, c.declaracao != Fechada);
        Roteiro(c.passos);
        if (c.codigo < 0) {
            EXPECT_EQ(assistente->ModalResult(), 0);
            EXPECT_EQ(assistente->PaginaAtual(), c.pagina);
            EXPECT_EQ(assistente->LbErroComprovRecibo->text().toStdString(), c.erro);
            continue;
        }
        EXPECT_NE(assistente->ModalResult(), 0);
        EXPECT_EQ(assistente->Pedido().Codigo, c.codigo);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFoAssistRelatoriosTest, TheChoicesAreKeptInPruvIniAlsoAfterACancelAndOfferedAgain)
{
    const std::unique_ptr<TPruv> pruv = Carregada(Matriz, 1);
    TPedidoImpressao pedido;
    pedido.Codigo = 99;
    QTimer::singleShot(0, [] {
        ASSERT_NE(AssistenteAberto(), nullptr);
        ::Roteiro(*AssistenteAberto(), {">", "RBDemaisRelatorios", ">", "RBTotalMensalCodigo", "x"});
    });
    ExecutaAssistRelatorios(pedido, *pruv, *colecao, true, nullptr);
    EXPECT_EQ(pedido.Codigo, 0);
    const struct {
        const char* secao;
        const char* chave;
        const char* valor;
    } escolhas[] = {
        {"Relatorio", "Tipo", "TotalMensalCodigo"},
        {"Relatorio", "Detalhamento", "Sintetico"},
        {"Beneficiarios", "Ordenacao", "Alfabetica"},
        {"Relatorio", "Impressao", "Visualizar"},
        {"Relatorio", "Base", "Demais"},
        {"Comprovante", "Beneficiarios", "Todos"},
    };
    for (const auto& g : escolhas)
        EXPECT_EQ(Ini(g.secao, g.chave), QLatin1String(g.valor)) << g.chave;

    // Read back, the page of the order too although no step shows it; the base is not.
    TIniFile ini(TPastas::Dados() + QStringLiteral("/Pruv.ini"));
    ini.WriteString(QStringLiteral("Relatorio"), QStringLiteral("Tipo"), QStringLiteral("Gerencial"));
    ini.WriteString(QStringLiteral("Relatorio"), QStringLiteral("Detalhamento"), QStringLiteral("Analitico"));
    ini.WriteString(QStringLiteral("Beneficiarios"), QStringLiteral("Ordenacao"), QStringLiteral("CPF"));
    ini.WriteString(QStringLiteral("Relatorio"), QStringLiteral("Impressao"), QStringLiteral("Imprimir"));
    ini.WriteString(QStringLiteral("Relatorio"), QStringLiteral("Base"), QStringLiteral("Recibo"));
    ini.WriteString(QStringLiteral("Comprovante"), QStringLiteral("Beneficiarios"), QStringLiteral("Um"));
    TFoAssistRelatorios& a = Cria(*pruv, true);
    for (const QRadioButton* b :
         {a.RBGerencial, a.RBAnalitico, a.RBOrdemCPF, a.RBImprimir, a.RBDeclaracao, a.RBUmBeneficiario})
        EXPECT_TRUE(b->isChecked()) << b->objectName().toStdString();
    EXPECT_EQ(a.LbExemploTipo[0]->text(), QStringLiteral("Informações gerais de"));
    EXPECT_EQ(a.LbExemploOrdem[0]->text(), QStringLiteral("011.12..."));

    // The list's own detail is synthetic; the detail read after it still holds.
    ini.WriteString(QStringLiteral("Relatorio"), QStringLiteral("Tipo"), QStringLiteral("ListaBeneficiario"));
    EXPECT_TRUE(Cria(*pruv, true).RBAnalitico->isChecked());
    EXPECT_EQ(assistente->LbExemploTipo[0]->text(), QStringLiteral("Listagem dos funcionários"));
    Roteiro({">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", "RBListaBenef"});
    EXPECT_TRUE(assistente->RBSintetico->isChecked());

    // An unknown value leaves the choice of the form.
    ini.WriteString(QStringLiteral("Relatorio"), QStringLiteral("Tipo"), QStringLiteral("Outro"));
    EXPECT_TRUE(Cria(*pruv, true).RBListaBenef->isChecked());
}

TEST_F(TFoAssistRelatoriosTest, StatementsAreOfferedForDeclarationsFrom2001On)
{
    const std::unique_ptr<TPruv> antiga = Carregada(Matriz, 1, "2000");
    EXPECT_FALSE(Cria(*antiga, true).RBComprovante->isEnabled());
    Carregada(Filial, 1, "2002");
    EXPECT_TRUE(Cria(*Carregada(Outra, 1, "2001"), true).RBComprovante->isEnabled());

    TPruv vazia;
    vazia.SetErros(&erros);
    Cria(vazia, false);
    Roteiro({">", "RBComprovante", ">"});
    ASSERT_EQ(assistente->PaginaAtual(), 7);
    EXPECT_EQ(assistente->TbPruv().RecordCount(), 2);
    Roteiro({"<", "RBDeclaracao", ">"});
    EXPECT_EQ(assistente->TbPruv().RecordCount(), 3);
}

TEST_F(TFoAssistRelatoriosTest, APageWithoutItsChoiceStaysWithMessage136Or137)
{
    TPruv vazia;
    vazia.SetErros(&erros);
    Cria(vazia, false);
    Roteiro({">", "!", "!"});
    EXPECT_EQ(assistente->PaginaAtual(), 7);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{136});
    EXPECT_EQ(assistente->ModalResult(), 0);

    const std::unique_ptr<TPruv> pruv = Carregada(Matriz, 1);
    Cria(*pruv, true);
    Roteiro({">", "RBComprovante", ">", "RBUmBeneficiario", ">"});
    ASSERT_EQ(assistente->PaginaAtual(), 10);
    TFrPesquisarPruv& pesquisa = *assistente->FrPesquisarPruv;
    pesquisa.SelecionaChave(TFrPesquisarPruv::ChaveNome);
    pesquisa.EdChave->setText(QStringLiteral("ZZZ"));   // nobody is listed
    pesquisa.RestringePruv();
    Roteiro({">"});
    EXPECT_EQ(assistente->PaginaAtual(), 10);
    EXPECT_EQ(dialogos.Codigos(), (std::vector<int>{136, 137}));

    // The one found is the one whose statement prints.
    pesquisa.EdChave->setText(QStringLiteral("ANA"));
    pesquisa.RestringePruv();
    Roteiro({"!"});
    const TPedidoImpressao pedido = assistente->Pedido();
    EXPECT_EQ(pedido.Codigo, 18);
    EXPECT_EQ(pedido.Ni, FormataCpf(CpfAna));
}

TEST_F(TFoAssistRelatoriosTest, OneAssistantAtATime)
{
    const std::unique_ptr<TPruv> pruv = Carregada(Matriz, 1);
    TPedidoImpressao dentro;
    dentro.Codigo = 99;
    TPedidoImpressao fora;
    QTimer::singleShot(0, [&] {
        ExecutaAssistRelatorios(dentro, *pruv, *colecao, true, nullptr);
        ::Roteiro(*AssistenteAberto(), {">", "!"});
    });
    ExecutaAssistRelatorios(fora, *pruv, *colecao, true, nullptr);
    EXPECT_EQ(dentro.Codigo, 0);
    EXPECT_EQ(fora.Codigo, 10);
}

TEST_F(TFoAssistRelatoriosTest, ChoicesThatCannotBeKeptAreToldAndThePrintingGoesOn)
{
    ASSERT_TRUE(QDir().mkpath(TPastas::Dados() + QStringLiteral("/Pruv.ini/x")));   // a folder in its place
    const std::unique_ptr<TPruv> pruv = Carregada(Matriz, 1);
    TPedidoImpressao pedido;
    QTimer::singleShot(0, [] { ::Roteiro(*AssistenteAberto(), {">", "!"}); });
    ExecutaAssistRelatorios(pedido, *pruv, *colecao, true, nullptr);
    EXPECT_EQ(pedido.Codigo, 10);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{159});
}

// Without a mouse: Return advances, Tab enters each group of choices at its checked option, the
// arrows move the choice and check it.
TEST_F(TFoAssistRelatoriosTest, EveryChoiceIsReachedByTabAndMovedByTheArrows)
{
    const std::unique_ptr<TPruv> pruv = Carregada(Matriz, 2);
    TFoAssistRelatorios& a = Cria(*pruv, true);
    a.show();
    QApplication::setActiveWindow(&a);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    const auto foco = [] { return QApplication::focusWidget(); };
    const auto opcao = [&a](const char* nome) { return a.findChild<QRadioButton*>(QLatin1String(nome)); };
    // Tab, at most once round the window, until that option has the focus.
    const auto tabAte = [&](QWidget* alvo) {
        for (int i = 0; i < 12 && foco() != alvo; ++i)
            QTest::keyClick(foco(), Qt::Key_Tab);
        return foco() == alvo;
    };
    QTest::keyClick(foco(), Qt::Key_Return);
    ASSERT_EQ(a.PaginaAtual(), 6);
    ASSERT_TRUE(tabAte(opcao("RBDeclaracao")));
    for (const char* seguinte : {"RBRecibo", "RBComprovante"}) {
        QTest::keyClick(foco(), Qt::Key_Down);
        EXPECT_EQ(foco(), opcao(seguinte));
        EXPECT_TRUE(opcao(seguinte)->isChecked()) << seguinte;
    }
    QTest::keyClick(foco(), Qt::Key_Up);
    EXPECT_TRUE(opcao("RBRecibo")->isChecked());
    // The last option (past the disabled pending items), then Avançar by its letter, then the
    // kinds of report by the arrows.
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(foco(), Qt::Key_Down);
    ASSERT_TRUE(opcao("RBDemaisRelatorios")->isChecked());
    QTest::keyClick(foco(), Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(Espera([&a] { return a.PaginaAtual() == 2; }));   // a letter clicks a moment later
    ASSERT_TRUE(tabAte(opcao("RBListaBenef")));
    QTest::keyClick(foco(), Qt::Key_Down);
    EXPECT_TRUE(opcao("RBTotaisCodigo")->isChecked());
    a.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
}

// A receipt is printed only: its page 5 greys Visualizar, which it opened on, and leaves the focus
// on Imprimir, where Return prints; never on Cancelar, where Return would close it silently.
TEST_F(TFoAssistRelatoriosTest, ReturnOnTheReceiptsLastPagePrintsIt)
{
    // A transmitted delivery file: its receipt lies beside it.
    const QString pasta = gravadas.PastaDe(qPrintable(Matriz));
    GravadasDeTeste::Grava(pasta, Matriz + QStringLiteral("-PRUV-2003-2002-ORIGI-NORMAL.dec"),
                           GravadasDeTeste::Cabecalho(qPrintable(Matriz)));
    GravadasDeTeste::Grava(pasta, Matriz + QStringLiteral("-PRUV-2003-2002-ORIGI-NORMAL.REC"), "recibo");
    const std::unique_ptr<TPruv> pruv = Carregada(Matriz, 1);
    Cria(*pruv, true);
    assistente->show();
    QApplication::setActiveWindow(assistente.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(assistente.get()));
    Roteiro({">", "RBRecibo", ">", ">"});
    ASSERT_EQ(assistente->PaginaAtual(), 8);
    if (!Habilitado("BtnAvancar"))
        Roteiro({"RBNaoTransmitidas"});
    assistente->FrPesquisaDeclaracoes1->DbgGeradas->SelectCurrentRecord();
    Roteiro({">"});
    ASSERT_EQ(assistente->PaginaAtual(), 5);
    QWidget* foco = assistente->focusWidget();
    ASSERT_NE(foco, nullptr);
    EXPECT_EQ(foco->objectName(), QStringLiteral("RBImprimir"));
    QTest::keyClick(foco, Qt::Key_Return);
    EXPECT_NE(assistente->ModalResult(), 0);
    EXPECT_EQ(assistente->Pedido().Codigo, 12);
}

// The list of declarations is filtered again each time page 7 is reached (statements only from
// 2001 on): its current declaration stays, and the five-position thumb with it, at the top on the
// first declaration and at the bottom on the last.
TEST_F(TFoAssistRelatoriosTest, TheListFilteredAgainKeepsItsThumbAtTheEndItsDeclarationIsAt)
{
    for (int filial = 1; filial <= 80; ++filial)
        Armazenada(NumeroDe(qPrintable(QStringLiteral("11222333%1").arg(filial, 4, 10, QLatin1Char('0')))));
    TPruv vazia;
    vazia.SetErros(&erros);
    Cria(vazia, false);
    assistente->show();
    QApplication::setActiveWindow(assistente.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(assistente.get()));
    TdvDBGrid* lista = assistente->DBGrDeclaracao;
    QScrollBar* barra = lista->verticalScrollBar();
    TdvTable& tabela = assistente->TbPruv();
    const struct {
        const char* opcao;
        bool ultima;
        int polegar;
    } casos[] = {
        {"RBComprovante", false, 0}, {"RBDeclaracao", false, 0}, {"RBComprovante", false, 0},
        {"RBComprovante", true, 4},  {"RBDeclaracao", true, 4},
    };
    Roteiro({">"});
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.opcao) + (c.ultima ? " on the last" : " on the first"));
        Roteiro({c.opcao, ">"});
        ASSERT_EQ(assistente->PaginaAtual(), 7);
        QApplication::processEvents();
        ASSERT_LT(lista->VisibleRowCount() * 5, tabela.RecordCount());
        ASSERT_EQ(barra->maximum(), 4);
        if (c.ultima) {
            lista->setFocus();
            QTest::keyClick(lista, Qt::Key_End, Qt::ControlModifier);
        }
        Roteiro({"<", c.opcao, ">"});   // back to the choice and on again: the list filtered again
        ASSERT_EQ(assistente->PaginaAtual(), 7);
        QApplication::processEvents();
        const int polegar = barra->value();
        EXPECT_EQ(tabela.TemVizinho(c.ultima ? gmNext : gmPrior), false);
        EXPECT_EQ(polegar, c.polegar);
        Roteiro({"<"});
    }
    Roteiro({"x"});
}
