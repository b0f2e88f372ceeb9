#pragma once
#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

class TBanda;
class TPruvItem;
class TRotulo;

// The amounts of an item under a court decision, as the list reports print them under a line:
// the caption "Valores de Decisão Judicial" and six columns, the suspended income, deductions,
// tax and judicial deposit and the compensations of the year and of earlier years.
class TParteDecisaoJudicial final {
public:
    enum TColuna { Rendimentos, Deducoes, Imposto, Deposito, CompAno, CompAnteriores, Colunas };
    using TValores = std::array<qint64, Colunas>;
    static constexpr qreal Altura = 36;

    // On the band from Topo; the last column ends at Direita.
    TParteDecisaoJudicial(TBanda& Banda, const QString& Prefixo, qreal Topo, qreal Direita);
    TParteDecisaoJudicial(const TParteDecisaoJudicial&) = delete;
    TParteDecisaoJudicial& operator=(const TParteDecisaoJudicial&) = delete;

    // Each the year's amount (months 1 to 13) rounded to cents.
    [[nodiscard]] static TValores DoItem(const TPruvItem& Item);
    // Of one month, as stored.
    [[nodiscard]] static TValores DoMes(const TPruvItem& Item, int Mes);
    [[nodiscard]] static bool Zerados(const TValores& Valores);

    void Preenche(const TValores& Valores);
    void Mostra(bool Mostra);
    // Fills and shows the part when any amount is not zero, else hides it; true when shown.
    bool MostraSeHouver(const TValores& Valores);

private:
    std::vector<TRotulo*> FRotulos;
    std::array<TRotulo*, Colunas> FValores{};
};

// Adds B into A, column by column, each sum rounded to cents.
void Acumula(TParteDecisaoJudicial::TValores& A, const TParteDecisaoJudicial::TValores& B);
