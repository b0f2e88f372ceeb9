#pragma once
#include <QListWidget>
#include <QPointer>
#include <functional>

#include "platform/widgets/painting/TRect.h"

// A list shown as a pop-up window under its owner: it takes neither the activation nor the
// focus, and every key typed while it is up is handed to the owner, which decides what the list
// sees (ListKeyDown, ListKeyPress). A press outside the list closes it (a press on the owner is
// not replayed there); a release of the left button inside it is reported. Rows have one height.
class TPopupListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TPopupListBox(QWidget* owner);

    std::function<void(QKeyEvent*)> OnOwnerKey;    // press and release of every key
    std::function<void(QMouseEvent*)> OnMouseUp;   // left button released inside the rows
    std::function<void()> OnHidden;                // hidden, by the owner or by a press outside
    // Draws row index into r; without it rows are drawn plainly.
    std::function<void(QPainter&, const QRect& r, int index, bool selected)> OnDrawItem;

    [[nodiscard]] int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int altura);
    [[nodiscard]] bool Sorted() const { return FSorted; }
    void SetSorted(bool valor) { FSorted = valor; }
    // Adds in order when Sorted (without regard to case), else at the end.
    void AddItem(const QString& texto);
    [[nodiscard]] QString ItemText(int index) const;
    [[nodiscard]] int Count() const { return count(); }

    [[nodiscard]] int ItemIndex() const;
    // Selects row index; an index outside the rows clears the selection and answers false.
    bool SetItemIndex(int index);
    // The first row from after start (from the first for -1), wrapping round, whose text begins
    // with prefix without regard to case; -1 when none.
    [[nodiscard]] int FindString(const QString& prefix, int start = -1) const;

    // Shows the list at r (screen coordinates) without taking the activation.
    void ShowAt(const TRect& r);

    // The list's own handling of keys its owner passes on: Up, Down, Page Up, Page Down, Home and
    // End move the selection; a character selects the next row that begins with it.
    virtual void ListKeyDown(int key);
    virtual void ListKeyPress(QChar& key);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;

private:
    // A press outside the list closes it; true when it did.
    bool FechaSeFora(QMouseEvent* e);

    QPointer<QWidget> FOwner;
    int FItemHeight = 11;
    bool FSorted = false;
};
