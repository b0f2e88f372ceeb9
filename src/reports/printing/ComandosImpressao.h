#pragma once
#include "shell/printing/TRotinasImpressao.h"

// The print assistant and the report routines that the main window's print command runs.
[[nodiscard]] TRotinasImpressao RotinasImpressao();
