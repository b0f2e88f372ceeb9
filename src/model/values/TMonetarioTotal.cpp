#include "model/values/TMonetarioTotal.h"

#include "model/values/TErro.h"

TMonetarioTotal::~TMonetarioTotal()
{
    DeixaDeObservar();
}

void TMonetarioTotal::DeixaDeObservar()
{
    for (const TermoObservado& parcela : FParcelas)
        parcela.Monetario->RemoveObservador(*this);
    FParcelas.clear();
}

void TMonetarioTotal::AdicionaSoma(TMonetario& Parcela)
{
    FParcelas.insert(FParcelas.begin() + FQtdSomadas, {&Parcela, &Parcela});
    Parcela.AdicionaObservador(*this);
    ++FQtdSomadas;
    FCalculado.reset();
    Notifica();
}

void TMonetarioTotal::AdicionaSubtracao(TMonetario& Parcela)
{
    FParcelas.push_back({&Parcela, &Parcela});
    Parcela.AdicionaObservador(*this);
    FCalculado.reset();
    Notifica();
}

qint64 TMonetarioTotal::GetValor() const
{
    FAvisado = false;   // read, or tried: the next change is told again
    if (!FCalculado) {
        qint64 soma = 0;
        for (int i = 0; i < QuantidadeParcelas(); ++i) {
            const qint64 parcela = FParcelas[i].Monetario->GetValorPositivo();
            soma = i < FQtdSomadas ? SomaExata(soma, parcela) : SubtracaoExata(soma, parcela);
        }
        FCalculado = soma;
    }
    return *FCalculado;
}

void TMonetarioTotal::SetValor(qint64) {}

void TMonetarioTotal::SetTexto(const QString&) {}

void TMonetarioTotal::Limpa()
{
    DeixaDeObservar();
    FQtdSomadas = 0;
    FCalculado.reset();
    TMonetario::Limpa();
}

void TMonetarioTotal::Atualiza(ISujeito&)
{
    // Told already, not read since (nor tried) and still marked changed: its observers know it
    // changed, and telling them again would only cost (filling an item changes dozens of terms
    // in a row).
    if (FAvisado && TDadoBasico::GetAlterado())
        return;
    FCalculado.reset();
    FAvisado = true;
    Notifica();
}

void TMonetarioTotal::Liberado(ISujeito& Sujeito)
{
    for (int i = QuantidadeParcelas() - 1; i >= 0; --i) {
        if (FParcelas[i].Sujeito != &Sujeito)
            continue;
        FParcelas.erase(FParcelas.begin() + i);
        if (i < FQtdSomadas)
            --FQtdSomadas;
    }
    FCalculado.reset();
}
