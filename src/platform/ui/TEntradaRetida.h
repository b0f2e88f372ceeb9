#pragma once
#include <QObject>
#include <QPointer>

class QWidget;

// Guards the events a long work pumps to keep the windows alive: the user's input that arrives
// meanwhile must not run commands behind the work's back (close what it reads, start another
// command). Keys are dropped, except Esc outside the main window (the cancel of the work's own
// window); mouse input to the main window is dropped, while the other windows keep their buttons
// (a Cancel, a Close). A window opened while pumping (a question of the work) takes its input
// whole. The main window is the application's QMainWindow.
class TEntradaRetida final : public QObject {
public:
    TEntradaRetida();   // installs itself on the application for its lifetime
    ~TEntradaRetida() override;
    TEntradaRetida(const TEntradaRetida&) = delete;
    TEntradaRetida& operator=(const TEntradaRetida&) = delete;

    // Pumps the pending events under the guard.
    static void Bombeia();
    // A guard is on: the program is inside a long work, keeping its windows alive.
    [[nodiscard]] static bool Retendo() { return Guardas > 0; }

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    [[nodiscard]] bool AbertaDepois(const QWidget* janela) const;

    QPointer<QWidget> FModal;   // the modal window when the pump began
    static inline int Guardas = 0;
};
