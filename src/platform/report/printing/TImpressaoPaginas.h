#pragma once
#include <QPainter>
#include <QString>
#include <memory>

class QPdfWriter;
class QPicture;
class QPrinter;
class TDispositivoArquivoNovo;
class TPapel;

// One print job of recorded pages. The printer takes the pages' paper; a printer that writes
// a PDF file has it written, with the printer's settings, through the program's own new-file
// seam, which sees every failed write (Qt's PDF engine reports none): the file is given its name
// only when Conclui finds every byte written, flushed and synced, so that a failed or abandoned
// job never replaces a good file.
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
    bool Inicia();
    // Ends the painting; the PDF's bytes, if any, are then all in the new file or failed.
    bool EncerraPintura();

    QPrinter& FImpressora;
    QPainter FPintor;
    QString FArquivo;   // the PDF file to write; empty for a printer
    std::unique_ptr<TDispositivoArquivoNovo> FDispositivo;
    std::unique_ptr<QPdfWriter> FEscritor;
    int FPaginas = 0;
    bool FFalhou = false;
    bool FEncerrada = false;
};
