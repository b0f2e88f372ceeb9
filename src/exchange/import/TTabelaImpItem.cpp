#include "exchange/import/TTabelaImpItem.h"

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

}   // namespace

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

std::uint32_t TTabelaImpItem::NumeroPrefixo(std::uint32_t Dono, std::uint64_t Codigo, char16_t Tipo)
{
    const std::uint64_t prefixo = std::uint64_t{Dono} << 32 | std::uint64_t{Tipo} << 16 | Codigo;
    if (prefixo != FUltimoPrefixo) {
        auto achado = FPrefixos.constFind(prefixo);
        if (achado == FPrefixos.cend())
            achado = FPrefixos.insert(prefixo, static_cast<std::uint32_t>(FPrefixos.size()));
        FUltimoPrefixo = prefixo;
        FNumeroUltimoPrefixo = achado.value();
    }
    return FNumeroUltimoPrefixo;
}

std::uint64_t& TTabelaImpItem::Slot(std::uint64_t Grupo, bool& Novo)
{
    // At most four fifths taken, so that a search meets a free slot after a few probes.
    if ((FOcupados + 1) * 5 > FSlots.size() * 4)
        Redimensiona(qMax<std::size_t>(FSlots.size() * 2, 64));
    const std::uint64_t marcado = (Grupo + 1) << BitsVistos;
    const std::size_t capacidade = FSlots.size();
    // The mixed number scaled to the table, which need not be a power of two.
    auto i = static_cast<std::size_t>((static_cast<unsigned __int128>(Espalha(Grupo, 0)) * capacidade) >> 64);
    for (;; i = i + 1 == capacidade ? 0 : i + 1) {
        std::uint64_t& slot = FSlots[i];
        if (slot == 0) {
            slot = marcado;
            ++FOcupados;
            Novo = true;
            return slot;
        }
        if ((slot & ~MascaraVistos) == marcado) {
            Novo = false;
            return slot;
        }
    }
}

void TTabelaImpItem::Redimensiona(std::size_t Capacidade)
{
    std::vector<std::uint64_t> antigos(Capacidade, 0);
    antigos.swap(FSlots);
    FOcupados = 0;
    bool novo = false;
    for (const std::uint64_t slot : antigos)
        if (slot != 0)
            Slot((slot >> BitsVistos) - 1, novo) = slot;
}

bool TTabelaImpItem::Marca(std::uint8_t& Vistos, QStringView Identificador)
{
    // Identifiers are one character each, "0" to "3"; a blank is "0".
    const char16_t c = Identificador.trimmed().isEmpty() ? u'0' : Identificador.front().unicode();
    const auto bit = static_cast<std::uint8_t>(1u << ((c - u'0') & 3));
    const bool visto = (Vistos & bit) != 0;
    Vistos |= bit;
    return visto;
}

bool TTabelaImpItem::Registra(const TChave& Chave, bool PrimeiraDoGrupo)
{
    // Up to fourteen digits (a CNPJ): with its length below 10^15 / 9, which leaves room for
    // MaiorPrefixo + 1 prefixes under 2^60.
    constexpr qsizetype MaisDigitos = 14;
    constexpr std::uint64_t Numeros = 111111111111111ull;   // (10^15 - 1) / 9
    std::uint64_t ni = 0;
    std::uint64_t codigo = 0;
    std::uint32_t prefixo = 0;
    if (Chave.TipoBenef.size() == 1 && Digitos(Chave.NiBenef, MaisDigitos, ni) && Chave.Codigo.size() == 4
        && Digitos(Chave.Codigo, 4, codigo)
        && (prefixo = NumeroPrefixo(NumeroDono(Chave.InAnexo, Chave.ChaveDono), codigo,
                                    Chave.TipoBenef.front().unicode()))
            <= MaiorPrefixo) {
        // The numbers of fewer digits come first: (10^n - 1) / 9 of them below n digits.
        std::uint64_t abaixo = 0;
        for (qsizetype d = 0; d < Chave.NiBenef.size(); ++d)
            abaixo = abaixo * 10 + 1;
        bool novo = false;
        std::uint64_t& slot = Slot(std::uint64_t{prefixo} * Numeros + abaixo + ni, novo);
        auto vistos = static_cast<std::uint8_t>(slot & MascaraVistos);
        const bool linhaVista = Marca(vistos, Chave.Identificador);
        slot = (slot & ~MascaraVistos) | vistos;
        return PrimeiraDoGrupo ? !novo : linhaVista;
    }

    QString grupo;
    grupo.reserve(Chave.InAnexo.size() + Chave.ChaveDono.size() + Chave.Codigo.size() + Chave.TipoBenef.size()
                  + Chave.NiBenef.size() + 4);
    grupo.append(Chave.InAnexo)
        .append(Separador)
        .append(Chave.ChaveDono)
        .append(Separador)
        .append(Chave.Codigo)
        .append(Separador)
        .append(Chave.TipoBenef)
        .append(Separador)
        .append(Chave.NiBenef);
    auto achado = FOutros.find(grupo);
    const bool grupoVisto = achado != FOutros.end();
    if (!grupoVisto)
        achado = FOutros.insert(grupo, std::uint8_t{0});
    const bool linhaVista = Marca(*achado, Chave.Identificador);
    return PrimeiraDoGrupo ? grupoVisto : linhaVista;
}

void TTabelaImpItem::Reserva(qsizetype Grupos)
{
    const auto capacidade = static_cast<std::size_t>(qMax<qsizetype>(Grupos, 0)) * 5 / 4 + 64;
    if (capacidade > FSlots.size())
        Redimensiona(capacidade);
}

void TTabelaImpItem::Esvazia()
{
    FDonos.clear();
    FUltimoDono.clear();
    FNumeroUltimoDono = 0;
    FPrefixos.clear();
    FUltimoPrefixo = ~std::uint64_t{0};
    FNumeroUltimoPrefixo = 0;
    std::vector<std::uint64_t>().swap(FSlots);
    FOcupados = 0;
    FOutros.clear();
}
