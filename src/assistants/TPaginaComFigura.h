#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class QLabel;
class QWidget;

// A page of the backup and restore assistants with the backup picture on the left and, beside it,
// one word-wrapped label per text, from the top.
struct TPaginaComFigura {
    QWidget* Painel;               // parentless: DefinePagina takes it
    std::vector<QLabel*> Textos;   // children of Painel, in the order of the texts

    // The panel gets Nome as its object name.
    [[nodiscard]] static TPaginaComFigura Cria(const QString& Nome, const QStringList& Textos);
    // A page of one text, whose label (named NomeRotulo) goes to Rotulo; answers the panel.
    [[nodiscard]] static QWidget* ComTexto(const QString& Nome, const QString& NomeRotulo, const QString& Texto,
                                           QLabel*& Rotulo);
};
