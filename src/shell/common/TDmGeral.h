#pragma once
#include <QIcon>
#include <QPixmap>
#include <QSize>

// The pictures of the commands that the menus and toolbars share.
enum class TImagem {
    Nenhuma,
    Nova,
    Abrir,
    Fechar,
    Importar,
    Imprimir,
    Pendencias,
    Gerar,
    Transmitir,
    Pesquisar,
    Calculadora,
    GerarCopia,
    Ajuda,
};

// The images of the commands, drawn by the program itself, each 24 x 20: in colour, and in grey
// for a disabled command; and the picture that the main window shows while no declaration is open.
class TDmGeral final {
public:
    TDmGeral() = delete;

    static constexpr QSize Tamanho{24, 20};
    static constexpr QSize TamanhoLogotipo{414, 124};

    // A null pixmap for TImagem::Nenhuma.
    [[nodiscard]] static QPixmap IlCor(TImagem imagem);
    [[nodiscard]] static QPixmap IlDesabilitadas(TImagem imagem);
    // Both, for a menu item or a tool button; a null icon for TImagem::Nenhuma.
    [[nodiscard]] static QIcon Icone(TImagem imagem);
    // Any other picture drawn by the program, with its grey version for the disabled state.
    [[nodiscard]] static QIcon Icone(const QPixmap& cor);

    // The program's name and the declaration's, on a transparent ground.
    [[nodiscard]] static QPixmap Logotipo();
};
