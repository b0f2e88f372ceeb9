#include "platform/files/TSubstituicao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TConfirmacoes.h"
#include "platform/files/TMotivoSistema.h"

namespace {

const QString Sufixo = QStringLiteral(".anterior");
const QString SufixoMarca = QStringLiteral(".marca");
const QString SufixoPendente = QStringLiteral(".pendente");

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
// locked (a link, anything but a regular file, one the user may not read) answers -1 with another
// errno.
int Trava(const QString& caminho)
{
    const int descritor = AbreArquivoComum(Nativo(caminho), O_RDONLY);
    if (descritor < 0)
        return -1;
    if (::flock(descritor, LOCK_EX | LOCK_NB) != 0) {
        const int erro = errno;
        ::close(descritor);
        errno = erro;
        return -1;
    }
    return descritor;
}

// The mark at caminho, as the caller is asked about it.
void LeMarca(const QString& caminho, TSubstituicao::TSobra& sobra)
{
    using M = TSubstituicao::TSobra::TMarca;
    if (!Existe(caminho)) {
        sobra.EstadoMarca = M::Nenhuma;
        return;
    }
    QFile marca(caminho);
    if (QString erro; AbreLeituraComum(marca, erro)) {
        sobra.Marca = marca.readAll();
        if (marca.error() == QFileDevice::NoError) {
            sobra.EstadoMarca = M::Lida;
            return;
        }
    }
    sobra.Marca.clear();
    sobra.EstadoMarca = M::Ilegivel;
}

// Removes caminho, a second time when the first failed; one already gone counts as removed.
bool Remove(const QString& caminho, QString& erro)
{
    for (int vez = 0; vez < 2; ++vez)
        if (::unlink(Nativo(caminho).constData()) == 0 || errno == ENOENT)
            return true;
    erro = TMotivoSistema::Texto(errno);
    return false;
}

// Removes the mark of destino, then its companion: while the mark stands its companion does too,
// so that a mark never reads as confirmed that was not.
bool RemoveMarca(const QString& destino, QString& erro)
{
    return Remove(TSubstituicao::NomeMarca(destino), erro) && Remove(TSubstituicao::NomePendente(destino), erro);
}

// The first name beside destino that a person sees and nothing holds, for an earlier file kept.
QString NomeVisivel(const QString& destino)
{
    QString nome = destino + Sufixo;
    for (int n = 2; Existe(nome); ++n)
        nome = destino + Sufixo + QLatin1Char('-') + QString::number(n);
    return nome;
}

}   // namespace

TSubstituicao::TSubstituicao(QString novo, QString destino, QByteArray marca, bool pendente, QString confirmacoes)
    : FNovo(std::move(novo))
    , FDestino(std::move(destino))
    , FMarca(std::move(marca))
    , FConfirmacoes(std::move(confirmacoes))
    , FPendente(pendente && !FMarca.isEmpty())
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

QString TSubstituicao::NomePendente(const QString& destino)
{
    const QFileInfo info(destino);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + SufixoPendente;
}

bool TSubstituicao::Coloca(QString& erro)
{
    // Only a plain file (or a link) is set aside: a folder in the way refuses the rename below.
    struct stat st {};
    if (::lstat(Nativo(FDestino).constData(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
        const QString aparte = NomeAparte(FDestino);
        FTrava = Trava(FDestino);
        if (FTrava < 0 && errno == EWOULDBLOCK) {
            erro = TMotivoSistema::Texto(errno);
            return false;
        }
        if (!TArquivoNovo::Renomeia(FDestino, aparte, erro)) {
            Solta();
            return false;
        }
        FAparte = aparte;
    }
    // The mark goes down once the earlier file is aside, so that a mark alone always means the
    // earlier file is gone for good or there was none; its companion goes down before it, so that
    // no mark stands without its companion until Confirma.
    bool marcado = FMarca.isEmpty();
    if (!marcado) {
        FPendenteNoDisco = FPendente && TArquivoNovo::GravaInteiro(NomePendente(FDestino), QByteArray(), erro);
        marcado = (!FPendente || FPendenteNoDisco) && TArquivoNovo::GravaInteiro(NomeMarca(FDestino), FMarca, erro);
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

bool TSubstituicao::Confirma(QString& erro)
{
    FConfirmado = true;
    bool ok = true;
    // The companion goes first: from then on the mark says the new file counts. One that cannot
    // go has the confirmation recorded away from the place, a write before any other removal, or
    // else takes the mark with it, and with no mark Recupera keeps both files.
    const TConfirmacoes confirmacoes(FConfirmacoes);
    bool registrada = false;
    if (FPendenteNoDisco && !Remove(NomePendente(FDestino), erro)) {
        ok = false;
        QString outro;
        registrada = FMarcado && confirmacoes.Registra(FDestino, FMarca, outro);
        if (!registrada && FMarcado) {
            if (QString marca; Remove(NomeMarca(FDestino), marca))
                FMarcado = false;
            else
                FNaoRegistrada = outro.isEmpty() ? TMotivoSistema::Texto(0) : outro;
        }
    }
    FPendenteNoDisco = false;
    // The mark stays as long as the earlier file does: it is what tells Recupera that the earlier
    // one may go once the record holds the new one.
    if (!FAparte.isEmpty() && !Remove(FAparte, erro)) {
        Solta();
        FAparte.clear();
        FMarcado = false;
        return false;
    }
    FAparte.clear();
    Solta();
    if (FMarcado && !Remove(NomeMarca(FDestino), erro)) {
        FMarcado = false;
        return false;
    }
    if (registrada)
        confirmacoes.Esquece(FDestino, FMarca);
    FMarcado = false;
    return ok;
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
    if (FPendenteNoDisco)
        ::unlink(Nativo(NomePendente(FDestino)).constData());
    FMarcado = false;
    FPendenteNoDisco = false;
}

void TSubstituicao::Solta()
{
    if (FTrava >= 0)
        ::close(FTrava);
    FTrava = -1;
}

int TSubstituicao::Recupera(const QString& pasta, const std::function<bool(const QString& nome)>& nosso,
                            const Decisao& decide, QStringList* expostos, const QString& confirmacoes,
                            QStringList* especiais)
{
    const TConfirmacoes registro(confirmacoes);
    // The mark at destino and whether it was never confirmed: its companion is there and no
    // confirmation is recorded (one that cannot be read may have been).
    const auto leMarca = [&](const QString& destino, TSobra& sobra) {
        LeMarca(NomeMarca(destino), sobra);
        sobra.Pendente = Existe(NomePendente(destino))
            && registro.Estado(destino, sobra.Marca) == TConfirmacoes::TEstado::Ausente;
    };
    // Carries out the answer for a place with a file at it; true when done.
    const auto cumpre = [&](const TSobra& sobra) {
        const TDestino destino = decide ? decide(sobra) : TDestino::FicaNovo;
        QString erro;
        bool feito = false;
        switch (destino) {
        case TDestino::FicaNovo:
            feito = sobra.Aparte.isEmpty() || Remove(sobra.Aparte, erro);
            break;
        case TDestino::VoltaAnterior:
            feito = sobra.Aparte.isEmpty() ? Remove(sobra.Destino, erro)
                                           : TArquivoNovo::Renomeia(sobra.Aparte, sobra.Destino, erro);
            break;
        case TDestino::FicamAmbos:
            if (sobra.Aparte.isEmpty()) {
                feito = true;
            } else {
                const QString visivel = NomeVisivel(sobra.Destino);
                feito = TArquivoNovo::Renomeia(sobra.Aparte, visivel, erro);
                if (feito && expostos)
                    *expostos << visivel;
            }
            break;
        case TDestino::Espera:
            break;
        }
        // One left goes at a later call, which finds the same answer.
        const bool semMarca = feito && RemoveMarca(sobra.Destino, erro);
        if (semMarca)
            registro.Esquece(sobra.Destino, sobra.Marca);
        else if (destino != TDestino::Espera)
            qWarning("left by an interrupted substitution, kept for later: %s", qUtf8Printable(erro));
        // The caller found the new file confirmed while its companion says otherwise: what it
        // found is recorded, so that a later call decides the same whatever the caller holds then.
        if (!semMarca && decide && destino == TDestino::FicaNovo && sobra.Pendente
            && sobra.EstadoMarca == TSobra::TMarca::Lida && Existe(NomeMarca(sobra.Destino))) {
            QString outro;
            registro.Registra(sobra.Destino, sobra.Marca, outro);
        }
        return feito;
    };

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
        // A lock that another process holds: a substitution still running. A special file was
        // never set aside by anyone here, and goes to no place.
        const int trava = Trava(aparte);
        if (trava < 0 && (errno == EWOULDBLOCK || errno == TMotivoSistema::ArquivoEspecial)) {
            if (errno == TMotivoSistema::ArquivoEspecial && especiais)
                *especiais << aparte;
            continue;
        }
        bool feito = false;
        if (!Existe(destino)) {
            // Nothing took the place: the earlier file goes back, whatever a mark says.
            QString erro;
            feito = TArquivoNovo::Renomeia(aparte, destino, erro) && RemoveMarca(destino, erro);
        } else {
            TSobra sobra;
            sobra.Destino = destino;
            sobra.Aparte = aparte;
            leMarca(destino, sobra);
            feito = cumpre(sobra);
        }
        if (trava >= 0)
            ::close(trava);
        recuperados += feito ? 1 : 0;
    }
    // A mark with nothing aside: there was no earlier file, or the process let it go.
    for (const QString& nome : dir.entryList({QStringLiteral(".?*") + SufixoMarca}, QDir::Files | QDir::Hidden)) {
        const QString nomeDestino = nome.mid(1, nome.size() - 1 - SufixoMarca.size());
        const QString destino = dir.filePath(nomeDestino);
        if ((nosso && !nosso(nomeDestino)) || Existe(NomeAparte(destino)))
            continue;
        QString erro;
        if (!Existe(destino)) {
            RemoveMarca(destino, erro);
            continue;
        }
        TSobra sobra;
        sobra.Destino = destino;
        leMarca(destino, sobra);
        recuperados += cumpre(sobra) ? 1 : 0;
    }
    // A companion alone: its process ended before it wrote the mark, or let the mark go.
    for (const QString& nome : dir.entryList({QStringLiteral(".?*") + SufixoPendente}, QDir::Files | QDir::Hidden)) {
        const QString nomeDestino = nome.mid(1, nome.size() - 1 - SufixoPendente.size());
        const QString destino = dir.filePath(nomeDestino);
        if ((nosso && !nosso(nomeDestino)) || Existe(NomeAparte(destino)) || Existe(NomeMarca(destino)))
            continue;
        QString erro;
        Remove(dir.filePath(nome), erro);
    }
    registro.Poda(pasta);
    return recuperados;
}
