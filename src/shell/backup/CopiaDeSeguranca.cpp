#include "shell/backup/CopiaDeSeguranca.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <exception>

#include "model/storage/RotinasTabela.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/db/EDatabaseError.h"
#include "platform/db/TDatabase.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TMotivoSistema.h"
#include "platform/files/TPastas.h"
#include "shell/backup/TCopiaBanco.h"

namespace {

constexpr qint64 Bloco = 128;

// rename(2) puts the new file in place in one step: there is never a moment without a backup.
bool Substitui(const QString& temporario, const QString& destino)
{
    return std::rename(QFile::encodeName(temporario).constData(), QFile::encodeName(destino).constData()) == 0;
}

// Packs the files of pasta into arquivo; an exception inside counts as a failure. On a failure,
// motivo receives why.
int Empacota(const QString& pasta, const QString& arquivo, const TProgressoCompressao& progresso, QString& motivo)
{
    for (const QString& nome : ArquivosDados()) {
        if (AdicionaArquivo(QDir(pasta).absoluteFilePath(nome)) == 0) {
            motivo = QStringLiteral("o arquivo ") + nome + QStringLiteral(" não pôde ser lido");
            return ResultadoCompressao::Falha;
        }
    }
    int resultado = ResultadoCompressao::Falha;
    try {
        resultado = Comprimir(arquivo, progresso);
    } catch (const std::exception& e) {
        qWarning("backup not packed into %s: %s", qUtf8Printable(arquivo), e.what());
    }
    if (resultado == ResultadoCompressao::Falha)
        motivo = TMotivoSistema::Texto(ErroSistemaCompressao()) + QStringLiteral(" (")
            + QDir::toNativeSeparators(QFileInfo(arquivo).absolutePath()) + QLatin1Char(')');
    return resultado;
}

int GravaCopia(const QString& Destino, const TProgressoCompressao& Progresso, QString& Motivo)
{
    const QString temporario = Destino + QStringLiteral(".tmp");
    for (const QString& pasta : {QFileInfo(Destino).absolutePath(), TPastas::Temporaria()}) {
        if (!QDir().mkpath(pasta)) {
            Motivo = QStringLiteral("não foi possível criar a pasta ") + QDir::toNativeSeparators(pasta);
            return ResultadoCompressao::Falha;
        }
    }
    const TPastaDeTrabalho trabalho(TPastas::Temporaria(), PrefixoTrabalhoCopia);
    if (!trabalho.Valida()) {
        Motivo = QStringLiteral("não foi possível criar a pasta de trabalho em ")
            + QDir::toNativeSeparators(TPastas::Temporaria());
        return ResultadoCompressao::Falha;
    }
    try {
        TCopiaBanco::Instantaneo(TPastas::Dados(), trabalho.Arquivo(TDatabase::NomeArquivo()));
    } catch (const EDatabaseError& e) {
        qWarning("snapshot of the database failed: %s", e.what());
        Motivo = QStringLiteral("os dados não puderam ser copiados: ") + TextoDoMotor(e);
        return ResultadoCompressao::Falha;
    }
    // A backup that the restore would refuse must not take the place of one it accepts.
    if (const TCopiaBanco::TConferencia conferencia = TCopiaBanco::Confere(trabalho.Arquivo(TDatabase::NomeArquivo()));
        !conferencia.Boa()) {
        qWarning("snapshot of the database refused: %s", qUtf8Printable(conferencia.Motivo));
        Motivo = QStringLiteral("a cópia dos dados seria recusada pela restauração (") + conferencia.Motivo
            + QLatin1Char(')');
        return ResultadoCompressao::Falha;
    }
    int resultado = Empacota(trabalho.Caminho(), temporario, Progresso, Motivo);
    if (resultado == ResultadoCompressao::Ok && !Substitui(temporario, Destino)) {
        const int erro = errno;
        qWarning("backup %s not put in place", qUtf8Printable(Destino));
        Motivo = TMotivoSistema::Texto(erro) + QStringLiteral(" (") + QDir::toNativeSeparators(Destino) + QLatin1Char(')');
        resultado = ResultadoCompressao::Falha;
    }
    if (resultado != ResultadoCompressao::Ok)
        QFile::remove(temporario);
    return resultado;
}

}  // namespace

QStringList ArquivosDados()
{
    return {TDatabase::NomeArquivo()};
}

qint64 TamanhoDados()
{
    qint64 total = 0;
    for (const QString& nome : ArquivosDados()) {
        const QFileInfo arquivo(QDir(TPastas::Dados()).absoluteFilePath(nome));
        if (!arquivo.isFile() || !arquivo.isReadable())
            return -1;
        total += arquivo.size() / Bloco * Bloco;
    }
    return total;
}

int GravaCopiaDeSeguranca(const QString& Destino, const TProgressoCompressao& Progresso, QString* Motivo)
{
    QString motivo;
    const int resultado = GravaCopia(Destino, Progresso, motivo);
    if (Motivo)
        *Motivo = resultado == ResultadoCompressao::Falha ? motivo : QString();
    return resultado;
}

void RemoveTrabalhosAbandonados()
{
    TPastaDeTrabalho::RemoveAbandonadas(TPastas::Temporaria(), {PrefixoTrabalhoCopia, PrefixoTrabalhoRestauracao});
}
