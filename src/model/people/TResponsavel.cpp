#include "model/people/TResponsavel.h"

TResponsavel::TResponsavel()
    : TContribuinte(Cpf, false)
{
    // The fax and the e-mail are optional from the start, so reading a person stored without
    // them reports nothing; the check sets the same rules again.
    FFax.DDD().SetPermiteVazio(true);
    FFax.Numero().SetPermiteVazio(true);
    FEmail.SetPermiteVazio(true);
}

void TResponsavel::SetErros(TErros* Erros)
{
    TContribuinte::SetErros(Erros);
    FFone.SetErros(Erros);
    FFax.SetErros(Erros);
    FEmail.SetErros(Erros);
}

void TResponsavel::Limpa()
{
    TContribuinte::Limpa();
    FFone.Limpa();
    FFax.Limpa();
    FEmail.Limpa();
}

void TResponsavel::VerificaPendencias(TErros& Erros)
{
    const QString cpf = GetNiFormatado();
    SetPermiteVazio(false);
    VerificaNiPendencia(Erros, cpf, cpf, ObjetoCpf);
    VerificaNomePendencia(Erros, cpf, cpf, ObjetoNome);

    FFone.DDD().SetPermiteVazio(false);
    FFone.Numero().SetPermiteVazio(false);
    FFone.VerificaFonePendencia(Erros, cpf, cpf, ObjetoDDD);
    FFone.VerificaNumeroPendencia(Erros, cpf, cpf, ObjetoFone);

    // The fax's area code and both extensions take no part in the check.
    FFax.DDD().SetPermiteVazio(true);
    FFax.Numero().SetPermiteVazio(true);
    FFax.VerificaNumeroPendencia(Erros, cpf, cpf, ObjetoFax);

    FEmail.SetPermiteVazio(true);
    FEmail.VerificaEmailPendencia(Erros, cpf, cpf, ObjetoEmail);
}
