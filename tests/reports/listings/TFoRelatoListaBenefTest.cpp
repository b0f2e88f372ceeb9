#include <QRegularExpression>
#include <gtest/gtest.h>

#include "reports/RelatosDeTeste.h"
#include "reports/ConferePaginas.h"
#include "reports/listings/TFoRelatoListaBenef.h"

namespace {

class TFoRelatoListaBenefTest : public RelatosDeTeste {};

}   // namespace

TEST_F(TFoRelatoListaBenefTest, ListsEachItemWithTheYearsAmountsAndItsCourtDecisionPart)
{
    auto pruv = Armazenada(Matriz);
    Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 1000 * Reais, 50 * Reais, 100 * Reais, 1000 * Reais});
    Guarda(*pruv, *pruv, {"3208", CpfBruno, "BRUNO COSTA LIMA", 500 * Reais, 0, 0, 0, 30 * Reais, 200 * Reais});
    Guarda(*pruv, *pruv, {"1708", CnpjGama, "EMPRESA GAMA SA", 0, 0, 0});
    ImprimeRelatoListaBenef(*pruv, *colecao, false);

    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QStringList paginas = Paginas();
    ASSERT_EQ(paginas.size(), 1);
    const QString& p = paginas[0];
    for (const QString& texto :
         {QStringLiteral("Relatório com Lista de Beneficiários"), QStringLiteral("Ano-Calendário: 2002 Tipo: Original"),
          QStringLiteral("CNPJ ") + Mascara(Matriz) + QStringLiteral(" Nome Empresarial EMPRESA ALFA LTDA"),
          QStringLiteral("Beneficiário CNPJ / CPF Código Rendimentos Deduções Imposto Retido"),
          QStringLiteral("Total de beneficiários / código da declaração: 3"),
          QStringLiteral("Declarante: ") + Mascara(Matriz), QStringLiteral("Página 1 de 1")})
        EXPECT_TRUE(p.contains(texto)) << texto.toStdString() << "\n" << p.toStdString();
    EXPECT_TRUE(p.contains(QRegularExpression(QStringLiteral("Data: \\d\\d/\\d\\d/\\d{4}"))));

    // The year's amounts are the twelve months and the 13th salary.
    EXPECT_EQ(LinhaCom(p, QStringLiteral("ANA PAULA")),
              QStringLiteral("ANA PAULA SOUZA ") + Mascara(CpfAna)
                  + QStringLiteral(" 0561 ** 13.000,00 600,00 1.200,00"));
    EXPECT_EQ(LinhaCom(p, QStringLiteral("BRUNO")),
              QStringLiteral("BRUNO COSTA LIMA ") + Mascara(CpfBruno) + QStringLiteral(" 3208 6.000,00 0,00 0,00"));
    EXPECT_EQ(LinhaCom(p, QStringLiteral("GAMA")),
              QStringLiteral("EMPRESA GAMA SA ") + Mascara(CnpjGama) + QStringLiteral(" 1708 0,00 0,00 0,00"));
    // Only the item with amounts under a court decision has its part, right under its line.
    const QStringList linhas = Linhas(p);
    const auto bruno = linhas.indexOf(LinhaCom(p, QStringLiteral("BRUNO")));
    EXPECT_EQ(p.count(QStringLiteral("Valores de Decisão Judicial")), 1);
    ASSERT_LT(bruno + 2, linhas.size());
    EXPECT_EQ(linhas[bruno + 1],
              QStringLiteral("Rendimentos Deduções Imposto Retido Depósito Judicial Comp. Ano Atual "
                             "Comp. Anos Anteriores"));
    EXPECT_EQ(linhas[bruno + 2], QStringLiteral("Valores de Decisão Judicial 200,00 0,00 0,00 0,00 30,00 0,00"));
    // In the order of the beneficiaries: persons by number, then companies.
    EXPECT_LT(p.indexOf(QStringLiteral("ANA PAULA")), p.indexOf(QStringLiteral("BRUNO")));
    EXPECT_LT(p.indexOf(QStringLiteral("BRUNO")), p.indexOf(QStringLiteral("GAMA")));
    EXPECT_TRUE(p.contains(QStringLiteral("** Os valores incluem o Décimo Terceiro Salário")));
}

TEST_F(TFoRelatoListaBenefTest, The13thSalaryMarkAndNoteFollowTheCodeAndTheYear)
{
    const struct {
        const char* codigo;
        const char* ano;
        bool marca;
    } casos[] = {
        {"0588", "2001", false},
        {"0588", "2002", true},
        {"0561", "2001", true},
        {"3208", "2002", false},
    };
    int arquivo = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.codigo << " " << c.ano);
        auto pruv = Armazenada(Matriz, c.ano);
        Guarda(*pruv, *pruv, {c.codigo, CpfAna, "ANA PAULA SOUZA", 100 * Reais});
        ImprimeRelatoListaBenef(*pruv, *colecao, false);
        const QString p = Paginas(arquivo++).join(QLatin1Char('#'));
        EXPECT_EQ(LinhaCom(p, QStringLiteral("ANA PAULA")).contains(QStringLiteral("**")), c.marca);
        EXPECT_EQ(p.contains(QStringLiteral("Os valores incluem o Décimo Terceiro Salário")), c.marca);
        colecao->Exclui(*pruv);
    }
}

TEST_F(TFoRelatoListaBenefTest, EachFundStartsAPageOfItsOwnThatItsHeaderAndFooterName)
{
    for (const bool itensProprios : {true, false}) {
        SCOPED_TRACE(itensProprios ? "with items of its own" : "annex items only");
        auto pruv = ComFundo(itensProprios);
        ImprimeRelatoListaBenef(*pruv, *colecao, false);

        const QStringList paginas = Paginas(impressoras.Arquivos().size() - 1);
        ASSERT_EQ(paginas.size(), itensProprios ? 2 : 1);
        const QString& fundo = paginas.constLast();
        if (itensProprios) {
            EXPECT_TRUE(paginas[0].contains(QStringLiteral("ANA PAULA")));
            EXPECT_TRUE(paginas[0].contains(QStringLiteral("Declarante: ") + Mascara(Matriz)));
            EXPECT_FALSE(paginas[0].contains(QStringLiteral("Fundo ou Clube")));
            EXPECT_FALSE(paginas[0].contains(QStringLiteral("BRUNO")));
            EXPECT_TRUE(paginas[0].contains(QStringLiteral("Página 1 de 2")));
        }
        EXPECT_TRUE(fundo.contains(QStringLiteral("Fundo ou Clube de Investimento: CNPJ ") + Mascara(Fundo)
                                   + QStringLiteral(" Nome Empresarial FUNDO BETA")));
        EXPECT_TRUE(fundo.contains(QStringLiteral("BRUNO COSTA LIMA")));
        EXPECT_TRUE(fundo.contains(QStringLiteral("EMPRESA GAMA SA")));
        EXPECT_TRUE(fundo.contains(QStringLiteral("Fundo ou Clube: ") + Mascara(Fundo)));
        EXPECT_FALSE(fundo.contains(QStringLiteral("Declarante: ")));
        EXPECT_FALSE(fundo.contains(QStringLiteral("ANA PAULA")));
        colecao->Exclui(*pruv);
    }
}

TEST_F(TFoRelatoListaBenefTest, LongListsBreakIntoNumberedPagesWithEveryLineOnce)
{
    auto pruv = Armazenada(Matriz);
    QStringList nomes;
    for (int i = 0; i < 45; ++i) {
        const QString nome = QStringLiteral("JOSE %1%2").arg(QChar(u'B' + i / 20)).arg(QChar(u'A' + i % 20));
        nomes << nome;
        const QByteArray utf8 = nome.toUtf8();
        Guarda(*pruv, *pruv,
               {"0588", NumeroDe(QByteArray::number(100000000 + i * 7).constData()), utf8.constData(), 10 * Reais});
    }
    ImprimeRelatoListaBenef(*pruv, *colecao, false);

    const QStringList paginas = Paginas();
    ASSERT_GE(paginas.size(), 2);
    for (int i = 0; i < paginas.size(); ++i)
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(paginas.size()))) << i;
    const QString tudo = paginas.join(QLatin1Char('#'));
    for (const QString& nome : nomes)
        EXPECT_EQ(tudo.count(nome + QLatin1Char(' ')), 1) << nome.toStdString();
    EXPECT_TRUE(paginas.constLast().contains(QStringLiteral("Total de beneficiários / código da declaração: 45")));
}

TEST_F(TFoRelatoListaBenefTest, WithoutAPrinterNothingIsPrintedAndMessage161IsShown)
{
    auto pruv = Armazenada(Matriz);
    impressoras.Existe = false;
    ImprimeRelatoListaBenef(*pruv, *colecao, false);
    EXPECT_TRUE(impressoras.Arquivos().isEmpty());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{161});
}

// A fund with no items prints nothing, wherever it stands among the funds: no page headed by it,
// and the list's total stays under the last row printed.
TEST_F(TFoRelatoListaBenefTest, AnEmptyFundGetsNoPageAndTheTotalStaysUnderTheLastRow)
{
    const QString vazio = NumeroDe("667778880001");
    const QString antes = NumeroDe("223334440001");
    const struct {
        const char* caso;
        QString fundoVazio;   // the empty fund's number, before or after FUNDO BETA's
    } casos[] = {{"empty fund last", vazio}, {"empty fund first", antes}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto pruv = ComFundo(true);
        NovoAnexo(*pruv, c.fundoVazio, "", true);
        ImprimeRelatoListaBenef(*pruv, *colecao, false);

        const QStringList paginas = Paginas(impressoras.Arquivos().size() - 1);
        ASSERT_EQ(paginas.size(), 2) << paginas.join(QStringLiteral("\n====\n")).toStdString();
        for (const QString& p : paginas) {
            EXPECT_FALSE(p.contains(Mascara(c.fundoVazio))) << p.toStdString();
            if (p.contains(QStringLiteral("Total de beneficiários"))) {
                EXPECT_TRUE(p.contains(QStringLiteral("EMPRESA GAMA SA"))) << p.toStdString();
            }
        }
        EXPECT_TRUE(paginas[1].contains(QStringLiteral("Total de beneficiários / código da declaração:")));
        colecao->Exclui(*pruv);
    }
}

// A name too long for its column in the list's size prints whole in a smaller size still read;
// only one that even then passes the column is cut, at its end.
TEST_F(TFoRelatoListaBenefTest, ANameIsCutOnlyWhereItsColumnIsFullInALegibleSize)
{
    const QString longo = QStringLiteral("WAGNER WOLFF MÜLLER DOMINGOS GUIMARÃES MOURÃO WANDERLEY MAWÉ");
    // The widest a name can be: sixty characters, words of twenty at most, no letter thrice in a row.
    const QString largo = QStringLiteral("WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWM");
    auto pruv = Armazenada(Matriz);
    Guarda(*pruv, *pruv, {"0561", CpfAna, longo.toUtf8().constData(), 1000 * Reais});
    Guarda(*pruv, *pruv, {"0561", CpfBruno, largo.toUtf8().constData(), 1000 * Reais});
    EmA4ECarta([&] { ImprimeRelatoListaBenef(*pruv, *colecao, false); }, QStringLiteral("Lista"),
               [&](const QStringList&, const std::vector<TDesenhoPagina>& desenhadas) {
                   ConfereColunaDeNomes(desenhadas, QStringLiteral("QRLNomeBenef"), longo, largo);
               });
}
