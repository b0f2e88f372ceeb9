#include "shell/window/TInstanciaUnica.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>
#include <QtGlobal>

namespace {

constexpr int EsperaMs = 1000;
// How long a later start waits for the copy holding the lock to take its request: a copy that
// has just taken the lock is listening a moment later.
constexpr int EsperaPrimeiraMs = 3000;

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
    FTrava = std::make_unique<TArquivoDeTrava>(Caminho() + QStringLiteral(".lock"), NomePadrao());
    const TArquivoDeTrava::TResultado resultado = FTrava->Trava();
    if (resultado == TArquivoDeTrava::TResultado::Travado) {
        Escuta();
        return false;
    }
    const int erro = FTrava->Erro();
    FTrava.reset();
    // Without the lock no copy is known to run: it is asked once, without waiting for one to come.
    if (PedeParaFrente(Caminho(), resultado == TArquivoDeTrava::TResultado::EmUso ? EsperaPrimeiraMs : 0))
        return true;
    if (resultado == TArquivoDeTrava::TResultado::EmUso)
        qWarning("the copy holding the single-instance lock in %s does not answer; starting on",
                 qUtf8Printable(FPasta));
    else
        qWarning("cannot create the single-instance lock in %s (error %d); starting without it", qUtf8Printable(FPasta),
                 erro);
    return false;
}

void TInstanciaUnica::Escuta()
{
    // The lock is ours, so a socket left by a copy that died is stale.
    QLocalServer::removeServer(Caminho());
    FServidor = new QLocalServer(this);
    // Made straight under its name: the user's own runtime folder already keeps others out, and
    // access options would make it in a folder of its own first, which a start killed meanwhile
    // leaves behind.
    connect(FServidor, &QLocalServer::newConnection, this, &TInstanciaUnica::AtendeConexao);
    if (!FServidor->listen(Caminho()))
        qWarning("later starts cannot reach this one: %s", qUtf8Printable(FServidor->errorString()));
}

bool TInstanciaUnica::PedeParaFrente(const QString& caminho, int esperaMs)
{
    // A copy that holds the lock but is not listening yet refuses the connection: asked again
    // until it listens or the wait is over.
    const QDeadlineTimer prazo(esperaMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(caminho);
        if (socket.waitForConnected(EsperaMs)) {
            socket.write(PedidoFrente());
            const bool enviado = socket.waitForBytesWritten(EsperaMs);
            socket.disconnectFromServer();
            return enviado;
        }
        if (prazo.hasExpired())
            return false;
        QThread::msleep(100);
    }
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
