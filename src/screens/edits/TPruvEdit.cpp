#include "screens/edits/TPruvEdit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <memory>

#include "model/values/TDadoBasico.h"
#include "model/values/TDragMonetario.h"
#include "platform/widgets/keyboard/SomenteLeitura.h"
#include "screens/fields/TArrasteMonetario.h"

TPruvEdit::TPruvEdit(QWidget* parent)
    : TPruvCustomEdit(parent)
    , FVinculo([this] { Reapresenta(); })
{
    setAcceptDrops(true);
}

void TPruvEdit::SetDado(TDadoBasico* Dado)
{
    FVinculo.SetDado(Dado);
    Reapresenta();
}

QString TPruvEdit::GetTexto(bool Formatado) const
{
    const TDadoBasico* dado = Dado();
    if (!dado)
        return {};
    // Nothing is typed in a read-only edit: it never shows the raw form meant for typing.
    return Formatado || ReadOnly() ? dado->GetTextoFormatado() : dado->GetTexto();
}

void TPruvEdit::SetReadOnly(bool valor)
{
    SetReadOnlyFlag(valor);
    MostraSomenteLeitura(*this, valor);
    if (TemDado())
        Reapresenta();
}

void TPruvEdit::SetTexto(const QString& Texto)
{
    if (TDadoBasico* dado = Dado())
        dado->SetTexto(Texto);
}

// ---- money drag and drop ----

void TPruvEdit::mousePressEvent(QMouseEvent* e)
{
    FArraste.Pressiona(e->position().toPoint(),
                       TipoDeDado() == TTipoDeDado::Numerico && e->button() == Qt::LeftButton
                           && e->modifiers().testFlag(Qt::ShiftModifier));
    TPruvCustomEdit::mousePressEvent(e);
}

void TPruvEdit::mouseMoveEvent(QMouseEvent* e)
{
    if (FArraste.Partiu(e->position().toPoint(), e->buttons())) {
        TArrasteMonetario::Inicia(std::make_unique<TDragMonetario>(text()), this, TArrasteMonetario::Pressionado);
        return;
    }
    TPruvCustomEdit::mouseMoveEvent(e);
}

void TPruvEdit::mouseReleaseEvent(QMouseEvent* e)
{
    FArraste.Solta();
    TPruvCustomEdit::mouseReleaseEvent(e);
}

bool TPruvEdit::AceitaSoltar(const QMimeData* dados) const
{
    // An amount dragged in the program, or a text dragged from another one (read when dropped).
    return TipoDeDado() == TTipoDeDado::Numerico && !ReadOnly()
        && (qobject_cast<const TDragMonetario*>(dados) || dados->hasText());
}

void TPruvEdit::dragEnterEvent(QDragEnterEvent* e)
{
    if (AceitaSoltar(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPruvEdit::dragMoveEvent(QDragMoveEvent* e)
{
    if (AceitaSoltar(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPruvEdit::dropEvent(QDropEvent* e)
{
    if (!AceitaSoltar(e->mimeData())) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    if (const auto* dados = qobject_cast<const TDragMonetario*>(e->mimeData())) {
        SetText(dados->Monetario().GetTexto());
        SetModified(true);
    } else if (!ColaQuantia(e->mimeData()->text())) {
        return;
    }
    (void)Valida();
    SetModified(false);
}
