#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

#include "platform/db/sqlite/TFieldDef.h"

class TComando;
class TInsercao;
class TMonetario;
class TPruvItem;
class TdvTable;

// How the item tables keep an item's monthly series: the months lie in thirteen money columns in
// a row, and the rules that decide which months and kinds an item may hold are applied on every
// read and every write.

// One monthly series of an item stored in thirteen columns: month m at PrimeiraColuna + m - 1.
struct TSerieArmazenada {
    TMonetario& (*Mes)(TPruvItem& Item, int Mes);
    int PrimeiraColuna;
};
// The thirteen column names Prefixo + "01" to Prefixo + "13".
void AcrescentaColunasSerie(std::vector<TFieldDef>& Campos, const QString& Prefixo);
// The money value of a column of the row being read, by the column's position in its table.
using TColunaMonetaria = std::function<qint64(int Coluna)>;
// Reads the series into the item; not admitted, every month becomes 0 in the item; month 13
// becomes 0 unless Mantem13.
void LeSerie(const TColunaMonetaria& Coluna, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida,
             bool Mantem13);
// The same from a row of a query that gives the table's columns from Inicio on (column c at
// Inicio + c), as the walks read; NULL reads as 0.
void LeSerie(const TComando& Linha, int Inicio, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida,
             bool Mantem13);
// The same from the table's current row.
[[nodiscard]] TColunaMonetaria ColunasDe(const TdvTable& Tabela);
// Writes a money value, never negative, into a column of the row being written, by the column's
// position in its table.
using TGravaColuna = std::function<void(int Coluna, qint64 Valor)>;
// Writes the series; what is not admitted (or month 13 unless Mantem13) becomes 0 in the item and
// is written as 0; a negative amount is written as 0.
void GravaSerie(const TGravaColuna& Coluna, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida,
                bool Mantem13);
// The same straight into a prepared insert's columns, as bulk loads write.
void GravaSerie(TInsercao& Linha, const TSerieArmazenada& Serie, TPruvItem& Item, bool Admitida, bool Mantem13);
// The same into the table's current row.
[[nodiscard]] TGravaColuna ColunasPara(TdvTable& Tabela);
