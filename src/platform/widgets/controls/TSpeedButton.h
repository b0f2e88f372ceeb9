#pragma once
#include <QAbstractButton>
#include <QPixmap>
#include <functional>

// A button that never takes the focus, drawn flat or transparent on request, with an optional
// glyph centred on its face. Derived buttons paint their own face in PaintFace.
class TSpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    [[nodiscard]] bool Flat() const { return FFlat; }
    void SetFlat(bool valor);
    [[nodiscard]] bool Transparent() const { return FTransparent; }
    void SetTransparent(bool valor);
    [[nodiscard]] const QPixmap& Glyph() const { return FGlyph; }
    void SetGlyph(const QPixmap& glifo);
    [[nodiscard]] bool Down() const { return isDown(); }

    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseUp;

protected:
    // The face under the glyph; the default is the platform's raised button (flat: no edge
    // unless pressed).
    virtual void PaintFace(QPainter& p);
    void PaintGlyph(QPainter& p);

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    bool FFlat = false;
    bool FTransparent = false;
    QPixmap FGlyph;
};
