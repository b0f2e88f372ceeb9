#pragma once
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

// One entry of a pop-up menu; the caption "-" makes a separator line.
struct TMenuItem {
    QString Caption;
    bool Checked = false;
    bool Enabled = true;
    bool BarBreak = false;   // starts a new column, with a line before it
    std::function<void()> OnClick;
};

// A pop-up menu laid out in columns (an item with BarBreak starts the next one), shown without
// blocking the caller. Choosing an enabled item closes the menu and then runs its OnClick; Esc
// or a press outside closes it without a choice, and that press goes nowhere else (a press on
// what opened the menu must not open it again). The keys move between the items while it is up.
class TPopupMenu : public QWidget {
    Q_OBJECT
public:
    explicit TPopupMenu(QWidget* owner);

    void SetItems(std::vector<TMenuItem> itens);
    [[nodiscard]] const std::vector<TMenuItem>& Items() const { return FItems; }

    // Shows the menu with its top left corner at the screen point, moved inside the screen.
    void Popup(const QPoint& global);
    [[nodiscard]] bool Showing() const { return isVisible(); }

    // Where item index lies in the menu (after SetItems); empty past the last item.
    [[nodiscard]] QRect ItemRect(int index) const;
    [[nodiscard]] int ItemAt(const QPoint& p) const;
    [[nodiscard]] int Highlighted() const { return FHighlighted; }
    // Closes the menu and runs the item's OnClick; false, and nothing done, for a separator or a
    // disabled item.
    bool Choose(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    [[nodiscard]] bool Selectable(int index) const;
    void Arrange();
    void MoveHighlight(int key);

    std::vector<TMenuItem> FItems;
    std::vector<QRect> FRects;
    std::vector<int> FColumnLines;   // x of the line before each column after the first
    int FHighlighted = -1;
};
