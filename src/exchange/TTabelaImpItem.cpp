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

// Mixed so that numbers that differ in their last digits spread over the whole table.
std::uint64_t Espalha(std::uint64_t Ni, std::uint64_t Resto)
{
    std::uint64_t h = Ni * 0x9E3779B97F4A7C15ull ^ Resto;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

}  // namespace

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

TTabelaImpItem::TGrupoNumerico& TTabelaImpItem::Slot(const TGrupoNumerico& Grupo, bool& Novo)
{
    if ((FOcupados + 1) * 2 > FNumericos.size())
        Redimensiona(qMax<std::size_t>(FNumericos.size() * 2, 64));
    const std::size_t mascara = FNumericos.size() - 1;
    const std::uint64_t resto = std::uint64_t{Grupo.Dono} << 40 | std::uint64_t{Grupo.Codigo} << 24
                                | std::uint64_t{Grupo.Tipo} << 8 | Grupo.TamanhoNi;
    for (std::size_t i = Espalha(Grupo.Ni, resto) & mascara;; i = (i + 1) & mascara) {
        TGrupoNumerico& slot = FNumericos[i];
        if (slot.TamanhoNi == TGrupoNumerico::Vaga) {
            slot = Grupo;
            slot.Vistos = 0;
            ++FOcupados;
            Novo = true;
            return slot;
        }
        if (slot.MesmoGrupo(Grupo)) {
            Novo = false;
            return slot;
        }
    }
}

void TTabelaImpItem::Redimensiona(std::size_t Capacidade)
{
    std::vector<TGrupoNumerico> antigos(Capacidade);
    antigos.swap(FNumericos);
    FOcupados = 0;
    bool novo = false;
    for (const TGrupoNumerico& grupo : antigos)
        if (grupo.TamanhoNi != TGrupoNumerico::Vaga)
            Slot(grupo, novo).Vistos = grupo.Vistos;
}

bool TTabelaImpItem::Marca(std::uint8_t& Vistos, QStringView Identificador)
{
    // Identifiers are one character each, "0" to "3"; a blank is "0".
    const char16_t c = Identificador.trimmed().isEmpty() ? u'0' : Identificador.front().unicode();
    const auto bit = static_cast<std::uint8_t>(1u << ((c - u'0') & 7));
    const bool visto = (Vistos & bit) != 0;
    Vistos |= bit;
    return visto;
}

bool TTabelaImpItem::Registra(const TChave& Chave, bool PrimeiraDoGrupo)
{
    std::uint64_t ni = 0;
    std::uint64_t codigo = 0;
    std::uint32_t dono = 0;
    // 19 digits always fit in 64 bits; a code has four.
    if (Chave.TipoBenef.size() == 1 && Digitos(Chave.NiBenef, 19, ni) && Chave.Codigo.size() == 4
        && Digitos(Chave.Codigo, 4, codigo)
        && (dono = NumeroDono(Chave.InAnexo, Chave.ChaveDono)) <= TGrupoNumerico::MaiorDono) {
        const TGrupoNumerico grupo{ni, static_cast<std::uint16_t>(dono), static_cast<std::uint16_t>(codigo),
                                   Chave.TipoBenef.front().unicode(), static_cast<std::uint8_t>(Chave.NiBenef.size())};
        bool novo = false;
        const bool linhaVista = Marca(Slot(grupo, novo).Vistos, Chave.Identificador);
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
        achado = FOutros.insert(grupo, std::uint8_t{0});
    const bool linhaVista = Marca(*achado, Chave.Identificador);
    return PrimeiraDoGrupo ? grupoVisto : linhaVista;
}

void TTabelaImpItem::Reserva(qsizetype Grupos)
{
    std::size_t capacidade = 64;
    while (capacidade < static_cast<std::size_t>(qMax<qsizetype>(Grupos, 0)) * 2)
        capacidade *= 2;
    if (capacidade > FNumericos.size())
        Redimensiona(capacidade);
}

void TTabelaImpItem::Esvazia()
{
    FDonos.clear();
    FUltimoDono.clear();
    FNumeroUltimoDono = 0;
    FNumericos.clear();
    FOcupados = 0;
    FOutros.clear();
}
