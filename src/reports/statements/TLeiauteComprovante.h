#pragma once
#include <QImage>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

class TBanda;
class TGrupo;
class TRelatorio;
class TSubDetalhe;

// The three legal layouts of an income statement: an individual's (PF), a company's (PJ) and the
// statement of withholdings on payments for goods and services to federal public bodies (IN4).
enum class TTipoLeiaute { PF, PJ, IN4 };

// The bands of the income statement report, laid out on Letter portrait in report units, and the
// switch between the three layouts. The bands, top to bottom:
//   PageHeader (authority, emblem, the layout's title, calendar year) with the continuation headers
//     headerPJ and headerIN4 under it;
//   Quadro01 (box 1, the paying source; the detail, one statement per record), then by layout
//     PF: PFQuadro02 (box 2), PFQuadro03 (3), PFQuadro04 (4), PFQuadro05 (5);
//     PJ: PJQuadro02, the monthly lines PJRendimentos under the header PJQuadro03;
//     IN4: IN4Quadro02, the monthly lines PJRendimentos under the header IN4Quadro03;
//   PJRendimentosFooter (closes the table of lines), Quadro06 (complementary information; one
//   taller than a page goes on in Quadro06Parte2, 3..., alike, one on each next page),
//   Quadro07 (the person responsible, the date, the approval line); PageFooterBand1 ("Página").
// Value labels are empty until the report's owner fills them; their names are the ones the
// owner writes through Texto.
class TLeiauteComprovante final {
public:
    // The width every band is drawn in; the side margins centre it on Letter paper.
    static constexpr qreal Largura = 720;

    // Builds the bands into the report (which must have none of them yet) and sets its paper.
    explicit TLeiauteComprovante(TRelatorio& relatorio);   // relatorio outlives the layout
    TLeiauteComprovante(const TLeiauteComprovante&) = delete;
    TLeiauteComprovante& operator=(const TLeiauteComprovante&) = delete;

    // Titles, the band linked under box 1 and under the lines, the line table's header and
    // columns, box numbers, the approval line and the captions of box 1.
    void Configura(TTipoLeiaute leiaute);
    [[nodiscard]] TTipoLeiaute Leiaute() const { return FLeiaute; }
    // Centres the layout's width on the report's paper, as it is now (another paper than Letter).
    void CentraNoPapel();

    // The text of a label of the band; std::logic_error for a name the band does not have.
    static void Texto(const TBanda& banda, const QString& nome, const QString& texto);
    // The value of a framed cell (a name, a number, the nature of the income): whole in its
    // cell, in a smaller size of its font where the cell is too narrow for it; the same
    // std::logic_error as Texto.
    static void TextoNaCelula(const TBanda& banda, const QString& nome, const QString& texto);

    // The lines of box 6's memo Q6L1; box 6 grows with them at once (the memo is at least 60
    // high), so that whatever box 6 follows is judged by this statement's own box 6.
    void InformacoesComplementares(const QStringList& linhas);
    // The row of a monthly line fits its description (PJ) or has the fixed height (IN4); the
    // column rules follow its height.
    void AjustaLinha();

    // Box 6 about to print with espaco left on its page and pagina on a new one: when it does not
    // fit a page together with box 7, it goes on over the next ones, a part framed under its title on each, box 7
    // under the last part; the whole memo was set by InformacoesComplementares.
    void DivideInformacoes(qreal espaco, qreal pagina);
    // The lines of each part of box 6 of that many lines: the first in espaco (0: the box starts
    // on a new page), the others each on a new page of height pagina, the last one with the
    // height abaixo left under it.
    [[nodiscard]] static std::vector<int> PartesInformacoes(int linhas, qreal alturaLinha, qreal espaco, qreal pagina,
                                                            qreal abaixo);

    // Height of the complementary-information memo for a text of that measured height.
    [[nodiscard]] static qreal AlturaMemoInformacoes(qreal medida);
    // The emblem of the page headers.
    [[nodiscard]] static QImage Emblema();

    TBanda& PageHeader;
    TBanda& headerPJ;
    TBanda& headerIN4;
    TBanda& Quadro01;
    TBanda& PFQuadro02;
    TBanda& PFQuadro03;
    TBanda& PFQuadro04;
    TBanda& PFQuadro05;
    TBanda& PJQuadro02;
    TBanda& IN4Quadro02;
    TBanda& PJQuadro03;
    TBanda& IN4Quadro03;
    TSubDetalhe& PJRendimentos;
    TBanda& PJRendimentosFooter;
    TBanda& Quadro06;
    TBanda& Quadro07;
    TBanda& PageFooterBand1;

private:
    TRelatorio& FRelatorio;
    TTipoLeiaute FLeiaute = TTipoLeiaute::PF;
    std::vector<TBanda*> FPartesQuadro06;   // box 6 on its second page on, made as needed
};
