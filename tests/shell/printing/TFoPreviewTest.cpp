#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "RelatorioDePaginas.h"
#include "TextoPdf.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "shell/Espera.h"
#include "shell/printing/DialogoImpressaoRoteirizado.h"
#include "shell/printing/TFoPreview.h"
#include "shell/printing/TPreviewRelatorio.h"
#include "support/ProgramaDeTeste.h"

namespace {

// The window on its own, shown and generated, without the modal call.
struct TJanela {
    TFoPreview Janela;

    explicit TJanela(TRelatorio& r)
    {
        Janela.DefineRelatorio(&r);
        Janela.show();
    }
    bool Gerou()
    {
        return Espera([this] { return Janela.Print->isEnabled() && !Janela.Gerando(); });
    }
    QString Status() const { return Janela.PainelPagina->text(); }
};

}   // namespace

TEST(TFoPreview, ShowsTheGeneratedPagesAndTheirStatus)
{
    RelatorioDePaginas relatorio(3);
    TJanela t(relatorio.R);
    EXPECT_FALSE(t.Janela.Print->isEnabled());
    ASSERT_TRUE(t.Gerou());

    EXPECT_EQ(t.Status(), QStringLiteral("Página 1/3"));
    EXPECT_FALSE(t.Janela.FirstPage->isEnabled());
    EXPECT_FALSE(t.Janela.PreviousPage->isEnabled());
    EXPECT_TRUE(t.Janela.NextPage->isEnabled());
    EXPECT_TRUE(t.Janela.LastPage->isEnabled());
    EXPECT_FALSE(t.Janela.ProximasPaginas->isEnabled());
    t.Janela.LastPage->click();
    EXPECT_EQ(t.Status(), QStringLiteral("Página 3/3"));
    EXPECT_TRUE(t.Janela.FirstPage->isEnabled());
    EXPECT_FALSE(t.Janela.NextPage->isEnabled());
    t.Janela.PreviousPage->click();
    EXPECT_EQ(t.Status(), QStringLiteral("Página 2/3"));
}

TEST(TFoPreview, KeysPageThroughTheReport)
{
    const struct {
        Qt::Key tecla;
        bool alt;
        int de;
        int para;
    } casos[] = {
        {Qt::Key_PageDown, false, 1, 2}, {Qt::Key_Right, false, 2, 3},    {Qt::Key_PageDown, true, 1, 5},
        {Qt::Key_Right, true, 2, 5},     {Qt::Key_PageDown, false, 5, 5},   // the last page stays
        {Qt::Key_PageUp, false, 3, 2},   {Qt::Key_Left, false, 1, 1},     {Qt::Key_PageUp, true, 4, 1},
        {Qt::Key_Left, true, 4, 1},      {Qt::Key_Home, false, 4, 1},     {Qt::Key_End, false, 2, 5},
        {Qt::Key_Up, false, 3, 3},       {Qt::Key_Down, false, 3, 3},
    };
    RelatorioDePaginas relatorio(5);
    TJanela t(relatorio.R);
    ASSERT_TRUE(t.Gerou());
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << "tecla " << int(c.tecla) << (c.alt ? " com Alt" : ""));
        t.Janela.QRPreview->DefinePagina(c.de);
        QTest::keyClick(t.Janela.QRPreview, c.tecla, c.alt ? Qt::AltModifier : Qt::NoModifier);
        EXPECT_EQ(t.Janela.QRPreview->PaginaAtual(), c.para);
        EXPECT_EQ(t.Status(), QStringLiteral("Página %1/5").arg(c.para));
    }
    QTest::keyClick(t.Janela.QRPreview, Qt::Key_Escape);
    EXPECT_FALSE(t.Janela.isVisible());   // Escape closes, as "Fechar" (Alt+F) does
}

TEST(TFoPreview, ClosingWhileGeneratingIsRefusedAndWorksAfterwards)
{
    RelatorioDePaginas relatorio(20);
    TFoPreview* janela = nullptr;
    bool aceitouDurante = true;
    relatorio.R.PrecisaDados = [&] {
        if (relatorio.Atual == 10) {
            janela->close();   // the system menu's close, while pages are being generated
            aceitouDurante = !janela->isVisible() || janela->Fechando;
        }
        return ++relatorio.Atual <= relatorio.Total;
    };
    TJanela t(relatorio.R);
    janela = &t.Janela;
    ASSERT_TRUE(t.Gerou());

    EXPECT_FALSE(aceitouDurante);
    EXPECT_EQ(t.Janela.QRPreview->TotalPaginas(), 20);
    EXPECT_TRUE(t.Janela.close());
    EXPECT_TRUE(t.Janela.Fechando);
    EXPECT_FALSE(t.Janela.isVisible());

    // Once it accepted to close, the window ignores every command.
    const int pagina = t.Janela.QRPreview->PaginaAtual();
    t.Janela.NextPage->click();
    EXPECT_EQ(t.Janela.QRPreview->PaginaAtual(), pagina);
}

TEST(TFoPreview, CloseButtonStopsTheGenerationThenClosesOnTheNextClick)
{
    RelatorioDePaginas relatorio(200);
    TFoPreview* janela = nullptr;
    relatorio.R.BandaDe(QStringLiteral("Detalhe")).DepoisDeImprimir = [&](TBanda&, bool) {
        if (relatorio.Atual == 5)
            janela->ToolButton2->click();
    };
    TJanela t(relatorio.R);
    janela = &t.Janela;
    ASSERT_TRUE(t.Gerou());

    EXPECT_TRUE(t.Janela.isVisible());
    EXPECT_LE(t.Janela.QRPreview->TotalPaginas(), 5);
    EXPECT_TRUE(relatorio.R.Documento()->Cancelado());
    t.Janela.ToolButton2->click();
    EXPECT_FALSE(t.Janela.isVisible());
}

TEST(TFoPreview, PrintsTheRangeChosenInTheDialog)
{
    const struct {
        const char* caso;
        TEscolhaImpressao escolha;
        QStringList paginas;
    } casos[] = {
        {"all", {true, TFaixaImpressao::Todas, 0, 0}, {"Página 1", "Página 2", "Página 3", "Página 4"}},
        {"the page on the screen", {true, TFaixaImpressao::Selecao, 0, 0}, {"Página 3"}},
        {"from-to", {true, TFaixaImpressao::Paginas, 2, 3}, {"Página 2", "Página 3"}},
        {"from-to beyond the last", {true, TFaixaImpressao::Paginas, 4, 9}, {"Página 4"}},
        {"cancelled", {false, TFaixaImpressao::Todas, 0, 0}, {}},
    };
    RelatorioDePaginas relatorio(4);
    TJanela t(relatorio.R);
    ASSERT_TRUE(t.Gerou());
    t.Janela.QRPreview->DefinePagina(3);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta() + QLatin1Char('/') + QString::fromLatin1(c.caso));
        DialogoImpressaoRoteirizado dialogo;
        dialogo.Responde(c.escolha);
        t.Janela.Print->click();

        ASSERT_EQ(dialogo.Ofertas().size(), 1u);
        EXPECT_EQ(dialogo.Ofertas()[0].Minimo, 1);
        EXPECT_EQ(dialogo.Ofertas()[0].Maximo, 4);
        ASSERT_EQ(impressoras.Arquivos().size(), 1u);
        const QString arquivo = impressoras.Arquivos()[0];
        if (c.paginas.isEmpty())
            EXPECT_FALSE(QFileInfo::exists(arquivo));
        else
            EXPECT_EQ(TextoPdf::TextosJuntos(arquivo), c.paginas);
        EXPECT_TRUE(t.Janela.isVisible());   // the window stays open
    }
}

TEST(TFoPreview, PrintWithoutAnyPrinterShowsMessage161)
{
    RelatorioDePaginas relatorio(2);
    TJanela t(relatorio.R);
    ASSERT_TRUE(t.Gerou());
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());
    impressoras.Existe = false;
    DialogosRoteirizados dialogos;
    DialogoImpressaoRoteirizado dialogo;   // no answer queued: it must not be shown

    t.Janela.Print->click();

    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{161});
    EXPECT_TRUE(dialogo.Ofertas().empty());
}

TEST(TFoPreview, PrintWithOnlyThePdfStandInTellsWhereTheFileWent)
{
    RelatorioDePaginas relatorio(2);
    TJanela t(relatorio.R);
    ASSERT_TRUE(t.Gerou());
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());
    impressoras.Nomes.clear();
    DialogosRoteirizados dialogos;
    DialogoImpressaoRoteirizado dialogo;
    dialogo.Responde({true, TFaixaImpressao::Todas, 0, 0});

    t.Janela.Print->click();

    ASSERT_EQ(impressoras.Arquivos().size(), 1u);
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{162});
    EXPECT_TRUE(dialogos.Textos().front().contains(QDir::toNativeSeparators(impressoras.Arquivos().front())))
        << dialogos.Textos().front().toStdString();
}

TEST(TFoPreview, FailedPdfWriteShowsMessage159)
{
    // A printer whose PDF file cannot be written (its folder does not exist).
    struct TImpressoraSemPasta final : IImpressoras {
        IImpressoras* Anterior = Impressoras::Instala(this);
        ~TImpressoraSemPasta() override { Impressoras::Instala(Anterior); }
        bool ExisteImpressora() const override { return true; }
        QStringList Instaladas() const override { return {}; }
        int CodigoPapelPadrao() const override { return 9; }
        TEscolhaImpressora Escolha() const override { return {}; }
        void Escolhe(const TEscolhaImpressora&) override {}
        std::unique_ptr<QPrinter> CriaImpressora(const QString&) const override
        {
            auto impressora = std::make_unique<QPrinter>();
            impressora->setOutputFormat(QPrinter::PdfFormat);
            impressora->setOutputFileName(ProgramaDeTeste::Pasta() + QStringLiteral("/nao/existe.pdf"));
            return impressora;
        }
    } impressoras;
    RelatorioDePaginas relatorio(2);
    TJanela t(relatorio.R);
    ASSERT_TRUE(t.Gerou());
    DialogosRoteirizados dialogos;
    DialogoImpressaoRoteirizado dialogo;
    dialogo.Responde({true, TFaixaImpressao::Todas, 0, 0});

    t.Janela.Print->click();

    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{159});
    EXPECT_TRUE(t.Janela.isVisible());
}

// Batches as the report routines make them: the data event stops at a page limit and
// announces the next batch; the registered routine generates it into the same report.
TEST(TFoPreview, NextBatchesComeFromTheRegisteredRoutineUntilTheLast)
{
    RelatorioDePaginas relatorio(7);
    int proximoRegistro = 1;
    relatorio.R.AntesDeGerar = [&](bool&) { relatorio.Atual = proximoRegistro - 1; };
    relatorio.R.PrecisaDados = [&] {
        if (relatorio.R.NumeroPagina() >= 3 && relatorio.Atual < relatorio.Total) {
            proximoRegistro = relatorio.Atual + 1;
            HabilitaProximasPaginas();
            return false;
        }
        return ++relatorio.Atual <= relatorio.Total;
    };
    int chamadas = 0;
    SetaEventoProximasPaginas([&] {
        ++chamadas;
        relatorio.R.Gera();
    });
    QStringList vistos;
    QTimer::singleShot(0, [&] {
        TFoPreview* janela = FoPreview();
        ASSERT_NE(janela, nullptr);
        for (int lote = 1; lote <= 3; ++lote) {
            ASSERT_TRUE(Espera([&] { return janela->Print->isEnabled() && !janela->Gerando(); }));
            vistos << janela->PainelPagina->text();
            EXPECT_EQ(janela->ProximasPaginas->isEnabled(), lote < 3);
            EXPECT_EQ(janela->MaisPaginas, lote < 3);
            janela->LastPage->click();
            janela->ProximasPaginas->click();
        }
        EXPECT_EQ(chamadas, 2);   // pressed after the last batch: nothing
        janela->close();
    });

    VisualizaRelatorio(relatorio.R);

    EXPECT_EQ(vistos,
              (QStringList{QStringLiteral("Página 1/3"), QStringLiteral("Página 1/3"), QStringLiteral("Página 1/1")}));
    EXPECT_EQ(FoPreview(), nullptr);
    EXPECT_EQ(relatorio.R.Documento(), nullptr);   // the pages went with the window
}

TEST(TFoPreview, NextBatchButtonDoesNothingWithoutAnAnnouncedBatch)
{
    RelatorioDePaginas relatorio(2);
    TJanela t(relatorio.R);
    int chamadas = 0;
    t.Janela.EventoProximasPaginas = [&] { ++chamadas; };
    ASSERT_TRUE(t.Gerou());
    t.Janela.ProximasPaginas->setEnabled(true);   // even if it could be clicked
    t.Janela.ProximasPaginas->click();
    EXPECT_EQ(chamadas, 0);
    EXPECT_EQ(t.Janela.QRPreview->TotalPaginas(), 2);
}

// Batches the engine makes: the generation stops after PaginasPorLote pages and goes on,
// exactly where it stopped, when the next batch is asked for.
TEST(TFoPreview, EngineBatchesResumeWhereTheyStopped)
{
    RelatorioDePaginas relatorio(5);
    relatorio.R.PaginasPorLote = 2;
    TJanela t(relatorio.R);
    QStringList primeiras;
    for (int lote = 1; lote <= 3; ++lote) {
        ASSERT_TRUE(t.Gerou());
        const TDocumentoRelatorio* doc = t.Janela.QRPreview->Documento();
        ASSERT_NE(doc, nullptr);
        primeiras << QStringLiteral("%1+%2").arg(doc->NumeroDaPagina(1)).arg(doc->Quantidade());
        EXPECT_EQ(t.Janela.ProximasPaginas->isEnabled(), lote < 3);
        t.Janela.ProximasPaginas->click();
    }
    EXPECT_EQ(primeiras, (QStringList{QStringLiteral("1+2"), QStringLiteral("3+2"), QStringLiteral("5+1")}));
    EXPECT_FALSE(relatorio.R.Gerando());
}

TEST(TFoPreview, MinimisedPreviewComesBackMaximisedWhenAPageArrives)
{
    RelatorioDePaginas relatorio(2);
    TFoPreview janela;
    janela.DefineRelatorio(&relatorio.R);
    janela.show();
    janela.showMinimized();
    ASSERT_TRUE(janela.isMinimized());
    ASSERT_TRUE(Espera([&] { return janela.Print->isEnabled(); }));
    EXPECT_FALSE(janela.isMinimized());
    EXPECT_TRUE(janela.windowState().testFlag(Qt::WindowMaximized));
}

TEST(TFoPreview, ReportWithoutPagesClosesThePreviewByItself)
{
    RelatorioDePaginas relatorio(0);
    relatorio.R.ImprimeSeVazio = false;
    bool forcado = false;
    QTimer guarda;
    guarda.setSingleShot(true);
    QObject::connect(&guarda, &QTimer::timeout, [&] {
        forcado = true;
        if (FoPreview() != nullptr)
            FoPreview()->done(0);
    });
    guarda.start(3000);

    VisualizaRelatorio(relatorio.R);

    EXPECT_FALSE(forcado);
    EXPECT_EQ(FoPreview(), nullptr);
}

TEST(TFoPreview, ErrorOfTheReportReachesTheCallerAfterTheWindowIsGone)
{
    RelatorioDePaginas relatorio(10);
    relatorio.R.BandaDe(QStringLiteral("Detalhe")).AntesDeImprimir = [&](TBanda&, bool&) {
        if (relatorio.Atual == 4)
            throw std::runtime_error("falha ao ler os dados");
    };
    EXPECT_THROW(VisualizaRelatorio(relatorio.R), std::runtime_error);
    EXPECT_EQ(FoPreview(), nullptr);
    EXPECT_FALSE(relatorio.R.Gerando());
}

TEST(TFoPreview, ZoomButtonsChooseHowThePageFits)
{
    RelatorioDePaginas relatorio(1);
    TJanela t(relatorio.R);
    t.Janela.resize(800, 600);
    ASSERT_TRUE(t.Gerou());
    EXPECT_EQ(t.Janela.QRPreview->Zoom(), 100);
    t.Janela.ZoomFit->click();
    EXPECT_EQ(t.Janela.QRPreview->ModoZoom(), TPreviewRelatorio::TModoZoom::PaginaInteira);
    const int inteira = t.Janela.QRPreview->Zoom();
    t.Janela.ZoomToWidth->click();
    EXPECT_EQ(t.Janela.QRPreview->ModoZoom(), TPreviewRelatorio::TModoZoom::LarguraDaPagina);
    EXPECT_GT(t.Janela.QRPreview->Zoom(), inteira);   // a portrait page is taller than wide
    t.Janela.Zoom100->click();
    EXPECT_EQ(t.Janela.QRPreview->Zoom(), 100);
}

TEST(TPreviewRelatorio, ZoomThatFitsTheArea)
{
    const struct {
        QSizeF pagina;
        QSize area;
        bool soLargura;
        int zoom;
    } casos[] = {
        {{800, 1000}, {820, 1020}, false, 100}, {{800, 1000}, {420, 1020}, false, 50},
        {{800, 1000}, {820, 520}, false, 50},   {{800, 1000}, {820, 520}, true, 100},
        {{800, 1000}, {20, 20}, false, 5},   // never below 5
        {{}, {800, 600}, false, 100},        // no page yet
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.zoom);
        EXPECT_EQ(TPreviewRelatorio::ZoomQueCabe(c.pagina, c.area, c.soLargura), c.zoom);
    }
}
