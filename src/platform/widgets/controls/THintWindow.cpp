#include "platform/widgets/controls/THintWindow.h"

#include <QPainter>
#include <QPalette>

namespace {

int& Pausa()
{
    static int pausa = 2500;
    return pausa;
}

}   // namespace

THintWindow::THintWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    QPalette cores = palette();
    cores.setColor(QPalette::Window, cores.color(QPalette::ToolTipBase));
    cores.setColor(QPalette::WindowText, cores.color(QPalette::ToolTipText));
    setPalette(cores);
    setAutoFillBackground(true);
}

void THintWindow::ActivateHint(const QRect& r, const QString& texto)
{
    FCaption = texto;
    setGeometry(r);
    show();
    update();
}

int THintWindow::HintHidePause()
{
    return Pausa();
}

void THintWindow::SetHintHidePause(int milissegundos)
{
    Pausa() = milissegundos;
}

void THintWindow::Paint(QPainter& p)
{
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop, FCaption);
}

void THintWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    Paint(p);
}
