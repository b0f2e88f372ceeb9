#pragma once
#include <QPoint>
#include <Qt>

// A drag that a press makes ready and that begins once the mouse has gone far enough from
// the press, on either axis, with the button still held.
class TInicioDeArraste final {
public:
    static constexpr int LimiarPadrao = 20;   // pixels

    explicit TInicioDeArraste(int limiar = LimiarPadrao)
        : FLimiar(limiar)
    {}

    // A press at that point; only a press that may drag makes the drag ready.
    void Pressiona(const QPoint& ponto, bool podeArrastar);
    // The mouse at that point with those buttons held: true once, when a ready drag passes the
    // threshold. A move without the left button forgets the drag: the release went elsewhere
    // (to a message shown meanwhile), so the mouse moving on carries nothing.
    [[nodiscard]] bool Partiu(const QPoint& ponto, Qt::MouseButtons botoes);
    // The button went up: nothing is dragged.
    void Solta() { FPronto = false; }
    // Where the press was.
    [[nodiscard]] QPoint Inicio() const { return FInicio; }

private:
    int FLimiar;
    bool FPronto = false;
    QPoint FInicio;
};
