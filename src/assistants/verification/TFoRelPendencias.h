#pragma once
#include "assistants/verification/TFrRelPendencias.h"

class TdvTable;
class TFrPruvVerifica;

// The holder of the pending-items report for one ExibeRelPendencias call: the report over the
// verification table with the verification whose totals it prints. It is never shown.
class TFoRelPendencias final {
public:
    TFoRelPendencias(TdvTable& Tabela, const TFrPruvVerifica* Verificacao);

    // The paper of the default printer; then the preview, or the report straight on the printer.
    void Executa(bool Visualizar);

    TFrRelPendencias FrRelPendencias;

private:
    void Imprime();

    TdvTable& FTabela;
};

// Prints the verification table as the pending-items report, previewed or straight on the
// default printer; the totals are those of Verificacao (none without one). Nothing while another
// pending-items report runs. A closed table is opened first (message 142 when it cannot be). A
// printer that refuses the job gets message 159 (a PDF file) or 161.
void ExibeRelPendencias(bool Visualizar, TdvTable& Tabela, const TFrPruvVerifica* Verificacao);
// The holder of the report running; nullptr when none runs.
[[nodiscard]] TFoRelPendencias* FoRelPendencias();
