#include "platform/widgets/windows/TMinimoDoProjeto.h"

#include <QEvent>
#include <QWidget>

TMinimoDoProjeto::TMinimoDoProjeto(QWidget& janela)
    : QObject(&janela)
{
    janela.installEventFilter(this);
}

bool TMinimoDoProjeto::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::Show) {
        auto* janela = static_cast<QWidget*>(objeto);
        janela->setMinimumSize(janela->size().expandedTo(janela->minimumSizeHint()).expandedTo(janela->minimumSize()));
        janela->removeEventFilter(this);
    }
    return false;
}
