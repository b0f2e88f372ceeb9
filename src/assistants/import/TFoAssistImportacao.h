#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "assistants/pages/TEstadoDe.h"
#include "exchange/import/TPedidoImportacao.h"
#include "exchange/import/TResultadoImportacao.h"
#include "model/values/TErro.h"
#include "shell/assistant/TFormAssist.h"

class QCheckBox;
class QComboBox;
class QFontMetrics;
class QLabel;
class QLineEdit;
class QPainter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QRect;
class TColecaoPruv;
class TDataSource;
class TPruv;
class TPruvGridImpCompr;
class TPruvGridImpDecl;
class TdvCustomDBGrid;
class TdvDBComboBox;
class TdvTable;

// The import assistant, "Assistente de Importação de Dados": brings declarations from a text file
// in the delivery layout (or from a packed file of an earlier version, unpacked first) and income
// statements from a text file into a stored declaration. Twelve pages, step n on page n:
// 1 welcome, 2 kind and file, 3 unpacking, 4 declarant's name, year and nature, 5 sample of the
// value lines, 6 importing, 7 counts, 8 the declaration for the statements, 9 sample of the
// statements, 10 importing them, 11 their counts, 12 failure. Nothing reaches the database before
// step 6 or step 10.
//
// Section Importacao of the program's INI file: Diretorio (where the open dialog starts) and
// ArqImporta (the declaration file chosen).
class TFoAssistImportacao final : public TFormAssist {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11030;
    // The format flag of the packed files of the versions whose year has two digits.
    static constexpr std::uint8_t FormatoAnoDoisDigitos = TPedidoImportacao::LeiauteAnoDoisDigitos;

    static const QString TextoDescompactacao;
    static const QString TextoCancelada;
    static const QString TextoFormatoAntigo;

    // Colecao belongs to the caller and outlives the form; NomeErro is the base name of the error
    // files of the last import. Runs step 1.
    TFoAssistImportacao(TColecaoPruv& Colecao, const QString& NomeErro, QWidget* owner = nullptr);
    ~TFoAssistImportacao() override;

    void MostraPagina(int n) override;
    bool ExecutaEtapa(int n) override;
    bool PodeAvancar(int etapa) override;
    // Also stops an unpacking that runs; the importers stop before their next line.
    void Cancela() override;

    // ---- what the steps decide on ----
    // Page 2 left: the next step for the kind and the file chosen; Repetir: go on at once.
    int Escolha(bool& Repetir);
    // After the unpacking: 4, or 12 with the reason.
    int DestinoDescompressao();
    // After the import: 7, or 12 with the message of its result.
    int DestinoImportacao();

    // ---- page 4 ----
    void CbAnoRetChange();
    void CbTipoDeclarChange();
    void DENomeExit();

    // ---- results ----
    [[nodiscard]] const TResultadoImportacao::TContadores& Contadores() const { return FContadores; }
    [[nodiscard]] std::uint8_t ResultadoImportacao() const { return FResultadoImportacao; }
    [[nodiscard]] const QString& NomeErro() const { return FNomeErro; }
    [[nodiscard]] const TPruv& Declaracao() const { return *PruvImportacao; }
    [[nodiscard]] int ComprovantesRejeitados() const { return FComprRejeitados; }
    [[nodiscard]] const QString& NomeLogComprovantes() const { return FNomeLogCompr; }
    [[nodiscard]] bool Declaracoes() const;   // RBDeclaracao is checked

    // Diretorio: the folder of the dialog's last file name.
    void GravaDadosIni();

    // The open dialog of the browse button: from the folder and the filter, the path chosen,
    // empty when the user gave up. Tests put their own.
    std::function<QString(const QString& pasta, const QString& filtro)> DialogoAbrir;

    QRadioButton* RBDeclaracao;
    QRadioButton* RBComprovante;
    QLabel* LDescrImportacao;
    QLineEdit* EdArquivo;
    QPushButton* BitBtn1;
    QProgressBar* Gauge3;
    QComboBox* CbAnoRet;
    QWidget* PanelNome;
    QLineEdit* DENome;
    QWidget* PanelNatureza;
    TdvDBComboBox* CbTipoDeclar;
    TPruvGridImpDecl* grdImpDecl;
    QProgressBar* Gauge1;
    QLabel* LbTotDecImp;
    QLabel* LbTotBenefAdic;
    QLabel* LbTotBenefSubs;
    QLabel* LbDescartados;
    QLabel* LbTotRej;
    QLabel* LbAvisos;
    QLabel* LbAnexosAdic;
    QCheckBox* CheckMostrRel;
    TdvCustomDBGrid* DBGrDeclaracao;
    TPruvGridImpCompr* grdImpCompr;
    QProgressBar* Gauge2;
    QLabel* lblComprImportados;
    QLabel* lblComprRejeitados;
    QCheckBox* MostraRelErroCompr;
    QLabel* LErro;

public slots:
    void BitBtn1Click();
    void RBDeclaracaoClick();
    void RBComprovanteClick();
    // Escape cancels as CancelBtn does, and not while that is disabled.
    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* CriaPagina2();
    QWidget* CriaPagina4();
    QWidget* CriaPagina7();
    QWidget* CriaPagina8();
    QWidget* CriaPagina11();
    void BuscaInformacaoIni();
    void Descomprime();
    void LeDeclarante();
    // The declaration of the number and year of PruvImportacao is looked up; the page shows its
    // stored name and nature (locked), or the file's (open to change).
    void ProcuraDeclaracao();
    // The natures the declarant may have, with the declaration's own chosen.
    void PreencheNaturezas();
    // The chosen nature's whole description as the box's hint.
    void DicaNatureza();
    void DesenhaNatureza(int Indice, QPainter& p, const QRect& r, unsigned Estado) const;
    // The nature box's height: two lines of its font inside its frame.
    [[nodiscard]] static int AlturaDaNatureza(const QFontMetrics& Medidas);
    void TravaPainel(bool Encontrada);
    void PassaNomeEAno();
    void Importa();
    void MostraRelatorioDeclaracao();
    bool CarregaDeclaracaoEscolhida();
    void AmostraComprovantes();
    void ImportaComprovantes();
    void MostraErro(const QString& Texto);

    TColecaoPruv& FColecao;   // not owned
    TErros FErrosImportacao;
    std::unique_ptr<TPruv> PruvImportacao;
    std::unique_ptr<TdvTable> TbPruv;
    std::unique_ptr<TDataSource> DsPruv;
    bool ArquivoCompactado = false;
    std::uint8_t FResultadoImportacao = 0;
    QString ArquivoImportacao;
    QString NomeArquivo;
    int CodigoNatureza = -1;
    TResultadoImportacao::TContadores FContadores;
    int ResultadoDescompressao = 0;
    bool FDescompactado = false;   // declar.txt was unpacked into the data folder
    std::uint8_t FFormato = 0;
    QString FNomeErro;
    QString FDiretorio;
    int FComprRejeitados = 0;
    QString FNomeLogCompr;
    bool FCancelado = false;     // read by the importers
    bool FPreenchendo = false;   // page 4 is being filled: its change handlers wait
};

// The steps; step n shows page n and does ExecutaEtapa(n) when entered.
using TEstadoImportacao = TEstadoDe<TFoAssistImportacao>;

// Welcome: to the kind and file (at once with Concluir).
class TEstadoImportacao1 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The kind and the file: to the unpacking, the declarant or the declaration for the statements.
class TEstadoImportacao2 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The unpacking: to the declarant, or to the failure page.
class TEstadoImportacao3 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The declarant: to the sample.
class TEstadoImportacao4 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The sample: on to the import at once.
class TEstadoImportacao5 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The import: to the counts, or to the failure page.
class TEstadoImportacao6 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The counts: closing ends the assistant.
class TEstadoImportacao7 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The declaration for the statements: to their sample.
class TEstadoImportacao8 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The sample of the statements: on to their import at once.
class TEstadoImportacao9 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The import of the statements: to their counts.
class TEstadoImportacao10 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// The counts of the statements: closing ends the assistant.
class TEstadoImportacao11 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};
// Failure: closing ends the assistant.
class TEstadoImportacao12 final : public TEstadoImportacao {
public:
    using TEstadoImportacao::TEstadoImportacao;
    bool Evento(int codigo) override;
};

// The entry routine of the main window's command: runs the assistant modally over Dono on the
// stored declarations. NomeErro: the base name of the error files of the last import, in and
// out. After a declaration file: MostraRelatorio tells whether the error report is to be shown,
// Linhas the lines it will hold (records rejected and warnings). After a statement file the statement error report is shown here (or
// message 161 without a printer). True when at least one declaration was imported. False at once
// while another such assistant runs.
bool ExecutaAssistImportacao(QString& NomeErro, TColecaoPruv& Colecao, bool& MostraRelatorio, int& Linhas,
                             QWidget* Dono);
