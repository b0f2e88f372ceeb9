#include "components/data/datasets/dvFieldValues.h"

#include "components/data/common/dvSystem.h"
#include "components/data/datasets/dvLocate.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TField.h"

namespace {

bool IsDateOrTimeType(TFieldType tipo)
{
    return tipo == ftDate || tipo == ftTime || tipo == ftDateTime;
}

}   // namespace

bool dvIsIntegerType(TFieldType dataType)
{
    return dataType == ftSmallint || dataType == ftInteger || dataType == ftWord || dataType == ftAutoInc
        || dataType == ftLargeint;
}

bool dvIsFloatType(TFieldType dataType)
{
    return dataType == ftFloat || dataType == ftCurrency || dataType == ftBCD;
}

bool dvIsValidFieldValue(TFieldType dataType, const QString& text)
{
    if (dvIsIntegerType(dataType))
        return dvIsInteger(text);
    if (dvIsFloatType(dataType))
        return dvIsFloat(text);
    switch (dataType) {
    case ftDate:
        return dvIsValidDate(text);
    case ftTime:
        return dvIsValidTime(text);
    case ftDateTime:
        return dvIsValidDateTime(text) || dvIsValidDate(text);
    default:
        return true;
    }
}

bool dvIsValidSearchValue(const TField* field, const QString& text)
{
    if (!field)
        return false;
    const TFieldType tipo = field->DataType();
    if (text.isEmpty() && (dvIsIntegerType(tipo) || dvIsFloatType(tipo) || IsDateOrTimeType(tipo)))
        return false;
    return dvIsValidFieldValue(tipo, text);
}

bool dvIsCalcOrLookupField(const TField* field)
{
    return field && (field->Calculated() || field->Lookup());
}

bool dvDataSetFieldExists(const TDataSet* dataset, const QString& name)
{
    return dataset && dataset->FindField(name);
}

bool dvIsCompatibleDataSet(const TDataSet* dataset)
{
    return dataset != nullptr;
}

int dvCompareBookmarks(TDataSet* dataset, const TBookmark& a, const TBookmark& b)
{
    return dataset->CompareBookmarks(a, b);
}

bool dvFindMatch(TDataSet* dataset, const QString& value, const QString& fieldName, int matchType, bool caseSensitive)
{
    if (!dataset)
        return false;
    if (const TField* campo = dataset->FindField(fieldName); campo && !dataset->IsEmpty()) {
        const QString texto = campo->Text();
        if (caseSensitive ? texto == value : texto.toLower() == value.toLower())
            return true;
    }
    return dvLocateEngine(true, dataset, fieldName, matchType, caseSensitive, value);
}
