#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include "support/ProgramaDeTeste.h"
#include "platform/files/TPastaDeTrabalho.h"

namespace {

QString Pai()
{
    const QString pai = ProgramaDeTeste::Pasta() + QStringLiteral("/TEMP");
    QDir().mkpath(pai);
    return pai;
}

// A work folder made by another process, which is then killed: its path.
QString DeUmaCopiaMorta(const QString& Prefixo)
{
    int canal[2];
    if (::pipe(canal) != 0)
        return {};
    const pid_t filho = ::fork();
    if (filho == 0) {
        const TPastaDeTrabalho pasta(Pai(), Prefixo);
        QFile copia(pasta.Arquivo(QStringLiteral("pruv2003.db")));
        const bool feita = pasta.Valida() && copia.open(QIODevice::WriteOnly) && copia.write("dados") == 5;
        copia.close();
        const QByteArray caminho = feita ? QFile::encodeName(pasta.Caminho()) : QByteArray();
        if (::write(canal[1], caminho.constData(), static_cast<size_t>(caminho.size())) < 0)
            ::_exit(1);
        ::close(canal[1]);
        ::pause();   // until killed, with its folder held
        ::_exit(0);
    }
    ::close(canal[1]);
    char caminho[4096];
    const ssize_t lidos = ::read(canal[0], caminho, sizeof caminho);
    ::close(canal[0]);
    ::kill(filho, SIGKILL);
    int estado = 0;
    ::waitpid(filho, &estado, 0);
    return lidos > 0 ? QFile::decodeName(QByteArray(caminho, static_cast<int>(lidos))) : QString();
}

void Envelhece(const QString& Pasta)
{
    const struct utimbuf antiga {
        0, 1000000000
    };
    ::utime(QFile::encodeName(Pasta).constData(), &antiga);
}

}   // namespace

TEST(TPastaDeTrabalho, IsMadeUnderItsParentAndGoesWithEverythingInIt)
{
    QString caminho;
    {
        const TPastaDeTrabalho pasta(Pai(), QStringLiteral("copia"));
        ASSERT_TRUE(pasta.Valida());
        caminho = pasta.Caminho();
        EXPECT_TRUE(QFileInfo(caminho).fileName().startsWith(QStringLiteral("copia-")));
        EXPECT_EQ(QFileInfo(caminho).absolutePath(), Pai());
        QFile arquivo(pasta.Arquivo(QStringLiteral("pruv2003.db")));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(QFileInfo::exists(caminho));
}

TEST(TPastaDeTrabalho, OnlyFoldersNoRunningCopyOwnsAreRemoved)
{
    const QString morta = DeUmaCopiaMorta(QStringLiteral("restauracao"));
    ASSERT_FALSE(morta.isEmpty());
    ASSERT_TRUE(QFileInfo(morta + QStringLiteral("/pruv2003.db")).isFile());   // the kill left it

    const TPastaDeTrabalho viva(Pai(), QStringLiteral("copia"));
    ASSERT_TRUE(viva.Valida());
    // Without a lock: made by a version that took none, or killed before it took one.
    const QString semTravaAntiga = Pai() + QStringLiteral("/copia-antiga");
    const QString semTravaNova = Pai() + QStringLiteral("/copia-recente");
    const QString outra = Pai() + QStringLiteral("/outra-coisa");
    for (const QString& p : {semTravaAntiga, semTravaNova, outra})
        ASSERT_TRUE(QDir().mkpath(p));
    Envelhece(semTravaAntiga);
    Envelhece(outra);

    EXPECT_EQ(TPastaDeTrabalho::RemoveAbandonadas(Pai(), {QStringLiteral("copia"), QStringLiteral("restauracao")}), 2);
    EXPECT_FALSE(QFileInfo::exists(morta));
    EXPECT_FALSE(QFileInfo::exists(semTravaAntiga));
    EXPECT_TRUE(QFileInfo(viva.Caminho() + QLatin1Char('/') + TPastaDeTrabalho::NomeTrava).isFile());
    EXPECT_TRUE(QFileInfo::exists(semTravaNova));
    EXPECT_TRUE(QFileInfo::exists(outra));
}
