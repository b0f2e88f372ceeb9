#pragma once
#include <QDialog>

#include "model/declaration/TRecalculoResumos.h"

class QProgressBar;
class QPushButton;
class TPruv;

// Shows the computation of the declaration's summaries (TRecalculoResumos) with its gauge and a
// Cancel button.
class TFoCalculaResumo final : public QDialog {
    Q_OBJECT
public:
    // The help of the summary.
    static constexpr int HelpContext = 50200;
    TFoCalculaResumo(TPruv& Pruv, QWidget* Dono);

    // 1 when every total was computed and stored; 2 when cancelled (the summaries already
    // completed are stored, the declaration's total stays invalid).
    static int CalculaResumo(TPruv& Pruv, QWidget* Dono);

    // The computation, run by the window's timer; closes the window with its result, after
    // showing the error of a computation that failed (2: the summary stays invalid).
    void Calcula();

protected:
    void reject() override;

private:
    TRecalculoResumos FRecalculo;
    QProgressBar* Gauge;
    QPushButton* BbCancelar;
};
