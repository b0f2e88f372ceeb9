#include <QFile>
#include <gtest/gtest.h>

#include "model/PruvDeTeste.h"
#include "model/declaration/TResumo.h"
#include "shell/printing/TRotinasImpressao.h"

namespace {

// Routines that note what they were asked for: "report flags", P for a preview, I for print.
struct TRotinasAnotadas {
    QStringList Chamadas;
    TRotinasImpressao Rotinas;

    TRotinasAnotadas()
    {
        auto modo = [](bool visualiza) { return visualiza ? QStringLiteral("P") : QStringLiteral("I"); };
        Rotinas.ImprimeRelatoBenefPorCodigo = [=, this](const TPruv&, TColecaoPruv&, bool v, bool analitico) {
            Chamadas << QStringLiteral("Codigo ") + modo(v) + (analitico ? QStringLiteral(" A") : QStringLiteral(" S"));
        };
        Rotinas.ImprimeRelatoListaBenef = [=, this](const TPruv&, TColecaoPruv&, bool v) {
            Chamadas << QStringLiteral("Lista ") + modo(v);
        };
        Rotinas.ImprimeRelatoGerencial = [=, this](TColecaoPruv&, bool v) {
            Chamadas << QStringLiteral("Gerencial ") + modo(v);
        };
        Rotinas.ImprimeRelatoDeclaracao = [=, this](const TPruv&, TColecaoPruv&, bool v) {
            Chamadas << QStringLiteral("Declaracao ") + modo(v);
        };
        Rotinas.ImprimeComprovantes = [=, this](const TPruv&, const QString& ni, bool v) {
            Chamadas << QStringLiteral("Comprovantes ") + modo(v) + QLatin1Char(' ') + ni;
        };
        Rotinas.ImprimePendencias = [=, this](bool v) { Chamadas << QStringLiteral("Pendencias ") + modo(v); };
        Rotinas.ImprimeRelatoTotalMensalCodigo = [=, this](const TPruv&, TColecaoPruv&, bool v) {
            Chamadas << QStringLiteral("Mensal ") + modo(v);
        };
        Rotinas.ImprimeRecibo = [this](const QStringList& arquivos, bool jaGerado, const QString& nome) {
            Chamadas << QStringLiteral("Recibo ") + arquivos.join(QLatin1Char(','))
                    + (jaGerado ? QStringLiteral(" gerado") : QString()) + nome;
        };
    }
};

class TRotinasImpressaoTest : public PruvDeTeste {};

}   // namespace

TEST_F(TRotinasImpressaoTest, EachChoiceCodeRunsItsReport)
{
    const struct {
        int codigo;
        bool beneficiarios;
        const char* chamada;
    } casos[] = {
        {0, true, ""},
        {1, true, "Codigo P S"},
        {2, true, "Codigo I S"},
        {3, true, "Codigo P A"},
        {4, true, "Codigo I A"},
        {5, true, "Lista P"},
        {6, true, "Lista I"},
        {7, false, "Gerencial P"},
        {8, false, "Gerencial I"},
        {9, true, ""},
        {10, false, "Declaracao P"},
        {11, false, "Declaracao I"},
        {12, false, "Recibo /a/x.dec,/b/y.dec"},
        {13, true, ""},
        {14, true, "Comprovantes P "},
        {15, true, "Comprovantes I "},
        {14, false, ""},
        {15, false, ""},
        {16, false, "Pendencias P"},
        {17, false, "Pendencias I"},
        {18, true, "Comprovantes P 11144477735"},
        {19, true, "Comprovantes I 11144477735"},
        {18, false, ""},
        {19, false, ""},
        {20, true, "Mensal P"},
        {21, true, "Mensal I"},
        {22, true, ""},
        {255, true, ""},
    };
    TPruv pruv;
    pruv.SetErros(&erros);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        pruv.GetResumo().TOT_BENEF().SetValor(c.beneficiarios ? 2 * TMonetario::Escala : 0);
        TRotinasAnotadas anotadas;
        TPedidoImpressao pedido;
        pedido.Codigo = std::uint8_t(c.codigo);
        pedido.Arquivos = QStringList{QStringLiteral("/a/x.dec"), QStringLiteral("/b/y.dec")};
        pedido.Ni = QStringLiteral("11144477735");
        DespachaImpressao(pedido, pruv, *colecao, anotadas.Rotinas);
        EXPECT_EQ(anotadas.Chamadas.join(QLatin1Char('#')).toStdString(), c.chamada);
    }
}

TEST_F(TRotinasImpressaoTest, TheReceiptDataUnpackedByTheReceiptsAreDeletedAfterwards)
{
    const QString recibo = TPastas::Dados() + QStringLiteral("/Recibo.ini");
    TRotinasAnotadas anotadas;
    anotadas.Rotinas.ImprimeRecibo = [&](const QStringList&, bool, const QString&) {
        QFile arquivo(recibo);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        throw std::runtime_error("printer failed");
    };
    TPruv pruv;
    pruv.SetErros(&erros);
    TPedidoImpressao pedido;
    pedido.Codigo = 12;
    EXPECT_THROW(DespachaImpressao(pedido, pruv, *colecao, anotadas.Rotinas), std::runtime_error);
    EXPECT_FALSE(QFile::exists(recibo));
}
