#pragma once
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

// The side of the cursor where the balloon opens; its pointer marks the cursor.
enum class THintDirection { hdUpRight, hdUpLeft, hdDownRight, hdDownLeft };

// How a balloon looks.
struct TAparenciaBalao {
    QColor Cor = Qt::yellow;
    QColor Sombra = QColor(128, 0, 128);
    QFont Fonte;
    int Raio = 18;   // width and height of the body's corner ellipse
};

// Where a balloon stands: its direction, window rectangle (screen pixels) and pointer tip.
struct TPosicaoBalao {
    bool Cabe = false;   // some direction fits on the screen
    THintDirection Direcao = THintDirection::hdUpRight;
    QRect Janela;
    QPoint Ponta;
    friend bool operator==(const TPosicaoBalao&, const TPosicaoBalao&) = default;
};

// The balloon hint: a rounded, shadowed body with a pointer at the mouse, in a frameless,
// translucent window that never takes the focus or the activation.
class TNewHint final : public QWidget {
    Q_OBJECT
public:
    // Width at which a hint's text breaks into lines.
    static constexpr int LarguraDeMedida = 250;

    explicit TNewHint(QWidget* owner = nullptr);

    // The text's size as measured for the balloon: width + 6 and height + 2 of the text broken
    // at LarguraDeMedida in the balloon's font (Arial 8 points).
    [[nodiscard]] static QSize MedeTexto(const QString& texto, QFont fonte);
    // The first direction that fits the balloon of a text measured (mw, mh) on a screen of
    // that size, searching from primeira; without one, the first direction kept on the screen
    // and Cabe false.
    [[nodiscard]] static TPosicaoBalao Posiciona(QPoint cursor, QSize tela, QSize medida, THintDirection primeira);
    // Paints the balloon of that size and direction over a transparent surface.
    static void Desenha(QPainter& p, QSize tamanho, THintDirection direcao, const QString& texto,
                        const TAparenciaBalao& aparencia);

    // Shows the balloon of texto at the cursor (screen coordinates).
    void Ativa(const QString& texto, QPoint cursor, THintDirection primeira, const TAparenciaBalao& aparencia);
    [[nodiscard]] const QString& Caption() const { return FCaption; }
    [[nodiscard]] THintDirection Direcao() const { return FDirecao; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString FCaption;
    THintDirection FDirecao = THintDirection::hdUpRight;
    TAparenciaBalao FAparencia;
    QPixmap FFundo;   // the screen under the balloon, taken as it opened
};
