#include "exchange/TTabelaImpItem.h"

namespace {

// The parts joined by a character no part holds, so that no two keys read alike.
constexpr QChar Separador(u'\x1f');

// The digits as a number; false when there is another character or more than Maximo of them.
bool Digitos(QStringView Texto, qsizetype Maximo, std::uint64_t& Numero)
{
    if (Texto.size() > Maximo)
        return false;
    Numero = 0;
    for (const QChar c : Texto) {
        const unsigned digito = static_cast<unsigned>(c.unicode()) - '0';
        if (digito > 9)
            return false;
        Numero = Numero * 10 + digito;
    }
    return true;
}

}  // namespace

std::size_t TTabelaImpItem::THashGrupo::operator()(const TGrupoNumerico& Grupo) const
{
    // Mixed so that numbers that differ in their last digits spread over the whole table.
    std::uint64_t h = Grupo.Ni * 0x9E3779B97F4A7C15ull;
    h ^= (std::uint64_t{Grupo.Dono} << 32 | std::uint64_t{Grupo.Codigo} << 16 | Grupo.Tipo) + 0x632BE59BD9B4E019ull
         + (h << 6) + (h >> 2);
    h ^= Grupo.TamanhoNi;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<std::size_t>(h);
}

std::uint32_t TTabelaImpItem::NumeroDono(QStringView InAnexo, QStringView ChaveDono)
{
    const qsizetype tamanho = InAnexo.size() + 1 + ChaveDono.size();
    if (FUltimoDono.size() == tamanho && FUltimoDono.startsWith(InAnexo) && FUltimoDono.at(InAnexo.size()) == Separador
        && FUltimoDono.endsWith(ChaveDono))
        return FNumeroUltimoDono;
    FUltimoDono.clear();
    FUltimoDono.append(InAnexo).append(Separador).append(ChaveDono);
    auto achado = FDonos.constFind(FUltimoDono);
    if (achado == FDonos.cend())
        achado = FDonos.insert(FUltimoDono, static_cast<std::uint32_t>(FDonos.size()));
    FNumeroUltimoDono = achado.value();
    return FNumeroUltimoDono;
}

bool TTabelaImpItem::Marca(TIdentificadores& Vistos, QStringView Identificador)
{
    // Identifiers are one character each, "0" to "3"; a blank is "0".
    const char16_t c = Identificador.trimmed().isEmpty() ? u'0' : Identificador.front().unicode();
    const TIdentificadores bit = static_cast<TIdentificadores>(1u << ((c - u'0') & 7));
    const bool visto = (Vistos & bit) != 0;
    Vistos |= bit;
    return visto;
}

bool TTabelaImpItem::Registra(const TChave& Chave, bool PrimeiraDoGrupo)
{
    std::uint64_t ni = 0;
    std::uint64_t codigo = 0;
    // 19 digits always fit in 64 bits; a code has four.
    if (Chave.TipoBenef.size() == 1 && Digitos(Chave.NiBenef, 19, ni) && Chave.Codigo.size() == 4
        && Digitos(Chave.Codigo, 4, codigo)) {
        const TGrupoNumerico grupo{ni, NumeroDono(Chave.InAnexo, Chave.ChaveDono), static_cast<std::uint16_t>(codigo),
                                   Chave.TipoBenef.front().unicode(), static_cast<std::uint8_t>(Chave.NiBenef.size())};
        const auto [achado, novo] = FNumericos.try_emplace(grupo, TIdentificadores{0});
        const bool linhaVista = Marca(achado->second, Chave.Identificador);
        return PrimeiraDoGrupo ? !novo : linhaVista;
    }

    QString grupo;
    grupo.reserve(Chave.InAnexo.size() + Chave.ChaveDono.size() + Chave.Codigo.size() + Chave.TipoBenef.size()
                  + Chave.NiBenef.size() + 4);
    grupo.append(Chave.InAnexo).append(Separador).append(Chave.ChaveDono).append(Separador).append(Chave.Codigo)
        .append(Separador).append(Chave.TipoBenef).append(Separador).append(Chave.NiBenef);
    auto achado = FOutros.find(grupo);
    const bool grupoVisto = achado != FOutros.end();
    if (!grupoVisto)
        achado = FOutros.insert(grupo, TIdentificadores{0});
    const bool linhaVista = Marca(*achado, Chave.Identificador);
    return PrimeiraDoGrupo ? grupoVisto : linhaVista;
}

void TTabelaImpItem::Reserva(qsizetype Grupos)
{
    FNumericos.reserve(static_cast<std::size_t>(qMax<qsizetype>(Grupos, 0)));
}

void TTabelaImpItem::Esvazia()
{
    FDonos.clear();
    FUltimoDono.clear();
    FNumeroUltimoDono = 0;
    FNumericos.clear();
    FOutros.clear();
}
