#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

struct zip;

// Reads a zip archive that starts at a given byte of a file (0 for a plain archive).
// Results are those of ResultadoCompressao.
class TLeitorZip final {
public:
    TLeitorZip() = default;
    TLeitorZip(const TLeitorZip&) = delete;
    TLeitorZip& operator=(const TLeitorZip&) = delete;
    ~TLeitorZip();

    // FormatoDesconhecido when the bytes from inicio on are not a zip archive, Falha when the
    // file cannot be read or the archive is inconsistent. Members may not overlap: each takes at
    // least its local header and its packed bytes, and all of them no more than the archive's
    // real bytes, so that what is unpacked is bound by the archive's size and not by what the
    // members claim.
    int Abre(const QString& caminho, qint64 inicio = 0);

    [[nodiscard]] int Quantidade() const;
    [[nodiscard]] QString Nome(int i) const;
    [[nodiscard]] unsigned long long Tamanho(int i) const;
    [[nodiscard]] unsigned long long TamanhoComprimido(int i) const;
    // The CRC-32 the archive records for member i (Le checks the bytes against it); 0 when unknown.
    [[nodiscard]] quint32 Crc(int i) const;
    // Index of the member of that name, compared without regard to case; -1 when absent.
    [[nodiscard]] int Procura(const QString& nome) const;
    // True when every member is a plain file name (its stored bytes free of control codes and,
    // beyond ASCII, UTF-8; no folder part, no "..", no drive) and no two names are alike: only
    // such archives are unpacked.
    [[nodiscard]] bool NomesSeguros() const;

    // Streams member i, in pieces, to recebe; false when a piece cannot be read, the member's
    // CRC does not match, or recebe answers false.
    bool Le(int i, const std::function<bool(QByteArrayView)>& recebe) const;
    // The whole member i; false as Le. limite guards against a member that claims too much.
    bool LeTudo(int i, QByteArray& dados, qint64 limite) const;

    // A name that can be written inside a folder without leaving it.
    static bool NomeSeguro(const QString& nome);

private:
    [[nodiscard]] bool NomeBrutoImprimivel(int i) const;
    [[nodiscard]] bool CabeNoArquivo(qint64 bytes) const;

    zip* FZip = nullptr;
    QString FCaminho;   // the file the archive is read from
};
