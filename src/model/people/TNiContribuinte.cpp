#include "model/people/TNiContribuinte.h"

#include <QHash>
#include <memory>
#include <utility>

#include "model/values/CodigoMensagem.h"

namespace {

// One number's check as a text gave it under some rules.
struct TConferido {
    QString Texto;
    std::uint32_t Regras = 0;
    QString Numero;
    QString Formatado;
    std::uint8_t Codigo = 0;
    QString Raiz;   // null until asked
};

// A slot per hash, the last text to land there kept: bounded, and a text met again soon after
// (the next item of the same beneficiary, or the same beneficiary under the next code) finds its
// slot still holding it.
constexpr std::size_t Posicoes = 4096;
// Longer texts are no number anyone types: they are checked every time, not kept.
constexpr qsizetype MaiorTexto = 24;

TConferido& Posicao(const QString& Texto, std::uint32_t Regras)
{
    thread_local std::unique_ptr<TConferido[]> conferidos(new TConferido[Posicoes]);
    return conferidos[(qHash(Texto) ^ Regras) & (Posicoes - 1)];
}

// Whether the slot holds what Texto gave under these rules. Slots start with Regras 0, which no
// rules give, so an empty slot never matches.
bool Guarda(const TConferido& Conferido, const QString& Texto, std::uint32_t Regras)
{
    return Conferido.Regras == Regras && Conferido.Texto == Texto;
}

}   // namespace

std::uint8_t TNiContribuinte::GetTipo(const QString& Texto) const
{
    return FTipo != PorTamanho ? FTipo : TipoPorTamanho(Texto);
}

QString TNiContribuinte::Raiz(const QString& Texto) const
{
    const QString numero = RemoveMascara(Texto);
    switch (GetTipo(numero)) {
    case Cpf:
        return numero.left(9);
    case Cnpj:
        return numero.left(12);
    default:
        return numero;
    }
}

std::uint8_t TNiContribuinte::Valida(const QString& Texto) const
{
    switch (GetTipo(Texto)) {
    case Cpf:
        return ValidaCpf(Texto, PermiteVazio());
    case Cnpj:
        return ValidaCnpj(Texto, FMatrizObrigatoria, PermiteVazio());
    default:
        return CodigoMensagem::NiInvalido;
    }
}

QString TNiContribuinte::Formata(const QString& Texto) const
{
    switch (GetTipo(Texto)) {
    case Cpf:
        return FormataCpf(Texto);
    case Cnpj:
        return FormataCnpj(Texto);
    default:
        return Texto;
    }
}

QString TNiContribuinte::CalculaDV(const QString& Raiz) const
{
    switch (GetTipo(Raiz)) {
    case Cpf:
        return CalculaDVCpf(Raiz);
    case Cnpj:
        return CalculaDVCnpj(Raiz);
    default:
        return {};
    }
}

std::uint8_t TNiContribuinte::Confere(const QString& Texto, QString& Numero, QString& Formatado) const
{
    if (Texto.isEmpty() || Texto.size() > MaiorTexto)
        return TNi::Confere(Texto, Numero, Formatado);
    // Valida, Formata and GetTipo are final: these are all that decides the outcome.
    const std::uint32_t regras = Regras();
    TConferido& conferido = Posicao(Texto, regras);
    if (!Guarda(conferido, Texto, regras)) {
        QString numero;
        QString formatado;
        const std::uint8_t codigo = TNi::Confere(Texto, numero, formatado);
        conferido.Regras = 0;   // kept only once whole
        conferido.Texto = Texto;
        conferido.Numero = std::move(numero);
        conferido.Formatado = std::move(formatado);
        conferido.Codigo = codigo;
        conferido.Raiz = QString();
        conferido.Regras = regras;
    }
    Numero = conferido.Numero;
    Formatado = conferido.Formatado;
    return conferido.Codigo;
}

std::uint32_t TNiContribuinte::Regras() const
{
    return 0x10000u | FTipo | (FMatrizObrigatoria ? 0x100u : 0u) | (PermiteVazio() ? 0x200u : 0u);
}

QString TNiContribuinte::GetRaiz() const
{
    // Asked for every item stored. A number set bare (as loads set it) finds the slot its
    // setting filled; Raiz, final, depends on the text and the kind alone.
    const QString numero = GetNi();
    if (numero.isEmpty() || numero.size() > MaiorTexto)
        return Raiz(numero);
    const std::uint32_t regras = Regras();
    TConferido& conferido = Posicao(numero, regras);
    if (!Guarda(conferido, numero, regras))
        return Raiz(numero);
    if (conferido.Raiz.isNull())
        conferido.Raiz = Raiz(numero);
    return conferido.Raiz;
}
