#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <gtest/gtest.h>

#include "support/ProgramaDeTeste.h"
#include "platform/report/RelatorioDePaginas.h"
#include "platform/report/TextoPdf.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/printing/TImpressorasSistema.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/report/pages/TUnidades.h"

namespace {

QString Arquivo(const QString& nome)
{
    return ProgramaDeTeste::Pasta() + QLatin1Char('/') + nome;
}

QByteArray Conteudo(const QString& arquivo)
{
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}   // namespace

TEST(TSaidaRelatorio, PaperAndUnitsReachThePdf)
{
    const struct {
        int codigo;
        TOrientacao orientacao;
        QSizeF pontos;
    } casos[] = {
        {9, TOrientacao::Retrato, {595, 842}},
        {1, TOrientacao::Paisagem, {792, 612}},
        {5, TOrientacao::Retrato, {612, 1008}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        TRelatorio r(QStringLiteral("Papel"));
        r.Papel().DefineCodigo(c.codigo);
        r.Papel().DefineOrientacao(c.orientacao);
        r.Papel().DefineMargensEmMilimetros(20, 10, 25.4, 10);
        TBanda& detalhe = r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Detalhe"));
        detalhe.Altura = 40;
        TRotulo& direita = detalhe.AdicionaRotulo(QStringLiteral("Direita"), QStringLiteral("Fim"), 0, 0,
                                                  TFonte::Cria(QStringLiteral("Liberation Sans"), 12));
        direita.Largura = r.Papel().LarguraUtil();
        direita.Alinhamento = Qt::AlignRight;
        detalhe.AdicionaRotulo(QStringLiteral("Esquerda"), QStringLiteral("Início"), 96, 0,
                               TFonte::Cria(QStringLiteral("Liberation Sans"), 12));
        const QString arquivo = Arquivo(QStringLiteral("papel.pdf"));
        ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(r, arquivo));

        const QSizeF tamanho = TextoPdf::TamanhoPagina(arquivo);
        EXPECT_NEAR(tamanho.width(), c.pontos.width(), 1);
        EXPECT_NEAR(tamanho.height(), c.pontos.height(), 1);
        const auto palavras = TextoPdf::Palavras(arquivo);
        ASSERT_EQ(palavras.size(), 2);
        const auto& inicio = palavras[0].Texto == QStringLiteral("Início") ? palavras[0] : palavras[1];
        const auto& fim = palavras[0].Texto == QStringLiteral("Fim") ? palavras[0] : palavras[1];
        // One inch of margin and one inch (96 units) more: 144 points from the paper's edge.
        EXPECT_NEAR(inicio.Caixa.left(), 144, 0.5);
        EXPECT_NEAR(fim.Caixa.right(), c.pontos.width() - 10 / 25.4 * 72, 0.5);
        EXPECT_GT(fim.Caixa.top(), 20 / 25.4 * 72 - 0.5);
        EXPECT_LT(fim.Caixa.bottom(), 20 / 25.4 * 72 + 12 * 0.75 + 1);
    }
}

TEST(TSaidaRelatorio, PrintsTheRangeOfHeldPagesAsked)
{
    RelatorioDePaginas relatorio(5);
    ASSERT_TRUE(relatorio.R.Gera());
    const TDocumentoRelatorio& doc = *relatorio.R.Documento();
    const struct {
        int de, ate;
        QStringList esperado;
    } casos[] = {
        {2, 3, {"Página 2", "Página 3"}},
        {4, 4, {"Página 4"}},
        {0, 99, {"Página 1", "Página 2", "Página 3", "Página 4", "Página 5"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.de);
        const QString arquivo = Arquivo(QStringLiteral("faixa.pdf"));
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(arquivo);
        ASSERT_TRUE(TSaidaRelatorio::ImprimePaginas(doc, impressora, c.de, c.ate));
        EXPECT_EQ(TextoPdf::TextosJuntos(arquivo), c.esperado);
        EXPECT_EQ(impressora.outputFileName(), arquivo);
    }
}

TEST(TSaidaRelatorio, FailedOrRefusedExportLeavesTheEarlierFile)
{
    const QString arquivo = Arquivo(QStringLiteral("antigo.pdf"));
    {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("conteudo anterior");
    }
    RelatorioDePaginas recusado(3);
    recusado.R.AntesDeGerar = [](bool& imprime) { imprime = false; };
    EXPECT_FALSE(TSaidaRelatorio::ExportaPdf(recusado.R, arquivo));

    RelatorioDePaginas cancelado(30);
    cancelado.R.BandaDe(QStringLiteral("Detalhe")).DepoisDeImprimir = [&](TBanda&, bool) {
        if (cancelado.Atual == 4)
            cancelado.R.Cancela();
    };
    EXPECT_FALSE(TSaidaRelatorio::ExportaPdf(cancelado.R, arquivo));

    RelatorioDePaginas comErro(30);
    comErro.R.BandaDe(QStringLiteral("Detalhe")).AntesDeImprimir = [&](TBanda&, bool&) {
        if (comErro.Atual == 4)
            throw std::runtime_error("erro");
    };
    EXPECT_THROW(TSaidaRelatorio::ExportaPdf(comErro.R, arquivo), std::runtime_error);

    EXPECT_EQ(Conteudo(arquivo), QByteArray("conteudo anterior"));
    EXPECT_EQ(QDir(ProgramaDeTeste::Pasta()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("antigo.pdf")});

    RelatorioDePaginas bom(2);
    ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(bom.R, arquivo));
    EXPECT_EQ(TextoPdf::TextosJuntos(arquivo), (QStringList{QStringLiteral("Página 1"), QStringLiteral("Página 2")}));
}

TEST(TSaidaRelatorio, ExportIntoAMissingFolderFails)
{
    RelatorioDePaginas relatorio(1);
    EXPECT_FALSE(TSaidaRelatorio::ExportaPdf(relatorio.R, Arquivo(QStringLiteral("nao/existe.pdf"))));
    EXPECT_FALSE(QFileInfo::exists(Arquivo(QStringLiteral("nao"))));
}

TEST(TImpressorasSistema, PdfStandInNamesFilesAfterTheDocumentWithoutOverwriting)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    const struct {
        const char* nome;
        const char* arquivo;
    } casos[] = {
        {"Relatório", "Relatório.pdf"},
        {"a/b:c?", "a_b_c_.pdf"},
        {"", "Relatorio.pdf"},
        {"..", "Relatorio...pdf"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(TImpressorasSistema::ArquivoLivre(pasta, QString::fromUtf8(c.nome)),
                  pasta + QLatin1Char('/') + QString::fromUtf8(c.arquivo));
    }
    QFile(pasta + QStringLiteral("/Lista.pdf")).open(QIODevice::WriteOnly);
    QFile(pasta + QStringLiteral("/Lista (2).pdf")).open(QIODevice::WriteOnly);
    EXPECT_EQ(TImpressorasSistema::ArquivoLivre(pasta, QStringLiteral("Lista")),
              pasta + QStringLiteral("/Lista (3).pdf"));
}

TEST(TImpressorasSistema, WithoutPrintersThePdfStandInPrintsUnlessItsFolderIsRefused)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    const QString pasta = Arquivo(QStringLiteral("pdfs"));
    TImpressorasSistema impressoras(pasta);
    EXPECT_TRUE(impressoras.ExisteImpressora());
    EXPECT_EQ(impressoras.CodigoPapelPadrao(), 9);
    const auto impressora = impressoras.CriaImpressora(QStringLiteral("Lista"));
    ASSERT_NE(impressora, nullptr);
    EXPECT_EQ(impressora->outputFormat(), QPrinter::PdfFormat);
    RelatorioDePaginas relatorio(2);
    ASSERT_TRUE(TSaidaRelatorio::Imprime(relatorio.R, *impressora));
    EXPECT_EQ(TextoPdf::TextosJuntos(pasta + QStringLiteral("/Lista.pdf")),
              (QStringList{QStringLiteral("Página 1"), QStringLiteral("Página 2")}));

    // A folder that cannot be made (a file is in the way) leaves no printer at all.
    QFile(Arquivo(QStringLiteral("arquivo"))).open(QIODevice::WriteOnly);
    TImpressorasSistema recusada(Arquivo(QStringLiteral("arquivo/pdfs")));
    EXPECT_FALSE(recusada.ExisteImpressora());
    EXPECT_EQ(recusada.CriaImpressora(QStringLiteral("Lista")), nullptr);
}

TEST(ImpressorasSimuladas, InstallsItselfForItsLifetime)
{
    IImpressoras* antes = &Impressoras::Atual();
    {
        ImpressorasSimuladas simuladas(ProgramaDeTeste::Pasta());
        EXPECT_EQ(&Impressoras::Atual(), &simuladas);
        simuladas.Existe = false;
        EXPECT_FALSE(Impressoras::Atual().ExisteImpressora());
        EXPECT_EQ(Impressoras::Atual().CriaImpressora(QStringLiteral("x")), nullptr);
    }
    EXPECT_EQ(&Impressoras::Atual(), antes);
}
