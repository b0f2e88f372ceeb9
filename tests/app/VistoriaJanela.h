#pragma once
#include <QString>
#include <QStringList>

class QAbstractButton;
class QAbstractItemView;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QRect;
class QTabBar;
class TdvDBCustomComboBox;
class QWidget;

// Looks at a shown window as a user reads it, and lists every fault found, each as
// "window: widget: fault":
// - a label, button, group title, tab, combo item or grid column title shows less than its text
//   (too narrow, too low, or cut by a container);
// - two visible sibling controls overlap;
// - a text shown is one of Qt's or the platform's English words (month names included), in a
//   list of Qt's own as well;
// - an enabled input cannot be reached by Tab;
// - a command button has neither a letter nor a key of its own (Return and Esc reach the default
//   and the cancel button);
// - a radio group does not move with the arrow keys;
// - a letter of a menu does not reach an enabled item that bears it.
// Besides the window itself: whether a window opened from it stays above it, and whether a field
// holds the focus with its whole text selected.
class VistoriaJanela {
public:
    VistoriaJanela(QWidget& janela, QString nome);

    // What the window shows at its present size.
    [[nodiscard]] QStringList Falhas();
    // The window answers the keys its buttons show (a keypad): those need no letter.
    void TeclasProprias() { FTeclasProprias = true; }

    // Tab, the letters and the arrows, as the keyboard reaches the controls shown; the window
    // must be active.
    [[nodiscard]] QStringList FalhasDeTeclado();
    // The window opened from this one, as the window manager stacks it: above this one whenever
    // both show.
    [[nodiscard]] QStringList FalhasDeAbertura(const QWidget& aberta);
    // The field holds the focus with its whole text selected, so that typing replaces it.
    [[nodiscard]] QStringList FalhasDeSelecao(const QWidget& campo);
    // Each option (radio or check button) shown in that part of the window has a letter of its
    // own: none that another option there or a button of the window has.
    [[nodiscard]] QStringList FalhasDeOpcoes(const QWidget& parte);

private:
    void Percorre(QWidget& controle);
    void Textos(QWidget& controle);
    void Rotulo(QLabel& rotulo);
    void Botao(QAbstractButton& botao);
    void Grupo(QGroupBox& grupo);
    void Abas(QTabBar& abas);
    void Combo(QComboBox& combo);
    void ComboDaBiblioteca(TdvDBCustomComboBox& combo);
    void Grade(QWidget& grade);
    void Itens(QAbstractItemView& vista);
    void Sobreposicoes(QWidget& pai);
    void Ingles(const QWidget& controle, const QString& texto);
    // The area of the control that must be seen (its own coordinates) is cut by an ancestor.
    void Cortado(const QWidget& controle, const QRect& necessaria);
    void Tabulacao();
    void Comandos();
    void Setas();
    void Menus();
    void Letras(QMenu& menu);
    void Falha(const QWidget& controle, const QString& problema);
    [[nodiscard]] QString Nome(const QWidget& controle) const;

    QWidget& FJanela;
    QString FNome;
    QStringList FFalhas;
    bool FTeclasProprias = false;
};
