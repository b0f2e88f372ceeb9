#include "components/data/datasets/dvLocate.h"

#include <optional>

#include "components/data/common/dvSystem.h"
#include "components/data/datasets/dvIndexSearch.h"
#include "components/data/richtext/dvRichText.h"
#include "platform/db/datasets/TControlesDesligados.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TTable.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"

namespace {

bool IsFloatType(TFieldType tipo)
{
    return tipo == ftFloat || tipo == ftCurrency || tipo == ftBCD;
}

// The test one record must pass, fixed for the whole search.
class TCriterio {
public:
    TCriterio(const TField& campo, int tipo, bool caixa, const QString& valor)
        : FCampo(campo)
        , FTipo(tipo)
        , FCaixa(caixa)
        , FValor(valor)
    {
        FPorNumero = tipo == mtExact && IsFloatType(campo.DataType()) && campo.FieldKind() == fkData
            && dvTextToFloat(valor, FNumero);
    }

    [[nodiscard]] bool Aceita() const
    {
        if (FPorNumero)
            return !FCampo.IsNull() && FCampo.AsFloat() == FNumero;
        return dvTextMatch(dvFieldSearchText(FCampo), FValor, FTipo, FCaixa);
    }

private:
    const TField& FCampo;
    int FTipo;
    bool FCaixa;
    QString FValor;
    bool FPorNumero = false;
    double FNumero = 0;
};

// Reads record by record. Without a match the dataset goes back to where it was.
bool Varre(bool doInicio, TDataSet& dataset, const TCriterio& criterio)
{
    TCursorOcupado ocupado;
    TControlesDesligados desligados(dataset);
    const TBookmark origem = dataset.GetBookmark();
    try {
        if (doInicio)
            dataset.First();
        else
            dataset.Next();
        // Next on the last record sets Eof and stays there: that record was already tested.
        while (!dataset.Eof()) {
            if (criterio.Aceita())
                return true;
            dataset.Next();
        }
    } catch (...) {
        if (!origem.IsNull())
            dataset.GotoBookmark(origem);
        throw;
    }
    if (!origem.IsNull())
        dataset.GotoBookmark(origem);
    return false;
}

bool IsAscii(const QString& texto)
{
    for (const QChar c : texto)
        if (c.unicode() > 127)
            return false;
    return true;
}

// Answers through the table's current index when it gives the same answer as reading every
// record: the index begins with the field, it compares text with the search's case rule, and
// the value is one the index can seek. nullopt: the records must be read.
std::optional<bool> PeloIndice(TDataSet& dataset, TField& campo, int tipo, bool caixa, const QString& valor)
{
    auto* tabela = dynamic_cast<TTable*>(&dataset);
    if (!tabela || campo.DataType() != ftString || campo.FieldKind() != fkData || valor.isEmpty())
        return std::nullopt;
    if (tipo != mtExact && tipo != mtPartial)
        return std::nullopt;
    if (tabela->IndexFieldCount() == 0
        || tabela->IndexFields(0)->FieldName().compare(campo.FieldName(), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const TIndexDef* indice = dvCurrentIndexDef(*tabela);
    // A case-insensitive index folds only unaccented letters the way the search does.
    if (!indice || indice->IsCaseInsensitive() == caixa || (!caixa && !IsAscii(valor)))
        return std::nullopt;

    const TBookmark origem = dataset.GetBookmark();
    bool achou = false;
    if (tipo == mtExact)
        achou = tabela->FindKey({valor});
    else {
        tabela->FindNearest({valor});
        achou = !dataset.Eof() && dvTextMatch(dvFieldSearchText(campo), valor, tipo, caixa);
    }
    if (!achou && !origem.IsNull() && dataset.GetBookmark() != origem)
        dataset.GotoBookmark(origem);
    return achou;
}

}   // namespace

bool dvIsMemoField(const TField& field)
{
    return field.DataType() == ftMemo || field.DataType() == ftFmtMemo;
}

bool dvTextMatch(const QString& fieldText, const QString& value, int matchType, bool caseSensitive)
{
    const QString texto = caseSensitive ? fieldText : fieldText.toUpper();
    const QString procurado = caseSensitive ? value : value.toUpper();
    switch (matchType) {
    case mtExact:
        return texto == procurado;
    case mtPartial:
        return !procurado.isEmpty() && texto.startsWith(procurado);
    case mtAnywhere:
        return !procurado.isEmpty() && texto.contains(procurado);
    default:
        return false;
    }
}

QString dvFieldSearchText(const TField& field)
{
    if (field.IsNull())
        return {};
    if (field.Calculated() || field.Lookup())
        return field.DisplayText();
    switch (field.DataType()) {
    case ftCurrency:
        return TField::TextoDeFloat(field.AsFloat());
    case ftMemo:
    case ftFmtMemo: {
        const QString texto = field.AsString();
        if (texto.startsWith(QLatin1String("{\\rtf")))
            return dvRichTextToPlain(texto.toLatin1());
        return texto;
    }
    case ftBlob:
    case ftGraphic:
    case ftBytes:
    case ftVarBytes:
    case ftUnknown:
        return {};
    default:
        return field.AsString();
    }
}

bool dvLocateEngine(bool fromFirst, TDataSet* dataset, const QString& fieldName, int matchType, bool caseSensitive,
                    const QString& value)
{
    if (!dataset)
        return false;
    TField* campo = dataset->FindField(fieldName);
    if (!campo) {
        InterfaceUsuario::Mostra(QStringLiteral("Field ") + fieldName + QStringLiteral(" not found."),
                                 TipoDialogo::Aviso, Botao::Ok);
        return false;
    }
    dataset->CheckBrowseMode();
    const QString procurado = caseSensitive ? value : value.toUpper();
    if (const std::optional<bool> achou = PeloIndice(*dataset, *campo, matchType, caseSensitive, procurado))
        return *achou;
    const TCriterio criterio(*campo, matchType, caseSensitive, procurado);
    return Varre(fromFirst, *dataset, criterio);
}
