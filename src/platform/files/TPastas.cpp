#include "platform/files/TPastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdlib>
#include <utility>

#include "platform/files/CriaPastas.h"

namespace {

// The executable's folder a test put in place of the real one; empty when none.
QString& ExecutavelSimulado()
{
    static QString pasta;
    return pasta;
}

QString PastaDoExecutavel()
{
    if (!ExecutavelSimulado().isEmpty())
        return ExecutavelSimulado();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (early start-up), ask the system for our own image.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString PastaDoUsuario()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString pasta = QDir(base.isEmpty() ? QDir::homePath() : base).filePath(QStringLiteral("pruv2003"));
    CriaPastas(pasta);
    return pasta;
}

QString SemSeparadorFinal(const QString& caminho)
{
    // Asked for every file and table named, nearly always for the same folder: an absolute one
    // comes out the same whatever the working folder, so the last is kept.
    static QString ultimo;
    static QString ultimoLimpo;
    const bool absoluto = caminho.startsWith(QLatin1Char('/'));
    if (absoluto && caminho == ultimo)
        return ultimoLimpo;
    // cleanPath keeps "/" for the root and drops every other trailing separator.
    QString limpo = QDir::cleanPath(QDir(caminho).absolutePath());
    if (absoluto) {
        ultimo = caminho;
        ultimoLimpo = limpo;
    }
    return limpo;
}

// The first of the places a shipped file or folder may be in that holds one of the kind asked.
QString LocalizaRecurso(const QString& nome, bool pasta)
{
    const QDir executavel(PastaDoExecutavel());
    const QString candidatos[] = {
        executavel.filePath(QStringLiteral("resources/") + nome),
        executavel.filePath(nome),
        executavel.filePath(QStringLiteral("../share/pruv2003/") + nome),
    };
    for (const QString& candidato : candidatos) {
        const QFileInfo info(candidato);
        if (pasta ? info.isDir() : info.isFile())
            return QDir::cleanPath(candidato);
    }
    return QString();
}

}   // namespace

QString TPastas::Programa()
{
    // Asked for every file and table named: the variable is compared as it stands, and decoded
    // and cleaned only when it changed. A relative one follows the working folder.
    if (const char* definida = std::getenv("PRUV2003_HOME"); definida && *definida) {
        if (definida[0] != '/')
            return SemSeparadorFinal(QString::fromLocal8Bit(definida));
        thread_local QByteArray lida;
        thread_local QString pasta;
        if (lida != definida) {
            pasta = SemSeparadorFinal(QString::fromLocal8Bit(definida));
            lida = definida;
        }
        return pasta;
    }
    const QString executavel = PastaDoExecutavel();
    if (!executavel.isEmpty() && QFileInfo(executavel).isWritable())
        return SemSeparadorFinal(executavel);
    return SemSeparadorFinal(PastaDoUsuario());
}

bool TPastas::ProgramaDefinido()
{
    return !qEnvironmentVariable("PRUV2003_HOME").isEmpty();
}

QString TPastas::Configuracao()
{
    if (ProgramaDefinido())
        return Programa() + QStringLiteral("/config");
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return SemSeparadorFinal(base.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : base);
}

QString TPastas::Impressos()
{
    if (ProgramaDefinido())
        return Programa() + QStringLiteral("/PDF");
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return SemSeparadorFinal(documentos.isEmpty() ? QDir::homePath() : documentos);
}

void TPastas::DirecionaConfiguracoesQt()
{
    if (!ProgramaDefinido())
        return;
    for (const QSettings::Format formato : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(formato, QSettings::UserScope, Configuracao());
}

QString TPastas::Dados()
{
    // Asked for every table opened: the name is joined again only when the program folder moved.
    thread_local QString programa;
    thread_local QString dados;
    const QString atual = Programa();
    if (dados.isEmpty() || atual != programa) {
        dados = atual + QStringLiteral("/DADOS");
        programa = atual;
    }
    return dados;
}

QString TPastas::Temporaria()
{
    return Dados() + QStringLiteral("/TEMP");
}

QString TPastas::ErroImp()
{
    return Dados() + QStringLiteral("/ErroImp");
}

bool TPastas::Cria()
{
    QString falha;
    return Cria(falha);
}

bool TPastas::Cria(QString& falha)
{
    for (const QString& pasta : {Dados(), Temporaria(), ErroImp()}) {
        if (int erro = 0; !CriaPastas(pasta, erro)) {
            falha = FalhaAoCriarPastas(pasta, erro);
            return false;
        }
    }
    return true;
}

QString TPastas::Recurso(const QString& Nome)
{
    return LocalizaRecurso(Nome, false);
}

QString TPastas::PastaRecurso(const QString& Nome)
{
    return LocalizaRecurso(Nome, true);
}

TPastas::SimulacaoExecutavel::SimulacaoExecutavel(const QString& pasta)
    : FAnterior(std::exchange(ExecutavelSimulado(), pasta))
{}

TPastas::SimulacaoExecutavel::~SimulacaoExecutavel()
{
    ExecutavelSimulado() = FAnterior;
}
