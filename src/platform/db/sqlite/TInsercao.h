#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TFieldDef.h"

class TDatabase;

// A prepared INSERT of one row of a table, every column in the order of its field definitions,
// for loads that bind each row straight from their values: no dataset, no read-back of the row.
// Values are kept as a post keeps them: text cut to the field's size.
class TInsercao final {
public:
    // Raises EDatabaseError when the table is missing or the statement cannot be prepared.
    // Conflito, when given, follows the VALUES list as it stands (an "ON CONFLICT ..." clause).
    TInsercao(std::shared_ptr<TDatabase> Banco, const QString& NomeTabela, std::vector<TFieldDef> Campos,
              const QString& Conflito = QString());
    ~TInsercao();   // hands the statement back to the database for the next one
    TInsercao(const TInsercao&) = delete;
    TInsercao& operator=(const TInsercao&) = delete;

    // Column by its position in the field definitions, from 0. A value equal to the one the
    // column holds already is not bound again: in a bulk load most columns repeat row after row.
    void Texto(int Coluna, const QString& Valor);
    void Inteiro(int Coluna, qint64 Valor)
    {
        // Inline: a load writes dozens of money columns per row, most of them the same as before.
        const auto c = static_cast<std::size_t>(Coluna);
        if (FLigado[c] != Ligado::Inteiro || FInteiros[c] != Valor)
            LigaInteiro(c, Valor);
    }
    // Writes the row as TDatabase::Escreve does (fault hook, readers released); the values stay
    // bound. Raises EDBEngineError.
    void Grava();
    [[nodiscard]] TDatabase& Banco() const { return *FBanco; }

private:
    void LigaInteiro(std::size_t Coluna, qint64 Valor);

    std::shared_ptr<TDatabase> FBanco;
    std::vector<TFieldDef> FCampos;
    std::shared_ptr<TComando> FComando;
    // What each column holds bound, as text or as an integer (its kind in FLigado).
    enum class Ligado : unsigned char { Nada, Texto, Inteiro };
    std::vector<Ligado> FLigado;
    std::vector<QString> FTextos;
    std::vector<qint64> FInteiros;
};
