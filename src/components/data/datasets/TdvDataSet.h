#pragma once
#include <QString>
#include <functional>

#include "components/data/datasets/TdvDataSetExtensions.h"
#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/datasets/dvFilter.h"
#include "components/data/datasets/dvLookupLinks.h"
#include "components/data/settings/dvPictureMasks.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/ui/InterfaceUsuario.h"

// A dataset of the engine (TBase) with the library's additions: the record callback carrying
// OnFilter, the picture check before posting, the lookup lines resolved before the calculated
// fields, the hour glass of a long filter, and the lookup tables freed on closing.
template <class TBase> class TdvDataSet : public TBase, public TdvDataSetExtensions {
public:
    ~TdvDataSet() override = default;

    // Stores the handler and installs the record callback (or removes it for none).
    void SetOnFilter(TFilterEvent handler)
    {
        FOnFilter = std::move(handler);
        InstallFilterCallback();
    }

    // Removing ofoEnabled on an open dataset with a handler brings back the rows the handler
    // rejected; from inside a fetch the records still to come are simply accepted.
    void SetOnFilterOptions(TdvOnFilterOptions opcoes)
    {
        const bool desligou = (FOnFilterOptions & ofoEnabled) && !(opcoes & ofoEnabled);
        FOnFilterOptions = opcoes;
        if (desligou && this->Active() && FOnFilter && !this->InFilterCallback())
            this->Refresh();
    }

    [[nodiscard]] QString PublishedDatabaseName() const override { return this->DatabaseName(); }

protected:
    // For the destructor of the most derived class, while its overrides still run.
    void CloseOnDestroy()
    {
        FDestruindo = true;
        try {
            this->Close();
        } catch (const std::exception& e) {
            qWarning("closing dataset %s: %s", qUtf8Printable(this->Name()), e.what());
        }
    }

    void InstallFilterCallback()
    {
        std::function<bool()> callback;
        if (FOnFilter)
            callback = [this] { return CallFilter(); };
        dvSetFilterCallback(std::move(callback), this, FFiltroCallback);
        const QString recusa = LocalFilterRefusedText();
        if (FOnFilter && this->State() != dsInactive && FFiltroCallback == 0 && !recusa.isEmpty())
            InterfaceUsuario::Mostra(recusa, TipoDialogo::Aviso, Botao::Ok);
    }

    // The record callback; true accepts the record.
    virtual bool CallFilter() { return FilterRecord(this); }
    // The warning shown when the engine refuses the callback; empty: none.
    [[nodiscard]] virtual QString LocalFilterRefusedText() const { return {}; }

    void PrepareCursor() override
    {
        TBase::PrepareCursor();
        if (FOnFilter)
            InstallFilterCallback();
    }

    void CloseCursor() override
    {
        FreeLookupTables();
        TBase::CloseCursor();
        FFiltroCallback = 0;   // the engine's filters went with the cursor
    }

    void DataEvent(TDataEvent evento, std::intptr_t info) override
    {
        TBase::DataEvent(evento, info);
        RestoreCursor();
    }

    void DoBeforePost() override
    {
        TBase::DoBeforePost();
        if (ValidateWithMask)
            dvValidatePictureFields(this, OnInvalidValue);
    }

    void DoOnCalcFields() override
    {
        dvDataSetRemoveObsoleteFields(this, &LookupFields(), &LookupLinks(), nullptr);
        dvDataSetUpdateLookupLinks(this, &LookupFields(), &LookupLinks(), &LookupTables());
        TBase::DoOnCalcFields();
    }

    // Reads that end without a data event put the cursor back themselves.
    int InternalRecordCount() override
    {
        const int total = TBase::InternalRecordCount();
        RestoreCursor();
        return total;
    }
    int InternalRecNo(const TRegistro& registro) override
    {
        const int numero = TBase::InternalRecNo(registro);
        RestoreCursor();
        return numero;
    }
    bool FetchRecNo(int numero, TRegistro& registro) override
    {
        const bool achou = TBase::FetchRecNo(numero, registro);
        RestoreCursor();
        return achou;
    }
    bool InternalLocate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes, TRegistro& registro,
                        bool& tratado) override
    {
        const bool achou = TBase::InternalLocate(campos, valores, opcoes, registro, tratado);
        RestoreCursor();
        return achou;
    }

    int FFiltroCallback = 0;   // engine handle; 0 none

private:
    void SetOptionsFromEscape(TdvOnFilterOptions opcoes) override { SetOnFilterOptions(opcoes); }
};
