#pragma once

class QWidget;

// A window that must be seen before the work it reports on starts: the work runs on the one
// thread and only lets the interface breathe now and then, so a window that is merely shown
// would stay an empty frame (or see-through) until the work ends.
class TJanelaVisivel final {
public:
    TJanelaVisivel() = delete;

    // Shows the window, waits (at most esperaMaxima ms) until the window system has mapped
    // it, and paints it at once.
    static void Mostra(QWidget& janela, int esperaMaxima = 1000);
    // Paints a control of such a window at once, after a change the work made to it.
    static void Repinta(QWidget& controle);
};
