#pragma once
#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPlainTextEdit;

// The balloon of a tip: a borderless window with its text in a read-only memo. A click on it or
// any key closes it.
class TFormN final : public QFrame {
    Q_OBJECT
public:
    static constexpr int Largura = 331;
    static constexpr int AlturaPadrao = 227;
    // Offset of the balloon from the click that opened it.
    static constexpr QPoint Deslocamento{3, 22};

    explicit TFormN(QWidget* parent = nullptr);

    // Clears the memo, fills it with the text and makes it read-only; the height follows its lines.
    void DefineTexto(const QString& texto);
    [[nodiscard]] QString Texto() const;

    // The height that shows that many lines of a font of that height, with the memo's margins.
    [[nodiscard]] static int AlturaPara(int linhas, int alturaFonte);
    // Where a balloon of that size goes for a click at that point: below and right of it, moved up
    // or left by its own size where it would leave the visible area, never before its top left.
    // It goes up, above the area livre, where it would cover it (a button the next click is for).
    [[nodiscard]] static QPoint Posicao(const QPoint& clique, const QSize& tamanho, const QRect& visivel,
                                        const QRect& livre = QRect());

    QPlainTextEdit* Memo1;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
};
