#pragma once
#include <cstdint>

#include "platform/db/datasets/TDataSet.h"

class TDataSource;

// A control's view of a dataset through a data source: a window of BufferCount records, one
// of them active, and the dataset's notifications as virtual operations. Grid rows map to the
// window's records: ActiveRecord is the row of the current record, RecordCount the rows filled.
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    [[nodiscard]] TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* fonte);   // not owned
    [[nodiscard]] TDataSet* DataSet() const;
    [[nodiscard]] bool Active() const { return FActive; }
    [[nodiscard]] bool Editing() const { return FEditing; }
    [[nodiscard]] bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool somenteLeitura);

    // The window: records 0 .. RecordCount-1, the current one at ActiveRecord. Setting
    // ActiveRecord makes another held record the one the fields read (to draw it); put it back.
    [[nodiscard]] int ActiveRecord() const;
    void SetActiveRecord(int indice);
    [[nodiscard]] int BufferCount() const { return FBufferCount; }
    void SetBufferCount(int quantidade);
    [[nodiscard]] int RecordCount() const;
    [[nodiscard]] bool Bof() const;
    [[nodiscard]] bool Eof() const;
    int MoveBy(int distancia);

    bool Edit();           // true when the dataset is (now) being edited
    void UpdateRecord();   // runs UpdateData, with RecordChanged notifications held back

protected:
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distancia);
    virtual void EditingChanged() {}
    virtual void FocusControl(TField* campo);
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* campo);
    virtual void UpdateData() {}

private:
    friend class TDataSource;

    void DataEvent(TDataEvent evento, std::intptr_t info);
    void AtualizaEstado();
    void SetActive(bool ativo);
    void SetEditing(bool editando);
    void AtualizaFaixa();

    TDataSource* FDataSource = nullptr;
    int FFirstRecord = 0;   // the window's first record among the dataset's held records
    int FBufferCount = 1;
    bool FActive = false;
    bool FEditing = false;
    bool FReadOnly = false;
    bool FUpdating = false;
};
