#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "platform/ui/IDialogos.h"

// Test double of the dialogs: installs itself for its lifetime (putting back what was installed
// before), answers from a queue of scripted answers and records every message shown.
//
// A message whose only button is OK (Help aside) is answered Ok without a script; it takes a
// queued Ok when one is at the head. Any other dialog takes the next queued answer, which must be
// one of its buttons. A question without a scripted answer, or with an answer it does not offer,
// raises std::logic_error carrying the text, so the test fails instead of guessing.
class DialogosRoteirizados final : public IDialogos {
public:
    DialogosRoteirizados();
    ~DialogosRoteirizados() override;
    DialogosRoteirizados(const DialogosRoteirizados&) = delete;
    DialogosRoteirizados& operator=(const DialogosRoteirizados&) = delete;

    void Responde(Resposta resposta);   // queued after the answers already scripted

    Resposta Mostra(const TMensagemDialogo& mensagem) override;

    [[nodiscard]] const std::vector<TMensagemDialogo>& Mensagens() const { return FMensagens; }
    [[nodiscard]] QStringList Textos() const;
    [[nodiscard]] std::vector<int> Codigos() const;   // the callers' references, in order
    [[nodiscard]] std::size_t RespostasPendentes() const { return FRespostas.size(); }
    void Limpa();   // forgets the messages and the answers still queued
    // Called with each message as it is shown, to look at the screen behind it.
    void AoMostrar(std::function<void(const TMensagemDialogo&)> acao) { FAoMostrar = std::move(acao); }

private:
    IDialogos* FAnterior;
    std::deque<Resposta> FRespostas;
    std::vector<TMensagemDialogo> FMensagens;
    std::function<void(const TMensagemDialogo&)> FAoMostrar;
};
