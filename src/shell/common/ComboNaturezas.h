#pragma once

class IComboItens;
class TNaturezas;

// Fills the combo with the descriptions of the available natures, blank ones left out. With
// items it is enabled on the window colour; without, it gets index -1 and is disabled on the
// button colour.
void PreencheCombo(IComboItens& Combo, const TNaturezas& Naturezas);
