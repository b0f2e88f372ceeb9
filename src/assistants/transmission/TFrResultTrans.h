#pragma once
#include <QFrame>
#include <QString>
#include <QStringList>

class IBibliotecaEnvio;
class IProgresso;
class QLabel;
class QListWidget;
class QModelIndex;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;

// The frame that sends delivery files through the separate transmission program and lists one
// result line per file. It owns no transmission of its own: it finds the program through its INI
// file, loads the sending and progress libraries (platform/transmit), calls them once per file and
// shows the outcome. The delivery-file and transmission assistants place it on a page, fill
// Arquivos and call Transmite.
//
// It starts with both views hidden; after a Transmite exactly one is shown: the result view
// (PnTrans) when the sending library could be loaded, the notice view (PnDownLoad) otherwise.
// While Transmite runs the frame pumps events; its owner must not destroy it before it returns.
class TFrResultTrans final : public QFrame {
    Q_OBJECT
public:
    // The transmission program's oldest version that may be used.
    static constexpr int VersaoMinima = 200301;
    static constexpr int HelpContextResultado = 16000;

    // Status codes that start a result line.
    static constexpr char CodigoErro[] = "10";
    static constexpr char CodigoAceito[] = "20";
    static constexpr char CodigoEnviando[] = "30";
    static constexpr char CodigoAviso[] = "40";

    static const QString TextoNaoInstalado;
    static const QString TextoDesatualizado;
    static const QString TextoNenhumaSelecionada;

    explicit TFrResultTrans(QWidget* parent = nullptr);
    ~TFrResultTrans() override;

    // Sends every file of Arquivos, in order, and shows the results. A call while one runs is
    // ignored.
    void Transmite();
    // The lines of the result list: the callers clear it and add the full path of each file to
    // send; after a sending each line is its status code followed by the path.
    [[nodiscard]] QStringList& Arquivos() { return FArquivos; }
    // Empties MeErro and lets go of the messages (the owner calls it before it goes away).
    void Libera();
    // The message of each file sent, in the order of Arquivos.
    [[nodiscard]] const QStringList& MensagensEnvio() const { return FMensagensEnvio; }

    // The status code of the sending library's result.
    [[nodiscard]] static QString CodigoDoResultado(int resultado);

public slots:
    // Stops the sending before the next file; the file being sent finishes, as the library
    // cannot be interrupted. The files not sent keep their bare paths and have no message.
    void Cancela();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void EnviaDeclaracoes();
    void EnviaArquivo(int indice, const QString& arquivo, IBibliotecaEnvio& envio);
    void MostraAviso(const QString& texto);
    void DefineItem(int indice, const QString& texto);
    void AtualizaGaugeTransmissao(int percentual);
    void LbxResultadoClick(const QModelIndex& indice);
    void LbSiteClick();
    void PintaLbSite(const QColor& cor);
    [[nodiscard]] QPixmap ImagemDoCodigo(const QString& codigo) const;

    QStringList FArquivos;
    QStringList FMensagensEnvio;
    IProgresso* FGauge = nullptr;   // the gauge the progress callback moves; null between files
    bool FEnviando = false;
    bool FCancelado = false;

    QWidget* PnTrans;
    QWidget* PnResultado;
    QLabel* Label6;
    QListWidget* LbxResultado;
    QSplitter* Splitter1;
    QWidget* PnErros;
    QLabel* LbDescomp;
    QProgressBar* GgDescomp;
    QPlainTextEdit* MeErro;
    QLabel* ImgErro;
    QLabel* ImgOk;
    QLabel* ImgRelogio;
    QLabel* ImgAviso;
    QFrame* PnDownLoad;
    QFrame* Bevel1;
    QLabel* LbUlvaro;
    QLabel* LbSite;
};
