#pragma once

// Where a dialog of the library was last shown, kept between uses.
struct TdvFormPosition {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};
