#include "platform/widgets/keyboard/TOrdemTab.h"

#include <QWidget>
#include <algorithm>
#include <numeric>

namespace {

// Any control that takes the focus has its place, also the radio buttons of a group that
// lend their Tab stop to the checked one.
bool TomaFoco(const QWidget& w)
{
    return w.focusPolicy() != Qt::NoFocus && !w.focusProxy();
}

// The controls under Pai, in reading order, boxes opened at their place.
void Coleta(const QWidget& Pai, QList<QWidget*>& Saida)
{
    QList<QWidget*> filhos;
    QList<QRect> lugares;
    for (QObject* o : Pai.children())
        if (o->isWidgetType() && !static_cast<QWidget*>(o)->isWindow()) {
            auto* w = static_cast<QWidget*>(o);
            filhos << w;
            lugares << w->geometry();
        }
    for (int i : TOrdemTab::OrdemDeLeitura(lugares)) {
        QWidget* w = filhos[i];
        // A control that composes others (a grid with its editor, a combo with its button)
        // is one stop: only plain containers are opened.
        if (TomaFoco(*w))
            Saida << w;
        else
            Coleta(*w, Saida);
    }
}

}   // namespace

QList<int> TOrdemTab::OrdemDeLeitura(const QList<QRect>& Retangulos)
{
    QList<int> porTopo(Retangulos.size());
    std::iota(porTopo.begin(), porTopo.end(), 0);
    std::stable_sort(porTopo.begin(), porTopo.end(),
                     [&](int a, int b) { return Retangulos[a].top() < Retangulos[b].top(); });
    QList<int> ordem;
    qsizetype inicio = 0;
    while (inicio < porTopo.size()) {
        const QRect& primeiro = Retangulos[porTopo[inicio]];
        const int meio = primeiro.top() + primeiro.height() / 2;
        qsizetype fim = inicio + 1;
        while (fim < porTopo.size() && Retangulos[porTopo[fim]].top() < meio)
            ++fim;
        QList<int> linha = porTopo.mid(inicio, fim - inicio);
        std::stable_sort(linha.begin(), linha.end(),
                         [&](int a, int b) { return Retangulos[a].left() < Retangulos[b].left(); });
        ordem << linha;
        inicio = fim;
    }
    return ordem;
}

void TOrdemTab::PelaTela(QWidget& Raiz)
{
    QList<QWidget*> controles;
    Coleta(Raiz, controles);
    for (qsizetype i = 1; i < controles.size(); ++i)
        QWidget::setTabOrder(controles[i - 1], controles[i]);
}
