#pragma once
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

#include "platform/db/cursors/TCursor.h"
#include "platform/db/cursors/TFiltroSql.h"

class TComando;
class TDatabase;
struct TEsquemaTabela;

// The answer of an SQL SELECT, read whole when opened; read-only. A record is known by its place
// in the whole answer (RowId, 0 first), which is its bookmark, filtered or not.
// Filter expressions over the answer's columns are kept: the text runs again with them as its
// condition, so that the rows are those of the answer that pass, in the answer's order, each
// with its place in the whole answer.
class TCursorConsulta final : public TCursor {
public:
    // Parameters are bound by name (":NOME" in the text). Raises EDBEngineError from SQLite. The
    // database outlives the cursor (the dataset holds both).
    TCursorConsulta(TDatabase& banco, const QString& sql, const std::vector<std::pair<QString, QVariant>>& parametros);

    [[nodiscard]] std::vector<TFieldDef> Campos() const override { return FCampos; }
    bool Busca(const TRegistro* de, TGetMode modo, TRegistro& registro) override;
    bool BuscaBookmark(const TBookmark& marca, TRegistro& registro) override;
    [[nodiscard]] TBookmark Bookmark(const TRegistro& registro) const override;
    int Compara(const TBookmark& a, const TBookmark& b) override;
    int Conta() override { return static_cast<int>(FLinhas.size()); }
    int Numero(const TRegistro& registro) override { return static_cast<int>(Posicao(registro.RowId)) + 1; }
    bool BuscaNumero(int numero, TRegistro& registro) override;
    bool Localiza(const std::vector<int>&, const QVariantList&, TLocateOptions, const TAceita&, TRegistro&,
                  bool& tratado) override
    {
        tratado = false;
        return false;
    }
    [[nodiscard]] bool PodeModificar() const override { return false; }
    void Grava(TRegistro& registro, const TRegistro* original) override;
    void Apaga(const TRegistro& registro) override;
    bool AceitaExpressao(const QByteArray& expressao, QString& erro) override;
    void DefineExpressoes(const std::vector<QByteArray>& expressoes) override;

    // Binds parameters by name; those the text does not name are left out.
    static void LigaParametros(TComando& comando, const std::vector<std::pair<QString, QVariant>>& parametros);

private:
    // Of the rows held, the first whose place in the whole answer is not below `ordem`.
    [[nodiscard]] qint64 Posicao(qint64 ordem) const;
    bool Linha(qint64 posicao, TRegistro& registro) const;
    // `comOrdem`: the answer is filtered and its last column is the row's place in the whole answer.
    void LeLinhas(TComando& comando, bool comOrdem);
    [[nodiscard]] TEsquemaTabela Esquema() const;

    TDatabase* FBanco;
    QString FSql;
    std::vector<std::pair<QString, QVariant>> FParametros;
    std::vector<TFieldDef> FCampos;
    std::vector<std::vector<QVariant>> FLinhas;
    std::vector<qint64> FOrdens;   // while filtered: per row, its place in the whole answer
    bool FFiltrada = false;        // FLinhas passed expressions
    std::optional<std::pair<QByteArray, TClausulaSql>> FTraduzida;   // the last one accepted
};
