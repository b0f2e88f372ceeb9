#include "model/values/TTextoVerificado.h"

template <class EErro> void TTextoVerificado<EErro>::SetTexto(const QString& Texto)
{
    const QString texto = Prepara(Texto);
    if (const std::uint8_t codigo = Valida(texto))
        throw EErro(codigo, texto, 0);
    FTexto = texto;
    Notifica();
}

template <class EErro> void TTextoVerificado<EErro>::SetTextoSemExcecao(const QString& Texto)
{
    FTexto = Prepara(Texto);
    Notifica();
    if (const std::uint8_t codigo = Valida(FTexto))
        RegistraErro(FErros, EErro(codigo, FTexto, 0));
}

template <class EErro>
void TTextoVerificado<EErro>::VerificaPendencia(TErros& Erros, const QString& AQuemPertence, const QString& QuemEh,
                                                std::uint8_t Objeto) const
{
    if (const std::uint8_t codigo = Valida(FTexto))
        Erros.Add(EErro(codigo, FTexto, TipoDialogo::Erro, Botao::Ok, 0, AQuemPertence, QuemEh, Objeto));
}

template class TTextoVerificado<EFoneInvalido>;
template class TTextoVerificado<EEmailInvalido>;
