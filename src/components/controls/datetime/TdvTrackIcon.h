#pragma once
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>

// A bitmap marker dragged sideways along a ruler (a tab stop or a margin of the rich-text
// editor). Its bitmap is drawn with the colour of its bottom-left pixel left out. A drag keeps
// the left edge within MinValue and MaxValue (0: no limit) and reports its end through OnEndDrag,
// only when the icon moved.
class TdvTrackIcon : public QWidget {
    Q_OBJECT
public:
    explicit TdvTrackIcon(QWidget* parent = nullptr);

    [[nodiscard]] const QString& BitmapName() const { return FBitmapName; }
    // A new name loads the bitmap of that name and sizes the icon to it; an empty name keeps
    // the bitmap and the size.
    void SetBitmapName(const QString& nome);
    [[nodiscard]] const QPixmap& Bitmap() const { return FBitmap; }
    int MinValue = 0;
    int MaxValue = 0;
    std::function<void(QObject* sender)> OnEndDrag;

    // The ruler's markers by name ("dvRulerUp", "dvRulerDown"); null for any other name.
    [[nodiscard]] static QPixmap LoadBitmap(const QString& nome);
    // The bitmap with the colour of its bottom-left pixel made transparent.
    [[nodiscard]] static QPixmap Transparent(const QPixmap& bitmap);
    // The left edge after the cursor moved from pressX to cursorX within the icon.
    [[nodiscard]] static int DragLeft(int left, int cursorX, int pressX, int minValue, int maxValue);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPixmap FBitmap;
    QString FBitmapName;
    int FPressX = 0;
    bool FDragging = false;
    bool FMoved = false;
};
