#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failures: gtest finds these through QString's namespace.
inline void PrintTo(const QString& texto, std::ostream* os)
{
    *os << '"' << texto.toStdString() << '"';
}

// Files for the packing tests, made inside the running case's program folder.
namespace ArquivosDeTeste {

QString Pasta(const QString& nome);   // created when missing
QString Grava(const QString& caminho, const QByteArray& dados);
QByteArray Le(const QString& caminho);
QStringList Conteudo(const QString& pasta);                 // names in the folder, hidden ones too, sorted
QByteArray Aleatorio(qsizetype tamanho, quint32 semente);   // bytes that do not compress

// A declaration text in the delivery layout: a 248-byte header, then `linhas` lines of 730 bytes,
// every line ended by CR LF.
QByteArray Declaracao(int linhas);
// A zip archive holding the given names and contents, written without any of our checks.
QByteArray Zip(const QList<QPair<QByteArray, QByteArray>>& membros);

// A zip archive whose members overlap: each member's packed data first quotes the local headers
// of the members after it, as stored blocks, and all end in one shared packed block of nucleo.
// Member i unpacks to the headers of the members after it and nucleo; each member's recorded
// sizes and CRC are true, so only the overlap tells it apart.
QByteArray ZipSobreposto(const QList<QByteArray>& nomes, const QByteArray& nucleo);

// zlib's CRC-32 of the bytes; the text after its first line.
quint32 CrcZlib(const QByteArray& dados);
QByteArray AposPrimeiraLinha(const QByteArray& texto);
// A delivery file framed around an archive, with the header and CRC of the declaration text.
QByteArray EntregaCom(const QByteArray& zip, const QByteArray& declaracao);

}   // namespace ArquivosDeTeste
