#pragma once
#include <QFont>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class TBanda;
class TRelatorio;
class TRotulo;
class TSerieMensal;

// What the report forms share: money as they print it, the rounding of their sums, the texts of
// a declaration's kind and type, the labels they place, and the way a report reaches the printer.

// The amount (ten-thousandths) with two decimals and thousands separators, in the program's
// number format; a negative amount prints as 0,00.
[[nodiscard]] QString TextoValor(qint64 Valor);
// A + B rounded to cents (half away from zero), still in ten-thousandths: the way the reports
// add amounts, so that every total is the exact sum of the amounts printed above it.
[[nodiscard]] qint64 SomaCentavos(qint64 A, qint64 B);
// The year's amount of a series, months 1 to 12 and the 13th salary, rounded to cents.
[[nodiscard]] qint64 ValorAnual(const TSerieMensal& Serie);
// Months 1 to 12 added exactly (the model's totals), without the money limit.
[[nodiscard]] qint64 TotalDoze(const TSerieMensal& Serie);

// "Jan" to "Dez", and "13º" for month 13.
[[nodiscard]] QString MesAbreviado(int Mes);
// "Tipo: Original" for "O", "Tipo: Retificadora" for "R", empty for anything else.
[[nodiscard]] QString TextoTipoDeclaracao(const QString& Tipo);
// "dd/mm/yyyy" of a day count from 30/12/1899; empty for 0 (never recorded).
[[nodiscard]] QString TextoDataGeracao(double Data);

// Fonts of the report forms, in points.
[[nodiscard]] QFont FonteRelato(qreal Pontos, bool Negrito = false);
// A label of the form's font; with Largura above 0 it is aligned inside that width.
TRotulo& Rotulo(TBanda& Banda, const QString& Nome, const QString& Texto, qreal Esquerda, qreal Topo, qreal Pontos = 8,
                bool Negrito = false);
// A right-aligned label whose right edge is Direita (the money columns).
TRotulo& RotuloValor(TBanda& Banda, const QString& Nome, qreal Direita, qreal Topo, qreal Largura = 130,
                     qreal Pontos = 8, bool Negrito = false);
// The smallest size, in points, a text held to its room is printed in where it can be helped:
// smaller, a name or an e-mail is whole but hard to read.
inline constexpr qreal PontosLegiveis = 6;
// Holds the label's text (set before) whole in its column, which ends at Direita: a text the
// column takes prints in Fonte, a wider one in a smaller size of it, on the label's baseline as
// it stands. No character is lost, as a listing's column loses them: for the texts a reader must
// have whole (a name, an e-mail); called again for another text, the label takes Fonte back where it can.
// With Minimo, the size goes no lower: a text that does not fit even then prints in Fonte, cut at
// the column's end as a listing's column cuts (a name there is cut only where its column is full).
void EncolheNaColuna(TRotulo& Rotulo, const QFont& Fonte, qreal Direita, qreal Minimo = 0);
// A rule across the band at that height.
void Linha(TBanda& Banda, const QString& Nome, qreal Topo, qreal Largura);

// Generates the report straight onto the default printer, pages sent as they are made, the
// interface kept alive meanwhile. No printer: message 161; a printer or file that refused the
// job: message 159 for a file, 161 otherwise; false then. Without an installed printer the pages
// go to a PDF file: its name is added to ArquivosPdf when given (a report printed in batches
// tells the clerk once), else the clerk is told at once.
bool ImprimeRelatorio(TRelatorio& Relatorio, QStringList* ArquivosPdf = nullptr);
// Prepara with the interface kept alive and the busy cursor: the pages the report will have.
int ContaPaginas(TRelatorio& Relatorio);
// The pages counted (for "Página n de m"), then the report shown in the preview window, or
// printed (ImprimeRelatorio).
void VisualizaContando(TRelatorio& Relatorio);
bool ImprimeContando(TRelatorio& Relatorio);
