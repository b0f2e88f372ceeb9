#pragma once
#include <QString>

#include "shell/window/TInstanciaUnica.h"

// The program from its start to its end, inside an application object that already exists:
// the single-instance check (its lock in PastaInstancia), the lock of the program folder (a copy
// that finds it held by another says so and ends), the splash, the main window and the
// initial screen, the event loop. Returns the program's exit code.
int ExecutaPrograma(const QString& PastaInstancia = TInstanciaUnica::PastaPadrao());
