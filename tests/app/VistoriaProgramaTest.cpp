#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <gtest/gtest.h>
#include <algorithm>

#include "VistoriaJanela.h"
#include "VistoriaMouse.h"
#include "app/JanelasDosComandos.h"
#include "model/items/TSubJudice.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/ui/InterfaceUsuario.h"
#include "shell/backup/TFormCopSegAuto.h"
#include "support/ProgramaDeTeste.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "shell/window/TComandosPrincipal.h"
#include "shell/assistant/TFormAssist.h"
#include "shell/window/TPruv2003.h"
#include "assistants/import/TFoAssistImportacao.h"
#include "model/values/TErro.h"
#include "platform/ui/TDialogosQt.h"
#include "platform/ui/TTraducaoQt.h"
#include "shell/startup/TFoSplash.h"
#include "shell/common/TAjudaContextual.h"
#include "shell/common/TFoAjuda.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/pages/TFrDeclaracao.h"
#include "screens/pages/TFrInformacoesPruv.h"
#include "screens/tips/TZofHint.h"

namespace {

// The environment the program's start prepares before the application object is made (the
// file dialog's dates follow it), so that the survey sees what the program shows.
const bool ambiente = [] {
    TTraducaoQt::PreparaAmbiente();
    return true;
}();

// Answers every message as a user who goes on would: Sim, else OK, else the first button.
class DialogosQueSeguem final : public IDialogos {
public:
    Resposta Mostra(const TMensagemDialogo& mensagem) override
    {
        for (Resposta r : {Resposta::Sim, Resposta::Ok, Resposta::Ignora, Resposta::Nao, Resposta::Cancela})
            if (mensagem.Botoes & BotaoDaResposta(r))
                return r;
        return Resposta::Ok;
    }
};

// How each command of the menu bar is surveyed: with which declaration open, and the windows it
// opens. A command missing here fails the survey.
enum class TQuando { SemDeclaracao, ComDeclaracao, Nunca };
struct TComandoVistoriado {
    const char* Nome;
    TQuando Quando;
    const char* Porque;   // why it is never run here
};
constexpr TComandoVistoriado Comandos[] = {
    {"MiNova", TQuando::SemDeclaracao, ""},
    {"MiAbrir", TQuando::SemDeclaracao, ""},
    {"MiExcluir", TQuando::SemDeclaracao, ""},
    {"MiImportar", TQuando::SemDeclaracao, ""},
    {"MiConfigurarImpressora", TQuando::SemDeclaracao, ""},
    {"MiIndexador", TQuando::SemDeclaracao, ""},
    {"MiGravarCopia", TQuando::SemDeclaracao, ""},
    {"MiRestaurarCopia", TQuando::SemDeclaracao, ""},
    {"MiTransmitirviaInternet", TQuando::SemDeclaracao, ""},
    {"MiConteudo", TQuando::SemDeclaracao, ""},
    {"MiManual", TQuando::SemDeclaracao, ""},
    {"MiAjudaCampo", TQuando::SemDeclaracao, ""},
    {"UsodoTeclado1", TQuando::SemDeclaracao, ""},
    {"LeiautedoArquivo1", TQuando::SemDeclaracao, ""},
    {"Ouehdenovo1", TQuando::SemDeclaracao, ""},
    {"MiSobre", TQuando::SemDeclaracao, ""},
    {"MiCalculadora", TQuando::SemDeclaracao, ""},
    {"MiCopiaAuto", TQuando::SemDeclaracao, ""},
    {"MiImprimir", TQuando::ComDeclaracao, ""},
    {"MiVerificarPendencias", TQuando::ComDeclaracao, ""},
    {"MiGravarXeq", TQuando::ComDeclaracao, ""},
    {"MiPesquisar", TQuando::ComDeclaracao, ""},
    {"MiResumo", TQuando::ComDeclaracao, ""},
    {"MiSincronizar", TQuando::ComDeclaracao, ""},
    {"MiFecharDeclaracao", TQuando::Nunca, "closes the declaration the survey looks at; it opens no window"},
    {"MiSair", TQuando::Nunca, "ends the program; its question is a message"},
};

// Surveys the program's windows as they open: every modal window as soon as it shows (then
// cancels it), and every other window a command leaves open (then closes it).
class VistoriaProgramaTest : public DeclaracaoAbertaDeTeste {
protected:
    DialogosQueSeguem seguem;
    ImpressorasSimuladas impressoras{ProgramaDeTeste::Pasta()};
    QStringList falhas;
    QSet<QString> vistas;   // the windows surveyed, by name
    QTimer relogio;
    QList<QWidget*> emVistoria;
    QList<QPointer<QWidget>> jaVistas;

    void SetUp() override
    {
        DeclaracaoAbertaDeTeste::SetUp();
        InterfaceUsuario::Instala(&seguem);
        relogio.setInterval(5);
        QObject::connect(&relogio, &QTimer::timeout, [this] { Modal(); });
        relogio.start();
        janela = std::make_unique<TPruv2003>();
        janela->DefineRotinas(JanelasDosComandos(*janela));
        // The program's hints, after the shortest pause that still waits for the mouse to rest.
        TZofHint::InstalaPruvHint(janela.get())
            ->SetHintPauseTime(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) + 1);
        janela->show();
        Ativa(*janela);
    }
    void TearDown() override
    {
        relogio.stop();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != janela.get() && w->isVisible())
                w->close();
        DeclaracaoAbertaDeTeste::TearDown();
        InterfaceUsuario::Instala(static_cast<IDialogos*>(&dialogos));
    }

    static void Ativa(QWidget& w)
    {
        w.activateWindow();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
    }

    void Modal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || emVistoria.contains(modal) || jaVistas.contains(modal))
            return;
        emVistoria << modal;
        Vistoria(*modal);
        // The summary's computation ends by itself, with the totals the pages show.
        if (modal->objectName() == QLatin1String("FoCalculaResumo")) {
            emVistoria.removeOne(modal);
            jaVistas << modal;
            return;
        }
        if (auto* dialogo = qobject_cast<QDialog*>(modal); dialogo && dialogo->isVisible())
            dialogo->reject();
        emVistoria.removeOne(modal);
    }

    [[nodiscard]] static QSet<QWidget*> Abertas()
    {
        QSet<QWidget*> abertas;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                abertas << w;
        return abertas;
    }
    // Surveys and closes the windows open now that were not before, which the opener has opened.
    void Novas(const QSet<QWidget*>& antes, QWidget* abridor = nullptr)
    {
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !antes.contains(w) && !qobject_cast<QMenu*>(w) && w->windowType() != Qt::ToolTip) {
                if (abridor)
                    falhas << VistoriaJanela(*abridor, NomeDe(*abridor)).FalhasDeAbertura(*w);
                Vistoria(*w);
                w->close();
            }
        QApplication::processEvents();
        Ativa(*janela);
    }

    // Runs the command; surveys the windows it leaves open besides the main window, and closes them.
    void Comando(const char* nome)
    {
        const QSet<QWidget*> antes = Abertas();
        QAction* acao = janela->Comando(QLatin1String(nome));
        ASSERT_NE(acao, nullptr) << nome;
        if (!acao->isEnabled()) {
            falhas << QStringLiteral("command %1 is disabled where the survey runs it").arg(QLatin1String(nome));
            return;
        }
        acao->trigger();
        Novas(antes, janela.get());
    }

    // The window of that name, open now.
    [[nodiscard]] static QWidget* Aberta(const char* nome)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String(nome))
                return w;
        return nullptr;
    }

    // F1 in the window, as the user presses it where the focus is.
    void Ajuda(QWidget& abridor)
    {
        Ativa(abridor);
        QWidget* foco = QApplication::focusWidget();
        QTest::keyClick(foco && foco->window() == &abridor ? foco : &abridor, Qt::Key_F1);
        QApplication::processEvents();
        TFoAjuda* ajuda = TFoAjuda::Aberta();
        ASSERT_TRUE(ajuda && ajuda->isVisible()) << NomeDe(abridor).toStdString();
        falhas << VistoriaJanela(abridor, NomeDe(abridor)).FalhasDeAbertura(*ajuda);
        ajuda->close();
        QApplication::processEvents();
    }

    // The search window with each of its criteria, chosen with the arrow key as a user does.
    void Pesquisa()
    {
        janela->Comando(QStringLiteral("MiPesquisar"))->trigger();
        QApplication::processEvents();
        QWidget* pesquisa = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String("FoPesquisar"))
                pesquisa = w;
        ASSERT_NE(pesquisa, nullptr);
        Ativa(*pesquisa);
        auto* criterio = pesquisa->findChild<QWidget*>(QStringLiteral("CbChave"));
        ASSERT_NE(criterio, nullptr);
        for (int i = 2; i <= 4; ++i) {
            criterio->setFocus();
            QTest::keyClick(criterio, Qt::Key_Down);
            QApplication::processEvents();
            Vistoria(*pesquisa, QStringLiteral(" by criterion %1").arg(i));
        }
        pesquisa->close();
        QApplication::processEvents();
        Ativa(*janela);
    }

    // The print preview, as the pending-items window shows its report.
    void Previa()
    {
        janela->Comando(QStringLiteral("MiVerificarPendencias"))->trigger();
        QApplication::processEvents();
        QWidget* pendencias = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String("FoPendencias"))
                pendencias = w;
        ASSERT_NE(pendencias, nullptr);
        auto* imprimir = pendencias->findChild<QPushButton*>(QStringLiteral("BbImprimir"));
        ASSERT_NE(imprimir, nullptr);
        for (int i = 0; i < 500 && !imprimir->isEnabled(); ++i)
            QTest::qWait(10);
        ASSERT_TRUE(imprimir->isEnabled());
        QSet<QWidget*> antes = Abertas();
        imprimir->click();
        Novas(antes, pendencias);
        pendencias->close();
        QApplication::processEvents();
    }

    [[nodiscard]] static QString NomeDe(const QWidget& w)
    {
        return w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
    }

    // Every page of an assistant, every tab of every page, at the window's smallest size, at the
    // size it opened with and at 1600x1200.
    void Vistoria(QWidget& w, const QString& qual = {})
    {
        const QString nome = NomeDe(w) + qual;
        vistas << NomeDe(w);
        Ativa(w);
        if (auto* assistente = qobject_cast<TFormAssist*>(&w)) {
            QWidget* atual = nullptr;
            for (int n = 1; n <= TAssistente::MaxEstados; ++n)
                if (assistente->Pagina(n) && assistente->Pagina(n)->isVisible())
                    atual = assistente->Pagina(n);
            for (int n = 1; n <= TAssistente::MaxEstados; ++n) {
                QWidget* pagina = assistente->Pagina(n);
                if (!pagina)
                    continue;
                for (int m = 1; m <= TAssistente::MaxEstados; ++m)
                    if (assistente->Pagina(m) && m != n)
                        assistente->Pagina(m)->hide();
                pagina->show();
                falhas << VistoriaJanela(w, QStringLiteral("%1 page %2").arg(nome).arg(n)).FalhasDeOpcoes(*pagina);
                Abas(w, QStringLiteral("%1 page %2").arg(nome).arg(n), {});
            }
            for (int m = 1; m <= TAssistente::MaxEstados; ++m)
                if (assistente->Pagina(m))
                    assistente->Pagina(m)->setVisible(assistente->Pagina(m) == atual);
        } else {
            Abas(w, nome, {});
        }
    }

    // Each tab of the first tab control not yet walked, in turn; the window itself when none is left.
    void Abas(QWidget& w, const QString& nome, QList<QTabWidget*> percorridas)
    {
        for (QTabWidget* abas : w.findChildren<QTabWidget*>()) {
            if (!abas->isVisible() || percorridas.contains(abas) || !abas->tabBar()->isVisible())
                continue;
            percorridas << abas;
            const int atual = abas->currentIndex();
            for (int i = 0; i < abas->count(); ++i) {
                if (!abas->isTabVisible(i) || !abas->isTabEnabled(i))
                    continue;
                abas->setCurrentIndex(i);
                QApplication::processEvents();
                if (abas->currentIndex() == i)
                    Abas(w, nome + QLatin1Char('/') + abas->tabText(i).remove(QLatin1Char('&')), percorridas);
            }
            abas->setCurrentIndex(atual);
            QApplication::processEvents();
            return;
        }
        Janela(w, nome);
    }

    void Janela(QWidget& w, const QString& nome)
    {
        VistoriaJanela teclado(w, nome);
        // The calculator answers the digits, signs and letters its keys show (as its help says).
        if (w.objectName() == QLatin1String("FoCalcula"))
            teclado.TeclasProprias();
        falhas << teclado.FalhasDeTeclado();
        const QSize original = w.size();
        QSize minimo = w.minimumSize();
        if (minimo.isEmpty())
            minimo = w.minimumSizeHint().isValid() ? w.minimumSizeHint() : original;
        // Qt's file dialog is laid out by Qt: its words and its size as it opens are ours to look
        // at, not what its own smallest size cuts. As it opens, its list shows every column whole.
        if (qobject_cast<QFileDialog*>(&w)) {
            minimo = original;
            for (const QTreeView* lista : w.findChildren<QTreeView*>()) {
                const QHeaderView* titulos = lista->header();
                if (lista->isVisible() && titulos->length() > lista->viewport()->width())
                    falhas << QStringLiteral("%1: its columns take %2 pixels of a list %3 wide: the last one is cut")
                                  .arg(nome)
                                  .arg(titulos->length())
                                  .arg(lista->viewport()->width());
            }
        }
        for (const QSize& tamanho : {minimo, original, QSize(1600, 1200).boundedTo(w.maximumSize())}) {
            w.resize(tamanho);
            QApplication::processEvents();
            QApplication::processEvents();
            const QString vista = QStringLiteral("%1 at %2x%3").arg(nome).arg(w.width()).arg(w.height());
            falhas << VistoriaJanela(w, vista).Falhas();
            // For a person looking at what the survey saw.
            if (const QString fotos = qEnvironmentVariable("PRUV_VISTORIA_FOTOS"); !fotos.isEmpty())
                w.grab().save(fotos + QLatin1Char('/') + QString(vista).replace(QLatin1Char('/'), QLatin1Char('_'))
                              + QStringLiteral(".png"));
        }
        w.resize(original);
        QApplication::processEvents();
        // The pending-items window writes its findings as its verification runs, which starts a
        // moment after it opens: the mouse waits for the end.
        if (w.objectName() == QLatin1String("FoPendencias")) {
            auto* inicio = w.findChild<QTimer*>(QStringLiteral("Timer1"));
            auto* imprimir = w.findChild<QPushButton*>(QStringLiteral("BbImprimir"));
            (void)QTest::qWaitFor(
                [inicio, imprimir] { return (!inicio || !inicio->isActive()) && (!imprimir || imprimir->isEnabled()); },
                5000);
        }
        falhas << VistoriaMouse(w, nome).Falhas();
        if (w.isVisible())
            Ativa(w);
    }

    void Todos(TQuando quando)
    {
        for (const TComandoVistoriado& c : Comandos)
            if (c.Quando == quando)
                Comando(c.Nome);
    }

    // The windows surveyed are the ones expected: a new window must join the list.
    void Esperadas(std::initializer_list<const char*> nomes)
    {
        QSet<QString> esperadas;
        for (const char* nome : nomes)
            esperadas << QLatin1String(nome);
        for (const QString& nome : vistas)
            EXPECT_TRUE(esperadas.contains(nome))
                << "the window " << nome.toStdString() << " opened but the survey does not list it";
        for (const QString& nome : esperadas)
            EXPECT_TRUE(vistas.contains(nome)) << "the survey did not reach " << nome.toStdString();
    }

    void SemFalhas()
    {
        falhas.removeDuplicates();
        EXPECT_TRUE(falhas.isEmpty()) << falhas.join(QLatin1Char('\n')).toStdString();
    }

    // A company's, a fund administrator's (with a fund) and a person's declarations, each with
    // an item, the company's with a value under suspended enforceability.
    void Declaracoes()
    {
        auto empresa = Armazenada(Matriz, "2002", 0);
        Item(*empresa, *empresa, "0561", CpfBeneficiario);
        TPruvItem judicial(*empresa, *empresa);
        judicial.GetCodigoRetencao().SetCodigo(QStringLiteral("0588"));
        empresa->GetColecaoCodigoRetencao().BuscaCodigo(judicial.GetCodigoRetencao(), judicial.GetInAnexo());
        judicial.GetBeneficiario().SetNi(CpfDeclarante);
        judicial.GetBeneficiario().Nome().SetTexto(QStringLiteral("ANA DE SOUZA"));
        judicial.GetValores().GetRendimento(2).SetValor(500 * TMonetario::Escala);
        judicial.GetSubJudice().GetRendimento(2).SetValor(300 * TMonetario::Escala);
        ASSERT_EQ(empresa->GetItens().Salva(judicial), TColecaoPruvItem::Inserido);
        auto administradora = Armazenada(Outra, "2002", 3);
        auto fundo = NovoAnexo(*administradora, Fundo, "", true);
        Item(*administradora, *fundo, "3426", CpfBeneficiario);
        Armazenada(CpfDeclarante, "2002", 0);
    }

    void Abre(const QString& ni)
    {
        DeclaracaoAbertaDeTeste::Abre(ni);
        QApplication::processEvents();
        Ativa(*janela);
        ASSERT_TRUE(janela->GetDeclaracaoAberta());
    }
};

}   // namespace

TEST_F(VistoriaProgramaTest, EveryCommandOfTheMenuBarIsInTheSurvey)
{
    for (const TItemMenu& item : TComandosPrincipal::Menus()) {
        if (item.Tipo != TItemMenu::TTipo::Comando)
            continue;
        const bool listado = std::any_of(std::begin(Comandos), std::end(Comandos),
                                         [&](const TComandoVistoriado& c) { return qstrcmp(c.Nome, item.Nome) == 0; });
        EXPECT_TRUE(listado) << "the command " << item.Nome << " is not in the survey";
    }
}

TEST_F(VistoriaProgramaTest, WindowsOfTheProgramWithoutADeclarationShowTheirWholeTexts)
{
    Declaracoes();
    Vistoria(*janela);
    janela->AbrirDialogoInicial();
    QApplication::processEvents();
    Ativa(*janela);
    Todos(TQuando::SemDeclaracao);
    {
        // The window of the automatic backup at exit, which shows only while a backup runs.
        TFormCopSegAuto copia(janela.get());
        copia.show();
        Vistoria(copia);
    }
    Esperadas({"Pruv2003", "FoInicial", "FoNovaDeclaracao", "FoAbreDeclaracao", "FoExcluiDeclaracao",
               "FoAssistImportacao", "PrinterSetupDialog1", "FoIndexa", "FormAssistCopSeg", "FormAssistRestCopSeg",
               "FoAssistTransmissao", "FoAjuda", "FoNovidade", "FoSobre", "FoCalcula", "FormCopSegAuto"});
    SemFalhas();
}

TEST_F(VistoriaProgramaTest, PagesAndWindowsOfACompanysDeclarationShowTheirWholeTexts)
{
    Declaracoes();
    Abre(Matriz);
    Vistoria(*janela, QStringLiteral(" (company)"));
    Todos(TQuando::ComDeclaracao);
    Pesquisa();
    Previa();
    Esperadas({"Pruv2003", "FoCalculaResumo", "FoAssistRelatorios", "FoPendencias", "FoAssistGeracao", "FoPesquisar",
               "FoPreview"});
    SemFalhas();
}

TEST_F(VistoriaProgramaTest, PagesOfAFundAdministratorsAndOfAPersonsDeclarationsShowTheirWholeTexts)
{
    Declaracoes();
    Abre(Outra);
    Vistoria(*janela, QStringLiteral(" (fund administrator)"));
    ASSERT_TRUE(janela->FecharDeclaracao());
    Abre(CpfDeclarante);
    Vistoria(*janela, QStringLiteral(" (person)"));
    Esperadas({"Pruv2003"});
    SemFalhas();
}

// The program's own message dialogs (an information, a warning with Cancel and Help, an error, a
// question with Sim and Não), Qt's file dialog as the import assistant opens it, and the splash:
// whole texts, Portuguese words, the keyboard.
TEST_F(VistoriaProgramaTest, MessagesTheFileDialogAndTheSplashSpeakPortugueseAndShowTheirWholeTexts)
{
    Declaracoes();
    const TTraducaoQt traducao;
    TDialogosQt mensagens(janela.get());
    InterfaceUsuario::Instala(&mensagens);
    TErro(77, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
    TErro(166, QString(), TipoDialogo::Aviso, Botao::Ok | Botao::Cancela | Botao::Ajuda, 30000).Exibe();
    TErro(159, QString(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
    TErro(31, QStringLiteral("222.333.444-05;0561"), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0).Exibe();
    InterfaceUsuario::Instala(&seguem);

    {
        // The file dialog opens over the assistant, which the survey leaves open meanwhile.
        TColecaoPruv colecaoImportada;
        TFoAssistImportacao importacao(colecaoImportada, QStringLiteral("erros"), janela.get());
        jaVistas << &importacao;
        importacao.show();
        Ativa(importacao);
        auto* procura = importacao.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        ASSERT_NE(procura, nullptr);
        procura->click();   // the survey's clock looks at the dialog and cancels it
    }

    TFoSplash splash;
    splash.show();
    Vistoria(splash);
    splash.close();

    Esperadas({"QMessageBox", "QFileDialog", "FoSplash"});
    SemFalhas();
}

// Windows opened from the search and the pending-items windows, which stay on top of the main
// window, come above them; the menus' letters reach what they name with and without a
// declaration; a wrong number on the beneficiaries page leaves its text selected for retyping.
TEST_F(VistoriaProgramaTest, WhatTheKeysOpenComesAboveAndWhatTheyReachIsReady)
{
    Declaracoes();
    TAjudaContextual ajuda;
    qApp->installEventFilter(&ajuda);
    falhas << VistoriaJanela(*janela, QStringLiteral("Pruv2003 without a declaration")).FalhasDeTeclado();
    Abre(Matriz);
    falhas << VistoriaJanela(*janela, QStringLiteral("Pruv2003 (company)")).FalhasDeTeclado();

    janela->Comando(QStringLiteral("MiPesquisar"))->trigger();
    QApplication::processEvents();
    QWidget* pesquisa = Aberta("FoPesquisar");
    ASSERT_NE(pesquisa, nullptr);
    Ajuda(*pesquisa);
    pesquisa->close();
    QApplication::processEvents();

    janela->Comando(QStringLiteral("MiVerificarPendencias"))->trigger();
    QApplication::processEvents();
    QWidget* pendencias = Aberta("FoPendencias");
    ASSERT_NE(pendencias, nullptr);
    auto* imprimir = pendencias->findChild<QPushButton*>(QStringLiteral("BbImprimir"));
    for (int i = 0; i < 500 && !imprimir->isEnabled(); ++i)
        QTest::qWait(10);
    // It opens on its list, where Return finds the pending item highlighted.
    if (QWidget* foco = pendencias->focusWidget(); !foco || foco->objectName() != QLatin1String("DbgErrosEncontrados"))
        falhas << QStringLiteral("FoPendencias: opens with the focus on %1, not on its list")
                      .arg(foco ? foco->objectName() : QStringLiteral("nothing"));
    Ajuda(*pendencias);
    pendencias->close();
    QApplication::processEvents();
    Ativa(*janela);

    // The real messages, which take the focus away and give it back; the survey's clock closes them.
    TDialogosQt mensagens(janela.get());
    InterfaceUsuario::Instala(&mensagens);
    auto* quadroAberto = janela->findChild<TFrDeclaracao*>(QStringLiteral("FrDeclaracao"));
    // A wrong CPF before the CNPJ is left selected for retyping, as a wrong number of a beneficiary is.
    quadroAberto->AtivaPagina(TPaginaDeclaracao::Informacoes);
    QApplication::processEvents();
    auto* cpfCnpj = quadroAberto->Informacoes().findChild<QWidget*>(QStringLiteral("DeRespNoCnpj"));
    ASSERT_TRUE(cpfCnpj);
    cpfCnpj->setFocus();
    Digita(cpfCnpj, QStringLiteral("11144477736"));
    QTest::keyClick(cpfCnpj, Qt::Key_Tab);
    for (int i = 0; i < 20; ++i)
        QTest::qWait(10);
    falhas
        << VistoriaJanela(*janela, QStringLiteral("Pruv2003 after the CPF before the CNPJ")).FalhasDeSelecao(*cpfCnpj);
    QTest::keyClick(cpfCnpj, Qt::Key_Escape);
    quadroAberto->AtivaPagina(TPaginaDeclaracao::Beneficiarios);
    QApplication::processEvents();
    QWidget* codigo = quadroAberto->Beneficiarios().findChild<QWidget*>(QStringLiteral("DblcCodRet"));
    auto* numero = quadroAberto->Beneficiarios().findChild<QWidget*>(QStringLiteral("DeCpfCnpjBenef"));
    ASSERT_TRUE(codigo && numero);
    for (const char* errado : {"11144477736", "11222333000180"}) {
        Digita(codigo, QStringLiteral("0561"));
        Tab(codigo);
        Digita(numero, QLatin1String(errado));
        QTest::keyClick(numero, Qt::Key_Tab);
        for (int i = 0; i < 20; ++i)
            QTest::qWait(10);
        falhas << VistoriaJanela(*janela, QStringLiteral("Pruv2003 after the number %1").arg(QLatin1String(errado)))
                      .FalhasDeSelecao(*numero);
    }
    InterfaceUsuario::Instala(&seguem);
    SemFalhas();
}

// "Uso do Teclado" names every letter of the declaration's pages and tabs, of every kind of
// declarant, and every key of the menu commands.
TEST_F(VistoriaProgramaTest, TheKeyboardHelpListsEveryLetterOfThePagesAndEveryCommandKey)
{
    QFile arquivo(TFoAjuda::Pagina(TFoAjuda::Pasta(), 15000));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly)) << arquivo.fileName().toStdString();
    const QString ajuda = QTextDocumentFragment::fromHtml(QString::fromUtf8(arquivo.readAll())).toPlainText();
    QStringList teclas;
    for (QAction* acao : janela->findChildren<QAction*>())
        if (!acao->shortcut().isEmpty())
            teclas << acao->shortcut().toString(QKeySequence::PortableText);
    Declaracoes();
    for (const QString& ni : {Matriz, Outra, CpfDeclarante}) {
        Abre(ni);
        for (QTabWidget* abas : janela->findChildren<QTabWidget*>())
            for (int i = 0; i < abas->count(); ++i)
                if (const QKeySequence letra = QKeySequence::mnemonic(abas->tabText(i)); !letra.isEmpty())
                    teclas << letra.toString(QKeySequence::PortableText);
        ASSERT_TRUE(janela->FecharDeclaracao());
    }
    teclas.removeDuplicates();
    QStringList faltam;
    for (const QString& tecla : teclas) {
        // The key whole: "Alt+B" is not found in "Alt+Backspace".
        const QRegularExpression whole(QStringLiteral("(^|[^\\w+])%1(?!\\w)").arg(QRegularExpression::escape(tecla)));
        if (!whole.match(ajuda).hasMatch())
            faltam << tecla;
    }
    EXPECT_TRUE(faltam.isEmpty()) << faltam.join(QStringLiteral(", ")).toStdString();
}
