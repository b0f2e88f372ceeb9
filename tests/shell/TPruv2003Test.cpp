#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>
#include <stdexcept>

#include "model/RotinasTabela.h"
#include "model/TArquivoIni.h"
#include "model/TErro.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "shell/EstadoPrograma.h"
#include "shell/TAvisoCopiasDeSeguranca.h"
#include "shell/TRegistroPruv.h"
#include "shell/TPruv2003.h"
#include "support/ProgramaDeTeste.h"

using namespace EstadoPrograma;

namespace {

// Each case gets its own user configuration folder and a program that starts clean.
class TPruv2003Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        FHaviaConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        FConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ProgramaDeTeste::Pasta() + QStringLiteral("/config")));
        BaseIndisponivel = false;
        ErroIndice = false;
        EmProcessamento = false;
    }
    void TearDown() override
    {
        if (FHaviaConfig)
            qputenv("XDG_CONFIG_HOME", FConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    static QString Ini(const char* secao, const char* chave)
    {
        return TIniFile(TArquivoIni::Caminho()).ReadString(QLatin1String(secao), QLatin1String(chave), QStringLiteral("-"));
    }
    static bool Ligado(const TPruv2003& janela, const char* nome)
    {
        return janela.Comando(QLatin1String(nome))->isEnabled();
    }

    DialogosRoteirizados dialogos;

private:
    bool FHaviaConfig = false;
    QByteArray FConfig;
};

void CriaCopia(const QString& pasta, const QString& nome)
{
    QFile arquivo(pasta + QLatin1Char('/') + nome);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("PK");
}

}  // namespace

TEST_F(TPruv2003Test, FirstStartCreatesTheDataFolderAndTheDatabase)
{
    TPruv2003 janela;
    EXPECT_FALSE(BaseIndisponivel);
    EXPECT_FALSE(janela.Terminando());
    EXPECT_TRUE(QFileInfo::exists(TPastas::Dados() + QStringLiteral("/pruv2003.db")));
    EXPECT_TRUE(QFileInfo(TPastas::Temporaria()).isDir());
    EXPECT_TRUE(QFileInfo(TPastas::ErroImp()).isDir());
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Pruv 2003"));

    janela.AbrirDialogoInicial();
    EXPECT_EQ(Ini("Geral", "JahMostrou"), QStringLiteral("1"));
    EXPECT_TRUE(dialogos.Mensagens().empty());   // no backup folder registered
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
        EXPECT_TRUE(aviso.Texto.startsWith(copias == 1 ? QStringLiteral("Um arquivo") : QStringLiteral("Os seguintes")));
        EXPECT_EQ(aviso.Tipo, TipoDialogo::Informacao);
        EXPECT_EQ(aviso.Botoes, Botao::Ok);
    }

    dialogos.Limpa();   // the next start is not the first
    TPruv2003 janela;
    janela.AbrirDialogoInicial();
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TPruv2003Test, ADatabaseThatCannotBeOpenedEndsTheProgramWithMessage163)
{
    // A folder where the database file should be: SQLite cannot open it, the second time either.
    ASSERT_TRUE(QDir().mkpath(TPastas::Dados() + QStringLiteral("/pruv2003.db")));
    TPruv2003 janela;
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{163});
    const TMensagemDialogo& mensagem = dialogos.Mensagens().front();
    EXPECT_TRUE(mensagem.Texto.startsWith(
        QStringLiteral("Houve um erro de inicialização do banco de dados. Mensagem retornada: ")));
    EXPECT_GT(mensagem.Texto.size(), TErro::Mensagem(163).size());   // SQLite's own text follows
    EXPECT_EQ(mensagem.Tipo, TipoDialogo::Erro);
    EXPECT_TRUE(BaseIndisponivel);
    EXPECT_TRUE(janela.Terminando());
    // Only what repairs the data may still open.
    EXPECT_FALSE(janela.PodeAbrirForm(QStringLiteral("FoNovaDeclaracao")));
    EXPECT_TRUE(janela.PodeAbrirForm(QStringLiteral("FoIndexa")));
    EXPECT_TRUE(janela.PodeAbrirForm(QStringLiteral("FormAssistCopSeg")));
}

TEST_F(TPruv2003Test, IniOptionsSetTheCheckItemsAndTheirCommandsWriteThemBack)
{
    const struct {
        const char* automatica;        // nullptr: absent
        const char* sincronizar;
        bool copiaAuto, sincroniza;
    } casos[] = {
        {nullptr, nullptr, true, true},
        {"0", "0", false, false},
        {"1", "1", true, true},
        {"S", "1", false, true},       // only "1" turns the backup on
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

TEST_F(TPruv2003Test, ClosingAsksMessage33)
{
    TPruv2003 janela;
    janela.show();
    dialogos.Responde(Resposta::Nao);
    janela.Comando(QStringLiteral("MiSair"))->trigger();
    EXPECT_TRUE(janela.isVisible());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{33});
    EXPECT_EQ(dialogos.Mensagens().front().Texto, QStringLiteral("Deseja sair do programa?"));
    EXPECT_EQ(dialogos.Mensagens().front().Botoes, Botao::Sim | Botao::Nao);

    dialogos.Responde(Resposta::Sim);
    janela.close();
    EXPECT_FALSE(janela.isVisible());
    EXPECT_FALSE(EmProcessamento);
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
                             "UsodoTeclado1", "LeiautedoArquivo1"})
        EXPECT_TRUE(Ligado(janela, nome)) << nome;
    // Nothing is open or stored; the others wait for the windows they open.
    for (const char* nome : {"MiNova", "MiAbrir", "MiFecharDeclaracao", "MiExcluir", "MiGravarXeq", "MiPesquisar",
                             "MiResumo", "MiVerificarPendencias", "MiCalculadora", "MiGravarCopia", "Ouehdenovo1"})
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
        {"other error", std::make_exception_ptr(TErro(76, QStringLiteral("111.444.777-35;0561"), TipoDialogo::Confirmacao,
                                                      Botao::Sim | Botao::Nao, 0)),
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
