#pragma once
#include <QHash>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

// The value lines already met in one delivery-layout file, by owner, withholding code,
// beneficiary and situation identifier, so that a repeated line or a second group of the same
// beneficiary and code is refused. Held in memory for the one import: it is asked once per line,
// and nothing of it outlives the file.
class TTabelaImpItem final {
public:
    // Views of the parts, read during the call only.
    struct TChave {
        QStringView InAnexo;         // "0" the declaration, "1" an annex
        QStringView ChaveDono;       // PRUV_DK or ANEXO_DK
        QStringView Codigo;          // withholding code
        QStringView TipoBenef;       // "1" CPF, "2" CNPJ
        QStringView NiBenef;         // as read from the line
        QStringView Identificador;   // position 688: "0" to "3", a blank read as "0"
    };

    // Lists the line (once) and answers whether it was met before: for the first line of a
    // group (PrimeiraDoGrupo) any line of that owner, code and beneficiary, for the others a line
    // with the same identifier too.
    bool Registra(const TChave& Chave, bool PrimeiraDoGrupo);
    // Room for about that many groups, so that a large file is not rehashed as it is read.
    void Reserva(qsizetype Grupos);
    void Esvazia();

private:
    // A group whose code and beneficiary number are digits, as one number below 2^60: the
    // number of its owner, code and kind (FPrefixos), then the beneficiary's number with its
    // length, so that "0123" is not "123". A slot holds that number plus one above the four bits
    // of the identifiers met; 0 is a free slot. Eight bytes a slot, at most four fifths of them
    // taken: a file of a million groups keeps its table in about ten megabytes.
    static constexpr int BitsVistos = 4;
    static constexpr std::uint64_t MascaraVistos = (std::uint64_t{1} << BitsVistos) - 1;
    static constexpr std::uint32_t MaiorPrefixo = 8191;   // prefixes after it are listed as text

    [[nodiscard]] std::uint32_t NumeroDono(QStringView InAnexo, QStringView ChaveDono);
    [[nodiscard]] std::uint32_t NumeroPrefixo(std::uint32_t Dono, std::uint64_t Codigo, char16_t Tipo);
    // The slot of the group, made free for it when it is not there (Novo).
    std::uint64_t& Slot(std::uint64_t Grupo, bool& Novo);
    void Redimensiona(std::size_t Capacidade);
    static bool Marca(std::uint8_t& Vistos, QStringView Identificador);

    QHash<QString, std::uint32_t> FDonos;   // owner ("0" or "1", a separator, its key): its number
    QString FUltimoDono;                    // the last one asked, which the lines of a file repeat
    std::uint32_t FNumeroUltimoDono = 0;
    QHash<std::uint64_t, std::uint32_t> FPrefixos;   // owner, kind and code: their number
    std::uint64_t FUltimoPrefixo = ~std::uint64_t{0};
    std::uint32_t FNumeroUltimoPrefixo = 0;
    // Open addressing, one probe finding a group mostly, where a table of linked nodes would
    // take two or three misses of the cache.
    std::vector<std::uint64_t> FSlots;
    std::size_t FOcupados = 0;
    QHash<QString, std::uint8_t> FOutros;   // the groups with any other code or number
};
