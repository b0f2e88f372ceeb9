// The guard that reads printed pages against the data, on pages of words laid out by hand: the
// monthly totals of one code over two pages.

#include <gtest/gtest.h>

#include <functional>

#include "ConferenciaDados.h"

namespace {

using TPalavras = QList<TextoPdf::TPalavra>;

// Words of one line at height y, each given by its text and its right edge (points).
void Linha(TPalavras& pagina, qreal y, std::initializer_list<std::pair<const char*, qreal>> palavras)
{
    for (const auto& [texto, direita] : palavras) {
        const QString t = QString::fromUtf8(texto);
        const qreal largura = 5.0 * qreal(t.size());
        pagina.append({1, t, QRectF(direita - largura, y, largura, 8)});
    }
}

void Titulos(TPalavras& pagina, qreal y)
{
    Linha(pagina, y, {{"Mês", 40}, {"Rendimentos", 400}, {"Deduções", 500}, {"Imposto", 560}, {"Retido", 600}});
}

void Mes(TPalavras& pagina, qreal y, const char* mes, const char* rend, const char* ded, const char* imp)
{
    Linha(pagina, y, {{mes, 40}, {rend, 400}, {ded, 500}, {imp, 600}});
}

// The page's header (year, type, declarant) and foot (date, declarant).
void CabecalhoERodape(TPalavras& pagina, const char* ano = "2002")
{
    Linha(pagina, 10, {{"Ano-Calendário:", 80}, {ano, 110}, {"Tipo:", 200}, {"Original", 250}});
    Linha(pagina, 25,
          {{"CNPJ", 30}, {"11.222.333/0001-81", 150}, {"Nome", 200}, {"Empresarial", 260}, {"EMPRESA", 320}});
    Linha(pagina, 700, {{"Data:", 30}, {"01/02/2003", 90}, {"Declarante:", 300}, {"11.222.333/0001-81", 400}});
}

DadosEsperados Dados()
{
    DadosEsperados d;
    d.Ni = QStringLiteral("11.222.333/0001-81");
    d.Nome = QStringLiteral("EMPRESA ALFA");
    d.Ano = QStringLiteral("2002");
    d.Datas = QStringList{QStringLiteral("01/02/2003")};
    d.Descricoes.insert(QStringLiteral("0561"), QStringLiteral("Trabalho assalariado no país"));
    d.Descricoes.insert(QStringLiteral("0588"), QStringLiteral("Trabalho sem vínculo empregatício"));
    DadosEsperados::TItem item{QString(),
                               QStringLiteral("0561"),
                               QStringLiteral("100.200.300-88"),
                               QStringLiteral("JOSE"),
                               QStringLiteral("C"),
                               false,
                               {}};
    const qint64 valores[3][3] = {{100000, 10000, 5000}, {120000, 12000, 6000}, {0, 0, 0}};
    for (std::size_t m = 1; m <= 2; ++m)
        for (std::size_t c = 0; c < 3; ++c) {
            item.Meses[m][c] = valores[m - 1][c];
            item.Meses[0][c] += valores[m - 1][c];
        }
    d.Itens.push_back(item);
    return d;
}

}   // namespace

TEST(ConferenciaDados, MonthlyRowsGoUnderTheirCodeAcrossPages)
{
    const struct {
        const char* caso;
        std::function<void(TPalavras&)> topoDaSegunda;   // what the second page opens with
        const char* fevereiro[3];                        // February's income, deductions, tax
        const char* falha;                               // nullptr: none
        const char* ano = "2002";                        // in the second page's header
        const char* ultimo = "Dez";                      // the last month row printed
        bool decimoTerceiro = false;                     // the code keeps a 13th salary
    } casos[] = {
        {"the code's header again, marked as a continuation",
         [](TPalavras& p) {
             Linha(p, 60,
                   {{"Código:", 40},
                    {"0561", 70},
                    {"Trabalho", 120},
                    {"assalariado", 180},
                    {"no", 195},
                    {"país", 220},
                    {"(continuação)", 300}});
         },
         {"1.200,00", "120,00", "60,00"},
         nullptr},
        {"no header: the rows stay under the last code above",
         [](TPalavras&) {},
         {"1.200,00", "120,00", "60,00"},
         nullptr},
        {"the tax under Deduções and the deductions under Imposto Retido",
         [](TPalavras&) {},
         {"1.200,00", "60,00", "120,00"},
         "palavra \"60,00\": sob \"Deduções\" em Fev do código 0561, os dados dizem 120,00"},
        {"a header with another code's description",
         [](TPalavras& p) {
             Linha(p, 60,
                   {{"Código:", 40},
                    {"0561", 70},
                    {"Trabalho", 120},
                    {"sem", 140},
                    {"vínculo", 180},
                    {"empregatício", 250}});
         },
         {"1.200,00", "120,00", "60,00"},
         "a descrição do código 0561 é \"Trabalho assalariado no país\""},
        {"the second page headed by another year",
         [](TPalavras&) {},
         {"1.200,00", "120,00", "60,00"},
         "página 2, palavra \"Ano-Calendário: 2001 Tipo: Original\": o ano-calendário é 2002",
         "2001"},
        {"an amount without its thousands dot",
         [](TPalavras&) {},
         {"1200,00", "120,00", "60,00"},
         "palavra \"1200,00\": número fora do formato de valor"},
        {"a 13th salary row under a code that has none",
         [](TPalavras&) {},
         {"1.200,00", "120,00", "60,00"},
         "linhas impressas \"Jan Fev Mar Abr Mai Jun Jul Ago Set Out Nov Dez 13º\", os dados pedem \"Jan Fev Mar Abr "
         "Mai Jun Jul Ago Set Out Nov Dez\"",
         "2002",
         "13º"},
        {"the 13th salary row dropped, the total the same",
         [](TPalavras&) {},
         {"1.200,00", "120,00", "60,00"},
         "os dados pedem \"Jan Fev Mar Abr Mai Jun Jul Ago Set Out Nov Dez 13º\"",
         "2002",
         "Dez",
         true},
        {"December dropped",
         [](TPalavras&) {},
         {"1.200,00", "120,00", "60,00"},
         "linhas impressas \"Jan Fev Mar Abr Mai Jun Jul Ago Set Out Nov\"",
         "2002",
         "Nov"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        DadosEsperados dados = Dados();
        dados.Itens[0].DecimoTerceiro = c.decimoTerceiro;
        TPalavras primeira;
        CabecalhoERodape(primeira);
        Titulos(primeira, 40);
        Linha(primeira, 60,
              {{"Código:", 40}, {"0561", 70}, {"Trabalho", 120}, {"assalariado", 180}, {"no", 195}, {"país", 220}});
        Mes(primeira, 80, "Jan", "1.000,00", "100,00", "50,00");
        TPalavras segunda;
        CabecalhoERodape(segunda, c.ano);
        Titulos(segunda, 40);
        c.topoDaSegunda(segunda);
        Mes(segunda, 80, "Fev", c.fevereiro[0], c.fevereiro[1], c.fevereiro[2]);
        // The months without amounts, up to the last one the case prints.
        static const char* const meses[] = {"Mar", "Abr", "Mai", "Jun", "Jul", "Ago",
                                            "Set", "Out", "Nov", "Dez", "13º"};
        qreal y = 100;
        for (const char* mes : meses) {
            Mes(segunda, y, mes, "0,00", "0,00", "0,00");
            y += 20;
            if (QString::fromUtf8(mes) == QString::fromUtf8(c.ultimo))
                break;
        }
        Linha(segunda, y, {{"Total", 30}, {"Código", 70}, {"2.200,00", 400}, {"220,00", 500}, {"110,00", 600}});

        const QStringList falhas = ConferenciaDados::Confere(
            QStringLiteral("Mensal"), ConferenciaDados::TDocumento::Mensal, dados, {primeira, segunda});
        if (c.falha == nullptr)
            EXPECT_EQ(falhas, QStringList());
        else
            EXPECT_TRUE(falhas.join(QLatin1Char('\n')).contains(QString::fromUtf8(c.falha)))
                << falhas.join(QLatin1Char('\n')).toStdString();
    }
}

// Within a declarant, the code groups follow the stored codes in their order, each once.
TEST(ConferenciaDados, CodeGroupsFollowTheStoredCodesInOrder)
{
    DadosEsperados dados = Dados();
    DadosEsperados::TItem outro = dados.Itens[0];
    outro.Codigo = QStringLiteral("0588");
    outro.Meses = {};
    outro.Meses[1][DadosEsperados::Rend] = 50000;
    outro.Meses[0][DadosEsperados::Rend] = 50000;
    dados.Itens.push_back(outro);
    const auto grupo = [](TPalavras& p, qreal y, const char* codigo, const char* descricao, const char* rend,
                          const char* ded, const char* imp) {
        Linha(p, y, {{"Código:", 40}, {codigo, 70}, {descricao, 300}});
        Linha(p, y + 20, {{"Total:", 30}, {"1", 60}, {rend, 400}, {ded, 500}, {imp, 600}});
    };
    const struct {
        const char* caso;
        bool invertidos;
        bool repetido;
        const char* falha;
    } casos[] = {
        {"in the codes' order", false, false, nullptr},
        {"out of order", true, false,
         "grupos de código na ordem \"0588 0561\", os códigos guardados pedem \"0561 0588\""},
        {"a code in two groups", false, true,
         "grupos de código na ordem \"0561 0588 0561\", os códigos guardados pedem \"0561 0588\""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TPalavras pagina;
        CabecalhoERodape(pagina);
        Titulos(pagina, 40);
        const qreal primeiro = c.invertidos ? 120 : 60;
        grupo(pagina, primeiro, "0561", "Trabalho assalariado no país", "2.200,00", "220,00", "110,00");
        grupo(pagina, 180 - primeiro, "0588", "Trabalho sem vínculo empregatício", "500,00", "0,00", "0,00");
        if (c.repetido)
            grupo(pagina, 180, "0561", "Trabalho assalariado no país", "2.200,00", "220,00", "110,00");
        const QStringList falhas = ConferenciaDados::Confere(QStringLiteral("Sintético"),
                                                             ConferenciaDados::TDocumento::Sintetico, dados, {pagina});
        if (c.falha == nullptr)
            EXPECT_EQ(falhas, QStringList());
        else
            EXPECT_TRUE(falhas.join(QLatin1Char('\n')).contains(QString::fromUtf8(c.falha)))
                << falhas.join(QLatin1Char('\n')).toStdString();
    }
}
