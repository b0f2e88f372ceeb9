#include "components/controls/grid/TdvGridDataLink.h"

#include <algorithm>

#include "components/controls/grid/TdvCustomDBGrid.h"
#include "platform/widgets/grid/EInvalidGridOperation.h"

bool TdvGridDataLink::AddMapping(const QString& fieldName)
{
    if (FieldCount() >= MaxMapSize)
        throw EInvalidGridOperation(QStringLiteral("Grid requested to display more than 256 columns"));
    const TDataSet* dados = DataSet();
    const TField* campo = dados ? dados->FindField(fieldName) : nullptr;
    if (!campo)
        return false;
    if (FieldCount() == FCapacidade)
        FCapacidade = FCapacidade == 0 ? 8 : std::min(FCapacidade * 2, MaxMapSize);
    FFieldMap.push_back(campo->Index());
    return true;
}

void TdvGridDataLink::ClearMapping()
{
    FFieldMap.clear();
    FCapacidade = 0;
}

void TdvGridDataLink::ActiveChanged()
{
    FGrid.LinkActive(Active());
}

void TdvGridDataLink::DataSetChanged()
{
    FGrid.DataChanged();
    FModified = false;
}

void TdvGridDataLink::DataSetScrolled(int distancia)
{
    FGrid.Scroll(distancia);
}

void TdvGridDataLink::EditingChanged()
{
    FGrid.EditingChanged();
}

void TdvGridDataLink::LayoutChanged()
{
    FGrid.LayoutChanged();
}

void TdvGridDataLink::RecordChanged(TField* campo)
{
    if (!campo || !FInUpdateData) {
        FGrid.RecordChanged(campo);
        FModified = false;
    }
    const TDataSet* dados = DataSet();
    if (campo && dados && (dados->State() == dsEdit || dados->State() == dsInsert)) {
        FGrid.DoFieldChanged(campo);
        FGrid.SetFieldChangeReported(true);
    }
}

void TdvGridDataLink::UpdateData()
{
    struct Escrevendo {
        bool& flag;
        explicit Escrevendo(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~Escrevendo() { flag = false; }
        Escrevendo(const Escrevendo&) = delete;
        Escrevendo& operator=(const Escrevendo&) = delete;
    } escrevendo(FInUpdateData);
    if (FModified)
        FGrid.UpdateData();
    FModified = false;
}
