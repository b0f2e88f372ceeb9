#pragma once
#include <QColor>

class QPainter;

// The status pictures that the verification's rows and the transmission results share, drawn in
// a 16 x 16 square at the painter's origin (antialiasing is the caller's choice).

// A red disc with a white cross.
void DesenhaIconeErro(QPainter& p);
// A triangle of that colour with an exclamation mark.
void DesenhaIconeAviso(QPainter& p, const QColor& cor);
// A green tick.
void DesenhaIconeOk(QPainter& p);
