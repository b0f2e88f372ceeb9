#pragma once
#include <QString>

#include "assistants/import/TPruvGridAmostra.h"

// The sample of a file in the delivery layout in the import assistant: one row per value line,
// its order, type, declarant, code, beneficiary's kind, number and name and the 39 values of the
// 13 periods, as they stand in the line; read only.
class TPruvGridImpDecl final : public TPruvGridAmostra {
    Q_OBJECT
public:
    static constexpr int Colunas = 46;

    explicit TPruvGridImpDecl(QWidget* parent = nullptr);

    // Empties rows 1 to 20.
    void Limpa();

    [[nodiscard]] static QString Titulo(int ACol);
    [[nodiscard]] int Alinhamento(int ACol) const override;
};
