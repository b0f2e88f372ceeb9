#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

Resposta Pergunta(const QString& texto, std::uint16_t botoes, int referencia = -1)
{
    return InterfaceUsuario::Mostra(texto, TipoDialogo::Confirmacao, botoes, 0, referencia);
}

}   // namespace

TEST(DialogosRoteirizados, AnswersQuestionsInTheOrderScripted)
{
    DialogosRoteirizados dialogos;
    dialogos.Responde(Resposta::Nao);
    dialogos.Responde(Resposta::Sim);
    EXPECT_EQ(Pergunta(QStringLiteral("a?"), Botao::Sim | Botao::Nao), Resposta::Nao);
    EXPECT_EQ(Pergunta(QStringLiteral("b?"), Botao::Sim | Botao::Nao | Botao::Ajuda), Resposta::Sim);
    EXPECT_EQ(dialogos.RespostasPendentes(), 0u);
}

TEST(DialogosRoteirizados, AnswersOkAloneWithoutTakingAQuestionsAnswer)
{
    DialogosRoteirizados dialogos;
    dialogos.Responde(Resposta::Cancela);
    EXPECT_EQ(InterfaceUsuario::Mostra(QStringLiteral("aviso"), TipoDialogo::Aviso, Botao::Ok), Resposta::Ok);
    EXPECT_EQ(InterfaceUsuario::Mostra(QStringLiteral("ajuda"), TipoDialogo::Erro, Botao::Ok | Botao::Ajuda, 7),
              Resposta::Ok);
    EXPECT_EQ(Pergunta(QStringLiteral("c?"), Botao::Ok | Botao::Cancela), Resposta::Cancela);
}

TEST(DialogosRoteirizados, AScriptedOkIsTakenByAnOkMessage)
{
    DialogosRoteirizados dialogos;
    dialogos.Responde(Resposta::Ok);
    InterfaceUsuario::Mostra(QStringLiteral("info"), TipoDialogo::Informacao, Botao::Ok);
    EXPECT_EQ(dialogos.RespostasPendentes(), 0u);
}

TEST(DialogosRoteirizados, RefusesToGuessAnAnswer)
{
    DialogosRoteirizados dialogos;
    EXPECT_THROW(Pergunta(QStringLiteral("sem roteiro?"), Botao::Sim | Botao::Nao), std::logic_error);
    dialogos.Responde(Resposta::Todos);
    EXPECT_THROW(Pergunta(QStringLiteral("sem todos?"), Botao::Sim | Botao::Nao), std::logic_error);
}

TEST(DialogosRoteirizados, RecordsEveryMessageAsShown)
{
    DialogosRoteirizados dialogos;
    dialogos.Responde(Resposta::Sim);
    InterfaceUsuario::Mostra(QStringLiteral("Número inválido."), TipoDialogo::Erro, Botao::Ok | Botao::Ajuda, 11095,
                             66);
    Pergunta(QStringLiteral("Deseja sair do programa?"), Botao::Sim | Botao::Nao, 33);
    EXPECT_EQ(dialogos.Codigos(), (std::vector<int>{66, 33}));
    EXPECT_EQ(dialogos.Textos(),
              (QStringList{QStringLiteral("Número inválido."), QStringLiteral("Deseja sair do programa?")}));
    const TMensagemDialogo& primeira = dialogos.Mensagens().front();
    EXPECT_EQ(primeira.Tipo, TipoDialogo::Erro);
    EXPECT_EQ(primeira.Botoes, Botao::Ok | Botao::Ajuda);
    EXPECT_EQ(primeira.HelpCtx, 11095);
    dialogos.Limpa();
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST(DialogosRoteirizados, PutsBackWhatWasInstalledBefore)
{
    EXPECT_THROW(Pergunta(QStringLiteral("ninguém?"), Botao::Ok), std::logic_error);
    DialogosRoteirizados externo;
    {
        DialogosRoteirizados interno;
        Pergunta(QStringLiteral("interno"), Botao::Ok);
        EXPECT_EQ(interno.Textos().size(), 1);
    }
    Pergunta(QStringLiteral("externo"), Botao::Ok);
    EXPECT_EQ(externo.Textos(), QStringList{QStringLiteral("externo")});
}
