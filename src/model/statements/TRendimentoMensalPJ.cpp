#include "model/statements/TRendimentoMensalPJ.h"

#include <stdexcept>
#include <string>

#include "model/codes/TCodigoRetencao.h"
#include "model/items/TPruvItem.h"
#include "model/values/TTexto.h"

namespace {

std::uint8_t MesDoAno(int Mes)
{
    if (Mes < 1 || Mes > 12)
        throw std::out_of_range("Mes fora de 1 a 12: " + std::to_string(Mes));
    return static_cast<std::uint8_t>(Mes);
}

}   // namespace

TRendimentoMensalPJ::TRendimentoMensalPJ(const TPruvItem& Item, const TCodigoRetencao& Codigo, int Mes)
    : FCodigo(Codigo)
    , FMes(MesDoAno(Mes))
{
    FRendimento.SetValor(Item.GetValores().GetRendimento(Mes).GetValorPositivo());
    FImposto.SetValor(Item.GetValores().GetImposto(Mes).GetValorPositivo());
}

const QString& TRendimentoMensalPJ::GetCodigo() const
{
    return FCodigo.GetCodigo();
}

bool TRendimentoMensalPJ::GetIN4() const
{
    return FCodigo.GetIn4();
}

void TRendimentoMensalPJ::SetNatureza(const QString& Natureza)
{
    const QString texto = TTexto::Apara(Natureza).toUpper();
    FNatureza = texto == FCodigo.GetResumo().toUpper() ? QString() : texto;
    FAlterado = true;
}

QString TRendimentoMensalPJ::GetNatureza() const
{
    return FNatureza.isEmpty() ? FCodigo.GetResumo() : FNatureza;
}
