#include "platform/ui/TProgressoQt.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

TProgressoQt::TProgressoQt(QProgressBar* barra, QLabel* rotulo)
    : FBarra(barra), FRotulo(rotulo)
{
    if (FBarra) {
        FMinimo = FBarra->minimum();
        FMaximo = FBarra->maximum();
        FPosicao = std::max(FBarra->value(), FMinimo);
    }
}

void TProgressoQt::DefineFaixa(int minimo, int maximo)
{
    FMinimo = minimo;
    FMaximo = std::max(minimo, maximo);
    FPosicao = FMinimo;
    if (FBarra) {
        FBarra->setRange(FMinimo, FMaximo);
        FBarra->setValue(FPosicao);
    }
}

void TProgressoQt::DefinePosicao(int posicao)
{
    FPosicao = std::clamp(posicao, FMinimo, FMaximo);
    if (FBarra) {
        FBarra->setValue(FPosicao);
        FBarra->repaint();
    }
}

void TProgressoQt::MostraTexto(const QString& texto)
{
    if (FRotulo) {
        FRotulo->setText(texto);
        FRotulo->repaint();
    }
}
