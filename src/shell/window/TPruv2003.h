#pragma once
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>

#include "shell/printing/TRotinasImpressao.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/window/IFrDeclaracao.h"
#include "shell/window/TEstadoMenus.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;
class TColecaoPruv;
class TDatabase;
class EDatabaseError;
class TErros;
class TPruv;
struct TItemMenu;

// The windows that some commands open and that belong to the layers above the shell (the
// screens and the assistants): the program hands their entry routines in. A command whose
// routine is missing stays disabled.
struct TRotinasPrincipal {
    std::function<void()> MostraCalculadora;   // modeless, one at a time
    std::function<void(QWidget* dono)> ExecutaAssistTransmissao;
    std::function<void(QWidget* dono)> ExecutaAssistCopSeg;       // the backup assistant
    std::function<void(QWidget* dono)> ExecutaAssistRestCopSeg;   // the restore assistant
    std::function<void()> MostraReorganizacao;                    // rebuilds the tables
    // The data files by name: the restore removes their work copies from the temporary folder.
    QStringList ArquivosDados;
    // The declaration frame, made once as a hidden child of the main window (dono), which shows
    // it while a declaration is open.
    std::function<IFrDeclaracao*(QWidget* dono)> CriaFrDeclaracao;
    // The summary computation with its progress window: 1 when the totals were computed and stored.
    std::function<int(TPruv& pruv)> CalculaResumo;
    // The automatic backup of the data files at exit, with its progress window.
    std::function<void(QWidget* dono)> FazCopiaAutomatica;
    // The modeless pending-items window over the open declaration; posiciona locates an item.
    std::function<void(TPruv& pruv, TPosicionaCampo posiciona, QWidget* dono)> ExibePendencias;
    // The open-declaration dialog with that caption: true when a stored declaration was loaded
    // into pruv.
    std::function<bool(TPruv& pruv, TColecaoPruv& colecao, const QString& legenda)> AbreDeclaracao;
    // The new-declaration dialog: true when a new declaration was stored and loaded into pruv.
    std::function<bool(TPruv& pruv, TColecaoPruv& colecao)> NovaDeclaracao;
    // The delete dialog: true when the user confirmed a deletion.
    std::function<bool(TColecaoPruv& colecao)> ExcluiDeclaracoes;
    // The delivery-file assistant over the open declaration: nomeArquivo receives the delivery
    // file written; true when its receipt is to be printed.
    std::function<bool(QString& nomeArquivo, TPruv& pruv, TColecaoPruv& colecao, QWidget* dono)> ExecutaAssistGeracao;
    // The import assistant over the stored declarations: nomeErro, the base name of the error
    // files of the last import, in and out; relatorio, whether the import error report is to be
    // shown, with its number of lines. True when a declaration was imported.
    std::function<bool(QString& nomeErro, TColecaoPruv& colecao, bool& relatorio, int& linhas, QWidget* dono)>
        ExecutaAssistImportacao;
    // Previews the error report of the pair nome ("I": of an import) announcing total lines.
    std::function<void(int total, const QString& nome, const QString& modo)> ExibeRelatorioErrosImp;
    // The print assistant and the reports of the print command.
    TRotinasImpressao Impressao;

    // The modeless search window over the open declaration; posiciona locates a hit.
    std::function<void(TPruv& pruv, TPosicionaCampo posiciona, QWidget* dono)> MostraPesquisa;
};

// The program's one main window, "Pruv 2003". It holds the database, the stored declarations and
// the one open declaration, carries the menu bar and the toolbar, and runs every command through
// the gatekeeper PodeAbrirForm and the busy flag EmProcessamento. It is the last handler of the
// exceptions that event handlers let out.
class TPruv2003 final : public QMainWindow {
    Q_OBJECT
public:
    // The client area below the menu bar when the window opens; it may not be made smaller.
    static constexpr int LarguraCliente = 634;
    static constexpr int AlturaCliente = 429;

    // Connects to the database of the data folder, creating the folder and the database file on
    // the first start. When the folder or the file cannot be opened at all, message 163 is shown
    // with the engine's reason, EstadoPrograma::BaseIndisponivel is set and the program is told
    // to end. A file that is there but cannot be read (damaged, or no database) is a data error:
    // message 142 with the reason, and the program goes on with only the restore, the
    // reorganisation, the help and closing the window.
    explicit TPruv2003(QWidget* pai = nullptr);
    ~TPruv2003() override;

    // Makes the declaration frame when the routines bring one and the window has none yet.
    void DefineRotinas(TRotinasPrincipal rotinas);

    // The stored declarations, made on first use (which opens their table). Raises what
    // TColecaoPruv's constructor raises.
    TColecaoPruv& ObtemColecao();
    // The declaration object that the dialogs load and the frame shows, made on first use with
    // its own error sink; the responsible person's phone, fax and e-mail and the CPF responsible
    // before the CNPJ may be empty.
    TPruv& ObtemDeclaracao();
    // Holds the declaration object, loaded by the caller, as the open declaration: its summary
    // computed when it is not, the frame shown, the commands, caption and year label set for it.
    // Nothing while the data are unavailable.
    void AbrirDeclaracao();
    [[nodiscard]] bool GetDeclaracaoAberta() const { return DeclaracaoAberta; }

    // What the program shows before the first command: on the first run the backups of the
    // registered backup folder, then the start of the work.
    void AbrirDialogoInicial();
    // Lists the backups of the registered backup folder in an information dialog; nothing when
    // there is no folder or no backup in it.
    void VerificaCopiaDeSeguranca();

    // The gatekeeper of the commands: whether the window of that name may open now. It closes
    // what would conflict with it; a refusal has already been explained to the user.
    bool PodeAbrirForm(const QString& nome);
    // Closes the open declaration; false when the user must stay on it.
    bool FecharDeclaracao();
    // Lets go of the open declaration and of the stored declarations, so that no table is open.
    // A declaration still open (the data failed, so it could not be closed) is dropped with its
    // frame.
    void FecharColecoes();

    // Runs the import assistant over the stored declarations, then shows its error report when
    // asked (message 161 without a printer) and refreshes the stored declarations and the
    // commands. True when a declaration was imported.
    bool ImportaDados();

    // Moves the open declaration to the field of a pending item or a search hit: the page of the
    // field becomes active and the field gets the focus. Code 1 and codes above 32 do nothing.
    void PosicionaCampo(const QString& Anexo, const QString& Item, std::uint8_t Objeto);
    // The frame's page changed: the page control's help context, the summary computed when the
    // summary page is entered with a summary out of date, the first field of the page focused.
    void FrDeclaracaoChange();

    // Sets the commands, the caption and the year label for the current state.
    void atualizaMenus();
    // False leaves only the restore, the reorganisation, the help and closing the window.
    void HabilitaMenus(bool b);

    // The last handler of an exception raised by a command or an event handler.
    void ApplicationEvents1Exception(std::exception_ptr excecao);
    // The program was told to end (no database, or a full disk).
    [[nodiscard]] bool Terminando() const { return FTerminando; }
    // The user closed the window and confirmed: the program ends with it.
    [[nodiscard]] bool Fechada() const { return FFechada; }

    // The command (menu item) or menu of that component name; nullptr when there is none.
    [[nodiscard]] QAction* Comando(const QString& nome) const;
    [[nodiscard]] QMenu* Menu(const QString& nome) const;
    [[nodiscard]] const TEstadoMenus& EstadoMenus() const { return FEstadoMenus; }
    // What the commands' state depends on: the open declaration as it stands, and whether any is
    // stored as atualizaMenus last found.
    [[nodiscard]] TSituacaoMenus Situacao() const;

protected:
    void closeEvent(QCloseEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    // The keys of the window pass here first (Alt with a key moves between pages and records).
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    using Manipulador = void (TPruv2003::*)(const TItemMenu&);
    struct TComandoProgramado;
    static std::span<const TComandoProgramado> Programados();

    void CriaComponentes();
    void CriaMenus();
    void CriaBarra();
    void FormCreate();
    bool ConectaBanco();
    void MostraFalhaConexao(const EDatabaseError& e);
    // Opens the database when it is not yet and makes the tables it lacks; raises EDadosError
    // (142) when the file cannot be read.
    void PreparaBanco();
    // Tells at start that nothing can be written, before anything is typed.
    void AvisaSomenteLeitura();
    [[nodiscard]] bool SomenteLeitura() const;
    // What takes no writes, as the user must mend it: the database file, or the data folder.
    [[nodiscard]] bool ArquivoSomenteLeitura() const;
    void Termina();
    bool FormCloseQuery();
    // The open declaration could not be saved (data that take no writes, a full disk, a save
    // that keeps failing): the user, told so, may leave it unsaved. True when it was let go.
    bool DescartaDeclaracao();
    void FormClose();
    // The automatic backup at exit was skipped because the data failed: never silently.
    static void AvisaCopiaAutomaticaNaoFeita();
    void AplicaEstado();
    // Closes and hides the frame, showing the program's picture again.
    void FechaFrDeclaracao();
    void Executa(const TItemMenu& item);
    [[nodiscard]] static Manipulador ManipuladorDe(const QString& nome);
    static bool PedeFechamento(const char* nomeJanela);

    // The declaration frame, made once by the routine of the screens.
    void CriaFrDeclaracao();
    // The field of that name on a page of the frame, when it is shown there.
    [[nodiscard]] QWidget* CampoDaPagina(TPaginaDeclaracao pagina, const char* nome) const;
    // Activates the page and, when it became active, focuses its field (showing its tab first
    // when the field sits on a tab of the page).
    void FocaCampo(TPaginaDeclaracao pagina, const char* nome);
    void PosicionaBeneficiario(TPaginaDeclaracao pagina, const QString& Anexo, const QString& Item,
                               std::uint8_t Objeto);
    // Alt with a key, on the frame's pages: true when the key was handled.
    bool FormKeyDown(int tecla, Qt::KeyboardModifiers modificadores);
    // The shortcut of a command; from another window only the commands shared by every window.
    [[nodiscard]] bool EhAtalhoDeComando(const QKeyEvent& tecla, bool NestaJanela) const;

    void MiNovaClick(const TItemMenu& item);
    void MiAbrirClick(const TItemMenu& item);
    void MiExcluirClick(const TItemMenu& item);
    void MiFecharDeclaracaoClick(const TItemMenu& item);
    void MiImportarClick(const TItemMenu& item);
    void MiVerificarPendenciasClick(const TItemMenu& item);
    void MiGravarXeqClick(const TItemMenu& item);
    void MiTransmitirviaInternetClick(const TItemMenu& item);
    void MiResumoClick(const TItemMenu& item);
    void MiSairClick(const TItemMenu& item);
    void MiCalculadoraClick(const TItemMenu& item);
    void MiSincronizarClick(const TItemMenu& item);
    void MiIndexadorClick(const TItemMenu& item);
    void MiGravarCopiaClick(const TItemMenu& item);
    void MiRestaurarCopiaClick(const TItemMenu& item);
    void MiCopiaAutoClick(const TItemMenu& item);
    // Printing: the print assistant's choice runs its report; the set-up keeps a printer for
    // the session.
    void MiImprimirClick(const TItemMenu& item);
    void MiConfigurarImpressoraClick(const TItemMenu& item);
    void MiConteudoClick(const TItemMenu& item);
    void MiManualClick(const TItemMenu& item);
    void MiAjudaCampoClick(const TItemMenu& item);
    void UsodoTeclado1Click(const TItemMenu& item);
    void LeiautedoArquivo1Click(const TItemMenu& item);

    // The search window, the tips and the about box.
    void MiPesquisarClick(const TItemMenu& item);
    void Ouehdenovo1Click(const TItemMenu& item);
    void MiSobreClick(const TItemMenu& item);
    // The field-locate callback handed to the windows that locate: an error it raises is shown
    // there and goes no further.
    [[nodiscard]] TPosicionaCampo Posicionador();
    // The initial screen of the start-up: true when it loaded a declaration to open.
    bool ExecutaInicial();
    // Runs the handler of a command of the menu, whatever the command's enabled state; nothing
    // when this program has none for it.
    void ExecutaManipulador(const char* nome);

    QToolBar* ToolBar1;
    QWidget* Panel1;
    QLabel* LbAnoRet;
    QWidget* Panel2;
    QWidget* Image;                          // paints the program's picture while nothing is open
    IFrDeclaracao* FrDeclaracao = nullptr;   // child widget, made by CriaFrDeclaracao
    QHash<QString, QAction*> FComandos;      // menu items, by component name
    QHash<QString, QMenu*> FMenus;
    QAction* N4 = nullptr;

    std::shared_ptr<TDatabase> DbPruv;
    // Made on first use; members go in reverse order, so the declaration goes before its sink.
    std::unique_ptr<TErros> ErrosDeclaracao;
    std::unique_ptr<TColecaoPruv> ColecaoPruv;
    std::unique_ptr<TPruv> Pruv;
    bool DeclaracaoAberta = false;
    bool FColecaoVazia = true;     // no declaration stored, as atualizaMenus last found
    QString FNomeErroImportacao;   // the error files of the last import, for the next one

    TRotinasPrincipal FRotinas;
    TEstadoMenus FEstadoMenus;
    bool FMenusHabilitados = true;
    bool FTerminando = false;
    bool FFechada = false;
    ExcecaoAplicacao::Tratador FTratadorAnterior;
};
