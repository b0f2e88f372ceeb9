#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "assistants/VerificacaoDeTeste.h"
#include "assistants/verification/TFoPendencias.h"
#include "shell/CopiasDeTeste.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/Espera.h"
#include "shell/window/TPruv2003.h"

namespace {

// A stored declaration with a warning and an error, loaded as the owner's declaration.
class TFoPendenciasTest : public VerificacaoDeTeste {
protected:
    QWidget dono;
    std::unique_ptr<TPruv> aberta;

    void SetUp() override
    {
        VerificacaoDeTeste::SetUp();
        auto pruv = Armazenada(Matriz);
        Aviso(*pruv);
        Erro(*pruv);
        aberta = Nova(Matriz);
        ASSERT_TRUE(colecao->Carrega(*aberta));
        dono.resize(800, 600);
        dono.show();
    }
    void TearDown() override
    {
        LiberaPendencias();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window shown and its verification over.
    static bool Verificou()
    {
        TFoPendencias* janela = FoPendencias();
        return Espera([janela] { return !janela->Timer1->isActive(); }) && janela->FrPruvVerifica->Concluida();
    }
    static bool Fechou()
    {
        return Espera([] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return FoPendencias() == nullptr;
        });
    }
};

}   // namespace

TEST(TFoPendencias, SitsCentredOverTheBottomOfItsOwner)
{
    const struct {
        QRect dono;
        int ppp;
        QPoint esperado;
    } casos[] = {
        {{100, 50, 800, 600}, 96, {195, 416}},
        {{100, 50, 800, 600}, 120, {195, 413}},   // 15 pixels
        {{0, 0, 642, 470}, 144, {16, 230}},       // 18 pixels
        {{0, 0, 400, 200}, 96, {-105, -34}},      // a smaller owner
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ppp);
        EXPECT_EQ(TFoPendencias::Posicao(c.dono, {610, 222}, c.ppp), c.esperado);
    }
}

TEST(TFoPendencias, KeepsAltKeysAndD)
{
    const struct {
        int tecla;
        Qt::KeyboardModifiers modificadores;
        bool engolida;
    } casos[] = {
        {Qt::Key_A, Qt::AltModifier, true},    {Qt::Key_F4, Qt::AltModifier, false},
        {Qt::Key_Alt, Qt::AltModifier, true},  {Qt::Key_D, Qt::NoModifier, true},
        {Qt::Key_A, Qt::NoModifier, false},    {Qt::Key_Down, Qt::NoModifier, false},
        {Qt::Key_Down, Qt::AltModifier, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tecla);
        EXPECT_EQ(TFoPendencias::TeclaEngolida(c.tecla, c.modificadores), c.engolida);
    }
}

TEST_F(TFoPendenciasTest, VerifiesTheDeclarationOnceShownWithItsOwnerDisabled)
{
    bool donoHabilitado = true;
    {
        AtividadeComAcao observa([&] { donoHabilitado = donoHabilitado && dono.isEnabled(); });
        ExibePendencias(*aberta, {}, &dono);
        TFoPendencias* pendencias = FoPendencias();
        ASSERT_NE(pendencias, nullptr);
        EXPECT_EQ(pendencias->objectName(), QStringLiteral("FoPendencias"));
        EXPECT_EQ(pendencias->windowTitle(), QStringLiteral("Verificação de Pendências"));
        EXPECT_TRUE(pendencias->isVisible());
        ASSERT_TRUE(Verificou());
    }
    EXPECT_FALSE(donoHabilitado);
    EXPECT_TRUE(dono.isEnabled());
    TFrPruvVerifica& verificacao = *FoPendencias()->FrPruvVerifica;
    EXPECT_EQ(verificacao.NumErros(), 1);
    EXPECT_EQ(verificacao.NumAvisos(), 1);
    EXPECT_TRUE(aberta->GetResumo().GetOK());   // the totals computed again
    const int linhas = verificacao.Tabela().RecordCount();

    // Shown again while minimised: restored, and verified again from an empty table.
    FoPendencias()->showMinimized();
    ExibePendencias(*aberta, {}, &dono);
    EXPECT_FALSE(FoPendencias()->isMinimized());
    ASSERT_TRUE(Verificou());
    EXPECT_EQ(verificacao.NumErros(), 1);
    EXPECT_EQ(verificacao.Tabela().RecordCount(), linhas);
    EXPECT_TRUE(FoPendencias()->close());
    EXPECT_TRUE(Fechou());
}

TEST_F(TFoPendenciasTest, ClosingWhileVerifyingStopsAndClosesOnceTheChecksReturn)
{
    bool fechouDurante = true;
    {
        AtividadeComAcao fecha([&] {
            TFoPendencias* pendencias = FoPendencias();
            if (pendencias && pendencias->FrPruvVerifica->NumVerificados() == 1
                && !pendencias->FrPruvVerifica->Interrompida())
                fechouDurante = pendencias->close();
        });
        ExibePendencias(*aberta, {}, &dono);
        ASSERT_TRUE(Espera([] { return !FoPendencias()->Timer1->isActive(); }));
    }
    EXPECT_FALSE(fechouDurante);
    ASSERT_NE(FoPendencias(), nullptr);
    EXPECT_TRUE(FoPendencias()->FrPruvVerifica->Interrompida());
    EXPECT_FALSE(FoPendencias()->FrPruvVerifica->PodeGravar());
    EXPECT_TRUE(FoPendencias()->Timer2->isActive());
    EXPECT_TRUE(Fechou());   // Timer2, about 100 ms later
}

// Closed (Esc) within the moment before its verification starts: the window goes, and no
// verification starts on it while it waits to be freed, as the program's keep-alive inside the
// verification would free it under its own feet.
TEST_F(TFoPendenciasTest, ClosedBeforeItsVerificationStartsItStartsNone)
{
    AtividadeComAcao bomba([] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); });
    ExibePendencias(*aberta, {}, &dono);
    const QPointer<TFoPendencias> pendencias = FoPendencias();
    ASSERT_TRUE(pendencias);
    ASSERT_TRUE(pendencias->Timer1->isActive());
    EXPECT_TRUE(pendencias->close());
    EXPECT_EQ(FoPendencias(), nullptr);
    ASSERT_TRUE(pendencias) << "freed once control is back in the event loop";
    ASSERT_FALSE(pendencias->Timer1->isActive());
    EXPECT_FALSE(pendencias->Timer2->isActive());
    // Past the moment the verification would have started, the freeing still pending.
    const QDeadlineTimer passou(3 * TFoPendencias::Intervalo);
    while (!passou.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(dono.isEnabled());
    EXPECT_TRUE(Fechou());
}

TEST_F(TFoPendenciasTest, TheMainWindowsCommandOpensItAndItsGatekeeperClosesIt)
{
    EstadoPrograma::BaseIndisponivel = false;
    EstadoPrograma::EmProcessamento = false;
    aberta.reset();
    colecao.reset();
    TPruv2003 principal;
    TRotinasPrincipal rotinas;
    rotinas.ExibePendencias = ExibePendencias;
    principal.DefineRotinas(std::move(rotinas));
    TPruv& pruv = principal.ObtemDeclaracao();
    pruv.GetDeclarante().SetNi(Matriz);
    pruv.SetAno(QStringLiteral("2002"));
    ASSERT_TRUE(principal.ObtemColecao().Carrega(pruv));
    principal.AbrirDeclaracao();
    QAction* comando = principal.Comando(QStringLiteral("MiVerificarPendencias"));
    ASSERT_TRUE(comando->isEnabled());

    comando->trigger();
    ASSERT_NE(FoPendencias(), nullptr);
    ASSERT_TRUE(Verificou());
    EXPECT_EQ(FoPendencias()->FrPruvVerifica->NumErros(), 1);
    EXPECT_TRUE(principal.PodeAbrirForm(QStringLiteral("FoPendencias")));
    EXPECT_TRUE(principal.PodeAbrirForm(QStringLiteral("FoAssistRelatorios")));
    EXPECT_NE(FoPendencias(), nullptr);
    EXPECT_TRUE(principal.PodeAbrirForm(QStringLiteral("FoNovaDeclaracao")));
    EXPECT_TRUE(Fechou());
}
