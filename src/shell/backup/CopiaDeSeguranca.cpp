#include "shell/backup/CopiaDeSeguranca.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

#include "exchange/delivery/TRecuperacaoEntrega.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TArquivoIni.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/compress/TCompactador.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/CriaPastas.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TMotivoSistema.h"
#include "platform/files/TPastas.h"
#include "platform/ui/InterfaceUsuario.h"
#include "shell/backup/TCopiaBanco.h"
#include "shell/common/TRegistroPruv.h"

namespace {

constexpr qint64 Bloco = 128;

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
    for (const QString& pasta : {QFileInfo(Destino).absolutePath(), TPastas::Temporaria()}) {
        if (int erro = 0; !CriaPastas(pasta, erro)) {
            Motivo = FalhaAoCriarPastas(pasta, erro);
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
    // A temporary that an earlier run killed midway left in the same folder goes first.
    TArquivoNovo::RemoveAbandonados(QFileInfo(Destino).absolutePath());
    // The packing writes beside Destino and renames over it only when complete.
    return Empacota(trabalho.Caminho(), Destino, Progresso, Motivo);
}

// Removes the plain files of pasta whose names match the filters.
void RemoveArquivos(const QString& pasta, const QStringList& filtros)
{
    const QDir dir(pasta);
    for (const QString& nome : dir.entryList(filtros, QDir::Files | QDir::Hidden | QDir::System))
        if (!QFile::remove(dir.filePath(nome)))
            qWarning("leftover %s not removed", qUtf8Printable(dir.filePath(nome)));
}

}   // namespace

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
    TPastaDeTrabalho::RemoveAbandonadas(
        TPastas::Temporaria(), {PrefixoTrabalhoCopia, PrefixoTrabalhoRestauracao, TCompactador::PrefixoPacote});
    const QString registro = QFileInfo(TRegistroPruv::Caminho()).absolutePath();
    TPastaDeTrabalho::RemoveAbandonadas(registro, {TRegistroPruv::PrefixoTrabalho});
    QStringList pastas{TPastas::Programa(), TPastas::Dados(), TPastas::ErroImp(), TPastas::Temporaria()};
    for (const char* chave : {"DirCsDefault", "DirCsUltimo"}) {
        const QString pasta = TArquivoIni::LeString(QStringLiteral("Copia de Seguranca"), QLatin1String(chave),
                                                    QString());
        if (!pasta.trimmed().isEmpty())
            pastas << pasta;
    }
    pastas << TPastas::Programa() + QStringLiteral("/CopSeg");
    // The registry file's folder and the PDFs' default one: a file there is replaced the same way.
    pastas << registro << TPastas::Impressos();
    pastas.removeDuplicates();
    for (const QString& pasta : std::as_const(pastas)) {
        TArquivoNovo::RemoveAbandonados(pasta);
        // Earlier builds packed backups beside them under ".tmp" names, libzip adding its own.
        RemoveArquivos(pasta, {QStringLiteral("*.cmp.tmp"), QStringLiteral("*.cmp.tmp.??????")});
    }
    // A delivery write killed midway: its temporaries, and an earlier file it kept aside; the user
    // hears of what it could not settle alone, and of a file it took away.
    for (const QString& texto : TRecuperacaoEntrega::RecuperaPadrao())
        InterfaceUsuario::Mostra(texto, TipoDialogo::Aviso, Botao::Ok);
    // Earlier builds packed a delivery in a plain temporary file here, not in a work folder.
    RemoveArquivos(TPastas::Temporaria(), {TCompactador::PrefixoPacote + QStringLiteral("-??????")});
    // The declaration an import unpacked from a delivery file, had the import no time to remove it.
    QFile::remove(QDir(TPastas::Dados()).filePath(TCompactador::NomeDeclaracaoExtraida));
}
