#include "model/people/TFone.h"

#include "model/values/CodigoMensagem.h"
#include "model/values/TTexto.h"
#include "model/values/TratamentoTexto.h"

namespace {

// The check shared by area code and number: too few characters, anything but digits, or empty
// when not allowed.
bool Recusado(const QString& Texto, qsizetype MinimoDeDigitos, bool PermiteVazio)
{
    const qsizetype tamanho = TTexto::Apara(Texto).size();
    return (tamanho >= 1 && tamanho < MinimoDeDigitos) || !SoNumeros(Texto) || (Texto.isEmpty() && !PermiteVazio);
}

}   // namespace

QString TParteFone::Prepara(const QString& Texto) const
{
    QString texto = Texto;
    RetiraZerosEsquerda(texto);
    return texto;
}

QString TFoneDDD::GetTextoFormatado() const
{
    const QString ddd = GetTexto();
    return ddd.isEmpty() ? QString() : QLatin1Char('(') + ddd + QLatin1Char(')');
}

std::uint8_t TFoneDDD::Valida(const QString& Texto) const
{
    return Recusado(Texto, 2, PermiteVazio()) ? CodigoMensagem::DddInvalido : 0;
}

QString TFoneNumero::GetTextoFormatado() const
{
    const QString numero = GetTexto();
    return numero.size() < 5 ? numero : numero.left(numero.size() - 4) + QLatin1Char('-') + numero.right(4);
}

std::uint8_t TFoneNumero::Valida(const QString& Texto) const
{
    return Recusado(Texto, 4, PermiteVazio()) ? CodigoMensagem::TelefoneInvalido : 0;
}

std::uint8_t TFoneRamal::Valida(const QString& Texto) const
{
    return SoNumeros(Texto) ? 0 : CodigoMensagem::RamalInvalido;
}

void TFone::SetErros(TErros* Erros)
{
    FDDD.SetErros(Erros);
    FNumero.SetErros(Erros);
    FRamal.SetErros(Erros);
}

void TFone::Limpa()
{
    FDDD.Limpa();
    FNumero.Limpa();
    FRamal.Limpa();
}

void TFone::VerificaFonePendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                  std::uint8_t Objeto) const
{
    FDDD.VerificaPendencia(Erros, AQuemPertence, QuemEh, Objeto);
}

void TFone::VerificaNumeroPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                    std::uint8_t Objeto) const
{
    FNumero.VerificaPendencia(Erros, AQuemPertence, QuemEh, Objeto);
}
