#pragma once
#include <QString>
#include <cstdint>
#include <functional>

#include "platform/ui/IDialogos.h"

// A question that a long run asks the user midway (overwrite a file, try again to open one): the
// text, the kind of dialog and the buttons offered (Botao), answered as the dialog seam answers.
using TPergunta = std::function<Resposta(const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes)>;

// Asks through the dialog seam: what a run asks when its caller gives no other way.
Resposta PerguntaAoUsuario(const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes);
// Asks through Pergunta, or through the dialog seam when it is empty.
Resposta PerguntaPor(const TPergunta& Pergunta, const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes);
