#include "model/people/TConferenciaContribuinte.h"

#include "model/people/TContribuinte.h"

void TConferenciaContribuinte::Pendencias(const TContribuinte& Contribuinte, TErros& Erros,
                                          const QString& AQuemPertence, const QString& QuemEh, std::uint8_t ObjetoNi,
                                          std::uint8_t ObjetoNome)
{
    const QString ni = Contribuinte.GetNi();
    const QString nome = Contribuinte.Nome().GetTexto();
    const std::uint8_t tipo = Contribuinte.TipoAtual();
    const bool matriz = Contribuinte.MatrizObrigatoria();
    const bool vazio = Contribuinte.PermiteVazio();
    if (!FConhecido || tipo != FTipo || matriz != FMatrizObrigatoria || vazio != FPermiteVazio || ni != FNi
        || nome != FNome) {
        FCodigoNi = Contribuinte.VerificaNi();
        FCodigoNome = Contribuinte.CodigoNome();
        FNi = ni;
        FNome = nome;
        FTipo = tipo;
        FMatrizObrigatoria = matriz;
        FPermiteVazio = vazio;
        FConhecido = true;
    }
    Contribuinte.PendenciaNi(Erros, FCodigoNi, AQuemPertence, QuemEh, ObjetoNi);
    Contribuinte.PendenciaNome(Erros, FCodigoNome, AQuemPertence, QuemEh, ObjetoNome);
}
