#pragma once
#include <QByteArrayView>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "model/items/TBeneficiarioLido.h"
#include "platform/db/sqlite/TDatabase.h"

class TComando;

// The beneficiary row (kind, number, name) of the items a walk reads, found by the item's kind
// and number within one declaration as a LEFT JOIN would find it: the items of one beneficiary
// come in a row, and a join would look the same row up again for each of them. Any write of the
// connection makes it look again.
class TBuscaBeneficiario final : public TDatabase::ILeitor {
public:
    // Tabela: the beneficiaries' table as the database names it; Declaracao: its key.
    TBuscaBeneficiario(std::shared_ptr<TDatabase> Banco, const QString& Tabela, const QString& Declaracao);
    ~TBuscaBeneficiario() override;
    TBuscaBeneficiario(const TBuscaBeneficiario&) = delete;
    TBuscaBeneficiario& operator=(const TBuscaBeneficiario&) = delete;

    // The row of the item's kind and number (its UTF-8, null data for NULL); every column's data
    // null when there is none. Valid until the next call.
    const TBeneficiarioLido::TColunas& Colunas(QByteArrayView Tipo, QByteArrayView Numero);

    void SoltaLeituras() override;

private:
    std::shared_ptr<TDatabase> FBanco;
    std::shared_ptr<TComando> FBusca;    // handed back to the database for the next walk's
    bool FValida = false;                // FTipo and FNumero were looked up since the last write
    std::array<std::string, 2> FChave;   // the item's kind and number looked up last
    std::array<bool, 2> FChaveNula{};
    std::array<std::string, TBeneficiarioLido::Colunas> FValores;
    TBeneficiarioLido::TColunas FColunas{};
};
