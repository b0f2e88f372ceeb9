#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

// Keeps the program to one running copy per user session. The first start holds a lock file for
// the life of the process and listens on a local socket; a later start finds the lock, asks the
// first through the socket to bring its window to the front, and ends without showing anything.
class TInstanciaUnica final : public QObject {
    Q_OBJECT
public:
    static QString NomePadrao();    // "Pruv 2003"
    static QString PastaPadrao();   // the user's runtime folder

    // The lock file is pasta/nome + ".lock", the socket pasta/nome.
    explicit TInstanciaUnica(QString pasta = PastaPadrao(), QString nome = NomePadrao(), QObject* pai = nullptr);
    ~TInstanciaUnica() override;

    // True when another copy runs: it has been asked to come to the front (a copy still starting
    // up, not yet listening, is left alone). False: this is the only copy; it keeps the lock and
    // answers later starts until it is destroyed.
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
    static bool PedeParaFrente(const QString& caminho);

    QString FPasta;
    QString FNome;
    std::unique_ptr<QLockFile> FTrava;
    QLocalServer* FServidor = nullptr;   // child
    QPointer<QWidget> FJanela;
};
