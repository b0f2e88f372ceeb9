#include "shell/window/TPastaEmUso.h"

#include <QDir>
#include <QLockFile>
#include <QtGlobal>

QString TPastaEmUso::NomeArquivo()
{
    return QStringLiteral("pruv2003.lock");
}

TPastaEmUso::TPastaEmUso(QString pasta)
    : FPasta(std::move(pasta))
{}

TPastaEmUso::~TPastaEmUso() = default;

bool TPastaEmUso::Trava()
{
    QDir().mkpath(FPasta);
    FTrava = std::make_unique<QLockFile>(FPasta + QLatin1Char('/') + NomeArquivo());
    FTrava->setStaleLockTime(0);   // only a lock whose process has died is taken over
    if (FTrava->tryLock(0))
        return true;
    const QLockFile::LockError erro = FTrava->error();
    FTrava.reset();
    if (erro == QLockFile::LockFailedError)
        return false;
    qWarning("cannot lock the program folder %s; starting without the lock", qUtf8Printable(FPasta));
    return true;
}

QString TPastaEmUso::MensagemEmUso() const
{
    return QStringLiteral("A pasta do programa ") + QDir::toNativeSeparators(FPasta)
        + QStringLiteral(" está em uso por outra cópia do Pruv 2003, aberta por outro usuário ou em outra sessão. "
                         "Feche aquela cópia antes de iniciar esta. O programa será finalizado.");
}
