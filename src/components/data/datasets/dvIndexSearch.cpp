#include "components/data/datasets/dvIndexSearch.h"

#include "components/data/common/dvSystem.h"
#include "components/data/datasets/TdvTable.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/db/datasets/TControlesDesligados.h"
#include "platform/db/datasets/TField.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

bool IsDateOrTime(TFieldType tipo)
{
    return tipo == ftDate || tipo == ftTime || tipo == ftDateTime;
}

// The search text as a key value: dates and times read by the library's scanners, the rest
// converted by the field.
QVariant ValorDaChave(const TField& campo, const QString& texto)
{
    if (texto.isEmpty() && campo.DataType() != ftString)
        return {};
    switch (campo.DataType()) {
    case ftDate:
        return dvTextToDate(texto);
    case ftTime:
        return dvTextToTime(texto);
    case ftDateTime:
        return dvIsValidDateTime(texto) ? dvTextToDateTime(texto) : dvTextToDate(texto);
    default:
        return texto;
    }
}

bool Alcancou(const TField& campo, const QString& texto, bool semCaixa)
{
    if (campo.DataType() == ftString)
        return campo.AsString().startsWith(texto, semCaixa ? Qt::CaseInsensitive : Qt::CaseSensitive);
    if (texto.isEmpty())
        return campo.IsNull();
    if (campo.IsNull())
        return false;
    if (IsDateOrTime(campo.DataType()))
        return campo.AsDateTime() == ValorDaChave(campo, texto).toDouble();
    double numero = 0;
    if (campo.IsNumeric() && dvTextToFloat(texto, numero))
        return campo.AsFloat() == numero;
    return campo.AsString().compare(texto, Qt::CaseInsensitive) == 0;
}

}   // namespace

bool dvIsIndexedTable(TDataSet* dataset)
{
    const auto* tabela = dynamic_cast<const TdvTable*>(dataset);
    return tabela && tabela->IndexFieldCount() > 0;
}

bool dvIsQueryTable(TDataSet* dataset)
{
    const auto* tabela = dynamic_cast<const TdvTable*>(dataset);
    return tabela && !tabela->Query().isEmpty();
}

const TIndexDef* dvCurrentIndexDef(TTable& table)
{
    table.UpdateIndexDefs();
    for (const TIndexDef& indice : table.IndexDefs()) {
        if (!table.IndexName().isEmpty()) {
            if (indice.Name.compare(table.IndexName(), Qt::CaseInsensitive) == 0)
                return &indice;
        } else if (!table.IndexFieldNames().isEmpty()) {
            if (indice.Fields.compare(table.IndexFieldNames(), Qt::CaseInsensitive) == 0)
                return &indice;
        } else if (indice.IsPrimary()) {
            return &indice;
        }
    }
    return nullptr;
}

bool dvIndexSearch(TdvTable* table, const QString& text, int fieldPosition)
{
    if (!table)
        return false;
    if (table->IndexFieldCount() == 0) {
        InterfaceUsuario::Mostra(QStringLiteral("Table ") + table->Name() + QStringLiteral(": Table index not found"),
                                 TipoDialogo::Aviso, Botao::Ok);
        return false;
    }
    if (fieldPosition < 0 || fieldPosition >= table->IndexFieldCount())
        return false;
    TField* campo = table->IndexFields(fieldPosition);
    if (!dvIsValidFieldValue(campo->DataType(), text))
        return false;
    const TIndexDef* indice = dvCurrentIndexDef(*table);
    const bool semCaixa = indice && indice->IsCaseInsensitive();

    QVariantList chave;
    QStringList campos;
    for (int i = 0; i < fieldPosition; ++i) {
        chave << (table->IsEmpty() ? QVariant() : table->IndexFields(i)->Value());
        campos << table->IndexFields(i)->FieldName();
    }
    campos << campo->FieldName();

    if (table->NarrowSearch) {
        TControlesDesligados desligados(*table);
        if (campo->DataType() != ftString) {
            chave << ValorDaChave(*campo, text);
            table->SetRange(chave, chave);
        } else if (text.isEmpty()) {
            table->ResetRange();
        } else {
            QVariantList inicio = chave;
            QVariantList fim = chave;
            inicio << text;
            fim << text.leftJustified(qMax(campo->Size(), int(text.size())),
                                      QChar(char16_t(table->NarrowSearchUpperChar)));
            if (indice && (indice->Options & TIndexOption::ixDescending))
                std::swap(inicio, fim);
            table->SetRange(inicio, fim);
        }
    } else if (dvIntl().UseLocateMethodForSearch) {
        if (text.isEmpty()) {
            table->First();
        } else {
            chave << ValorDaChave(*campo, text);
            TLocateOptions opcoes = TLocateOption::loPartialKey;
            if (semCaixa)
                opcoes |= TLocateOption::loCaseInsensitive;
            table->Locate(campos.join(QLatin1Char(';')), chave, opcoes);
        }
    } else {
        chave << ValorDaChave(*campo, text);
        table->FindNearest(chave);
    }
    return !table->IsEmpty() && Alcancou(*campo, text, semCaixa);
}
