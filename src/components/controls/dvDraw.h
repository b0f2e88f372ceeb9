#pragma once
#include "platform/widgets/painting/TRect.h"

class QPainter;
class QPalette;

// The small drawing routines that the library's controls share.

// An ellipsis button face: a raised edge (none when flat, sunken when pressed) and three square
// dots centred, greyed when disabled.
void dvDrawEllipsis(QPainter& p, const TRect& r, const QPalette& pal, bool enabled, bool flat, bool pressed);
// The combo drop-down arrow button: inactive when disabled; flat and pushed in the flat style.
void dvDrawDropDownArrow(QPainter& p, const TRect& r, const QPalette& pal, bool flat, bool pressed, bool enabled);
// An outline in the highlight colour with the focus rectangle inside.
void dvDrawFocusFrame(QPainter& p, const TRect& r, const QPalette& pal);
