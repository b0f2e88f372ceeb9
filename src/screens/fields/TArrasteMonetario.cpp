#include "screens/fields/TArrasteMonetario.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "model/values/TDragMonetario.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

namespace {

TArrasteMonetario*& Atual()
{
    static TArrasteMonetario* atual = nullptr;
    return atual;
}

}   // namespace

TArrasteMonetario::TArrasteMonetario(std::unique_ptr<TDragMonetario> dados, QWidget* origem, TModo modo)
    : FDados(std::move(dados))
    , FOrigem(origem)
    , FModo(modo)
{
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::ForbiddenCursor);
}

TArrasteMonetario::~TArrasteMonetario()
{
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void TArrasteMonetario::Inicia(std::unique_ptr<TDragMonetario> dados, QWidget* origem, TModo modo)
{
    Cancela();
    if (!dados)
        return;
    Atual() = new TArrasteMonetario(std::move(dados), origem, modo);
}

void TArrasteMonetario::Cancela()
{
    if (TArrasteMonetario* a = std::exchange(Atual(), nullptr)) {
        a->Sai();
        a->deleteLater();
    }
}

bool TArrasteMonetario::EmCurso()
{
    return Atual() != nullptr;
}

QWidget* TArrasteMonetario::Origem()
{
    return Atual() ? Atual()->FOrigem.data() : nullptr;
}

QWidget* TArrasteMonetario::AlvoEm(const QPoint& global)
{
    QWidget* w = QApplication::widgetAt(global);
    while (w && !w->acceptDrops() && !w->isWindow())
        w = w->parentWidget();
    return w && w->acceptDrops() && w->isEnabled() ? w : nullptr;
}

void TArrasteMonetario::Sai()
{
    if (FAlvo && FAlvoAceita) {
        QDragLeaveEvent saida;
        QCoreApplication::sendEvent(FAlvo.data(), &saida);
    }
    FAlvo = nullptr;
    FAlvoAceita = false;
}

bool TArrasteMonetario::Sobre(QWidget* alvo, const QPoint& global)
{
    if (alvo != FAlvo) {
        Sai();
        FAlvo = alvo;
        if (alvo) {
            QDragEnterEvent entrada(alvo->mapFromGlobal(global), Qt::CopyAction, FDados.get(),
                                    QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
            QCoreApplication::sendEvent(alvo, &entrada);
            FAlvoAceita = entrada.isAccepted();
        }
    }
    bool aceita = false;
    if (FAlvo && FAlvoAceita) {
        QDragMoveEvent movimento(alvo->mapFromGlobal(global), Qt::CopyAction, FDados.get(),
                                 QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
        QCoreApplication::sendEvent(alvo, &movimento);
        aceita = movimento.isAccepted();
    }
    QApplication::changeOverrideCursor(aceita ? Qt::DragCopyCursor : Qt::ForbiddenCursor);
    return aceita;
}

void TArrasteMonetario::Solta(const QPoint& global)
{
    QWidget* alvo = AlvoEm(global);
    if (alvo && Sobre(alvo, global)) {
        QDropEvent soltar(QPointF(alvo->mapFromGlobal(global)), Qt::CopyAction, FDados.get(),
                          QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
        FAlvo = nullptr;   // the drop ends the visit: no leave event after it
        QCoreApplication::sendEvent(alvo, &soltar);
    }
}

bool TArrasteMonetario::eventFilter(QObject* objeto, QEvent* evento)
{
    if (Atual() != this)
        return false;
    switch (evento->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
            Cancela();
            return true;
        }
        return false;
    case QEvent::ApplicationDeactivate:
        Cancela();
        return false;
    default:
        return false;
    }
    // Mouse events reach the window first and then the widget: the widget's copy is the one.
    if (!objeto->isWidgetType())
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(evento);
    const QPoint global = mouse->globalPosition().toPoint();
    const bool solta = FModo == Pressionado
        ? evento->type() == QEvent::MouseButtonRelease
        : evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::MouseButtonDblClick;
    if (solta) {
        // Off the list first: whatever the drop does (a message, another drag) runs on its own.
        Atual() = nullptr;
        try {
            Solta(global);
        } catch (...) {
            TExcecaoDeEvento::Trata(std::current_exception());
        }
        Sai();
        deleteLater();
        return true;
    }
    if (evento->type() == QEvent::MouseMove) {
        // The button went up outside the program's windows: the drag ends there, dropping nothing.
        if (FModo == Pressionado && mouse->buttons() == Qt::NoButton) {
            Cancela();
            return false;
        }
        (void)Sobre(AlvoEm(global), global);
    }
    // The control under the mouse neither selects nor scrolls while the amount passes over it.
    return true;
}
