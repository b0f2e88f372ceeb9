#include "platform/ui/TAtividadeQt.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/ui/TEntradaRetida.h"

TAtividadeQt::TAtividadeQt()
    : FBomba(TBombaDeEventos::IntervaloPadrao, {}, &TEntradaRetida::Bombeia)
{}

TAtividadeQt::~TAtividadeQt()
{
    while (FProfundidade > 0)
        TerminaOcupado();
}

void TAtividadeQt::IniciaOcupado()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++FProfundidade;
}

void TAtividadeQt::TerminaOcupado()
{
    // An unbalanced call must not take away a cursor that someone else set.
    if (FProfundidade == 0)
        return;
    --FProfundidade;
    QGuiApplication::restoreOverrideCursor();
}
