#include <gtest/gtest.h>

#include <functional>

#include "InspecaoPapel.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "support/ProgramaDeTeste.h"

namespace {

// A report of one page whose detail holds a good word and, where the case puts it, a fault.
struct TPaginaComFalha {
    TRelatorio R{QStringLiteral("Falhas")};
    TBanda& Detalhe = R.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Detalhe"));

    TPaginaComFalha()
    {
        R.Titulo = QStringLiteral("Falhas");
        Detalhe.Altura = 60;
        Texto(QStringLiteral("Bom"), QStringLiteral("Correto"), 0, 0);
    }
    TRotulo& Texto(const QString& nome, const QString& texto, qreal x, qreal y)
    {
        return Detalhe.AdicionaRotulo(nome, texto, x, y, TFonte::Cria(QStringLiteral("Liberation Sans"), 10));
    }
    QStringList Falhas()
    {
        InspecaoPapel inspecao;
        const QString arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/falhas.pdf");
        EXPECT_TRUE(TSaidaRelatorio::ExportaPdf(R, arquivo));
        return inspecao.Examina(arquivo, QStringLiteral("Falhas"));
    }
};

bool Tem(const QStringList& falhas, const QString& trecho)
{
    for (const QString& f : falhas)
        if (f.contains(trecho))
            return true;
    return false;
}

}   // namespace

TEST(InspecaoPapel, CleanPageHasNoFault)
{
    TPaginaComFalha p;
    EXPECT_EQ(p.Falhas(), QStringList());
}

TEST(InspecaoPapel, EachKindOfFaultNamesDocumentPageAndWord)
{
    const struct {
        const char* caso;
        std::function<void(TPaginaComFalha&)> monta;
        const char* falha;
    } casos[] = {
        {"over another word",
         [](TPaginaComFalha& p) { p.Texto(QStringLiteral("Sobre"), QStringLiteral("Zzzz"), 4, 0); },
         "Falhas, página 1, palavra \"Correto\": sobre"},
        {"touching another",
         [](TPaginaComFalha& p) {
             const qreal x = TMedidaTexto::Largura(p.Detalhe.ElementoDe<TRotulo>(QStringLiteral("Bom")).Fonte,
                                                   QStringLiteral("Correto"));
             p.Texto(QStringLiteral("Junto"), QStringLiteral("Junto"), x + 0.5, 0);
         },
         "palavra \"Correto\": encostado no texto \"Junto\""},
        {"past the right margin",
         [](TPaginaComFalha& p) {
             p.Texto(QStringLiteral("Longe"), QStringLiteral("Longe"), p.R.Papel().LarguraUtil() - 10, 30);
         },
         "palavra \"Longe\": fora da área de impressão"},
        {"struck by a rule",
         [](TPaginaComFalha& p) {
             auto& linha = p.Detalhe.Adiciona<TForma>(QStringLiteral("Risco"), TTipoForma::LinhaHorizontal);
             linha.Topo = 2;
             linha.Largura = 200;
             linha.Altura = 6;   // drawn halfway down: through the capitals
         },
         "palavra \"Correto\": riscado pela linha Detalhe.Risco"},
        {"cut at its height",
         [](TPaginaComFalha& p) {
             TRotulo& r = p.Texto(QStringLiteral("Baixo"), QStringLiteral("Baixo"), 0, 30);
             r.AutoTamanho = false;
             r.Largura = 200;
             r.Altura = 5;
         },
         "palavra \"Baixo\": texto cortado na altura"},
        {"page with nothing but its top",
         [](TPaginaComFalha& p) {
             p.Detalhe.Habilitada = false;
             p.R.CriaBanda(TTipoBanda::RodapePagina, QStringLiteral("Rodape")).Altura = 20;
             p.R.BandaDe(QStringLiteral("Rodape"))
                 .AdicionaRotulo(QStringLiteral("N"), QStringLiteral("Rodapé"), 0, 0,
                                 TFonte::Cria(QStringLiteral("Liberation Sans"), 10));
         },
         "página 1, palavra \"\": página vazia"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TPaginaComFalha p;
        c.monta(p);
        const QStringList falhas = p.Falhas();
        EXPECT_TRUE(Tem(falhas, QString::fromUtf8(c.falha))) << falhas.join(QLatin1Char('\n')).toStdString();
    }
}

// A cut text is a fault when room was left before what follows it, or when the same text is cut
// another way on the page; cut where the next text begins, it is not.
TEST(InspecaoPapel, CutTextUsesItsRoomAndIsCutAlikeOnItsPage)
{
    const QString nome = QStringLiteral("JOSE ANTONIO DA CONCEICAO ASSUNCAO DE ALBUQUERQUE MAGALHAES");
    const auto corta = [&](TPaginaComFalha& p, const QString& elemento, qreal y, qreal largura) {
        TRotulo& r = p.Texto(elemento, nome, 0, y);
        r.AutoTamanho = false;
        r.Largura = largura;
        r.Altura = 16;
    };
    const struct {
        const char* caso;
        std::function<void(TPaginaComFalha&)> monta;
        const char* falha;   // nullptr: none
    } casos[] = {
        {"cut where the next column begins",
         [&](TPaginaComFalha& p) {
             corta(p, QStringLiteral("Nome"), 30, 200);
             p.Texto(QStringLiteral("Ni"), QStringLiteral("100.200.300-88"), 206, 30);
         },
         nullptr},
        {"cut with room to spare",
         [&](TPaginaComFalha& p) {
             corta(p, QStringLiteral("Nome"), 30, 100);
             p.Texto(QStringLiteral("Ni"), QStringLiteral("100.200.300-88"), 300, 30);
         },
         "pt livres até o que o segue (Nome)"},
        {"cut two ways on one page",
         [&](TPaginaComFalha& p) {
             corta(p, QStringLiteral("Nome"), 20, 200);
             p.Texto(QStringLiteral("Ni"), QStringLiteral("100.200.300-88"), 206, 20);
             corta(p, QStringLiteral("Outro"), 40, 250);
             p.Texto(QStringLiteral("Ni2"), QStringLiteral("100.200.300-88"), 256, 40);
         },
         "na mesma página"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TPaginaComFalha p;
        p.Detalhe.Altura = 80;
        c.monta(p);
        const QStringList falhas = p.Falhas();
        if (c.falha == nullptr)
            EXPECT_EQ(falhas, QStringList());
        else
            EXPECT_TRUE(Tem(falhas, QString::fromUtf8(c.falha))) << falhas.join(QLatin1Char('\n')).toStdString();
    }
}
