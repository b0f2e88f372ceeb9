#pragma once
#include <QString>
#include <vector>

#include "model/codes/TCodigoRetencao.h"

// The withholding codes that come with the program: a UTF-8 text file, one code per line,
//     ANOS|COD_RETENCAO|ANEXO|PF_PJ_AMBOS|REGIME|COMPROVANTE|DEDUCAO|IN4|SUBJUDICE|RESUMO
// where ANOS is a year ("1999") or a range of years ("1997-2003") and the flags are "S" or "N".
// Blank lines and lines that begin with "#" are skipped. The file's own header describes the
// values; the table CodRet is filled from it when it is empty.
class TArquivoCodigosRetencao final {
public:
    TArquivoCodigosRetencao() = delete;

    static QString NomeArquivo();   // "CodRet.txt"
    // The shipped file (TPastas::Recurso); empty when there is none.
    static QString Localiza();

    // One row per year of every line, in the order of the file. Raises EDadosError 139 with the
    // path (and the line number and the fault, for a malformed line) when the file cannot be read,
    // a line does not follow the layout, or a year, annex flag and code repeat.
    static std::vector<TCodigoRetencao> Le(const QString& Caminho);
};
