#pragma once

class QWidget;
struct TRotinasPrincipal;

// Gives the main window (Dono) its declaration frame and the dialogs that create, open and
// delete stored declarations.
void DefineRotinasDeclaracao(TRotinasPrincipal& Rotinas, QWidget* Dono);
