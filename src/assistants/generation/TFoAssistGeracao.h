#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "assistants/pages/TEstadoDe.h"
#include "model/values/CodigoMensagem.h"
#include "platform/files/TVolumes.h"
#include "shell/assistant/TFormAssist.h"

class QCheckBox;
class QComboBox;
class TdvDBLookupCombo;
class TdvTable;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QRadioButton;
class TArquivoPruv;
class TColecaoPruv;
class TFrPruvVerifica;
class TFrResultTrans;
class TPruv;
class TRotuloSitio;

// The delivery-file assistant, "Assistente de Gravação da Declaração": turns the open declaration
// into the delivery file. It asks the place of transmission and, for a rectifying declaration of
// 2002 or later, the receipt number of the declaration rectified; runs the verification of
// pending items, where any error stops it; lets the user choose the volume; runs the writer and
// shows its result; and may transmit the written file at once. Nine pages, step n on page n:
// 1 place, 2 verification, 3 volume, 4 writing, 5 success, 6 failure, 7 transmission,
// 8 the offer to transmit, 9 receipt number.
//
// The volume chosen is remembered in the section AssistG (keys unidade, diretorio: the volume's
// root, and the root again for a removable medium) at every change, and the volume list's text in
// Geracao, key Disco, when the assistant ends (GravaDadosIni).
class TFoAssistGeracao final : public TFormAssist {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11060;
    static constexpr int HelpContextTransmissao = 11040;   // page 8
    // The writer's result until it has run.
    static constexpr std::uint8_t SemResultado = CodigoMensagem::FalhaNaCompactacao;

    static const QString TextoErroVerificacao;
    static const QString TextoVerificacaoCancelada;
    static const QString TextoCdRom;
    static const QString TextoReciboVazio;
    static const QString TextoReciboInvalido;

    // Declaracao and Colecao belong to the caller and outlive the form. Opens the table of states,
    // lists the volumes, reads the remembered volume and runs step 1.
    TFoAssistGeracao(TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* owner = nullptr);
    ~TFoAssistGeracao() override;

    void MostraPagina(int n) override;
    bool ExecutaEtapa(int n) override;
    bool PodeAvancar(int etapa) override;
    // Also stops a packing that runs; the writer stops before its next item.
    void Cancela() override;

    // ---- what the steps decide on ----
    // A rectifying declaration of 2002 or later: its receipt number is asked (page 9).
    [[nodiscard]] bool PedeNumeroRecibo() const;
    // After the verification: 3 when the declaration may be written, else 6 with its reason.
    int DestinoVerificacao();
    // After the writing: 8 when written, else 6 with the writer's message.
    int DestinoGravacao();
    // After the transmission: the receipt is offered for printing only when the transmission
    // left a receipt file beside the delivery file.
    void ConfereArquivoRecibo();
    // The user chose not to transmit: no receipt to print.
    void DispensaRecibo();

    // ---- results ----
    [[nodiscard]] std::uint8_t Resultado() const { return FResultado; }
    [[nodiscard]] const QString& NomeArquivo() const { return FNomeArquivo; }
    // The place of transmission: the state code chosen, empty while none is.
    [[nodiscard]] QString Uf() const;
    // The receipt number typed on page 9, digits only.
    [[nodiscard]] QString NumeroRecibo() const;

    // Geracao, key Disco: the volume list's text.
    void GravaDadosIni();

    TdvDBLookupCombo* DBLCUF;
    TFrPruvVerifica* FrPruvVerifica;
    QComboBox* DCBDisco;
    QProgressBar* Gauge1;
    QProgressBar* Gauge2;
    QPlainTextEdit* Memo2;
    QLabel* Label7;
    QCheckBox* CBRecibo;
    QLabel* LbPrimeiraParteErro;
    QLabel* LErro;
    TFrResultTrans* FrResultTrans;
    TRotuloSitio* LbSite;
    QRadioButton* RBSim;
    QRadioButton* RBNao;
    QLineEdit* MENumRec;

public slots:
    // Escape cancels as CancelBtn does, and not while that is disabled.
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
    QWidget* CriaPagina7();
    QWidget* CriaPagina8();
    QWidget* CriaPagina9();
    void BotaoCancelarOnClick();
    void BuscaInformacaoIni();
    void DCBDiscoChange();
    // Selects volume i of the list, which always counts as a change of volume.
    void SelecionaVolume(int i);
    // The volume page 3 preselects: the remembered one, unless it is gone or is a CD, then the
    // data folder's.
    [[nodiscard]] int VolumePreferido() const;
    [[nodiscard]] int IndiceVolume(const QString& Raiz) const;
    void PreencheMemo();
    void Verifica();
    void Grava();
    void Transmite();
    void MostraErro(const QString& Texto);

    std::uint8_t FResultado = SemResultado;
    QString FTextoFalha;   // what page 6 tells of a writer's failure; empty: its code's message
    TPruv& FDeclaracao;    // not owned
    QStringList FChaves;
    std::unique_ptr<TArquivoPruv> FArquivoPruv;
    std::unique_ptr<TdvTable> FTabuf;   // the states DBLCUF lists
    TColecaoPruv& FColecao;             // not owned
    QString FUnidade;                   // the chosen volume's root
    QString FDiretorio;
    bool FRemovivel = false;
    int FNumRegistros = 0;
    QString FNomeArquivo;
    QList<TVolume> FVolumes;   // as DCBDisco lists them
    TVolume FVolume;           // the chosen one
    bool FCancelado = false;   // read by the writer
};

// The steps; step n shows page n and does ExecutaEtapa(n) when entered.
using TEstadoGeracao = TEstadoDe<TFoAssistGeracao>;

// The place of transmission: to the receipt number of a rectifying declaration, else to the
// verification (at once with Concluir).
class TEstadoGeracao1 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The verification: to the volume, or to the failure page when the declaration may not be written.
class TEstadoGeracao2 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The volume: on to the writing at once.
class TEstadoGeracao3 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The writing: to the offer to transmit, or to the failure page.
class TEstadoGeracao4 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// Success: closing ends the assistant.
class TEstadoGeracao5 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// Failure: closing ends the assistant.
class TEstadoGeracao6 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The transmission: to the success page, offering the receipt when one came back.
class TEstadoGeracao7 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The offer to transmit: to the transmission, or to the success page without a receipt.
class TEstadoGeracao8 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The receipt number: to the verification (at once with Concluir).
class TEstadoGeracao9 final : public TEstadoGeracao {
public:
    using TEstadoGeracao::TEstadoGeracao;
    bool Evento(int codigo) override;
};

// The entry routine of the main window's command: runs the assistant modally over Dono on the
// declaration and the stored declarations. NomeArquivo receives the path of the delivery file
// written (empty when none was). True only when the file was written, the assistant did not end
// by cancelling and "Imprimir Recibo" stayed checked, which happens only after a transmission from
// the assistant left its receipt file. False at once while another such assistant runs.
bool ExecutaAssistGeracao(QString& NomeArquivo, TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono);
