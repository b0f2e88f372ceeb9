#include <functional>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/window/TPastaEmUso.h"
#include "support/ProcessoLimitado.h"
#include "support/ProgramaDeTeste.h"

using R = TPastaEmUso::TResultado;

namespace {

// A copy that took the folder and was killed holding it: its lock file stays behind.
bool CopiaMorta(const QString& pasta)
{
    const pid_t filho = fork();
    if (filho == 0) {
        TPastaEmUso morta(pasta);
        ::_exit(morta.Trava() == R::Travado ? 0 : 1);   // no destructor: the lock stays as a kill leaves it
    }
    int estado = 0;
    return filho > 0 && waitpid(filho, &estado, 0) == filho && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

}   // namespace

// One copy per program folder: a second is refused while the first holds it, whichever session
// it came from; the folder is free again when the first ends, or when it was killed holding it.
TEST(TPastaEmUso, AFolderHeldByARunningCopyIsRefusedAndOneLeftByAKilledCopyIsTaken)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    {
        TPastaEmUso primeira(pasta);
        ASSERT_EQ(primeira.Trava(), R::Travado);
        TPastaEmUso segunda(pasta);
        EXPECT_EQ(segunda.Trava(), R::EmUso);
        EXPECT_TRUE(segunda.MensagemEmUso().contains(pasta)) << segunda.MensagemEmUso().toStdString();
    }
    TPastaEmUso depois(pasta);
    EXPECT_EQ(depois.Trava(), R::Travado) << "the first copy ended";

    // A copy killed while it held the folder leaves its lock file behind.
    const QString outra = pasta + QStringLiteral("/outra");
    ASSERT_TRUE(CopiaMorta(outra));
    ASSERT_TRUE(QFile::exists(outra + QLatin1Char('/') + TPastaEmUso::NomeArquivo()));
    TPastaEmUso seguinte(outra);
    EXPECT_EQ(seguinte.Trava(), R::Travado);
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
            ASSERT_EQ(pasta1.Trava(), R::Travado);
            QFile escrito(arquivo);
            ASSERT_TRUE(escrito.open(QIODevice::ReadOnly));
            EXPECT_TRUE(escrito.readAll().startsWith(QByteArray::number(::getpid()) + '\n'));
            TPastaEmUso segunda(pasta);
            EXPECT_EQ(segunda.Trava(), R::EmUso) << "held by the first";
        }
        EXPECT_FALSE(QFile::exists(arquivo)) << "let go at the end";
    }
}

namespace {

constexpr int OutroUsuario = 65534;

// Runs acao in a child process under another user id (the tests run as root); its exit code, -1
// when it hung.
int ComoOutroUsuario(const std::function<int()>& acao, mode_t mascara = 022)
{
    return NoProcessoLimitado(acao, OutroUsuario, mascara);
}

// A folder every user may use, as a program folder shared by several logins is.
void AbreParaTodos(const QString& pasta)
{
    ASSERT_EQ(::chmod(QFile::encodeName(pasta).constData(), 0777), 0);
}

// Another user's copy that takes the folder and holds it until Solta; a bound ends it if the test
// never lets it go.
class CopiaDeOutroUsuario final {
public:
    explicit CopiaDeOutroUsuario(const QString& pasta)
    {
        if (::pipe(FPronto) != 0 || ::pipe(FSegue) != 0)
            return;
        FFilho = fork();
        if (FFilho != 0)
            return;
        ::alarm(10);
        if (::setgid(OutroUsuario) != 0 || ::setuid(OutroUsuario) != 0)
            ::_exit(100);
        TPastaEmUso outra(pasta);
        const char tomou = outra.Trava() == R::Travado ? '1' : '0';
        char nada = 0;
        if (::write(FPronto[1], &tomou, 1) != 1 || ::read(FSegue[0], &nada, 1) != 1)
            ::_exit(101);
        ::_exit(0);
    }
    CopiaDeOutroUsuario(const CopiaDeOutroUsuario&) = delete;
    CopiaDeOutroUsuario& operator=(const CopiaDeOutroUsuario&) = delete;
    ~CopiaDeOutroUsuario()
    {
        for (const int d : {FPronto[0], FPronto[1], FSegue[0], FSegue[1]})
            if (d >= 0)
                ::close(d);
    }

    // Whether it took the folder, once it tried.
    [[nodiscard]] bool Tomou() const
    {
        char tomou = 0;
        return FFilho > 0 && ::read(FPronto[0], &tomou, 1) == 1 && tomou == '1';
    }
    // Lets the folder go; true when the copy ended well.
    [[nodiscard]] bool Solta() const
    {
        const char vai = 'x';
        int estado = 0;
        return FFilho > 0 && ::write(FSegue[1], &vai, 1) == 1 && waitpid(FFilho, &estado, 0) == FFilho
            && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    }

private:
    int FPronto[2] = {-1, -1};
    int FSegue[2] = {-1, -1};
    pid_t FFilho = -1;
};

}   // namespace

// Two user ids on one program folder: the lock file made by one may only be read by the other,
// who must still be kept out while the first runs, be told who holds it, and take the folder
// (through a read-only descriptor) once it is free, keeping the first out in turn.
TEST(TPastaEmUso, AnotherUserIsKeptOutToldWhoHoldsTheFolderAndTakesItWhenFree)
{
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(OutroUsuario); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    const QString pasta = ProgramaDeTeste::Pasta();
    ASSERT_TRUE(QFile::setPermissions(pasta,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
    {
        TPastaEmUso primeira(pasta);
        ASSERT_EQ(primeira.Trava(), R::Travado);
        const int saida = ComoOutroUsuario([&pasta] {
            TPastaEmUso outra(pasta);
            if (outra.Trava() != R::EmUso)
                return 1;   // went on beside the first
            return outra.MensagemEmUso().contains(QStringLiteral("em uso por outro usuário (root)")) ? 0 : 2;
        });
        EXPECT_EQ(saida, 0) << "1: went on without the lock; 2: not told that another user holds it";
    }

    // The first copy was killed: its file stays, the other user's to read only, naming a process
    // of this machine that has ended.
    const QString arquivo = pasta + QLatin1Char('/') + TPastaEmUso::NomeArquivo();
    const pid_t terminado = fork();
    if (terminado == 0)
        ::_exit(0);
    ASSERT_EQ(waitpid(terminado, nullptr, 0), terminado);
    {
        QFile deixado(arquivo);
        ASSERT_TRUE(deixado.open(QIODevice::WriteOnly));
        deixado.write(QByteArray::number(terminado) + "\nPruv 2003\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    }
    const CopiaDeOutroUsuario copia(pasta);
    EXPECT_TRUE(copia.Tomou()) << "the other user took the free folder";
    TPastaEmUso depois(pasta);
    EXPECT_EQ(depois.Trava(), R::EmUso) << "held by the other user's copy";
    // The words in the file are the first copy's: who holds it now cannot be known, and no one
    // is named.
    EXPECT_TRUE(depois.MensagemEmUso().contains(QStringLiteral("em uso por outra cópia do Pruv 2003,")))
        << depois.MensagemEmUso().toStdString();
    EXPECT_TRUE(copia.Solta());
}

// A folder where this user can make no lock file (nor find one) keeps no second copy out: the
// start cannot take it, and asks the user with the reason before it goes on.
TEST(TPastaEmUso, AFolderThatTakesNoLockIsToldWithItsReason)
{
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(OutroUsuario); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/fechada");
    ASSERT_TRUE(QDir().mkpath(pasta));
    ASSERT_TRUE(QFile::setPermissions(ProgramaDeTeste::Pasta(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(pasta,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::ExeOther));
    const int saida = ComoOutroUsuario([&pasta] {
        TPastaEmUso outra(pasta);
        if (outra.Trava() != R::Impossivel)
            return 1;
        const QString pergunta = outra.PerguntaSemTrava();
        return pergunta.contains(QDir::toNativeSeparators(pasta)) && pergunta.contains(QStringLiteral("negado"))
                && pergunta.endsWith(QStringLiteral("Deseja continuar?"))
            ? 0
            : 2;
    });
    EXPECT_EQ(saida, 0) << "1: not told that no lock could be taken; 2: the question lacks the folder or the reason";
}

// Whatever stands under the lock's name that is not a regular file never holds a start: it is
// refused at once, for the user who made it and for another, and the question tells what it is.
TEST(TPastaEmUso, NoKindOfFileUnderTheLocksNameHoldsAStartAndItsReasonIsTold)
{
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(OutroUsuario); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    const struct {
        const char* caso;
        std::function<bool(const QByteArray&)> faz;
        const char* motivo;
    } casos[] = {
        {"a fifo", [](const QByteArray& c) { return ::mkfifo(c.constData(), 0644) == 0; }, "arquivo especial"},
        {"a link to a regular file",
         [](const QByteArray& c) {
             QFile alvo(QFile::decodeName(c) + QStringLiteral(".alvo"));
             return alvo.open(QIODevice::WriteOnly) && ::symlink((c + ".alvo").constData(), c.constData()) == 0;
         },
         "atalho"},
        {"a folder", [](const QByteArray& c) { return ::mkdir(c.constData(), 0755) == 0; }, "pasta com o nome"},
    };
    AbreParaTodos(ProgramaDeTeste::Pasta());
    for (const auto& c : casos) {
        for (const int usuario : {-1, OutroUsuario}) {
            SCOPED_TRACE(std::string(c.caso) + (usuario < 0 ? ", its maker" : ", another user"));
            const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/") + QString::number(usuario) + c.caso;
            ASSERT_TRUE(QDir().mkpath(pasta));
            AbreParaTodos(pasta);
            ASSERT_TRUE(c.faz(QFile::encodeName(pasta + QLatin1Char('/') + TPastaEmUso::NomeArquivo())));
            const QString motivo = QString::fromUtf8(c.motivo);
            const int saida = NoProcessoLimitado(
                [&pasta, &motivo] {
                    TPastaEmUso pastaEmUso(pasta);
                    if (pastaEmUso.Trava() != R::Impossivel)
                        return 1;
                    return pastaEmUso.PerguntaSemTrava().contains(motivo) ? 0 : 2;
                },
                usuario);
            EXPECT_EQ(saida, 0) << "-1: the start hung; 1: not refused; 2: not told what stands there";
        }
    }
}

// A user whose umask keeps their files private (077), or from those outside their group (027),
// still makes a lock file that every other user of the shared folder can lock: a second user is
// kept out and told who holds the folder, not asked whether to go on beside them.
TEST(TPastaEmUso, ALockMadeUnderAPrivateUmaskStillKeepsAnotherUserOut)
{
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(OutroUsuario); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    AbreParaTodos(ProgramaDeTeste::Pasta());
    for (const mode_t mascara : {mode_t{077}, mode_t{027}}) {
        SCOPED_TRACE(mascara);
        const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/umask") + QString::number(mascara, 8);
        ASSERT_TRUE(QDir().mkpath(pasta));
        AbreParaTodos(pasta);
        const mode_t antes = ::umask(mascara);
        TPastaEmUso primeira(pasta);
        const R resultado = primeira.Trava();
        ::umask(antes);
        ASSERT_EQ(resultado, R::Travado);
        const int saida = ComoOutroUsuario([&pasta] {
            TPastaEmUso outra(pasta);
            if (outra.Trava() != R::EmUso)
                return 1;
            return outra.MensagemEmUso().contains(QStringLiteral("em uso por outro usuário (root)")) ? 0 : 2;
        });
        EXPECT_EQ(saida, 0) << "1: not kept out (asked instead); 2: not told who holds the folder";
    }
}

// A copy killed while it held the folder, then another user's copy takes it: the first user's
// next start is told that the other user holds it.
TEST(TPastaEmUso, AfterATakeOverTheHolderIsNamed)
{
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(OutroUsuario); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    const QString pasta = ProgramaDeTeste::Pasta();
    AbreParaTodos(pasta);
    ASSERT_TRUE(CopiaMorta(pasta));
    const CopiaDeOutroUsuario copia(pasta);
    EXPECT_TRUE(copia.Tomou()) << "the other user took the free folder";
    TPastaEmUso depois(pasta);
    EXPECT_EQ(depois.Trava(), R::EmUso);
    EXPECT_TRUE(depois.MensagemEmUso().contains(QStringLiteral("em uso por outro usuário (nobody)")))
        << depois.MensagemEmUso().toStdString();
    EXPECT_TRUE(copia.Solta());
}
