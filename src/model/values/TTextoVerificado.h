#pragma once
#include <QString>
#include <cstdint>

#include "model/values/TDadoBasico.h"
#include "model/values/TErro.h"

// A text value with a check of its own (the phone parts, the e-mail), whose refusals are
// errors of the class EErro.
template <class EErro> class TTextoVerificado : public TDadoBasico {
public:
    // The text is prepared (Prepara) and checked: a refused text raises EErro (the code, the
    // prepared text) and the old text stays; otherwise it is stored and notified.
    void SetTexto(const QString& Texto) override;
    // Stores and notifies whatever the text, then adds the error to the sink; without a sink
    // the error is raised after storing, so that it is never lost.
    void SetTextoSemExcecao(const QString& Texto);
    [[nodiscard]] QString GetTexto() const override { return FTexto; }
    void Limpa() { FTexto.clear(); }                   // without notifying
    void SetErros(TErros* Erros) { FErros = Erros; }   // not owned

    // The message code of Texto's check with this value's PermiteVazio; 0 when it passes.
    [[nodiscard]] virtual std::uint8_t Valida(const QString& Texto) const = 0;
    // Adds to Erros a pending item (error, OK button, the stored text as parameter) when the
    // stored text fails its check.
    void VerificaPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                           std::uint8_t Objeto) const;

protected:
    [[nodiscard]] virtual QString Prepara(const QString& Texto) const { return Texto; }

private:
    QString FTexto;
    TErros* FErros = nullptr;
};

extern template class TTextoVerificado<EFoneInvalido>;
extern template class TTextoVerificado<EEmailInvalido>;
