#include <QFile>
#include <QDir>
#include <gtest/gtest.h>

#include "support/ProgramaDeTeste.h"
#include "platform/report/TextoPdf.h"
#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/bands/TGrupo.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/report/bands/TSubDetalhe.h"
#include "platform/report/elements/TTextoDado.h"
#include "platform/report/pages/TUnidades.h"

namespace {

QFont Fonte(qreal tamanho = 12)
{
    return TFonte::Cria(QStringLiteral("Liberation Sans"), tamanho);
}

QString Arquivo(const QString& nome)
{
    return ProgramaDeTeste::Pasta() + QLatin1Char('/') + nome;
}

// "Relatório de teste" on top of every page, "Página n" at the bottom.
void PoeCabecalhoERodape(TRelatorio& r, qreal alturaRodape = 20)
{
    TBanda& cabecalho = r.CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("Cabecalho"));
    cabecalho.Altura = 30;
    cabecalho.AdicionaRotulo(QStringLiteral("Titulo"), QStringLiteral("Relatório de teste"), 0, 0, Fonte(14));
    TBanda& rodape = r.CriaBanda(TTipoBanda::RodapePagina, QStringLiteral("Rodape"));
    rodape.Altura = alturaRodape;
    auto& pagina = rodape.Adiciona<TDadoSistema>(QStringLiteral("Pagina"));
    pagina.Texto = QStringLiteral("Página ");
    pagina.Fonte = Fonte();
}

// A detail band that prints "<prefixo> n" for the records 1 to total.
TTextoDado& PoeDetalhe(TRelatorio& r, int& atual, int total, qreal altura, const QString& prefixo)
{
    TBanda& detalhe = r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Detalhe"));
    detalhe.Altura = altura;
    auto& texto = detalhe.Adiciona<TTextoDado>(QStringLiteral("Registro"));
    texto.Fonte = Fonte();
    texto.Esquerda = 20;
    texto.Valor = [&atual, prefixo] { return prefixo + QString::number(atual); };
    r.AntesDeGerar = [&atual](bool&) { atual = 0; };
    r.PrecisaDados = [&atual, total] { return ++atual <= total; };
    return texto;
}

QList<QStringList> GeraPdf(TRelatorio& r, const QString& nome)
{
    const QString arquivo = Arquivo(nome);
    EXPECT_TRUE(TSaidaRelatorio::ExportaPdf(r, arquivo));
    QList<QStringList> paginas;
    for (const QString& p : TextoPdf::Paginas(arquivo))
        paginas.append(TextoPdf::Linhas(p));
    return paginas;
}

// The lines between the page header's title and the page footer.
QStringList Corpo(const QStringList& pagina)
{
    QStringList corpo = pagina;
    if (!corpo.isEmpty() && corpo.constFirst() == QStringLiteral("Relatório de teste"))
        corpo.removeFirst();
    if (!corpo.isEmpty() && corpo.constLast().startsWith(QStringLiteral("Página")))
        corpo.removeLast();
    return corpo;
}

}   // namespace

TEST(TRelatorio, GroupsCloseAndOpenAroundTheirRecordsOverSeveralPages)
{
    TRelatorio r(QStringLiteral("Grupos"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 45, 40, QStringLiteral("Registro "));
    TGrupo& grupo = r.CriaGrupo(QStringLiteral("Grupo"));
    grupo.Altura = 30;
    grupo.RepeteEmNovaPagina = true;
    grupo.Chave = [&atual] { return QString::number((atual - 1) / 10 + 1); };
    auto& titulo = grupo.Adiciona<TTextoDado>(QStringLiteral("Nome"));
    titulo.Fonte = Fonte();
    titulo.Valor = [&atual] { return QStringLiteral("Grupo %1").arg((atual - 1) / 10 + 1); };
    TBanda& rodape = r.CriaBanda(TTipoBanda::RodapeGrupo, QStringLiteral("FimGrupo"));
    rodape.Altura = 30;
    grupo.Rodape = &rodape;
    int fechado = 0;
    rodape.AntesDeImprimir = [&fechado](TBanda& b, bool&) {
        b.ElementoDe<TRotulo>(QStringLiteral("Texto")).Texto = QStringLiteral("Fim do grupo %1").arg(++fechado);
    };
    rodape.AdicionaRotulo(QStringLiteral("Texto"), QString(), 0, 0, Fonte());

    const auto paginas = GeraPdf(r, QStringLiteral("grupos.pdf"));

    ASSERT_GE(paginas.size(), 3);
    QStringList lido;
    for (int p = 0; p < paginas.size(); ++p) {
        SCOPED_TRACE(p + 1);
        EXPECT_EQ(paginas[p].constFirst(), QStringLiteral("Relatório de teste"));
        EXPECT_EQ(paginas[p].constLast(), QStringLiteral("Página %1").arg(p + 1));
        QStringList corpo = Corpo(paginas[p]);
        // A page that goes on with a group starts with that group's header again.
        ASSERT_FALSE(corpo.isEmpty());
        EXPECT_TRUE(corpo.constFirst().startsWith(QStringLiteral("Grupo ")));
        if (p > 0 && !lido.isEmpty() && !lido.constLast().startsWith(QStringLiteral("Fim do grupo")))
            corpo.removeFirst();
        lido += corpo;
    }
    QStringList esperado;
    for (int g = 1; g <= 5; ++g) {
        esperado << QStringLiteral("Grupo %1").arg(g);
        for (int i = (g - 1) * 10 + 1; i <= std::min(g * 10, 45); ++i)
            esperado << QStringLiteral("Registro %1").arg(i);
        esperado << QStringLiteral("Fim do grupo %1").arg(g);
    }
    EXPECT_EQ(lido, esperado);
}

TEST(TRelatorio, SubDetailRowsGoOnOnTheNextPageUnderTheirHeaderAgain)
{
    TRelatorio r(QStringLiteral("Linhas"));
    PoeCabecalhoERodape(r);
    const QStringList mestres{QStringLiteral("A"), QStringLiteral("B")};
    const int linhasDe[] = {70, 3};
    int mestre = -1;
    int linha = 0;
    r.AntesDeGerar = [&](bool&) { mestre = -1; };
    r.PrecisaDados = [&] {
        linha = 0;
        return ++mestre < int(mestres.size());
    };
    TBanda& detalhe = r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Mestre"));
    detalhe.Altura = 25;
    auto& nome = detalhe.Adiciona<TTextoDado>(QStringLiteral("Nome"));
    nome.Fonte = Fonte();
    nome.Valor = [&] { return QStringLiteral("Mestre ") + mestres[mestre]; };

    TSubDetalhe& sub = r.CriaSubDetalhe(QStringLiteral("Linhas"));
    sub.Altura = 18;
    sub.PrecisaDados = [&] { return ++linha <= linhasDe[mestre]; };
    auto& texto = sub.Adiciona<TTextoDado>(QStringLiteral("Texto"));
    texto.Fonte = Fonte();
    texto.Esquerda = 30;
    texto.Valor = [&] { return mestres[mestre] + QStringLiteral(" linha ") + QString::number(linha); };
    TBanda& cabecalho = r.CriaBanda(TTipoBanda::CabecalhoGrupo, QStringLiteral("Colunas"));
    cabecalho.Altura = 20;
    cabecalho.RepeteEmNovaPagina = true;
    cabecalho.AdicionaRotulo(QStringLiteral("T"), QStringLiteral("Cabeçalho das linhas"), 0, 0, Fonte());
    TBanda& rodape = r.CriaBanda(TTipoBanda::RodapeGrupo, QStringLiteral("FimLinhas"));
    rodape.Altura = 20;
    auto& fim = rodape.Adiciona<TTextoDado>(QStringLiteral("T"));
    fim.Fonte = Fonte();
    fim.Valor = [&] { return QStringLiteral("Fim das linhas de ") + mestres[mestre]; };
    sub.Cabecalho = &cabecalho;
    sub.Rodape = &rodape;

    const auto paginas = GeraPdf(r, QStringLiteral("linhas.pdf"));

    ASSERT_EQ(paginas.size(), 2);
    const QStringList p1 = Corpo(paginas[0]);
    const QStringList p2 = Corpo(paginas[1]);
    EXPECT_EQ(
        p1.mid(0, 3),
        (QStringList{QStringLiteral("Mestre A"), QStringLiteral("Cabeçalho das linhas"), QStringLiteral("A linha 1")}));
    ASSERT_GE(p2.size(), 2);
    EXPECT_EQ(p2[0], QStringLiteral("Cabeçalho das linhas"));
    const int continua = p2[1].section(QLatin1Char(' '), 2).toInt();
    EXPECT_EQ(p1.constLast(), QStringLiteral("A linha %1").arg(continua - 1));
    EXPECT_EQ(
        p2.mid(p2.indexOf(QStringLiteral("A linha 70")) + 1),
        (QStringList{QStringLiteral("Fim das linhas de A"), QStringLiteral("Mestre B"),
                     QStringLiteral("Cabeçalho das linhas"), QStringLiteral("B linha 1"), QStringLiteral("B linha 2"),
                     QStringLiteral("B linha 3"), QStringLiteral("Fim das linhas de B")}));
}

TEST(TRelatorio, PageFooterCarriesTheTotalCountedByPrepare)
{
    TRelatorio r(QStringLiteral("Total"));
    PoeCabecalhoERodape(r);
    auto& total = r.BandaDe(QStringLiteral("Rodape"))
                      .Adiciona<TDadoSistema>(QStringLiteral("Total"), TTipoDadoSistema::TotalPaginas);
    total.Texto = QStringLiteral("de ");
    total.Fonte = Fonte();
    total.Esquerda = 200;
    int atual = 0;
    PoeDetalhe(r, atual, 100, 30, QStringLiteral("Registro "));

    const int contadas = r.Prepara();

    EXPECT_EQ(r.Documento(), nullptr);   // counting records nothing
    EXPECT_EQ(contadas, r.TotalPaginas());
    const auto paginas = GeraPdf(r, QStringLiteral("total.pdf"));
    ASSERT_EQ(paginas.size(), contadas);
    ASSERT_GT(contadas, 2);
    for (int p = 0; p < contadas; ++p)
        EXPECT_EQ(paginas[p].constLast(), QStringLiteral("Página %1 de %2").arg(p + 1).arg(contadas));
}

TEST(TRelatorio, BatchStoppedAndResumedGivesTheSamePagesAsOneRun)
{
    TRelatorio r(QStringLiteral("Lotes"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 200, 30, QStringLiteral("Registro "));
    TSubDetalhe& sub = r.CriaSubDetalhe(QStringLiteral("Nota"));
    sub.Altura = 15;
    int notas = 0;
    sub.PrecisaDados = [&] {
        if (atual % 7 != 0 || notas > 0) {
            notas = 0;
            return false;
        }
        return ++notas == 1;
    };
    sub.AdicionaRotulo(QStringLiteral("T"), QStringLiteral("nota de sete"), 40, 0, Fonte(10));
    const auto inteiro = GeraPdf(r, QStringLiteral("inteiro.pdf"));

    QList<QStringList> emLotes;
    std::vector<int> primeiras;
    ASSERT_TRUE(r.Inicia());
    for (int lote = 1;; ++lote) {
        const bool terminou = r.Continua(3);
        const TDocumentoRelatorio& doc = *r.Documento();
        primeiras.push_back(doc.NumeroDaPagina(1));
        if (!terminou) {
            EXPECT_GE(doc.Quantidade(), 3);
        }
        const QString arquivo = Arquivo(QStringLiteral("lote%1.pdf").arg(lote));
        ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(doc, arquivo));
        for (const QString& p : TextoPdf::Paginas(arquivo))
            emLotes.append(TextoPdf::Linhas(p));
        if (terminou)
            break;
        r.LiberaDocumento();
        ASSERT_LT(lote, 50);
    }

    EXPECT_GT(primeiras.size(), 2u);
    EXPECT_EQ(primeiras.front(), 1);
    EXPECT_EQ(emLotes, inteiro);
}

TEST(TRelatorio, ChildBandFollowsItsParentOnlyWhenTheParentPrints)
{
    TRelatorio r(QStringLiteral("Filhas"));
    int atual = 0;
    PoeDetalhe(r, atual, 4, 20, QStringLiteral("Registro "));
    TBanda& detalhe = r.BandaDe(QStringLiteral("Detalhe"));
    detalhe.AntesDeImprimir = [&atual](TBanda&, bool& imprime) { imprime = atual != 2; };
    TBanda& filha = r.CriaFilha(QStringLiteral("Filha"), detalhe);
    filha.Altura = 20;
    auto& texto = filha.Adiciona<TTextoDado>(QStringLiteral("T"));
    texto.Fonte = Fonte();
    texto.Valor = [&atual] { return QStringLiteral("Filha de %1").arg(atual); };
    TBanda& neta = r.CriaFilha(QStringLiteral("Neta"), filha);
    neta.Altura = 20;
    neta.Habilitada = false;   // a disabled child is passed over, its parent still prints
    neta.AdicionaRotulo(QStringLiteral("T"), QStringLiteral("Neta"), 0, 0, Fonte());

    const auto paginas = GeraPdf(r, QStringLiteral("filhas.pdf"));

    ASSERT_EQ(paginas.size(), 1);
    EXPECT_EQ(paginas[0],
              (QStringList{QStringLiteral("Registro 1"), QStringLiteral("Filha de 1"), QStringLiteral("Registro 3"),
                           QStringLiteral("Filha de 3"), QStringLiteral("Registro 4"), QStringLiteral("Filha de 4")}));
}

TEST(TRelatorio, BeforePrintSetsTheHeightTheBandTakes)
{
    TRelatorio r(QStringLiteral("Alturas"));
    int atual = 0;
    PoeDetalhe(r, atual, 4, 20, QStringLiteral("R"));
    TBanda& detalhe = r.BandaDe(QStringLiteral("Detalhe"));
    std::vector<qreal> topos;
    detalhe.AntesDeImprimir = [&](TBanda& b, bool&) {
        topos.push_back(r.YAtual());
        b.Altura = atual == 2 ? 55 : 20;
    };
    ASSERT_TRUE(r.Gera());
    const qreal topo = r.Papel().MargemSuperior;
    EXPECT_EQ(topos, (std::vector<qreal>{topo, topo + 20, topo + 75, topo + 95}));
}

TEST(TRelatorio, ForcedNewPageLeavesNoEmptyFirstPage)
{
    TRelatorio r(QStringLiteral("Forca"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 3, 20, QStringLiteral("Registro "));
    r.BandaDe(QStringLiteral("Detalhe")).ForcaNovaPagina = true;

    const auto paginas = GeraPdf(r, QStringLiteral("forca.pdf"));

    ASSERT_EQ(paginas.size(), 3);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(Corpo(paginas[p]), QStringList{QStringLiteral("Registro %1").arg(p + 1)});
}

TEST(TRelatorio, NewPageFromTheDataEventEndsThePageOrRedoesAnEmptyTop)
{
    // Records 1 and 4 switch the header and ask for a new page: record 1 finds a page that
    // holds only its header, which is done again; record 4 ends page 1. Nothing follows the
    // new page asked for after the last record.
    TRelatorio r(QStringLiteral("Secoes"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 6, 20, QStringLiteral("Registro "));
    QString secao = QStringLiteral("Declarante");
    auto& titulo = r.BandaDe(QStringLiteral("Cabecalho")).ElementoDe<TRotulo>(QStringLiteral("Titulo"));
    r.BandaDe(QStringLiteral("Cabecalho")).AntesDeImprimir = [&](TBanda&, bool&) {
        titulo.Texto = QStringLiteral("Seção ") + secao;
    };
    r.AntesDeGerar = [&](bool&) {
        atual = 0;
        secao = QStringLiteral("Declarante");
    };
    r.PrecisaDados = [&] {
        ++atual;
        if (atual == 1 || atual == 4) {
            secao = QStringLiteral("Fundo %1").arg(atual);
            r.NovaPagina();
        }
        if (atual == 7)
            r.NovaPagina();
        return atual <= 6;
    };

    const auto paginas = GeraPdf(r, QStringLiteral("secoes.pdf"));

    ASSERT_EQ(paginas.size(), 2);
    EXPECT_EQ(paginas[0],
              (QStringList{QStringLiteral("Seção Fundo 1"), QStringLiteral("Registro 1"), QStringLiteral("Registro 2"),
                           QStringLiteral("Registro 3"), QStringLiteral("Página 1")}));
    EXPECT_EQ(paginas[1].constFirst(), QStringLiteral("Seção Fundo 4"));
    EXPECT_EQ(paginas[1].constLast(), QStringLiteral("Página 2"));
}

TEST(TRelatorio, ReportOptionsDecideTheFirstHeaderLastFooterAndEmptyReport)
{
    const struct {
        const char* caso;
        bool cabecalhoPrimeira, rodapeUltima, imprimeVazio;
        int registros;
        QList<QStringList> esperado;
    } casos[] = {
        {"both kept", true, true, true, 1, {{"Relatório de teste", "Título", "Registro 1", "Sumário", "Página 1"}}},
        {"no header on page 1, no footer on the last", false, false, true, 1, {{"Título", "Registro 1", "Sumário"}}},
        {"empty report printed", true, true, true, 0, {{"Relatório de teste", "Título", "Sumário", "Página 1"}}},
        {"empty report not printed", true, true, false, 0, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TRelatorio r(QStringLiteral("Opcoes"));
        PoeCabecalhoERodape(r);
        int atual = 0;
        PoeDetalhe(r, atual, c.registros, 20, QStringLiteral("Registro "));
        TBanda& titulo = r.CriaBanda(TTipoBanda::Titulo, QStringLiteral("Titulo"));
        titulo.Altura = 20;
        titulo.AdicionaRotulo(QStringLiteral("T"), QStringLiteral("Título"), 0, 0, Fonte());
        TBanda& sumario = r.CriaBanda(TTipoBanda::Sumario, QStringLiteral("Sumario"));
        sumario.Altura = 20;
        sumario.AdicionaRotulo(QStringLiteral("T"), QStringLiteral("Sumário"), 0, 0, Fonte());
        r.CabecalhoNaPrimeiraPagina = c.cabecalhoPrimeira;
        r.RodapeNaUltimaPagina = c.rodapeUltima;
        r.ImprimeSeVazio = c.imprimeVazio;

        ASSERT_TRUE(r.Gera());
        if (c.esperado.isEmpty()) {
            EXPECT_EQ(r.Documento()->Quantidade(), 0);
            continue;
        }
        const QString arquivo = Arquivo(QStringLiteral("opcoes.pdf"));
        ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(*r.Documento(), arquivo));
        QList<QStringList> lidas;
        for (const QString& p : TextoPdf::Paginas(arquivo))
            lidas.append(TextoPdf::Linhas(p));
        EXPECT_EQ(lidas, c.esperado);
    }
}

TEST(TRelatorio, BandTallerThanAPageTakesAPageOfItsOwn)
{
    TRelatorio r(QStringLiteral("Alta"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 3, 20, QStringLiteral("Registro "));
    r.BandaDe(QStringLiteral("Detalhe")).AntesDeImprimir = [&atual](TBanda& b, bool&) {
        b.Altura = atual == 2 ? 5000 : 20;
    };
    ASSERT_TRUE(r.Gera());
    EXPECT_EQ(r.Documento()->Quantidade(), 3);
}

TEST(TRelatorio, StretchingMemoGrowsItsBandByItsMeasuredHeight)
{
    TRelatorio r(QStringLiteral("Memo"));
    int atual = 0;
    PoeDetalhe(r, atual, 2, 20, QStringLiteral("R"));
    TBanda& detalhe = r.BandaDe(QStringLiteral("Detalhe"));
    auto& memo = detalhe.Adiciona<TMemo>(QStringLiteral("Memo"));
    memo.Fonte = TFonte::Cria(QStringLiteral("Liberation Mono"), 10);
    memo.Topo = 15;
    memo.Largura = 200;
    memo.Altura = 10;
    memo.Estica = true;
    memo.Linhas = QStringList{QString(100, QLatin1Char('x'))};
    std::vector<qreal> topos;
    detalhe.DepoisDeImprimir = [&](TBanda&, bool) { topos.push_back(r.YAtual()); };

    ASSERT_TRUE(r.Gera());

    const qreal medida = memo.AlturaMedida();
    EXPECT_GT(medida, 30);   // 100 characters of about 6 units do not fit on one 200-unit line
    const qreal topo = r.Papel().MargemSuperior;
    ASSERT_EQ(topos.size(), 2u);
    EXPECT_DOUBLE_EQ(topos[0], topo + 15 + medida);
    EXPECT_DOUBLE_EQ(topos[1], topo + 2 * (15 + medida));
}

TEST(TRelatorio, CancelStopsAfterTheCurrentRecordKeepingItsPages)
{
    TRelatorio r(QStringLiteral("Cancela"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 1000, 30, QStringLiteral("Registro "));
    r.BandaDe(QStringLiteral("Detalhe")).DepoisDeImprimir = [&](TBanda&, bool) {
        if (atual == 80)
            r.Cancela();
    };

    EXPECT_FALSE(r.Gera());

    EXPECT_TRUE(r.Documento()->Cancelado());
    EXPECT_FALSE(r.Gerando());
    EXPECT_EQ(atual, 80);
    EXPECT_GE(r.Documento()->Quantidade(), 2);
    EXPECT_LE(r.Documento()->Quantidade(), 3);
}

TEST(TRelatorio, ErrorInAnEventEndsTheGenerationAndReachesTheCaller)
{
    TRelatorio r(QStringLiteral("Erro"));
    int atual = 0;
    PoeDetalhe(r, atual, 50, 30, QStringLiteral("Registro "));
    bool falha = true;
    r.BandaDe(QStringLiteral("Detalhe")).AntesDeImprimir = [&](TBanda&, bool&) {
        if (falha && atual == 40)
            throw std::runtime_error("falha do evento");
    };

    EXPECT_THROW(r.Gera(), std::runtime_error);

    EXPECT_FALSE(r.Gerando());
    EXPECT_TRUE(r.Documento()->Terminado());
    falha = false;
    EXPECT_TRUE(r.Gera());   // the report can run again
    EXPECT_EQ(atual, 51);
}

TEST(TRelatorio, RefusedGenerationGivesNoPage)
{
    TRelatorio r(QStringLiteral("Recusa"));
    int atual = 0;
    PoeDetalhe(r, atual, 5, 30, QStringLiteral("Registro "));
    r.AntesDeGerar = [](bool& imprime) { imprime = false; };

    EXPECT_FALSE(r.Gera());

    EXPECT_EQ(r.Documento()->Quantidade(), 0);
    EXPECT_TRUE(r.Documento()->Terminado());
}

TEST(TRelatorio, BuildingMistakesAreRefused)
{
    TRelatorio r(QStringLiteral("Erros"));
    r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Detalhe"));
    EXPECT_THROW(r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Outro")), std::logic_error);
    EXPECT_THROW(r.CriaBanda(TTipoBanda::Sumario, QStringLiteral("Detalhe")), std::logic_error);
    EXPECT_THROW(r.CriaBanda(TTipoBanda::SubDetalhe, QStringLiteral("Sub")), std::logic_error);
    TBanda& filha = r.CriaFilha(QStringLiteral("Filha"), r.BandaDe(QStringLiteral("Detalhe")));
    EXPECT_THROW(filha.DefinePai(&filha), std::logic_error);
    EXPECT_THROW(r.BandaDe(QStringLiteral("Detalhe")).DefinePai(nullptr), std::logic_error);
    EXPECT_THROW((void)r.BandaDe(QStringLiteral("Nenhuma")), std::logic_error);
}

TEST(TRelatorio, ChildMovesWhenLinkedUnderAnotherBand)
{
    TRelatorio r(QStringLiteral("Ligacoes"));
    TBanda& a = r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("A"));
    TBanda& b = r.CriaBanda(TTipoBanda::Sumario, QStringLiteral("B"));
    TBanda& filha = r.CriaFilha(QStringLiteral("Filha"), a);
    filha.DefinePai(&b);
    EXPECT_EQ(a.Filha(), nullptr);
    EXPECT_EQ(b.Filha(), &filha);
    EXPECT_EQ(filha.Pai(), &b);
}

TEST(TRelatorio, ChildThatStaysWithItsParentTakesItToTheNextPage)
{
    // Records of 100 and a child of 100: the fifth record fits on page 1, its child does not.
    for (const bool fica : {false, true}) {
        SCOPED_TRACE(fica);
        TRelatorio r(QStringLiteral("FicaComPai"));
        PoeCabecalhoERodape(r);
        int atual = 0;
        PoeDetalhe(r, atual, 6, 100, QStringLiteral("Registro "));
        TBanda& filha = r.CriaFilha(QStringLiteral("Filha"), r.BandaDe(QStringLiteral("Detalhe")));
        filha.Altura = 100;
        filha.FicaComPai = fica;
        auto& texto = filha.Adiciona<TTextoDado>(QStringLiteral("T"));
        texto.Fonte = Fonte();
        texto.Valor = [&atual] { return QStringLiteral("Filha de %1").arg(atual); };

        const auto paginas = GeraPdf(r, QStringLiteral("fica.pdf"));

        ASSERT_EQ(paginas.size(), 2);
        const QStringList segunda = Corpo(paginas[1]);
        ASSERT_FALSE(segunda.isEmpty());
        EXPECT_EQ(segunda.front(), fica ? QStringLiteral("Registro 5") : QStringLiteral("Filha de 5"));
        EXPECT_EQ(Corpo(paginas[0]).back(), fica ? QStringLiteral("Filha de 4") : QStringLiteral("Registro 5"));
    }
}

TEST(TRelatorio, ChildrenNoPageCanHoldUnderItsHeaderLeaveTheirParentWhereItIs)
{
    // Record 2 and its child fit the paper between its margins, not under the page header: a new
    // page would not hold them together, so record 2 stays on page 1 under record 1.
    TRelatorio r(QStringLiteral("Juntas"));
    PoeCabecalhoERodape(r);
    int atual = 0;
    PoeDetalhe(r, atual, 2, 100, QStringLiteral("Registro "));
    TBanda& filha = r.CriaFilha(QStringLiteral("Filha"), r.BandaDe(QStringLiteral("Detalhe")));
    filha.Altura = r.AlturaUtil() - r.Papel().MargemSuperior - 100 - 10;
    filha.FicaComPai = true;
    filha.AntesDeImprimir = [&atual](TBanda&, bool& imprime) { imprime = atual == 2; };
    filha.AdicionaRotulo(QStringLiteral("T"), QStringLiteral("Filha"), 0, 0, Fonte());

    const auto paginas = GeraPdf(r, QStringLiteral("juntas.pdf"));

    ASSERT_EQ(paginas.size(), 2);
    EXPECT_EQ(Corpo(paginas[0]), (QStringList{QStringLiteral("Registro 1"), QStringLiteral("Registro 2")}));
    EXPECT_EQ(Corpo(paginas[1]), QStringList{QStringLiteral("Filha")});
}
