#include "platform/db/datasets/TDataSource.h"

#include <algorithm>

#include "platform/db/datasets/TDataLink.h"

TDataSource::~TDataSource()
{
    const auto links = FDataLinks;
    for (TDataLink* link : links)
        link->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == FDataSet)
        return;
    if (FDataSet)
        FDataSet->RemoveDataSource(this);
    FDataSet = dataSet;
    if (FDataSet) {
        FDataSet->AddDataSource(this);
        FDataSet->SetBufferCount(FDataSet->RecalculaBufferCount());
    }
    AtualizaEstado();
}

void TDataSource::SetEnabled(bool habilitado)
{
    if (FEnabled == habilitado)
        return;
    FEnabled = habilitado;
    AtualizaEstado();
}

void TDataSource::Edit()
{
    if (AutoEdit && FDataSet && FDataSet->State() == dsBrowse)
        FDataSet->Edit();
}

void TDataSource::AtualizaEstado()
{
    const TDataSetState estado = FDataSet && FEnabled ? FDataSet->State() : dsInactive;
    if (estado == FState)
        return;
    FState = estado;
    const auto links = FDataLinks;
    for (TDataLink* link : links)
        link->AtualizaEstado();
    if (OnStateChange)
        OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent evento, std::intptr_t info)
{
    if (evento == deUpdateState) {
        AtualizaEstado();
        return;
    }
    if (FState == dsInactive)
        return;
    const auto links = FDataLinks;
    for (TDataLink* link : links)
        link->DataEvent(evento, info);
    switch (evento) {
    case deFieldChange:
    case deRecordChange:
        if (OnDataChange)
            OnDataChange(this, reinterpret_cast<TField*>(info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (OnDataChange)
            OnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (OnUpdateData)
            OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::AddDataLink(TDataLink* link)
{
    FDataLinks.push_back(link);
    if (FDataSet)
        FDataSet->SetBufferCount(FDataSet->RecalculaBufferCount());
}

void TDataSource::RemoveDataLink(TDataLink* link)
{
    FDataLinks.erase(std::remove(FDataLinks.begin(), FDataLinks.end(), link), FDataLinks.end());
    if (FDataSet)
        FDataSet->SetBufferCount(FDataSet->RecalculaBufferCount());
}

int TDataSource::MaiorBufferCount() const
{
    int maior = 1;
    for (const TDataLink* link : FDataLinks)
        maior = std::max(maior, link->BufferCount());
    return maior;
}

void TDataSource::DeslocaLinks(int registros)
{
    for (TDataLink* link : FDataLinks)
        link->FFirstRecord += registros;
}
