#pragma once
#include <QString>
#include <QtGlobal>
#include <array>

#include "exchange/layout/TLinhaFixa.h"

class TOrdemRegistros;
class TSaidaDeclar;
class TTotalCodigo;
struct TItemEntrega;

// The value lines of one item (730 characters each): type 2 for the declaration's own items,
// type 5 for an annex's. Identifier 0 always, with income, deduction and tax; 1 with the
// compensations, 2 with the sub judice values and 3 with the judicial deposits, each only when
// some month of its values is above zero. Thirteen periods (months 1 to 12, then the 13th
// salary) of three columns of 15 digits of cents.
class TRegistroTipo2 final {
public:
    static constexpr int Identificadores = 4;
    using TColunas = std::array<std::array<qint64, 3>, 13>;   // [period][column], in cents

    TRegistroTipo2() = delete;

    [[nodiscard]] static bool Presente(const TItemEntrega& Item, int Identificador);
    // The amounts in cents, rounded half away from zero.
    [[nodiscard]] static TColunas Colunas(const TItemEntrega& Item, int Identificador);
    // NiDeclarante: positions 10-23 (see LayoutDeclar::NiDaLinha).
    [[nodiscard]] static TLinhaFixa Monta(char Tipo, int Sequencia, const QString& NiDeclarante,
                                          const TItemEntrega& Item, int Identificador);

    // Writes the item's lines in identifier order, each checked by the order rule and, when
    // accepted, added to the CRC and to the code's totals. A line out of order records
    // ForaDeOrdem in Saida, stops the item and answers false; for the first line of a type 5
    // item the fault carries the two keys, for the user to read with it.
    static bool Grava(char Tipo, TSaidaDeclar& Saida, TOrdemRegistros& Ordem, const QString& NiDeclarante,
                      const TItemEntrega& Item, TTotalCodigo& Total);
};
