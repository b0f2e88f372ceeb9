#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "platform/files/TArquivoDeTrava.h"

class QLocalServer;
class QWidget;

// Keeps the program to one running copy per user session. The first start holds a lock file for
// the life of the process (TArquivoDeTrava: a file no running copy holds is taken over, whatever
// it holds) and listens on a local socket; a later start finds the lock held, asks the first
// through the socket to bring its window to the front, and ends without showing anything once
// the first answers that it did. Both live in a folder of the user's own (owned by the user,
// mode 0700), where no other user can prepare them; where there is none, no check is made and
// the program folder's own lock alone keeps two copies off one database.
class TInstanciaUnica final : public QObject {
    Q_OBJECT
public:
    static QString NomePadrao();   // "Pruv 2003"
    // The user's runtime folder; empty when the system gives none.
    static QString PastaPadrao();
    // What a later start tells when the copy that runs took its request and did not answer.
    static QString MensagemSemResposta();

    // The lock file is pasta/nome + ".lock", the socket pasta/nome.
    explicit TInstanciaUnica(QString pasta = PastaPadrao(), QString nome = NomePadrao(), QObject* pai = nullptr);
    ~TInstanciaUnica() override;

    // True when another copy runs and took the request to come to the front: this start ends,
    // silently when that copy answered (Respondeu), saying MensagemSemResposta when it did not
    // within a second or two (stopped, or hung). False: this start goes on. Either it is the
    // only copy, keeps the lock and answers later starts until it is destroyed; or the copy that
    // holds the lock did not take the request within a few seconds (still starting, or never
    // listening), and the program folder's own lock then keeps the two apart; or the folder is
    // not the user's own, and no check is made.
    bool InstanciaAnterior();
    [[nodiscard]] bool Respondeu() const { return FRespondeu; }

    // The window that a later start brings to the front; none while the program starts.
    void DefineJanela(QWidget* janela);

signals:
    void PedidoParaFrente();

private:
    void Escuta();
    void AtendeConexao();
    void TrazParaFrente();
    [[nodiscard]] QString Caminho() const;
    enum class TPedido { SemCopia, Respondeu, SemResposta };
    // Whether a copy listening at caminho took the request (asked again for esperaMs) and
    // answered that its window came forward.
    static TPedido PedeParaFrente(const QString& caminho, int esperaMs);
    // True when pasta is a folder of this user's own, made (mode 0700) when missing.
    static bool PastaPropria(const QString& pasta);

    QString FPasta;
    QString FNome;
    std::unique_ptr<TArquivoDeTrava> FTrava;
    QLocalServer* FServidor = nullptr;   // child
    QPointer<QWidget> FJanela;
    bool FRespondeu = false;
};
