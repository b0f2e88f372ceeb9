#include "shell/window/TInstanciaUnica.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>
#include <QtGlobal>

namespace {

constexpr int EsperaMs = 1000;

// What a later start writes to the first.
QByteArray PedidoFrente()
{
    return QByteArrayLiteral("frente\n");
}

}   // namespace

QString TInstanciaUnica::NomePadrao()
{
    return QStringLiteral("Pruv 2003");
}

QString TInstanciaUnica::PastaPadrao()
{
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return pasta.isEmpty() ? QDir::tempPath() : pasta;
}

TInstanciaUnica::TInstanciaUnica(QString pasta, QString nome, QObject* pai)
    : QObject(pai)
    , FPasta(std::move(pasta))
    , FNome(std::move(nome))
{}

TInstanciaUnica::~TInstanciaUnica()
{
    if (FServidor)
        FServidor->close();
}

QString TInstanciaUnica::Caminho() const
{
    return FPasta + QLatin1Char('/') + FNome;
}

bool TInstanciaUnica::InstanciaAnterior()
{
    QDir().mkpath(FPasta);
    FTrava = std::make_unique<QLockFile>(Caminho() + QStringLiteral(".lock"));
    FTrava->setStaleLockTime(0);   // only a lock whose process has died is taken over
    if (FTrava->tryLock(0)) {
        Escuta();
        return false;
    }
    const QLockFile::LockError erro = FTrava->error();
    FTrava.reset();
    if (erro == QLockFile::LockFailedError) {
        PedeParaFrente(Caminho());
        return true;
    }
    // The lock cannot be written here: a copy that answers still counts as running.
    if (PedeParaFrente(Caminho()))
        return true;
    qWarning("cannot create the single-instance lock in %s; starting without it", qUtf8Printable(FPasta));
    return false;
}

void TInstanciaUnica::Escuta()
{
    // The lock is ours, so a socket left by a copy that died is stale.
    QLocalServer::removeServer(Caminho());
    FServidor = new QLocalServer(this);
    FServidor->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServidor, &QLocalServer::newConnection, this, &TInstanciaUnica::AtendeConexao);
    if (!FServidor->listen(Caminho()))
        qWarning("later starts cannot reach this one: %s", qUtf8Printable(FServidor->errorString()));
}

bool TInstanciaUnica::PedeParaFrente(const QString& caminho)
{
    QLocalSocket socket;
    socket.connectToServer(caminho);
    if (!socket.waitForConnected(EsperaMs))
        return false;
    socket.write(PedidoFrente());
    const bool enviado = socket.waitForBytesWritten(EsperaMs);
    socket.disconnectFromServer();
    return enviado;
}

void TInstanciaUnica::AtendeConexao()
{
    while (QLocalSocket* conexao = FServidor->nextPendingConnection()) {
        auto le = [this, conexao] {
            if (conexao->canReadLine() && conexao->readLine() == PedidoFrente()) {
                conexao->disconnectFromServer();
                TrazParaFrente();
            }
        };
        connect(conexao, &QLocalSocket::readyRead, this, le);
        connect(conexao, &QLocalSocket::disconnected, conexao, &QObject::deleteLater);
        le();   // the request may have arrived with the connection
    }
}

void TInstanciaUnica::DefineJanela(QWidget* janela)
{
    FJanela = janela;
}

void TInstanciaUnica::TrazParaFrente()
{
    emit PedidoParaFrente();
    if (!FJanela)
        return;
    FJanela->setWindowState((FJanela->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    FJanela->show();
    FJanela->raise();
    FJanela->activateWindow();
}
