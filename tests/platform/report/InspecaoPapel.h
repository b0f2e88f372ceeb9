#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "TextoPdf.h"
#include "platform/report/pages/TDesenhoPagina.h"

// Looks at printed pages as a reader would: from the words of the PDF (their boxes as poppler
// reads them) and from what the report engine drew on each page. Each fault found is one text
// naming the document, the page and the word.
class InspecaoPapel final {
public:
    // Watches every page the reports draw while it lives.
    InspecaoPapel();
    ~InspecaoPapel();
    InspecaoPapel(const InspecaoPapel&) = delete;
    InspecaoPapel& operator=(const InspecaoPapel&) = delete;

    // The pages drawn since the last call, in order, handed over.
    std::vector<TDesenhoPagina> Desenhadas();

    // The faults of one PDF file (a print job) whose pages are the next pages drawn; rotulo
    // names the document in the faults. The drawn pages are consumed.
    QStringList Examina(const QString& arquivoPdf, const QString& rotulo,
                        std::vector<TDesenhoPagina>* paginas = nullptr);

    // The faults of one page: its words (points) and what the engine drew on it (units). The
    // pages around it, when given, tell whether a band that follows another opened the page as
    // the rules of its band ask (it did not fit below, and a page could not hold it together with
    // what it stays with).
    static QStringList ExaminaPagina(const QString& rotulo, int pagina, const QList<TextoPdf::TPalavra>& palavras,
                                     const TDesenhoPagina& desenho, const TDesenhoPagina* anterior = nullptr,
                                     const TDesenhoPagina* seguinte = nullptr);

private:
    std::vector<TDesenhoPagina> FPaginas;
    TRegistroDesenho::TObservador FAnterior;
};
