#include "platform/widgets/keyboard/TRetornoDeFoco.h"

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

}   // namespace

TRetornoDeFoco::TRetornoDeFoco(QObject* pai)
    : QObject(pai)
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
    ++FAberturas;
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
    TOrigem origem = FOrigens.take(&janela);
    // The opener closed meanwhile (the pending items give way to the delivery assistant): the
    // window that owns the closing one takes the focus back, on its own last control.
    if (!PodeReceber(origem.Janela) && janela.parentWidget())
        origem = {janela.parentWidget()->window(), nullptr};
    if (!PodeReceber(origem.Janela))
        return;
    // Only when the closing window held the user: a window hidden behind another stays quiet.
    QWidget* ativa = QApplication::activeWindow();
    if (ativa && ativa != &janela && ativa->isVisible())
        return;
    // At once, so that a caller that focuses a control after the dialog returns still wins.
    Devolve(*origem.Janela, origem.Controle);
    // The window manager may hand the activation elsewhere meanwhile; ask once more when it has
    // settled, without moving the focus inside the window again, unless another window has
    // opened since (a command that closed this one to open its own).
    QTimer::singleShot(0, origem.Janela, [this, janela = origem.Janela, aberturas = FAberturas] {
        const QWidget* agora = QApplication::activeWindow();
        if (janela && PodeReceber(janela) && (!agora || !agora->isVisible()) && aberturas == FAberturas)
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
