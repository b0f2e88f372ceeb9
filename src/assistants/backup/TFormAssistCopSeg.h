#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

#include "assistants/pages/TEstadoDe.h"
#include "shell/assistant/TFormAssist.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

// The backup assistant, "Assistente de Cópia de Segurança da Base de Dados": packs the data files
// (CopiaDeSeguranca.h) into one ".cmp" file that the user names, on the base folder or on a
// removable medium, optionally reorganising the tables first. Six pages: welcome, the file, the
// removable-medium notice, the progress, success and failure. The place is remembered in the
// section "Copia de Seguranca" of the INI file and, for the base folder, in the registry value
// DirCsDefault. Every collection must be closed before (the main window does it).
class TFormAssistCopSeg final : public TFormAssist {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11090;
    // Where the progress gauge and its caption go on page 4, at 96 pixels per inch, with and
    // without the reorganisation's gauge above them.
    static constexpr int TopoGaugeComReorganizacao = 91;
    static constexpr int TopoLabelComReorganizacao = 75;
    static constexpr int TopoGaugeSemReorganizacao = 70;
    static constexpr int TopoLabelSemReorganizacao = 54;

    // Reads the remembered place and runs step 1.
    explicit TFormAssistCopSeg(QWidget* owner = nullptr);
    ~TFormAssistCopSeg() override;

    void MostraPagina(int n) override;
    bool ExecutaEtapa(int n) override;
    // Page 2: the file named is checked, its folder made and it becomes the target.
    bool PodeAvancar(int etapa) override;
    // Cancelling also stops a packing that runs.
    void Cancela() override;

    // The save dialog of the browse button: from the folder and the file name, the path chosen,
    // empty when the user gave up. Tests put their own.
    std::function<QString(const QString& pasta, const QString& nome)> DialogoSalvar;

    [[nodiscard]] const QString& ArquivoDestino() const { return FArquivoDestino; }
    [[nodiscard]] bool Removivel() const { return FRemovivel; }
    [[nodiscard]] qint64 TotalBytes() const { return FTotalBytes; }
    // How many floppy disks a backup of that many bytes of data may take: packing keeps about
    // 23% of the data, on disks of 1,440,000 bytes; a last disk filled past 80% counts one more.
    [[nodiscard]] static int QuantidadeDisquetes(qint64 totalBytes);
    // The notice of page 3 for that many disks.
    [[nodiscard]] static QString AvisoDisquetes(int quantidade);
    // The packing's last result (ResultadoCompressao), which page 6 tells.
    [[nodiscard]] int Resultado() const { return FResultado; }

    QLineEdit* EdArquivo;
    QPushButton* BitBtn1;
    QCheckBox* CheckBoxReord;
    QLabel* Label5;
    QLabel* Label2;
    QProgressBar* GaugeTotal;
    QLabel* Label3d1;
    QProgressBar* GaugeIndexa;
    QLabel* Label7;
    QLabel* Label1;

public slots:
    void EdArquivoChange();
    void BitBtn1Click();
    // Escape cancels as CancelBtn does, and not while that is disabled (the reorganisation).
    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* CriaPagina1();
    QWidget* CriaPagina2();
    QWidget* CriaPagina3();
    QWidget* CriaPagina4();
    QWidget* CriaPagina5();
    QWidget* CriaPagina6();
    void HabilitaAvancar(bool habilita);
    void PosicionaProgresso(bool reorganiza);
    bool Comprime();
    void Lembra();
    static void GravaIni(const char* chave, const QString& valor);

    QString FDirCsDefault;
    QString FDirCsUltimo;
    QString FArqCsDefault;
    QString FArqCsUltimo;
    QString FArquivoDestino;
    QString FPastaCorrente;   // where a relative path typed on page 2 starts
    qint64 FTotalBytes = 0;
    bool FRemovivel = false;
    int FResultado = 0;
};

// The steps; step n shows page n and does ExecutaEtapa(n) when entered.
using TEstadoCS = TEstadoDe<TFormAssistCopSeg>;

// Welcome: Avançar goes to the file; Concluir packs at once to the remembered place.
class TEstadoCS1 final : public TEstadoCS {
public:
    using TEstadoCS::TEstadoCS;
    bool Evento(int codigo) override;
};

// The file: Avançar goes to the notice for a removable medium, else packs; Concluir packs.
class TEstadoCS2 final : public TEstadoCS {
public:
    using TEstadoCS::TEstadoCS;
    bool Evento(int codigo) override;
};

// The removable-medium notice: packs.
class TEstadoCS3 final : public TEstadoCS {
public:
    using TEstadoCS::TEstadoCS;
    bool Evento(int codigo) override;
};

// The packing: success or failure page.
class TEstadoCS4 final : public TEstadoCS {
public:
    using TEstadoCS::TEstadoCS;
    bool Evento(int codigo) override;
};

// Success: remembers the place; closing ends with mrOk.
class TEstadoCS5 final : public TEstadoCS {
public:
    using TEstadoCS::TEstadoCS;
    bool Evento(int codigo) override;
};

// Failure: closing ends with mrCancel.
class TEstadoCS6 final : public TEstadoCS {
public:
    using TEstadoCS::TEstadoCS;
    bool Evento(int codigo) override;
};

// The entry routine of the main window's command: shows the assistant modally over Dono and
// frees it.
void ExecutaAssistCopSeg(QWidget* Dono);
