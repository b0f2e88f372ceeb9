#pragma once
#include "shell/window/TPruv2003.h"

// Every window the program's commands open, handed to its main window: the one wiring that the
// program runs and that the tests of the whole program run too.
[[nodiscard]] TRotinasPrincipal JanelasDosComandos(TPruv2003& janela);
