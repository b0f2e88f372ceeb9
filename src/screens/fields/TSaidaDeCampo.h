#pragma once

#include <functional>

class QWidget;
class TErro;

// What the bound fields share when the user leaves one: whether the focus went to a button that
// cancels its dialog, and the message of a refused text shown once the focus change is over.
// A modal message shown from inside a focus change would take the activation away while Qt is
// still moving the focus, and the field would be left again; so it waits for the event loop.
class TSaidaDeCampo final {
public:
    // Dynamic property of a button: its modal result; mrCancel marks a button that cancels.
    static constexpr const char* PropriedadeModalResult = "ModalResult";
    static constexpr int mrCancel = 2;

    // The focused widget is a cancel button: one whose ModalResult property is mrCancel, or the
    // reject button of a dialog's button box.
    [[nodiscard]] static bool FocoEmBotaoCancela();

    // Runs grava; a TErro it raises brings the focus back to campo and shows the error (at once,
    // or once the focus change is over when adiaMensagem), and the answer is false. With
    // seleciona the text kept is selected after the message.
    static bool Grava(QWidget* campo, bool adiaMensagem, const std::function<void()>& grava, bool seleciona = false);

    // Shows the error once the pending events are done; with campo, the focus goes back to it
    // first, and with seleciona its whole text is selected once the message has closed, so that
    // what the user types next replaces it. Errors given meanwhile follow in order.
    static void MostraAdiado(const TErro& erro, QWidget* campo = nullptr, bool seleciona = false);
    // A message of a field's exit is waiting or showing.
    [[nodiscard]] static bool MensagemPendente();
    // The waiting messages are all warnings with OK alone, which let the user go on: shown now,
    // and true. False, showing nothing, when one refuses or they are already showing.
    static bool MostraAvisosPendentes();

    // Runs a page's field handler, its errors shown, only while the page is open with its
    // declaration: a field may still be left or closed up after the page let the declaration go.
    static void SePaginaAberta(bool Aberta, const std::function<void()>& Acao);
};
