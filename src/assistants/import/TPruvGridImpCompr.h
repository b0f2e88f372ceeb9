#pragma once
#include <QString>
#include <memory>

#include "assistants/import/TPruvGridAmostra.h"

class TRegistroComprovante;

// The sample of an income-statement file in the import assistant: one row per line, its thirteen
// fields formatted (amounts as money), read only.
class TPruvGridImpCompr final : public TPruvGridAmostra {
    Q_OBJECT
public:
    static constexpr int Colunas = 13;

    explicit TPruvGridImpCompr(QWidget* parent = nullptr);
    ~TPruvGridImpCompr() override;

    // The line's fields into row ARow (1 to 21); the grid grows to show it, to 21 rows at most,
    // and never shrinks.
    void AdicionaLinha(int ARow, const QString& Linha);

    [[nodiscard]] int Alinhamento(int ACol) const override;

private:
    std::unique_ptr<TRegistroComprovante> FRegistro;   // made on first use
};
