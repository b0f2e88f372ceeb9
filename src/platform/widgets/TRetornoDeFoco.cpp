#include "platform/widgets/TRetornoDeFoco.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Windows that take part: real windows and dialogs, not pop-up lists, hints or splashes.
bool EhJanela(const QObject* objeto)
{
    if (!objeto->isWidgetType())
        return false;
    const auto* w = static_cast<const QWidget*>(objeto);
    if (!w->isWindow())
        return false;
    const Qt::WindowType tipo = w->windowType();
    return tipo == Qt::Window || tipo == Qt::Dialog || tipo == Qt::Sheet || tipo == Qt::Tool;
}

bool PodeReceber(const QWidget* janela)
{
    return janela && janela->isVisible() && janela->isEnabled() && !janela->isMinimized();
}

}  // namespace

TRetornoDeFoco::TRetornoDeFoco(QObject* pai) : QObject(pai)
{
    qApp->installEventFilter(this);
}

TRetornoDeFoco::~TRetornoDeFoco()
{
    qApp->removeEventFilter(this);
}

bool TRetornoDeFoco::eventFilter(QObject* objeto, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::Show:
        if (EhJanela(objeto))
            Abriu(*static_cast<QWidget*>(objeto));
        break;
    case QEvent::Hide:
        if (EhJanela(objeto))
            Fechou(*static_cast<QWidget*>(objeto));
        break;
    case QEvent::Destroy:
        FOrigens.remove(static_cast<const QWidget*>(objeto));
        break;
    default:
        break;
    }
    return QObject::eventFilter(objeto, evento);
}

void TRetornoDeFoco::Abriu(QWidget& janela)
{
    // The opener is the window the user was in when this one appeared.
    QWidget* ativa = QApplication::activeWindow();
    if (!ativa || ativa == &janela || !EhJanela(ativa)) {
        FOrigens.remove(&janela);
        return;
    }
    FOrigens.insert(&janela, {ativa, ativa->focusWidget()});
}

void TRetornoDeFoco::Fechou(QWidget& janela)
{
    const TOrigem origem = FOrigens.take(&janela);
    if (!PodeReceber(origem.Janela))
        return;
    // Only when the closing window held the user: a window hidden behind another stays quiet.
    QWidget* ativa = QApplication::activeWindow();
    if (ativa && ativa != &janela && ativa->isVisible())
        return;
    // At once, so that a caller that focuses a control after the dialog returns still wins.
    Devolve(*origem.Janela, origem.Controle);
    // The window manager may hand the activation elsewhere meanwhile; ask once more when it has
    // settled, without moving the focus inside the window again.
    QTimer::singleShot(0, origem.Janela, [janela = origem.Janela] {
        const QWidget* agora = QApplication::activeWindow();
        if (janela && PodeReceber(janela) && (!agora || !agora->isVisible()))
            Devolve(*janela, nullptr);
    });
}

void TRetornoDeFoco::Devolve(QWidget& janela, QWidget* controle)
{
    janela.raise();
    janela.activateWindow();
    if (controle && controle->window() == &janela && controle->isVisible() && controle->isEnabled())
        controle->setFocus(Qt::ActiveWindowFocusReason);
}
