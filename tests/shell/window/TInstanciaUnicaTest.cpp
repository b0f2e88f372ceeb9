#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ProcessoLimitado.h"
#include "support/ProgramaDeTeste.h"
#include "shell/window/TInstanciaUnica.h"
#include "shell/Espera.h"

namespace {

const QString Nome = QStringLiteral("Pruv 2003");

}   // namespace

TEST(TInstanciaUnica, TheFirstStartRunsAndASecondAsksItToComeToTheFront)
{
    TInstanciaUnica primeira(ProgramaDeTeste::Pasta(), Nome);
    int pedidos = 0;
    QObject::connect(&primeira, &TInstanciaUnica::PedidoParaFrente, [&pedidos] { ++pedidos; });
    ASSERT_FALSE(primeira.InstanciaAnterior());

    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(segunda.InstanciaAnterior());
    EXPECT_TRUE(Espera([&pedidos] { return pedidos == 1; }));

    TInstanciaUnica terceira(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(terceira.InstanciaAnterior());
    EXPECT_TRUE(Espera([&pedidos] { return pedidos == 2; }));
}

TEST(TInstanciaUnica, TheFirstWindowComesBackFromMinimised)
{
    QWidget janela;
    janela.setWindowTitle(QStringLiteral("Pruv 2003"));
    janela.showMinimized();
    TInstanciaUnica primeira(ProgramaDeTeste::Pasta(), Nome);
    ASSERT_FALSE(primeira.InstanciaAnterior());
    primeira.DefineJanela(&janela);

    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    ASSERT_TRUE(segunda.InstanciaAnterior());
    EXPECT_TRUE(Espera([&janela] { return !(janela.windowState() & Qt::WindowMinimized); }));
    EXPECT_TRUE(janela.isVisible());
}

// What a start killed between making the marker and writing it leaves, or a power cut, or a
// copy on another machine: a marker that no running copy holds. The next start in the session
// comes up, whatever the marker holds, and keeps later starts out in turn.
TEST(TInstanciaUnica, AMarkerNoRunningCopyHoldsIsTakenOverWhateverItHolds)
{
    const QString marcador = ProgramaDeTeste::Pasta() + QLatin1Char('/') + Nome + QStringLiteral(".lock");
    const struct {
        const char* caso;
        QByteArray conteudo;
    } casos[] = {
        {"empty", QByteArray()},
        {"garbled", QByteArray("\x93\x00\xff\x10lixo\n\n\x01", 11)},
        {"another host", QByteArray("4242\nPruv 2003\noutra-maquina\n")},
        {"a running process of another program",
         QByteArray::number(::getppid()) + "\nsh\n" + QSysInfo::machineHostName().toUtf8() + '\n'},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile arquivo(marcador);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(c.conteudo);
        arquivo.close();
        {
            TInstanciaUnica inicio(ProgramaDeTeste::Pasta(), Nome);
            EXPECT_FALSE(inicio.InstanciaAnterior()) << "the start did not come up";
            TInstanciaUnica seguinte(ProgramaDeTeste::Pasta(), Nome);
            EXPECT_TRUE(seguinte.InstanciaAnterior()) << "held by the start that came up";
        }
        EXPECT_FALSE(QFile::exists(marcador)) << "let go at the end";
    }
}

// A copy that holds the marker but does not answer (hung, or its socket could not be opened)
// keeps no later start out: after a short wait the start runs, and the program folder's own lock
// speaks for it where the two would share a folder.
TEST(TInstanciaUnica, AStartWhoseFirstCopyDoesNotAnswerRuns)
{
    const QByteArray marcador = QFile::encodeName(ProgramaDeTeste::Pasta() + QLatin1Char('/') + Nome
                                                  + QStringLiteral(".lock"));
    const int primeira = ::open(marcador.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(primeira, 0);
    ASSERT_EQ(::flock(primeira, LOCK_EX | LOCK_NB), 0);
    // Its number, name and machine, as a running copy writes them.
    const QByteArray conteudo = QByteArray::number(::getpid()) + '\n' + QCoreApplication::applicationName().toUtf8()
        + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    ASSERT_EQ(::write(primeira, conteudo.constData(), static_cast<size_t>(conteudo.size())), conteudo.size());
    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_FALSE(segunda.InstanciaAnterior());
    ::close(primeira);
}

// A first copy that has taken the marker and opens its socket a moment later is still found:
// the later start waits for it, hands it the request and ends.
TEST(TInstanciaUnica, AFirstCopyStillStartingIsWaitedForAndAsked)
{
    const QString caminho = ProgramaDeTeste::Pasta() + QLatin1Char('/') + Nome;
    int pronto[2];
    ASSERT_EQ(::pipe(pronto), 0);
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        const int trava = ::open(QFile::encodeName(caminho + QStringLiteral(".lock")).constData(),
                                 O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (trava < 0 || ::flock(trava, LOCK_EX | LOCK_NB) != 0 || ::write(pronto[1], "1", 1) != 1)
            ::_exit(2);
        QThread::msleep(500);   // still starting
        QLocalServer servidor;
        if (!servidor.listen(caminho) || !servidor.waitForNewConnection(10000))
            ::_exit(3);
        QLocalSocket* pedido = servidor.nextPendingConnection();
        while (pedido->bytesAvailable() < 7 && pedido->waitForReadyRead(10000)) {}
        ::_exit(pedido->readAll() == "frente\n" ? 0 : 4);
    }
    char nada = 0;
    ASSERT_EQ(::read(pronto[0], &nada, 1), 1);
    TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(segunda.InstanciaAnterior());
    int estado = 0;
    ASSERT_EQ(waitpid(filho, &estado, 0), filho);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << "the first copy was not asked to come forward";
    ::close(pronto[0]);
    ::close(pronto[1]);
}

TEST(TInstanciaUnica, AfterTheFirstEndsTheNextStartRuns)
{
    {
        TInstanciaUnica primeira(ProgramaDeTeste::Pasta(), Nome);
        ASSERT_FALSE(primeira.InstanciaAnterior());
    }
    TInstanciaUnica seguinte(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_FALSE(seguinte.InstanciaAnterior());
    TInstanciaUnica outra(ProgramaDeTeste::Pasta(), Nome);
    EXPECT_TRUE(outra.InstanciaAnterior());
}

// With no runtime folder of the session (a login by su), the marker must not go where another
// user can prepare it: in a shared temporary folder where another user listens on the socket and
// holds the marker, or left a fifo under its name, and took the user's fallback folder as well,
// the start is neither ended nor held; it runs without the check.
TEST(TInstanciaUnica, WithoutAFolderOfItsOwnNoOtherUsersFilesDecideWhetherItRuns)
{
    constexpr int Outro = 65534;
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(Outro); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    const QString compartilhada = ProgramaDeTeste::Pasta() + QStringLiteral("/tmp");
    ASSERT_TRUE(QDir().mkpath(compartilhada + QStringLiteral("/runtime-root")));
    ASSERT_EQ(::chmod(QFile::encodeName(ProgramaDeTeste::Pasta()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(compartilhada).constData(), 01777), 0);
    ASSERT_EQ(::chown(QFile::encodeName(compartilhada + QStringLiteral("/runtime-root")).constData(), Outro, Outro), 0);
    const QString caminho = compartilhada + QLatin1Char('/') + Nome;

    // The other user listens on the socket and holds the marker.
    int pronto[2];
    ASSERT_EQ(::pipe(pronto), 0);
    const pid_t outro = fork();
    ASSERT_GE(outro, 0);
    if (outro == 0) {
        ::alarm(30);
        if (::setgid(Outro) != 0 || ::setuid(Outro) != 0)
            ::_exit(100);
        const int trava = ::open(QFile::encodeName(caminho + QStringLiteral(".lock")).constData(),
                                 O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        QLocalServer servidor;
        if (trava < 0 || ::flock(trava, LOCK_EX) != 0 || !servidor.listen(caminho) || ::write(pronto[1], "1", 1) != 1)
            ::_exit(2);
        for (;;)
            servidor.waitForNewConnection(1000);
    }
    ::close(pronto[1]);
    char nada = 0;
    ASSERT_EQ(::read(pronto[0], &nada, 1), 1) << "the other user's copy did not come up";
    const auto inicia = [&compartilhada] {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(compartilhada));
        TInstanciaUnica inicio(TInstanciaUnica::PastaPadrao(), Nome);
        return inicio.InstanciaAnterior() ? 1 : 0;
    };
    EXPECT_EQ(NoProcessoLimitado(inicia), 0) << "1: ended by the other user's listener; -1: held";
    ::kill(outro, SIGKILL);
    ::waitpid(outro, nullptr, 0);
    ::close(pronto[0]);

    // A fifo under the marker's name, made by the other user, for a start of a third.
    ASSERT_TRUE(QFile::remove(caminho + QStringLiteral(".lock")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(caminho + QStringLiteral(".lock")).constData(), 0644), 0);
    ASSERT_TRUE(QDir().mkpath(compartilhada + QStringLiteral("/runtime-nobody")));
    EXPECT_EQ(NoProcessoLimitado(inicia, Outro), 0) << "-1: held by the fifo";
}

// A first copy that is stopped, or hung, still has its socket taken by the system: a later start
// waits for its answer a moment, and tells that a copy runs but does not answer instead of
// ending silently. A copy that answers is told apart.
TEST(TInstanciaUnica, ALaterStartTellsAFirstCopyThatAnswersFromOneThatDoesNot)
{
    int pronto[2];
    ASSERT_EQ(::pipe(pronto), 0);
    const pid_t primeira = fork();
    ASSERT_GE(primeira, 0);
    if (primeira == 0) {
        ::alarm(30);
        TInstanciaUnica copia(ProgramaDeTeste::Pasta(), Nome);
        if (copia.InstanciaAnterior() || ::write(pronto[1], "1", 1) != 1)
            ::_exit(2);
        for (;;)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    char nada = 0;
    ASSERT_EQ(::read(pronto[0], &nada, 1), 1);
    {
        TInstanciaUnica segunda(ProgramaDeTeste::Pasta(), Nome);
        EXPECT_TRUE(segunda.InstanciaAnterior());
        EXPECT_TRUE(segunda.Respondeu()) << "the running copy answered";
    }
    ::kill(primeira, SIGSTOP);
    {
        TInstanciaUnica terceira(ProgramaDeTeste::Pasta(), Nome);
        EXPECT_TRUE(terceira.InstanciaAnterior()) << "a copy runs";
        EXPECT_FALSE(terceira.Respondeu()) << "the stopped copy cannot have answered";
    }
    ::kill(primeira, SIGKILL);
    ::waitpid(primeira, nullptr, 0);
    ::close(pronto[0]);
    ::close(pronto[1]);
}
