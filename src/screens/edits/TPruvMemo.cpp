#include "screens/edits/TPruvMemo.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>

#include "model/values/TDadoBasico.h"
#include "platform/widgets/controls/TSelecaoDoSistema.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "screens/fields/TSaidaDeCampo.h"

TPruvMemo::TPruvMemo(QWidget* parent)
    : QPlainTextEdit(parent)
    , FVinculo([this] { Reapresenta(); })
    , FEntrada(*this)
{
    // Tab moves on to the next field, as in every other one; the text takes no tab.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Limita(); });
}

void TPruvMemo::SetDado(TDadoBasico* Dado)
{
    FVinculo.SetDado(Dado);
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
    if (Dado())
        texto = hasFocus() ? Dado()->GetTexto() : Dado()->GetTextoFormatado();
    if (texto != toPlainText())
        setPlainText(texto);
    SetModified(false);
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
    if (!Dado() || !Modified() || TSaidaDeCampo::FocoEmBotaoCancela())
        return true;
    return TSaidaDeCampo::Grava(this, adiaMensagem, [this] { Dado()->SetTexto(toPlainText()); });
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
    if (!FEntrada.Chega(e->reason()))
        return;
    if (!Modified() && Dado()) {
        setPlainText(Dado()->GetTexto());
        SetModified(false);
        selectAll();
    }
    if (OnEnter)
        OnEnter();
}

void TPruvMemo::focusOutEvent(QFocusEvent* e)
{
    if (!FEntrada.Sai(e->reason(), [this] { Sai(); }))
        return;   // the focus is back here
    QPlainTextEdit::focusOutEvent(e);
}

void TPruvMemo::Sai()
{
    RemoveLinhasEmBranco();
    // The message of an earlier exit is still to come: the user stays without another one.
    const bool aguarda = TSaidaDeCampo::MensagemPendente() && Modified();
    if (aguarda)
        setFocus(Qt::OtherFocusReason);
    if (aguarda || !Escreve(true))
        return;
    FGestoDeEntrada = false;
    Reapresenta();
    if (OnExit)
        OnExit();
}

void TPruvMemo::mousePressEvent(QMouseEvent* e)
{
    // The gesture that chose the memo leaves its whole text selected; the middle button pastes
    // in its place.
    FGestoDeEntrada = FEntrada.TomaCliqueDeEntrada();
    if (!FGestoDeEntrada) {
        QPlainTextEdit::mousePressEvent(e);
        return;
    }
    const QString selecao = TSelecaoDoSistema::Texto();
    if (e->button() == Qt::MiddleButton && !isReadOnly() && !selecao.isEmpty())
        insertPlainText(selecao);
    e->accept();
}

void TPruvMemo::mouseMoveEvent(QMouseEvent* e)
{
    if (FGestoDeEntrada)
        e->accept();   // no selection by a drag
    else
        QPlainTextEdit::mouseMoveEvent(e);
}

void TPruvMemo::mouseReleaseEvent(QMouseEvent* e)
{
    if (FGestoDeEntrada)
        e->accept();
    else
        QPlainTextEdit::mouseReleaseEvent(e);
}

void TPruvMemo::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (FGestoDeEntrada)
        e->accept();   // the double-click of the click that chose the memo: still the whole text
    else
        QPlainTextEdit::mouseDoubleClickEvent(e);
}

void TPruvMemo::keyPressEvent(QKeyEvent* e)
{
    FGestoDeEntrada = false;
    QPlainTextEdit::keyPressEvent(e);
}

bool TPruvMemo::event(QEvent* e)
{
    try {
        FEntrada.Evento(*e, [this] { Sai(); });
        return QPlainTextEdit::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
