#pragma once
#include <functional>

#include "platform/ui/IDialogos.h"

class QWidget;
class QMessageBox;

// The message dialogs of the program, as modal QMessageBox windows with Portuguese buttons.
class TDialogosQt final : public IDialogos {
public:
    // dialogo: the message dialog, shown again once the help is up; a help window must be its
    // own to take clicks beside it.
    using PedidoDeAjuda = std::function<void(int helpCtx, QWidget* dialogo)>;

    // pai: the window the dialogs are centred on (may be null, not owned). ajuda: called when the
    // user presses Help; the dialog then stays open, as the user has not answered yet.
    explicit TDialogosQt(QWidget* pai = nullptr, PedidoDeAjuda ajuda = {});

    Resposta Mostra(const TMensagemDialogo& mensagem) override;

    // Builds the dialog without showing it, so that its look can be checked offscreen.
    static void Monta(QMessageBox& caixa, const TMensagemDialogo& mensagem);
    // The answer of the button that the user pressed (null: closed without one).
    static Resposta RespostaDoBotao(const QMessageBox& caixa);

private:
    QWidget* FPai;
    PedidoDeAjuda FAjuda;
};
