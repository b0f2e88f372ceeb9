#pragma once
#include <QString>

#include "screens/grids/TPruvCustomGrid.h"

class TMonetario;
class TPruvItem;

// The grid of the thirteen monthly values of one item: a row per month, the totals row and the
// 13th salary, a column per kind of value. Shown rows and columns differ from the model's: the
// totals row is shown before the 13th salary (internally month 13 is the 13th salary and 14 the
// totals), and without the deductions column the later columns move one to the left. Every
// translation between the two goes through LinhaInterna and ColunaInterna.
//
// Values are written through the model's raising setters, so the model's checks apply; in a
// declaration of 2002, a code that ADE 9/2002 ended takes nothing after January.
class TPruvGridMeses : public TPruvCustomGrid {
    Q_OBJECT
public:
    static constexpr int LarguraProjeto = 590;   // the size the grid is made at
    static constexpr int AlturaProjeto = 269;
    static constexpr int LinhaTotais = 13;         // the shown row of the totals
    static constexpr int MesDecimoTerceiro = 13;   // internal rows: months 1 to 13, then
    static constexpr int InternaTotais = 14;       // the totals

    explicit TPruvGridMeses(QWidget* parent = nullptr);

    // Shown row to the model's: 0 the titles, 1 to 12 the months, 13 the totals (14), 14 the 13th
    // salary (13).
    [[nodiscard]] static int LinhaInterna(int ARow);
    // Shown column to the model's: without the deductions column, 2 and beyond are one higher.
    [[nodiscard]] static int ColunaInterna(int ACol, bool Deducao);

    [[nodiscard]] bool Deducao() const { return FDeducao; }
    void SetDeducao(bool valor);
    [[nodiscard]] bool DecimoTerceiro() const { return FDecimoTerceiro; }
    void SetDecimoTerceiro(bool valor);
    [[nodiscard]] TPruvItem* PruvItem() const { return FPruvItem; }
    // The one point where the grid's item (not owned; null shows zeros) changes: an editor open
    // on the item shown goes back to it first, written with Guarda or dropped, never to the next
    // (TPruvCustomGrid::LargaItem); false, the item kept, when the model refused its text. The
    // same item handed again is only shown anew.
    bool SetPruvItem(TPruvItem* item, bool Guarda = true);

    // Internal column and month: the value's text, formatted or raw; "0,00" without a value.
    virtual void GetValor(int ACol, int Mes, QString& Texto, bool Formatado);
    virtual void SetValor(int ACol, int Mes, const QString& Texto);
    // The annual total of the internal column; empty without one.
    virtual void GetTotal(int ACol, QString& Texto);
    virtual void TituloColuna(int ACol, QString& Texto);
    virtual void TituloLinha(int Linha, QString& Texto);

    [[nodiscard]] QString GetTexto(int ACol, int ARow) override;
    void SetTexto(int ACol, int ARow, const QString& Value) override;
    [[nodiscard]] bool CelulaEditavel(int ACol, int ARow) override;
    [[nodiscard]] TGridRect AreaEditavel() override;
    void Atualiza() override;

protected:
    // The model's value of an internal column and month, and of a column's total; null where
    // the grid has none (the base has none).
    [[nodiscard]] virtual TMonetario* ValorDoMes(int ACol, int Mes);
    [[nodiscard]] virtual TMonetario* TotalDaColuna(int ACol);
    // The rule of ADE 9/2002 for this item: the message (170 or 171) refusing an amount of Mes,
    // else 0.
    [[nodiscard]] int MensagemExtinto(int Mes) const;
    // Warns when the month's tax with compensations reaches its income; never keeps the user.
    bool AvisaImpostoMaiorQueRendimento(int ARow);
    // The editable rows end here: the 13th salary, or December without it.
    [[nodiscard]] int UltimaLinhaDeMes() const;

    [[nodiscard]] QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect) override;
    // Amounts are dropped only on an item already stored.
    [[nodiscard]] bool AceitaArraste(const QMimeData* dados) const;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool FDeducao = true;
    bool FDecimoTerceiro = true;
    TPruvItem* FPruvItem = nullptr;   // not owned
};

// Taxable income, deductions and tax withheld.
class TPruvGridRendimentos final : public TPruvGridMeses {
    Q_OBJECT
public:
    using TPruvGridMeses::TPruvGridMeses;
    void TituloColuna(int ACol, QString& Texto) override;
    [[nodiscard]] bool ValidaLinha(int ARow) override;

protected:
    [[nodiscard]] TMonetario* ValorDoMes(int ACol, int Mes) override;
    [[nodiscard]] TMonetario* TotalDaColuna(int ACol) override;
};

// Tax compensated by judicial decision: the month's tax withheld, the compensations of the year
// and of earlier years (the only editable columns) and the month's whole tax.
class TPruvGridCompensacao final : public TPruvGridMeses {
    Q_OBJECT
public:
    explicit TPruvGridCompensacao(QWidget* parent = nullptr);
    void TituloColuna(int ACol, QString& Texto) override;
    void SetValor(int ACol, int Mes, const QString& Texto) override;
    [[nodiscard]] bool CelulaEditavel(int ACol, int ARow) override;
    [[nodiscard]] TGridRect AreaEditavel() override;
    [[nodiscard]] bool ValidaLinha(int ARow) override;

protected:
    [[nodiscard]] TMonetario* ValorDoMes(int ACol, int Mes) override;
    [[nodiscard]] TMonetario* TotalDaColuna(int ACol) override;
    void DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect) override;
};

// Income, deductions, tax and judicial deposits under suspended liability; no row check.
class TPruvGridSubJudice final : public TPruvGridMeses {
    Q_OBJECT
public:
    explicit TPruvGridSubJudice(QWidget* parent = nullptr);
    void TituloColuna(int ACol, QString& Texto) override;

protected:
    [[nodiscard]] TMonetario* ValorDoMes(int ACol, int Mes) override;
    [[nodiscard]] TMonetario* TotalDaColuna(int ACol) override;
};
