#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/ui/TDialogosQt.h"

namespace {

QStringList Legendas(const QMessageBox& caixa)
{
    QStringList legendas;
    for (Resposta r :
         {Resposta::Sim, Resposta::Nao, Resposta::Ok, Resposta::Cancela, Resposta::Aborta, Resposta::Repete,
          Resposta::Ignora, Resposta::Todos, Resposta::NaoParaTodos, Resposta::SimParaTodos})
        for (QAbstractButton* b : caixa.buttons())
            if (b->property("pruvResposta").toInt() == static_cast<int>(r))
                legendas << b->text();
    for (QAbstractButton* b : caixa.buttons())
        if (caixa.buttonRole(b) == QMessageBox::HelpRole)
            legendas << b->text();
    return legendas;
}

// Presses the button with that caption on the modal dialog, once it is up.
void Pressiona(const QString& legenda)
{
    QTimer::singleShot(0, [legenda] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caixa, nullptr);
        for (QAbstractButton* b : caixa->buttons())
            if (b->text() == legenda) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << legenda.toStdString();
        caixa->reject();
    });
}

}   // namespace

TEST(TDialogosQt, ShowsTheRequestedButtonsWithTheirDefaults)
{
    const struct {
        std::uint16_t botoes;
        QStringList legendas;
        const char* padrao;
        const char* escape;
    } casos[] = {
        {Botao::Ok, {"OK"}, "OK", "OK"},
        {Botao::Sim | Botao::Nao, {"&Sim", "&Não"}, "&Sim", "&Não"},
        {Botao::Ok | Botao::Cancela | Botao::Ajuda, {"OK", "Cancelar", "&Ajuda"}, "OK", "Cancelar"},
        {Botao::Sim | Botao::Nao | Botao::Cancela, {"&Sim", "&Não", "Cancelar"}, "&Sim", "Cancelar"},
        {0, {"OK"}, "OK", "OK"},   // never a dialog without a way out
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.botoes);
        QMessageBox caixa;
        TDialogosQt::Monta(caixa, TMensagemDialogo{QStringLiteral("Texto"), TipoDialogo::Confirmacao, c.botoes});
        EXPECT_EQ(Legendas(caixa), c.legendas);
        ASSERT_NE(caixa.defaultButton(), nullptr);
        EXPECT_EQ(caixa.defaultButton()->text(), QString::fromUtf8(c.padrao));
        ASSERT_NE(caixa.escapeButton(), nullptr);
        EXPECT_EQ(caixa.escapeButton()->text(), QString::fromUtf8(c.escape));
    }
}

TEST(TDialogosQt, TitleAndIconFollowTheType)
{
    const struct {
        TipoDialogo tipo;
        const char* titulo;
        QMessageBox::Icon icone;
    } casos[] = {
        {TipoDialogo::Aviso, "Aviso", QMessageBox::Warning},
        {TipoDialogo::Erro, "Erro", QMessageBox::Critical},
        {TipoDialogo::Informacao, "Informação", QMessageBox::Information},
        {TipoDialogo::Confirmacao, "Confirmação", QMessageBox::Question},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo);
        QMessageBox caixa;
        TDialogosQt::Monta(caixa, TMensagemDialogo{QStringLiteral("Texto <b>cru</b>"), c.tipo, Botao::Ok});
        EXPECT_EQ(caixa.windowTitle(), QString::fromUtf8(c.titulo));
        EXPECT_EQ(caixa.icon(), c.icone);
        EXPECT_EQ(caixa.text(), QStringLiteral("Texto <b>cru</b>"));
        EXPECT_EQ(caixa.textFormat(), Qt::PlainText);
    }
}

TEST(TDialogosQt, ReturnsTheButtonPressed)
{
    TDialogosQt dialogos;
    Pressiona(QStringLiteral("&Não"));
    EXPECT_EQ(dialogos.Mostra({QStringLiteral("Sair?"), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao}),
              Resposta::Nao);
}

TEST(TDialogosQt, HelpKeepsTheDialogOpen)
{
    std::vector<int> pedidos;
    TDialogosQt dialogos(nullptr, [&](int ctx, QWidget* dialogo) {
        EXPECT_NE(qobject_cast<QMessageBox*>(dialogo), nullptr);
        pedidos.push_back(ctx);
    });
    Pressiona(QStringLiteral("&Ajuda"));
    QTimer::singleShot(0, [] { Pressiona(QStringLiteral("OK")); });
    EXPECT_EQ(dialogos.Mostra({QStringLiteral("Erro"), TipoDialogo::Erro, Botao::Ok | Botao::Ajuda, 11095}),
              Resposta::Ok);
    EXPECT_EQ(pedidos, std::vector<int>{11095});
}

// The program keeps some windows above the others (the pending items): a question asked while one
// is shown must come above it, or its buttons stay hidden under it.
TEST(TDialogosQt, AMessageComesAboveAWindowKeptOnTop)
{
    for (const bool acima : {false, true}) {
        SCOPED_TRACE(acima);
        QWidget janela(nullptr, acima ? Qt::Window | Qt::WindowStaysOnTopHint : Qt::Window);
        janela.show();
        QMessageBox caixa;
        TDialogosQt::Monta(caixa, TMensagemDialogo{QStringLiteral("Exclui?"), TipoDialogo::Confirmacao, Botao::Sim});
        EXPECT_EQ(caixa.windowFlags().testFlag(Qt::WindowStaysOnTopHint), acima);
        janela.hide();
        QMessageBox depois;
        TDialogosQt::Monta(depois, TMensagemDialogo{QStringLiteral("Exclui?"), TipoDialogo::Confirmacao, Botao::Sim});
        EXPECT_FALSE(depois.windowFlags().testFlag(Qt::WindowStaysOnTopHint));   // only while it is shown
    }
}
