#pragma once
#include <QString>
#include <QWidget>

class QPainter;

// The small window that shows a hint over everything else: the info colours, a black frame,
// never the focus. ActivateHint puts it on the screen with its text.
class THintWindow : public QWidget {
    Q_OBJECT
public:
    // The owner keeps the window alive; the window stays a window of its own.
    explicit THintWindow(QWidget* owner = nullptr);

    [[nodiscard]] const QString& Caption() const { return FCaption; }
    // Shows the text in r (screen coordinates).
    virtual void ActivateHint(const QRect& r, const QString& texto);

    // How long a hint stays before it hides by itself, in milliseconds (2500 unless the
    // program sets another).
    [[nodiscard]] static int HintHidePause();
    static void SetHintHidePause(int milissegundos);

protected:
    // Draws the caption inside the frame; the background and the frame are drawn already.
    virtual void Paint(QPainter& p);
    void paintEvent(QPaintEvent* e) override;

private:
    QString FCaption;
};
