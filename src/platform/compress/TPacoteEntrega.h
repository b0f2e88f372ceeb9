#pragma once
#include <QByteArray>
#include <QString>

// The frame of a delivery file (".dec"): a plain header that lists of recorded files read
// without unpacking, followed by the packed files.
//
//   bytes 1..n      the first line of the packed declaration text (its header, n >= 142 bytes),
//                   with positions 102-111 replaced by the declaration's CRC-32 as 10 decimal
//                   digits with leading zeros, and position 125 by the volume flag "0" (the
//                   whole delivery is in this one file; the only kind written here)
//   then            CR LF
//   then            the 8 bytes "PKDEC01" + LF, the mark of this library's packing
//   then            a zip archive (libzip, deflate, UTF-8 names) up to the end of the file,
//                   holding each packed file under its plain name: the declaration text
//                   ("Declar.txt") and the receipt data ("Recibo.ini")
//
// The CRC covers the declaration text after its first line (the header is not part of it):
// CRC-32 as zlib computes it, the same value as the running CRC of the lines that wrote it.
// Files that are not in this frame (other programs, or the packing of earlier versions) are
// recognised as foreign and refused, never guessed at.
class TPacoteEntrega final {
public:
    static constexpr int TamanhoMinimoCabecalho = 142;
    static constexpr int TamanhoMaximoCabecalho = 4096;
    static constexpr int PosicaoCrc = 102;      // 1-based, 10 bytes
    static constexpr int PosicaoVolume = 125;   // 1-based, 1 byte

    // The plain header made from the declaration's first line (without its line end).
    // Empty when the line is shorter than TamanhoMinimoCabecalho or longer than the maximum.
    static QByteArray MontaCabecalho(const QByteArray& primeiraLinha, quint32 crc);
    // The bytes that stand between the header and the archive: CR LF and the mark.
    static QByteArray Separador();

    // Reads the frame of caminho: the plain header and where the archive begins.
    // Results: ResultadoCompressao::Ok, FormatoDesconhecido (not this frame), Falha (unreadable).
    static int Le(const QString& caminho, QByteArray& cabecalho, qint64& inicioArquivo);
    // The CRC written in a header read by Le; false when its digits are not a CRC.
    static bool CrcDoCabecalho(const QByteArray& cabecalho, quint32& crc);
};
