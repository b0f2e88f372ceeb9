#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "TextoPdf.h"
#include "assistants/import/TFoErrosImportCompr.h"
#include "exchange/import/TArqComprovante.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TPruv.h"
#include "platform/files/TPastas.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "shell/printing/TFoPreview.h"
#include "support/ProgramaDeTeste.h"

// An import of statements whose lines are all refused, the report previewed through its entry:
// each line with its message and fields on the preview's pages, and the pair gone afterwards.
TEST(TFoErrosImportCompr, ThePreviewShowsEachRefusedLineAndThePairIsDeletedAfterIt)
{
    ASSERT_TRUE(TPastas::Cria());
    DialogosRoteirizados dialogos;
    TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
    TErros erros;
    TPruv pruv;
    pruv.SetErros(&erros);
    pruv.GetDeclarante().SetNi(QStringLiteral("11222333000181"));
    pruv.SetAnoSemExcecao(QStringLiteral("2002"));
    const QString arquivo = TPastas::Programa() + QStringLiteral("/comprovantes.txt");
    {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(50, '1') + "\r\n");
        QByteArray linha = "12345678900" + QByteArray("000000000010600") + QByteArray(15 * 8, '0')
            + QByteArray("BOLSA DE ESTUDOS").leftJustified(60, ' ') + "000000000001000" + "ALUGUEL RECEBIDO";
        f.write(linha + "\r\n");
    }
    TArqComprovante importacao(arquivo, pruv);
    ASSERT_EQ(importacao.Importa(nullptr), 0);
    ASSERT_EQ(importacao.Rejeitadas(), 2);
    const QString nome = importacao.NomeLog();

    // Nothing without a count or a name; the pair stays.
    ExibeErrosImportCompr(nome, 0);
    ExibeErrosImportCompr(QStringLiteral("   "), 2);
    const QString dsc = TPastas::ErroImp() + QLatin1Char('/') + nome + QStringLiteral(".dsc");
    ASSERT_TRUE(QFile::exists(dsc));

    const QString pdf = ProgramaDeTeste::Pasta() + QStringLiteral("/compr.pdf");
    bool exportado = false;
    QTimer::singleShot(0, [&] {
        TFoPreview* janela = FoPreview();
        ASSERT_NE(janela, nullptr);
        QElapsedTimer relogio;
        relogio.start();
        while ((!janela->Print->isEnabled() || janela->Gerando()) && relogio.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        exportado = TSaidaRelatorio::ExportaPdf(*janela->Relatorio()->Documento(), pdf);
        janela->close();
    });
    ExibeErrosImportCompr(nome, 2);
    ASSERT_TRUE(exportado);

    const QString tudo = TextoPdf::TextosJuntos(pdf).join(QLatin1Char('|'));
    const QString esperados[] = {
        QStringLiteral("Arquivo: ") + dsc,
        QStringLiteral("Descrição do erro: Linha: 1 - Tamanho de Linha Inválido: 50"),
        QStringLiteral("Beneficiário 11111111111 Previdência Oficial 111111111111111"),
        QStringLiteral("Descrição do erro: Linha: 2 - Número de Inscrição no CPF inválido: 123.456.789-00."),
        QStringLiteral("Beneficiário 12345678900 Previdência Oficial 000000000010600"),
        QStringLiteral("Descrição de Outros Rendimentos Isentos BOLSA DE ESTUDOS"),
        QStringLiteral("Outros Rend. Isent. 000000000001000"),
        QStringLiteral("Informações Complementares:|ALUGUEL RECEBIDO"),
    };
    for (const QString& e : esperados)
        EXPECT_TRUE(tudo.contains(e)) << e.toStdString() << "\n" << tudo.toStdString();
    EXPECT_FALSE(QFile::exists(dsc));
    EXPECT_FALSE(QFile::exists(TPastas::ErroImp() + QLatin1Char('/') + nome + QStringLiteral(".txt")));
}
