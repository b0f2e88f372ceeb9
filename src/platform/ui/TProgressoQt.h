#pragma once
#include <QPointer>

#include "platform/ui/IProgresso.h"
#include "platform/ui/TFaixaProgresso.h"

class QLabel;
class QProgressBar;

// A progress bar with an optional caption label; both may go away before this object.
class TProgressoQt final : public IProgresso {
public:
    explicit TProgressoQt(QProgressBar* barra, QLabel* rotulo = nullptr);

    void DefineFaixa(int minimo, int maximo) override;
    // Repaints at once when what the bar shows changes (a pixel of its fill or its percentage):
    // the loop may not return soon, and a loop over 100,000 lines must not redraw 100,000 times.
    void DefinePosicao(int posicao) override;
    void MostraTexto(const QString& texto) override;
    [[nodiscard]] int Minimo() const override { return FFaixa.Minimo; }
    [[nodiscard]] int Maximo() const override { return FFaixa.Maximo; }
    [[nodiscard]] int Posicao() const override { return FFaixa.Posicao; }

private:
    QPointer<QProgressBar> FBarra;
    QPointer<QLabel> FRotulo;
    TFaixaProgresso FFaixa;
    qint64 FDesenhado = -1;   // the fill and percentage last drawn, as one number; -1 none
};
