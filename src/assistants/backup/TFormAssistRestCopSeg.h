#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

#include "assistants/pages/TEstadoDe.h"
#include "shell/assistant/TFormAssist.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TPastaDeTrabalho;
class QWidget;

// The restore assistant, "Assistente de Restauração de Cópia de Segurança da Base de Dados":
// unpacks a backup file (".cmp") into a work folder under the temporary folder, checks the
// snapshot it holds, an earlier program's brought up to today's tables first
// (TCopiaBanco::PreparaRestauracao), compares the number of declarations of the current
// database and of the backup, asks for confirmation when the current one holds any, and puts the
// backup's data in place of the current data in one transaction. Seven pages: welcome, the file,
// the unpacking, success, failure, the confirmation and the replacing. Nothing of the current
// data changes before page 7; any failure leaves it as it was. Every collection must be closed
// before (the main window does it, and reads the tables again afterwards).
class TFormAssistRestCopSeg final : public TFormAssist {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11091;

    // Reads the remembered place and runs step 1.
    explicit TFormAssistRestCopSeg(QWidget* owner = nullptr);
    ~TFormAssistRestCopSeg() override;

    void MostraPagina(int n) override;
    bool ExecutaEtapa(int n) override;
    // Page 2: the folder of the file named must exist.
    bool PodeAvancar(int etapa) override;

    // The open dialog of the browse button: from the folder and the file name, the path chosen,
    // empty when the user gave up. Tests put their own.
    std::function<QString(const QString& pasta, const QString& nome)> DialogoAbrir;

    [[nodiscard]] const QString& ArquivoOrigem() const { return FArquivoOrigem; }
    [[nodiscard]] qint64 NumDeclaracoesAtual() const { return FNumDeclaracoesAtual; }
    [[nodiscard]] qint64 NumDeclaracoesCopia() const { return FNumDeclaracoesCopia; }
    // The last result (ResultadoCompressao) of the unpacking, or Falha for a backup refused or
    // a replacement that failed; page 5 tells it.
    [[nodiscard]] int Resultado() const { return FResultado; }

    QLineEdit* EdArquivo;
    QPushButton* BitBtn1;
    QLabel* Label2;
    QProgressBar* Gauge1;
    QLabel* Label7;
    QLabel* Label4;
    QLabel* LbMotivo;   // page 5: why the restore failed
    QLabel* Label9;
    QProgressBar* Gauge2;

public slots:
    void EdArquivoChange();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* CriaPagina2();
    QWidget* CriaPaginaProgresso(const char* nome, const QString& texto, QLabel*& rotulo, QProgressBar*& gauge);
    void Foca();
    void PropoeArquivo();
    bool Descomprime();
    bool SubstituiDados();
    bool EntregasAcertadas();
    [[nodiscard]] QString ArquivoCopia() const;
    // outroArquivo: another backup file may do, and the failure page says how to choose it.
    void Falha(int resultado, const QString& motivo, bool outroArquivo = true);

    QString FDirCsDefault;
    QString FDirCsUltimo;
    QString FArqCsDefault;
    QString FArqCsUltimo;
    QString FDiretorioDados;
    QString FArquivoOrigem;
    QString FPastaCorrente;                                 // where a relative path typed on page 2 starts
    std::unique_ptr<TPastaDeTrabalho> FDiretorioTrabalho;   // the unpacked backup; removed with the form
    qint64 FNumDeclaracoesAtual = 0;
    qint64 FNumDeclaracoesCopia = 0;
    int FResultado = 0;
    QString FMotivo;   // why the last step failed, in the user's words
    bool FOutroArquivo = true;
};

// The steps; step n shows page n and does ExecutaEtapa(n) when entered.
using TEstadoRCS = TEstadoDe<TFormAssistRestCopSeg>;

// Welcome: on to the file (Concluir goes on from there at once).
class TEstadoRCS1 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    bool Evento(int codigo) override;
};

// The file: unpacks it.
class TEstadoRCS2 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    bool Evento(int codigo) override;
};

// The unpacking: failure page; with the data unusable, the replacing; with no declaration
// stored, the replacing at once; otherwise the confirmation.
class TEstadoRCS3 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    void Corrige() override;
    bool Evento(int codigo) override;
};

// Success: closing ends with mrOk.
class TEstadoRCS4 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    bool Evento(int codigo) override;
};

// Failure: closing ends with mrOk, as the restore itself is over; Voltar goes back to the file.
class TEstadoRCS5 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    [[nodiscard]] int Anterior() const override { return 2; }
    bool Evento(int codigo) override;
};

// The confirmation: on to the replacing.
class TEstadoRCS6 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    bool Evento(int codigo) override;
};

// The replacing: success or failure page.
class TEstadoRCS7 final : public TEstadoRCS {
public:
    using TEstadoRCS::TEstadoRCS;
    void Corrige() override;
    bool Evento(int codigo) override;
};

// The entry routine of the main window's command: shows the assistant modally over Dono and
// frees it.
void ExecutaAssistRestCopSeg(QWidget* Dono);
