#pragma once
#include "components/controls/combos/IComboItens.h"
#include "components/controls/combos/TdvDBCustomComboBox.h"

// The combo box that forms place. It also serves the program's list filler.
class TdvDBComboBox final : public TdvDBCustomComboBox, public IComboItens {
    Q_OBJECT
public:
    explicit TdvDBComboBox(QWidget* parent = nullptr);

    QWidget& Controle() override { return *this; }
    void LimpaItens() override { Items().Clear(); }
    void AdicionaItem(const QString& Texto) override { Items().Add(Texto); }
    [[nodiscard]] int QuantidadeItens() const override { return Items().Count(); }
    void SetItemIndex(int Indice) override { TdvDBCustomComboBox::SetItemIndex(Indice); }
};
