#pragma once
#include <QString>
#include <cstdint>

#include "platform/ui/IAtividade.h"
#include "platform/ui/IDialogos.h"

// The implementations the core talks to. The program installs the Qt ones at start-up; tests
// install doubles (DialogosRoteirizados installs itself). Installed objects are not owned and
// must outlive their installation; installing nullptr goes back to the default.
namespace InterfaceUsuario {

// Default: none, every message raises std::logic_error, so a message shown where nobody can
// see it does not pass unnoticed.
IDialogos& Dialogos();
// Default: does nothing (no cursor, nothing to pump).
IAtividade& Atividade();

// Return what was installed before, so that a scope can put it back.
IDialogos* Instala(IDialogos* dialogos);
IAtividade* Instala(IAtividade* atividade);

// Shorthand for Dialogos().Mostra.
Resposta Mostra(const QString& texto, TipoDialogo tipo, std::uint16_t botoes, int helpCtx = 0, int referencia = -1);

}   // namespace InterfaceUsuario
