#pragma once
#include "model/people/TNi.h"

// A number that is a CPF or a CNPJ: of a fixed kind, or told by its length.
class TNiContribuinte : public TNi {
public:
    static constexpr std::uint8_t PorTamanho = 0;
    static constexpr std::uint8_t Cpf = 1;
    static constexpr std::uint8_t Cnpj = 2;

    // By length, no head-office rule: TNiContribuinte(); a CPF: TNiContribuinte(Cpf);
    // a head-office CNPJ: TNiContribuinte(Cnpj, true).
    explicit TNiContribuinte(std::uint8_t Tipo = PorTamanho, bool MatrizObrigatoria = false)
        : FTipo(Tipo)
        , FMatrizObrigatoria(MatrizObrigatoria)
    {}

    // The fixed kind, or the one told by the length of Texto. Not virtual, and Valida and
    // Formata are final: the setters remember what a text gave under the same rules (Confere).
    [[nodiscard]] std::uint8_t GetTipo(const QString& Texto) const;
    // The kind of the number held.
    [[nodiscard]] virtual std::uint8_t TipoAtual() const { return GetTipo(GetNi()); }
    virtual void SetTipo(std::uint8_t Tipo) { FTipo = Tipo; }
    [[nodiscard]] std::uint8_t Tipo() const { return FTipo; }

    [[nodiscard]] bool MatrizObrigatoria() const { return FMatrizObrigatoria; }
    void SetMatrizObrigatoria(bool Obrigatoria) { FMatrizObrigatoria = Obrigatoria; }

    // By kind; kind 0 gives 65 and leaves the text unchanged (no check digits).
    [[nodiscard]] QString Raiz(const QString& Texto) const final;
    // The root of the number held, remembered with its check (see Confere).
    [[nodiscard]] QString GetRaiz() const override;
    [[nodiscard]] std::uint8_t Valida(const QString& Texto) const final;
    [[nodiscard]] QString Formata(const QString& Texto) const final;
    [[nodiscard]] QString CalculaDV(const QString& Raiz) const override;

protected:
    // As a number's, remembered per thread by the text and the rules that decide it (the kind,
    // the head-office rule, whether empty is allowed): an import or a bulk save sets the same
    // beneficiaries' numbers item after item.
    [[nodiscard]] std::uint8_t Confere(const QString& Texto, QString& Numero, QString& Formatado) const override;

private:
    // Everything besides the text that decides a number's check, form and root.
    [[nodiscard]] std::uint32_t Regras() const;

    std::uint8_t FTipo;
    bool FMatrizObrigatoria;
};
