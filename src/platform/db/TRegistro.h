#pragma once
#include <QVariant>
#include <vector>

// One record held by a dataset: the value of every field (the table's columns first, then the
// calculated and lookup fields), as stored: qint64, double, QString, QByteArray, or an
// invalid QVariant for a blank value.
struct TRegistro {
    std::vector<QVariant> Valores;
    qint64 RowId = 0;    // the row of a table without primary key
    quint64 Leitura = 0; // which read of its cursor gave it (0: changed since, or never read)
};
