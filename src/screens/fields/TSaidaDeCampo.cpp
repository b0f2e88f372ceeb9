#include "screens/fields/TSaidaDeCampo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <vector>

#include "model/values/TErro.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

struct TMensagemAdiada {
    TErro Erro;
    QPointer<QWidget> Campo;   // gets the focus back first; null leaves the focus where it is
    bool Seleciona;            // the field's text is selected after the message
};

// The messages waiting for the focus change to end, in order; Pendente while they wait or show.
std::vector<TMensagemAdiada>& Fila()
{
    static std::vector<TMensagemAdiada> fila;
    return fila;
}

bool& Pendente()
{
    static bool pendente = false;
    return pendente;
}

bool& Mostrando()
{
    static bool mostrando = false;
    return mostrando;
}

// The message took the focus and gave it back: what the field did on getting it back (its text
// shown again) is done before its text is selected.
void SelecionaDepois(QWidget* campo)
{
    auto* edit = qobject_cast<QLineEdit*>(campo);
    if (!edit)
        return;
    edit->selectAll();
    QTimer::singleShot(0, edit, [edit] {
        if (edit->hasFocus())
            edit->selectAll();
    });
}

void MostraFila()
{
    // Called again while a message of the queue is on the screen (its timer, or a check that
    // shows the waiting warnings): the messages being shown are not shown twice, and those
    // queued meanwhile follow them.
    if (Mostrando())
        return;
    struct Libera {
        ~Libera()
        {
            Fila().clear();
            Pendente() = false;
        }
    } libera;
    const QScopedValueRollback mostrando(Mostrando(), true);
    // A message shown may bring another one (a field left again): it joins the queue.
    for (std::size_t i = 0; i < Fila().size(); ++i) {
        const TMensagemAdiada m = Fila()[i];
        try {
            if (m.Campo && QApplication::focusWidget() != m.Campo)
                m.Campo->setFocus(Qt::OtherFocusReason);
            m.Erro.Exibe();
            if (m.Seleciona)
                SelecionaDepois(m.Campo);
        } catch (...) {
            TExcecaoDeEvento::Trata(std::current_exception());
        }
    }
}

}   // namespace

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

bool TSaidaDeCampo::Grava(QWidget* campo, bool adiaMensagem, const std::function<void()>& grava, bool seleciona)
{
    try {
        grava();
        return true;
    } catch (const TErro& e) {
        // The message is queued before the focus comes back, so that those who watch the focus
        // see a refused exit, not a field left, and rewrite nothing under the text kept.
        if (adiaMensagem)
            MostraAdiado(e, campo, seleciona);
        campo->setFocus(Qt::OtherFocusReason);
        if (!adiaMensagem) {
            e.Exibe();
            if (seleciona)
                SelecionaDepois(campo);
        }
        return false;
    }
}

void TSaidaDeCampo::MostraAdiado(const TErro& erro, QWidget* campo, bool seleciona)
{
    Fila().push_back({erro, campo, seleciona});
    if (Pendente())
        return;
    Pendente() = true;
    QTimer::singleShot(0, qApp, MostraFila);
}

bool TSaidaDeCampo::MensagemPendente()
{
    return Pendente();
}

bool TSaidaDeCampo::MostraAvisosPendentes()
{
    if (!Pendente())
        return true;
    if (Mostrando())
        return false;
    for (const TMensagemAdiada& m : Fila())
        if (m.Erro.Tipo() != TipoDialogo::Aviso || m.Erro.Botoes() != Botao::Ok)
            return false;
    MostraFila();
    return true;
}

void TSaidaDeCampo::SePaginaAberta(bool Aberta, const std::function<void()>& Acao)
{
    if (Aberta)
        ExcecaoAplicacao::Protege(Acao);
}
