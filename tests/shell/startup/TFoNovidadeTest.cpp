#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "shell/common/Navegador.h"
#include "shell/Espera.h"
#include "shell/startup/TFoNovidade.h"
#include "shell/startup/TFoSobre.h"
#include "shell/startup/TFormN.h"

namespace {

QPoint CentroDe(const QWidget* controle, const QWidget& janela)
{
    return controle->mapTo(&janela, controle->rect().center());
}

QColor CorDoTexto(const QLabel* rotulo)
{
    return rotulo->palette().color(QPalette::WindowText);
}

}   // namespace

TEST(TFormN, GoesBelowTheClickAndBackWhereItWouldLeaveTheScreen)
{
    const QRect tela(0, 0, 800, 600);
    const QSize balao(331, 100);
    const struct {
        QPoint clique;
        QPoint esperado;
    } casos[] = {
        {{100, 100}, {103, 122}},
        {{600, 100}, {603 - 331, 122}},   // past the right edge: moved left by its width
        {{100, 550}, {103, 572 - 100}},   // past the bottom: moved up by its height
        {{700, 560}, {703 - 331, 582 - 100}},
        {{-50, -30}, {0, 0}},   // never at a negative position
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.clique.x());
        EXPECT_EQ(TFormN::Posicao(c.clique, balao, tela), c.esperado);
    }
}

TEST(TFormN, GoesAboveAButtonItWouldCover)
{
    const QRect tela(0, 0, 800, 600);
    const QSize balao(331, 100);
    const QRect fechar(300, 300, 75, 25);
    const struct {
        QPoint clique;
        QPoint esperado;
    } casos[] = {
        {{100, 250}, {103, 300 - 100}},   // below the click it would reach the button: above it
        {{100, 100}, {103, 122}},         // clear of it: below the click as ever
        {{400, 250}, {403, 272}},         // right of it
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.clique.x());
        EXPECT_EQ(TFormN::Posicao(c.clique, balao, tela, fechar), c.esperado);
    }
}

TEST(TFormN, GrowsWithItsLines)
{
    TFormN curto;
    curto.DefineTexto(TFoNovidade::TextoBalao(8));
    TFormN longo;
    longo.DefineTexto(TFoNovidade::TextoBalao(2));
    EXPECT_EQ(curto.width(), TFormN::Largura);
    EXPECT_GT(longo.height(), curto.height());
    EXPECT_TRUE(longo.Memo1->isReadOnly());
    EXPECT_EQ(TFormN::AlturaPara(3, 10) - TFormN::AlturaPara(2, 10), 10);
}

TEST(TFoNovidade, TopicTwoCarriesItsSecondTextAfterAnEmptyLine)
{
    EXPECT_EQ(TFoNovidade::Legenda(1), QStringLiteral("Utilização do número do recibo"));
    EXPECT_EQ(TFoNovidade::Legenda(9), QStringLiteral("Alterações de códigos para ano-calendário 2002"));
    EXPECT_TRUE(TFoNovidade::TextoBalao(2).contains(QStringLiteral(".\n\nIMPORTANTE: Essa opção")));
    EXPECT_TRUE(TFoNovidade::TextoBalao(5).endsWith(QStringLiteral("após sua transmissão. ")));
    EXPECT_TRUE(TFoNovidade::TextoBalao(0).isEmpty());
    EXPECT_TRUE(TFoNovidade::TextoBalao(10).isEmpty());
}

TEST(TFoNovidade, LightsTheTopicUnderTheMouseAndOpensOneBalloonAtATime)
{
    TFoNovidade janela;
    janela.show();
    ASSERT_TRUE(Espera([&] { return janela.isVisible(); }));

    const QPoint topico3 = CentroDe(janela.Rotulos[2], janela);
    const QPoint forma5 = CentroDe(janela.Formas[4], janela);
    const QPoint livre = CentroDe(static_cast<QWidget*>(janela.BbFechar), janela) + QPoint(0, 40);

    janela.MoveMouse(topico3);
    EXPECT_EQ(janela.TopicoAtual(), 3);
    EXPECT_TRUE(janela.Rotulos[2]->font().underline());
    EXPECT_EQ(CorDoTexto(janela.Rotulos[2]), QColor(0, 0, 128));
    janela.MoveMouse(forma5);
    EXPECT_EQ(janela.TopicoAtual(), 5);
    EXPECT_FALSE(janela.Rotulos[2]->font().underline());
    EXPECT_EQ(CorDoTexto(janela.Rotulos[2]), QColor(Qt::black));

    janela.Clica(topico3);
    ASSERT_NE(janela.Balao(), nullptr);
    TFormN* primeiro = janela.Balao();
    EXPECT_EQ(primeiro->Texto(), TFoNovidade::TextoBalao(3));
    janela.Clica(forma5);   // a second topic replaces the first balloon
    ASSERT_NE(janela.Balao(), nullptr);
    EXPECT_EQ(janela.Balao()->Texto(), TFoNovidade::TextoBalao(5));
    EXPECT_EQ(janela.findChildren<TFormN*>().size(), 1);

    janela.Clica(livre);   // outside any topic: the balloon closes, the window stays
    EXPECT_EQ(janela.TopicoAtual(), 0);
    EXPECT_EQ(janela.Balao(), nullptr);
    EXPECT_TRUE(janela.isVisible());
}

// No balloon covers Fechar, the last topic's included: the first click on it closes the window
// rather than the balloon.
TEST(TFoNovidade, NoBalloonCoversFechar)
{
    TFoNovidade janela;
    janela.show();
    ASSERT_TRUE(Espera([&] { return janela.isVisible(); }));
    const QRect fechar(janela.BbFechar->mapToGlobal(QPoint(0, 0)), janela.BbFechar->size());
    for (int n = 1; n <= TFoNovidade::NumTopicos; ++n) {
        SCOPED_TRACE(n);
        for (QWidget* ponto : {static_cast<QWidget*>(janela.Rotulos[static_cast<std::size_t>(n - 1)]),
                               static_cast<QWidget*>(janela.Formas[static_cast<std::size_t>(n - 1)])}) {
            janela.Clica(CentroDe(ponto, janela));
            ASSERT_TRUE(janela.BalaoAberto());
            const QRect balao = janela.Balao()->frameGeometry();
            EXPECT_FALSE(balao.intersects(fechar))
                << balao.x() << "," << balao.y() << " " << balao.width() << "x" << balao.height() << " over "
                << fechar.x() << "," << fechar.y() << " " << fechar.width() << "x" << fechar.height();
        }
    }
}

TEST(TFoNovidade, AKeyClosesTheBalloonFirstAndThenTheWindow)
{
    TFoNovidade janela;
    janela.show();
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    const QPoint topico4 = CentroDe(janela.Rotulos[3], janela);
    QWidget* foco = QApplication::focusWidget() ? QApplication::focusWidget() : &janela;
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mod;
    } teclas[] = {
        {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_X, Qt::NoModifier},
        {Qt::Key_F, Qt::AltModifier},   // the shortcut of Fechar
        {Qt::Key_Space, Qt::NoModifier},
    };
    for (const auto& t : teclas) {
        SCOPED_TRACE(t.tecla);
        janela.Clica(topico4);
        ASSERT_TRUE(janela.BalaoAberto());
        QTest::keyClick(foco, t.tecla, t.mod);
        EXPECT_FALSE(janela.BalaoAberto());
        EXPECT_TRUE(janela.isVisible());
    }
    QTest::qWait(150);   // a button's click runs a moment after its shortcut
    EXPECT_TRUE(janela.isVisible());
    QTest::keyClick(foco, Qt::Key_X);   // no balloon: the key closes the window
    EXPECT_FALSE(janela.isVisible());
}

TEST(TFoNovidade, TopicNineBlinksEveryHalfSecond)
{
    TFoNovidade janela;
    EXPECT_EQ(janela.Timer1->interval(), 500);
    EXPECT_TRUE(janela.Timer1->isActive());
    QLabel* nove = janela.Rotulos[8];
    const QColor antes = CorDoTexto(nove);
    janela.Pisca();
    const QColor depois = CorDoTexto(nove);
    janela.Pisca();
    EXPECT_NE(antes, depois);
    EXPECT_EQ(CorDoTexto(nove), antes);
    EXPECT_TRUE(depois == QColor(0, 255, 0) || antes == QColor(0, 255, 0));
}

TEST(TFoSobre, ShowsItsVersionAndOpensTheMakersSiteThroughTheDesktop)
{
    QList<QUrl> abertos;
    const auto anterior = TFoSobre::AbreEndereco;
    TFoSobre::AbreEndereco = [&abertos](const QUrl& endereco) {
        abertos << endereco;
        return true;
    };
    {
        TFoSobre janela;
        EXPECT_EQ(janela.windowTitle(), QStringLiteral("Sobre a Pruv 2003"));
        janela.show();
        ASSERT_TRUE(Espera([&] { return janela.isVisible(); }));
        EXPECT_EQ(janela.LabelVersao->text(), QStringLiteral("Versão 1.0"));
        EXPECT_TRUE(janela.Timer1->isActive());
        QMouseEvent solta(QEvent::MouseButtonRelease, QPointF(2, 2), janela.LbSite->mapToGlobal(QPointF(2, 2)),
                          Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(janela.LbSite, &solta);
        janela.hide();
        EXPECT_FALSE(janela.Timer1->isActive());
    }
    TFoSobre::AbreEndereco = anterior;
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_EQ(abertos.front(), QUrl(QString::fromLatin1(EnderecoSitio)));
}
