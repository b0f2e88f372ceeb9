#pragma once
#include <QByteArrayView>
#include <QString>

#include "model/codes/TCodigoRetencao.h"

// The withholding-code table of one declaration's calendar year, as the items' checks ask it.
class ICodigosRetencao {
public:
    virtual ~ICodigosRetencao() = default;

    // Looks up Codigo's code for the table's year and the annex flag Anexo ("0" or "1"); failing
    // that, the code in that year with either flag; failing that, the code in any year. When a
    // row is found it is loaded into Codigo (whose year or annex flag then tells which case it
    // was) and the answer is true; otherwise Codigo stays as it was.
    virtual bool BuscaCodigo(TCodigoRetencao& Codigo, const QString& Anexo) = 0;
    // BuscaCodigo for the code Texto (UTF-8, as a row holds it; no data for NULL) into Codigo
    // emptied first (Limpa). A walk reads a code on every row: a table may find most of them
    // without making their text.
    virtual bool BuscaCodigoLido(TCodigoRetencao& Codigo, QByteArrayView Texto, const QString& Anexo)
    {
        Codigo.Limpa();
        Codigo.SetCodigo(QString::fromUtf8(Texto));
        return BuscaCodigo(Codigo, Anexo);
    }
};
