// The test programs define the C library's file calls here, over the library's own (reached with
// dlsym(RTLD_NEXT)): an executable's definition comes first for every shared library too, so
// Qt's and SQLite's calls come through these. Unarmed, each only passes its call on.
//
// A sanitizer runtime linked into the same program defines some of these names as weak symbols
// to watch them; ours take their place, the calls then reaching the C library unwatched.
// BibliotecaAlcancada tells a guard whether the calls are reached at all.
#include "FalhasDaBiblioteca.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/uio.h>
#include <unistd.h>

namespace FalhasDaBiblioteca {
namespace {

using T = TFalhasDeArquivo;

std::atomic<Decisor> decisor{nullptr};
std::atomic<pthread_t> fio;   // the arming thread: the count of the others' calls would not repeat
char pasta[PATH_MAX];
char canonica[PATH_MAX];
thread_local bool dentro = false;   // a call made while deciding is passed on

template <class F> F Real(const char* nome)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, nome));
}

bool Sob(const char* caminho, const char* raiz)
{
    const size_t n = std::strlen(raiz);
    return n > 0 && std::strncmp(caminho, raiz, n) == 0 && caminho[n] == '/';
}

bool Atento()
{
    return decisor.load(std::memory_order_acquire) != nullptr && !dentro
        && pthread_equal(pthread_self(), fio.load(std::memory_order_relaxed));
}

// 0 lets the call through; -1 with errno set fails it. Only tells whether the file is under the
// folder (1) or not (0) when not counting.
int Decide(unsigned operacao, const char* caminho, bool contando = true)
{
    if (!Sob(caminho, pasta) && !Sob(caminho, canonica))
        return 0;
    if (!contando)
        return 1;
    dentro = true;
    const T::Efeito efeito = decisor.load(std::memory_order_acquire)(operacao, caminho);
    dentro = false;
    switch (efeito) {
    case T::Efeito::Nenhum:
        return 0;
    case T::Efeito::ErroES:
        errno = EIO;
        return -1;
    case T::Efeito::DiscoCheio:
        // A full disk takes no new bytes but lets a file go.
        if (operacao == T::Remocao)
            return 0;
        errno = ENOSPC;
        return -1;
    }
    return 0;
}

bool CaminhoDoDescritor(int descritor, char (&caminho)[PATH_MAX])
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", descritor);
    const ssize_t n = ::readlink(link, caminho, sizeof caminho - 1);
    if (n < 0)
        return false;
    caminho[n] = '\0';
    return true;
}

int DoDescritor(unsigned operacao, int descritor)
{
    if (!Atento())
        return 0;
    const int salvo = errno;
    char caminho[PATH_MAX];
    const bool achado = CaminhoDoDescritor(descritor, caminho);
    errno = salvo;
    return achado ? Decide(operacao, caminho) : 0;
}

// A name taken from a folder's descriptor (or the current folder) as an absolute path.
bool Absoluto(int pastaDescritor, const char* nome, char (&caminho)[2 * PATH_MAX])
{
    if (!nome)
        return false;
    if (nome[0] == '/') {
        std::snprintf(caminho, sizeof caminho, "%s", nome);
        return true;
    }
    const int salvo = errno;
    char base[PATH_MAX];
    const bool achada = pastaDescritor == AT_FDCWD ? ::getcwd(base, sizeof base) != nullptr
                                                   : CaminhoDoDescritor(pastaDescritor, base);
    errno = salvo;
    if (achada)
        std::snprintf(caminho, sizeof caminho, "%s/%s", base, nome);
    return achada;
}

// A rename or a link, counted once when either name is under the folder.
int DoPar(int de, const char* origem, int para, const char* destino)
{
    if (!Atento())
        return 0;
    char caminho[2 * PATH_MAX];
    if (Absoluto(para, destino, caminho) && Decide(T::Renomeacao, caminho, false))
        return Decide(T::Renomeacao, caminho, true);
    if (Absoluto(de, origem, caminho) && Decide(T::Renomeacao, caminho, false))
        return Decide(T::Renomeacao, caminho, true);
    return 0;
}

// A removal of a name taken from a folder's descriptor (or the current folder).
int DaRemocao(int pastaDescritor, const char* nome)
{
    if (!Atento())
        return 0;
    char caminho[2 * PATH_MAX];
    return Absoluto(pastaDescritor, nome, caminho) ? Decide(T::Remocao, caminho) : 0;
}

}   // namespace

void Liga(const QByteArray& raiz, Decisor novo)
{
    // Only the arming thread reads the folder, and only once it is the one stored.
    fio.store(pthread_self(), std::memory_order_relaxed);
    decisor.store(nullptr, std::memory_order_release);
    std::snprintf(pasta, sizeof pasta, "%s", raiz.constData());
    if (!::realpath(pasta, canonica))
        canonica[0] = '\0';
    decisor.store(novo, std::memory_order_release);
}

void Desliga()
{
    decisor.store(nullptr, std::memory_order_release);
}

}   // namespace FalhasDaBiblioteca

namespace B = FalhasDaBiblioteca;
using TFA = TFalhasDeArquivo;

// The definitions keep the C library's own declarations, exception specifications included.
extern "C" {

ssize_t write(int fd, const void* dados, size_t n)
{
    static const auto real = B::Real<decltype(&::write)>("write");
    return B::DoDescritor(TFA::Escrita, fd) ? -1 : real(fd, dados, n);
}

ssize_t pwrite(int fd, const void* dados, size_t n, off_t posicao)
{
    static const auto real = B::Real<decltype(&::pwrite)>("pwrite");
    return B::DoDescritor(TFA::Escrita, fd) ? -1 : real(fd, dados, n, posicao);
}

ssize_t pwrite64(int fd, const void* dados, size_t n, off64_t posicao)
{
    static const auto real = B::Real<decltype(&::pwrite64)>("pwrite64");
    return B::DoDescritor(TFA::Escrita, fd) ? -1 : real(fd, dados, n, posicao);
}

ssize_t writev(int fd, const struct iovec* partes, int quantas)
{
    static const auto real = B::Real<decltype(&::writev)>("writev");
    return B::DoDescritor(TFA::Escrita, fd) ? -1 : real(fd, partes, quantas);
}

ssize_t read(int fd, void* dados, size_t n)
{
    static const auto real = B::Real<decltype(&::read)>("read");
    return B::DoDescritor(TFA::Leitura, fd) ? -1 : real(fd, dados, n);
}

ssize_t pread(int fd, void* dados, size_t n, off_t posicao)
{
    static const auto real = B::Real<decltype(&::pread)>("pread");
    return B::DoDescritor(TFA::Leitura, fd) ? -1 : real(fd, dados, n, posicao);
}

ssize_t pread64(int fd, void* dados, size_t n, off64_t posicao)
{
    static const auto real = B::Real<decltype(&::pread64)>("pread64");
    return B::DoDescritor(TFA::Leitura, fd) ? -1 : real(fd, dados, n, posicao);
}

int fsync(int fd)
{
    static const auto real = B::Real<decltype(&::fsync)>("fsync");
    return B::DoDescritor(TFA::Sincronia, fd) ? -1 : real(fd);
}

int fdatasync(int fd)
{
    static const auto real = B::Real<decltype(&::fdatasync)>("fdatasync");
    return B::DoDescritor(TFA::Sincronia, fd) ? -1 : real(fd);
}

int ftruncate(int fd, off_t tamanho) noexcept
{
    static const auto real = B::Real<decltype(&::ftruncate)>("ftruncate");
    return B::DoDescritor(TFA::Truncagem, fd) ? -1 : real(fd, tamanho);
}

int ftruncate64(int fd, off64_t tamanho) noexcept
{
    static const auto real = B::Real<decltype(&::ftruncate64)>("ftruncate64");
    return B::DoDescritor(TFA::Truncagem, fd) ? -1 : real(fd, tamanho);
}

int rename(const char* origem, const char* destino) noexcept
{
    static const auto real = B::Real<decltype(&::rename)>("rename");
    return B::DoPar(AT_FDCWD, origem, AT_FDCWD, destino) ? -1 : real(origem, destino);
}

int renameat(int de, const char* origem, int para, const char* destino) noexcept
{
    static const auto real = B::Real<decltype(&::renameat)>("renameat");
    return B::DoPar(de, origem, para, destino) ? -1 : real(de, origem, para, destino);
}

int renameat2(int de, const char* origem, int para, const char* destino, unsigned int opcoes) noexcept
{
    static const auto real = B::Real<decltype(&::renameat2)>("renameat2");
    return B::DoPar(de, origem, para, destino) ? -1 : real(de, origem, para, destino, opcoes);
}

int linkat(int de, const char* origem, int para, const char* destino, int opcoes) noexcept
{
    static const auto real = B::Real<decltype(&::linkat)>("linkat");
    return B::DoPar(de, origem, para, destino) ? -1 : real(de, origem, para, destino, opcoes);
}

int unlink(const char* caminho) noexcept
{
    static const auto real = B::Real<decltype(&::unlink)>("unlink");
    return B::DaRemocao(AT_FDCWD, caminho) ? -1 : real(caminho);
}

int unlinkat(int pasta, const char* caminho, int opcoes) noexcept
{
    static const auto real = B::Real<decltype(&::unlinkat)>("unlinkat");
    return (opcoes & AT_REMOVEDIR) == 0 && B::DaRemocao(pasta, caminho) ? -1 : real(pasta, caminho, opcoes);
}

int remove(const char* caminho) noexcept
{
    static const auto real = B::Real<decltype(&::remove)>("remove");
    return B::DaRemocao(AT_FDCWD, caminho) ? -1 : real(caminho);
}

}   // extern "C"
