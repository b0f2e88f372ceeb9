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
