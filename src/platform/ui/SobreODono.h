#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window whose frame is of size moldura opens over its owner's frame dono: centred on it,
// then moved back whole into the screen's free area tela.
[[nodiscard]] QPoint CentroSobre(const QRect& dono, const QSize& moldura, const QRect& tela);

// Readies a dialog about to open over its owner (its parent's window): always on top where the
// owner or one of the owner's own owners is, as it would otherwise open beneath them; centred
// over the owner and wholly on the owner's screen. Nothing for a dialog without an owner.
void AbreSobreODono(QWidget& dialogo);
