#pragma once
#include <QString>
#include <cstdint>

#include "model/values/TDadoBasico.h"

class TErros;

// Checks a taxpayer's name by kind (0 undetermined and 2 legal entity share the rules, 1 person;
// any other kind passes) and normalises it in place: no blanks or control characters around it,
// runs of blanks inside made one. Returns 0 or the message code of the first fault: 78, 128 for
// a legal entity; 122 to 126, 128 for a person.
std::uint8_t ConfereNome(QString& Nome, std::uint8_t Tipo, bool PermiteVazio);

// The name of a taxpayer, checked by the rules of its kind.
class TNomeContribuinte : public TDadoBasico {
public:
    explicit TNomeContribuinte(std::uint8_t Tipo = 0)
        : FTipo(Tipo)
    {}

    // Raises EContribuinteInvalido (the code, the normalised name) and changes nothing when the
    // name is refused; otherwise stores the normalised name and notifies.
    void SetTexto(const QString& Nome) override;
    // Stores and notifies always, then adds the error to the sink; without a sink the error is
    // raised after storing, so that it is never lost.
    void SetNomeSemExcecao(const QString& Nome);
    [[nodiscard]] QString GetTexto() const override { return FNome; }
    void Limpa();   // empties and notifies

    [[nodiscard]] std::uint8_t Tipo() const { return FTipo; }
    void SetTipo(std::uint8_t Tipo) { FTipo = Tipo; }
    void SetErros(TErros* Erros) { FErros = Erros; }   // not owned

private:
    // ConfereNome, remembered for the last name given: the items of one beneficiary, and a load
    // whose lines repeat a name, check it once.
    std::uint8_t Confere(const QString& Nome, QString& Conferido);

    QString FNome;
    std::uint8_t FTipo;
    TErros* FErros = nullptr;
    struct TUltimaConferencia {
        bool Feita = false;
        std::uint8_t Tipo = 0;
        bool PermiteVazio = false;
        std::uint8_t Codigo = 0;
        QString Dado;        // as given
        QString Conferido;   // as normalised
    } FUltima;
};
