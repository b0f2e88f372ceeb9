#include <QFile>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include "ReciboDeTeste.h"
#include "RoteiroAssistente.h"
#include "TextoPdf.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "reports/printing/ComandosImpressao.h"
#include "screens/GravadasDeTeste.h"
#include "screens/search/TFrPesquisaDeclaracoes.h"
#include "support/ProgramaDeTeste.h"

using namespace ReciboDeTeste;

namespace {

// Delivery files on the volumes of the case, their receipts chosen in the print assistant.
class ReciboPeloAssistenteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        ASSERT_TRUE(QDir().mkpath(pdfs));
        CriaTabelasPrograma(*TDatabase::DaPasta(TPastas::Dados()));   // Geradas among them
        colecao = std::make_unique<TColecaoPruv>();
        pruv.SetErros(&erros);
    }

    // A delivery file packed as the writer packs one, its header first, holding the receipt data;
    // with the receipt file beside it when transmitted.
    QString Entrega(const char* ni, const char* nome, const QString& fixture, bool transmitida)
    {
        const QString trabalho = ProgramaDeTeste::Pasta() + QStringLiteral("/Entrega/") + QLatin1String(ni);
        QByteArray declaracao = GravadasDeTeste::Cabecalho(ni, nome);
        declaracao.truncate(declaracao.indexOf("\r\n"));
        declaracao += "\r\n" + QByteArray(730, '1') + "\r\n";
        AdicionaArquivo(Grava(trabalho + QStringLiteral("/Declar.txt"), declaracao));
        AdicionaArquivo(Grava(trabalho + QStringLiteral("/Recibo.ini"), Le(Fixture(fixture + QStringLiteral(".ini")))));
        QString dec = gravadas.PastaDe(ni) + QLatin1Char('/') + QLatin1String(ni)
            + QStringLiteral("-PRUV-2003-2002-ORIGI-NORMAL.dec");
        QDir().mkpath(gravadas.PastaDe(ni));
        EXPECT_EQ(ComprimirPruv(dec, {}), ResultadoCompressao::Ok);
        if (transmitida)
            ReciboAoLado(dec, Le(Fixture(fixture + QStringLiteral(".rec"))));
        return dec;
    }

    // The print assistant answered by the script, then its choice run.
    TPedidoImpressao Imprime(const std::function<void(TFoAssistRelatorios&)>& roteiro)
    {
        TPedidoImpressao pedido;
        QTimer::singleShot(0, [&] {
            TFoAssistRelatorios* a = AssistenteAberto();
            ASSERT_NE(a, nullptr);
            // Nothing may leave an event handler: a failure ends the assistant.
            try {
                roteiro(*a);
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
                a->reject();
            }
        });
        ExecutaAssistRelatorios(pedido, pruv, *colecao, false, nullptr);
        DespachaImpressao(pedido, pruv, *colecao, RotinasImpressao());
        return pedido;
    }

    GravadasDeTeste gravadas;
    QString pdfs = ProgramaDeTeste::Pasta() + QStringLiteral("/pdf");
    ImpressorasSimuladas impressoras{pdfs};
    DialogosRoteirizados dialogos;
    TransmissaoRoteirizada transmissao;
    TErros erros;
    TPruv pruv;
    std::unique_ptr<TColecaoPruv> colecao;
};

}   // namespace

TEST_F(ReciboPeloAssistenteTest, TheReceiptOfATransmittedFileChosenOnPage8IsPrinted)
{
    transmissao.DisponibilizaAssinatura(DiretorioPrograma(), true);
    const QString transmitida = Entrega("11222333000181", "EMPRESA ALFA LTDA", QStringLiteral("pj-fundos"), true);
    Entrega("11144477735", "JOSE DA SILVA", QStringLiteral("pf-2001"), false);

    const TPedidoImpressao pedido = Imprime([](TFoAssistRelatorios& a) {
        Roteiro(a, {">", "RBRecibo", ">", ">"});
        ASSERT_EQ(a.PaginaAtual(), 8);
        EXPECT_EQ(a.FrPesquisaDeclaracoes1->TbGeradas().RecordCount(), 1);   // the transmitted one
        a.FrPesquisaDeclaracoes1->DbgGeradas->SelectCurrentRecord();
        Roteiro(a, {">"});
        EXPECT_FALSE(a.RBVisualizar->isEnabled());   // receipts are printed only
        EXPECT_TRUE(a.RBImprimir->isChecked());
        Roteiro(a, {"!"});
    });
    EXPECT_EQ(pedido.Codigo, 12);
    EXPECT_EQ(pedido.Arquivos, QStringList{transmitida});
    EXPECT_TRUE(dialogos.Mensagens().empty());
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QStringList paginas = TextoPdf::TextosJuntos(impressoras.Arquivos()[0]);
    EXPECT_EQ(paginas.size(), 1);
    const QString texto = paginas.join(QLatin1Char('#'));
    for (const QString& linha : {QStringLiteral("RECIBO DE ENTREGA"), QStringLiteral("05. Imposto Retido 0,01"),
                                 QStringLiteral("Nº do Recibo: 07.92.64.89.28-00"), QStringLiteral("Página: 1 de 1")})
        EXPECT_TRUE(texto.contains(linha)) << linha.toStdString() << "\n" << texto.toStdString();
    EXPECT_FALSE(QFile::exists(ReciboDados()));   // the unpacked receipt data do not stay
}

TEST_F(ReciboPeloAssistenteTest, NothingFoundOrNothingChosenPrintsNoReceipt)
{
    Entrega("11144477735", "JOSE DA SILVA", QStringLiteral("pf-2001"), false);
    // No transmitted file: only Voltar and Cancelar remain, also after a Concluir.
    EXPECT_EQ(Imprime([](TFoAssistRelatorios& a) {
                  Roteiro(a, {">", "RBRecibo", "!"});
                  EXPECT_EQ(a.PaginaAtual(), 8);
                  EXPECT_FALSE(a.findChild<QPushButton*>(QStringLiteral("BtnAvancar"))->isEnabled());
                  EXPECT_FALSE(a.findChild<QPushButton*>(QStringLiteral("BtnOK"))->isEnabled());
                  Roteiro(a, {"x"});
              }).Codigo,
              0);
    // A file listed but none chosen: the reason, and Fechar prints nothing.
    Entrega("11222333000181", "EMPRESA ALFA LTDA", QStringLiteral("pj-fundos"), true);
    EXPECT_EQ(Imprime([](TFoAssistRelatorios& a) {
                  Roteiro(a, {">", "RBRecibo", ">", ">"});
                  EXPECT_EQ(a.FrPesquisaDeclaracoes1->TbGeradas().RecordCount(), 1);
                  Roteiro(a, {">"});
                  EXPECT_EQ(a.PaginaAtual(), 11);
                  EXPECT_EQ(a.LbErroComprovRecibo->text(), TFoAssistRelatorios::TextoSemArquivo);
                  Roteiro(a, {"!"});
              }).Codigo,
              0);
    EXPECT_TRUE(impressoras.Arquivos().isEmpty());
}
