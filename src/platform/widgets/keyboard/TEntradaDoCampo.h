#pragma once
#include <Qt>
#include <functional>
#include <utility>

class QEvent;
class QWidget;

// Whether a field was entered and not yet left, as its focus events tell it: one rule for the
// fields of every kind. Coming back from a pop-up or from another window is no entry and no
// exit. A focus moved to another control while another window held the activation (the answer
// to a question) sends the field nothing: its exit runs as the window becomes active again, and
// an arrival while still marked entered counts as an entry, so that no entry is ever missed.
class TEntradaDoCampo final {
public:
    explicit TEntradaDoCampo(QWidget& campo)
        : FCampo(campo)
    {}

    [[nodiscard]] bool Entrou() const { return FEntrou; }
    // How the focus came for the last entry (a click, Tab, a program's move).
    [[nodiscard]] Qt::FocusReason Motivo() const { return FMotivo; }
    // The focus arrives: true when this is an entry, which the field then runs.
    bool Chega(Qt::FocusReason motivo);
    // The focus leaves: runs sai when the field was entered. False when sai took the focus back
    // (the exit was refused): the field stays entered.
    bool Sai(Qt::FocusReason motivo, const std::function<void()>& sai);
    // The focus came by the mouse and the press that brought it, which comes in the same event, is
    // still to come: true once, for that press.
    bool TomaCliqueDeEntrada() { return std::exchange(FCliqueDeEntrada, false); }
    // Every event of the field: its window active again with the focus elsewhere runs the exit
    // that the move missed.
    void Evento(const QEvent& evento, const std::function<void()>& sai);

private:
    QWidget& FCampo;
    bool FEntrou = false;
    bool FSaindo = false;
    bool FCliqueDeEntrada = false;   // the exit is running: a focus it takes back is no new entry
    Qt::FocusReason FMotivo = Qt::OtherFocusReason;
};
