#pragma once
#include <functional>
#include <memory>

#include "components/controls/combos/TdvComboItems.h"
#include "components/controls/combos/TdvDBCustomCombo.h"

class TdvPopupListbox;
class TdvDBCustomComboBox;

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// States of an owner-drawn item, as bits.
enum TOwnerDrawStateBit : unsigned { odSelected = 1u << 0, odFocused = 1u << 4 };

// (Control, Index, Canvas, Rect, State).
using TDrawItemEvent =
    std::function<void(QWidget* control, int index, QPainter& canvas, const QRect& rect, unsigned state)>;
// (Control, Index, int& Height).
using TMeasureItemEvent = std::function<void(QWidget* control, int index, int& height)>;
// (Sender, Select): the list closed, Select telling whether its choice was accepted.
using TdvComboCloseUpEvent = std::function<void(TdvDBCustomComboBox* sender, bool select)>;

// The library's combo box: the edit with a drop-down button whose drop-down is a list of Items.
// With MapList each item is a display part, a TAB and a stored value: the list and the edit
// show the display part and the field receives the stored value. Typed text is matched against
// the items, the arrow keys step through them and the list can drop down at the first key.
class TdvDBCustomComboBox : public TdvDBCustomCombo {
    Q_OBJECT
public:
    explicit TdvDBCustomComboBox(QWidget* parent = nullptr);
    ~TdvDBCustomComboBox() override;

    [[nodiscard]] bool MapList() const { return FMapList; }
    void SetMapList(bool valor) { FMapList = valor; }
    [[nodiscard]] TdvComboItems& Items() { return FItems; }
    [[nodiscard]] const TdvComboItems& Items() const { return FItems; }
    // Assigns the lines, then shows the value again so that the text follows the new items.
    void SetItems(const QStringList& linhas);
    [[nodiscard]] bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool valor) { FItems.SetSorted(valor); }
    int DropDownCount = 8;
    int ItemHeight = 0;      // 0: the height of a line in the list's font
    int DropDownWidth = 0;   // 0: the combo's width
    bool AllowClearKey = false;
    bool AutoDropDown = false;
    bool ShowMatchText = false;
    [[nodiscard]] TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle estilo);

    // The list's highlighted row once the list exists, else the stored index.
    [[nodiscard]] int ItemIndex() const;
    // Stores the index (and highlights it in an existing list); an index of an item shows its
    // display part, -1 empties the text, any other index leaves the text as it is.
    void SetItemIndex(int indice);

    std::function<void(QObject* sender)> OnDropDown;
    TdvComboCloseUpEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;   // kept for the owner; never called

    // The part of an item before its first TAB, and after it (empty without one).
    [[nodiscard]] QString DisplayPart(int i) const;
    [[nodiscard]] QString StoredPart(int i) const;
    // With MapList, the stored part of the first item shown as the text (empty when none);
    // without, the text itself.
    [[nodiscard]] QString ValueForText(const QString& texto) const;
    // With MapList, the display part of the first item storing the value; without, the value.
    [[nodiscard]] QString DisplayForValue(const QString& valor) const;
    // What the text stands for: ValueForText of the text (a csDropDown combo's empty text
    // stands for the empty value).
    [[nodiscard]] QString Value() const;
    // Shows a value: the item that stores it, or, for a csDropDown combo without MapList, the
    // value itself.
    void SetValue(const QString& valor);

    void DropDown() override;
    void CloseUp(bool accept) override;
    [[nodiscard]] TdvPopupListbox* PopupList() const { return FList.get(); }

    [[nodiscard]] bool IsOwnerDraw() const override;
    [[nodiscard]] bool HasEditableText() const override;
    [[nodiscard]] QString TextForField() const override;
    bool DisplayTextForValue(const QString& valor, QString& texto) const override;
    void DataChange() override;

    // The list's height: rows times the smaller of the item count and DropDownCount, plus 4.
    [[nodiscard]] static int ListHeight(int alturaItem, int quantidade, int dropDownCount);
    // Where the list goes (screen coordinates): under the combo, covering its last pixel row;
    // above it when it would pass the screen's bottom; right-aligned with it when it would
    // reach the screen's right edge.
    [[nodiscard]] static TRect ListBounds(const TRect& combo, int largura, int altura, const TRect& tela);

protected:
    [[nodiscard]] bool ChecksFieldChars() const override { return !FMapList; }
    void WndKey(TKeyMessage& m) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void CMExit() override;
    void WMCut() override;
    void WMClear() override;
    void paintEvent(QPaintEvent* e) override;

private:
    void PreencheLista();
    void CriaLista();
    // Selects item i as the arrow keys do; false when the edit may not change.
    bool SelecionaItem(int i);
    [[nodiscard]] bool TudoSelecionado() const;
    // The item that the keys typed so far choose, by the start of its text (-1: none).
    [[nodiscard]] int ProcuraDigitado(QChar letra);
    [[nodiscard]] int ItemQueComeca(const QString& texto) const;
    void ListaEscondida();
    void DesenhaItem(QPainter& p, const QRect& r, int indice, unsigned estado);

    bool FMapList = false;
    TdvComboItems FItems;
    std::unique_ptr<TdvPopupListbox> FList;
    bool FFirstKey = false;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    bool FAutoDrop = false;
    QString FSavedToolTip;
    // The key-down that closed the list also ends its character (Enter, Esc).
    bool FEngoleCaractere = false;
    QString FBusca;             // the keys typed in quick succession while closed
    quint64 FHoraDaBusca = 0;   // when the last of them came
};
