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

// A band that follows another may open a page when it did not fit below it with the children
// bound to it and, bound itself (FicaComPai), when a page could not hold them all; bound children
// count where they went on to the next page. Pages of 100 units of body, from 0 to 100.
TEST(InspecaoPapel, ChildBandOpensThePageOnlyAsItsRulesAsk)
{
    struct TBandaPosta {
        const char* nome;
        qreal topo;
        qreal altura;
        bool filha;
        bool comPai;
    };
    const auto pagina = [](std::initializer_list<TBandaPosta> bandas) {
        TDesenhoPagina p;
        p.AreaUtil = QRectF(0, 0, 500, 120);
        p.LimiteCorpo = 100;
        int impressao = 0;
        for (const TBandaPosta& b : bandas) {
            TTracoDesenhado t;
            t.Tipo = TTracoDesenhado::TTipo::Linha;
            t.Banda = QString::fromLatin1(b.nome);
            t.Impressao = ++impressao;
            t.NoCorpo = true;
            t.DeFilha = b.filha;
            t.FicaComPai = b.comPai;
            t.Faixa = QRectF(0, b.topo, 500, b.altura);
            t.Caixa = QRectF(0, b.topo, 10, 0);
            p.Tracos.push_back(t);
        }
        return p;
    };
    const struct {
        const char* caso;
        TDesenhoPagina anterior;
        TDesenhoPagina pagina;
        TDesenhoPagina seguinte;
        const char* falha;   // nullptr: none
    } casos[] = {
        {"a free child too tall for the room left", pagina({{"Pai", 0, 80, false, false}}),
         pagina({{"Filha", 0, 30, true, false}}), pagina({}), nullptr},
        {"a free child that fitted below", pagina({{"Pai", 0, 60, false, false}}),
         pagina({{"Filha", 0, 30, true, false}}), pagina({}), "a banda Filha abre a página, mas cabia no pé"},
        {"a bound child that a page holds with its parent", pagina({{"Pai", 40, 40, false, false}}),
         pagina({{"Filha", 0, 30, true, true}}), pagina({}), "a banda Filha abre a página longe da banda"},
        {"a bound child too tall to go with its parent", pagina({{"Pai", 50, 40, false, false}}),
         pagina({{"Filha", 0, 70, true, true}}), pagina({}), nullptr},
        {"a bound chain that goes on to the next page", pagina({{"Pai", 50, 40, false, false}}),
         pagina({{"Filha", 0, 50, true, true}}), pagina({{"Neta", 0, 20, true, true}}), nullptr},
        {"a bound chain on the page", pagina({{"Pai", 50, 40, false, false}}),
         pagina({{"Filha", 0, 50, true, true}, {"Neta", 50, 20, true, true}}), pagina({}), nullptr},
        {"a free child that goes with the children bound to it", pagina({{"Pai", 0, 70, false, false}}),
         pagina({{"Filha", 0, 20, true, false}, {"Neta", 20, 30, true, true}}), pagina({}), nullptr},
        {"a free child that went over for children that went on anyway", pagina({{"Pai", 0, 70, false, false}}),
         pagina({{"Filha", 0, 20, true, false}, {"Neta", 20, 70, true, true}}),
         pagina({{"Bisneta", 0, 20, true, true}}), "a banda Filha abre a página para ficar com as que a seguem"},
        {"a free child whose bound children are not bound to it", pagina({{"Pai", 0, 70, false, false}}),
         pagina({{"Filha", 0, 20, true, false}, {"Outra", 20, 10, false, false}}),
         pagina({{"Neta", 0, 30, true, true}}), "a banda Filha abre a página, mas cabia no pé"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QStringList falhas;
        for (const QString& f :
             InspecaoPapel::ExaminaPagina(QStringLiteral("Bandas"), 2, {}, c.pagina, &c.anterior, &c.seguinte))
            if (f.contains(QStringLiteral("abre a página")))
                falhas << f;
        if (c.falha == nullptr)
            EXPECT_EQ(falhas, QStringList());
        else
            EXPECT_TRUE(Tem(falhas, QString::fromUtf8(c.falha))) << falhas.join(QLatin1Char('\n')).toStdString();
    }
}
