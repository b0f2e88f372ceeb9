#include "platform/files/TConfirmacoes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/files/CriaPastas.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TSubstituicao.h"

namespace {

const QString Sufixo = QStringLiteral(".confirmada");

QString Absoluto(const QString& caminho)
{
    return QDir::cleanPath(QFileInfo(caminho).absoluteFilePath());
}

}   // namespace

TConfirmacoes::TConfirmacoes(QString pasta)
    : FPasta(std::move(pasta))
{}

// Named by the place and the mark's bytes: another run at the same place writes another mark.
QString TConfirmacoes::Arquivo(const QString& destino, const QByteArray& marca) const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(Absoluto(destino).toUtf8());
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(marca);
    return FPasta + QLatin1Char('/') + QString::fromLatin1(hash.result().toHex()) + Sufixo;
}

bool TConfirmacoes::Registra(const QString& destino, const QByteArray& marca, QString& erro) const
{
    if (FPasta.isEmpty())
        return false;
    if (int erroSistema = 0; !CriaPastas(FPasta, erroSistema)) {
        erro = FalhaAoCriarPastas(FPasta, erroSistema);
        return false;
    }
    // The place's path inside, so that Poda finds the mark it stands for.
    return TArquivoNovo::GravaInteiro(Arquivo(destino, marca), Absoluto(destino).toUtf8(), erro);
}

TConfirmacoes::TEstado TConfirmacoes::Estado(const QString& destino, const QByteArray& marca) const
{
    if (FPasta.isEmpty())
        return TEstado::Ausente;
    struct stat st {};
    if (::lstat(QFile::encodeName(Arquivo(destino, marca)).constData(), &st) == 0)
        return TEstado::Registrada;
    return errno == ENOENT ? TEstado::Ausente : TEstado::Incerta;
}

void TConfirmacoes::Esquece(const QString& destino, const QByteArray& marca) const
{
    if (!FPasta.isEmpty())
        ::unlink(QFile::encodeName(Arquivo(destino, marca)).constData());
}

void TConfirmacoes::Poda(const QString& pasta) const
{
    if (FPasta.isEmpty())
        return;
    TArquivoNovo::RemoveAbandonados(FPasta);
    const QDir dir(FPasta);
    const QString lugares = Absoluto(pasta);
    for (const QString& nome : dir.entryList({QStringLiteral("*") + Sufixo}, QDir::Files | QDir::Hidden)) {
        QFile registro(dir.filePath(nome));
        if (!registro.open(QIODevice::ReadOnly))
            continue;
        const QString destino = QString::fromUtf8(registro.readAll());
        if (QFileInfo(destino).path() != lugares)
            continue;
        struct stat st {};
        if (::lstat(QFile::encodeName(TSubstituicao::NomeMarca(destino)).constData(), &st) != 0 && errno == ENOENT)
            ::unlink(QFile::encodeName(dir.filePath(nome)).constData());
    }
}
