#pragma once
#include <QPoint>

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
    // The mouse at that point: true once, when a ready drag passes the threshold.
    [[nodiscard]] bool Partiu(const QPoint& ponto);
    // The button went up: nothing is dragged.
    void Solta() { FPronto = false; }

private:
    int FLimiar;
    bool FPronto = false;
    QPoint FInicio;
};
