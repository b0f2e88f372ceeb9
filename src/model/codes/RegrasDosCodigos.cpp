#include "model/codes/RegrasDosCodigos.h"

#include "model/values/CodigoMensagem.h"

#include <QString>
#include <algorithm>
#include <iterator>

namespace {

bool AnoAPartirDe(QStringView Ano, QLatin1String Limite)
{
    return Ano.compare(Limite) >= 0;
}

// A code is that text, compared in place: asked of every item loaded or verified.
bool Igual(QStringView Codigo, QLatin1String Texto)
{
    return Codigo.size() == Texto.size()
        && std::equal(Codigo.begin(), Codigo.end(), Texto.begin(),
                      [](QChar Letra, char Byte) { return Letra.unicode() == static_cast<unsigned char>(Byte); });
}

using RegrasDosCodigos::TCodigoExtinto;

constexpr TCodigoExtinto ExtintosPelaAde[] = {
    {QLatin1String("8045"), true, CodigoMensagem::CodigoSoPessoaJuridicaPeloAde},
    {QLatin1String("6799"), false, CodigoMensagem::CodigoExtintoPeloAde},
    {QLatin1String("3249"), false, CodigoMensagem::CodigoExtintoPeloAde},
    {QLatin1String("3251"), false, CodigoMensagem::CodigoExtintoPeloAde},
};

}   // namespace

namespace RegrasDosCodigos {

bool DecimoTerceiro(QStringView Codigo, QStringView Ano)
{
    return Igual(Codigo, QLatin1String("0561"))
        || (Igual(Codigo, QLatin1String("0588")) && AnoAPartirDe(Ano, QLatin1String("2002")));
}

const TCodigoExtinto* ExtintoPelaAde(QStringView Codigo)
{
    // Asked for every month of every item verified: the table is short and compared in place.
    const auto* extinto = std::find_if(std::begin(ExtintosPelaAde), std::end(ExtintosPelaAde),
                                       [Codigo](const TCodigoExtinto& e) { return Igual(Codigo, e.Codigo); });
    return extinto == std::end(ExtintosPelaAde) ? nullptr : extinto;
}

bool AdeNasVerificacoes(QStringView Ano)
{
    return AnoAPartirDe(Ano, QLatin1String("2002"));
}

bool AdeNaDigitacao(QStringView Ano)
{
    return Ano == QLatin1String("2002");
}

bool VarianteAnexoExcluida(QStringView Codigo, QStringView Anexo, QStringView Ano)
{
    if (Anexo != QLatin1String("1"))
        return false;
    if (Codigo == QLatin1String("0924") && AnoAPartirDe(Ano, QLatin1String("2000")))
        return true;
    if (Codigo == QLatin1String("3223") && AnoAPartirDe(Ano, QLatin1String("2002")))
        return true;
    static const char* const de1999[] = {"0490", "5286", "0924", "5232", "6799", "6800", "6813"};
    return Ano == QLatin1String("1999") && std::any_of(std::begin(de1999), std::end(de1999), [Codigo](const char* c) {
               return Codigo == QLatin1String(c);
           });
}

}   // namespace RegrasDosCodigos
