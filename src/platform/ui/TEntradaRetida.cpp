#include "platform/ui/TEntradaRetida.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QShortcutEvent>
#include <QWidget>

namespace {

enum class TEntrada { Nenhuma, Tecla, Atalho, Mouse };

TEntrada TipoDeEntrada(QEvent::Type tipo)
{
    switch (tipo) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        return TEntrada::Tecla;
    case QEvent::Shortcut:
        return TEntrada::Atalho;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return TEntrada::Mouse;
    default:
        return TEntrada::Nenhuma;
    }
}

bool Esc(const QEvent& evento)
{
    if (evento.type() == QEvent::Shortcut)
        return static_cast<const QShortcutEvent&>(evento).key() == QKeySequence(Qt::Key_Escape);
    if (evento.type() == QEvent::InputMethod)
        return false;
    const auto& tecla = static_cast<const QKeyEvent&>(evento);
    return tecla.key() == Qt::Key_Escape && tecla.modifiers() == Qt::NoModifier;
}

}   // namespace

TEntradaRetida::TEntradaRetida()
    : FModal(QApplication::activeModalWidget())
{
    ++Guardas;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

TEntradaRetida::~TEntradaRetida()
{
    --Guardas;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void TEntradaRetida::Bombeia()
{
    if (!QCoreApplication::instance())
        return;
    const TEntradaRetida guarda;
    QCoreApplication::processEvents();
}

bool TEntradaRetida::AbertaDepois(const QWidget* janela) const
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != FModal && (janela == nullptr || janela == modal);
}

bool TEntradaRetida::eventFilter(QObject* alvo, QEvent* evento)
{
    const TEntrada entrada = TipoDeEntrada(evento->type());
    if (entrada == TEntrada::Nenhuma)
        return false;
    const auto* widget = qobject_cast<const QWidget*>(alvo);
    const QWidget* janela = widget ? widget->window() : nullptr;
    // A shortcut goes to an action or a shortcut object: it counts for the window asking now.
    if (AbertaDepois(entrada == TEntrada::Atalho ? nullptr : janela))
        return false;
    const bool principal = qobject_cast<const QMainWindow*>(janela) != nullptr;
    bool passa = false;
    if (entrada == TEntrada::Mouse)
        passa = janela != nullptr && !principal;
    else
        passa = !principal && Esc(*evento);
    if (passa)
        return false;
    // An override taken here keeps the shortcut map from running the key's command.
    if (evento->type() == QEvent::ShortcutOverride)
        evento->accept();
    return true;
}
