#pragma once
#include <QString>

struct TVolume;

// Names and places of a delivery file (".dec") and of the receipt file (".rec") that the
// transmission leaves beside it.
class TNomeEntrega final {
public:
    TNomeEntrega() = delete;

    // NiEntrega: the delivery's number (the declarant's root, the establishment order and
    // their check digits), 11 or 14 digits. "<NI>-PRUV-2003-<year>-RETIF|ORIGI-NORMAL|
    // ESPOLIOSAIDA|EXTINCAO.dec"; the special situation reads as the estate's closing or the
    // departure for a person and as the extinction for a legal entity.
    [[nodiscard]] static QString Arquivo(const QString& NiEntrega, const QString& Ano, bool Retificadora,
                                         bool SituacaoEspecial, bool PessoaFisica);
    // The root of a removable medium; on any other volume
    // "<root>/Declaracoes Gravadas XEQ/Pruv2003/<NI>/<year>".
    [[nodiscard]] static QString Pasta(const TVolume& Volume, const QString& NiEntrega, const QString& Ano);
    // "<root>/Declaracoes Gravadas XEQ/Pruv2003": the folder of the NI folders on a volume that
    // is not removable.
    [[nodiscard]] static QString Gravadas(const QString& Raiz);
    // The packed delivery file while it waits beside its place: the same path with ".tmp".
    [[nodiscard]] static QString Pacote(const QString& CaminhoDec);
    // The name (without folder) is one that Arquivo makes.
    [[nodiscard]] static bool EhArquivo(const QString& Nome);
    // The name (without folder) is that of a packed delivery file waiting for its place.
    [[nodiscard]] static bool EhPacote(const QString& Nome);
    // The receipt file of a delivery file: the same name with ".rec", found whatever the case
    // of its letters; empty when there is none.
    [[nodiscard]] static QString ReciboExistente(const QString& CaminhoDec);
};
