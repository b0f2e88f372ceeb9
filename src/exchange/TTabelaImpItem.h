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
    // A group whose code and beneficiary number are digits, as numbers: the table is asked once
    // per line of files of a hundred thousand lines, and a key of built strings cost more than
    // the reading of the line. The number's length keeps "0123" apart from "123".
    // Sixteen bytes: a file of a million groups keeps its table in tens of megabytes.
    struct TGrupoNumerico {
        std::uint64_t Ni = 0;
        std::uint16_t Dono = 0;   // FDonos' number of the owner, up to MaiorDono
        std::uint16_t Codigo = 0;
        char16_t Tipo = 0;
        std::uint8_t TamanhoNi = Vaga;   // Vaga: a free slot of the table
        std::uint8_t Vistos = 0;         // the identifiers met, a bit each

        static constexpr std::uint8_t Vaga = 0xFF;
        static constexpr std::uint32_t MaiorDono = 0xFFFF;   // owners after it are listed as text
        [[nodiscard]] bool MesmoGrupo(const TGrupoNumerico& Outro) const
        {
            return Ni == Outro.Ni && Dono == Outro.Dono && Codigo == Outro.Codigo && Tipo == Outro.Tipo
                   && TamanhoNi == Outro.TamanhoNi;
        }
    };
    static_assert(sizeof(TGrupoNumerico) == 16);

    [[nodiscard]] std::uint32_t NumeroDono(QStringView InAnexo, QStringView ChaveDono);
    // The slot of the group, made free for it when it is not there (Novo).
    TGrupoNumerico& Slot(const TGrupoNumerico& Grupo, bool& Novo);
    void Redimensiona(std::size_t Capacidade);
    static bool Marca(std::uint8_t& Vistos, QStringView Identificador);

    QHash<QString, std::uint32_t> FDonos;   // owner ("0" or "1", a separator, its key): its number
    QString FUltimoDono;                    // the last one asked, which the lines of a file repeat
    std::uint32_t FNumeroUltimoDono = 0;
    // Open addressing over a power-of-two table at most half full: one probe finds a group
    // mostly, where a table of linked nodes would take two or three misses of the cache.
    std::vector<TGrupoNumerico> FNumericos;
    std::size_t FOcupados = 0;
    QHash<QString, std::uint8_t> FOutros;   // the groups with any other code or number
};
