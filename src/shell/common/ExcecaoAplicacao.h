#pragma once
#include <exception>
#include <functional>

// The last stop of an exception raised inside an event handler (a button, a menu command):
// Qt's event loop must never see one. The main window installs the handler that tells the
// program's errors apart; until then the text is shown in an error dialog.
namespace ExcecaoAplicacao {

using Tratador = std::function<void(std::exception_ptr)>;

// Returns the handler installed before; an empty handler goes back to the default.
Tratador Instala(Tratador tratador);

// Hands the exception to the handler; a handler that fails is recorded in the log.
void Trata(std::exception_ptr excecao) noexcept;

// Runs acao and hands any exception it raises to Trata.
void Protege(const std::function<void()>& acao) noexcept;

}   // namespace ExcecaoAplicacao
