#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"

// One query kept open from call to call and stepped a row at a time, in an order whose columns
// make every row unique. A write to the database releases it (TDatabase::ILeitor); the next step
// then seeks again after the last row read, so the walk neither repeats nor skips a row.
class TLeituraItens final : public TDatabase::ILeitor {
public:
    // Selecao: "SELECT ... FROM ... WHERE <conditions>", whose parameters from ?1 are Parametros
    // (they must be the only ones); Ordem: the order's columns, returned by the select at the
    // positions PosicoesOrdem. Raises EDatabaseError when the query cannot be prepared.
    TLeituraItens(std::shared_ptr<TDatabase> Banco, const QString& Selecao, QVariantList Parametros,
                  const QStringList& Ordem, std::vector<int> PosicoesOrdem);
    ~TLeituraItens() override;
    TLeituraItens(const TLeituraItens&) = delete;
    TLeituraItens& operator=(const TLeituraItens&) = delete;

    // The same query from its first row again, with other values of its parameters: nothing is
    // prepared again.
    void Recomeca(QVariantList Parametros);
    // Steps to the next row; false at the end.
    bool Proxima();
    // The current row's columns, until the next step or the next write to the database.
    [[nodiscard]] const TComando& Linha() const;

    void SoltaLeituras() override;

private:
    void LigaParametros();

    std::shared_ptr<TDatabase> FBanco;
    QVariantList FParametros;
    std::vector<int> FPosicoesOrdem;
    // Handed back to the database at the end, for the next walk of the same query (another
    // owner's): a walk set up again prepares nothing.
    std::shared_ptr<TComando> FPrimeira;   // from the first row
    std::shared_ptr<TComando> FSeguinte;   // after the row whose order values are FUltima
    TComando* FAtual = nullptr;            // running, or null once released or ended
    std::vector<QVariant> FUltima;
    bool FIniciada = false;
    bool FFim = false;
};
