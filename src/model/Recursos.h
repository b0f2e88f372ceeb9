#pragma once
#include <QString>

// The files that come with the program are found, in this order, in "resources" beside the
// executable, beside the executable itself, or in the installed share folder
// ("../share/pruv2003" from the executable's folder). The full path of the first that exists;
// empty when there is none.
QString LocalizaRecurso(const QString& NomeArquivo);
