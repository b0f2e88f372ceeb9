#pragma once
#include <QString>
#include <cstdint>

#include "model/values/TDadoBasico.h"

class TErros;

// Tax numbers: a CPF has 11 digits (a root of 9 and two check digits), a CNPJ 14 (a root of 8,
// the establishment's order of 4 and two check digits). Kinds: 0 told by the length, 1 CPF,
// 2 CNPJ. Validations return a message code, 0 when valid.

// The text without "/", "." and "-"; blanks and other characters stay.
QString RemoveMascara(const QString& Texto);
std::uint8_t ValidaCpf(const QString& Texto, bool PermiteVazio);                            // 68, 66
std::uint8_t ValidaCnpj(const QString& Texto, bool MatrizObrigatoria, bool PermiteVazio);   // 69, 67, 42
// 1 for a length of 9 or 11, 2 for 12 or more, otherwise 0.
std::uint8_t TipoPorTamanho(const QString& Texto);
// Kind 0 is told by the length; a kind that is neither CPF nor CNPJ gives 65.
std::uint8_t ValidaInscricao(const QString& Texto, std::uint8_t Tipo, bool MatrizObrigatoria, bool PermiteVazio);
// The mask of the kind told by the length (ddd.ddd.ddd-dd, dd.ddd.ddd/dddd-dd); other lengths
// stay as they are. A number already masked is masked again from its digits.
void FormataNi(QString& Texto);
// The two check digits of a root of 9 (CPF) or 12 (CNPJ) characters; empty for any other root.
QString CalculaDV(const QString& Raiz);
// The order (characters 9 to 12) of a valid CNPJ, otherwise empty.
QString ObtemOrdemCnpj(const QString& Texto, bool PermiteVazio);

// Check digits and masks of one kind, for the value classes.
QString CalculaDVCpf(const QString& Raiz);
QString CalculaDVCnpj(const QString& Raiz);
QString FormataCpf(const QString& Texto);
QString FormataCnpj(const QString& Texto);

// A tax number value: keeps the digits and the masked form.
class TNi : public TDadoBasico {
public:
    [[nodiscard]] QString GetTextoFormatado() const override { return GetNiFormatado(); }
    void SetTexto(const QString& Texto) override { SetNi(Texto); }
    [[nodiscard]] QString GetTexto() const override { return GetNi(); }

    // Raises EContribuinteInvalido (the code, the masked number) and changes nothing when the
    // number is refused; otherwise stores it and notifies.
    virtual void SetNi(const QString& Texto);
    // Stores and notifies whatever the number, then adds the error to the sink; without a sink
    // the error is raised after storing, so that it is never lost.
    virtual void SetNiSemExcecao(const QString& Texto);
    [[nodiscard]] virtual QString GetNiFormatado() const { return FNiFormatado; }
    [[nodiscard]] virtual QString GetNi() const { return FNi; }
    [[nodiscard]] virtual QString GetRaiz() const { return Raiz(FNi); }

    // The root of a number: its first 9 (CPF) or 12 (CNPJ) characters without mask.
    [[nodiscard]] virtual QString Raiz(const QString& Texto) const = 0;
    [[nodiscard]] virtual std::uint8_t Valida(const QString& Texto) const = 0;
    [[nodiscard]] virtual QString Formata(const QString& Texto) const = 0;
    [[nodiscard]] virtual QString CalculaDV(const QString& Raiz) const = 0;

    virtual void SetErros(TErros* Erros) { FErros = Erros; }   // not owned
    [[nodiscard]] TErros* Erros() const { return FErros; }
    virtual void Limpa();   // empties both texts and notifies
    // The root completed with its check digits, then SetNi or SetNiSemExcecao.
    virtual void SetRaiz(const QString& Raiz);
    virtual void SetRaizSemExcecao(const QString& Raiz);

protected:
    // What the setters store for Texto: the number without its mask (Numero), its masked form
    // (Formatado), and the code of its check, 0 when valid.
    [[nodiscard]] virtual std::uint8_t Confere(const QString& Texto, QString& Numero, QString& Formatado) const;

private:
    QString FNiFormatado;
    QString FNi;
    TErros* FErros = nullptr;
};
