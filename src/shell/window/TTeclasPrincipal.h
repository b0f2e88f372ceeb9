#pragma once
#include <Qt>

#include "shell/window/IFrDeclaracao.h"

// What Alt with a key does on a page of the declaration frame: activate the summary page, press
// a button of the page (when it is enabled) or show a tab of the page (when it is shown).
struct TAcaoTecla {
    enum class TTipo { Nenhuma, Resumo, Botao, Ficha };
    TTipo Tipo = TTipo::Nenhuma;
    const char* Nome = "";   // the button or the tab sheet, by component name
};

namespace TTeclasPrincipal {

// Tecla is a Qt::Key; Teclado tells the numeric pad's plus and minus from the others;
// FocoNoFundo: the focus is inside the fund panel of the annex page; Shift: held with Alt (with
// Insert or plus it adds a fund from anywhere on the annex page).
[[nodiscard]] TAcaoTecla Acao(TPaginaDeclaracao Pagina, int Tecla, bool Teclado, bool FocoNoFundo, bool Shift = false);
// Whether the key still reaches the focused control: Alt+F4 always does; on the declarant and
// summary pages every key does; elsewhere a handled key is swallowed.
[[nodiscard]] bool Repassa(TPaginaDeclaracao Pagina, int Tecla, bool Tratada);

}   // namespace TTeclasPrincipal
