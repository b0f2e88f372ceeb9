#pragma once
#include "platform/db/datasets/TDataSet.h"

// Keeps a dataset's bound controls from redrawing while a routine walks or reshapes it; they
// are enabled again on every way out of the scope.
class TControlesDesligados {
public:
    explicit TControlesDesligados(TDataSet& dataset)
        : FDataSet(dataset)
    {
        FDataSet.DisableControls();
    }
    ~TControlesDesligados() { FDataSet.EnableControls(); }
    TControlesDesligados(const TControlesDesligados&) = delete;
    TControlesDesligados& operator=(const TControlesDesligados&) = delete;

private:
    TDataSet& FDataSet;
};
