#pragma once
#include <QVariant>
#include <vector>

#include "platform/db/datasets/TDataSet.h"

// A read-only dataset over rows held in memory, in their given order; a row's bookmark is its
// number from 1.
class TDataSetEmMemoria : public TDataSet {
public:
    TDataSetEmMemoria(std::vector<TFieldDef> definicoes, std::vector<std::vector<QVariant>> linhas)
        : FDefinicoes(std::move(definicoes))
        , FLinhas(std::move(linhas))
    {}

protected:
    void InternalOpen() override { SetFieldDefs(FDefinicoes); }
    void InternalClose() override {}

    bool FetchRecord(const TRegistro* de, TGetMode modo, TRegistro& registro) override
    {
        const auto n = static_cast<qint64>(FLinhas.size());
        qint64 indice = 0;
        if (!de)
            indice = modo == gmNext ? 0 : n - 1;
        else
            indice = de->RowId - 1 + (modo == gmNext ? 1 : -1);
        return Le(indice, registro);
    }

    bool FetchBookmark(const TBookmark& marca, TRegistro& registro) override
    {
        return !marca.IsNull() && Le(marca.Chave().front().toLongLong() - 1, registro);
    }

    [[nodiscard]] TBookmark BookmarkOf(const TRegistro& registro) const override
    {
        return TBookmark({QVariant(registro.RowId)});
    }

    void InternalPost(TRegistro&, const TRegistro*) override {}
    void InternalDelete(const TRegistro&) override {}

private:
    bool Le(qint64 indice, TRegistro& registro) const
    {
        if (indice < 0 || indice >= static_cast<qint64>(FLinhas.size()))
            return false;
        registro.Valores = FLinhas[static_cast<std::size_t>(indice)];
        registro.RowId = indice + 1;
        return true;
    }

    std::vector<TFieldDef> FDefinicoes;
    std::vector<std::vector<QVariant>> FLinhas;
};
