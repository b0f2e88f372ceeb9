#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;

// The messages of a report that cannot reach the printer, the same for the preview window, the
// reports and the pending-items report.

// A printer exists (IImpressoras::ExisteImpressora); otherwise message 161 is shown and the
// answer is false.
[[nodiscard]] bool ExisteImpressoraOuAvisa();
// The printer for a job named Titulo (IImpressoras::CriaImpressora); nullptr after message 161
// when there is none.
[[nodiscard]] std::unique_ptr<QPrinter> CriaImpressoraOuAvisa(const QString& Titulo);
// Tells that the printer refused a job: message 159 with the file's name when it was writing a
// PDF file, 161 otherwise.
void AvisaImpressaoRecusada(const QPrinter& Impressora);

// The file a job printed on Impressora went to when no printer is installed (the PDF stand-in);
// empty when it went to a printer.
[[nodiscard]] QString ArquivoSemImpressora(const QPrinter& Impressora);
// Tells the clerk that the document went to these files for want of a printer: message 162 with
// the files' place. Nothing when there are none.
void AvisaGravadoSemImpressora(const QStringList& Arquivos);
// Both, for one job that printed on Impressora.
void AvisaImpressaoConcluida(const QPrinter& Impressora);
