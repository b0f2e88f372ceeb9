#pragma once
#include <QString>
#include <cstdint>
#include <functional>

#include "platform/ui/IDialogos.h"

// A question that a run asks the user midway (overwrite a delivery file, replace the stored
// beneficiaries): the text and the buttons offered (Botao), answered as the dialog seam answers.
using TPergunta = std::function<Resposta(const QString& Texto, std::uint16_t Botoes)>;

// Asks through the dialog seam, as a confirmation: what a run asks when its caller gives no
// other way.
Resposta PerguntaAoUsuario(const QString& Texto, std::uint16_t Botoes);
// Asks through Pergunta, or through the dialog seam when it is empty.
Resposta PerguntaPor(const TPergunta& Pergunta, const QString& Texto, std::uint16_t Botoes);
