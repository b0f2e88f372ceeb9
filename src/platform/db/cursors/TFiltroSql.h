#pragma once
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <vector>

struct TEsquemaTabela;

// A condition on a table's rows in SQL, with its values to bind in order.
struct TClausulaSql {
    QString Sql;
    std::vector<QVariant> Valores;
};

// Turns a serialised filter expression (CanExpr.h) into a WHERE condition over the table's
// columns. Raises EDatabaseError when the expression is malformed, is no condition, or names a
// column that the table lacks: the engine refuses such a filter.
class TFiltroSql final {
public:
    TFiltroSql() = delete;
    static TClausulaSql Traduz(const QByteArray& expressao, const TEsquemaTabela& esquema);
};
