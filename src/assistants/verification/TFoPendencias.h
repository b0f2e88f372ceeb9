#pragma once
#include <QPointer>
#include <QWidget>

#include "assistants/verification/TFrPruvVerifica.h"

class QKeyEvent;
class QTimer;
class TPruv;

// The modeless window "Verificação de Pendências" that verifies the open declaration as soon as
// it shows and stays beside it, always on top, so that the user can locate each pending item. It
// hosts the verification frame. While the verification runs its owner (the main window) is
// disabled; a close request then only stops the run, and the window closes by itself once the
// checks have returned. The main window's gatekeeper finds it by its name, "FoPendencias".
//
// It has no parent widget, so that disabling its owner leaves its stop button usable; it goes
// with its owner.
class TFoPendencias final : public QWidget {
    Q_OBJECT
public:
    // The help of the pending-items window.
    static constexpr int HelpContext = 13030;
    static constexpr int Largura = 610;
    static constexpr int Altura = 222;
    static constexpr int Intervalo = 100;   // ms of both timers
    // Pixels, at 96 per inch, between the window's bottom edge and its owner's.
    static constexpr int MargemInferior = 12;

    explicit TFoPendencias(QWidget* Dono);
    ~TFoPendencias() override;

    TFrPruvVerifica* FrPruvVerifica;
    QTimer* Timer1;          // starts the verification once the window shows
    QTimer* Timer2;          // closes the window once a stopped verification has ended
    TPruv* Pruv = nullptr;   // the declaration verified; not owned

    // Where the window goes: centred across its owner, its bottom edge MargemInferior (scaled
    // to the screen) above the owner's.
    [[nodiscard]] static QPoint Posicao(const QRect& Dono, const QSize& Tamanho, int PixelsPorPolegada);
    // Keys the window keeps from its controls: with Alt every key but F4; Alt itself and D always.
    [[nodiscard]] static bool TeclaEngolida(int Tecla, Qt::KeyboardModifiers Modificadores);

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Timer1Timer();
    void Timer2Timer();
    bool FormCloseQuery();

    QPointer<QWidget> FDono;
    bool FVerificando = false;   // Timer1 is inside the verification
};

// Shows the pending-items window over the declaration (made on first use, with the locate
// callback), restored when minimised, and starts a new verification 100 ms later.
void ExibePendencias(TPruv& Pruv, TFrPruvVerifica::TAoLocalizar AoLocalizar, QWidget* Dono);
// Lets go of the window: it is freed once control is back in the event loop.
void LiberaPendencias();
// The open pending-items window; nullptr when none.
[[nodiscard]] TFoPendencias* FoPendencias();
