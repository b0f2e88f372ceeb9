#include "platform/ui/TProgressoQt.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

TProgressoQt::TProgressoQt(QProgressBar* barra, QLabel* rotulo)
    : FBarra(barra), FRotulo(rotulo)
{
    if (FBarra) {
        FFaixa.Minimo = FBarra->minimum();
        FFaixa.Maximo = FBarra->maximum();
        FFaixa.Posicao = std::max(FBarra->value(), FFaixa.Minimo);
    }
}

void TProgressoQt::DefineFaixa(int minimo, int maximo)
{
    FFaixa.Define(minimo, maximo);
    if (FBarra) {
        FBarra->setRange(FFaixa.Minimo, FFaixa.Maximo);
        FBarra->setValue(FFaixa.Posicao);
    }
}

void TProgressoQt::DefinePosicao(int posicao)
{
    FFaixa.Posiciona(posicao);
    if (FBarra) {
        FBarra->setValue(FFaixa.Posicao);
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
