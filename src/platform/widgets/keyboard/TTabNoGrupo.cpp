#include "platform/widgets/keyboard/TTabNoGrupo.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QRadioButton>

namespace {

// The radio buttons that exclude each other with this one, itself included.
QList<QAbstractButton*> GrupoDe(QRadioButton& radio)
{
    if (radio.group())
        return radio.group()->exclusive() ? radio.group()->buttons() : QList<QAbstractButton*>{};
    QList<QAbstractButton*> grupo;
    if (!radio.autoExclusive() || !radio.parentWidget())
        return grupo;
    for (QObject* irmao : radio.parentWidget()->children())
        if (auto* outro = qobject_cast<QRadioButton*>(irmao); outro && outro->autoExclusive() && !outro->group())
            grupo << outro;
    return grupo;
}

bool Alcancavel(const QWidget& w)
{
    return (w.focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w.isVisible() && w.isEnabled() && !w.focusProxy();
}

// The first control past the group in the direction of the key, within the same window.
QWidget* DepoisDoGrupo(QWidget& inicio, const QList<QAbstractButton*>& grupo, bool paraFrente)
{
    QWidget* w = &inicio;
    for (int passos = 0; passos < 1000; ++passos) {
        w = paraFrente ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == &inicio)
            return nullptr;
        if (w->window() == inicio.window() && Alcancavel(*w) && !grupo.contains(qobject_cast<QAbstractButton*>(w)))
            return w;
    }
    return nullptr;
}

}   // namespace

TTabNoGrupo::TTabNoGrupo(QObject* pai)
    : QObject(pai)
{
    qApp->installEventFilter(this);
}

TTabNoGrupo::~TTabNoGrupo()
{
    qApp->removeEventFilter(this);
}

bool TTabNoGrupo::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::FocusIn || !objeto->isWidgetType())
        return QObject::eventFilter(objeto, evento);
    auto* w = static_cast<QWidget*>(objeto);
    const QPointer<QWidget> anterior = FAnterior;
    FAnterior = w;
    const Qt::FocusReason razao = static_cast<QFocusEvent*>(evento)->reason();
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio || radio->isChecked() || (razao != Qt::TabFocusReason && razao != Qt::BacktabFocusReason))
        return QObject::eventFilter(objeto, evento);
    const QList<QAbstractButton*> grupo = GrupoDe(*radio);
    QAbstractButton* marcado = nullptr;
    for (QAbstractButton* b : grupo)
        if (b->isChecked() && b->isVisible() && b->isEnabled())
            marcado = b;
    if (!marcado)
        return QObject::eventFilter(objeto, evento);
    // Tab from within the group leaves it; from outside it lands on the checked option.
    QWidget* destino = marcado;
    if (anterior && grupo.contains(qobject_cast<QAbstractButton*>(anterior.data())))
        destino = DepoisDoGrupo(*radio, grupo, razao == Qt::TabFocusReason);
    if (destino && destino != w)
        destino->setFocus(razao);
    return QObject::eventFilter(objeto, evento);
}
