#pragma once
#include <QString>
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
