#pragma once
#include <QString>

class QWidget;

// What PreencheCombo needs of a choice box: its list of texts, its chosen index, and the widget
// whose state and colour it sets. The data-aware combo box implements it.
class IComboItens {
public:
    [[nodiscard]] virtual QWidget& Controle() = 0;
    virtual void LimpaItens() = 0;
    virtual void AdicionaItem(const QString& Texto) = 0;
    [[nodiscard]] virtual int QuantidadeItens() const = 0;
    // -1 empties the shown text.
    virtual void SetItemIndex(int Indice) = 0;

protected:
    ~IComboItens() = default;   // never deleted through this interface
};
