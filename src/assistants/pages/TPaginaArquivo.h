#pragma once
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// The page of the file name, shared by the assistants: a group box with the caption, the edit
// EdArquivo and the browse button BitBtn1 "...", then Extra (when given) below it.
struct TPaginaArquivo {
    QWidget* Painel;   // parentless: DefinePagina takes it
    QLineEdit* EdArquivo;
    QPushButton* BitBtn1;

    [[nodiscard]] static TPaginaArquivo Cria(const QString& Nome, QWidget* Extra = nullptr);
    // The same with the group box's own caption.
    [[nodiscard]] static TPaginaArquivo Cria(const QString& Nome, const QString& Legenda, QWidget* Extra);
    // The filter of the browse button's dialog: the backup files.
    [[nodiscard]] static QString Filtro();
};
