#pragma once
#include "screens/grids/TPruvCustomGrid.h"

class TComprovantePF;

// The partial incomes of a person's income statement, one row per code: the part taxed
// exclusively at source (income and tax, computed) and the compensable part (typed). Two title
// rows whose boxes span cells: "Código" over both title rows, each part's name over its two
// columns. CaixaTitulo says which box a title cell belongs to.
class TPruvGridRendParcial final : public TPruvCustomGrid {
    Q_OBJECT
public:
    explicit TPruvGridRendParcial(QWidget* parent = nullptr);

    // The cells (columns and rows, inclusive) of the title box that holds the title cell.
    [[nodiscard]] static TGridRect CaixaTitulo(int ACol, int ARow);

    [[nodiscard]] TComprovantePF* Comprovante() const { return FComprovante; }
    void SetComprovante(TComprovantePF* comprovante);   // not owned; null shows no line

    [[nodiscard]] QString GetTexto(int ACol, int ARow) override;
    void SetTexto(int ACol, int ARow, const QString& Value) override;
    [[nodiscard]] bool CelulaEditavel(int ACol, int ARow) override;
    void Atualiza() override;

protected:
    [[nodiscard]] QString GetEditText(int ACol, int ARow) override;
    void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect) override;

private:
    [[nodiscard]] int Linhas() const;

    TComprovantePF* FComprovante = nullptr;   // not owned
};
