#pragma once
#include <QString>
#include <QStringList>

#include "platform/compress/ResultadoCompressao.h"
#include "platform/compress/TAndamento.h"

// The packing and CRC service: zip archives (backups, ".cmp") and delivery files (".dec", the
// frame described in TPacoteEntrega.h) over libzip, CRC-32 over zlib.
//
// Files to pack are gathered by AdicionaArquivo and consumed by the next packing call, whatever
// its result. Packing never leaves a partial file: the archive is written under a temporary name
// and renamed when complete, so a failed or cancelled run keeps an existing file as it was.
// Unpacking writes only plain member names into the target folder (an archive holding any other
// name is refused whole), and only after every member was read and checked.
// One thread: CancelarCompressao is meant to be called from inside the progress callback (when
// it lets the interface handle a Cancel click).
class TCompactador final {
public:
    // The names the delivery frame packs and unpacks.
    static const QString NomeDeclaracao;           // "Declar.txt", the packed declaration text
    static const QString NomeRecibo;               // "Recibo.ini", the packed receipt data
    static const QString NomeDeclaracaoExtraida;   // "declar.txt", the name DescomprimirPruv writes
    // The work folders (TPastaDeTrabalho) in the program's temporary folder where ComprimirPruv
    // packs before framing.
    static const QString PrefixoPacote;

    // 1 when the file joins the next packing; 0 when it is not a readable file, or its name
    // could not be unpacked under itself, or a file of the same name (any case) was added.
    int AdicionaArquivo(const QString& caminho);

    // The CRC-32 register after the bytes of texto, continuing from crc: chaining calls over
    // consecutive pieces gives the register of their concatenation. Start from 0xFFFFFFFF and
    // complement the final register to get the standard CRC-32 (the value zlib's crc32 gives).
    static quint32 CalculaCRC32(const char* texto, quint32 tamanho, quint32 crc);

    // Asks the running packing or unpacking to stop; it then returns Cancelado.
    void CancelarCompressao() { FCancelar = true; }

    // Packs the added files into the zip archive arquivo: Ok, Cancelado or Falha.
    int Comprimir(const QString& arquivo, const TProgressoCompressao& progresso);
    // The system's error number (errno) of the last Comprimir or ComprimirPruv that failed
    // writing a file, and that file (the archive, the delivery file or the packing's work file in
    // the temporary folder); 0 and empty after a success, or when the failure was no file's.
    [[nodiscard]] int ErroSistema() const { return FErroSistema; }
    [[nodiscard]] const QString& ArquivoDoErro() const { return FArquivoDoErro; }

    // Packs the added files into the delivery file arquivo (which becomes its absolute path on
    // success): the added "Declar.txt" gives the plain header and the CRC; an added "Recibo.ini"
    // gets [Declaracao] VOLUMES=1 on disk and in the package. When segundoCaminho is given the
    // same delivery file is written there too (both or neither). The written file is read back
    // and its declaration's CRC checked before it replaces anything. Ok, Cancelado or Falha.
    int ComprimirPruv(QString& arquivo, const TProgressoCompressao& progresso,
                      const QString& segundoCaminho = QString());

    // The CRC-32 of the declaration text after its first line, as read back from the delivery
    // file of the last successful ComprimirPruv; 0 after a failed one.
    [[nodiscard]] quint32 ObtemCRCDeclaracao() const { return FCrcDeclaracao; }

    // Bounds of a member that Descomprimir writes: no data file of the program comes near the
    // size, and a member above the smaller size may unpack to no more than that many times its
    // packed bytes. A bomb is refused before anything is written.
    // The members' sum is bound alike, against the packed bytes of them all, which may not
    // exceed the archive's own size (TLeitorZip refuses members that overlap).
    static constexpr unsigned long long TamanhoMaximoMembro = 2ULL << 30;
    static constexpr unsigned long long TamanhoMaximoTotal = TamanhoMaximoMembro;
    static constexpr unsigned long long TamanhoSemLimiteDeRazao = 16ULL << 20;
    static constexpr unsigned long long RazaoMaximaCompressao = 100;
    // The largest declaration text the delivery layout allows: the header line and 99,999,999
    // numbered lines (the sequence has 8 digits) of 730 characters, each ended by CR LF. Its
    // packing is bound by the same ratio as a member's.
    static constexpr unsigned long long TamanhoMaximoDeclaracao = 248ULL + 2 + 99'999'999ULL * 732;
    // Unpacking leaves at least this much free on the target's volume.
    static constexpr unsigned long long MargemLivre = 64ULL << 20;

    // Unpacks every member of the zip archive arquivo into pasta under its own name:
    // Ok, Cancelado, FormatoDesconhecido (not a zip archive) or Falha (a member or their sum out
    // of the bounds above, or more than the volume's free space less the margin, among others).
    int Descomprimir(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso);

    // Unpacks the declaration of the delivery file arquivo into pasta as "declar.txt", after
    // checking it against the CRC of the plain header: Ok, Cancelado, FormatoDesconhecido (not a
    // delivery file of this library, such as the packing of earlier versions) or Falha (also a
    // declaration beyond its bounds above or the free space less the margin).
    int DescomprimirPruv(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso);

    // Unpacks the receipt data of the delivery file arquivo into pasta as "Recibo.ini":
    // 1 done, 0 failed (for any reason, foreign files included).
    int DescomprimirReciboPruv(const QString& arquivo, const QString& pasta);

private:
    QStringList FArquivos;   // absolute paths, in the order added
    bool FCancelar = false;
    quint32 FCrcDeclaracao = 0;
    int FErroSistema = 0;
    QString FArquivoDoErro;
};
