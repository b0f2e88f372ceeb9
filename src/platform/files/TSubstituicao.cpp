#include "platform/files/TSubstituicao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/files/TArquivoNovo.h"

namespace {

const QString Sufixo = QStringLiteral(".anterior");
const QString SufixoMarca = QStringLiteral(".marca");

QByteArray Nativo(const QString& caminho)
{
    return QFile::encodeName(caminho);
}

bool Existe(const QString& caminho)
{
    struct stat st {};
    return ::lstat(Nativo(caminho).constData(), &st) == 0;
}

// An exclusive lock on the regular file at caminho, never through a link: its descriptor, or -1.
// A lock that another process holds answers -1 with errno EWOULDBLOCK; a file that cannot be
// locked (a link, one the user may not read) answers -1 with another errno.
int Trava(const QString& caminho)
{
    const int descritor = ::open(Nativo(caminho).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descritor < 0)
        return -1;
    struct stat st {};
    if (::fstat(descritor, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(descritor, LOCK_EX | LOCK_NB) != 0) {
        const int erro = S_ISREG(st.st_mode) ? errno : EISDIR;
        ::close(descritor);
        errno = erro;
        return -1;
    }
    return descritor;
}

// Whether the new file at a place stays, as decide answers for its mark at caminho: it stays
// when there is no mark or nobody to ask; no answer when the mark cannot be read.
std::optional<bool> Pergunta(const TSubstituicao::Decisao& decide, const QString& caminho)
{
    if (!decide || !Existe(caminho))
        return true;
    QFile marca(caminho);
    if (!marca.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decide(marca.readAll());
}

}   // namespace

TSubstituicao::TSubstituicao(QString novo, QString destino, QByteArray marca)
    : FNovo(std::move(novo))
    , FDestino(std::move(destino))
    , FMarca(std::move(marca))
{}

TSubstituicao::~TSubstituicao()
{
    if (!FConfirmado)
        Desfaz();
}

QString TSubstituicao::NomeAparte(const QString& destino)
{
    const QFileInfo info(destino);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + Sufixo;
}

QString TSubstituicao::NomeMarca(const QString& destino)
{
    const QFileInfo info(destino);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + SufixoMarca;
}

bool TSubstituicao::Coloca(QString& erro)
{
    // Only a plain file (or a link) is set aside: a folder in the way refuses the rename below.
    struct stat st {};
    if (::lstat(Nativo(FDestino).constData(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
        const QString aparte = NomeAparte(FDestino);
        FTrava = Trava(FDestino);
        if (FTrava < 0 && errno == EWOULDBLOCK) {
            erro = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (!TArquivoNovo::Renomeia(FDestino, aparte, erro)) {
            Solta();
            return false;
        }
        FAparte = aparte;
    }
    // The mark goes down once the earlier file is aside, so that a mark alone always means the
    // earlier file is gone for good or there was none.
    bool marcado = FMarca.isEmpty();
    if (!marcado) {
        marcado = TArquivoNovo::GravaInteiro(NomeMarca(FDestino), FMarca, erro);
        FMarcado = marcado;
    }
    if (!marcado || !TArquivoNovo::Renomeia(FNovo, FDestino, erro)) {
        QString volta;
        if (!FAparte.isEmpty() && TArquivoNovo::Renomeia(FAparte, FDestino, volta)) {
            FAparte.clear();
            Solta();
        }
        TiraMarca();
        return false;
    }
    FColocado = true;
    return true;
}

void TSubstituicao::Confirma()
{
    FConfirmado = true;
    if (!FAparte.isEmpty())
        ::unlink(Nativo(FAparte).constData());
    FAparte.clear();
    Solta();
    TiraMarca();
}

bool TSubstituicao::Desfaz()
{
    FConfirmado = true;   // once
    if (!FColocado)
        QFile::remove(FNovo);
    bool ok = true;
    if (!FAparte.isEmpty()) {
        QString erro;
        if (TArquivoNovo::Renomeia(FAparte, FDestino, erro)) {
            FAparte.clear();
        } else {
            // The earlier file stays aside, alone, so that Recupera knows to put it back.
            ::unlink(Nativo(FDestino).constData());
            ok = false;
        }
    } else if (FColocado) {
        ::unlink(Nativo(FDestino).constData());
    }
    Solta();
    TiraMarca();
    return ok;
}

void TSubstituicao::TiraMarca()
{
    if (FMarcado)
        ::unlink(Nativo(NomeMarca(FDestino)).constData());
    FMarcado = false;
}

void TSubstituicao::Solta()
{
    if (FTrava >= 0)
        ::close(FTrava);
    FTrava = -1;
}

int TSubstituicao::Recupera(const QString& pasta, const std::function<bool(const QString& nome)>& nosso,
                            const Decisao& decide)
{
    int recuperados = 0;
    const QDir dir(pasta);
    const QStringList nomes = dir.entryList({QStringLiteral(".?*") + Sufixo},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nome : nomes) {
        const QString nomeDestino = nome.mid(1, nome.size() - 1 - Sufixo.size());
        if (nosso && !nosso(nomeDestino))
            continue;
        const QString aparte = dir.filePath(nome);
        const QString destino = dir.filePath(nomeDestino);
        // A lock that another process holds: a substitution still running.
        const int trava = Trava(aparte);
        if (trava < 0 && errno == EWOULDBLOCK)
            continue;
        // The new file at the place stays unless its mark says it was never recorded.
        const QString marca = NomeMarca(destino);
        const std::optional<bool> fica = Existe(destino) ? Pergunta(decide, marca) : std::optional<bool>(false);
        QString erro;
        if (fica.has_value()
            && (*fica ? ::unlink(Nativo(aparte).constData()) == 0 : TArquivoNovo::Renomeia(aparte, destino, erro))) {
            ::unlink(Nativo(marca).constData());
            ++recuperados;
        }
        if (trava >= 0)
            ::close(trava);
    }
    // A mark with nothing aside: there was no earlier file, or the process let it go once the
    // new one was recorded. A new file that was never recorded goes.
    for (const QString& nome : dir.entryList({QStringLiteral(".?*") + SufixoMarca}, QDir::Files | QDir::Hidden)) {
        const QString nomeDestino = nome.mid(1, nome.size() - 1 - SufixoMarca.size());
        const QString destino = dir.filePath(nomeDestino);
        if ((nosso && !nosso(nomeDestino)) || Existe(NomeAparte(destino)))
            continue;
        const std::optional<bool> fica = Existe(destino) ? Pergunta(decide, dir.filePath(nome))
                                                         : std::optional<bool>(true);
        if (!fica.has_value())
            continue;
        if (!*fica)
            ::unlink(Nativo(destino).constData());
        ::unlink(Nativo(dir.filePath(nome)).constData());
    }
    return recuperados;
}
