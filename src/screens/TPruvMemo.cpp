#include "screens/TPruvMemo.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>

#include "model/TDadoBasico.h"
#include "model/TErro.h"
#include "platform/widgets/TExcecaoDeEvento.h"
#include "screens/TSaidaDeCampo.h"

TPruvMemo::TPruvMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Limita(); });
}

TPruvMemo::~TPruvMemo()
{
    if (FDado)
        FDado->RemoveObservador(*this);
}

void TPruvMemo::SetDado(TDadoBasico* Dado)
{
    if (Dado != FDado) {
        if (FDado)
            FDado->RemoveObservador(*this);
        FDado = Dado;
        if (FDado)
            FDado->AdicionaObservador(*this);
    }
    Reapresenta();
}

bool TPruvMemo::Modified() const
{
    return document()->isModified();
}

void TPruvMemo::SetModified(bool valor)
{
    document()->setModified(valor);
}

void TPruvMemo::Reapresenta()
{
    QString texto;
    if (FDado)
        texto = hasFocus() ? FDado->GetTexto() : FDado->GetTextoFormatado();
    if (texto != toPlainText())
        setPlainText(texto);
    SetModified(false);
}

void TPruvMemo::Atualiza(ISujeito&)
{
    Reapresenta();
}

void TPruvMemo::Liberado(ISujeito&)
{
    FDado = nullptr;
}

void TPruvMemo::Limita()
{
    if (FMaxLength <= 0 || toPlainText().size() <= FMaxLength)
        return;
    // What goes past the limit is cut at the end, as typing there would have been refused.
    const QSignalBlocker bloqueio(this);
    QTextCursor c(document());
    c.setPosition(FMaxLength);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    moveCursor(QTextCursor::End);
}

bool TPruvMemo::Valida()
{
    return Escreve(false);
}

bool TPruvMemo::Escreve(bool adiaMensagem)
{
    if (!FDado || !Modified() || TSaidaDeCampo::FocoEmBotaoCancela())
        return true;
    try {
        FDado->SetTexto(toPlainText());
    } catch (const TErro& e) {
        setFocus(Qt::OtherFocusReason);
        if (adiaMensagem)
            TSaidaDeCampo::MostraAdiado(this, e);
        else
            e.Exibe();
        return false;
    }
    return true;
}

void TPruvMemo::RemoveLinhasEmBranco()
{
    QStringList linhas = toPlainText().split(QLatin1Char('\n'));
    bool mudou = false;
    for (auto i = linhas.size(); i-- > 0;) {
        if (linhas[i].trimmed().isEmpty()) {
            linhas.removeAt(i);
            mudou = true;
        }
    }
    if (!mudou)
        return;
    const bool modificado = Modified();
    setPlainText(linhas.join(QLatin1Char('\n')));
    SetModified(modificado || mudou);
}

void TPruvMemo::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason || FDentro)
        return;
    FDentro = true;
    if (!Modified() && FDado) {
        setPlainText(FDado->GetTexto());
        SetModified(false);
        selectAll();
    }
    if (OnEnter)
        OnEnter();
}

void TPruvMemo::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason && FDentro) {
        RemoveLinhasEmBranco();
        // The message of an earlier exit is still to come: the user stays without another one.
        const bool aguarda = TSaidaDeCampo::MensagemPendente() && Modified();
        if (aguarda)
            setFocus(Qt::OtherFocusReason);
        if (aguarda || !Escreve(true))
            return;   // the focus is back here
        FDentro = false;
        Reapresenta();
        if (OnExit)
            OnExit();
    }
    QPlainTextEdit::focusOutEvent(e);
}

bool TPruvMemo::event(QEvent* e)
{
    try {
        return QPlainTextEdit::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
