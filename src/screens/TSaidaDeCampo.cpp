#include "screens/TSaidaDeCampo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <memory>

#include "model/TErro.h"
#include "platform/widgets/TExcecaoDeEvento.h"

namespace {

bool& Pendente()
{
    static bool pendente = false;
    return pendente;
}

}  // namespace

bool TSaidaDeCampo::FocoEmBotaoCancela()
{
    auto* botao = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (!botao)
        return false;
    if (botao->property(PropriedadeModalResult).toInt() == mrCancel)
        return true;
    const auto* caixa = qobject_cast<QDialogButtonBox*>(botao->parentWidget());
    return caixa && caixa->buttonRole(botao) == QDialogButtonBox::RejectRole;
}

bool TSaidaDeCampo::Grava(QWidget* campo, bool adiaMensagem, const std::function<void()>& grava)
{
    try {
        grava();
        return true;
    } catch (const TErro& e) {
        campo->setFocus(Qt::OtherFocusReason);
        if (adiaMensagem)
            MostraAdiado(campo, e);
        else
            e.Exibe();
        return false;
    }
}

void TSaidaDeCampo::MostraAdiado(QWidget* campo, const TErro& erro)
{
    if (Pendente())
        return;
    Pendente() = true;
    QPointer<QWidget> alvo(campo);
    auto copia = std::make_shared<TErro>(erro);
    QTimer::singleShot(0, qApp, [alvo, copia] {
        struct Libera {
            ~Libera() { Pendente() = false; }
        } libera;
        try {
            if (alvo && QApplication::focusWidget() != alvo)
                alvo->setFocus(Qt::OtherFocusReason);
            copia->Exibe();
        } catch (...) {
            TExcecaoDeEvento::Trata(std::current_exception());
        }
    });
}

bool TSaidaDeCampo::MensagemPendente()
{
    return Pendente();
}
