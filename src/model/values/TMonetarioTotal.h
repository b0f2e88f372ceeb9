#pragma once
#include <optional>
#include <vector>

#include "model/values/IObservador.h"
#include "model/values/TMonetario.h"

// An amount computed from other amounts that it observes: the added terms first, then the
// subtracted ones, each counting with its positive amount. The sum is made when read after a
// change, never at the change itself. Terms are not owned: they outlive the total or tell it
// (Liberado) when they go.
class TMonetarioTotal : public TMonetario, private IObservador {
public:
    TMonetarioTotal() = default;
    ~TMonetarioTotal() override;   // stops observing its terms

    // Observes the term, places it after the other added ones (before the subtracted), and
    // notifies.
    void AdicionaSoma(TMonetario& Parcela);
    // Room for that many terms, for a total built once with a known number of them.
    void ReservaParcelas(int Quantidade)
    {
        FParcelas.reserve(static_cast<std::size_t>(Quantidade));
        ReservaSujeitos(Quantidade);
    }
    // Observes the term, places it at the end, and notifies.
    void AdicionaSubtracao(TMonetario& Parcela);

    // The sum of the terms, exact: a total of amounts each kept to Maximo may go past it (the
    // limit is the typed amounts' and the delivery file's), and still shows and prints whole.
    // Raises EMonetarioInvalido 165 only for a sum past 64 bits.
    [[nodiscard]] qint64 GetValor() const override;
    // A total is never set nor typed into: both do nothing.
    void SetValor(qint64 Valor) override;
    void SetTexto(const QString& Texto) override;
    // Detaches every term; the total is then 0, and notifies.
    void Limpa() override;

    // This total observes Termo and nothing else does.
    [[nodiscard]] bool UnicoObservadorDe(const TDadoBasico& Termo) const { return Termo.ObservadoSoPor(*this); }
    // Terms changed without telling it: as if one had told it now.
    void TermosMudaram() { Atualiza(*this); }

    [[nodiscard]] int QuantidadeParcelas() const { return static_cast<int>(FParcelas.size()); }
    [[nodiscard]] int QuantidadeSomadas() const { return FQtdSomadas; }

private:
    // A term changed: the sum is made again on the next read; the total's observers are told now,
    // unless they were told since it was last read and it is still marked changed.
    void Atualiza(ISujeito& Sujeito) override;
    // A term is going away: every entry of it leaves the list, without calling it back.
    void Liberado(ISujeito& Sujeito) override;
    void DeixaDeObservar();

    struct TermoObservado {
        TMonetario* Monetario;
        ISujeito* Sujeito;   // taken when added: a term going away is known by it alone
    };
    std::vector<TermoObservado> FParcelas;   // not owned; the first FQtdSomadas are added
    int FQtdSomadas = 0;
    mutable std::optional<qint64> FCalculado;   // the sum, while valid
    mutable bool FAvisado = false;              // the observers were told of a change since the last read
};
