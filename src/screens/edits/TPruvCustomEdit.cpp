#include "screens/edits/TPruvCustomEdit.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QGuiApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "model/values/TErro.h"
#include "model/values/TMonetario.h"
#include "model/values/TratamentoTexto.h"
#include "screens/edits/TLinhasEdit.h"
#include "screens/fields/TSaidaDeCampo.h"

TPruvCustomEdit::TPruvCustomEdit(QWidget* parent)
    : TCustomEdit(parent)
{}

QString TPruvCustomEdit::GetTexto(bool) const
{
    return text();
}

void TPruvCustomEdit::SetTexto(const QString&) {}

bool TPruvCustomEdit::Valida()
{
    return Escreve(false);
}

void TPruvCustomEdit::Descarta()
{
    FEntrada.MantemTexto = false;
    Reapresenta();
    if (hasFocus())
        selectAll();
}

bool TPruvCustomEdit::ValidaAoSair()
{
    // The message of an earlier exit is still to come: the user stays without another one.
    if (TSaidaDeCampo::MensagemPendente() && FEntrada.MantemTexto) {
        setFocus(Qt::OtherFocusReason);
        return false;
    }
    return Escreve(true);
}

bool TPruvCustomEdit::Escreve(bool adiaMensagem)
{
    if (!TemDado() || !Modified() || TSaidaDeCampo::FocoEmBotaoCancela())
        return true;
    const bool gravou = TSaidaDeCampo::Grava(
        this, adiaMensagem,
        [this] {
            SetTexto(text());
            if (AposModificar)
                AposModificar(this);
        },
        FSelecionaRecusado);
    if (!gravou)
        FEntrada.MantemTexto = true;
    return gravou;
}

void TPruvCustomEdit::Reapresenta()
{
    const QString texto = GetTexto(!hasFocus());
    // The focus is on its way here and the field it leaves changed this one's value (a stored
    // company lends its name): the user chose this field without having seen that text.
    if (hasFocus() && !Entered() && texto != text())
        FEntrada.Emprestado = true;
    SetText(texto);
    SetModified(false);
}

void TPruvCustomEdit::AvancaFoco()
{
    QPointer<TPruvCustomEdit> vivo(this);
    QMetaObject::invokeMethod(
        this,
        [vivo] {
            if (vivo && vivo->hasFocus())
                vivo->focusNextChild();
        },
        Qt::QueuedConnection);
}

void TPruvCustomEdit::DoEnter()
{
    if (!FEntrada.MantemTexto && TemDado()) {
        SetText(GetTexto(false));
        SetModified(false);
        selectAll();
    }
    FEntrada.MantemTexto = false;
    TCustomEdit::DoEnter();
}

void TPruvCustomEdit::DoExit()
{
    if (!ValidaAoSair())
        return;
    FEntrada = {};
    SetText(GetTexto(true));
    TCustomEdit::DoExit();
    SetModified(false);
}

void TPruvCustomEdit::SetLimitado(bool valor)
{
    FLimitado = valor;
    update();
}

void TPruvCustomEdit::SetMultiline(bool valor)
{
    if (valor == FMultiline)
        return;
    FMultiline = valor;
    if (valor)
        SetAutoSize(false);   // the box keeps the height it was given, for its lines
    update();
}

QRect TPruvCustomEdit::AreaTexto() const
{
    QStyleOptionFrame opcao;
    initStyleOption(&opcao);
    return style()->subElementRect(QStyle::SE_LineEditContents, &opcao, this).adjusted(2, 1, -2, -1);
}

bool TPruvCustomEdit::Cabe(const QString& texto) const
{
    const QRect caixa = AreaTexto();
    if (!FMultiline)
        return QFontMetrics(font()).horizontalAdvance(texto) <= caixa.width();
    return TLinhasEdit(texto, font(), caixa.width(), true).Altura() <= caixa.height();
}

TLinhasEdit TPruvCustomEdit::Linhas() const
{
    return TLinhasEdit(text(), font(), AreaTexto().width(), FLimitado);
}

qreal TPruvCustomEdit::Deslocamento(const TLinhasEdit& linhas) const
{
    if (FLimitado)
        return 0;   // the text does not scroll: what does not fit is not shown
    const QRectF cursor = linhas.Cursor(cursorPosition());
    return std::max<qreal>(0, cursor.bottom() - AreaTexto().height());
}

int TPruvCustomEdit::PosicaoEm(QPoint ponto) const
{
    const TLinhasEdit linhas = Linhas();
    return linhas.Posicao(QPointF(ponto - AreaTexto().topLeft()) + QPointF(0, Deslocamento(linhas)));
}

void TPruvCustomEdit::paintEvent(QPaintEvent* e)
{
    if (!FMultiline) {
        TCustomEdit::paintEvent(e);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame opcao;
    initStyleOption(&opcao);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opcao, &p, this);
    const QRect caixa = AreaTexto();
    const TLinhasEdit linhas = Linhas();
    const QPointF origem(caixa.left(), caixa.top() - Deslocamento(linhas));
    p.setClipRect(caixa);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const int inicio = hasSelectedText() ? selectionStart() : 0;
    const int fim = hasSelectedText() ? selectionEnd() : 0;
    linhas.Desenha(p, origem, inicio, fim, palette().color(QPalette::Highlight),
                   palette().color(QPalette::HighlightedText));
    if (hasFocus() && !isReadOnly())
        p.fillRect(linhas.Cursor(cursorPosition()).translated(origem), palette().color(QPalette::Text));
}

void TPruvCustomEdit::mousePressEvent(QMouseEvent* e)
{
    // The gesture that chose the field, or the first one on a text lent as the focus came (but a
    // plain click, which puts the caret where the user wants it): the whole text stays selected,
    // and the middle button's paste goes in its place.
    const bool entrada = TakeEnterClick();
    const bool sobreEmprestado = FEntrada.Emprestado
        && (e->button() == Qt::MiddleButton || e->modifiers().testFlag(Qt::ShiftModifier));
    FEntrada.GestoDeEntrada = entrada || sobreEmprestado;
    if (FEntrada.GestoDeEntrada) {
        if (sobreEmprestado)
            selectAll();
        e->accept();
        return;
    }
    if (!FMultiline || e->button() != Qt::LeftButton) {
        TCustomEdit::mousePressEvent(e);
        return;
    }
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const int posicao = PosicaoEm(e->position().toPoint());
    if (e->modifiers() & Qt::ShiftModifier) {
        setSelection(FAncora, posicao - FAncora);
    } else {
        FAncora = posicao;
        setCursorPosition(posicao);
    }
    update();
}

void TPruvCustomEdit::mouseMoveEvent(QMouseEvent* e)
{
    if (FEntrada.GestoDeEntrada) {
        e->accept();   // no selection by a drag
        return;
    }
    if (!FMultiline) {
        TCustomEdit::mouseMoveEvent(e);
        return;
    }
    if (e->buttons() & Qt::LeftButton) {
        setSelection(FAncora, PosicaoEm(e->position().toPoint()) - FAncora);
        update();
    }
}

void TPruvCustomEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The gesture's middle button pastes in place of the whole text; its left one only ends.
    if (FEntrada.GestoDeEntrada && e->button() != Qt::MiddleButton) {
        e->accept();
        return;
    }
    if (e->button() == Qt::MiddleButton)
        FEntrada.Emprestado = false;
    TCustomEdit::mouseReleaseEvent(e);
}

void TPruvCustomEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The double-click of the click that chose the field, or on a text lent: the whole text.
    if (FEntrada.GestoDeEntrada || FEntrada.Emprestado) {
        FEntrada.GestoDeEntrada = true;
        FEntrada.Emprestado = false;
        selectAll();
        update();
        e->accept();
        return;
    }
    if (!FMultiline) {
        TCustomEdit::mouseDoubleClickEvent(e);
        return;
    }
    selectAll();
    update();
}

void TPruvCustomEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    // A key is the user's own input: a text lent is theirs from now on, the gesture is over.
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
        FEntrada.Emprestado = FEntrada.GestoDeEntrada = false;
    if (FMultiline && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const int destino = Linhas().Vizinha(cursorPosition(), key == Qt::Key_Up ? -1 : 1);
        if (shift & Qt::ShiftModifier) {
            const int ancora = hasSelectedText() && selectionStart() == cursorPosition() ? selectionEnd()
                : hasSelectedText()                                                      ? selectionStart()
                                                                                         : cursorPosition();
            setSelection(ancora, destino - ancora);
        } else {
            setCursorPosition(destino);
        }
        update();
        key = 0;
    }
    if (key == Qt::Key_Escape) {
        Descarta();
        key = 0;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        key = 0;
        if (OnPressEnter)
            OnPressEnter(this);
        else if (FAutoAvanco)
            AvancaFoco();
    }
    TCustomEdit::KeyDown(key, shift);
}

void TPruvCustomEdit::KeyPress(QChar& key)
{
    if (key.unicode() == 13) {
        key = QChar();
    } else if (key.unicode() >= 32) {
        switch (FTipoDeDado) {
        case TTipoDeDado::AlfaNumerico:
            break;
        case TTipoDeDado::ApenasNumeros:
            if (key < u'0' || key > u'9')
                key = QChar();
            break;
        case TTipoDeDado::Numerico: {
            const auto d = TMonetario::Digitacao(text(), SelStart(), SelLength(), key);
            key = d.Caractere;
            if (d.SegundaDecimal && !key.isNull())
                AvancaFoco();
            break;
        }
        }
        if (FLimitado && !key.isNull()) {
            // The text with the character in place of the selection must fit the box.
            QString depois = text();
            depois.replace(SelStart(), SelLength(), key);
            if (!Cabe(depois))
                key = QChar();
        }
    }
    TCustomEdit::KeyPress(key);
}

void TPruvCustomEdit::WMPaste()
{
    if (ColaComoTexto(QGuiApplication::clipboard()->text()))
        TCustomEdit::WMPaste();
}

void TPruvCustomEdit::PasteSelection(const QString& texto)
{
    if (ColaComoTexto(texto))
        TCustomEdit::PasteSelection(texto);
}

bool TPruvCustomEdit::ColaComoTexto(const QString& texto)
{
    if (FTipoDeDado == TTipoDeDado::Numerico) {
        (void)ColaQuantia(texto);
        return false;
    }
    return FTipoDeDado == TTipoDeDado::AlfaNumerico || SoNumeros(texto);
}

bool TPruvCustomEdit::ColaQuantia(const QString& texto)
{
    if (texto.trimmed().isEmpty())
        return false;
    QString valor;
    try {
        valor = TMonetario::QuantiaColada(texto);
    } catch (const TErro& e) {
        e.Exibe();
        return false;
    }
    // The field holds one amount: the one pasted replaces it, whole.
    SubstituiTexto(valor);
    return true;
}
