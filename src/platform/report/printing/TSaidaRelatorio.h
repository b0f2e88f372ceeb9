#pragma once
#include <QString>

class QPrinter;
class TDocumentoRelatorio;
class TRelatorio;

// Sends reports to printers and PDF files.
struct TSaidaRelatorio final {
    // The held pages de to ate (indices of the document, kept inside 1 to its page count) as
    // one job on the printer. false when the printer refused the job or a page.
    static bool ImprimePaginas(const TDocumentoRelatorio& documento, QPrinter& impressora, int de, int ate);
    static bool ExportaPdf(const TDocumentoRelatorio& documento, const QString& caminho);

    // Generates the report straight onto the printer, each page sent as it is ready and none
    // held. false when the printer refused, or the generation was refused or cancelled (the
    // job is then abandoned and a PDF file not written).
    static bool Imprime(TRelatorio& relatorio, QPrinter& impressora);
    static bool ExportaPdf(TRelatorio& relatorio, const QString& caminho);
};
