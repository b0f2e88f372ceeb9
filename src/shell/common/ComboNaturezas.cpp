#include "shell/common/ComboNaturezas.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "components/controls/combos/IComboItens.h"
#include "model/interfaces/TNaturezas.h"

void PreencheCombo(IComboItens& Combo, const TNaturezas& Naturezas)
{
    Combo.LimpaItens();
    for (const TNatureza* natureza : Naturezas.GetDisponiveis())
        if (!natureza->GetDescricao().trimmed().isEmpty())
            Combo.AdicionaItem(natureza->GetDescricao());
    const bool temItens = Combo.QuantidadeItens() > 0;
    if (!temItens)
        Combo.SetItemIndex(-1);
    QWidget& controle = Combo.Controle();
    controle.setEnabled(temItens);
    QPalette paleta = controle.palette();
    paleta.setColor(QPalette::Base, QApplication::palette().color(temItens ? QPalette::Base : QPalette::Button));
    controle.setPalette(paleta);
}
