#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "reports/ReciboDeTeste.h"
#include "TextoPdf.h"
#include "model/values/PastasPrograma.h"
#include "platform/files/TPastas.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "reports/receipt/ImprimeRecibo.h"
#include "support/ProgramaDeTeste.h"

using namespace ReciboDeTeste;

namespace {

class ImprimeReciboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        ASSERT_TRUE(QDir().mkpath(pdfs));
    }

    // Every page of the i-th receipt printed, its lines joined by "|".
    QString Impresso(int i) const
    {
        return TextoPdf::TextosJuntos(impressoras.Arquivos().at(i)).join(QLatin1Char('#'));
    }

    QString pdfs = ProgramaDeTeste::Pasta() + QStringLiteral("/pdf");
    ImpressorasSimuladas impressoras{pdfs};
    DialogosRoteirizados dialogos;
    TransmissaoRoteirizada transmissao;
};

void ContemTodos(const QString& texto, const QStringList& partes)
{
    for (const QString& p : partes)
        EXPECT_TRUE(texto.contains(p)) << p.toStdString() << "\n in: " << texto.toStdString();
}

void ContemNenhum(const QString& texto, const QStringList& partes)
{
    for (const QString& p : partes)
        EXPECT_FALSE(texto.contains(p)) << p.toStdString();
}

const QStringList Carimbo = {QStringLiteral("QUABIX"), QStringLiteral("Atenção:")};

}   // namespace

TEST_F(ImprimeReciboTest, JustWrittenDeliveryPrintsEveryFieldOfItsReceiptDataWithoutTheStamp)
{
    Grava(ReciboDados(), Le(Fixture(QStringLiteral("pj-fundos.ini"))));
    ImprimeRecibo({ReciboDados()}, true, ProgramaDeTeste::Pasta() + QStringLiteral("/Gravadas/nada.dec"));

    EXPECT_TRUE(dialogos.Mensagens().empty());
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QString texto = Impresso(0);
    ContemTodos(
        texto,
        {
            "MINISTÉRIO DA BREVIA|SECRETARIA DA MORVEX FEDERAL|PRUV - Pruv 2003|RECIBO DE ENTREGA",
            "Exercício: 2003 Ano-calendário: 2002 Tipo: Original",
            "Identificação do Declarante|CNPJ do Declarante: 11.222.333/0001-81|Nome Empresarial: Comércio & Filhos "
            "Ltda",
            "|0001 0002 0003|Fundos ou Clubes de Investimentos informados|55.667.788/0001-86 99.887.766/0001-05 "
            "12.345.678/0001-95 23.456.789/0001-41 34.567.890/0001-03|45.678.901/0001-50|",
            "Extrato da Declaração|Valores|01. Beneficiários PF 12|02. Beneficiários PJ 3|"
            "03. Rendimentos Tributáveis 1.234.567,80|04. Deduções 2.275,08|05. Imposto Retido 0,01|"
            "Compensação Judicial|06. Compensação Ano Atual por Decisão Judicial 10,00|"
            "07. Compensação Anos Anteriores por Decisão Judicial 0,00|Tributação com Exigibilidade Suspensa|"
            "08. Rendimentos Tributáveis 99.999.999.999,99|09. Deduções 0,00|10. IRRF 3.487,30|11. Depósito Judicial "
            "50,00|",
            "Dados da pessoa responsável pelo preenchimento da declaração|Nome: Pedro Álvares|CPF: 529.982.247-25|"
            "Correio Eletrônico: pedro@comercio.com.br|DDD: 011 Telefone: 98765-4321 Fax: 3333-4444|",
            "CÓDIGO DE ACESSO|CNPJ: 11.222.333/0001-81|Nº do Recibo: 07.92.64.89.28-00|",
            "07.92.64.89.28 Página: 1 de 1",
        });
    ContemNenhum(texto, Carimbo);
}

TEST_F(ImprimeReciboTest, CertifiedReceiptGetsTheStampAndFrom2002TheNotes)
{
    transmissao.DisponibilizaAssinatura(DiretorioPrograma(), true);
    const QString pj = Entrega(QStringLiteral("pj"), Le(Fixture(QStringLiteral("pj-fundos.ini"))));
    ReciboAoLado(pj, Le(Fixture(QStringLiteral("pj-fundos.rec"))));
    const QString pf = Entrega(QStringLiteral("pf"), Le(Fixture(QStringLiteral("pf-2001.ini"))));
    ReciboAoLado(pf, Le(Fixture(QStringLiteral("pf-2001.rec"))));
    Grava(ReciboDados(), "[Declarante]\r\nNM_DECLAR=Outra\r\n");   // left by an earlier print

    ImprimeRecibo({pj, pf}, false, QString());

    EXPECT_TRUE(dialogos.Mensagens().empty());
    ASSERT_EQ(impressoras.Arquivos().size(), 2);
    ASSERT_EQ(transmissao.ChamadasVA5().size(), 2u);
    EXPECT_EQ(transmissao.ChamadasVA5()[1].Ni, QStringLiteral("11144477735"));
    ContemTodos(Impresso(0),
                {
                    "|Atenção:|Esta declaração será processada posteriormente, estando sujeita à rejeição.|A partir de "
                    "21/03/2003,",
                    "Para retificar esta declaração, será exigido o nº do recibo informado abaixo.|CÓDIGO DE ACESSO|",
                    "|07.92.64.89.28 Página: 1 de 1",
                    "|Declaração recebida via internet pelo agente receptor QUABIX|em 14/3/2003 às 15:30:05 0792648928 "
                    "07.92.64.89.28|",
                });
    const QString pessoa = Impresso(1);
    ContemTodos(
        pessoa,
        {
            "Exercício: 2001 Ano-calendário: 2001 Tipo: Original|Encerramento de Espólio / Saída definitiva do país|",
            "CPF do Declarante: 111.444.777-35|Nome: José da Silva|",
            "|CPF: 111.444.777-35|Nº do Recibo: 12.34.56.78.90-",
            "QUABIX|em 28/2/2002 às 09:08:07 1234567890 12.34.56.78.90|",
        });
    ContemNenhum(pessoa, {QStringLiteral("Atenção:"), QStringLiteral("Fundos ou Clubes")});
    EXPECT_TRUE(QString::fromLatin1(Le(ReciboDados()))
                    .contains(QStringLiteral("NM_DECLAR=José da Silva")));   // the last unpacked
}

TEST_F(ImprimeReciboTest, ReceiptFileThatFailsItsCheckStopsOnlyItsOwnReceipt)
{
    transmissao.DisponibilizaAssinatura(DiretorioPrograma(), true);
    QByteArray alterado = Le(Fixture(QStringLiteral("pj-fundos.rec")));
    alterado[alterado.indexOf("RC") + 40] = '7';
    const QString dec = Entrega(QStringLiteral("pj"), Le(Fixture(QStringLiteral("pj-fundos.ini"))));
    ReciboAoLado(dec, alterado);
    const QString semRecibo = Entrega(QStringLiteral("pf"), Le(Fixture(QStringLiteral("pf-2001.ini"))));

    ImprimeRecibo({dec, semRecibo}, false, QString());

    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{1});
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QString texto = Impresso(0);
    EXPECT_TRUE(texto.contains(QStringLiteral("José da Silva")));
    ContemNenhum(texto, Carimbo);
}

TEST_F(ImprimeReciboTest, UnpackableDeliveryEndsTheCallAndBadReceiptNumbersSkipTheirFile)
{
    const QString primeiro = Entrega(QStringLiteral("a"), Le(Fixture(QStringLiteral("pf-2001.ini"))));
    const QString estragado = Grava(ProgramaDeTeste::Pasta() + QStringLiteral("/Gravadas/b.dec"), "não é uma entrega");
    const QString terceiro = Entrega(QStringLiteral("c"), Le(Fixture(QStringLiteral("pj-fundos.ini"))));
    ImprimeRecibo({primeiro, estragado, terceiro}, false, QString());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{2});
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    EXPECT_TRUE(Impresso(0).contains(QStringLiteral("José da Silva")));

    // A CRC that makes no receipt number prints nothing for that file; damaged amounts end the call.
    dialogos.Limpa();
    QByteArray semNumero = Le(Fixture(QStringLiteral("pj-fundos.ini")));
    semNumero.replace("CRC=0792648928", "CRC=0000000000");
    QByteArray valorEstragado = Le(Fixture(QStringLiteral("pf-2001.ini")));
    valorEstragado.replace("VL_REND=15000", "VL_REND=15.000,00");
    ImprimeRecibo(
        {Entrega(QStringLiteral("d"), semNumero), terceiro, Entrega(QStringLiteral("e"), valorEstragado), primeiro},
        false, QString());
    EXPECT_EQ(dialogos.Codigos(), (std::vector<int>{70, 2}));
    ASSERT_EQ(impressoras.Arquivos().size(), 2);
    EXPECT_TRUE(Impresso(1).contains(QStringLiteral("Comércio & Filhos Ltda")));
}

TEST_F(ImprimeReciboTest, WithoutAPrinterNothingIsPrintedAndTheUserIsTold)
{
    impressoras.Existe = false;
    Grava(ReciboDados(), Le(Fixture(QStringLiteral("pf-2001.ini"))));
    ImprimeRecibo({ReciboDados(), ReciboDados()}, true, QString());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{161});
}
