#pragma once
#include <QString>

class QWidget;

// Qt's file dialog for opening or saving one file, as its static functions show it, but opening
// with its list's columns whole: their titles ("Data de modificação" is wider than the column Qt
// gives it) and the values of all but the names ("Documento de Texto"). caminho is a folder, or a
// file to select in its folder.
class TDialogoArquivo final {
public:
    // The file chosen; empty when cancelled. escolhido, when given, receives the filter chosen.
    [[nodiscard]] static QString Abre(QWidget* dono, const QString& caminho, const QString& filtros);
    [[nodiscard]] static QString Salva(QWidget* dono, const QString& caminho, const QString& filtros,
                                       QString* escolhido = nullptr);
};
