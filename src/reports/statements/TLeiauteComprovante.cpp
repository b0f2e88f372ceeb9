#include "reports/statements/TLeiauteComprovante.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "platform/report/bands/TBanda.h"
#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/elements/TImagem.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/bands/TSubDetalhe.h"
#include "reports/forms/FormularioRelato.h"

namespace {

constexpr qreal W = TLeiauteComprovante::Largura;

// Font sizes in points.
namespace Pt {
constexpr qreal Legenda = 6.5;   // captions of a cell
constexpr qreal Linha = 7;       // captions of a row of values
constexpr qreal Titulo = 7.5;    // titles of the boxes
constexpr qreal Valor = 8;       // what the statement states
}   // namespace Pt

constexpr qreal TopoCaixa = 16;        // where a box's frame starts under its title
constexpr qreal ColunaValores = 600;   // left edge of the amounts of boxes 3 to 5
constexpr qreal MinimoMemo = 60;
constexpr qreal TopoMemo = TopoCaixa + 4;
constexpr qreal ForaDoMemo = TopoMemo + 4 + 2;   // box 6's height beyond its memo

// A label centred, or aligned right, in the column from x to x + largura.
TRotulo& Alinhado(TBanda& banda, const QString& nome, const QString& texto, qreal x, qreal y, qreal largura,
                  qreal pontos, Qt::Alignment alinhamento, bool negrito = false)
{
    TRotulo& rotulo = Rotulo(banda, nome, texto, x, y, pontos, negrito);
    rotulo.Largura = largura;
    rotulo.Alinhamento = alinhamento;
    return rotulo;
}

TForma& Moldura(TBanda& banda, const QString& nome, qreal x, qreal y, qreal largura, qreal altura)
{
    auto& forma = banda.Adiciona<TForma>(nome, TTipoForma::Retangulo);
    forma.Esquerda = x;
    forma.Topo = y;
    forma.Largura = largura;
    forma.Altura = altura;
    return forma;
}

TForma& Vertical(TBanda& banda, const QString& nome, qreal x, qreal y, qreal altura)
{
    auto& forma = banda.Adiciona<TForma>(nome, TTipoForma::LinhaVertical);
    forma.Esquerda = x - 1;
    forma.Topo = y;
    forma.Largura = 2;
    forma.Altura = altura;
    return forma;
}

void TituloQuadro(TBanda& banda, const QString& nome, const QString& texto, qreal x = 0)
{
    Rotulo(banda, nome, texto, x, 3, Pt::Titulo, true);
}

QFont FonteValor()
{
    return FonteRelato(Pt::Valor, true);
}

// A cell of a frame from x to direita: its caption on top, its value under it, which
// TextoNaCelula holds to the cell.
void Celula(TBanda& banda, const QString& legenda, const QString& texto, const QString& valor, qreal x, qreal y,
            qreal direita)
{
    Rotulo(banda, legenda, texto, x + 3, y + 2, Pt::Legenda);
    TRotulo& rotulo = Rotulo(banda, valor, QString(), x + 3, y + 14, Pt::Valor, true);
    EncolheNaColuna(rotulo, FonteValor(), direita - 3);
}

// One row of a box of amounts: its caption (one or two lines) and its amount on the right.
struct TLinhaQuadro {
    const char* Legenda;
    const char* Texto;
    const char* Continuacao;   // second line of the caption, or nullptr
    const char* Valor;
};

// Title, "VALORES EM REAIS" over the amounts, and the framed rows; the band's height.
qreal QuadroDeValores(TBanda& banda, const QString& titulo, std::initializer_list<TLinhaQuadro> linhas)
{
    TituloQuadro(banda, QStringLiteral("lblTitulo"), titulo);
    Alinhado(banda, QStringLiteral("lblValores"), QStringLiteral("VALORES EM REAIS"), ColunaValores, 4,
             W - ColunaValores, Pt::Legenda, Qt::AlignHCenter, true);
    qreal y = TopoCaixa;
    int n = 0;
    for (const TLinhaQuadro& l : linhas) {
        const qreal altura = l.Continuacao != nullptr ? 26 : 16;
        if (n > 0)
            Linha(banda, QStringLiteral("Regua%1").arg(n), y - 1, W);
        Rotulo(banda, QString::fromLatin1(l.Legenda), QString::fromUtf8(l.Texto), 4, y + 2, Pt::Linha);
        if (l.Continuacao != nullptr)
            Rotulo(banda, QString::fromLatin1(l.Legenda) + QLatin1Char('b'), QString::fromUtf8(l.Continuacao), 18,
                   y + 12, Pt::Linha);
        Alinhado(banda, QString::fromLatin1(l.Valor), QString(), ColunaValores + 4, y + (altura - 13) / 2,
                 W - ColunaValores - 8, Pt::Valor, Qt::AlignRight, true);
        y += altura;
        ++n;
    }
    Moldura(banda, QStringLiteral("Moldura"), 0, TopoCaixa, W, y - TopoCaixa);
    Vertical(banda, QStringLiteral("ReguaValores"), ColunaValores, TopoCaixa, y - TopoCaixa);
    return y + 4;
}

// The columns of a table of monthly lines: where each column starts and ends, and its title.
struct TColunas {
    qreal Regua[4];   // the rules between the columns; a rule at 0 is not drawn
    const char* Titulo[5];
};

constexpr TColunas ColunasPJ{
    {32, 95, 498, 605},
    {"Mês", "Código de Retenção", "Descrição do Rendimento", "Rendimento (R$)", "Imposto Retido (R$)"}};
constexpr TColunas ColunasIN4{
    {181, 359, 0, 535}, {"MÊS DO PAGAMENTO ", "CÓDIGO DA RETENÇÃO", nullptr, "VALOR PAGO (R$)", "VALOR RETIDO (R$)"}};

// The title of box 3 and the framed titles of the columns; the band's height.
qreal CabecalhoLinhas(TBanda& banda, const QString& titulo, const TColunas& colunas)
{
    TituloQuadro(banda, QStringLiteral("lblTitulo"), titulo);
    constexpr qreal altura = 26;
    Moldura(banda, QStringLiteral("Moldura"), 0, TopoCaixa, W, altura);
    qreal inicio = 0;
    for (int i = 0; i < 5; ++i) {
        const qreal fim = i < 4 ? colunas.Regua[i] : W;
        if (i < 4 && fim > 0)
            Vertical(banda, QStringLiteral("Regua%1").arg(i + 1), fim, TopoCaixa, altura);
        if (colunas.Titulo[i] == nullptr)
            continue;
        auto& memo = banda.Adiciona<TMemo>(QStringLiteral("Coluna%1").arg(i + 1));
        memo.Linhas = QStringList{QString::fromUtf8(colunas.Titulo[i])};
        memo.Fonte = FonteRelato(Pt::Legenda, true);
        memo.Alinhamento = Qt::AlignHCenter;
        memo.Esquerda = inicio + 2;
        memo.Largura = fim - inicio - 4;
        const qreal texto = memo.AlturaMedida();
        memo.Topo = TopoCaixa + std::max<qreal>(1, (altura - texto) / 2);
        memo.Altura = altura - 2;
        inicio = fim;
    }
    return TopoCaixa + altura;
}

// The elements of box 6, or of its part on a page: number, title, frame and memo.
void QuadroInformacoes(TBanda& banda)
{
    Rotulo(banda, QStringLiteral("numeroQ6"), QString(), 0, 3, Pt::Titulo, true);
    TituloQuadro(banda, QStringLiteral("lblTitulo"), QStringLiteral("INFORMAÇÕES COMPLEMENTARES"), 14);
    Moldura(banda, QStringLiteral("Q6Moldura"), 0, TopoCaixa, W, MinimoMemo + 8);
    auto& memo = banda.Adiciona<TMemo>(QStringLiteral("Q6L1"));
    memo.Fonte = FonteRelato(Pt::Valor - 0.5);
    memo.Esquerda = 4;
    memo.Topo = TopoMemo;
    memo.Largura = W - 8;
    memo.Altura = MinimoMemo;
}

// The memo of box 6 (or of its part) holds the lines in that height; the frame and the band follow.
void AjustaQuadroInformacoes(TBanda& banda, const QStringList& linhas, qreal alturaMemo)
{
    auto& memo = banda.ElementoDe<TMemo>(QStringLiteral("Q6L1"));
    memo.Linhas = linhas;
    memo.Altura = alturaMemo;
    auto& moldura = banda.ElementoDe<TForma>(QStringLiteral("Q6Moldura"));
    moldura.Altura = memo.Altura + 8;
    banda.Altura = moldura.Topo + moldura.Altura + 2;
}

// Where each part of a monthly line goes, by layout.
struct TPosicoesLinha {
    qreal Mes, Codigo, Rendimento, Imposto;
    qreal Regua[4];
    bool Descricao;
};
constexpr TPosicoesLinha PosicoesPJ{4, 45, 503, 610, {32, 95, 498, 605}, true};
constexpr TPosicoesLinha PosicoesIN4{70, 250, 392, 579, {181, 359, 0, 535}, false};
constexpr qreal TopoDescricao = 3;
constexpr qreal AlturaLinhaIN4 = 18;

}   // namespace

TLeiauteComprovante::TLeiauteComprovante(TRelatorio& r)
    : PageHeader(r.CriaBanda(TTipoBanda::CabecalhoPagina, QStringLiteral("PageHeader")))
    , headerPJ(r.CriaFilha(QStringLiteral("headerPJ"), PageHeader))
    , headerIN4(r.CriaBanda(TTipoBanda::Filha, QStringLiteral("headerIN4")))
    , Quadro01(r.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Quadro01")))
    , PFQuadro02(r.CriaFilha(QStringLiteral("PFQuadro02"), Quadro01))
    , PFQuadro03(r.CriaFilha(QStringLiteral("PFQuadro03"), PFQuadro02))
    , PFQuadro04(r.CriaFilha(QStringLiteral("PFQuadro04"), PFQuadro03))
    , PFQuadro05(r.CriaFilha(QStringLiteral("PFQuadro05"), PFQuadro04))
    , PJQuadro02(r.CriaBanda(TTipoBanda::Filha, QStringLiteral("PJQuadro02")))
    , IN4Quadro02(r.CriaBanda(TTipoBanda::Filha, QStringLiteral("IN4Quadro02")))
    , PJQuadro03(r.CriaBanda(TTipoBanda::CabecalhoGrupo, QStringLiteral("PJQuadro03")))
    , IN4Quadro03(r.CriaBanda(TTipoBanda::CabecalhoGrupo, QStringLiteral("IN4Quadro03")))
    , PJRendimentos(r.CriaSubDetalhe(QStringLiteral("PJRendimentos")))
    , PJRendimentosFooter(r.CriaBanda(TTipoBanda::RodapeGrupo, QStringLiteral("PJRendimentosFooter")))
    , Quadro06(r.CriaFilha(QStringLiteral("Quadro06"), PFQuadro05))
    , Quadro07(r.CriaFilha(QStringLiteral("Quadro07"), Quadro06))
    , PageFooterBand1(r.CriaBanda(TTipoBanda::RodapePagina, QStringLiteral("PageFooterBand1")))
    , FRelatorio(r)
{
    r.Papel().DefineCodigo(1);
    r.Papel().DefineOrientacao(TOrientacao::Retrato);
    CentraNoPapel();
    r.Papel().MargemSuperior = 36;
    r.Papel().MargemInferior = 36;
    r.CabecalhoNaPrimeiraPagina = true;
    r.RodapeNaUltimaPagina = true;

    // Page header.
    auto& emblema = PageHeader.Adiciona<TImagem>(QStringLiteral("QRImage1"));
    emblema.Imagem = Emblema();
    emblema.Esquerda = 0;
    emblema.Topo = 2;
    emblema.Largura = 56;
    emblema.Altura = 56;
    emblema.Estica = true;
    Rotulo(PageHeader, QStringLiteral("lblMinisterio"), QStringLiteral("Ministério da Brevia"), 64, 8, 11, true);
    Rotulo(PageHeader, QStringLiteral("lblSecretaria"), QStringLiteral("Secretaria da Morvex Federal"), 64, 28, 10);
    constexpr qreal xTitulo = 300;
    constexpr qreal wTitulo = 280;
    const struct {
        const char* nome;
        const char* texto;
        qreal topo;
    } titulos[] = {
        {"TituloComprovantePF1", "Comprovante de Rendimentos Pagos e de", 12},
        {"TituloComprovantePF2", "Retenção de Imposto de Renda na Fonte", 28},
        {"TituloComprovanteIN4a", "Comprovante Anual de Retenção", 12},
        {"TituloComprovanteIN4b", "Lei nº 9.430/96, Art. 64", 28},
    };
    for (const auto& t : titulos)
        Alinhado(PageHeader, QString::fromLatin1(t.nome), QString::fromUtf8(t.texto), xTitulo, t.topo, wTitulo, 8.5,
                 Qt::AlignHCenter, true);
    auto& tituloPJ = PageHeader.Adiciona<TMemo>(QStringLiteral("tituloComprovantePJ"));
    tituloPJ.Linhas = QStringList{QStringLiteral(
        "Comprovante Anual de Rendimentos Pagos ou Creditados e de Retenção de Imposto de Renda na Fonte - "
        "Pessoa Jurídica")};
    tituloPJ.Fonte = FonteRelato(8.5, true);
    tituloPJ.Alinhamento = Qt::AlignHCenter;
    tituloPJ.Esquerda = xTitulo;
    tituloPJ.Topo = 6;
    tituloPJ.Largura = wTitulo;
    tituloPJ.Altura = 50;
    Moldura(PageHeader, QStringLiteral("MolduraAno"), 590, 2, W - 590, 56);
    Alinhado(PageHeader, QStringLiteral("lblAnoCalendario"), QStringLiteral("ANO-CALENDÁRIO"), 590, 9, W - 590,
             Pt::Legenda + 0.5, Qt::AlignHCenter, true);
    Alinhado(PageHeader, QStringLiteral("ValorAnoCalendario"), QString(), 590, 25, W - 590, 14, Qt::AlignHCenter, true);
    Linha(PageHeader, QStringLiteral("Regua"), 66 - 1, W);
    PageHeader.Altura = 72;

    // Continuation headers of the monthly lines.
    headerPJ.Altura = CabecalhoLinhas(headerPJ, QStringLiteral("3. RENDIMENTO E IMPOSTO RETIDO NA FONTE (Continuação)"),
                                      ColunasPJ);
    headerIN4.Altura = CabecalhoLinhas(headerIN4, QStringLiteral("3. RELAÇÃO DE PAGAMENTOS E RETENÇÕES (Continuação)"),
                                       ColunasIN4);

    // Box 1: the paying source.
    Quadro01.ForcaNovaPagina = true;
    TituloQuadro(Quadro01, QStringLiteral("tituloQuadro1"), QString());
    Moldura(Quadro01, QStringLiteral("Moldura"), 0, TopoCaixa, W, 32);
    Vertical(Quadro01, QStringLiteral("Regua"), 560, TopoCaixa, 32);
    Celula(Quadro01, QStringLiteral("lblQ1Nome"), QString(), QStringLiteral("Q1DeclaranteNome"), 0, TopoCaixa, 560);
    Celula(Quadro01, QStringLiteral("lblQ1Ni"), QString(), QStringLiteral("Q1DeclaranteNi"), 560, TopoCaixa, W);
    Quadro01.Altura = TopoCaixa + 32 + 4;

    // Box 2 of each layout: the beneficiary.
    TituloQuadro(PFQuadro02, QStringLiteral("lblTitulo"),
                 QStringLiteral("2. PESSOA FÍSICA BENEFICIÁRIA DOS RENDIMENTOS"));
    Moldura(PFQuadro02, QStringLiteral("Moldura"), 0, TopoCaixa, W, 64);
    Linha(PFQuadro02, QStringLiteral("ReguaNatureza"), TopoCaixa + 32 - 1, W);
    Vertical(PFQuadro02, QStringLiteral("Regua"), 160, TopoCaixa, 32);
    Celula(PFQuadro02, QStringLiteral("lblCpf"), QStringLiteral("CPF"), QStringLiteral("BeneficiarioPFNi"), 0,
           TopoCaixa, 160);
    Celula(PFQuadro02, QStringLiteral("lblNome"), QStringLiteral("Nome Completo"), QStringLiteral("BeneficiarioPFNome"),
           160, TopoCaixa, W);
    Celula(PFQuadro02, QStringLiteral("lblNatureza"), QStringLiteral("Natureza do Rendimento"),
           QStringLiteral("NaturezaRendimento"), 0, TopoCaixa + 32, W);
    PFQuadro02.Altura = TopoCaixa + 64 + 4;
    const struct {
        TBanda* banda;
        const char* titulo;
        const char* ni;
        const char* nome;
    } quadros2[] = {
        {&PJQuadro02, "2. PESSOA JURÍDICA BENEFICIÁRIA DOS RENDIMENTOS", "BeneficiarioPJNi", "BeneficiarioPJNome"},
        {&IN4Quadro02, "2. PESSOA JURÍDICA FORNECEDORA DE BENS OU DE SERVIÇOS", "BeneficiarioIN4Ni",
         "beneficiarioIN4Nome"},
    };
    for (const auto& q : quadros2) {
        TituloQuadro(*q.banda, QStringLiteral("lblTitulo"), QString::fromUtf8(q.titulo));
        Moldura(*q.banda, QStringLiteral("Moldura"), 0, TopoCaixa, W, 32);
        Vertical(*q.banda, QStringLiteral("Regua"), 160, TopoCaixa, 32);
        Celula(*q.banda, QStringLiteral("lblCnpj"), QStringLiteral("CNPJ"), QString::fromLatin1(q.ni), 0, TopoCaixa,
               160);
        Celula(*q.banda, QStringLiteral("lblNome"), QStringLiteral("Nome Empresarial"), QString::fromLatin1(q.nome),
               160, TopoCaixa, W);
        q.banda->Altura = TopoCaixa + 32 + 4;
    }

    // Boxes 3 to 5 of an individual's statement.
    PFQuadro03.Altura = QuadroDeValores(
        PFQuadro03, QStringLiteral("3. RENDIMENTOS TRIBUTÁVEIS, DEDUÇÕES E IMPOSTO RETIDO NA FONTE"),
        {{"lblQ3L1", "01. Total dos Rendimentos (inclusive férias)", nullptr, "Q3L1"},
         {"lblQ3L2", "02. Contribuição Previdenciária Oficial", nullptr, "Q3L2"},
         {"lblQ3L3", "03. Contribuição à Previdência Privada e ao Fundo de Aposentadoria Programada Individual - FAPI",
          nullptr, "Q3L3"},
         {"lblQ3L4", "04. Pensão Alimentícia (informar o beneficiário no quadro 6)", nullptr, "Q3L4"},
         {"lblQ3L5", "05. Imposto de Renda Retido", nullptr, "Q3L5"}});
    PFQuadro04.Altura = QuadroDeValores(
        PFQuadro04, QStringLiteral("4. RENDIMENTOS ISENTOS E NÃO TRIBUTÁVEIS"),
        {{"lblQ4L1", "01. Parcela Isenta dos Proventos de Aposentadoria, Reserva, Reforma e Pensão (65 anos ou mais)",
          nullptr, "Q4L1"},
         {"lblQ4L2", "02. Diárias e Ajudas de Custo", nullptr, "Q4L2"},
         {"lblQ4L3", "03. Pensão, Proventos de Aposentadoria ou Reforma por Moléstia Grave e Aposentadoria ou ",
          "Reforma por Acidente em Serviço", "Q4L3"},
         {"lblQ4L4", "04. Lucro e Dividendo Apurado a partir de 1996 pago por PJ (Lucro Real, Presumido ou Arbitrado)",
          nullptr, "Q4L4"},
         {"lblQ4L5", "05. Valores Pagos ao Titular ou Sócio de Microempresa ou Empresa de Pequeno Porte, exceto",
          "Pro-labore, Aluguéis ou Serviços Prestados", "Q4L5"},
         {"lblQ4L6",
          "06. Indenizações por rescisão de contrato de trabalho, inclusive a título de PDV, e acidente de trabalho",
          nullptr, "Q4L6"},
         {"lblQ4L7", "07. Outros (especificar):", nullptr, "Q4L7"}});
    {
        // The description typed for line 07 follows its caption.
        const TRotulo& legenda = PFQuadro04.ElementoDe<TRotulo>(QStringLiteral("lblQ4L7"));
        TRotulo& texto = Rotulo(PFQuadro04, QStringLiteral("Q4L7Texto"), QString(),
                                legenda.Esquerda + TMedidaTexto::Largura(legenda.Fonte, legenda.Texto) + 6,
                                legenda.Topo, Pt::Linha, true);
        texto.Largura = ColunaValores - 4 - texto.Esquerda;
        texto.AutoTamanho = false;
        texto.Altura = 14;
    }
    PFQuadro05.Altura = QuadroDeValores(
        PFQuadro05, QStringLiteral("5. RENDIMENTOS SUJEITOS À TRIBUTAÇÃO EXCLUSIVA (RENDIMENTO LÍQUIDO)"),
        {{"lblQ5L1", "01. Décimo Terceiro Salário", nullptr, "Q5L1"}, {"lblQ5L2", "02. Outros", nullptr, "Q5L2"}});

    // Box 3 of a company's statement: the header and one row per monthly line.
    PJQuadro03.Altura = CabecalhoLinhas(PJQuadro03, QStringLiteral("3. RENDIMENTO E IMPOSTO RETIDO NA FONTE"),
                                        ColunasPJ);
    IN4Quadro03.Altura = CabecalhoLinhas(IN4Quadro03, QStringLiteral("3. RELAÇÃO DE PAGAMENTOS E RETENÇÕES"),
                                         ColunasIN4);
    PJRendimentos.Cabecalho = &PJQuadro03;
    PJRendimentos.Rodape = &PJRendimentosFooter;
    PJRendimentos.ImprimeSeVazio = true;   // the footer carries boxes 6 and 7
    Rotulo(PJRendimentos, QStringLiteral("PJMes"), QString(), 0, TopoDescricao, Pt::Valor);
    Rotulo(PJRendimentos, QStringLiteral("PJCodigo"), QString(), 0, TopoDescricao, Pt::Valor);
    auto& descricao = PJRendimentos.Adiciona<TMemo>(QStringLiteral("PJDescricao"));
    descricao.Fonte = FonteRelato(Pt::Valor);
    descricao.Esquerda = PosicoesPJ.Regua[1] + 4;
    descricao.Topo = TopoDescricao;
    descricao.Largura = PosicoesPJ.Regua[2] - PosicoesPJ.Regua[1] - 8;
    descricao.Estica = true;
    Alinhado(PJRendimentos, QStringLiteral("PJRendimento"), QString(), 0, TopoDescricao, 0, Pt::Valor, Qt::AlignRight);
    Alinhado(PJRendimentos, QStringLiteral("PJImposto"), QString(), 0, TopoDescricao, 0, Pt::Valor, Qt::AlignRight);
    Vertical(PJRendimentos, QStringLiteral("PJBordaEsquerda"), 0.5, 0, 0);
    for (int i = 1; i <= 4; ++i)
        Vertical(PJRendimentos, QStringLiteral("PJRegua%1").arg(i), 0, 0, 0);
    Vertical(PJRendimentos, QStringLiteral("PJBordaDireita"), W - 0.5, 0, 0);
    Linha(PJRendimentos, QStringLiteral("PJReguaInferior"), 0 - 1, W);
    PJRendimentosFooter.Altura = 6;

    // Box 6: complementary information.
    QuadroInformacoes(Quadro06);

    // Box 7: the person responsible.
    Rotulo(Quadro07, QStringLiteral("numeroQ7"), QString(), 0, 3, Pt::Titulo, true);
    TituloQuadro(Quadro07, QStringLiteral("lblTitulo"), QStringLiteral("RESPONSÁVEL PELAS INFORMAÇÕES"), 14);
    Moldura(Quadro07, QStringLiteral("Moldura"), 0, TopoCaixa, W, 40);
    Vertical(Quadro07, QStringLiteral("ReguaData"), 430, TopoCaixa, 40);
    Vertical(Quadro07, QStringLiteral("ReguaAssinatura"), 530, TopoCaixa, 40);
    // The name's cell ends at the date's rule.
    Celula(Quadro07, QStringLiteral("lblNome"), QStringLiteral("Nome"), QStringLiteral("Q7ResponsavelNome"), 0,
           TopoCaixa, 430);
    Rotulo(Quadro07, QStringLiteral("lblData"), QStringLiteral("DATA"), 433, TopoCaixa + 2, Pt::Legenda);
    auto& data = Quadro07.Adiciona<TDadoSistema>(QStringLiteral("Q7Data"), TTipoDadoSistema::Data);
    data.Fonte = FonteRelato(Pt::Valor, true);
    data.Esquerda = 433;
    data.Topo = TopoCaixa + 14;
    Rotulo(Quadro07, QStringLiteral("lblAssinatura"), QStringLiteral("Assinatura"), 533, TopoCaixa + 2, Pt::Legenda);
    Rotulo(Quadro07, QStringLiteral("numeroIN"), QString(), 0, TopoCaixa + 44, Pt::Linha);
    Quadro07.Altura = TopoCaixa + 44 + 16;
    // Boxes 6 and 7 end the statement under what they follow: the person responsible signs
    // under the information, and the information comes right after the table or the boxes.
    Quadro06.FicaComPai = true;
    Quadro07.FicaComPai = true;
    InformacoesComplementares({});

    // Page footer: the page inside the statement.
    Alinhado(PageFooterBand1, QStringLiteral("lblPagina"), QStringLiteral("Página"), W - 80, 4, 50, Pt::Linha,
             Qt::AlignRight);
    Alinhado(PageFooterBand1, QStringLiteral("QRPaginaComprovante"), QString(), W - 26, 4, 26, Pt::Linha,
             Qt::AlignRight);
    PageFooterBand1.Altura = 18;

    Configura(TTipoLeiaute::PF);
}

void TLeiauteComprovante::CentraNoPapel()
{
    TPapel& papel = FRelatorio.Papel();
    papel.MargemEsquerda = std::max<qreal>(0, (papel.Largura() - W) / 2);
    papel.MargemDireita = papel.MargemEsquerda;
}

void TLeiauteComprovante::Texto(const TBanda& banda, const QString& nome, const QString& texto)
{
    banda.ElementoDe<TRotulo>(nome).Texto = texto;
}

void TLeiauteComprovante::TextoNaCelula(const TBanda& banda, const QString& nome, const QString& texto)
{
    auto& rotulo = banda.ElementoDe<TRotulo>(nome);
    rotulo.Texto = texto;
    EncolheNaColuna(rotulo, FonteValor(), rotulo.Esquerda + rotulo.Largura);
}

void TLeiauteComprovante::Configura(TTipoLeiaute leiaute)
{
    FLeiaute = leiaute;
    const bool pf = leiaute == TTipoLeiaute::PF;
    const bool in4 = leiaute == TTipoLeiaute::IN4;

    const struct {
        const char* nome;
        bool mostra;
    } titulos[] = {
        {"TituloComprovantePF1", pf},   {"TituloComprovantePF2", pf},   {"tituloComprovantePJ", !pf && !in4},
        {"TituloComprovanteIN4a", in4}, {"TituloComprovanteIN4b", in4},
    };
    for (const auto& t : titulos)
        PageHeader.ElementoDe<TElementoRelatorio>(QString::fromLatin1(t.nome)).Habilitado = t.mostra;

    (pf ? PFQuadro02 : in4 ? IN4Quadro02 : PJQuadro02).DefinePai(&Quadro01);
    PJRendimentos.Habilitada = !pf;
    PJRendimentos.Cabecalho = in4 ? &IN4Quadro03 : &PJQuadro03;
    Quadro06.DefinePai(pf ? &PFQuadro05 : &PJRendimentosFooter);

    Texto(Quadro06, QStringLiteral("numeroQ6"), pf ? QStringLiteral("6.") : QStringLiteral("4."));
    Texto(Quadro07, QStringLiteral("numeroQ7"), pf ? QStringLiteral("7.") : QStringLiteral("5."));
    Texto(Quadro07, QStringLiteral("numeroIN"),
          pf        ? QStringLiteral("Aprovado pela IN/XEQ nº 120/2000")
              : in4 ? QStringLiteral("Aprovado pela IN/XEQ/STN/SFC nº 23/2001")
                    : QStringLiteral("Aprovado pela IN/XEQ nº 119/2000"));
    Texto(Quadro01, QStringLiteral("tituloQuadro1"),
          pf ? QStringLiteral("1. FONTE PAGADORA PESSOA JURÍDICA OU PESSOA FÍSICA")
             : QStringLiteral("1. FONTE PAGADORA"));
    Texto(Quadro01, QStringLiteral("lblQ1Nome"),
          pf ? QStringLiteral("Nome Empresarial/Nome") : QStringLiteral("Nome Empresarial"));
    Texto(Quadro01, QStringLiteral("lblQ1Ni"), pf ? QStringLiteral("CNPJ/CPF") : QStringLiteral("CNPJ"));

    // The columns of the monthly lines.
    const TPosicoesLinha& p = in4 ? PosicoesIN4 : PosicoesPJ;
    const qreal fimRendimento = p.Regua[3] - 4;
    PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJMes")).Esquerda = p.Mes;
    PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJCodigo")).Esquerda = p.Codigo;
    auto& rendimento = PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJRendimento"));
    rendimento.Esquerda = p.Rendimento;
    rendimento.Largura = fimRendimento - p.Rendimento;
    auto& imposto = PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJImposto"));
    imposto.Esquerda = p.Imposto;
    imposto.Largura = W - 4 - p.Imposto;
    PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJDescricao")).Habilitado = p.Descricao;
    for (int i = 0; i < 4; ++i) {
        auto& regua = PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJRegua%1").arg(i + 1));
        regua.Esquerda = p.Regua[i] - 1;
        regua.Habilitado = p.Regua[i] > 0;
    }
    AjustaLinha();
}

qreal TLeiauteComprovante::AlturaMemoInformacoes(qreal medida)
{
    return std::max(MinimoMemo, medida);
}

void TLeiauteComprovante::InformacoesComplementares(const QStringList& linhas)
{
    // Box 6 whole, box 7 under it.
    Quadro07.DefinePai(&Quadro06);
    Quadro06.ForcaNovaPagina = false;
    auto& memo = Quadro06.ElementoDe<TMemo>(QStringLiteral("Q6L1"));
    memo.QuebraLinha = true;
    // A tab in the text (typed once, or imported) prints as a blank, not as a gap to a tab stop.
    QStringList impressas = linhas;
    for (QString& linha : impressas)
        linha.replace(QLatin1Char('\t'), QLatin1Char(' '));
    memo.Linhas = impressas;
    AjustaQuadroInformacoes(Quadro06, impressas, AlturaMemoInformacoes(memo.AlturaMedida()));
}

std::vector<int> TLeiauteComprovante::PartesInformacoes(int linhas, qreal alturaLinha, qreal espaco, qreal pagina,
                                                        qreal abaixo)
{
    if (alturaLinha <= 0)
        return {linhas};
    const auto cabem = [alturaLinha](qreal altura) {
        return std::max(0, int(std::floor((altura - ForaDoMemo) / alturaLinha + 1e-6)));
    };
    std::vector<int> partes;
    qreal sala = espaco;
    if (cabem(espaco) < 1) {
        partes.push_back(0);
        sala = pagina;
    }
    for (int resta = linhas; resta > 0; sala = pagina) {
        // The last part keeps room for what follows it; the part before it leaves it a line.
        const int parte = resta <= cabem(sala - abaixo) ? resta : std::max(1, std::min(cabem(sala), resta - 1));
        partes.push_back(parte);
        resta -= parte;
    }
    return partes;
}

void TLeiauteComprovante::DivideInformacoes(qreal espaco, qreal pagina)
{
    // Whole where box 7 fits under it on one page, on this page or the next; else box 6 alone
    // would fill a page and leave box 7 to a page of its own.
    if (Quadro06.Altura + Quadro07.Altura <= pagina)
        return;
    auto& memo = Quadro06.ElementoDe<TMemo>(QStringLiteral("Q6L1"));
    const QStringList linhas = memo.LinhasImpressas();
    const qreal alturaLinha = TMedidaTexto::AlturaLinha(memo.Fonte);
    std::vector<int> partes = PartesInformacoes(int(linhas.size()), alturaLinha, espaco, pagina, Quadro07.Altura);
    if (partes.front() == 0) {
        Quadro06.ForcaNovaPagina = true;
        partes.erase(partes.begin());
    }
    const QString numero = Quadro06.ElementoDe<TRotulo>(QStringLiteral("numeroQ6")).Texto;
    TBanda* anterior = &Quadro06;
    qsizetype inicio = 0;
    for (std::size_t i = 0; i < partes.size(); ++i) {
        TBanda* banda = &Quadro06;
        if (i > 0) {
            if (FPartesQuadro06.size() < i) {
                TBanda& nova = FRelatorio.CriaBanda(TTipoBanda::Filha, QStringLiteral("Quadro06Parte%1").arg(i + 1));
                QuadroInformacoes(nova);
                nova.ForcaNovaPagina = true;
                FPartesQuadro06.push_back(&nova);
            }
            banda = FPartesQuadro06[i - 1];
            Texto(*banda, QStringLiteral("numeroQ6"), numero);
            banda->DefinePai(anterior);
            anterior = banda;
        }
        // The lines are broken already: each part prints them as they are.
        auto& parte = banda->ElementoDe<TMemo>(QStringLiteral("Q6L1"));
        parte.QuebraLinha = false;
        AjustaQuadroInformacoes(*banda, linhas.mid(inicio, partes[i]), partes[i] * alturaLinha);
        inicio += partes[i];
    }
    Quadro07.DefinePai(anterior);
}

void TLeiauteComprovante::AjustaLinha()
{
    qreal altura = AlturaLinhaIN4;
    if (FLeiaute != TTipoLeiaute::IN4) {
        const auto& descricao = PJRendimentos.ElementoDe<TMemo>(QStringLiteral("PJDescricao"));
        // A line always has room for its month and amounts, even without a description.
        const qreal texto = std::max(descricao.AlturaMedida(), TMedidaTexto::AlturaLinha(descricao.Fonte));
        altura = TopoDescricao + texto + 3;
    }
    altura += 1;
    PJRendimentos.Altura = altura;
    // The column rules run the row's height; the rule under the row stays a rule under it.
    auto& inferior = PJRendimentos.ElementoDe<TElementoRelatorio>(QStringLiteral("PJReguaInferior"));
    for (const auto& e : PJRendimentos.Elementos())
        if (e.get() != &inferior
            && (e->Nome().startsWith(QLatin1String("PJRegua")) || e->Nome().startsWith(QLatin1String("PJBorda"))))
            e->Altura = altura;
    inferior.Topo = altura - 2;
}

QImage TLeiauteComprovante::Emblema()
{
    // A five-pointed star in a double ring.
    QImage imagem(112, 112, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(Qt::black, 4));
    pintor.drawEllipse(QRectF(4, 4, 104, 104));
    pintor.setPen(QPen(Qt::black, 2));
    pintor.drawEllipse(QRectF(14, 14, 84, 84));
    QPainterPath estrela;
    for (int i = 0; i < 10; ++i) {
        const qreal raio = i % 2 == 0 ? 36 : 15;
        const qreal angulo = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF ponto(56 + raio * qCos(angulo), 56 + raio * qSin(angulo));
        if (i == 0)
            estrela.moveTo(ponto);
        else
            estrela.lineTo(ponto);
    }
    estrela.closeSubpath();
    pintor.fillPath(estrela, Qt::black);
    return imagem;
}
