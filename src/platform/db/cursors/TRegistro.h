#pragma once
#include <QVariant>
#include <vector>

// Where the columns of a record being tested by a filter still are: read into the record's
// values when a field asks for them, so that a row the filter refuses is not read whole.
class TFonteRegistro {
public:
    virtual void Le(int coluna) = 0;

protected:
    ~TFonteRegistro() = default;
};

// One record held by a dataset: the value of every field (the table's columns first, then the
// calculated and lookup fields), as stored: qint64, double, QString, QByteArray, or an
// invalid QVariant for a blank value.
struct TRegistro {
    std::vector<QVariant> Valores;
    qint64 RowId = 0;      // the row of a table without primary key
    quint64 Leitura = 0;   // which read of its cursor gave it (0: changed since, or never read)
    // Set only while a filter tests the record: the columns are read from it on demand.
    TFonteRegistro* Fonte = nullptr;
};
