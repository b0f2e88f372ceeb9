#pragma once
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Reads back what a PDF shows, with the poppler tools, for tests that check which text
// landed on which page.
namespace TextoPdf {

// The text of each page, in page order, as pdftotext lays it out (-layout).
QStringList Paginas(const QString& arquivo);
// Each page's lines (as Linhas gives them) joined by "|".
QStringList TextosJuntos(const QString& arquivo);
// The lines of one page's text with their blanks trimmed and empty lines dropped.
QStringList Linhas(const QString& textoPagina);
struct TPalavra {
    int Pagina;   // from 1
    QString Texto;
    QRectF Caixa;   // in points from the page's top-left corner
};
// Every word of the file with its box (pdftotext -bbox-layout).
QList<TPalavra> Palavras(const QString& arquivo);

[[nodiscard]] int QuantidadePaginas(const QString& arquivo);

// Size of the first page in points.
QSizeF TamanhoPagina(const QString& arquivo);

}   // namespace TextoPdf
