#include "assistants/pages/TRotuloSitio.h"

#include <QMouseEvent>

#include "shell/common/Navegador.h"

const QColor TRotuloSitio::Cor(0, 0, 128);
const QColor TRotuloSitio::CorAtiva(0, 0, 255);

TRotuloSitio::TRotuloSitio(QWidget* parent)
    : QLabel(QString::fromLatin1(EnderecoSitio), parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont fonte = font();
    fonte.setUnderline(true);
    setFont(fonte);
    Pinta(Cor);
}

void TRotuloSitio::enterEvent(QEnterEvent* evento)
{
    Pinta(CorAtiva);
    QLabel::enterEvent(evento);
}

void TRotuloSitio::leaveEvent(QEvent* evento)
{
    Pinta(Cor);
    QLabel::leaveEvent(evento);
}

void TRotuloSitio::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        ExisteNavegador(true);
    QLabel::mouseReleaseEvent(evento);
}

void TRotuloSitio::Pinta(const QColor& cor)
{
    QPalette paleta = palette();
    paleta.setColor(QPalette::WindowText, cor);
    setPalette(paleta);
}
