#pragma once
#include <QDialog>

class QProgressBar;
class QPushButton;
class TPruv;

// Walks every item of the declaration and of its funds, adds each into its owner's summary and
// into the total, and stores the summaries. The declaration's own summary (its items only) and
// the total (with the funds') stay distinct objects: the total reaches the declaration only when
// the whole walk ended.
class TFoCalculaResumo final : public QDialog {
    Q_OBJECT
public:
    // The help of the summary.
    static constexpr int HelpContext = 50200;
    TFoCalculaResumo(TPruv& Pruv, QWidget* Dono);

    // 1 when every total was computed and stored; 2 when cancelled (the summaries already
    // completed are stored, the declaration's total stays invalid).
    static int CalculaResumo(TPruv& Pruv, QWidget* Dono);

    // The walk itself, run by the window's timer.
    void Calcula();

protected:
    void reject() override;

private:
    TPruv& FPruv;   // not owned
    QProgressBar* Gauge;
    QPushButton* BbCancelar;
    bool FCancelado = false;
};
