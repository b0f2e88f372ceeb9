#pragma once
#include <QString>
#include <QVariant>
#include <map>
#include <utility>
#include <vector>

#include "components/data/qbe/TdvQbeQuery.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

class TDatabase;

// The SQL SELECT of a query-by-example: every table of the text once in FROM (tables that no
// example element joins are combined row by row with the others), the checked fields in the
// answer (tables in order, fields left to right), the conditions of each alternative row joined
// by AND and the alternatives by OR, example elements written in several fields as equalities,
// and the checked fields as the order of the answer. Values are bound, never pasted.
struct TdvQbeSql {
    QString Sql;
    std::vector<std::pair<QString, QVariant>> Params;   // by name, without ":"
};

class TdvQbeSqlBuilder final {
public:
    // blankAsZero: a blank numeric field counts as zero in the conditions.
    TdvQbeSqlBuilder(TDatabase& database, bool blankAsZero);

    // Raises EDBEngineError (SQLite's general error code) for a table or field the database
    // lacks, a value that does not suit its field, rows that check different fields, or an
    // example element that nothing defines.
    // Raises it also for a text that changes data.
    TdvQbeSql Build(const TdvQbeQuery& query);
    // The statements of a text that changes data, one per row of the table it changes, to run
    // in order: INSERT ... SELECT for "Insert" rows (their example elements taken from the
    // other tables), DELETE for "Delete" rows, UPDATE for rows with "changeto"; the other
    // tables' rows select, as in a query. Raises as Build does, and for checked fields, more
    // than one table changed, or an inserted row that asks instead of giving values.
    std::vector<TdvQbeSql> BuildChanges(const TdvQbeQuery& query);

private:
    struct TColuna {
        int Bloco = 0;
        int Campo = 0;
    };

    // Reads the tables and fields (FEsquemas, FColunas, FDe) and counts the alternatives.
    void Prepara(const TdvQbeQuery& query);
    [[nodiscard]] const std::vector<TdvQbeCell>& Linha(int bloco, std::size_t alternativa) const;
    // The field that gives each example element in that alternative, in every table but exceto.
    [[nodiscard]] std::map<QString, TColuna> Elementos(std::size_t alternativa, int exceto) const;
    // The conditions of that alternative in every table but exceto, joined by AND; empty: none.
    QString Onde(std::size_t alternativa, const std::map<QString, TColuna>& elementos, int exceto);
    // A value to store: a bound constant, or the field that gives the example element; a text cut
    // to the width of the field it goes to.
    QString Expressao(int bloco, int campo, const TdvQbeCondition& valor, const std::map<QString, TColuna>& elementos);
    [[nodiscard]] QString Referencia(int bloco, int campo) const;   // t1."FIELD"
    [[nodiscard]] QString Comparavel(int bloco, int campo) const;   // with blanks as zero where they count
    [[nodiscard]] const TFieldDef& Def(int bloco, int campo) const;
    QString Parametro(const QVariant& valor);
    [[nodiscard]] QVariant Valor(int bloco, int campo, const TdvQbeCondition& condicao) const;
    QString Condicao(int bloco, int campo, const TdvQbeCondition& condicao,
                     const std::map<QString, TColuna>& elementos);
    [[noreturn]] void Falha(int bloco, const QString& texto) const;

    TDatabase& FBanco;
    bool FBrancoZero;
    const TdvQbeQuery* FConsulta = nullptr;
    std::vector<TEsquemaTabela> FEsquemas;    // per block
    std::vector<std::vector<int>> FColunas;   // per block and field: column of the schema
    QStringList FDe;                          // per block: "Table" AS tN
    std::size_t FAlternativas = 1;            // rows of the tables that have more than one
    TdvQbeSql FResultado;
};
