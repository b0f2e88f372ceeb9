#include "screens/TPruvCustomEdit.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>

#include "model/Utilitarios.h"
#include "screens/TPruvCustomGrid.h"
#include "screens/TSaidaDeCampo.h"

TPruvCustomEdit::TPruvCustomEdit(QWidget* parent)
    : TCustomEdit(parent)
{
}

QString TPruvCustomEdit::GetTexto(bool) const
{
    return text();
}

void TPruvCustomEdit::SetTexto(const QString&)
{
}

bool TPruvCustomEdit::Valida()
{
    return Escreve(false);
}

bool TPruvCustomEdit::ValidaAoSair()
{
    // The message of an earlier exit is still to come: the user stays without another one.
    if (TSaidaDeCampo::MensagemPendente() && FMantemTexto) {
        setFocus(Qt::OtherFocusReason);
        return false;
    }
    return Escreve(true);
}

bool TPruvCustomEdit::Escreve(bool adiaMensagem)
{
    if (!TemDado() || !Modified() || TSaidaDeCampo::FocoEmBotaoCancela())
        return true;
    const bool gravou = TSaidaDeCampo::Grava(this, adiaMensagem, [this] {
        SetTexto(text());
        if (AposModificar)
            AposModificar(this);
    });
    if (!gravou)
        FMantemTexto = true;
    return gravou;
}

void TPruvCustomEdit::Reapresenta()
{
    SetText(GetTexto(!hasFocus()));
    SetModified(false);
}

void TPruvCustomEdit::AvancaFoco()
{
    QPointer<TPruvCustomEdit> vivo(this);
    QMetaObject::invokeMethod(this, [vivo] {
        if (vivo && vivo->hasFocus())
            vivo->focusNextChild();
    }, Qt::QueuedConnection);
}

void TPruvCustomEdit::DoEnter()
{
    if (!FMantemTexto && TemDado()) {
        SetText(GetTexto(false));
        SetModified(false);
        selectAll();
    }
    FMantemTexto = false;
    TCustomEdit::DoEnter();
}

void TPruvCustomEdit::DoExit()
{
    if (!ValidaAoSair())
        return;
    FMantemTexto = false;
    SetText(GetTexto(true));
    TCustomEdit::DoExit();
    SetModified(false);
}

void TPruvCustomEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Escape) {
        SetText(GetTexto(false));
        SetModified(false);
        FMantemTexto = false;
        selectAll();
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
            const auto d = TPruvInplaceEditMonetario::Filtra(text(), SelStart(), SelLength(), key);
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
            QStyleOptionFrame opcao;
            initStyleOption(&opcao);
            const QRect caixa = style()->subElementRect(QStyle::SE_LineEditContents, &opcao, this);
            if (QFontMetrics(font()).horizontalAdvance(depois) > caixa.width() - 4)
                key = QChar();
        }
    }
    TCustomEdit::KeyPress(key);
}

void TPruvCustomEdit::WMPaste()
{
    if (FTipoDeDado == TTipoDeDado::ApenasNumeros && !SoNumeros(QGuiApplication::clipboard()->text()))
        return;
    TCustomEdit::WMPaste();
}
