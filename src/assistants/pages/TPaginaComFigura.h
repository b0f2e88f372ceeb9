#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class QLabel;
class QVBoxLayout;
class QWidget;
enum class TImagem;

// A page of an assistant with a picture on the left (the backup's unless told) and, beside it,
// one word-wrapped label per text, from the top.
struct TPaginaComFigura {
    QWidget* Painel;               // parentless: DefinePagina takes it
    std::vector<QLabel*> Textos;   // children of Painel, in the order of the texts
    QVBoxLayout* Coluna;           // the texts' column

    // The panel gets Nome as its object name.
    [[nodiscard]] static TPaginaComFigura Cria(const QString& Nome, const QStringList& Textos);
    [[nodiscard]] static TPaginaComFigura Cria(const QString& Nome, const QStringList& Textos, TImagem Figura);
    // Puts the control below the texts (and what was put before it).
    void Acrescenta(QWidget* Controle) const;
    // A page of one text, whose label (named NomeRotulo) goes to Rotulo; answers the panel.
    [[nodiscard]] static QWidget* ComTexto(const QString& Nome, const QString& NomeRotulo, const QString& Texto,
                                           QLabel*& Rotulo);
};
