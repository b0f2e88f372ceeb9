#pragma once
#include <span>

#include "shell/common/TDmGeral.h"

// One entry of the main window's menu bar, in menu order: a menu, a submenu, a command or a
// separator.
struct TItemMenu {
    enum class TTipo { Menu, Comando, Separador };

    TTipo Tipo;
    const char* Nome;   // the component name ("MiNova", "N4"); empty for an unnamed separator
    const char* Pai;    // the menu it belongs to; empty for a menu of the bar
    const char* Legenda;
    const char* Atalho;   // in QKeySequence's portable text; empty for none
    TImagem Imagem;
    const char* Porteiro;   // the window name the command passes to the gatekeeper; empty for none
    bool Guardado;          // the command waits for no other: it does nothing while another runs
    bool Marcavel;          // a check item
};

// One place of the toolbar: a button that runs a command of the menu, or a divider.
struct TBotaoBarra {
    const char* Nome;      // "TbNova"; empty for a divider
    const char* Comando;   // the menu item whose handler it runs
    const char* Dica;
};

namespace TComandosPrincipal {

[[nodiscard]] std::span<const TItemMenu> Menus();
[[nodiscard]] std::span<const TBotaoBarra> Barra();
// The entry of that name; nullptr when there is none.
[[nodiscard]] const TItemMenu* Item(const char* nome);

}   // namespace TComandosPrincipal
