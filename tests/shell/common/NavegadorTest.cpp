#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include "model/values/PastasPrograma.h"
#include "shell/common/Navegador.h"

namespace {

// Restores an environment variable when the test ends.
class Ambiente {
public:
    explicit Ambiente(const char* nome)
        : FNome(nome)
        , FValor(qgetenv(nome))
        , FDefinida(qEnvironmentVariableIsSet(nome))
    {}
    ~Ambiente()
    {
        if (FDefinida)
            qputenv(FNome, FValor);
        else
            qunsetenv(FNome);
    }

private:
    const char* FNome;
    QByteArray FValor;
    bool FDefinida;
};

}   // namespace

TEST(ExisteNavegador, FoundThroughTheBrowserVariableOrXdgOpen)
{
    Ambiente path("PATH"), browser("BROWSER");
    const QString pasta = DiretorioPrograma() + QStringLiteral("/bin");
    QDir().mkpath(pasta);
    qputenv("PATH", pasta.toLocal8Bit());
    qunsetenv("BROWSER");
    EXPECT_EQ(ProgramaNavegador(), QString());
    EXPECT_FALSE(ExisteNavegador(false));

    // A stand-in browser that writes down the address it was given.
    const QString saida = DiretorioPrograma() + QStringLiteral("/aberto.txt");
    QFile script(pasta + QStringLiteral("/xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\n").arg(saida).toLocal8Bit());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ProgramaNavegador(), script.fileName());

    qputenv("BROWSER", "nao-existe:xdg-open");
    EXPECT_EQ(ProgramaNavegador(), script.fileName());

    EXPECT_TRUE(ExisteNavegador(false));
    EXPECT_FALSE(QFile::exists(saida));
    EXPECT_TRUE(ExisteNavegador(true));
    QElapsedTimer relogio;
    relogio.start();
    while (!QFile::exists(saida) && relogio.elapsed() < 5000)
        QThread::msleep(10);
    QFile aberto(saida);
    ASSERT_TRUE(aberto.open(QIODevice::ReadOnly));
    EXPECT_EQ(aberto.readAll().trimmed(), QByteArray(EnderecoSitio));
    EXPECT_FALSE(QFile::exists(DiretorioPrograma() + QStringLiteral("/PRUV.HTM")));
}

TEST(ExisteNavegador, FalseWhenTheProgramFolderCannotTakeTheTemporaryPage)
{
    Ambiente home("PRUV2003_HOME");
    qputenv("PRUV2003_HOME", (DiretorioPrograma() + QStringLiteral("/nao-existe")).toLocal8Bit());
    EXPECT_FALSE(ExisteNavegador(false));
}
