#include "components/controls/combos/TdvPopupListbox.h"

#include "components/controls/combos/TdvDBCustomComboBox.h"

namespace {
constexpr int TamanhoDaBusca = 32;
}   // namespace

TdvPopupListbox::TdvPopupListbox(TdvDBCustomComboBox* combo)
    : TPopupListBox(combo)
    , FCombo(combo)
{
    SetItemHeight(11);
    setToolTip(QString());
    hide();
}

void TdvPopupListbox::ListKeyPress(QChar& key)
{
    const ushort u = key.unicode();
    if (u == 8 || u == 27) {
        FSearchText.clear();
        return;
    }
    if (u < 32 || u > 255)
        return;
    const quint64 agora = FCombo->CurrentKeyTime();
    QString busca;
    int caret = 0;
    if (FCombo->IsOwnerDraw()) {
        if (agora - FLastKeyTime <= PausaDaBusca)
            busca = FSearchText;
        caret = static_cast<int>(busca.size());
    } else {
        busca = FCombo->text();
        caret = FCombo->SelStart();
        busca.remove(caret, FCombo->SelLength());
    }
    FLastKeyTime = agora;
    if (busca.size() < TamanhoDaBusca)
        busca.insert(caret, key);
    FSearchText = busca;
    const int achado = FindString(FSearchText, -1);
    if (achado >= 0)
        SetItemIndex(achado);
    else if (!FCombo->ShowMatchText)
        SetItemIndex(-1);
    key = QChar();
}
