#include "shell/window/TInstanciaUnica.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>
#include <QtGlobal>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int EsperaMs = 1000;
// How long a later start waits for the copy holding the lock to take its request: a copy that
// has just taken the lock is listening a moment later.
constexpr int EsperaPrimeiraMs = 3000;

// How long a later start waits for the first copy's answer once it took the request: the
// first answers from its event loop, which every long task keeps turning.
constexpr int EsperaRespostaMs = 2000;

// What a later start writes to the first.
QByteArray PedidoFrente()
{
    return QByteArrayLiteral("frente\n");
}

// What the first answers once its window came forward.
QByteArray RespostaFrente()
{
    return QByteArrayLiteral("na frente\n");
}

}   // namespace

QString TInstanciaUnica::NomePadrao()
{
    return QStringLiteral("Pruv 2003");
}

QString TInstanciaUnica::PastaPadrao()
{
    // Never the shared temporary folder, where another user could prepare the marker or listen
    // on the socket.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString TInstanciaUnica::MensagemSemResposta()
{
    return QStringLiteral("O Pruv 2003 já está aberto nesta sessão, mas não responde. Aguarde que ele termine o que "
                          "está fazendo, ou encerre-o, e inicie o programa novamente. O programa será finalizado.");
}

bool TInstanciaUnica::PastaPropria(const QString& pasta)
{
    if (pasta.isEmpty())
        return false;
    const QByteArray nativo = QFile::encodeName(pasta);
    if (::mkdir(nativo.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(nativo.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
        && (st.st_mode & 0777) == 0700;
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
    FRespondeu = false;
    if (!PastaPropria(FPasta)) {
        qWarning("no folder of this user's own for the single-instance check (%s); starting without it",
                 qUtf8Printable(FPasta));
        return false;
    }
    FTrava = std::make_unique<TArquivoDeTrava>(Caminho() + QStringLiteral(".lock"), NomePadrao());
    const TArquivoDeTrava::TResultado resultado = FTrava->Trava();
    if (resultado == TArquivoDeTrava::TResultado::Travado) {
        Escuta();
        return false;
    }
    const int erro = FTrava->Erro();
    FTrava.reset();
    // Without the lock no copy is known to run: it is asked once, without waiting for one to come.
    switch (PedeParaFrente(Caminho(), resultado == TArquivoDeTrava::TResultado::EmUso ? EsperaPrimeiraMs : 0)) {
    case TPedido::Respondeu:
        FRespondeu = true;
        return true;
    case TPedido::SemResposta:
        qWarning("the copy listening in %s took the request but did not answer", qUtf8Printable(FPasta));
        return true;
    case TPedido::SemCopia:
        break;
    }
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

TInstanciaUnica::TPedido TInstanciaUnica::PedeParaFrente(const QString& caminho, int esperaMs)
{
    // A copy that holds the lock but is not listening yet refuses the connection: asked again
    // until it listens or the wait is over.
    const QDeadlineTimer prazo(esperaMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(caminho);
        if (socket.waitForConnected(EsperaMs)) {
            // The system takes the connection and the request for a copy that is stopped or hung
            // as well: only its answer tells that it runs.
            socket.write(PedidoFrente());
            if (!socket.waitForBytesWritten(EsperaMs))
                return TPedido::SemResposta;
            // Events keep being handled meanwhile, so that a copy in this same process answers.
            const QDeadlineTimer resposta(EsperaRespostaMs);
            while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !resposta.hasExpired()) {
                QCoreApplication::processEvents();
                socket.waitForReadyRead(20);
            }
            const bool respondeu = socket.canReadLine() && socket.readLine() == RespostaFrente();
            socket.abort();
            return respondeu ? TPedido::Respondeu : TPedido::SemResposta;
        }
        if (prazo.hasExpired())
            return TPedido::SemCopia;
        QThread::msleep(100);
    }
}

void TInstanciaUnica::AtendeConexao()
{
    while (QLocalSocket* conexao = FServidor->nextPendingConnection()) {
        auto le = [this, conexao] {
            if (conexao->canReadLine() && conexao->readLine() == PedidoFrente()) {
                TrazParaFrente();
                conexao->write(RespostaFrente());
                conexao->disconnectFromServer();   // once the answer is written
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
