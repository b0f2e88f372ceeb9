#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "exchange/layout/TNomeEntrega.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TArquivoIni.h"
#include "model/PruvDeTeste.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TPastas.h"
#include "platform/files/TSubstituicao.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/window/IFrDeclaracao.h"
#include "shell/backup/TAvisoCopiasDeSeguranca.h"
#include "shell/backup/TCopiaBanco.h"
#include "shell/startup/TFoInicial.h"
#include "shell/common/TRegistroPruv.h"
#include "shell/window/TPruv2003.h"
#include "support/ModaisRoteirizados.h"
#include "support/ProgramaDeTeste.h"

using namespace EstadoPrograma;

namespace {

// The case's own user configuration folder and a program that starts clean, for its lifetime.
class ProgramaLimpo {
public:
    ProgramaLimpo()
        : FHaviaConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        , FConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ProgramaDeTeste::Pasta() + QStringLiteral("/config")));
        BaseIndisponivel = false;
        ErroIndice = false;
        EmProcessamento = false;
    }
    ~ProgramaLimpo()
    {
        if (FHaviaConfig)
            qputenv("XDG_CONFIG_HOME", FConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    ProgramaLimpo(const ProgramaLimpo&) = delete;
    ProgramaLimpo& operator=(const ProgramaLimpo&) = delete;

private:
    bool FHaviaConfig;
    QByteArray FConfig;
};

class TPruv2003Test : public ::testing::Test {
protected:
    ProgramaLimpo programa;

    static QString Ini(const char* secao, const char* chave)
    {
        return TIniFile(TArquivoIni::Caminho())
            .ReadString(QLatin1String(secao), QLatin1String(chave), QStringLiteral("-"));
    }
    static bool Ligado(const TPruv2003& janela, const char* nome)
    {
        return janela.Comando(QLatin1String(nome))->isEnabled();
    }

    DialogosRoteirizados dialogos;
    ModaisRoteirizados modais;   // the tips and the initial screen are closed as they show
};

void CriaCopia(const QString& pasta, const QString& nome)
{
    QFile arquivo(pasta + QLatin1Char('/') + nome);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("PK");
}

}   // namespace

TEST_F(TPruv2003Test, FirstStartCreatesTheDataFolderAndTheDatabase)
{
    TPruv2003 janela;
    EXPECT_FALSE(BaseIndisponivel);
    EXPECT_FALSE(janela.Terminando());
    EXPECT_TRUE(QFileInfo::exists(TPastas::Dados() + QStringLiteral("/pruv2003.db")));
    // Every table is there before any transaction could roll its making back.
    for (const TTabelaPrograma& tabela : TabelasPrograma())
        EXPECT_FALSE(TDatabase::DaPasta(TPastas::Dados())->NomeReal(tabela.Nome).isEmpty())
            << tabela.Nome.toStdString();
    EXPECT_TRUE(QFileInfo(TPastas::Temporaria()).isDir());
    EXPECT_TRUE(QFileInfo(TPastas::ErroImp()).isDir());
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Pruv 2003"));

    janela.AbrirDialogoInicial();
    EXPECT_EQ(Ini("Geral", "JahMostrou"), QStringLiteral("1"));
    EXPECT_TRUE(dialogos.Mensagens().empty());   // no backup folder registered
    EXPECT_FALSE(EmProcessamento);
    // The first start shows the tips, then the initial screen; later starts the screen only.
    EXPECT_EQ(modais.Nomes, (QStringList{QStringLiteral("FoNovidade"), QStringLiteral("FoInicial")}));
    modais.Nomes.clear();
    janela.AbrirDialogoInicial();
    EXPECT_EQ(modais.Nomes, QStringList{QStringLiteral("FoInicial")});
}

TEST_F(TPruv2003Test, StartRemovesTheWorkFoldersThatNoRunningCopyOwns)
{
    ASSERT_TRUE(TPastas::Cria());
    // Left by a backup and a restore killed midway: their lock is free.
    QStringList abandonadas;
    for (const QString& prefixo : {PrefixoTrabalhoCopia, PrefixoTrabalhoRestauracao}) {
        const QString pasta = TPastas::Temporaria() + QLatin1Char('/') + prefixo + QStringLiteral("-k1ll3d");
        ASSERT_TRUE(QDir().mkpath(pasta));
        for (const QString& nome : {TPastaDeTrabalho::NomeTrava, QStringLiteral("pruv2003.db")}) {
            QFile arquivo(pasta + QLatin1Char('/') + nome);
            ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        }
        abandonadas << pasta;
    }
    const TPastaDeTrabalho emUso(TPastas::Temporaria(), PrefixoTrabalhoCopia);
    ASSERT_TRUE(emUso.Valida());

    TPruv2003 janela;
    for (const QString& pasta : abandonadas)
        EXPECT_FALSE(QFileInfo::exists(pasta)) << pasta.toStdString();
    EXPECT_TRUE(QFileInfo(emUso.Caminho()).isDir());
}

TEST_F(TPruv2003Test, TheSearchTipsAndAboutCommandsOpenTheirWindows)
{
    TPruv2003 janela;
    EXPECT_TRUE(Ligado(janela, "Ouehdenovo1"));
    EXPECT_TRUE(Ligado(janela, "MiSobre"));
    EXPECT_FALSE(Ligado(janela, "MiPesquisar"));   // no declaration open, no search window given
    janela.Comando(QStringLiteral("Ouehdenovo1"))->trigger();
    janela.Comando(QStringLiteral("MiSobre"))->trigger();
    EXPECT_EQ(modais.Nomes, (QStringList{QStringLiteral("FoNovidade"), QStringLiteral("FoSobre")}));
    EXPECT_FALSE(EmProcessamento);
}

TEST_F(TPruv2003Test, TheFirstStartListsTheBackupsOfTheRegisteredFolder)
{
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/copias");
    ASSERT_TRUE(QDir().mkpath(pasta));
    TRegistroPruv::GravaString(QLatin1String(TRegistroPruv::DirCsDefault), pasta);
    for (int copias = 0; copias <= 2; ++copias) {
        SCOPED_TRACE(copias);
        if (copias > 0)
            CriaCopia(pasta, QStringLiteral("copia%1.cmp").arg(copias));
        QFile::remove(TArquivoIni::Caminho());   // a first run each time
        dialogos.Limpa();
        TPruv2003 janela;
        janela.AbrirDialogoInicial();
        if (copias == 0) {
            EXPECT_TRUE(dialogos.Mensagens().empty());
            continue;
        }
        ASSERT_EQ(dialogos.Mensagens().size(), 1u);
        const TMensagemDialogo& aviso = dialogos.Mensagens().front();
        EXPECT_EQ(aviso.Texto, TAvisoCopiasDeSeguranca::Texto(pasta));
        EXPECT_TRUE(
            aviso.Texto.startsWith(copias == 1 ? QStringLiteral("Um arquivo") : QStringLiteral("Os seguintes")));
        EXPECT_EQ(aviso.Tipo, TipoDialogo::Informacao);
        EXPECT_EQ(aviso.Botoes, Botao::Ok);
    }

    dialogos.Limpa();   // the next start is not the first
    TPruv2003 janela;
    janela.AbrirDialogoInicial();
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

// Whatever stands where the database file should be, the second try cannot open it either; the
// message names what stands there.
TEST_F(TPruv2003Test, ADatabaseThatCannotBeOpenedEndsTheProgramWithMessage163AndItsCause)
{
    const QString arquivo = TPastas::Dados() + QStringLiteral("/pruv2003.db");
    const QByteArray nome = QFile::encodeName(arquivo);
    const struct {
        const char* caso;
        std::function<bool()> faz;
        const char* causa;
    } casos[] = {
        {"a folder", [&arquivo] { return QDir().mkpath(arquivo); }, "há uma pasta com o nome do arquivo"},
        {"a fifo", [&nome] { return ::mkfifo(nome.constData(), 0644) == 0; },
         "há um arquivo especial (fila, soquete ou dispositivo) com o nome do arquivo"},
        {"a link", [&nome] { return ::symlink("/dev/zero", nome.constData()) == 0; },
         "há um atalho (link) com o nome do arquivo, e o programa não o segue"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        ASSERT_TRUE(TPastas::Cria());
        ASSERT_TRUE(c.faz());
        dialogos.Limpa();
        {
            TPruv2003 janela;
            ASSERT_EQ(dialogos.Codigos(), std::vector<int>{163});
            const TMensagemDialogo& mensagem = dialogos.Mensagens().front();
            // The engine's reason follows, in Portuguese, with its cause and the file it could not open.
            EXPECT_EQ(mensagem.Texto.toStdString(),
                      (QStringLiteral("Houve um erro de inicialização do banco de dados. Mensagem retornada: "
                                      "não foi possível abrir o arquivo do banco de dados: ")
                       + QString::fromUtf8(c.causa) + QStringLiteral(": ") + arquivo)
                          .toStdString());
            EXPECT_EQ(mensagem.Tipo, TipoDialogo::Erro);
            EXPECT_TRUE(BaseIndisponivel);
            EXPECT_TRUE(janela.Terminando());
            // Only what repairs the data may still open.
            EXPECT_FALSE(janela.PodeAbrirForm(QStringLiteral("FoNovaDeclaracao")));
            EXPECT_TRUE(janela.PodeAbrirForm(QStringLiteral("FoIndexa")));
            EXPECT_TRUE(janela.PodeAbrirForm(QStringLiteral("FormAssistCopSeg")));
        }
        ::unlink(nome.constData());
        QDir(arquivo).removeRecursively();
    }
}

// The start cleans up once though it tries the connection again: a delivery write left halfway
// whose earlier file cannot be put where a person sees it is told once, before message 163.
TEST_F(TPruv2003Test, AStartThatTriesTheConnectionAgainCleansUpOnce)
{
    ASSERT_TRUE(TPastas::Cria());
    const QString nome = QStringLiteral("11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");
    ASSERT_TRUE(TNomeEntrega::EhArquivo(nome));
    const QString pasta = TNomeEntrega::Gravadas(TVolumes::PastaBase()) + QStringLiteral("/11144477735/2002");
    ASSERT_TRUE(QDir().mkpath(pasta));
    const QString dec = pasta + QLatin1Char('/') + nome;
    for (const QString& arquivo : {dec, TSubstituicao::NomeAparte(dec)}) {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("PK");
    }
    TFalhasDeArquivo::Instala([&pasta](TFalhasDeArquivo::Operacao operacao, const QString& caminho) {
        return operacao == TFalhasDeArquivo::Renomeacao && caminho.startsWith(pasta) ? TFalhasDeArquivo::Efeito::ErroES
                                                                                     : TFalhasDeArquivo::Efeito::Nenhum;
    });
    const auto solta = qScopeGuard([] { TFalhasDeArquivo::Instala({}); });
    // A folder where the database file should be: the connection fails, the second time too.
    ASSERT_TRUE(QDir().mkpath(TPastas::Dados() + QStringLiteral("/pruv2003.db")));

    TPruv2003 janela;
    QStringList avisos;
    for (const TMensagemDialogo& m : dialogos.Mensagens())
        if (m.Tipo == TipoDialogo::Aviso)
            avisos << m.Texto;
    ASSERT_EQ(avisos.size(), 1) << avisos.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(avisos.front().contains(nome)) << avisos.front().toStdString();
    EXPECT_EQ(dialogos.Codigos().back(), 163);
    EXPECT_TRUE(BaseIndisponivel);
}

TEST_F(TPruv2003Test, ADatabaseFileThatCannotBeReadLeavesOnlyWhatCanMendIt)
{
    const QString arquivo = TPastas::Dados() + QStringLiteral("/pruv2003.db");
    const QString copia = ProgramaDeTeste::Pasta() + QStringLiteral("/copia.db");
    {
        TPruv2003 primeira;   // a sound database, kept as the backup the user will restore
        TCopiaBanco::Instantaneo(TPastas::Dados(), copia);
    }
    {
        QFile estragado(arquivo);
        ASSERT_TRUE(estragado.open(QIODevice::WriteOnly | QIODevice::Truncate));
        estragado.write(QByteArray(8192, 'x'));
    }

    TPruv2003 janela;
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistRestCopSeg = [&copia](QWidget*) { TCopiaBanco::Restaura(copia, TPastas::Dados()); };
    rotinas.MostraReorganizacao = [] {};
    janela.DefineRotinas(rotinas);
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{142});
    EXPECT_EQ(dialogos.Textos().front(),
              QStringLiteral("Não foi possivel abrir a tabela pruv2003.db.  Erro Retornado: "
                             "o arquivo não é um banco de dados válido."));
    EXPECT_TRUE(BaseIndisponivel);
    EXPECT_FALSE(janela.Terminando()) << "the program goes on, read-only";
    for (const char* comando : {"MiRestaurarCopia", "MiIndexador", "MiConteudo", "MiAjudaCampo"})
        EXPECT_TRUE(Ligado(janela, comando)) << comando;
    for (const char* comando : {"MiSair", "MiGravarCopia", "MiCalculadora"})
        EXPECT_FALSE(Ligado(janela, comando)) << comando;
    janela.setEnabled(false);   // as at start-up, until the splash has gone
    janela.setEnabled(true);
    EXPECT_FALSE(janela.Menu(QStringLiteral("MiDeclaracao"))->menuAction()->isEnabled());
    janela.AbrirDialogoInicial();   // nothing more to say, and nothing counted from the damaged file
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{142});

    // The restore puts a sound file in the damaged one's place, and everything comes back.
    janela.Comando(QStringLiteral("MiRestaurarCopia"))->trigger();
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{142});
    EXPECT_FALSE(BaseIndisponivel);
    EXPECT_TRUE(Ligado(janela, "MiSair"));
    EXPECT_TRUE(janela.Menu(QStringLiteral("MiDeclaracao"))->menuAction()->isEnabled());
    EXPECT_TRUE(TCopiaBanco::Confere(arquivo).Boa());
}

TEST_F(TPruv2003Test, IniOptionsSetTheCheckItemsAndTheirCommandsWriteThemBack)
{
    const struct {
        const char* automatica;   // nullptr: absent
        const char* sincronizar;
        bool copiaAuto, sincroniza;
    } casos[] = {
        {nullptr, nullptr, true, true},
        {"0", "0", false, false},
        {"1", "1", true, true},
        {"S", "1", false, true},   // only "1" turns the backup on
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.automatica ? c.automatica : "absent");
        QFile::remove(TArquivoIni::Caminho());
        if (c.automatica)
            TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("automatica"),
                                     QLatin1String(c.automatica));
        if (c.sincronizar)
            TArquivoIni::GravaString(QStringLiteral("Geral"), QStringLiteral("SincronizarComprovante"),
                                     QLatin1String(c.sincronizar));
        TPruv2003 janela;
        EXPECT_EQ(janela.Comando(QStringLiteral("MiCopiaAuto"))->isChecked(), c.copiaAuto);
        EXPECT_EQ(janela.Comando(QStringLiteral("MiSincronizar"))->isChecked(), c.sincroniza);

        janela.Comando(QStringLiteral("MiCopiaAuto"))->trigger();
        janela.Comando(QStringLiteral("MiSincronizar"))->trigger();
        EXPECT_EQ(Ini("Copia de Seguranca", "automatica"), c.copiaAuto ? QStringLiteral("0") : QStringLiteral("1"));
        EXPECT_EQ(Ini("Geral", "SincronizarComprovante"), c.sincroniza ? QStringLiteral("0") : QStringLiteral("1"));
    }
}

TEST_F(TPruv2003Test, WhileACommandRunsTheGuardedCommandsAndClosingWait)
{
    TPruv2003 janela;
    janela.show();
    int vezes = 0;
    TRotinasPrincipal rotinas;
    rotinas.MostraCalculadora = [&] {
        ++vezes;
        // The user presses the command again and tries to close the window meanwhile.
        janela.Comando(QStringLiteral("MiCalculadora"))->trigger();
        janela.close();
    };
    janela.DefineRotinas(rotinas);
    ASSERT_TRUE(Ligado(janela, "MiCalculadora"));

    janela.Comando(QStringLiteral("MiCalculadora"))->trigger();
    EXPECT_EQ(vezes, 1);
    EXPECT_TRUE(janela.isVisible());
    EXPECT_TRUE(dialogos.Mensagens().empty());   // refused without a question
    EXPECT_FALSE(EmProcessamento);
}

TEST_F(TPruv2003Test, MenusWithoutAnOpenDeclaration)
{
    TPruv2003 janela;
    for (const char* nome : {"MiSair", "MiSincronizar", "MiCopiaAuto", "MiConteudo", "MiManual", "MiAjudaCampo",
                             "UsodoTeclado1", "LeiautedoArquivo1", "Ouehdenovo1", "MiSobre"})
        EXPECT_TRUE(Ligado(janela, nome)) << nome;
    // Nothing is open or stored; the others wait for the windows they open.
    for (const char* nome : {"MiNova", "MiAbrir", "MiFecharDeclaracao", "MiExcluir", "MiGravarXeq", "MiPesquisar",
                             "MiResumo", "MiVerificarPendencias", "MiCalculadora", "MiGravarCopia"})
        EXPECT_FALSE(Ligado(janela, nome)) << nome;
    EXPECT_TRUE(janela.Comando(QStringLiteral("MiSincronizar"))->isVisible());
    EXPECT_EQ(janela.Comando(QStringLiteral("MiNova"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(janela.Comando(QStringLiteral("MiAjudaCampo"))->shortcut(), QKeySequence(Qt::Key_F1));

    TRotinasPrincipal rotinas;
    rotinas.MostraCalculadora = [] {};
    rotinas.ExecutaAssistCopSeg = [](QWidget*) {};
    janela.DefineRotinas(rotinas);
    EXPECT_TRUE(Ligado(janela, "MiCalculadora"));
    EXPECT_TRUE(Ligado(janela, "MiGravarCopia"));
    // The toolbar buttons follow their commands.
    const auto* botao = janela.findChild<QToolButton*>(QStringLiteral("TbGerarCopia"));
    ASSERT_NE(botao, nullptr);
    EXPECT_TRUE(botao->isEnabled());
    EXPECT_EQ(botao->toolTip(), QStringLiteral("Gravar cópia de segurança"));
    EXPECT_FALSE(janela.findChild<QToolButton*>(QStringLiteral("TbNova"))->isEnabled());
}

TEST_F(TPruv2003Test, TheExceptionHandlerTellsTheErrorsApart)
{
    const struct {
        const char* caso;
        std::exception_ptr excecao;
        int codigo;
        bool indisponivel, termina;
    } casos[] = {
        {"disk full", std::make_exception_ptr(EEspacoEmDiscoError(150, QString(), 0)), 150, true, true},
        {"data error", std::make_exception_ptr(EDadosError(143, QStringLiteral("IChavePruv"), 0)), 143, true, false},
        {"other error",
         std::make_exception_ptr(
             TErro(76, QStringLiteral("111.444.777-35;0561"), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0)),
         76, false, false},
        {"not ours", std::make_exception_ptr(std::runtime_error("falhou")), -1, false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        BaseIndisponivel = false;
        dialogos.Limpa();
        TPruv2003 janela;
        TRotinasPrincipal rotinas;
        rotinas.MostraCalculadora = [&c] { std::rethrow_exception(c.excecao); };
        rotinas.ExecutaAssistRestCopSeg = [](QWidget*) {};
        janela.DefineRotinas(rotinas);

        janela.Comando(QStringLiteral("MiCalculadora"))->trigger();   // nothing leaves the command
        ASSERT_EQ(dialogos.Codigos(), std::vector<int>{c.codigo});
        EXPECT_EQ(dialogos.Mensagens().front().Botoes, Botao::Ok);   // a question is shown as an error
        EXPECT_EQ(BaseIndisponivel, c.indisponivel);
        EXPECT_EQ(janela.Terminando(), c.termina);
        EXPECT_FALSE(EmProcessamento);
        if (c.indisponivel && !c.termina) {
            // Read-only: the restore and the help stay, the Declaração menu goes, exit included.
            EXPECT_TRUE(Ligado(janela, "MiRestaurarCopia"));
            EXPECT_TRUE(Ligado(janela, "MiConteudo"));
            EXPECT_FALSE(Ligado(janela, "MiSair"));
            EXPECT_FALSE(Ligado(janela, "MiCalculadora"));
            EXPECT_FALSE(janela.Menu(QStringLiteral("MiDeclaracao"))->menuAction()->isEnabled());
        }
    }
}

// The engine's failure that no layer below turned into a message of the program: a damaged page
// is met while rows are read. The user reads a numbered message in Portuguese with what mends it,
// and only what mends it stays.
TEST_F(TPruv2003Test, AnEngineFailureReachingTheWindowIsNumberedAndADamagedFileAdvisesItsRemedy)
{
    TPruv2003 janela;
    const struct {
        const char* caso;
        int codigo;
        const char* texto;
        bool danificado;
    } casos[] = {
        {"full disk", SQLITE_FULL, "o disco está cheio", false},
        {"taken back", SQLITE_ABORT_ROLLBACK, "a gravação foi desfeita depois de um erro no disco", false},
        {"without a reason of its own", SQLITE_ERROR, "o banco de dados recusou a operação (código 1)", false},
        {"damaged", SQLITE_CORRUPT, "o arquivo do banco de dados está danificado", true},   // last: menus go
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        BaseIndisponivel = false;
        janela.ApplicationEvents1Exception(
            std::make_exception_ptr(EDBEngineError(QStringLiteral("database disk image is malformed"), c.codigo)));
        ASSERT_EQ(dialogos.Codigos(), std::vector<int>{140});
        const QString& texto = dialogos.Textos().front();
        EXPECT_TRUE(texto.contains(QStringLiteral("pruv2003.db")) && texto.contains(QString::fromUtf8(c.texto)))
            << texto.toStdString();
        EXPECT_FALSE(texto.contains(QStringLiteral("malformed"))) << texto.toStdString();
        EXPECT_EQ(texto.contains(QStringLiteral("Reorganizar Tabelas de Dados"))
                      && texto.contains(QStringLiteral("restaure uma cópia de segurança")),
                  c.danificado)
            << texto.toStdString();
        EXPECT_EQ(BaseIndisponivel, c.danificado);
        EXPECT_EQ(Ligado(janela, "MiSair"), !c.danificado);
    }
}

TEST_F(TPruv2003Test, RestoreRemovesTheWorkCopiesAndMakesTheDataUsableAgain)
{
    TPruv2003 janela;
    const QString copia = TPastas::Temporaria() + QStringLiteral("/pruv2003.db");
    bool falha = true;
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistRestCopSeg = [&](QWidget* dono) {
        EXPECT_EQ(dono, &janela);
        CriaCopia(TPastas::Temporaria(), QStringLiteral("pruv2003.db"));
        if (falha)
            throw TErro(159, copia, 0);
    };
    rotinas.ArquivosDados = {QStringLiteral("pruv2003.db")};
    janela.DefineRotinas(rotinas);
    janela.ApplicationEvents1Exception(std::make_exception_ptr(EDadosError(143, QString(), 0)));
    ASSERT_TRUE(BaseIndisponivel);
    dialogos.Limpa();

    // A failing assistant: the copies still go and the failure is shown afterwards.
    janela.Comando(QStringLiteral("MiRestaurarCopia"))->trigger();
    EXPECT_FALSE(QFileInfo::exists(copia));
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{159});
    EXPECT_FALSE(BaseIndisponivel);
    EXPECT_TRUE(Ligado(janela, "MiSair"));

    falha = false;
    ErroIndice = true;
    janela.Comando(QStringLiteral("MiRestaurarCopia"))->trigger();
    EXPECT_FALSE(QFileInfo::exists(copia));
    EXPECT_FALSE(ErroIndice);
}

namespace {

// The frame of the open declaration, showing nothing: it answers whether the declaration may be
// left and counts its closings.
class TFrDeclaracaoDeTeste final : public QWidget, public IFrDeclaracao {
public:
    using QWidget::QWidget;
    bool Sai = true;
    int Fechamentos = 0;
    bool Sincronizar = false;
    TPruv* Declaracao = nullptr;
    bool Fundos = false;
    bool Comprovante = false;

    QWidget& Controle() override { return *this; }
    void SetPruv(TPruv& pruv) override { Declaracao = &pruv; }
    void SetColecaoPruv(TColecaoPruv&) override {}
    void Prepara() override {}
    void Abre(TPosicionaCampo) override {}
    bool PodeSair() override { return Sai; }
    void Fecha() override { ++Fechamentos; }
    void SetSincronizarComprovante(bool sincronizar) override { Sincronizar = sincronizar; }
    void MostraFundos(bool mostra) override { Fundos = mostra; }
    void MostraComprovante(bool mostra) override { Comprovante = mostra; }
    TPaginaDeclaracao PaginaAtiva() const override { return TPaginaDeclaracao::Informacoes; }
    TPaginaDeclaracao PaginaAnterior() const override { return TPaginaDeclaracao::Informacoes; }
    void AtivaPagina(TPaginaDeclaracao) override {}
    void SetOnChange(std::function<void()>) override {}
    QWidget& Pagina(TPaginaDeclaracao) override { return *this; }
    QWidget& PaginaControle() override { return *this; }
};

// A modeless window of the open declaration (pending items, search) that may refuse to close.
class TJanelaModeless final : public QWidget {
public:
    explicit TJanelaModeless(const char* nome, bool recusa = false)
        : Recusa(recusa)
    {
        setObjectName(QLatin1String(nome));
        show();
    }
    bool Recusa;

protected:
    void closeEvent(QCloseEvent* evento) override { evento->setAccepted(!Recusa); }
};

// The main window, with a frame, over declarations stored in the case's database.
class TPruv2003DeclaracaoTest : public PruvDeTeste {
protected:
    ProgramaLimpo programa;
    ModaisRoteirizados modais;
    std::unique_ptr<TPruv2003> janela;
    TFrDeclaracaoDeTeste* quadro = nullptr;
    int copias = 0;    // automatic backups at exit
    int resumos = 0;   // summary computations

    void Inicia(TRotinasPrincipal rotinas = {})
    {
        janela = std::make_unique<TPruv2003>();
        rotinas.CriaFrDeclaracao = [this](QWidget* dono) { return quadro = new TFrDeclaracaoDeTeste(dono); };
        rotinas.FazCopiaAutomatica = [this](QWidget* dono) { copias += dono->isEnabled() ? 100 : 1; };
        rotinas.CalculaResumo = [this](TPruv&) { return ++resumos; };
        janela->DefineRotinas(std::move(rotinas));
        janela->show();
    }
    // Loads the stored declaration into the window's object, as the open dialog does.
    TPruv& Carrega(const QString& ni, const char* ano = "2002")
    {
        TPruv& pruv = janela->ObtemDeclaracao();
        pruv.GetDeclarante().SetNi(ni);
        pruv.SetAno(QLatin1String(ano));
        EXPECT_TRUE(janela->ObtemColecao().Carrega(pruv));
        return pruv;
    }
    void Abre(const QString& ni, const char* ano = "2002")
    {
        Carrega(ni, ano);
        janela->AbrirDeclaracao();
    }
    [[nodiscard]] bool Ligado(const char* nome) const { return janela->Comando(QLatin1String(nome))->isEnabled(); }
};

}   // namespace

TEST_F(TPruv2003DeclaracaoTest, TheOpenDeclarationSetsTheCaptionTheYearAndTheCommands)
{
    Inicia();
    EXPECT_TRUE(janela->Situacao().ColecaoVazia);
    colecao->Inclui(*Nova(CpfDeclarante, "2002", 8, "JOSE DA SILVA"));
    Armazenada(Matriz);
    Armazenada(Filial, "2001");
    Armazenada(Outra, "2002", 3);
    janela->AbrirDialogoInicial();   // reads what was stored meanwhile
    EXPECT_FALSE(janela->Situacao().ColecaoVazia);

    const QLabel* anoRet = janela->findChild<QLabel*>(QStringLiteral("LbAnoRet"));
    const struct {
        QString ni;
        const char* ano;
        const char* titulo;
        bool sincronizar, fundos;
    } casos[] = {
        {Matriz, "2002", "Pruv 2003 - EMPRESA ALFA LTDA   Matriz", true, false},
        {Filial, "2001", "Pruv 2003 - EMPRESA ALFA LTDA   Filial 0002", false, false},   // an earlier year
        {CpfDeclarante, "2002", "Pruv 2003 - JOSE DA SILVA   ", true, false},            // no establishment
        {Outra, "2002", "Pruv 2003 - EMPRESA ALFA LTDA   Matriz", true, true},           // funds administrator
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo);
        Abre(c.ni, c.ano);
        EXPECT_EQ(janela->windowTitle().toStdString(), c.titulo);
        EXPECT_EQ(anoRet->text(), QStringLiteral("Ano-calendário: ") + QLatin1String(c.ano));
        EXPECT_TRUE(janela->findChild<QToolButton*>(QStringLiteral("TbFechar"))->isEnabled());
        EXPECT_EQ(janela->Comando(QStringLiteral("MiSincronizar"))->isVisible(), c.sincronizar);
        EXPECT_EQ(janela->EstadoMenus().MostraFundos, c.fundos);
        EXPECT_TRUE(quadro->isVisible() && quadro->Sincronizar);

        janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
        EXPECT_FALSE(janela->GetDeclaracaoAberta());
        EXPECT_EQ(janela->windowTitle(), QStringLiteral("Pruv 2003"));
        EXPECT_EQ(anoRet->text(), QString());
        EXPECT_FALSE(Ligado("MiFecharDeclaracao"));
        EXPECT_FALSE(quadro->isVisible());
        EXPECT_TRUE(janela->ObtemDeclaracao().GetChave().isEmpty());   // the loaded object was let go
    }
    EXPECT_EQ(quadro->Fechamentos, 4);
    EXPECT_EQ(resumos, 0);   // every stored summary was up to date

    Carrega(Matriz).GetResumo().SetOK(false);
    janela->AbrirDeclaracao();
    EXPECT_EQ(resumos, 1);
}

TEST_F(TPruv2003DeclaracaoTest, ClosingAsksMessage33AndBacksUpOnlyWhatIsWorthIt)
{
    const struct {
        const char* caso;
        bool armazenada;
        Resposta resposta;
        bool sai, copiaAuto, erroIndice;
        bool fecha;
        int copias;        // each made with the main window disabled
        bool avisaCopia;   // a backup skipped is told
    } casos[] = {
        {"nothing stored", false, Resposta::Sim, true, true, false, true, 0, false},
        {"stored", true, Resposta::Sim, true, true, false, true, 1, false},
        {"answered No", true, Resposta::Nao, true, true, false, false, 0, false},
        {"a field holds an invalid value", true, Resposta::Sim, false, true, false, false, 0, false},
        {"backup turned off", true, Resposta::Sim, true, false, false, true, 0, false},
        {"an index failed", true, Resposta::Sim, true, true, true, true, 0, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        if (c.armazenada && !colecao->Localiza(*Nova(Matriz)))
            Armazenada(Matriz);
        copias = 0;
        dialogos.Limpa();
        Inicia();
        janela->Comando(QStringLiteral("MiCopiaAuto"))->setChecked(c.copiaAuto);
        ErroIndice = c.erroIndice;
        if (c.armazenada)
            Abre(Matriz);
        quadro->Sai = c.sai;
        dialogos.Responde(c.resposta);
        janela->Comando(QStringLiteral("MiSair"))->trigger();
        ASSERT_EQ(dialogos.Codigos(), c.avisaCopia ? (std::vector<int>{33, -1}) : std::vector<int>{33});
        if (c.avisaCopia) {
            EXPECT_TRUE(dialogos.Textos().back().contains(QStringLiteral("cópia de segurança automática não foi")))
                << dialogos.Textos().back().toStdString();
        }
        EXPECT_EQ(dialogos.Mensagens().front().Texto, QStringLiteral("Deseja sair do programa?"));
        EXPECT_EQ(dialogos.Mensagens().front().Botoes, Botao::Sim | Botao::Nao);
        EXPECT_EQ(janela->isVisible(), !c.fecha);
        EXPECT_EQ(janela->GetDeclaracaoAberta(), c.armazenada && !c.fecha);
        EXPECT_EQ(copias, c.copias);
        EXPECT_FALSE(EmProcessamento);
    }
}

// Data that failed while the program ran (another copy held them, an index broke) are not backed
// up at exit: the user is told so, never left to think the backup was made.
TEST_F(TPruv2003DeclaracaoTest, AnAutomaticBackupSkippedBecauseTheDataFailedIsTold)
{
    Armazenada(Matriz);
    Inicia();
    janela->ApplicationEvents1Exception(std::make_exception_ptr(EDadosError(143, QStringLiteral("IChavePruv"), 0)));
    ASSERT_TRUE(BaseIndisponivel);
    dialogos.Limpa();
    dialogos.Responde(Resposta::Sim);
    EXPECT_TRUE(janela->close());
    ASSERT_EQ(dialogos.Codigos(), (std::vector<int>{33, -1}));
    EXPECT_TRUE(dialogos.Textos().back().contains(QStringLiteral("cópia de segurança automática não foi gravada")))
        << dialogos.Textos().back().toStdString();
    EXPECT_EQ(copias, 0);
}

TEST_F(TPruv2003DeclaracaoTest, TheGatekeeperClosesTheModelessWindowsOfTheOpenDeclaration)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    const struct {
        const char* nome;
        bool pendenciasRecusa, quadroRecusa;
        bool resposta, pendenciasFica, pesquisaFica;
    } casos[] = {
        {"FoNovaDeclaracao", false, false, true, false, false},
        {"FoPendencias", false, false, true, true, false},
        {"FoAssistRelatorios", false, false, true, true, false},
        {"FoPesquisar", false, false, true, false, true},
        {"", false, false, true, true, true},                   // the window lost activation
        {"FoNovaDeclaracao", true, false, false, true, true},   // the pending items refuse
        {"FoNovaDeclaracao", false, true, false, true, true},   // a field holds an invalid value
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.nome << c.pendenciasRecusa << c.quadroRecusa);
        TJanelaModeless pendencias("FoPendencias", c.pendenciasRecusa);
        TJanelaModeless pesquisa("FoPesquisar");
        quadro->Sai = !c.quadroRecusa;
        EXPECT_EQ(janela->PodeAbrirForm(QLatin1String(c.nome)), c.resposta);
        EXPECT_EQ(pendencias.isVisible(), c.pendenciasFica);
        EXPECT_EQ(pesquisa.isVisible(), c.pesquisaFica);
        EXPECT_TRUE(janela->GetDeclaracaoAberta());
    }

    // Closing the declaration asks the pending items too; the reorganisation lets go of it.
    quadro->Sai = true;
    TJanelaModeless pendencias("FoPendencias", true);
    janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
    EXPECT_TRUE(janela->GetDeclaracaoAberta());
    pendencias.Recusa = false;
    EXPECT_TRUE(janela->PodeAbrirForm(QStringLiteral("FoIndexa")));
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(quadro->Fechamentos, 1);
}

TEST_F(TPruv2003DeclaracaoTest, ADataErrorWithADeclarationOpenLetsTheRestoreDropIt)
{
    Armazenada(Matriz);
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistRestCopSeg = [](QWidget*) {};
    Inicia(std::move(rotinas));
    Abre(Matriz);
    janela->ApplicationEvents1Exception(std::make_exception_ptr(EDadosError(143, QStringLiteral("IChavePruv"), 0)));
    ASSERT_TRUE(BaseIndisponivel);
    EXPECT_TRUE(janela->FecharDeclaracao());   // nothing is touched while the data are unavailable
    EXPECT_TRUE(janela->GetDeclaracaoAberta());

    janela->Comando(QStringLiteral("MiRestaurarCopia"))->trigger();
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
    EXPECT_FALSE(quadro->isVisible());
    EXPECT_EQ(quadro->Fechamentos, 1);
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Pruv 2003"));
    EXPECT_TRUE(Ligado("MiSair"));
}

// The pending items stay open through a data error, since nothing of the declaration is touched
// then; a window of the program left on the screen would keep the program from ending.
TEST_F(TPruv2003DeclaracaoTest, AfterADataErrorClosingTheMainWindowEndsTheProgramWithAllItsWindows)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    TJanelaModeless pendencias("FoPendencias", true);   // its check still running
    TJanelaModeless pesquisa("FoPesquisar");
    janela->ApplicationEvents1Exception(std::make_exception_ptr(EDadosError(143, QStringLiteral("IChavePruv"), 0)));
    ASSERT_TRUE(BaseIndisponivel);
    dialogos.Limpa();
    dialogos.Responde(Resposta::Sim);

    // As the program's own loop runs it: it must end with the main window.
    QTimer::singleShot(0, janela.get(), [this] { janela->close(); });
    QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    // The question, then the automatic backup that the failed data do not get.
    EXPECT_EQ(dialogos.Codigos(), (std::vector<int>{33, -1}));
    EXPECT_FALSE(janela->isVisible());
    EXPECT_FALSE(pendencias.isVisible());
    EXPECT_FALSE(pesquisa.isVisible());
}

TEST_F(TPruv2003DeclaracaoTest, TheSearchCommandOpensTheSearchOnTheOpenDeclarationAndLocatesThroughTheWindow)
{
    TPruv* pesquisada = nullptr;
    TPosicionaCampo posiciona;
    TRotinasPrincipal rotinas;
    rotinas.MostraPesquisa = [&](TPruv& pruv, TPosicionaCampo p, QWidget*) {
        pesquisada = &pruv;
        posiciona = std::move(p);
    };
    Inicia(std::move(rotinas));
    Armazenada(Matriz);
    EXPECT_FALSE(Ligado("MiPesquisar"));
    Abre(Matriz);
    ASSERT_TRUE(Ligado("MiPesquisar"));
    janela->Comando(QStringLiteral("MiPesquisar"))->trigger();
    EXPECT_EQ(pesquisada, &janela->ObtemDeclaracao());
    ASSERT_TRUE(posiciona);
    posiciona(QStringLiteral("00001"), QStringLiteral("0000001"), 6);   // the declarant's name
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_FALSE(EmProcessamento);
}

TEST_F(TPruv2003DeclaracaoTest, AStartWithDeclarationsStoredOffersToOpenThem)
{
    Inicia();
    Armazenada(Matriz);
    bool abrir = false;
    modais.Responde([](QDialog& dicas) { dicas.reject(); });   // the first start's tips
    modais.Responde([&abrir](QDialog& tela) {
        auto* rbAbrir = tela.findChild<QRadioButton*>(QStringLiteral("RbAbrir"));
        abrir = rbAbrir->isEnabled() && rbAbrir->isChecked();
        tela.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
    janela->AbrirDialogoInicial();
    EXPECT_TRUE(abrir);
    EXPECT_EQ(modais.Nomes, (QStringList{QStringLiteral("FoNovidade"), QStringLiteral("FoInicial")}));
    EXPECT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(janela->ObtemDeclaracao().GetDeclarante().GetNi(), Matriz);
}

TEST_F(TPruv2003Test, AnImportFromTheInitialScreenOffersTheOpenDialogWhileTheImportCommandOpensNothing)
{
    TPruv2003 janela;
    bool traz = false;   // whether the import brings a declaration in
    int importacoes = 0;
    QStringList legendas;
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistImportacao = [&](QString&, TColecaoPruv&, bool& relatorio, int& linhas, QWidget*) {
        ++importacoes;
        relatorio = false;
        linhas = 0;
        return traz;
    };
    rotinas.AbreDeclaracao = [&](TPruv&, TColecaoPruv&, const QString& legenda) {
        legendas << legenda;
        return false;   // the user gives up choosing
    };
    janela.DefineRotinas(std::move(rotinas));
    const auto importaDoInicio = [&] {
        if (modais.Nomes.isEmpty() && importacoes == 0)
            modais.Responde([](QDialog& dicas) { dicas.reject(); });   // the first start's tips
        modais.Responde([](QDialog& tela) {
            auto& inicial = dynamic_cast<TFoInicial&>(tela);
            inicial.RbImporta->setChecked(true);
            inicial.OKBtn->click();
        });
        janela.AbrirDialogoInicial();
        modais.Nomes.clear();
    };

    importaDoInicio();   // nothing brought in: nothing to open
    EXPECT_EQ(importacoes, 1);
    EXPECT_TRUE(legendas.isEmpty());
    traz = true;
    importaDoInicio();
    EXPECT_EQ(importacoes, 2);
    EXPECT_EQ(legendas, QStringList{QStringLiteral("Importação - Abrir Declaração")});
    EXPECT_FALSE(janela.GetDeclaracaoAberta());

    legendas.clear();
    janela.Comando(QStringLiteral("MiImportar"))->trigger();
    EXPECT_EQ(importacoes, 3);
    EXPECT_TRUE(legendas.isEmpty());   // the command only refreshes the stored declarations
    EXPECT_FALSE(EmProcessamento);
}

// A database file the user may not change, in a folder that takes writes: the start and the close
// name the file as what takes no writes, not the folder (which the user would mend in vain).
TEST_F(TPruv2003DeclaracaoTest, ADatabaseFileThatTakesNoWritesIsToldAsTheFileAtStartAndClose)
{
    Armazenada(Matriz);
    const TDatabase::SimulacaoSomenteLeitura somenteLeitura(TDatabase::TMotivoSomenteLeitura::Arquivo);
    Inicia();
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{141});
    const QString inicio = dialogos.Textos().front();
    EXPECT_TRUE(inicio.contains(QStringLiteral("o arquivo ")
                                + QDir::toNativeSeparators(TPastas::Dados() + QStringLiteral("/pruv2003.db"))
                                + QStringLiteral(" não permite gravação")))
        << inicio.toStdString();
    EXPECT_FALSE(inicio.contains(QStringLiteral("pasta"))) << inicio.toStdString();

    Abre(Matriz);
    quadro->Sai = false;
    dialogos.Limpa();
    dialogos.Responde(Resposta::Sim);
    dialogos.Responde(Resposta::Nao);
    janela->Comando(QStringLiteral("MiSair"))->trigger();
    ASSERT_EQ(dialogos.Codigos(), (std::vector<int>{33, 33}));
    const QString fecho = dialogos.Textos().back();
    EXPECT_TRUE(fecho.startsWith(QStringLiteral("O arquivo de dados não permite gravação"))) << fecho.toStdString();
    EXPECT_FALSE(fecho.contains(QStringLiteral("pasta"))) << fecho.toStdString();
}

TEST_F(TPruv2003DeclaracaoTest, OnADataFolderThatTakesNoWritesTheStartSaysSoAndClosingMayLeaveUnsaved)
{
    Armazenada(Matriz);
    const TDatabase::SimulacaoSomenteLeitura somenteLeitura;
    Inicia();
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{141});
    EXPECT_TRUE(dialogos.Textos().front().contains(QStringLiteral("não permite gravação")))
        << dialogos.Textos().front().toStdString();
    EXPECT_EQ(dialogos.Mensagens().front().Tipo, TipoDialogo::Aviso);
    EXPECT_FALSE(BaseIndisponivel) << "what is stored can still be read";
    // The start goes on without trying to write its settings beside the data: the folder was
    // said to take no writes, and a failed write would only add wrong advice.
    janela->AbrirDialogoInicial();
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{141});
    EXPECT_EQ(TIniFile(TArquivoIni::Caminho())
                  .ReadString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("-")),
              QStringLiteral("-"));

    // The open declaration cannot be saved: the user is asked, and may stay or leave unsaved.
    const struct {
        const char* caso;
        Resposta resposta;
        bool fecha;
    } casos[] = {
        {"stays", Resposta::Nao, false},
        {"leaves unsaved", Resposta::Sim, true},
    };
    Abre(Matriz);
    quadro->Sai = false;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        dialogos.Responde(Resposta::Sim);
        dialogos.Responde(c.resposta);
        janela->Comando(QStringLiteral("MiSair"))->trigger();
        ASSERT_EQ(dialogos.Codigos(), (std::vector<int>{33, 33}));
        EXPECT_TRUE(dialogos.Textos().back().contains(QStringLiteral("sem gravar")))
            << dialogos.Textos().back().toStdString();
        EXPECT_EQ(janela->isVisible(), !c.fecha);
        EXPECT_EQ(janela->GetDeclaracaoAberta(), !c.fecha);
        EXPECT_EQ(copias, 0) << "nothing changed that the automatic backup could keep";
        EXPECT_FALSE(EmProcessamento);
    }
}
