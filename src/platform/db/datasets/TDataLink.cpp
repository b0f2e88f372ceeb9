#include "platform/db/datasets/TDataLink.h"

#include <algorithm>

#include "platform/db/datasets/TDataSource.h"

TDataLink::~TDataLink()
{
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* fonte)
{
    if (fonte == FDataSource)
        return;
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
    FDataSource = fonte;
    if (FDataSource)
        FDataSource->AddDataLink(this);
    AtualizaEstado();
}

TDataSet* TDataLink::DataSet() const
{
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool somenteLeitura)
{
    if (FReadOnly == somenteLeitura)
        return;
    FReadOnly = somenteLeitura;
    AtualizaEstado();
}

int TDataLink::ActiveRecord() const
{
    TDataSet* dados = DataSet();
    if (!FActive || !dados)
        return 0;
    return dados->ActiveRecord() - FFirstRecord;
}

void TDataLink::SetActiveRecord(int indice)
{
    if (TDataSet* dados = DataSet(); FActive && dados)
        dados->SetActiveRecord(indice + FFirstRecord);
}

void TDataLink::SetBufferCount(int quantidade)
{
    quantidade = std::max(1, quantidade);
    if (FBufferCount == quantidade)
        return;
    FBufferCount = quantidade;
    if (TDataSet* dados = DataSet()) {
        dados->SetBufferCount(dados->RecalculaBufferCount());
        if (FActive)
            AtualizaFaixa();
    }
}

int TDataLink::RecordCount() const
{
    TDataSet* dados = DataSet();
    if (!FActive || !dados)
        return 0;
    return std::clamp(dados->BufferRecordCount() - FFirstRecord, 0, FBufferCount);
}

bool TDataLink::Bof() const
{
    TDataSet* dados = DataSet();
    return !FActive || !dados || dados->Bof();
}

bool TDataLink::Eof() const
{
    TDataSet* dados = DataSet();
    return !FActive || !dados || dados->Eof();
}

int TDataLink::MoveBy(int distancia)
{
    TDataSet* dados = DataSet();
    return FActive && dados ? dados->MoveBy(distancia) : 0;
}

bool TDataLink::Edit()
{
    if (!FReadOnly && FDataSource)
        FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord()
{
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TDataLink::DataSetScrolled(int)
{
    DataSetChanged();
}

void TDataLink::FocusControl(TField*) {}

void TDataLink::RecordChanged(TField*) {}

void TDataLink::AtualizaEstado()
{
    const TDataSetState estado = FDataSource ? FDataSource->State() : dsInactive;
    SetActive(estado != dsInactive);
    TDataSet* dados = DataSet();
    SetEditing((estado == dsEdit || estado == dsInsert) && !FReadOnly && dados && dados->CanModify());
}

void TDataLink::SetActive(bool ativo)
{
    if (FActive == ativo)
        return;
    FActive = ativo;
    if (ativo)
        AtualizaFaixa();
    else
        FFirstRecord = 0;
    ActiveChanged();
}

void TDataLink::SetEditing(bool editando)
{
    if (FEditing == editando)
        return;
    FEditing = editando;
    EditingChanged();
}

void TDataLink::AtualizaFaixa()
{
    TDataSet* dados = DataSet();
    if (!dados)
        return;
    const int ativo = dados->ActiveRecord();
    const int minimo = std::max(0, ativo - FBufferCount + 1);
    const int maximo = std::min(std::max(0, dados->BufferCount() - FBufferCount), ativo);
    FFirstRecord = std::clamp(FFirstRecord, minimo, std::max(minimo, maximo));
}

void TDataLink::DataEvent(TDataEvent evento, std::intptr_t info)
{
    if (evento == deUpdateState) {
        AtualizaEstado();
        return;
    }
    if (!FActive)
        return;
    switch (evento) {
    case deFieldChange:
    case deRecordChange:
        if (!FUpdating)
            RecordChanged(reinterpret_cast<TField*>(info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
        int distancia = 0;
        TDataSet* dados = DataSet();
        if (dados && dados->State() != dsSetKey) {
            // The same records stay in the same rows unless the active one would leave the window.
            const int semMover = FFirstRecord - (evento == deDataSetScroll ? static_cast<int>(info) : 0);
            FFirstRecord = semMover;
            AtualizaFaixa();
            distancia = FFirstRecord - semMover;
        }
        if (evento == deDataSetScroll)
            DataSetScrolled(distancia);
        else if (evento == deDataSetChange)
            DataSetChanged();
        else
            LayoutChanged();
        break;
    }
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(reinterpret_cast<TField*>(info));
        break;
    default:
        break;
    }
}
