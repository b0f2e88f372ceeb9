#pragma once
#include <QPainter>
#include <QString>

class QPicture;
class QPrinter;
class TPapel;

// One print job of recorded pages. The printer takes the pages' paper; a printer that writes
// a PDF file writes it under a temporary name beside the file and gives it the file's name
// only when Conclui succeeds, so that a failed or abandoned job never replaces a good file.
class TImpressaoPaginas final {
public:
    TImpressaoPaginas(QPrinter& impressora, const TPapel& papel, const QString& nomeDocumento);
    ~TImpressaoPaginas();   // a job not concluded is abandoned
    TImpressaoPaginas(const TImpressaoPaginas&) = delete;
    TImpressaoPaginas& operator=(const TImpressaoPaginas&) = delete;

    // Starts the job on the first page. false when the printer refuses the job or the page.
    bool Pagina(const QPicture& pagina);
    [[nodiscard]] int Paginas() const { return FPaginas; }
    // Ends the job; true when every page went and the file, if any, is in place. A job with
    // no page sends nothing and writes no file.
    bool Conclui();
    void Abandona();

private:
    QPrinter& FImpressora;
    QPainter FPintor;
    QString FArquivo;   // the PDF file to write; empty for a printer
    QString FTemporario;
    int FPaginas = 0;
    bool FFalhou = false;
    bool FEncerrada = false;
};
