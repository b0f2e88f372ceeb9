#include "platform/compress/TArquivosNovos.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

struct TArquivosNovos::TNovo {
    std::unique_ptr<QTemporaryFile> Temporario;
    QString Final;
};

TArquivosNovos::TArquivosNovos() = default;
TArquivosNovos::~TArquivosNovos() = default;

bool TArquivosNovos::Novo(const QString& caminho)
{
    const QFileInfo destino(caminho);
    auto novo = std::make_unique<TNovo>();
    novo->Final = destino.absoluteFilePath();
    novo->Temporario = std::make_unique<QTemporaryFile>(destino.absolutePath() + QStringLiteral("/.novo-XXXXXX"));
    if (!novo->Temporario->open())
        return false;
    FArquivos.push_back(std::move(novo));
    return true;
}

bool TArquivosNovos::Escreve(QByteArrayView dados)
{
    if (FArquivos.empty())
        return false;
    QTemporaryFile& arquivo = *FArquivos.back()->Temporario;
    return arquivo.write(dados.data(), dados.size()) == dados.size();
}

QString TArquivosNovos::Temporario()
{
    if (FArquivos.empty() || !FArquivos.back()->Temporario->flush())
        return {};
    return FArquivos.back()->Temporario->fileName();
}

bool TArquivosNovos::Confirma()
{
    for (auto& a : FArquivos) {
        // On disk before the rename, so that a crash cannot leave an empty file in place of a good one.
        if (!a->Temporario->flush() || ::fsync(a->Temporario->handle()) != 0)
            return false;
        a->Temporario->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::ReadOther);
    }
    for (auto& a : FArquivos) {
        a->Temporario->close();
        // rename(2) replaces the destination in one step; QFile::rename would refuse an existing one.
        if (std::rename(QFile::encodeName(a->Temporario->fileName()).constData(),
                        QFile::encodeName(a->Final).constData()) != 0)
            return false;
        a->Temporario->setAutoRemove(false);
    }
    FArquivos.clear();
    return true;
}
