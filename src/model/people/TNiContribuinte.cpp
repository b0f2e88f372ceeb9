#include "model/people/TNiContribuinte.h"

std::uint8_t TNiContribuinte::GetTipo(const QString& Texto) const
{
    return FTipo != PorTamanho ? FTipo : TipoPorTamanho(Texto);
}

QString TNiContribuinte::Raiz(const QString& Texto) const
{
    const QString numero = RemoveMascara(Texto);
    switch (GetTipo(numero)) {
    case Cpf: return numero.left(9);
    case Cnpj: return numero.left(12);
    default: return numero;
    }
}

std::uint8_t TNiContribuinte::Valida(const QString& Texto) const
{
    switch (GetTipo(Texto)) {
    case Cpf: return ValidaCpf(Texto, PermiteVazio());
    case Cnpj: return ValidaCnpj(Texto, FMatrizObrigatoria, PermiteVazio());
    default: return 65;
    }
}

QString TNiContribuinte::Formata(const QString& Texto) const
{
    switch (GetTipo(Texto)) {
    case Cpf: return FormataCpf(Texto);
    case Cnpj: return FormataCnpj(Texto);
    default: return Texto;
    }
}

QString TNiContribuinte::CalculaDV(const QString& Raiz) const
{
    switch (GetTipo(Raiz)) {
    case Cpf: return CalculaDVCpf(Raiz);
    case Cnpj: return CalculaDVCnpj(Raiz);
    default: return {};
    }
}
