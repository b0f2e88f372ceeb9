#pragma once

// The short warning sound of the component library (a refused keystroke or mask). The core has
// no speaker: the widget layer installs the real beep at start-up, tests install a counter.
using TdvBeepFunc = void (*)();

void dvBeep();
// Returns what was installed before, so that a scope can put it back; nullptr means silence.
TdvBeepFunc dvInstallBeep(TdvBeepFunc beep);
