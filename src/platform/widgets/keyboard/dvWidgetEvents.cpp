#include "platform/widgets/keyboard/dvWidgetEvents.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace {

// Follows every left-button press and release of the application, so that the control that
// holds the button down is known when a dialog took its release away.
class TBotaoEsquerdo final : public QObject {
public:
    static TBotaoEsquerdo& Instancia()
    {
        static auto* instancia = new TBotaoEsquerdo;   // lives as long as the application
        return *instancia;
    }

    static void Instala()
    {
        // Test programs without widgets run a plain core application: the filter serves it too.
        if (QCoreApplication* aplicacao = QCoreApplication::instance())
            aplicacao->installEventFilter(&Instancia());
    }

    [[nodiscard]] QWidget* Quem() const { return FQuem.data(); }

    bool eventFilter(QObject* alvo, QEvent* evento) override
    {
        const QEvent::Type tipo = evento->type();
        if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonDblClick
            && tipo != QEvent::MouseButtonRelease)
            return false;
        if (!alvo->isWidgetType() || static_cast<QMouseEvent*>(evento)->button() != Qt::LeftButton)
            return false;
        // A press travels from the control under the mouse up to the parent that takes it:
        // the last one to see it holds the button.
        if (tipo == QEvent::MouseButtonRelease)
            FQuem = nullptr;
        else
            FQuem = static_cast<QWidget*>(alvo);
        return false;
    }

private:
    QPointer<QWidget> FQuem;
};

void InstalaBotaoEsquerdo()
{
    TBotaoEsquerdo::Instala();
}

bool EhMoldura(const QMetaObject* classe)
{
    for (const QMetaObject* m = classe; m; m = m->superClass()) {
        const QLatin1String nome(m->className());
        if (nome == QLatin1String("TCustomFrame"))
            return true;
        if (nome.size() > 3 && nome.startsWith(QLatin1String("TFr")) && QChar(nome.at(3)).isUpper())
            return true;
    }
    return false;
}

}   // namespace

Q_COREAPP_STARTUP_FUNCTION(InstalaBotaoEsquerdo)

void dvPostKeyWithModifier(QWidget* control, int key, Qt::KeyboardModifier modifier)
{
    if (!control)
        return;
    QCoreApplication::postEvent(control, new QKeyEvent(QEvent::KeyPress, key, modifier));
    QCoreApplication::postEvent(control, new QKeyEvent(QEvent::KeyRelease, key, modifier));
}

namespace {

// The control of the active form that got the last left-button press and has not yet seen its
// release; null when none.
QWidget* QuemSeguraOBotao()
{
    QWidget* quem = TBotaoEsquerdo::Instancia().Quem();
    QWidget* forma = QApplication::activeWindow();
    if (!quem || !forma || (quem != forma && !forma->isAncestorOf(quem)))
        return nullptr;
    return quem;
}

}   // namespace

void dvPostLButtonUp()
{
    QWidget* quem = QuemSeguraOBotao();
    if (!quem)
        return;
    const QPointF global = QCursor::pos();
    QCoreApplication::postEvent(quem,
                                new QMouseEvent(QEvent::MouseButtonRelease, quem->mapFromGlobal(global), global,
                                                Qt::LeftButton, Qt::NoButton, QGuiApplication::keyboardModifiers()));
}

bool dvIsFrame(const QWidget* control)
{
    return control && EhMoldura(control->metaObject());
}

QWidget* dvGetParentFormOrFrame(const QWidget* control)
{
    for (QWidget* w = control ? control->parentWidget() : nullptr; w; w = w->parentWidget())
        if (w->isWindow() || EhMoldura(w->metaObject()))
            return w;
    return nullptr;
}
