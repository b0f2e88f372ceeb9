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
// through the socket to bring its window to the front, and ends without showing anything.
class TInstanciaUnica final : public QObject {
    Q_OBJECT
public:
    static QString NomePadrao();    // "Pruv 2003"
    static QString PastaPadrao();   // the user's runtime folder

    // The lock file is pasta/nome + ".lock", the socket pasta/nome.
    explicit TInstanciaUnica(QString pasta = PastaPadrao(), QString nome = NomePadrao(), QObject* pai = nullptr);
    ~TInstanciaUnica() override;

    // True when another copy runs and took the request to come to the front. False: this start
    // goes on. Either it is the only copy, keeps the lock and answers later starts until it is
    // destroyed; or the copy that holds the lock did not take the request within a few seconds
    // (still starting, or hung), and the program folder's own lock then keeps the two apart.
    bool InstanciaAnterior();

    // The window that a later start brings to the front; none while the program starts.
    void DefineJanela(QWidget* janela);

signals:
    void PedidoParaFrente();

private:
    void Escuta();
    void AtendeConexao();
    void TrazParaFrente();
    [[nodiscard]] QString Caminho() const;
    // True when a copy listening at caminho took the request, asked again for esperaMs.
    static bool PedeParaFrente(const QString& caminho, int esperaMs);

    QString FPasta;
    QString FNome;
    std::unique_ptr<TArquivoDeTrava> FTrava;
    QLocalServer* FServidor = nullptr;   // child
    QPointer<QWidget> FJanela;
};
