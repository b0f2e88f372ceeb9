#include <gtest/gtest.h>

#include "InspecaoPapel.h"
#include "reports/RelatosDeTeste.h"
#include "reports/ConferePaginas.h"
#include "model/items/TPruvItem.h"
#include "reports/listings/TFoRelatoBenefPorCodigo.h"
#include "reports/listings/TFoRelatoTotalMensalCodigo.h"

namespace {

class TFoRelatoBenefPorCodigoTest : public RelatosDeTeste {
protected:
    // Two items under 0561 whose January income ends in half a cent each, and one under 3208
    // with amounts under a court decision.
    std::unique_ptr<TPruv> Declaracao()
    {
        auto pruv = Armazenada(Matriz);
        const qint64 meioCentavo = Reais / 200;
        Guarda(*pruv, *pruv, {"3208", CpfBruno, "BRUNO COSTA LIMA", 500 * Reais, 0, 0, 0, 30 * Reais, 200 * Reais});
        Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 100 * Reais + meioCentavo, 0, 10 * Reais});
        Guarda(*pruv, *pruv, {"0561", CpfDeclarante, "CARLOS DIAS", 100 * Reais + meioCentavo, 0, 10 * Reais});
        return pruv;
    }
};

}   // namespace

TEST_F(TFoRelatoBenefPorCodigoTest, AnalyticGroupsTheItemsByCodeWithTotalsThatAddUpTheLinesPrinted)
{
    auto pruv = Declaracao();
    ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, true);

    const QStringList paginas = Paginas();
    ASSERT_EQ(paginas.size(), 1);
    const QStringList linhas = Linhas(paginas[0]);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Relatório de Totais por Código")));
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("CNPJ / CPF Beneficiário Rendimentos Deduções Imposto Retido")));
    // Each month's 100,005 prints as the year's 1.200,06; the total adds what is printed.
    const QStringList esperadas = {
        QStringLiteral("Código: 0561 ** Trabalho assalariado no país e ausentes no exterior a serviço do país"),
        Mascara(CpfAna) + QStringLiteral(" ANA PAULA SOUZA 1.200,06 0,00 120,00"),
        Mascara(CpfDeclarante) + QStringLiteral(" CARLOS DIAS 1.200,06 0,00 120,00"),
        QStringLiteral("Total: 2 2.400,12 0,00 240,00"),
        QStringLiteral("Código: 3208 Aluguéis e royalties pagos a pessoa física"),
        Mascara(CpfBruno) + QStringLiteral(" BRUNO COSTA LIMA 6.000,00 0,00 0,00"),
        QStringLiteral("Total: 1 6.000,00 0,00 0,00"),
    };
    int anterior = -1;
    for (const QString& e : esperadas) {
        const int i = int(linhas.indexOf(e));
        EXPECT_GT(i, anterior) << e.toStdString() << "\n" << paginas[0].toStdString();
        anterior = std::max(anterior, i);
    }
    // The court-decision totals show under the code that has them only; every line has its part.
    const int total0561 = int(linhas.indexOf(esperadas[3]));
    ASSERT_GE(total0561, 0);
    EXPECT_EQ(linhas.at(total0561 + 1), esperadas[4]);
    EXPECT_EQ(paginas[0].count(QStringLiteral("Valores de Decisão Judicial 200,00 0,00 0,00 0,00 30,00 0,00")), 2);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("** Os valores incluem o Décimo Terceiro Salário")));
}

TEST_F(TFoRelatoBenefPorCodigoTest, SyntheticShowsOnlyEachCodesHeaderAndTotal)
{
    auto pruv = Declaracao();
    ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, false);

    const QStringList paginas = Paginas();
    ASSERT_EQ(paginas.size(), 1);
    const QString& p = paginas[0];
    EXPECT_TRUE(p.contains(QStringLiteral("|Beneficiários Rendimentos Deduções Imposto Retido|")));
    EXPECT_EQ(p.count(QStringLiteral("Código: ")), 2);
    EXPECT_EQ(p.count(QStringLiteral("Total: ")), 2);
    EXPECT_TRUE(p.contains(QStringLiteral("Total: 2 2.400,12 0,00 240,00")));
    EXPECT_TRUE(p.contains(QStringLiteral("Total: 1 6.000,00 0,00 0,00|Rendimentos")));
    for (const QString& ni : {CpfAna, CpfBruno, CpfDeclarante})
        EXPECT_FALSE(p.contains(Mascara(ni)));
    EXPECT_FALSE(p.contains(QStringLiteral("ANA PAULA")));
}

TEST_F(TFoRelatoBenefPorCodigoTest, AFundsCodesStartAgainOnItsOwnPage)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    Guarda(*pruv, *pruv, {"0924", CpfAna, "ANA PAULA SOUZA", 10 * Reais});
    auto anexo = NovoAnexo(*pruv, Fundo, "", true);
    Guarda(*pruv, *anexo, {"0924", CpfBruno, "BRUNO COSTA LIMA", 20 * Reais});
    ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, true);

    const QStringList paginas = Paginas();
    ASSERT_EQ(paginas.size(), 2);
    // The same code in the fund is a group of its own, under the fund's header.
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Total: 1 120,00")));
    EXPECT_FALSE(paginas[0].contains(QStringLiteral("BRUNO")));
    EXPECT_TRUE(paginas[1].contains(QStringLiteral("Fundo ou Clube de Investimento: CNPJ ") + Mascara(Fundo)));
    EXPECT_TRUE(paginas[1].contains(QStringLiteral("Código: 0924")));
    EXPECT_TRUE(paginas[1].contains(QStringLiteral("Total: 1 240,00")));
    EXPECT_TRUE(paginas[1].contains(QStringLiteral("Fundo ou Clube: ") + Mascara(Fundo)));
}

// Whatever the number of lines before a page break, a code's header never ends a page and its
// total never opens one: the header goes on with its first line, the total keeps its last. The
// monthly totals by code are swept the same way, their months taller by court-decision values.
TEST_F(TFoRelatoBenefPorCodigoTest, CodeHeaderAndTotalNeverStandAloneAtAPageBreak)
{
    InspecaoPapel inspecao;
    const auto confere = [&](const QString& caso, const QString& cabecalho) {
        const std::vector<TDesenhoPagina> paginas = inspecao.Desenhadas();
        EXPECT_GT(paginas.size(), 1u) << caso.toStdString();
        for (const TDesenhoPagina& p : paginas) {
            QString primeira;
            QString ultima;
            for (const TTracoDesenhado& t : p.Tracos)
                if (t.NoCorpo && !t.NoTopo) {
                    if (primeira.isEmpty())
                        primeira = t.Banda;
                    ultima = t.Banda;
                }
            EXPECT_NE(primeira, QStringLiteral("QRBRodapeGrupo")) << caso.toStdString() << ", página " << p.Pagina;
            if (p.Pagina < int(paginas.size())) {
                EXPECT_NE(ultima, cabecalho) << caso.toStdString() << ", página " << p.Pagina;
            }
        }
    };
    for (int linhas = 5; linhas <= 12; ++linhas) {
        auto pruv = Armazenada(Matriz);
        for (int i = 0; i < linhas; ++i)
            Guarda(*pruv, *pruv,
                   {"0561", NumeroDe(QByteArray::number(300400500 + i).constData()), "ANA PAULA SOUZA", 100 * Reais, 0,
                    0, 0, Reais});
        for (int i = 0; i < 9; ++i)
            Guarda(*pruv, *pruv,
                   {"3208", NumeroDe(QByteArray::number(300400600 + i).constData()), "BRUNO COSTA LIMA", 100 * Reais});
        ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, true);
        confere(QStringLiteral("analítico, %1 linhas de 0561").arg(linhas), QStringLiteral("QRGrupoCodigo"));
        colecao->Exclui(*pruv);
    }
    for (int decisoes = 2; decisoes <= 8; decisoes += 2) {
        auto pruv = Armazenada(Matriz);
        for (const char* codigo : {"0561", "0588", "3208", "1708"}) {
            TPruvItem item(*pruv, *pruv);
            item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
            pruv->GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
            item.GetBeneficiario().SetNi(QLatin1String(codigo) == QLatin1String("1708") ? CnpjGama : CpfAna);
            item.GetBeneficiario().Nome().SetTexto(QStringLiteral("ANA PAULA SOUZA"));
            for (int m = 1; m <= 12; ++m) {
                item.GetValores().GetRendimento(m).SetValor(100 * Reais);
                item.GetSubJudice().GetRendimento(m).SetValor(m <= decisoes ? Reais : 0);
            }
            ASSERT_EQ(pruv->GetItens().Salva(item), TColecaoPruvItem::Inserido);
        }
        ImprimeRelatoTotalMensalCodigo(*pruv, *colecao, false);
        confere(QStringLiteral("mensal, %1 meses com decisão").arg(decisoes), QStringLiteral("QRBDetalhe"));
        colecao->Exclui(*pruv);
    }
}

// In the analytic report a name runs up to its line's income: too long for that room in the
// report's size, it prints whole in a smaller size still read, next to the largest income too.
TEST_F(TFoRelatoBenefPorCodigoTest, ANameTakesTheRoomOfItsLineInALegibleSize)
{
    const QString longo = QStringLiteral("WAGNER WOLFF MÜLLER DOMINGOS GUIMARÃES MOURÃO WANDERLEY MAWÉ");
    const qint64 maximo = 99999999999 * Reais + 99 * Reais / 100;
    auto pruv = Armazenada(Matriz);
    Guarda(*pruv, *pruv, {"0561", CpfAna, longo.toUtf8().constData(), maximo});
    // The widest a name can be: sixty characters, words of twenty at most, no letter thrice in a row.
    const QString outro = QStringLiteral("WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWM");
    Guarda(*pruv, *pruv, {"3208", CpfDeclarante, outro.toUtf8().constData(), 1000 * Reais});
    EmA4ECarta([&] { ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, true); }, QStringLiteral("Analítico"),
               [&](const QStringList&, const std::vector<TDesenhoPagina>& desenhadas) {
                   ConfereColunaDeNomes(desenhadas, QStringLiteral("QRLNomeBenef"), longo, QString());
                   // With a short income the widest name has the room of its line, whole.
                   const auto nomes = TextosDe(desenhadas, QStringLiteral("QRLNomeBenef"));
                   EXPECT_EQ(std::count_if(nomes.begin(), nomes.end(),
                                           [&](const TTracoDesenhado* t) { return t->Texto == outro; }),
                             1);
               });
}
