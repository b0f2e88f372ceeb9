#pragma once
#include "model/people/TNiContribuinte.h"
#include "model/people/TNomeContribuinte.h"

// A taxpayer: a number (CPF or CNPJ) and a name whose rules follow the kind of the number.
class TContribuinte : public TNiContribuinte {
public:
    explicit TContribuinte(std::uint8_t Tipo = PorTamanho, bool MatrizObrigatoria = false);

    // As for a number; then the name takes the kind of the number held.
    void SetNi(const QString& Texto) override;
    void SetNiSemExcecao(const QString& Texto) override;
    // For the number and the name.
    void SetTipo(std::uint8_t Tipo) override;
    void SetErros(TErros* Erros) override;
    void Limpa() override;
    // Changed when the number or the name was changed.
    [[nodiscard]] bool GetAlterado() const override;
    void SetAlterado(bool Alterado) override;

    [[nodiscard]] TNomeContribuinte& Nome() { return FNome; }
    [[nodiscard]] const TNomeContribuinte& Nome() const { return FNome; }

    // The code of the number's fault, else of the name's, else 0; both checked with this
    // value's PermiteVazio.
    [[nodiscard]] virtual std::uint8_t Verifica() const;
    [[nodiscard]] std::uint8_t VerificaNi() const;
    // Add a pending item (an error with the OK button) to Erros when the number, or the name,
    // fails.
    void VerificaNiPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                             std::uint8_t Objeto) const;
    void VerificaNomePendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                               std::uint8_t Objeto) const;
    // Copies number and name into Destino through its non-raising setters; an empty part
    // clears the destination's.
    void AtribuiA(TContribuinte& Destino) const;

private:
    friend class TConferenciaContribuinte;

    // The code of the name's check alone.
    [[nodiscard]] std::uint8_t CodigoNome() const;
    // The pending item of a code of VerificaNi, or of the name's check; none for 0.
    void PendenciaNi(TErros& Erros, std::uint8_t Codigo, const QString& AQuemPertence, const QString& QuemEh,
                     std::uint8_t Objeto) const;
    void PendenciaNome(TErros& Erros, std::uint8_t Codigo, const QString& AQuemPertence, const QString& QuemEh,
                       std::uint8_t Objeto) const;
    [[nodiscard]] std::uint8_t ConfereONome(QString& Nome) const;

    TNomeContribuinte FNome;
};
