#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "components/controls/combos/TdvDBComboBox.h"
#include "shell/common/ContextoAjuda.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/pages/TFrInformacoesPruv.h"

namespace {

using P = TPaginaDeclaracao;

class TFrDeclaracaoTest : public DeclaracaoAbertaDeTeste {
protected:
    [[nodiscard]] bool TabVisivel(P pagina) const
    {
        return Campo<QTabWidget>("PgDeclaracao")->isTabVisible(static_cast<int>(pagina));
    }
    [[nodiscard]] int AjudaPaginas() const { return ObtemHelpContext(Campo("PgDeclaracao")); }
};

}   // namespace

TEST_F(TFrDeclaracaoTest, TheDeclarantPageIsLaidOutByTheKindOfDeclarantAndTheYear)
{
    Armazenada(Matriz);
    Armazenada(Matriz, "1997");
    Armazenada(CpfDeclarante);
    Armazenada(Outra, "2002", 3);
    Inicia();
    const struct {
        QString ni;
        const char* ano;
        const char* rotulo;
        bool natureza, respCnpj, fundos;
        const char* situacao;
    } casos[] = {
        {Matriz, "2002", "CNPJ", true, true, false, "Esta declaração é de extinção ?"},
        {Matriz, "1997", "CNPJ", false, true, false, "Esta declaração é de extinção ?"},
        {CpfDeclarante, "2002", "CPF", false, false, false,
         "Esta declaração é de encerramento de espólio/saída definitiva do país ?"},
        {Outra, "2002", "CNPJ", true, true, true, "Esta declaração é de extinção ?"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.ni.toStdString() << " " << c.ano);
        Abre(c.ni, c.ano);
        ASSERT_TRUE(janela->GetDeclaracaoAberta());
        EXPECT_TRUE(quadro->isVisible() && quadro->isEnabled());
        EXPECT_EQ(quadro->PaginaAtiva(), P::Informacoes);
        EXPECT_EQ(Campo<QLabel>("LbCpfCgc")->text(), QLatin1String(c.rotulo));
        EXPECT_EQ(Campo("CbTipoDeclarante")->isVisible(), c.natureza);
        EXPECT_EQ(Campo("GbResponsavelCnpj")->isVisible(), c.respCnpj);
        EXPECT_EQ(Campo<QGroupBox>("GbSitEspecial")->title(), QString::fromUtf8(c.situacao));
        EXPECT_EQ(TabVisivel(P::Fundos), c.fundos);
        EXPECT_EQ(quadro->MostrandoFundos(), c.fundos);
        // The income statements are only for the current year.
        EXPECT_EQ(TabVisivel(P::Comprovante), QLatin1String(c.ano) == QLatin1String("2002"));
        // The special situation never ends past its neighbour or the page.
        const QRect sit = Campo("GbSitEspecial")->geometry();
        if (c.respCnpj) {
            EXPECT_EQ(sit.right() + 1 + 15, Campo("GbResponsavelCnpj")->x());
        }
        EXPECT_TRUE(janela->FecharDeclaracao());
        EXPECT_FALSE(quadro->isVisible());
        EXPECT_FALSE(TabVisivel(P::Fundos));
        EXPECT_FALSE(TabVisivel(P::Comprovante));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFrDeclaracaoTest, TheLayoutOfEachKindAndYear)
{
    const struct {
        bool cnpj;
        const char* ano;
        bool natureza;
        int altura, responsavel, retificadora;
    } casos[] = {
        {true, "1998", true, 125, 224, 146},
        {true, "1997", false, 85, 217, 120},
        {false, "2002", false, 85, 217, 120},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        const auto d = TFrInformacoesPruv::Disposicao(c.cnpj, QLatin1String(c.ano));
        EXPECT_EQ(d.Natureza, c.natureza);
        EXPECT_EQ(d.AlturaIdentificacao, c.altura);
        EXPECT_EQ(d.TopoResponsavel, c.responsavel);
        EXPECT_EQ(d.TopoRetificadora, c.retificadora);
        EXPECT_EQ(d.ResponsavelCnpj, c.cnpj);
    }
}

TEST_F(TFrDeclaracaoTest, RectifyingWarnsByTheYearAndIsStoredWhenThePageIsLeft)
{
    Armazenada(Matriz);
    Armazenada(Matriz, "1998");
    Inicia();
    const struct {
        const char* ano;
        int codigo;
    } casos[] = {{"2002", 44}, {"1998", 45}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        dialogos.Limpa();
        Abre(Matriz, c.ano);
        EXPECT_TRUE(dialogos.Mensagens().empty());   // opening asks nothing
        Campo<QRadioButton>("RbSimRetificadora")->click();
        ASSERT_EQ(dialogos.Codigos(), std::vector<int>{c.codigo});
        EXPECT_EQ(dialogos.Mensagens().front().Tipo, TipoDialogo::Aviso);
        EXPECT_TRUE(dialogos.Textos().front().contains(QLatin1String(c.ano)));
        ASSERT_TRUE(janela->FecharDeclaracao());
        EXPECT_EQ(Lida(Matriz, c.ano)->GetTipoDeclaracao(), QStringLiteral("R"));

        Abre(Matriz, c.ano);   // shown as stored, without a question
        EXPECT_TRUE(Campo<QRadioButton>("RbSimRetificadora")->isChecked());
        EXPECT_EQ(dialogos.Mensagens().size(), 1u);
        Campo<QRadioButton>("RbNaoRetificadora")->click();
        ASSERT_TRUE(janela->FecharDeclaracao());
        EXPECT_EQ(Lida(Matriz, c.ano)->GetTipoDeclaracao(), QStringLiteral("O"));
    }
}

TEST_F(TFrDeclaracaoTest, ADeclarationOfTheNextYearStaysOfASpecialSituation)
{
    Armazenada(Matriz, "2003");
    Armazenada(CpfDeclarante, "2003");
    Armazenada(Filial, "2001");
    Inicia();
    const struct {
        QString ni;
        const char* ano;
        bool sim;
        std::vector<int> codigos;
        bool situacao;
    } casos[] = {
        {Matriz, "2003", true, {52}, true},
        {CpfDeclarante, "2003", true, {53}, true},
        {Filial, "2001", false, {}, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        dialogos.Limpa();
        Abre(c.ni, c.ano);
        EXPECT_EQ(Campo<QRadioButton>("RbSimEncerramento")->isChecked(), c.sim);
        Campo<QRadioButton>("RbSimEncerramento")->click();
        Campo<QRadioButton>("RbNaoEncerramento")->click();
        EXPECT_EQ(dialogos.Codigos(), c.codigos);
        EXPECT_EQ(Campo<QRadioButton>("RbSimEncerramento")->isChecked(), c.situacao);
        if (c.situacao) {
            EXPECT_EQ(Foco(), QStringLiteral("RbSimEncerramento"));
        }
        ASSERT_TRUE(janela->FecharDeclaracao());
        EXPECT_EQ(Lida(c.ni, c.ano)->GetSituacaoEspecial(), c.situacao);
    }
}

TEST_F(TFrDeclaracaoTest, LeavingTheFundsNatureAsksWhenFundsWereEntered)
{
    auto administradora = Armazenada(Outra, "2002", 3);
    NovoAnexo(*administradora, Fundo, "", true);
    Armazenada(Matriz);
    Inicia();
    auto* natureza = Campo<TdvDBComboBox>("CbTipoDeclarante");
    auto escolhe = [&](std::uint8_t codigo) {
        const auto& disponiveis = janela->ObtemDeclaracao().GetNaturezas().GetDisponiveis();
        for (int i = 0; i < int(disponiveis.size()); ++i)
            if (disponiveis[i]->GetCodigo() == codigo)
                natureza->SetItemIndex(i);
    };

    Abre(Outra);
    ASSERT_TRUE(quadro->MostrandoFundos());
    dialogos.Responde(Resposta::Nao);
    escolhe(0);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{34});
    EXPECT_EQ(janela->ObtemDeclaracao().GetNatureza().GetCodigo(), 3);
    EXPECT_TRUE(quadro->MostrandoFundos());

    dialogos.Limpa();
    dialogos.Responde(Resposta::Sim);
    escolhe(0);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{34});
    EXPECT_EQ(janela->ObtemDeclaracao().GetNatureza().GetCodigo(), 0);
    EXPECT_FALSE(quadro->MostrandoFundos());
    ASSERT_TRUE(janela->FecharDeclaracao());
    auto lida = Lida(Outra);
    EXPECT_EQ(lida->GetNatureza().GetCodigo(), 0);
    EXPECT_FALSE(lida->GetResumo().GetOK());   // the funds' totals no longer count

    // Becoming an administrator: with funds entered before (58) or without (57).
    const struct {
        QString ni;
        int codigo;
    } casos[] = {{Outra, 58}, {Matriz, 57}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        dialogos.Limpa();
        Abre(c.ni);
        escolhe(3);
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{c.codigo});
        EXPECT_TRUE(quadro->MostrandoFundos());
        EXPECT_TRUE(TabVisivel(P::Fundos));
        ASSERT_TRUE(janela->FecharDeclaracao());
        EXPECT_EQ(Lida(c.ni)->GetNatureza().GetCodigo(), 3);
    }
}

TEST_F(TFrDeclaracaoTest, PageChangesSetTheHelpContextAndComputeTheSummary)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    EXPECT_EQ(AjudaPaginas(), 12000);

    quadro->AtivaPagina(P::Beneficiarios);
    EXPECT_EQ(AjudaPaginas(), 12010);
    quadro->AtivaPagina(P::Comprovante);
    EXPECT_EQ(AjudaPaginas(), 50300);

    // The summary is computed on entering its page only when it is out of date; a computation
    // that does not end well goes back to the page before.
    quadro->AtivaPagina(P::Resumo);
    EXPECT_EQ(AjudaPaginas(), 50200);
    EXPECT_EQ(resumos, 0);
    janela->ObtemDeclaracao().GetResumo().SetOK(false);
    resultadoResumo = 2;
    quadro->AtivaPagina(P::Beneficiarios);
    quadro->AtivaPagina(P::Resumo);
    EXPECT_EQ(resumos, 1);
    EXPECT_EQ(quadro->PaginaAtiva(), P::Beneficiarios);
    EXPECT_EQ(AjudaPaginas(), 12010);
    EXPECT_FALSE(EstadoPrograma::EmProcessamento);
    resultadoResumo = 1;
    quadro->AtivaPagina(P::Resumo);
    EXPECT_EQ(resumos, 2);
    EXPECT_EQ(quadro->PaginaAtiva(), P::Resumo);

    // Hiding the income statements while they are shown goes back to the first page.
    quadro->AtivaPagina(P::Comprovante);
    quadro->MostraComprovante(false);
    EXPECT_EQ(quadro->PaginaAtiva(), P::Informacoes);
    EXPECT_EQ(AjudaPaginas(), 12000);
}

// The wheel turned over a tab bar on its way across the window changes no page, as over a list:
// the declaration's pages, an item's tabs and a statement's tabs change by a click or a key.
TEST_F(TFrDeclaracaoTest, TheWheelOverATabBarTurnsNoPage)
{
    {
        auto pruv = Armazenada(Matriz);
        Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    }
    Inicia();
    Abre(Matriz);
    const struct {
        P pagina;
        const char* fichas;
    } casos[] = {{P::Informacoes, "PgDeclaracao"}, {P::Beneficiarios, "PCPruvItem"}, {P::Comprovante, "PageControl1"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.fichas);
        quadro->AtivaPagina(c.pagina);
        QApplication::processEvents();
        if (c.pagina == P::Beneficiarios)
            quadro->Pagina(c.pagina).findChild<QToolButton*>(QStringLiteral("BbFirst"))->click();
        auto* fichas = janela->findChild<QTabWidget*>(QLatin1String(c.fichas));
        if (c.pagina != P::Informacoes)
            fichas = quadro->Pagina(c.pagina).findChild<QTabWidget*>(QLatin1String(c.fichas));
        ASSERT_NE(fichas, nullptr);
        QTabBar* barra = fichas->tabBar();
        ASSERT_TRUE(barra->isVisible());
        const int antes = fichas->currentIndex();
        int mostradas = 0;
        for (int i = 0; i < fichas->count(); ++i)
            mostradas += fichas->isTabVisible(i) ? 1 : 0;
        ASSERT_GT(mostradas, 1);
        for (const int graus : {-120, -120, 120, 120, 120}) {
            const QPointF ponto = QRectF(barra->tabRect(fichas->currentIndex())).center();
            QWheelEvent roda(ponto, barra->mapToGlobal(ponto), {}, {0, graus}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(barra, &roda);
            QApplication::processEvents();
            EXPECT_EQ(fichas->currentIndex(), antes) << graus;
        }
        EXPECT_EQ(quadro->PaginaAtiva(), c.pagina);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFrDeclaracaoTest, AltRGoesToTheSummaryFromAnyPage)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    quadro->AtivaPagina(P::Beneficiarios);
    Campo("PgDeclaracao")->setFocus();
    QWidget* foco = QApplication::focusWidget();
    ASSERT_NE(foco, nullptr);
    QTest::keyClick(foco, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(quadro->PaginaAtiva(), P::Resumo);
}

TEST_F(TFrDeclaracaoTest, PosicionaCampoFocusesTheDeclarantFields)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    const struct {
        std::uint8_t codigo;
        const char* campo;
    } casos[] = {
        {7, "CbTipoDeclarante"},
        {9, "RbSimRetificadora"},
        {10, "RbSimEncerramento"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        quadro->AtivaPagina(P::Resumo);
        janela->PosicionaCampo(QString(), QString(), c.codigo);
        EXPECT_EQ(quadro->PaginaAtiva(), P::Informacoes);
        EXPECT_EQ(Foco(), QLatin1String(c.campo));
    }
    // Code 1 and codes past 32 do nothing.
    quadro->AtivaPagina(P::Resumo);
    janela->PosicionaCampo(QString(), QString(), 1);
    janela->PosicionaCampo(QString(), QString(), 33);
    EXPECT_EQ(quadro->PaginaAtiva(), P::Resumo);
}

TEST_F(TFrDeclaracaoTest, AClosedPageLeavesTheDeclarationAlone)
{
    Armazenada(Outra, "2002", 3);
    Inicia();
    const struct {
        P pagina;
        const char* campo;   // focused when the page closes, or the button clicked after
        bool clica;
    } casos[] = {
        {P::Informacoes, "DeNome", false},
        {P::Informacoes, "DblcResponsavel", false},
        {P::Fundos, "BbAddFundo", true},
        {P::Fundos, "BbDesfazerFundo", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        Abre(Outra);
        ASSERT_TRUE(quadro->MostrandoFundos());
        quadro->AtivaPagina(c.pagina);
        QWidget& pagina = quadro->Pagina(c.pagina);
        auto* campo = pagina.findChild<QWidget*>(QLatin1String(c.campo));
        ASSERT_NE(campo, nullptr);
        if (!c.clica)
            Digita(campo, QStringLiteral("1"));
        // The page lets its declaration go with the field still focused: hiding it leaves the
        // field, and a click reaches a button of it.
        if (c.pagina == P::Informacoes)
            quadro->Informacoes().Fecha();
        else
            quadro->BeneficiariosAnexo().Fecha();
        QApplication::processEvents();
        if (c.clica)
            QMetaObject::invokeMethod(campo, "click");
        QApplication::processEvents();
        EXPECT_TRUE(dialogos.Mensagens().empty());
        quadro->Fecha();
        janela.reset();
        Inicia();
    }
}
