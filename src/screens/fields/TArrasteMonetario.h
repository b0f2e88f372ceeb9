#pragma once
#include <QObject>
#include <QPointer>
#include <memory>

class QMouseEvent;
class QWidget;
class TDragMonetario;

// The drag of an amount between the money fields, the money grids and the calculator, made by
// the program rather than by the window system: an application-wide event filter follows the
// mouse, tells the field under it that an amount is passing (drag enter and move events) and
// hands the amount to it (a drop event) where the user lets go. The fields keep their ordinary
// drag and drop handlers; nothing depends on the platform's drag support.
//
// Pressionado: the button is held (the drag began with a press) and the release drops.
// Clique: the drag began with a click elsewhere ("Transportar") and the next press drops.
// Esc, or letting go where no field takes the amount, ends the drag without a drop.
class TArrasteMonetario final : public QObject {
    Q_OBJECT
public:
    enum TModo { Pressionado, Clique };

    // Starts a drag from origem; one running drag is cancelled first.
    static void Inicia(std::unique_ptr<TDragMonetario> dados, QWidget* origem, TModo modo);
    static void Cancela();
    [[nodiscard]] static bool EmCurso();
    // Where the running drag began; null when none runs or the control has gone.
    [[nodiscard]] static QWidget* Origem();

    ~TArrasteMonetario() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    TArrasteMonetario(std::unique_ptr<TDragMonetario> dados, QWidget* origem, TModo modo);

    // The control under the point (global) that takes drops, and whether it takes this amount.
    QWidget* AlvoEm(const QPoint& global);
    bool Sobre(QWidget* alvo, const QPoint& global);
    void Solta(const QPoint& global);
    void Sai();

    std::unique_ptr<TDragMonetario> FDados;
    QPointer<QWidget> FOrigem;
    TModo FModo;
    QPointer<QWidget> FAlvo;    // the control the amount is over
    bool FAlvoAceita = false;   // it took the drag on entering
};
