#include "platform/files/TArquivoNovo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/EscreveTudo.h"
#include "platform/files/PermissoesNovas.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TMotivoSistema.h"

namespace {

constexpr qsizetype TamanhoRetido = 64 * 1024;
const QString Marca = QStringLiteral(".novo-");

QString TextoDoSistema()
{
    return TMotivoSistema::Texto(errno);
}

// Makes the file modelo names, its last six characters replaced by a name of its own, with the
// permissions of the rule for new files (mkstemp would make it 0600 whatever the folder).
int CriaTemporario(QByteArray& modelo, const QByteArray& pasta)
{
    static constexpr char Letras[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const mode_t permissoes = PermissoesDeArquivoNovo(pasta);
    for (int vez = 0; vez < 100; ++vez) {
        for (qsizetype i = modelo.size() - 6; i < modelo.size(); ++i)
            modelo[i] = Letras[QRandomGenerator::global()->bounded(int(sizeof Letras - 1))];
        const int descritor = ::open(modelo.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                                     permissoes);
        if (descritor >= 0 || errno != EEXIST)
            return descritor;
    }
    return -1;   // errno: EEXIST
}

}   // namespace

TArquivoNovo::~TArquivoNovo()
{
    Descarta();
}

bool TArquivoNovo::Falha(const QString& erro)
{
    if (!FFalhou) {
        FErro = erro;
        FErroSistema = errno;   // each failing step comes straight from its system call
    }
    FFalhou = true;
    return false;
}

bool TArquivoNovo::Abre(const QString& caminho)
{
    Descarta();
    FFalhou = false;
    FErro.clear();
    FErroSistema = 0;
    FRetido.clear();
    const QFileInfo info(caminho);
    FFinal = info.absoluteFilePath();
    QByteArray modelo = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + Marca
                                          + QStringLiteral("XXXXXX"));
    const int descritor = CriaTemporario(modelo, QFile::encodeName(info.absolutePath()));
    if (descritor < 0)
        return Falha(TextoDoSistema());
    FTemporario = QFile::decodeName(modelo);
    if (::flock(descritor, LOCK_EX | LOCK_NB) != 0) {
        const QString erro = TextoDoSistema();
        ::close(descritor);
        ::unlink(modelo.constData());
        FTemporario.clear();
        return Falha(erro);
    }
    FDescritor = descritor;
    return true;
}

bool TArquivoNovo::Escreve(QByteArrayView dados)
{
    if (FDescritor < 0 || FFalhou)
        return Falha(QStringLiteral("file not open for writing"));
    FRetido.append(dados.data(), dados.size());
    return FRetido.size() < TamanhoRetido || Entrega(TFalhasDeArquivo::Escrita);
}

bool TArquivoNovo::Descarrega()
{
    if (FDescritor < 0 || FFalhou)
        return Falha(QStringLiteral("file not open for writing"));
    return FRetido.isEmpty() || Entrega(TFalhasDeArquivo::Descarga);
}

bool TArquivoNovo::Posiciona(qint64 posicao)
{
    if (!Descarrega())
        return false;
    if (::lseek(FDescritor, static_cast<off_t>(posicao), SEEK_SET) < 0)
        return Falha(TextoDoSistema());
    return true;
}

bool TArquivoNovo::Entrega(unsigned operacao)
{
    QString erro;
    if (!TFalhasDeArquivo::Permite(static_cast<TFalhasDeArquivo::Operacao>(operacao), FFinal, erro))
        return Falha(erro);
    if (!EscreveTudo(FDescritor, FRetido.constData(), FRetido.size()))
        return Falha(TextoDoSistema());
    FRetido.clear();
    return true;
}

bool TArquivoNovo::Confirma()
{
    bool ok = Descarrega();
    QString erro;
    if (ok && !(TFalhasDeArquivo::Permite(TFalhasDeArquivo::Sincronia, FFinal, erro) && ::fsync(FDescritor) == 0))
        ok = Falha(erro.isEmpty() ? TextoDoSistema() : erro);
    if (ok) {
        // rename(2) replaces the final name in one step, a link there included (never followed).
        if (!Renomeia(FTemporario, FFinal, erro))
            ok = Falha(erro);
    }
    if (!ok) {
        Descarta();
        return false;
    }
    ::close(FDescritor);
    FDescritor = -1;
    FTemporario.clear();
    return true;
}

void TArquivoNovo::Descarta()
{
    if (FDescritor < 0)
        return;
    ::unlink(QFile::encodeName(FTemporario).constData());
    ::close(FDescritor);
    FDescritor = -1;
    FTemporario.clear();
    FRetido.clear();
}

bool TArquivoNovo::GravaInteiro(const QString& caminho, QByteArrayView dados, QString& erro)
{
    TArquivoNovo arquivo;
    const bool gravado = arquivo.Abre(caminho) && arquivo.Escreve(dados) && arquivo.Confirma();
    if (!gravado)
        erro = arquivo.Erro();
    return gravado;
}

bool TArquivoNovo::Renomeia(const QString& origem, const QString& destino, QString& erro)
{
    if (!TFalhasDeArquivo::Permite(TFalhasDeArquivo::Renomeacao, destino, erro))
        return false;
    if (std::rename(QFile::encodeName(origem).constData(), QFile::encodeName(destino).constData()) == 0)
        return true;
    erro = TextoDoSistema();
    return false;
}

int TArquivoNovo::RemoveAbandonados(const QString& pasta)
{
    int removidos = 0;
    const QDir dir(pasta);
    const QStringList nomes = dir.entryList({QStringLiteral(".*") + Marca + QStringLiteral("??????")},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nome : nomes) {
        const QByteArray caminho = QFile::encodeName(dir.filePath(nome));
        const int descritor = ::open(caminho.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (descritor < 0)
            continue;
        // A lock that can be taken belongs to no running writer.
        if (::flock(descritor, LOCK_EX | LOCK_NB) == 0 && ::unlink(caminho.constData()) == 0)
            ++removidos;
        ::close(descritor);
    }
    return removidos;
}
