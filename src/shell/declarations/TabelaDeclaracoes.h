#pragma once
#include <QString>
#include <memory>

class TdvTable;

// The stored declarations as the open and delete dialogs list them: the table Pruv in the data
// folder, closed, on the index IChavePruv, with the calculated CPF_CNPJ and, for the delete
// dialog, the calculated Selected that its check boxes show.
std::unique_ptr<TdvTable> CriaTbPruv(bool ComSelecao);

// The masked CPF or CNPJ of a stored NR_PF_PJ (the number without its check digits, blanks
// around it ignored).
QString CpfCnpjArmazenado(const QString& NrPfPj);
