#pragma once
#include <QString>

#include "platform/widgets/controls/TPopupListBox.h"

class TdvDBCustomComboBox;

// The drop-down list of the combo box. Typed characters search it: an owner-draw combo builds
// the search from keys typed within 1,500 ms of each other, any other combo from its own text
// with the key put at the caret; the first row that begins with it is highlighted.
class TdvPopupListbox final : public TPopupListBox {
    Q_OBJECT
public:
    // Keys typed at most this many milliseconds apart search as one text.
    static constexpr quint64 PausaDaBusca = 1500;

    explicit TdvPopupListbox(TdvDBCustomComboBox* combo);

    void ListKeyPress(QChar& key) override;
    [[nodiscard]] const QString& SearchText() const { return FSearchText; }

private:
    TdvDBCustomComboBox* FCombo;   // the owner and parent
    QString FSearchText;
    quint64 FLastKeyTime = 0;
};
