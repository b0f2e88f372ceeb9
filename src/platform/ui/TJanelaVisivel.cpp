#include "platform/ui/TJanelaVisivel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

void TJanelaVisivel::Mostra(QWidget& janela, int esperaMaxima)
{
    janela.show();
    janela.raise();
    // The window manager maps the window and sends its first expose some time after show().
    QElapsedTimer relogio;
    relogio.start();
    const QWindow* nativa = janela.windowHandle();
    while (nativa && !nativa->isExposed() && relogio.elapsed() < esperaMaxima)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    janela.repaint();
}

void TJanelaVisivel::Repinta(QWidget& controle)
{
    if (controle.isVisible())
        controle.repaint();
}
