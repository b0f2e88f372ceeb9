#pragma once
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

#include "platform/db/cursors/ModosDeBusca.h"
#include "platform/db/cursors/TBookmark.h"
#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/cursors/TRegistro.h"

// The engine side of a dataset: an ordered, filtered view of rows that is read by position
// relative to a record. Records carry the values of the columns in FieldDefs order.
class TCursor {
public:
    using TAceita = std::function<bool(TRegistro&)>;

    virtual ~TCursor() = default;

    [[nodiscard]] virtual std::vector<TFieldDef> Campos() const = 0;
    // After (gmNext) or before (gmPrior) `de`; the first or last row when `de` is null.
    virtual bool Busca(const TRegistro* de, TGetMode modo, TRegistro& registro) = 0;
    virtual bool BuscaBookmark(const TBookmark& marca, TRegistro& registro) = 0;
    [[nodiscard]] virtual TBookmark Bookmark(const TRegistro& registro) const = 0;
    virtual int Compara(const TBookmark& a, const TBookmark& b) = 0;
    virtual int Conta() = 0;
    virtual int Numero(const TRegistro& registro) = 0;
    virtual bool BuscaNumero(int numero, TRegistro& registro) = 0;
    // The first row in order whose columns hold the values (case and prefix by the options)
    // and that `aceita` takes. False with `tratado` unset when the cursor cannot search.
    virtual bool Localiza(const std::vector<int>& colunas, const QVariantList& valores, TLocateOptions opcoes,
                          const TAceita& aceita, TRegistro& registro, bool& tratado) = 0;

    [[nodiscard]] virtual bool PodeModificar() const = 0;
    virtual void Grava(TRegistro& registro, const TRegistro* original) = 0;
    virtual void Apaga(const TRegistro& registro) = 0;

    // Like Busca, through the dataset's record filters (`aceita`, which reads the row through
    // the record's Fonte) asked by the engine itself as it walks: 1 found, 0 none, -1 when the
    // cursor cannot, or when the filters did what a walk inside the engine cannot bear (used the
    // database, changed the cursor): the caller then walks and asks them itself.
    virtual int BuscaFiltrada(const TRegistro* /*de*/, TGetMode /*modo*/, const TAceita& /*aceita*/,
                              TRegistro& /*registro*/)
    {
        return -1;
    }
    // Stops a filtered walk in progress (its filter closed the dataset); true when there was one,
    // and the cursor must then outlive that walk.
    virtual bool InterrompeFiltrada() { return false; }

    virtual bool AceitaExpressao(const QByteArray& expressao, QString& erro) = 0;
    virtual void DefineExpressoes(const std::vector<QByteArray>& expressoes) = 0;
    virtual void Atualiza() {}
};
