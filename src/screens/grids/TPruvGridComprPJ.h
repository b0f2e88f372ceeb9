#pragma once
#include "screens/grids/TPruvCustomGrid.h"

class TComprovantePJ;

// The monthly lines of a legal entity's income statement, one row each: month, code, nature of
// the income (the only column the user types in), income and tax. Hidden while the statement
// has no line.
class TPruvGridComprPJ final : public TPruvCustomGrid {
    Q_OBJECT
public:
    explicit TPruvGridComprPJ(QWidget* parent = nullptr);

    [[nodiscard]] TComprovantePJ* Comprovante() const { return FComprovante; }
    void SetComprovante(TComprovantePJ* comprovante);   // not owned; null shows no line

    [[nodiscard]] QString GetTexto(int ACol, int ARow) override;
    void SetTexto(int ACol, int ARow, const QString& Value) override;
    [[nodiscard]] bool CelulaEditavel(int ACol, int ARow) override;
    void Atualiza() override;

protected:
    [[nodiscard]] QString GetEditText(int ACol, int ARow) override;
    void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect) override;
    // Only the nature is typed in: while a column is cut, Right and Left (outside the editor)
    // bring the last and the first columns into sight, the current cell staying in view; with
    // every column shown they move to the next and the previous line, as in any grid.
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;

private:
    [[nodiscard]] int Linhas() const;
    // The columns are wider together than the visible width.
    [[nodiscard]] bool AlgumaColunaCortada() const;

    TComprovantePJ* FComprovante = nullptr;   // not owned
};
