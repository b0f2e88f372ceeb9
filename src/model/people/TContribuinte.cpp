#include "model/people/TContribuinte.h"

#include "model/values/TErro.h"

TContribuinte::TContribuinte(std::uint8_t Tipo, bool MatrizObrigatoria)
    : TNiContribuinte(Tipo, MatrizObrigatoria)
    , FNome(Tipo)
{}

void TContribuinte::SetNi(const QString& Texto)
{
    TNiContribuinte::SetNi(Texto);
    FNome.SetTipo(TipoAtual());
}

void TContribuinte::SetNiSemExcecao(const QString& Texto)
{
    try {
        TNiContribuinte::SetNiSemExcecao(Texto);
    } catch (const TErro&) {
        // Stored all the same (no sink to take the error): the name still follows the number.
        FNome.SetTipo(TipoAtual());
        throw;
    }
    FNome.SetTipo(TipoAtual());
}

void TContribuinte::SetTipo(std::uint8_t Tipo)
{
    TNiContribuinte::SetTipo(Tipo);
    FNome.SetTipo(Tipo);
}

void TContribuinte::SetErros(TErros* Erros)
{
    TNiContribuinte::SetErros(Erros);
    FNome.SetErros(Erros);
}

void TContribuinte::Limpa()
{
    TNiContribuinte::Limpa();
    FNome.Limpa();
}

bool TContribuinte::GetAlterado() const
{
    return TNiContribuinte::GetAlterado() || FNome.GetAlterado();
}

void TContribuinte::SetAlterado(bool Alterado)
{
    TNiContribuinte::SetAlterado(Alterado);
    FNome.SetAlterado(Alterado);
}

std::uint8_t TContribuinte::ConfereONome(QString& Nome) const
{
    Nome = FNome.GetTexto();
    return ConfereNome(Nome, TipoAtual(), PermiteVazio());
}

std::uint8_t TContribuinte::VerificaNi() const
{
    return ValidaInscricao(GetNi(), TipoAtual(), MatrizObrigatoria(), PermiteVazio());
}

std::uint8_t TContribuinte::Verifica() const
{
    if (const std::uint8_t codigo = VerificaNi(); codigo != 0)
        return codigo;
    QString nome;
    return ConfereONome(nome);
}

void TContribuinte::VerificaNiPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                        std::uint8_t Objeto) const
{
    PendenciaNi(Erros, VerificaNi(), AQuemPertence, QuemEh, Objeto);
}

void TContribuinte::VerificaNomePendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                          std::uint8_t Objeto) const
{
    PendenciaNome(Erros, CodigoNome(), AQuemPertence, QuemEh, Objeto);
}

std::uint8_t TContribuinte::CodigoNome() const
{
    QString nome;
    return ConfereONome(nome);
}

void TContribuinte::PendenciaNi(TErros& Erros, std::uint8_t Codigo, const QString& AQuemPertence, const QString& QuemEh,
                                std::uint8_t Objeto) const
{
    if (Codigo != 0)
        Erros.Add(
            EContribuinteInvalido(Codigo, GetNi(), TipoDialogo::Erro, Botao::Ok, 0, AQuemPertence, QuemEh, Objeto));
}

void TContribuinte::PendenciaNome(TErros& Erros, std::uint8_t Codigo, const QString& AQuemPertence,
                                  const QString& QuemEh, std::uint8_t Objeto) const
{
    if (Codigo != 0)
        Erros.Add(EContribuinteInvalido(Codigo, GetNiFormatado() + QLatin1Char(' ') + FNome.GetTexto(),
                                        TipoDialogo::Erro, Botao::Ok, 0, AQuemPertence, QuemEh, Objeto));
}

void TContribuinte::AtribuiA(TContribuinte& Destino) const
{
    if (!GetNiFormatado().isEmpty())
        Destino.SetNiSemExcecao(GetNiFormatado());
    else
        Destino.TNiContribuinte::Limpa();
    if (!FNome.GetTexto().isEmpty())
        Destino.FNome.SetNomeSemExcecao(FNome.GetTexto());
    else
        Destino.FNome.Limpa();
}
