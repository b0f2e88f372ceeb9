#pragma once
#include "platform/widgets/painting/TRect.h"

class QPainter;
class QPalette;

// The platform's edge and frame-control drawing: bevelled borders in the palette's 3-D colours
// and the combo arrow button face.
class TEdgePainter final {
public:
    // Edge kinds (outer and inner border of a bevel).
    enum : unsigned {
        BDR_RAISEDOUTER = 0x1,
        BDR_SUNKENOUTER = 0x2,
        BDR_RAISEDINNER = 0x4,
        BDR_SUNKENINNER = 0x8,
        EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
        EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
        EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
        EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
    };
    // Which sides, and how.
    enum : unsigned {
        BF_LEFT = 0x1,
        BF_TOP = 0x2,
        BF_RIGHT = 0x4,
        BF_BOTTOM = 0x8,
        BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
        BF_MIDDLE = 0x800,   // fills the inside with the button face
        BF_FLAT = 0x4000,    // one shadow line outside, face colour inside
        BF_MONO = 0x8000,    // one window-frame line outside, window colour inside
    };
    // Combo arrow button states.
    enum : unsigned {
        DFCS_INACTIVE = 0x100,
        DFCS_PUSHED = 0x200,
        DFCS_FLAT = 0x4000,
    };

    // Draws the outer border on the outermost pixels of the sides asked for and the inner border
    // one pixel inside; left and top take the light-side colour of each border, right and bottom
    // the dark-side colour.
    static void DrawEdge(QPainter& p, const TRect& r, unsigned edge, unsigned flags, const QPalette& pal);

    // A combo drop-down button: the face with a raised edge (sunken when pushed, a thin shadow
    // line when flat) and a down arrow, greyed when inactive.
    static void DrawComboButton(QPainter& p, const TRect& r, unsigned state, const QPalette& pal);

    // The dotted focus rectangle just inside r.
    static void DrawFocusRect(QPainter& p, const TRect& r, const QPalette& pal);
};
