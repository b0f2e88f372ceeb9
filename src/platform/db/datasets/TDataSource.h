#pragma once
#include <functional>
#include <vector>

#include "platform/db/datasets/TDataSet.h"

class TDataLink;

// Joins one dataset to the data links of the controls that show it and passes the dataset's
// events on to them.
class TDataSource {
public:
    TDataSource() = default;
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    [[nodiscard]] TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);   // not owned; a freed dataset detaches itself
    [[nodiscard]] bool Enabled() const { return FEnabled; }
    void SetEnabled(bool habilitado);
    [[nodiscard]] TDataSetState State() const { return FState; }
    [[nodiscard]] bool IsLinkedTo(const TDataSet* dataSet) const { return FDataSet == dataSet; }
    // Puts the dataset in edit state when AutoEdit and it is browsing.
    void Edit();

    bool AutoEdit = true;
    std::function<void(TDataSource* fonte, TField* campo)> OnDataChange;   // campo null: the record
    std::function<void(TDataSource* fonte)> OnStateChange;
    std::function<void(TDataSource* fonte)> OnUpdateData;

private:
    friend class TDataSet;
    friend class TDataLink;

    void DataEvent(TDataEvent evento, std::intptr_t info);
    void AtualizaEstado();
    void AddDataLink(TDataLink* link);
    void RemoveDataLink(TDataLink* link);
    [[nodiscard]] int MaiorBufferCount() const;
    void DeslocaLinks(int registros);   // records were added before the dataset's held ones

    TDataSet* FDataSet = nullptr;
    std::vector<TDataLink*> FDataLinks;
    bool FEnabled = true;
    TDataSetState FState = dsInactive;
};
