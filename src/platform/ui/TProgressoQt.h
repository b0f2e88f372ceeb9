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
    void DefinePosicao(int posicao) override;   // repaints at once: the loop may not return soon
    void MostraTexto(const QString& texto) override;
    [[nodiscard]] int Minimo() const override { return FFaixa.Minimo; }
    [[nodiscard]] int Maximo() const override { return FFaixa.Maximo; }
    [[nodiscard]] int Posicao() const override { return FFaixa.Posicao; }

private:
    QPointer<QProgressBar> FBarra;
    QPointer<QLabel> FRotulo;
    TFaixaProgresso FFaixa;
};
