#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <set>

#include "assistants/generation/TFoAssistGeracao.h"
#include "assistants/import/TFoAssistImportacao.h"
#include "assistants/transmission/TFoAssistTransmissao.h"
#include "assistants/verification/TFoPendencias.h"
#include "assistants/backup/TFormAssistCopSeg.h"
#include "assistants/backup/TFormAssistRestCopSeg.h"
#include "shell/common/ContextoAjuda.h"
#include "platform/ui/TDialogosQt.h"
#include "reports/printing/TFoAssistRelatorios.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/calculator/TFoCalcula.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/pages/TFoCalculaResumo.h"
#include "screens/pages/TFoNovaDeclaracao.h"
#include "screens/search/TFoPesquisar.h"
#include "shell/common/TAjudaContextual.h"
#include "shell/printing/TDialogoConfiguraImpressora.h"
#include "shell/declarations/TFoAbreDeclaracao.h"
#include "shell/common/TFoAjuda.h"
#include "shell/declarations/TFoExcluiDeclaracao.h"
#include "shell/declarations/TFoIndexa.h"
#include "shell/startup/TFoInicial.h"
#include "shell/startup/TFoNovidade.h"
#include "shell/printing/TFoPreview.h"
#include "shell/startup/TFoSobre.h"
#include "shell/backup/TFormCopSegAuto.h"

namespace {

const QString PastaAjuda = QStringLiteral(PRUV_FONTES "/resources/help");

// The contexts a window can open with F1: those its controls carry (each tab page carries its
// own, so the contexts a page change sets are among them).
void JuntaContextos(const QWidget& janela, std::set<int>& contextos)
{
    auto le = [&contextos](const QWidget& controle) {
        if (const int contexto = controle.property(PropriedadeHelpContext).toInt(); contexto > 0)
            contextos.insert(contexto);
    };
    le(janela);
    for (const QWidget* controle : janela.findChildren<QWidget*>())
        le(*controle);
}

// The context of the help window F1 opened in the control's window, made active as the user has
// it, 0 when none opened; the help window is closed after.
int ContextoAposF1(QWidget& controle)
{
    if (TFoAjuda* anterior = TFoAjuda::Aberta())
        anterior->close();
    QApplication::processEvents();
    QApplication::setActiveWindow(controle.window());
    controle.setFocus();
    QTest::keyClick(&controle, Qt::Key_F1);
    TFoAjuda* ajuda = TFoAjuda::Aberta();
    if (!ajuda || !ajuda->isVisible())
        return 0;
    const int contexto = ajuda->Contexto();
    ajuda->close();
    QApplication::processEvents();
    return contexto;
}

class AjudaDoProgramaTest : public DeclaracaoAbertaDeTeste {
protected:
    TAjudaContextual ajuda;

    void SetUp() override
    {
        DeclaracaoAbertaDeTeste::SetUp();
        qApp->installEventFilter(&ajuda);
    }
    void TearDown() override
    {
        qApp->removeEventFilter(&ajuda);
        if (TFoAjuda* aberta = TFoAjuda::Aberta())
            aberta->close();
        DeclaracaoAbertaDeTeste::TearDown();
    }
};

}   // namespace

TEST_F(AjudaDoProgramaTest, EveryHelpContextAWindowCanOpenHasItsOwnPage)
{
    // Contexts that no control carries: the help menu's commands and the messages with Help.
    std::set<int> contextos{TFoAjuda::Conteudo, 12050, 15000, 18000, 30000, 50600};

    Inicia();   // the main window with its declaration frame, every page and tab in it
    JuntaContextos(*janela, contextos);

    auto pruv = Armazenada(Matriz);
    TPruv& outra = janela->ObtemDeclaracao();
    const auto junta = [&contextos](std::unique_ptr<QWidget> aberta) { JuntaContextos(*aberta, contextos); };
    junta(std::make_unique<TFoInicial>(outra, *colecao));
    junta(std::make_unique<TFoNovaDeclaracao>(outra, *colecao));
    junta(std::make_unique<TFoAbreDeclaracao>(QStringLiteral("Abrir Declaração"), outra, *colecao));
    junta(std::make_unique<TFoExcluiDeclaracao>(*colecao));
    junta(std::make_unique<TFoIndexa>());
    junta(std::make_unique<TFoNovidade>());
    junta(std::make_unique<TFoSobre>());
    junta(std::make_unique<TFoPesquisar>());
    junta(std::make_unique<TFoCalcula>());
    junta(std::make_unique<TFoPendencias>(janela.get()));
    junta(std::make_unique<TFoPreview>());
    junta(std::make_unique<TDialogoConfiguraImpressora>(QStringList{QStringLiteral("PDF")}, TEscolhaImpressora{}));
    junta(std::make_unique<TFormCopSegAuto>());
    junta(std::make_unique<TFoCalculaResumo>(*pruv, janela.get()));
    junta(std::make_unique<TFoAssistGeracao>(*pruv, *colecao));
    junta(std::make_unique<TFoAssistTransmissao>());
    junta(std::make_unique<TFoAssistImportacao>(*colecao, QString()));
    junta(std::make_unique<TFormAssistCopSeg>());
    junta(std::make_unique<TFormAssistRestCopSeg>());
    junta(std::make_unique<TFoAssistRelatorios>(*pruv, *colecao, false));

    // A window that lost its contexts would shrink this list without failing below.
    for (const int esperado :
         {11000, 11005, 11010, 11020, 11030, 11040, 11060, 11090, 11091, 11095, 12000, 12010, 12030,
          12060, 12070, 12080, 12600, 13000, 13010, 13020, 13030, 13040, 13050, 14000, 14002, 14003,
          14010, 14020, 14030, 14033, 14036, 14048, 16000, 50000, 50100, 50200, 50300})
        EXPECT_TRUE(contextos.count(esperado)) << "no window carries the context " << esperado;

    for (const int contexto : contextos) {
        SCOPED_TRACE(contexto);
        const QString pagina = PastaAjuda + QStringLiteral("/%1.html").arg(contexto);
        ASSERT_EQ(TFoAjuda::Pagina(PastaAjuda, contexto), pagina) << "no help topic for the context";
        QFile arquivo(pagina);
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(arquivo.readAll());
        EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("<h1>[^<]+</h1>"))));
        EXPECT_TRUE(texto.contains(QStringLiteral("<title>Pruv 2003 - ")));
    }
}

TEST_F(AjudaDoProgramaTest, EveryLinkBetweenTheHelpPagesLeadsToAPage)
{
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    const QDir pasta(PastaAjuda);
    for (const QString& nome : pasta.entryList({QStringLiteral("*.html")})) {
        SCOPED_TRACE(nome.toStdString());
        QFile arquivo(pasta.filePath(nome));
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(arquivo.readAll());
        for (auto it = link.globalMatch(texto); it.hasNext();) {
            const QString destino = it.next().captured(1);
            EXPECT_TRUE(QFileInfo::exists(pasta.filePath(destino))) << destino.toStdString();
        }
    }
}

TEST_F(AjudaDoProgramaTest, F1OpensTheHelpOfTheFocusedControlOrOfItsNearestParentInEveryWindow)
{
    // A dialog of the main window: every control carries its context.
    TPruv& pruv = [&]() -> TPruv& {
        Inicia();
        return janela->ObtemDeclaracao();
    }();
    {
        TFoNovaDeclaracao nova(pruv, *colecao, janela.get());
        nova.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&nova));
        EXPECT_EQ(ContextoAposF1(*nova.findChild<QWidget*>(QStringLiteral("DeNome"))), TFoNovaDeclaracao::HelpContext);
    }
    // A modeless window whose controls carry none: the window's own.
    {
        TFoCalcula calculadora(janela.get());
        calculadora.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&calculadora));
        EXPECT_EQ(ContextoAposF1(*calculadora.findChild<QWidget*>(QStringLiteral("BtAC"))), TFoCalcula::HelpContext);
        // F1 in the help window opens nothing more.
        calculadora.findChild<QWidget*>(QStringLiteral("BtAC"))->setFocus();
        QTest::keyClick(calculadora.findChild<QWidget*>(QStringLiteral("BtAC")), Qt::Key_F1);
        TFoAjuda* aberta = TFoAjuda::Aberta();
        ASSERT_TRUE(aberta);
        QTest::keyClick(aberta, Qt::Key_F1);
        EXPECT_EQ(TFoAjuda::Aberta(), aberta);
        EXPECT_EQ(aberta->Contexto(), TFoCalcula::HelpContext);
        aberta->close();
    }
    // A message that has a Help button answers F1 with its context, and stays up to be answered.
    {
        int contexto = 0;
        TDialogosQt mensagens(janela.get(), [](int c, QWidget* dono) { TFoAjuda::Mostra(c, dono); });
        QTimer::singleShot(0, [&contexto] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(caixa);
            contexto = ContextoAposF1(*caixa);
            EXPECT_TRUE(caixa->isVisible());
            caixa->reject();
        });
        mensagens.Mostra(TMensagemDialogo{QStringLiteral("Valor"), TipoDialogo::Erro, Botao::Ok | Botao::Ajuda, 50600});
        EXPECT_EQ(contexto, 50600);
    }
}

TEST_F(AjudaDoProgramaTest, F1OnTheDeclarationPagesOpensThePageOrTheTabOfTheFocusedField)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    // The main window's F1 is its menu command; it reads the same contexts.
    EXPECT_EQ(ContextoAposF1(*Campo("DeEmail")), 12000);
    quadro->AtivaPagina(TPaginaDeclaracao::Beneficiarios);
    QApplication::processEvents();
    EXPECT_EQ(ContextoAposF1(*Campo("DeCpfCnpjBenef")), 12010);
    EXPECT_EQ(ContextoAposF1(*quadro->Beneficiarios().findChild<QWidget*>(QStringLiteral("DgrRendimentos"))), 12060);
}
