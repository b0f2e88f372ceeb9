#pragma once

class IdvPublished;

// Esc cancels a long record-by-record filter. The widget layer installs the probe that takes
// one waiting key press from the event queue and tells whether it was Esc; without one, no key
// is ever waiting.
using TdvEscapeProbe = bool (*)();
// Returns what was installed before, so that a scope can put it back.
TdvEscapeProbe dvInstallEscapeProbe(TdvEscapeProbe probe);

// Takes one waiting key press; when it was Esc, clears ofoEnabled of the dataset's
// OnFilterOptions and answers true. Any other key taken is lost.
bool dvProcessEscapeFilterEvent(IdvPublished* dataset);
