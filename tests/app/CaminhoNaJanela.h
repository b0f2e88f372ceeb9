#pragma once
#include <QString>

class QWidget;

// How a survey names a control in its findings: its own name and those of up to two named
// ancestors below the window ("Pagina/Grade/Celula"); a control without a name of its own is
// named by its class.
[[nodiscard]] QString CaminhoNaJanela(const QWidget& controle, const QWidget& janela);
