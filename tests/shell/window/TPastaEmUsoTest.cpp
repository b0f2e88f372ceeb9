#include <QFile>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/window/TPastaEmUso.h"
#include "support/ProgramaDeTeste.h"

// One copy per program folder: a second is refused while the first holds it, whichever session
// it came from; the folder is free again when the first ends, or when it was killed holding it.
TEST(TPastaEmUso, AFolderHeldByARunningCopyIsRefusedAndOneLeftByAKilledCopyIsTaken)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    {
        TPastaEmUso primeira(pasta);
        ASSERT_TRUE(primeira.Trava());
        TPastaEmUso segunda(pasta);
        EXPECT_FALSE(segunda.Trava());
        EXPECT_TRUE(segunda.MensagemEmUso().contains(pasta)) << segunda.MensagemEmUso().toStdString();
    }
    TPastaEmUso depois(pasta);
    EXPECT_TRUE(depois.Trava()) << "the first copy ended";

    // A copy killed while it held the folder leaves its lock file behind.
    const QString outra = pasta + QStringLiteral("/outra");
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        TPastaEmUso morta(outra);
        ::_exit(morta.Trava() ? 0 : 1);   // no destructor: the lock stays as a kill leaves it
    }
    int estado = 0;
    ASSERT_EQ(waitpid(filho, &estado, 0), filho);
    ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    ASSERT_TRUE(QFile::exists(outra + QLatin1Char('/') + TPastaEmUso::NomeArquivo()));
    TPastaEmUso seguinte(outra);
    EXPECT_TRUE(seguinte.Trava());
}

// A lock file that no running copy holds is taken over whatever it holds: one a start killed
// before writing it left empty, one of random bytes; its content then names this copy.
TEST(TPastaEmUso, ALockFileNoCopyHoldsIsTakenOverWhateverItHolds)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    const QString arquivo = pasta + QLatin1Char('/') + TPastaEmUso::NomeArquivo();
    for (const QByteArray& conteudo : {QByteArray(), QByteArray("\x93\x00\xff\x10garbage\n\n\x01", 14),
                                       QByteArray("999999\nPruv 2003\noutra-maquina\n")}) {
        SCOPED_TRACE(conteudo.toHex().toStdString());
        QFile lock(arquivo);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(conteudo);
        lock.close();
        {
            TPastaEmUso pasta1(pasta);
            ASSERT_TRUE(pasta1.Trava());
            QFile escrito(arquivo);
            ASSERT_TRUE(escrito.open(QIODevice::ReadOnly));
            EXPECT_TRUE(escrito.readAll().startsWith(QByteArray::number(::getpid()) + '\n'));
            TPastaEmUso segunda(pasta);
            EXPECT_FALSE(segunda.Trava()) << "held by the first";
        }
        EXPECT_FALSE(QFile::exists(arquivo)) << "let go at the end";
    }
}
