#pragma once
#include <QMimeData>

#include "model/values/TMonetario.h"

// An amount carried when the user drags it between money grids, money edits and the
// calculator. Drop targets know it by its class; other programs get its text.
class TDragMonetario final : public QMimeData {
    Q_OBJECT
public:
    // Reads Texto as TMonetario::SetTexto does, raising EMonetarioInvalido in the same cases.
    explicit TDragMonetario(const QString& Texto);

    [[nodiscard]] const TMonetario& Monetario() const { return FMonetario; }

private:
    TMonetario FMonetario;
};
