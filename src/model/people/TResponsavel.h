#pragma once
#include "model/people/TContribuinte.h"
#include "model/people/TEmail.h"
#include "model/people/TFone.h"

// The person responsible for filling in the declaration: a CPF with a name, a phone, a fax and
// an e-mail address.
class TResponsavel final : public TContribuinte {
public:
    // Field numbers by which the screens find each part of a pending item.
    static constexpr std::uint8_t ObjetoCpf = 11;
    static constexpr std::uint8_t ObjetoNome = 12;
    static constexpr std::uint8_t ObjetoDDD = 13;
    static constexpr std::uint8_t ObjetoFone = 14;
    static constexpr std::uint8_t ObjetoFax = 16;
    static constexpr std::uint8_t ObjetoEmail = 17;

    TResponsavel();

    [[nodiscard]] TFone& Fone() { return FFone; }
    [[nodiscard]] const TFone& Fone() const { return FFone; }
    [[nodiscard]] TFone& Fax() { return FFax; }
    [[nodiscard]] const TFone& Fax() const { return FFax; }
    [[nodiscard]] TEmail& Email() { return FEmail; }
    [[nodiscard]] const TEmail& Email() const { return FEmail; }

    void SetErros(TErros* Erros) override;   // for every part
    void Limpa() override;                   // CPF, name, phone, fax and e-mail

    // Adds to Erros a pending item for each part that fails, owned and named by the masked CPF:
    // the CPF and the name (required), the phone's area code and number (required), the fax
    // number and the e-mail (optional). Sets those parts' PermiteVazio accordingly.
    void VerificaPendencias(TErros& Erros);

private:
    TFone FFone;
    TFone FFax;
    TEmail FEmail;
};
