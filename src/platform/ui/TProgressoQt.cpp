#include "platform/ui/TProgressoQt.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

TProgressoQt::TProgressoQt(QProgressBar* barra, QLabel* rotulo)
    : FBarra(barra)
    , FRotulo(rotulo)
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
    FDesenhado = -1;
    if (FBarra) {
        FBarra->setRange(FFaixa.Minimo, FFaixa.Maximo);
        FBarra->setValue(FFaixa.Posicao);
    }
}

void TProgressoQt::DefinePosicao(int posicao)
{
    FFaixa.Posiciona(posicao);
    if (!FBarra)
        return;
    FBarra->setValue(FFaixa.Posicao);
    const qint64 faixa = static_cast<qint64>(FFaixa.Maximo) - FFaixa.Minimo;
    const qint64 feito = static_cast<qint64>(FFaixa.Posicao) - FFaixa.Minimo;
    const qint64 largura = std::max(FBarra->width(), 1);
    const qint64 desenho = faixa <= 0 ? 0 : (feito * largura / faixa) * 1000 + feito * 100 / faixa;
    if (desenho != FDesenhado) {
        FDesenhado = desenho;
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
