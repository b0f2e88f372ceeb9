#pragma once
#include <QByteArrayView>
#include <QString>
#include <array>
#include <string>

class TBeneficiarioPruv;

// The beneficiary a walk over items loaded last, with the row's columns it was loaded from: the
// items of one beneficiary come in a row, and loading the same number and name again on each of
// them would only check, notify and report the same again.
class TBeneficiarioLido final {
public:
    // The beneficiary row's kind, number and name (the walk joins it by the item's kind and number).
    static constexpr int Colunas = 3;
    using TColunas = std::array<QByteArrayView, Colunas>;   // a view's null data: a NULL column

    // Whether loading Beneficiario from these columns would give it what it holds: it is the
    // object loaded last, nothing was set in it since (its changed flag is clear and its number
    // and name are the ones it was given), and the columns are the same, byte for byte.
    [[nodiscard]] bool Mantem(const TBeneficiarioPruv& Beneficiario, const TColunas& Linha) const;
    // Beneficiario has just been loaded from these columns.
    void Registra(const TBeneficiarioPruv& Beneficiario, const TColunas& Linha);
    void Esquece() { FObjeto = nullptr; }

private:
    const TBeneficiarioPruv* FObjeto = nullptr;   // not owned
    std::array<std::string, Colunas> FColunas;
    std::array<bool, Colunas> FNulas{};
    QString FNi;
    QString FNome;
};
