#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

// The window of the automatic backup at exit, "Cópia de Segurança Automática": where the backup
// goes, its progress, and the button that stops it. Kept above every window, without border
// icons, centred on its owner. One exists at a time (Instancia), while the backup runs.
class TFormCopSegAuto final : public QDialog {
    Q_OBJECT
public:
    // The help of the backups.
    static constexpr int HelpContext = 11090;
    static constexpr int LarguraCliente = 435;
    static constexpr int AlturaCliente = 86;

    explicit TFormCopSegAuto(QWidget* Dono = nullptr);
    ~TFormCopSegAuto() override;

    // The window while it exists, else nullptr.
    [[nodiscard]] static TFormCopSegAuto* Instancia();

    // What the main window calls at exit (it is disabled meanwhile): the window is made on
    // Dono, FazCopiaAutomatica runs with it, and it goes.
    static void Executa(QWidget* Dono);

    QProgressBar* GaugeTotal;
    QLabel* LbDiretorio;
    QPushButton* BotaoCancelar;

public slots:
    void BotaoCancelarClick();
    void reject() override;   // Escape stops the backup, as the button does

protected:
    void showEvent(QShowEvent* Evento) override;
};

// The name of the automatic backup file in the backup folder.
inline constexpr char NomeCopiaAutomatica[] = "copsegauto.cmp";

// The backup folder: the INI key DirCsDefault of "Copia de Seguranca" (default: the program
// folder + "/CopSeg") without trailing separators.
QString PastaCopiaAutomatica();

// Packs the data files into PastaCopiaAutomatica() + "/copsegauto.cmp" (through a ".tmp" file),
// showing the progress on Janela. A failure shows "A cópia de segurança automática falhou." and
// a cancel nothing; both leave the earlier backup as it was. On success the folder is written to
// the registry value DirCsDefault.
void FazCopiaAutomatica(TFormCopSegAuto& Janela);

// The progress callback of the packing: moves the gauge of the window, when there is one, and
// lets the interface handle a click on Cancelar.
void ProgressoCopiaAutomatica(int Percentual);
