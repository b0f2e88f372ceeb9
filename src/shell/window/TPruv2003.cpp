#include "shell/window/TPruv2003.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "model/schema/EsquemaPrograma.h"
#include "model/codes/TArquivoCodigosRetencao.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TArquivoIni.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/values/TErro.h"
#include "model/people/TNi.h"
#include "model/declaration/TPruv.h"
#include "shell/backup/TCopiaBanco.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastas.h"
#include "platform/widgets/keyboard/TLetrasDeMenu.h"
#include "platform/widgets/keyboard/TRetornoDeFoco.h"
#include "platform/widgets/keyboard/TTabNoGrupo.h"
#include "platform/report/printing/IImpressoras.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/printing/IDialogoImpressao.h"
#include "shell/window/IFrDeclaracao.h"
#include "shell/backup/TAvisoCopiasDeSeguranca.h"
#include "shell/window/TComandosPrincipal.h"
#include "shell/common/TDmGeral.h"
#include "shell/common/TFoAjuda.h"
#include "shell/startup/TFoInicial.h"
#include "shell/startup/TFoNovidade.h"
#include "shell/startup/TFoSobre.h"
#include "shell/common/TRegistroPruv.h"
#include "shell/window/TTeclasPrincipal.h"

using namespace EstadoPrograma;

namespace {

const QColor CorJanela(255, 255, 179);   // light yellow
const QColor Marinho(0, 0, 128);
constexpr int AlturaBarra = 35;
constexpr QSize TamanhoBotao(36, 31);

// Help contexts of the help commands.
constexpr int AjudaManual = 12050;
constexpr int AjudaTeclado = 15000;
constexpr int AjudaLeiaute = 18000;

// The busy flag for the duration of a command, also when it raises.
class TProcessando {
public:
    TProcessando() { EmProcessamento = true; }
    ~TProcessando() { EmProcessamento = false; }
    TProcessando(const TProcessando&) = delete;
    TProcessando& operator=(const TProcessando&) = delete;
};

// Whether a printer is there to print on; when none is, the user is told.
bool ImpressoraPresente()
{
    if (Impressoras::Atual().ExisteImpressora())
        return true;
    TErro(CodigoMensagem::SemDriverDeImpressao, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
    return false;
}

// The client area while no declaration is open: the program's picture, centred on the window's
// colour.
class TFundo final : public QWidget {
public:
    explicit TFundo(QWidget* pai)
        : QWidget(pai)
        , FLogotipo(TDmGeral::Logotipo())
    {
        setAutoFillBackground(true);
        QPalette paleta = palette();
        paleta.setColor(QPalette::Window, CorJanela);
        setPalette(paleta);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter pintor(this);
        const QSize espaco = size() - FLogotipo.size();
        pintor.drawPixmap(espaco.width() / 2, espaco.height() / 2, FLogotipo);
    }

private:
    QPixmap FLogotipo;
};

bool LeBooleano(const char* secao, const char* chave, bool padrao)
{
    return TIniFile(TArquivoIni::Caminho()).ReadBool(QLatin1String(secao), QLatin1String(chave), padrao);
}

void GravaBooleano(const char* secao, const char* chave, bool valor)
{
    TArquivoIni::GravaString(QLatin1String(secao), QLatin1String(chave),
                             valor ? QStringLiteral("1") : QStringLiteral("0"));
}

// The program ends with its main window: a window of its own left on the screen (the pending
// items kept through a data error, a check still running) would keep Qt's loop waiting for it.
void EscondeDemaisJanelas(const QWidget& principal)
{
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (janela != &principal && janela->isVisible())
            janela->hide();
}

}   // namespace

// A command that this program runs, with the routine it needs before it can be enabled (none for
// the shell's own commands).
struct TPruv2003::TComandoProgramado {
    const char* Nome;
    Manipulador Executa;
    bool (*Pronta)(const TRotinasPrincipal&);
};

std::span<const TPruv2003::TComandoProgramado> TPruv2003::Programados()
{
    static const TComandoProgramado programados[] = {
        {"MiNova", &TPruv2003::MiNovaClick, [](const TRotinasPrincipal& r) { return bool(r.NovaDeclaracao); }},
        {"MiAbrir", &TPruv2003::MiAbrirClick, [](const TRotinasPrincipal& r) { return bool(r.AbreDeclaracao); }},
        {"MiExcluir", &TPruv2003::MiExcluirClick, [](const TRotinasPrincipal& r) { return bool(r.ExcluiDeclaracoes); }},
        {"MiFecharDeclaracao", &TPruv2003::MiFecharDeclaracaoClick, nullptr},
        {"MiImportar", &TPruv2003::MiImportarClick,
         [](const TRotinasPrincipal& r) { return bool(r.ExecutaAssistImportacao); }},
        {"MiVerificarPendencias", &TPruv2003::MiVerificarPendenciasClick,
         [](const TRotinasPrincipal& r) { return bool(r.ExibePendencias); }},
        {"MiGravarXeq", &TPruv2003::MiGravarXeqClick,
         [](const TRotinasPrincipal& r) { return bool(r.ExecutaAssistGeracao); }},
        {"MiTransmitirviaInternet", &TPruv2003::MiTransmitirviaInternetClick,
         [](const TRotinasPrincipal& r) { return bool(r.ExecutaAssistTransmissao); }},
        {"MiSair", &TPruv2003::MiSairClick, nullptr},
        {"MiCalculadora", &TPruv2003::MiCalculadoraClick,
         [](const TRotinasPrincipal& r) { return bool(r.MostraCalculadora); }},
        {"MiSincronizar", &TPruv2003::MiSincronizarClick, nullptr},
        {"MiResumo", &TPruv2003::MiResumoClick, [](const TRotinasPrincipal& r) { return bool(r.CalculaResumo); }},
        {"MiIndexador", &TPruv2003::MiIndexadorClick,
         [](const TRotinasPrincipal& r) { return bool(r.MostraReorganizacao); }},
        {"MiGravarCopia", &TPruv2003::MiGravarCopiaClick,
         [](const TRotinasPrincipal& r) { return bool(r.ExecutaAssistCopSeg); }},
        {"MiRestaurarCopia", &TPruv2003::MiRestaurarCopiaClick,
         [](const TRotinasPrincipal& r) { return bool(r.ExecutaAssistRestCopSeg); }},
        {"MiCopiaAuto", &TPruv2003::MiCopiaAutoClick, nullptr},
        {"MiImprimir", &TPruv2003::MiImprimirClick,
         [](const TRotinasPrincipal& r) { return bool(r.Impressao.ExecutaAssistRelatorios); }},
        {"MiConfigurarImpressora", &TPruv2003::MiConfigurarImpressoraClick, nullptr},
        {"MiConteudo", &TPruv2003::MiConteudoClick, nullptr},
        {"MiManual", &TPruv2003::MiManualClick, nullptr},
        {"MiAjudaCampo", &TPruv2003::MiAjudaCampoClick, nullptr},
        {"UsodoTeclado1", &TPruv2003::UsodoTeclado1Click, nullptr},
        {"LeiautedoArquivo1", &TPruv2003::LeiautedoArquivo1Click, nullptr},
        {"MiPesquisar", &TPruv2003::MiPesquisarClick,
         [](const TRotinasPrincipal& r) { return bool(r.MostraPesquisa); }},
        {"Ouehdenovo1", &TPruv2003::Ouehdenovo1Click, nullptr},
        {"MiSobre", &TPruv2003::MiSobreClick, nullptr},
    };
    return programados;
}

TPruv2003::TPruv2003(QWidget* pai)
    : QMainWindow(pai)
{
    CriaComponentes();
    FTratadorAnterior = ExcecaoAplicacao::Instala(
        [this](std::exception_ptr excecao) { ApplicationEvents1Exception(excecao); });
    qApp->installEventFilter(this);   // keys previewed
    new TRetornoDeFoco(this);         // a closed window gives the focus back to its opener
    new TTabNoGrupo(this);            // Tab enters a radio group on its checked option
    FormCreate();
}

TPruv2003::~TPruv2003()
{
    qApp->removeEventFilter(this);
    // The frame's controls observe values of the declaration: they go first.
    if (FrDeclaracao)
        delete &FrDeclaracao->Controle();
    ExcecaoAplicacao::Instala(std::move(FTratadorAnterior));
}

void TPruv2003::CriaComponentes()
{
    setObjectName(QStringLiteral("Pruv2003"));
    setWindowTitle(QStringLiteral("Pruv 2003"));
    CriaMenus();
    CriaBarra();

    auto* cliente = new QWidget(this);
    cliente->setObjectName(QStringLiteral("Cliente"));
    auto* layout = new QVBoxLayout(cliente);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* linha = new QFrame(cliente);
    linha->setObjectName(QStringLiteral("Panel2"));
    linha->setFrameStyle(QFrame::HLine | QFrame::Raised);
    linha->setFixedHeight(3);
    Panel2 = linha;
    Image = new TFundo(cliente);
    Image->setObjectName(QStringLiteral("Image"));
    layout->addWidget(Panel2);
    layout->addWidget(Image, 1);
    setCentralWidget(cliente);

    const QSize inicial(LarguraCliente, AlturaCliente + menuBar()->sizeHint().height());
    resize(inicial);
    setMinimumSize(inicial);
    if (const QScreen* tela = screen())
        move(tela->availableGeometry().center() - rect().center());
}

void TPruv2003::CriaMenus()
{
    for (const TItemMenu& item : TComandosPrincipal::Menus()) {
        QMenu* pai = FMenus.value(QLatin1String(item.Pai));
        const QString nome = QLatin1String(item.Nome);
        switch (item.Tipo) {
        case TItemMenu::TTipo::Menu: {
            QMenu* menu = pai ? pai->addMenu(QString::fromUtf8(item.Legenda))
                              : menuBar()->addMenu(QString::fromUtf8(item.Legenda));
            menu->setObjectName(nome);
            TLetrasDeMenu::Instala(*menu);
            FMenus.insert(nome, menu);
            break;
        }
        case TItemMenu::TTipo::Separador: {
            QAction* separador = pai->addSeparator();
            separador->setObjectName(nome);
            if (nome == QLatin1String("N4"))
                N4 = separador;
            break;
        }
        case TItemMenu::TTipo::Comando: {
            auto* acao = new QAction(TDmGeral::Icone(item.Imagem), QString::fromUtf8(item.Legenda), this);
            acao->setObjectName(nome);
            acao->setShortcut(QKeySequence(QLatin1String(item.Atalho), QKeySequence::PortableText));
            // A Ctrl command is the same from the program's other windows (the pending items,
            // the search): a modal dialog still blocks it, as it blocks the menu. F1 stays the
            // window's own, since each window may open its own help.
            if (acao->shortcut()[0].keyboardModifiers() & Qt::ControlModifier)
                acao->setShortcutContext(Qt::ApplicationShortcut);
            acao->setCheckable(item.Marcavel);
            acao->setProperty("Porteiro", QLatin1String(item.Porteiro));
            connect(acao, &QAction::triggered, this, [this, &item] { Executa(item); });
            pai->addAction(acao);
            FComandos.insert(nome, acao);
            break;
        }
        }
    }
}

void TPruv2003::CriaBarra()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);   // the toolbar stays
    ToolBar1->setIconSize(TDmGeral::Tamanho);
    ToolBar1->setFixedHeight(AlturaBarra);
    // Buttons side by side, so that the year label fits beside them at the smallest width.
    ToolBar1->layout()->setSpacing(0);
    for (const TBotaoBarra& botao : TComandosPrincipal::Barra()) {
        if (*botao.Nome == '\0') {
            ToolBar1->addSeparator();
            continue;
        }
        QAction* acao = FComandos.value(QLatin1String(botao.Comando));
        acao->setToolTip(QString::fromUtf8(botao.Dica));
        ToolBar1->addAction(acao);
        QWidget* controle = ToolBar1->widgetForAction(acao);
        controle->setObjectName(QLatin1String(botao.Nome));
        controle->setFixedSize(TamanhoBotao);
    }

    Panel1 = new QWidget(ToolBar1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 4, 0);
    LbAnoRet = new QLabel(Panel1);
    LbAnoRet->setObjectName(QStringLiteral("LbAnoRet"));
    LbAnoRet->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(15);
    fonte.setBold(true);
    LbAnoRet->setFont(fonte);
    QPalette paleta = LbAnoRet->palette();
    paleta.setColor(QPalette::WindowText, Marinho);
    LbAnoRet->setPalette(paleta);
    layout->addWidget(LbAnoRet);
    ToolBar1->addWidget(Panel1);
}

void TPruv2003::FormCreate()
{
    if (!ConectaBanco())
        return;
    BaseIndisponivel = false;
    ErroIndice = false;
    DeclaracaoAberta = false;
    EmProcessamento = false;
    Comando(QStringLiteral("MiSincronizar"))->setChecked(LeBooleano("Geral", "SincronizarComprovante", true));
    Comando(QStringLiteral("MiCopiaAuto"))
        ->setChecked(TArquivoIni::LeString(QStringLiteral("Copia de Seguranca"), QStringLiteral("automatica"),
                                           QStringLiteral("1"))
                     == QLatin1String("1"));
    // A database file that cannot be read, or a table that cannot be made or opened, is a data
    // error: the handler leaves the program running read-only, with the restore and the
    // reorganisation that can mend it.
    ExcecaoAplicacao::Protege([this] {
        PreparaBanco();
        // The withholding codes follow the code file the program ships: a new one replaces them here.
        if (!TArquivoCodigosRetencao::Localiza().isEmpty())
            const TColecaoCodigoRetencao codigos{QString()};
        ObtemColecao();
        atualizaMenus();
        AvisaSomenteLeitura();
    });
}

bool TPruv2003::ConectaBanco()
{
    bool limpo = false;
    auto conecta = [this, &limpo] {
        // The first start makes the data folder; SQLite makes the database file.
        if (QString falha; !TPastas::Cria(falha))
            throw EDatabaseError(falha);
        // A backup or restore killed midway left a full copy of the database in its work folder.
        // Once a start: a second try of the connection would only tell the user again what
        // could not be settled.
        if (!limpo) {
            RemoveTrabalhosAbandonados();
            limpo = true;
        }
        DbPruv = TDatabase::DaPasta(TPastas::Dados());
    };
    try {
        conecta();
        return true;
    } catch (const EDatabaseError& e) {
        // A folder or a file still held by a process that was ending: one more try.
        qWarning("database connection failed, trying again: %s", e.what());
    }
    try {
        conecta();
        return true;
    } catch (const EDBEngineError& e) {
        // The file is there but holds no readable database: a data error, met by PreparaBanco.
        if (e.ArquivoIlegivel())
            return true;
        MostraFalhaConexao(e);
    } catch (const EDatabaseError& e) {
        MostraFalhaConexao(e);
    }
    BaseIndisponivel = true;
    Termina();
    return false;
}

void TPruv2003::MostraFalhaConexao(const EDatabaseError& e)
{
    // 163 ends in a blank, for the engine's text; a reason in Portuguese names the file after it.
    QString texto = TextoDoMotor(e);
    if (texto != e.Mensagem())
        texto += QStringLiteral(": ") + QDir(TPastas::Dados()).filePath(TDatabase::NomeArquivo());
    InterfaceUsuario::Mostra(TErro::Mensagem(CodigoMensagem::FalhaAoIniciarBanco) + texto, TipoDialogo::Erro, Botao::Ok,
                             0, CodigoMensagem::FalhaAoIniciarBanco);
}

void TPruv2003::PreparaBanco()
{
    if (!DbPruv) {
        try {
            DbPruv = TDatabase::DaPasta(TPastas::Dados());
        } catch (const EDatabaseError& e) {
            throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(TDatabase::NomeArquivo(), e),
                              TipoDialogo::Erro, Botao::Ok, 0);
        }
    }
    // Every table is made here, outside any transaction that could roll it back.
    CriaTabelasPrograma(*DbPruv);
}

bool TPruv2003::SomenteLeitura() const
{
    return DbPruv && DbPruv->SomenteLeitura();
}

bool TPruv2003::ArquivoSomenteLeitura() const
{
    return DbPruv && DbPruv->MotivoSomenteLeitura() == TDatabase::TMotivoSomenteLeitura::Arquivo;
}

void TPruv2003::AvisaSomenteLeitura()
{
    if (!SomenteLeitura())
        return;
    const QString causa = ArquivoSomenteLeitura()
        ? QStringLiteral("o arquivo ") + QDir::toNativeSeparators(DbPruv->Arquivo())
        : QStringLiteral("a pasta de dados ") + QDir::toNativeSeparators(TPastas::Dados());
    TErro(CodigoMensagem::TabelaNaoAtualizada,
          ErroRetornado(TDatabase::NomeArquivo(),
                        causa
                            + QStringLiteral(" não permite gravação: as declarações podem ser consultadas, mas nenhuma "
                                             "alteração será gravada")),
          TipoDialogo::Aviso, Botao::Ok, 0)
        .Exibe();
}

void TPruv2003::Termina()
{
    FTerminando = true;
    QCoreApplication::exit(0);
}

void TPruv2003::DefineRotinas(TRotinasPrincipal rotinas)
{
    FRotinas = std::move(rotinas);
    CriaFrDeclaracao();
    AplicaEstado();
}

void TPruv2003::CriaFrDeclaracao()
{
    constexpr int AjudaQuadro = 50000;
    if (FrDeclaracao || !FRotinas.CriaFrDeclaracao)
        return;
    FrDeclaracao = FRotinas.CriaFrDeclaracao(this);
    QWidget& quadro = FrDeclaracao->Controle();
    quadro.setObjectName(QStringLiteral("FrDeclaracao"));
    DefineHelpContext(quadro, AjudaQuadro);
    quadro.hide();
    quadro.setEnabled(false);
    centralWidget()->layout()->addWidget(&quadro);
    FrDeclaracao->SetOnChange([this] { ExcecaoAplicacao::Protege([this] { FrDeclaracaoChange(); }); });
}

TColecaoPruv& TPruv2003::ObtemColecao()
{
    if (!ColecaoPruv)
        ColecaoPruv = std::make_unique<TColecaoPruv>();
    return *ColecaoPruv;
}

TPruv& TPruv2003::ObtemDeclaracao()
{
    if (!Pruv) {
        auto pruv = std::make_unique<TPruv>();
        // Only the responsible person's CPF and name are required.
        TResponsavel& responsavel = pruv->GetResponsavel();
        for (TDadoBasico* valor : std::initializer_list<TDadoBasico*>{
                 &responsavel.Fone().DDD(), &responsavel.Fone().Numero(), &responsavel.Fone().Ramal(),
                 &responsavel.Fax().DDD(), &responsavel.Fax().Numero(), &responsavel.Fax().Ramal(),
                 &responsavel.Email(), &pruv->GetRespCnpj()})
            valor->SetPermiteVazio(true);
        ErrosDeclaracao = std::make_unique<TErros>();
        pruv->SetErros(ErrosDeclaracao.get());
        Pruv = std::move(pruv);
    }
    return *Pruv;
}

void TPruv2003::AbrirDeclaracao()
{
    if (BaseIndisponivel)
        return;
    TPruv& pruv = ObtemDeclaracao();
    if (!pruv.GetResumo().GetOK() && FRotinas.CalculaResumo)
        FRotinas.CalculaResumo(pruv);
    DeclaracaoAberta = true;
    if (FrDeclaracao) {
        FrDeclaracao->SetPruv(pruv);
        FrDeclaracao->SetColecaoPruv(ObtemColecao());
    }
    pruv.GetItens();   // opens the declaration's items
    if (FrDeclaracao) {
        FrDeclaracao->Prepara();
        FrDeclaracao->Controle().setEnabled(true);
        FrDeclaracao->Abre(Posicionador());
    }
    atualizaMenus();
    if (FrDeclaracao) {
        FrDeclaracao->SetSincronizarComprovante(Comando(QStringLiteral("MiSincronizar"))->isChecked());
        Image->hide();
        FrDeclaracao->Controle().show();
        FocaPrimeiro(CampoDaPagina(TPaginaDeclaracao::Informacoes, "DeNome"), nullptr, nullptr, nullptr);
    }
}

void TPruv2003::AbrirDialogoInicial()
{
    // Written before anything is shown, so that the first-run notices show once even when the
    // program ends during them; not on a folder that was just said to take no writes.
    const bool jahMostrou = LeBooleano("Geral", "JahMostrou", false);
    if (!SomenteLeitura())
        GravaBooleano("Geral", "JahMostrou", true);
    if (!jahMostrou) {
        Executa(*TComandosPrincipal::Item("Ouehdenovo1"));
        // With the data unavailable the stored declarations cannot be counted: their error was
        // shown.
        if (!BaseIndisponivel && ObtemColecao().EstaVazia())
            VerificaCopiaDeSeguranca();
    }

    if (EmProcessamento)
        return;
    TProcessando processando;
    if (PodeAbrirForm(QStringLiteral("FoInicial"))) {
        if (FecharDeclaracao() && ExecutaInicial() && !FTerminando)
            AbrirDeclaracao();
        if (FTerminando)
            return;   // a full disk ended the program while the dialog showed
        ObtemColecao().Atualiza();
        atualizaMenus();
    }
}

bool TPruv2003::ExecutaInicial()
{
    // The New command makes and opens the declaration itself. An import that brought data in
    // lets the user choose the declaration to open.
    TOfertasInicial ofertas;
    ofertas.Nova = [this] {
        ExecutaManipulador("MiNova");
        return false;
    };
    ofertas.Importa = [this] {
        if (!FRotinas.ExecutaAssistImportacao || !PodeAbrirForm(QStringLiteral("FoAssistImportacao"))
            || !ImportaDados())
            return false;
        return FRotinas.AbreDeclaracao && !BaseIndisponivel
            && FRotinas.AbreDeclaracao(ObtemDeclaracao(), ObtemColecao(),
                                       QStringLiteral("Importação - Abrir Declaração"));
    };
    return MostraInicial(ObtemDeclaracao(), ObtemColecao(), ofertas, this);
}

void TPruv2003::ExecutaManipulador(const char* nome)
{
    const TItemMenu* item = TComandosPrincipal::Item(nome);
    if (const Manipulador manipulador = item ? ManipuladorDe(QLatin1String(nome)) : nullptr)
        (this->*manipulador)(*item);
}

void TPruv2003::VerificaCopiaDeSeguranca()
{
    const QString pasta = TRegistroPruv::LeString(QLatin1String(TRegistroPruv::DirCsDefault));
    const QString texto = TAvisoCopiasDeSeguranca::Texto(pasta);
    if (!texto.isEmpty())
        TErro::MostraMensagem(texto, TipoDialogo::Informacao, Botao::Ok, 0);
}

bool TPruv2003::PedeFechamento(const char* nomeJanela)
{
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (janela->objectName() == QLatin1String(nomeJanela) && !janela->close())
            return false;
    return true;
}

bool TPruv2003::PodeAbrirForm(const QString& nome)
{
    if (BaseIndisponivel) {
        // Only what repairs the data may run, with every table closed.
        if (nome == QLatin1String("FoIndexa") || nome == QLatin1String("FormAssistCopSeg")) {
            FecharColecoes();
            return true;
        }
        return false;
    }
    if (DeclaracaoAberta) {
        bool resposta = !FrDeclaracao || FrDeclaracao->PodeSair();
        if (resposta && !nome.isEmpty()) {
            // The modeless windows work on the open declaration: they close first, unless they
            // are what is being opened or the print assistant prints their report.
            if (nome != QLatin1String("FoPendencias") && nome != QLatin1String("FoAssistRelatorios"))
                resposta = PedeFechamento("FoPendencias");
            if (resposta && nome != QLatin1String("FoPesquisar"))
                resposta = PedeFechamento("FoPesquisar");
            if (resposta && nome == QLatin1String("FoIndexa")) {
                FecharDeclaracao();
                FecharColecoes();
            }
        }
        return resposta;
    }
    if (nome == QLatin1String("FoIndexa"))
        FecharColecoes();
    return true;
}

bool TPruv2003::FecharDeclaracao()
{
    if (BaseIndisponivel)
        return true;
    bool resposta = true;
    if (DeclaracaoAberta) {
        if (!PedeFechamento("FoPendencias") || !PedeFechamento("FoPesquisar")) {
            resposta = false;
        } else if (!FrDeclaracao || FrDeclaracao->PodeSair()) {
            if (!FrDeclaracao || FrDeclaracao->Controle().isEnabled()) {
                FechaFrDeclaracao();
                Pruv.reset();
            }
            DeclaracaoAberta = false;
        } else {
            resposta = false;
        }
    }
    atualizaMenus();
    return resposta;
}

void TPruv2003::FechaFrDeclaracao()
{
    if (FrDeclaracao) {
        FrDeclaracao->Fecha();
        FrDeclaracao->Controle().hide();
    }
    Image->show();
}

void TPruv2003::FecharColecoes()
{
    if (DeclaracaoAberta) {
        // Only while the data are unavailable, when FecharDeclaracao leaves everything as it is:
        // no frame may keep showing a declaration that is let go.
        DeclaracaoAberta = false;
        FechaFrDeclaracao();
    }
    Pruv.reset();
    ColecaoPruv.reset();
}

TSituacaoMenus TPruv2003::Situacao() const
{
    TSituacaoMenus situacao;
    situacao.Habilitados = FMenusHabilitados;
    situacao.ColecaoVazia = FColecaoVazia;
    situacao.DeclaracaoAberta = DeclaracaoAberta && Pruv;
    if (situacao.DeclaracaoAberta) {
        const TContribuinte& declarante = Pruv->GetDeclarante();
        situacao.Nome = declarante.Nome().GetTexto();
        situacao.Estabelecimento = ObtemOrdemCnpj(declarante.GetNi(), false);   // empty for a CPF
        situacao.Ano = Pruv->GetAno();
        situacao.AnoAtual = Pruv->GetAnoAtual();
        situacao.CodigoNatureza = Pruv->GetNatureza().GetCodigo();
    }
    for (const TComandoProgramado& c : Programados())
        if (!c.Pronta || c.Pronta(FRotinas))
            situacao.Disponiveis.insert(QLatin1String(c.Nome));
    // Without a declaration open the writing first asks for one, through the open dialog.
    if (!situacao.DeclaracaoAberta && !FRotinas.AbreDeclaracao)
        situacao.Disponiveis.remove(QStringLiteral("MiGravarXeq"));
    return situacao;
}

void TPruv2003::atualizaMenus()
{
    FColecaoVazia = ObtemColecao().EstaVazia();
    HabilitaMenus(true);
    InterfaceUsuario::Atividade().MantemVivo();
}

void TPruv2003::HabilitaMenus(bool b)
{
    FMenusHabilitados = b;
    AplicaEstado();
}

void TPruv2003::AplicaEstado()
{
    FEstadoMenus = TEstadoMenus::Calcula(Situacao());
    for (auto it = FComandos.cbegin(); it != FComandos.cend(); ++it)
        it.value()->setEnabled(FEstadoMenus.Habilitado(it.key()));
    // On the menu itself, whose title follows it: disabling the menu's action alone would be
    // undone when the window is enabled again (after the splash, after the backup at exit).
    for (auto it = FMenus.cbegin(); it != FMenus.cend(); ++it)
        it.value()->setEnabled(FEstadoMenus.Habilitado(it.key()));
    Comando(QStringLiteral("MiSincronizar"))->setVisible(FEstadoMenus.SincronizarVisivel);
    N4->setVisible(FEstadoMenus.SincronizarVisivel);
    setWindowTitle(FEstadoMenus.Titulo);
    LbAnoRet->setText(FEstadoMenus.AnoRet);
    if (FrDeclaracao && DeclaracaoAberta && Pruv) {
        FrDeclaracao->MostraComprovante(FEstadoMenus.MostraComprovante);
        FrDeclaracao->MostraFundos(FEstadoMenus.MostraFundos);
    }
}

TPruv2003::Manipulador TPruv2003::ManipuladorDe(const QString& nome)
{
    for (const TComandoProgramado& c : Programados())
        if (nome == QLatin1String(c.Nome))
            return c.Executa;
    return nullptr;
}

void TPruv2003::Executa(const TItemMenu& item)
{
    const Manipulador manipulador = ManipuladorDe(QLatin1String(item.Nome));
    if (!manipulador)
        return;
    ExcecaoAplicacao::Protege([&] {
        if (!item.Guardado) {
            (this->*manipulador)(item);
            return;
        }
        if (EmProcessamento)
            return;
        TProcessando processando;
        (this->*manipulador)(item);
    });
}

void TPruv2003::ApplicationEvents1Exception(std::exception_ptr excecao)
{
    try {
        std::rethrow_exception(excecao);
    } catch (const TErro& e) {
        if (dynamic_cast<const EEspacoEmDiscoError*>(&e) || e.Codigo() == CodigoMensagem::SemEspacoParaOPrograma) {
            e.Exibe();
            BaseIndisponivel = true;
            Termina();
        } else if (dynamic_cast<const EDadosError*>(&e)) {
            // The tables cannot be trusted: only what repairs them stays.
            e.Exibe();
            BaseIndisponivel = true;
            HabilitaMenus(false);
        } else {
            InterfaceUsuario::Mostra(e.GetMensagem(), TipoDialogo::Erro, Botao::Ok, 0, e.Codigo());
        }
    } catch (const EDatabaseError& e) {
        // Met below every layer that names its table (rows read while a window shows them): the
        // database file is named, with the engine's reason in Portuguese.
        const TErro erro(CodigoMensagem::TabelaNaoAcessada, ErroRetornado(TDatabase::NomeArquivo(), TextoDoMotor(e)),
                         TipoDialogo::Erro, Botao::Ok, 0);
        erro.Exibe();
        const auto* motor = dynamic_cast<const EDBEngineError*>(&e);
        if (motor && motor->ArquivoIlegivel()) {
            // The tables cannot be trusted: only what repairs them stays.
            BaseIndisponivel = true;
            HabilitaMenus(false);
        }
    } catch (const std::exception& e) {
        TErro::MostraMensagem(QString::fromUtf8(e.what()), TipoDialogo::Erro, Botao::Ok, 0);
    } catch (...) {
        TErro::MostraMensagem(QStringLiteral("Erro inesperado."), TipoDialogo::Erro, Botao::Ok, 0);
    }
}

void TPruv2003::closeEvent(QCloseEvent* evento)
{
    evento->ignore();
    ExcecaoAplicacao::Protege([this, evento] {
        if (!FormCloseQuery())
            return;
        evento->accept();
        FFechada = true;
        EscondeDemaisJanelas(*this);
        FormClose();
    });
}

bool TPruv2003::FormCloseQuery()
{
    // While a command runs, closing is refused without a word.
    if (EmProcessamento)
        return false;
    TProcessando processando;
    const TErro pergunta(CodigoMensagem::ConfirmaSaida, QString(), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao,
                         0);
    if (pergunta.Exibe() != Resposta::Sim)
        return false;
    bool fechou = false;
    bool falhou = false;
    const quint64 falhasAntes = DbPruv ? DbPruv->EscritasFalhas() : 0;
    try {
        fechou = FecharDeclaracao();
        // A save that failed where it was typed (a row of a grid) was told there, and keeps the
        // declaration open as bad input would: the way out below is offered all the same.
        falhou = !fechou && DbPruv && DbPruv->EscritasFalhas() != falhasAntes;
    } catch (const TErro& e) {
        // A save that fails (a full disk, data that take no writes) fails again at every try:
        // it is told once, and the question below follows it. Data that cannot be trusted go to
        // the handler, which keeps them from the automatic backup.
        if (!SomenteLeitura() && e.Codigo() != CodigoMensagem::TabelaNaoAtualizada)
            throw;
        e.Exibe();
        falhou = true;
    }
    // Without a way out the program could not be closed at all.
    return fechou || ((falhou || SomenteLeitura()) && DescartaDeclaracao());
}

bool TPruv2003::DescartaDeclaracao()
{
    const QString motivo = !SomenteLeitura()
        ? QStringLiteral("As alterações da declaração aberta não puderam ser gravadas e serão perdidas.")
        : (ArquivoSomenteLeitura() ? QStringLiteral("O arquivo de dados") : QStringLiteral("A pasta de dados"))
            + QStringLiteral(" não permite gravação: as alterações da declaração aberta não podem ser gravadas.");
    if (InterfaceUsuario::Mostra(motivo + QStringLiteral(" Deseja sair do programa sem gravar?"),
                                 TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0, CodigoMensagem::ConfirmaSaida)
            != Resposta::Sim
        || !PedeFechamento("FoPendencias") || !PedeFechamento("FoPesquisar"))
        return false;
    FechaFrDeclaracao();
    Pruv.reset();
    DeclaracaoAberta = false;
    atualizaMenus();
    return true;
}

void TPruv2003::FormClose()
{
    const bool automatica = Comando(QStringLiteral("MiCopiaAuto"))->isChecked() && FRotinas.FazCopiaAutomatica;
    if (BaseIndisponivel) {
        // Data that failed are not worth a backup; the user is told when they held declarations.
        if (automatica
            && TCopiaBanco::ContaLinhas(TCopiaBanco::ArquivoDaPasta(TPastas::Dados()), TColecaoPruv::NomeArquivo()) > 0)
            AvisaCopiaAutomaticaNaoFeita();
        return;
    }
    TCursorOcupado ocupado;
    const bool vazia = ObtemColecao().EstaVazia();
    FecharColecoes();   // no table may be open while its file is copied
    // Data that take no writes were not changed by this run: the start said so, and nothing of
    // them is copied.
    if (vazia || !automatica || SomenteLeitura())
        return;   // nothing stored, nothing to keep
    if (ErroIndice) {
        AvisaCopiaAutomaticaNaoFeita();   // tables whose index failed are not worth a backup
        return;
    }
    setEnabled(false);
    FRotinas.FazCopiaAutomatica(this);
}

void TPruv2003::AvisaCopiaAutomaticaNaoFeita()
{
    InterfaceUsuario::Mostra(
        QStringLiteral("A cópia de segurança automática não foi gravada: houve erro nos dados durante esta execução, "
                       "e a cópia anterior foi mantida. Utilize a opção Reorganizar Tabelas de Dados do menu "
                       "Ferramentas."),
        TipoDialogo::Aviso, Botao::Ok);
}

void TPruv2003::changeEvent(QEvent* evento)
{
    QMainWindow::changeEvent(evento);
    // Leaving the window: the open declaration's field and page must accept their contents. A
    // command that runs (its own dialogs take the activation) has asked them already and deals
    // with their answer itself: asking again would show a failed save twice. So has the field,
    // grid or page whose message box takes the activation: asked again, it would show its
    // message twice, or the row's warning over it.
    if (evento->type() == QEvent::ActivationChange && !isActiveWindow() && DeclaracaoAberta && !EmProcessamento
        && !QApplication::activeModalWidget())
        ExcecaoAplicacao::Protege([this] { PodeAbrirForm(QString()); });
}

QAction* TPruv2003::Comando(const QString& nome) const
{
    return FComandos.value(nome);
}

QMenu* TPruv2003::Menu(const QString& nome) const
{
    return FMenus.value(nome);
}

void TPruv2003::MiNovaClick(const TItemMenu& item)
{
    if (PodeAbrirForm(QLatin1String(item.Porteiro)) && FecharDeclaracao()
        && FRotinas.NovaDeclaracao(ObtemDeclaracao(), ObtemColecao()))
        AbrirDeclaracao();
}

void TPruv2003::MiAbrirClick(const TItemMenu& item)
{
    if (PodeAbrirForm(QLatin1String(item.Porteiro)) && FecharDeclaracao()
        && FRotinas.AbreDeclaracao(ObtemDeclaracao(), ObtemColecao(), QStringLiteral("Abrir Declaração")))
        AbrirDeclaracao();
}

void TPruv2003::MiExcluirClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    if (FecharDeclaracao())
        FRotinas.ExcluiDeclaracoes(ObtemColecao());
    ObtemColecao().Atualiza();
    atualizaMenus();
}

void TPruv2003::MiFecharDeclaracaoClick(const TItemMenu& item)
{
    if (PodeAbrirForm(QLatin1String(item.Porteiro)))
        FecharDeclaracao();
}

void TPruv2003::MiVerificarPendenciasClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    FRotinas.ExibePendencias(ObtemDeclaracao(), Posicionador(), this);
}

TPosicionaCampo TPruv2003::Posicionador()
{
    return [this](const QString& anexo, const QString& itemChave, std::uint8_t objeto) {
        ExcecaoAplicacao::Protege([&] { PosicionaCampo(anexo, itemChave, objeto); });
    };
}

void TPruv2003::MiGravarXeqClick(const TItemMenu& item)
{
    if (!DeclaracaoAberta && FRotinas.AbreDeclaracao && PodeAbrirForm(QStringLiteral("FoAbreDeclaracao"))
        && FecharDeclaracao()
        && FRotinas.AbreDeclaracao(ObtemDeclaracao(), ObtemColecao(), QStringLiteral("Abrir Declaração para Gravação"))
        && PodeAbrirForm(QStringLiteral("FoInformacoesPRUV")))
        AbrirDeclaracao();
    if (!DeclaracaoAberta || !PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    // The text and the receipt data of this writing do not outlive it, whatever the assistant did.
    const QString reciboIni = TPastas::Dados() + QStringLiteral("/Recibo.ini");
    const auto apaga = qScopeGuard([&reciboIni] {
        QFile::remove(reciboIni);
        QFile::remove(TPastas::Dados() + QStringLiteral("/Declar.txt"));
    });
    QString arquivo;
    const bool gravou = FRotinas.ExecutaAssistGeracao(arquivo, ObtemDeclaracao(), ObtemColecao(), this);
    // The summary on the screen shows the date of this writing (or the one a failed writing put
    // back) at once, as its volumes do.
    if (FrDeclaracao && FrDeclaracao->PaginaAtiva() == TPaginaDeclaracao::Resumo)
        FrDeclaracao->AtualizaResumo();
    if (!gravou)
        return;
    if (ImpressoraPresente() && FRotinas.Impressao.ImprimeRecibo)
        FRotinas.Impressao.ImprimeRecibo({reciboIni}, true, arquivo);
}

void TPruv2003::MiImportarClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    FecharDeclaracao();
    ImportaDados();
}

bool TPruv2003::ImportaDados()
{
    bool relatorio = false;
    int linhas = 0;
    const bool importou = FRotinas.ExecutaAssistImportacao(FNomeErroImportacao, ObtemColecao(), relatorio, linhas,
                                                           this);
    if (relatorio && ImpressoraPresente() && FRotinas.ExibeRelatorioErrosImp)
        FRotinas.ExibeRelatorioErrosImp(linhas, FNomeErroImportacao, QStringLiteral("I"));
    ObtemColecao().Atualiza();
    atualizaMenus();
    return importou;
}

QWidget* TPruv2003::CampoDaPagina(TPaginaDeclaracao pagina, const char* nome) const
{
    if (!FrDeclaracao)
        return nullptr;
    return FrDeclaracao->Pagina(pagina).findChild<QWidget*>(QLatin1String(nome));
}

namespace {

// Shows the tab that holds the widget, in every tab widget between it and the page.
void MostraFicha(QWidget* campo, const QWidget* pagina)
{
    for (QWidget* filho = campo; filho && filho != pagina; filho = filho->parentWidget())
        if (auto* pilha = qobject_cast<QStackedWidget*>(filho->parentWidget()))
            if (auto* fichas = qobject_cast<QTabWidget*>(pilha->parentWidget()))
                fichas->setCurrentWidget(filho);
}

}   // namespace

void TPruv2003::FocaCampo(TPaginaDeclaracao pagina, const char* nome)
{
    if (FrDeclaracao->PaginaAtiva() != pagina)
        return;
    QWidget* campo = CampoDaPagina(pagina, nome);
    if (!campo)
        return;
    MostraFicha(campo, &FrDeclaracao->Pagina(pagina));
    FocaPrimeiro(campo, nullptr, nullptr, nullptr);
    // Typing replaces what the field holds, as when it is entered by Tab: the field may have kept
    // the focus since before the locate, which then enters nothing.
    if (auto* edit = qobject_cast<QLineEdit*>(campo); edit && campo->window()->focusWidget() == campo)
        edit->selectAll();
}

void TPruv2003::PosicionaCampo(const QString& Anexo, const QString& Item, std::uint8_t Objeto)
{
    using P = TPaginaDeclaracao;
    constexpr std::uint8_t SemCampo = 1;
    constexpr std::uint8_t UltimoCampo = 32;
    if (!DeclaracaoAberta || !FrDeclaracao || Objeto == SemCampo || Objeto > UltimoCampo)
        return;
    // The declaration comes to the front, drawn before the focus moves.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();

    // The declarant's fields, by code from 5.
    static const char* const informacoes[] = {
        "DeCpfCnpj",         "DeNome",          "CbTipoDeclarante", "DeRespNoCnpj", "RbSimRetificadora",
        "RbSimEncerramento", "DblcResponsavel", "DeNomeResp",       "DeDDD",        "DeTelefone",
        "DeRamal",           "DeFax",           "DeEmail"};
    constexpr std::uint8_t PrimeiroInformacoes = 5;
    constexpr std::uint8_t UltimoInformacoes = 17;
    if (Objeto >= PrimeiroInformacoes && Objeto <= UltimoInformacoes) {
        FrDeclaracao->AtivaPagina(P::Informacoes);
        QCoreApplication::processEvents();
        FocaCampo(P::Informacoes, informacoes[Objeto - PrimeiroInformacoes]);
        return;
    }
    switch (Objeto) {
    case 0:
    case 3:
        FrDeclaracao->LocalizaBeneficiario(P::Comprovante, Item);
        QCoreApplication::processEvents();
        if (FrDeclaracao->PaginaAtiva() == P::Comprovante) {
            QWidget* nome = CampoDaPagina(P::Comprovante, "edtNomeBenef");
            if (nome && nome->isVisible() && nome->isEnabled())
                FrDeclaracao->CarregaComprovante();
        }
        return;
    case 32:
        FrDeclaracao->LocalizaBeneficiario(P::Comprovante, Item);
        QCoreApplication::processEvents();
        FrDeclaracao->AtivaPagina(P::Comprovante);
        return;
    default:
        break;
    }
    constexpr std::uint8_t PrimeiroFundos = 24;
    PosicionaBeneficiario(Objeto == 4 || Objeto >= PrimeiroFundos ? P::Fundos : P::Beneficiarios, Anexo, Item, Objeto);
}

void TPruv2003::PosicionaBeneficiario(TPaginaDeclaracao pagina, const QString& Anexo, const QString& Item,
                                      std::uint8_t Objeto)
{
    using P = TPaginaDeclaracao;
    const bool fundos = pagina == P::Fundos;
    // On the statement page the beneficiary only moves there, without leaving the statement.
    if (FrDeclaracao->PaginaAtiva() == P::Comprovante && (Objeto == 2 || Objeto == 4)) {
        // A fund no longer stored (or one the page could not leave for) locates nothing.
        if (fundos && !FrDeclaracao->LocalizaFundo(Anexo))
            return;
        FrDeclaracao->LocalizaBeneficiario(pagina, Item);
        QCoreApplication::processEvents();
        return;
    }
    if (FrDeclaracao->PaginaAtiva() == P::Comprovante && !FrDeclaracao->ValidaComprovante())
        return;
    FrDeclaracao->AtivaPagina(pagina);
    QCoreApplication::processEvents();
    if (fundos && (Objeto == 24 || Objeto == 25)) {
        // the fund's own fields: the item key is the annex's
        if (!FrDeclaracao->LocalizaFundo(Item))
            return;
    } else {
        // An item gone, or no longer the one the row names, moves nothing.
        if ((fundos && !FrDeclaracao->LocalizaFundo(Anexo)) || !FrDeclaracao->LocalizaBeneficiario(pagina, Item))
            return;
    }
    QCoreApplication::processEvents();
    // The field of each code, from 18 on the beneficiaries page and from 24 on the annex page.
    static const char* const beneficiarios[] = {"DblcCodRet",     "DeCpfCnpjBenef", "DeNomeBenef",
                                                "DgrRendimentos", "DgcCompensacao", "DgsSubJudice"};
    static const char* const anexo[] = {"DblcFundos",  "DeNomeFundo",    "DblcCodRet",     "DeCpfCnpjBenef",
                                        "DeNomeBenef", "DgrRendimentos", "DgcCompensacao", "DgsSubJudice"};
    if (!fundos && Objeto >= 18 && Objeto <= 23)
        FocaCampo(pagina, beneficiarios[Objeto - 18]);
    else if (fundos && Objeto >= 24)
        FocaCampo(pagina, anexo[Objeto - 24]);
}

void TPruv2003::FrDeclaracaoChange()
{
    using P = TPaginaDeclaracao;
    if (!FrDeclaracao)
        return;
    const P pagina = FrDeclaracao->PaginaAtiva();
    static const int contextos[] = {12000, 12010, 50100, 50200, 50300};
    DefineHelpContext(FrDeclaracao->PaginaControle(), contextos[static_cast<int>(pagina)]);
    switch (pagina) {
    case P::Resumo:
        if (Pruv && !Pruv->GetResumo().GetOK() && !EmProcessamento && FRotinas.CalculaResumo) {
            bool volta = false;
            {
                TProcessando processando;
                volta = FRotinas.CalculaResumo(*Pruv) != 1;
            }
            if (volta) {
                FrDeclaracao->AtivaPagina(FrDeclaracao->PaginaAnterior());
                return;
            }
        }
        FrDeclaracao->AtualizaResumo();
        FocaPrimeiro(CampoDaPagina(pagina, "PgResumo"), nullptr, nullptr, nullptr);
        break;
    case P::Informacoes: {
        // The focus stays on a field of the page that the user chose.
        static const char* const proprios[] = {"CbTipoDeclarante", "DeCpfCnpj",  "DeDDD",
                                               "DeTelefone",       "DeRamal",    "DeFax",
                                               "DeEmail",          "DeNomeResp", "DblcResponsavel"};
        const QWidget* foco = QApplication::focusWidget();
        for (const char* nome : proprios) {
            const QWidget* campo = CampoDaPagina(pagina, nome);
            if (campo && foco && (foco == campo || campo->isAncestorOf(foco)))
                return;
        }
        FocaPrimeiro(CampoDaPagina(pagina, "DeNome"), nullptr, nullptr, nullptr);
        break;
    }
    case P::Beneficiarios:
        FocaPrimeiro(CampoDaPagina(pagina, "DblcCodRet"), nullptr, nullptr, nullptr);
        break;
    case P::Fundos:
        FocaPrimeiro(CampoDaPagina(pagina, "DblcFundos"), nullptr, nullptr, nullptr);
        break;
    case P::Comprovante:
        FocaPrimeiro(CampoDaPagina(pagina, "edtNiBenef"), CampoDaPagina(pagina, "grdNatRendPJ"), nullptr, nullptr);
        break;
    }
}

bool TPruv2003::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::ShortcutOverride && objeto->isWidgetType() && !QApplication::activeModalWidget()
        && EhAtalhoDeComando(*static_cast<QKeyEvent*>(evento), static_cast<QWidget*>(objeto)->window() == this)) {
        // The menu's shortcuts come before a field's own keys (a line edit reads Ctrl+A as
        // select-all, some desktops give it Ctrl+E): the field is not asked. Under a modal
        // dialog the commands are blocked and the fields keep every key.
        evento->ignore();
        return true;
    }
    if (evento->type() != QEvent::KeyPress || !DeclaracaoAberta || !FrDeclaracao || !objeto->isWidgetType())
        return QMainWindow::eventFilter(objeto, evento);
    const auto* widget = static_cast<QWidget*>(objeto);
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    // Only keys typed in this window, once (the application sees each key at every widget it
    // passes through).
    if (widget->window() != this || widget != QApplication::focusWidget() || !(tecla->modifiers() & Qt::AltModifier))
        return QMainWindow::eventFilter(objeto, evento);
    const TPaginaDeclaracao pagina = FrDeclaracao->PaginaAtiva();
    bool tratada = false;
    ExcecaoAplicacao::Protege([&] { tratada = FormKeyDown(tecla->key(), tecla->modifiers()); });
    return !TTeclasPrincipal::Repassa(pagina, tecla->key(), tratada);
}

bool TPruv2003::EhAtalhoDeComando(const QKeyEvent& tecla, bool NestaJanela) const
{
    // A field keeps only the editing keys that no command takes (copy, cut, paste, undo).
    const QKeySequence sequencia(tecla.keyCombination());
    for (const QAction* acao : FComandos)
        if (!acao->shortcut().isEmpty() && acao->shortcut() == sequencia
            && (NestaJanela || acao->shortcutContext() == Qt::ApplicationShortcut))
            return true;
    return false;
}

bool TPruv2003::FormKeyDown(int tecla, Qt::KeyboardModifiers modificadores)
{
    using T = TAcaoTecla::TTipo;
    const TPaginaDeclaracao pagina = FrDeclaracao->PaginaAtiva();
    QWidget& widgetPagina = FrDeclaracao->Pagina(pagina);
    const QWidget* painelFundo = widgetPagina.findChild<QWidget*>(QStringLiteral("PnIdentificacaoFundo"));
    const QWidget* foco = QApplication::focusWidget();
    const bool focoNoFundo = painelFundo && foco && painelFundo->isAncestorOf(foco);
    const TAcaoTecla acao = TTeclasPrincipal::Acao(pagina, tecla, modificadores.testFlag(Qt::KeypadModifier),
                                                   focoNoFundo, modificadores.testFlag(Qt::ShiftModifier));
    switch (acao.Tipo) {
    case T::Nenhuma:
        return false;
    case T::Resumo:
        FrDeclaracao->AtivaPagina(TPaginaDeclaracao::Resumo);
        return true;
    case T::Ficha: {
        QWidget* ficha = widgetPagina.findChild<QWidget*>(QLatin1String(acao.Nome));
        if (!ficha || !ficha->isEnabled())
            return false;
        MostraFicha(ficha, &widgetPagina);
        FocaFicha(ficha);
        return true;
    }
    case T::Botao: {
        auto* botao = widgetPagina.findChild<QAbstractButton*>(QLatin1String(acao.Nome));
        if (!botao || !botao->isEnabled() || !botao->isVisible())
            return false;
        botao->click();
        return true;
    }
    }
    return false;
}

void TPruv2003::MiTransmitirviaInternetClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    FecharDeclaracao();   // the assistant works on the delivery files, not on the declaration
    FRotinas.ExecutaAssistTransmissao(this);
}

void TPruv2003::MiResumoClick(const TItemMenu& item)
{
    if (!DeclaracaoAberta || !FrDeclaracao || !PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    int resultado = 0;
    {
        TProcessando processando;
        resultado = FRotinas.CalculaResumo(ObtemDeclaracao());
    }
    if (resultado != 1)
        return;
    FrDeclaracao->AtualizaResumo();
    FrDeclaracao->AtivaPagina(TPaginaDeclaracao::Resumo);
}

void TPruv2003::MiSairClick(const TItemMenu&)
{
    close();
}

void TPruv2003::MiCalculadoraClick(const TItemMenu& item)
{
    if (PodeAbrirForm(QLatin1String(item.Porteiro)))
        FRotinas.MostraCalculadora();
}

void TPruv2003::MiSincronizarClick(const TItemMenu& item)
{
    const bool sincronizar = Comando(QLatin1String(item.Nome))->isChecked();
    if (FrDeclaracao)
        FrDeclaracao->SetSincronizarComprovante(sincronizar);
    GravaBooleano("Geral", "SincronizarComprovante", sincronizar);
}

void TPruv2003::MiIndexadorClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    FRotinas.MostraReorganizacao();
    BaseIndisponivel = false;
    PreparaBanco();
    atualizaMenus();   // the tables are whole again: so are the commands
}

void TPruv2003::MiGravarCopiaClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    FecharDeclaracao();
    FecharColecoes();   // no table may be open while its file is copied
    FRotinas.ExecutaAssistCopSeg(this);
}

void TPruv2003::MiRestaurarCopiaClick(const TItemMenu& item)
{
    if (!PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    // Whatever happened in the assistant, the work copies go and the program takes the restored
    // tables as they now are; a failure is shown after that.
    std::exception_ptr falha;
    try {
        FecharDeclaracao();
        FecharColecoes();
        FRotinas.ExecutaAssistRestCopSeg(this);
    } catch (...) {
        falha = std::current_exception();
    }
    for (const QString& arquivo : FRotinas.ArquivosDados)
        QFile::remove(TPastas::Temporaria() + QLatin1Char('/') + arquivo);
    try {
        // The flags stay while the restored tables cannot be read.
        PreparaBanco();
        ObtemColecao().Atualiza();
    } catch (...) {
        if (falha)
            ApplicationEvents1Exception(falha);
        throw;
    }
    ErroIndice = false;
    BaseIndisponivel = false;
    atualizaMenus();
    if (falha)
        std::rethrow_exception(falha);
}

void TPruv2003::MiCopiaAutoClick(const TItemMenu& item)
{
    GravaBooleano("Copia de Seguranca", "automatica", Comando(QLatin1String(item.Nome))->isChecked());
}

void TPruv2003::MiConteudoClick(const TItemMenu&)
{
    TFoAjuda::Mostra(TFoAjuda::Conteudo);
}

void TPruv2003::MiManualClick(const TItemMenu&)
{
    ContextoAjuda = AjudaManual;
    TFoAjuda::Mostra(ContextoAjuda);
}

void TPruv2003::MiAjudaCampoClick(const TItemMenu&)
{
    // F1 also comes here from a tool window of this one (the calculator): a window whose
    // controls take no focus still has its own help.
    if (QWidget* ativa = QApplication::activeWindow()) {
        const QWidget* foco = QApplication::focusWidget();
        ContextoAjuda = ObtemHelpContext(foco ? foco : ativa);
    }
    TFoAjuda::Mostra(ContextoAjuda);
}

void TPruv2003::UsodoTeclado1Click(const TItemMenu&)
{
    ContextoAjuda = AjudaTeclado;
    TFoAjuda::Mostra(ContextoAjuda);
}

void TPruv2003::LeiautedoArquivo1Click(const TItemMenu&)
{
    ContextoAjuda = AjudaLeiaute;
    TFoAjuda::Mostra(ContextoAjuda);
}

void TPruv2003::MiImprimirClick(const TItemMenu& item)
{
    if (!ImpressoraPresente() || !PodeAbrirForm(QLatin1String(item.Porteiro)))
        return;
    // With no declaration open the assistant works on one of its own, which it may load.
    std::unique_ptr<TErros> errosTemporaria;
    std::unique_ptr<TPruv> temporaria;
    if (!DeclaracaoAberta) {
        errosTemporaria = std::make_unique<TErros>();
        temporaria = std::make_unique<TPruv>();
        temporaria->SetErros(errosTemporaria.get());
    }
    TPruv& pruv = temporaria ? *temporaria : ObtemDeclaracao();
    TPedidoImpressao pedido;
    FRotinas.Impressao.ExecutaAssistRelatorios(pedido, pruv, ObtemColecao(), DeclaracaoAberta, this);
    DespachaImpressao(pedido, pruv, ObtemColecao(), FRotinas.Impressao);
}

void TPruv2003::MiConfigurarImpressoraClick(const TItemMenu&)
{
    IImpressoras& impressoras = Impressoras::Atual();
    const QStringList instaladas = impressoras.Instaladas();
    if (instaladas.isEmpty()) {
        TErro(CodigoMensagem::NenhumaImpressoraInstalada, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
        return;
    }
    TEscolhaImpressora escolha = impressoras.Escolha();
    if (DialogoImpressao::Atual().Configura(escolha, instaladas, this))
        impressoras.Escolhe(escolha);
}

void TPruv2003::MiPesquisarClick(const TItemMenu& item)
{
    if (PodeAbrirForm(QLatin1String(item.Porteiro)))
        FRotinas.MostraPesquisa(ObtemDeclaracao(), Posicionador(), this);
}

void TPruv2003::Ouehdenovo1Click(const TItemMenu& item)
{
    if (PodeAbrirForm(QLatin1String(item.Porteiro)))
        MostraNovidades(this);
}

void TPruv2003::MiSobreClick(const TItemMenu&)
{
    MostraSobre(this);
}
