#include <gtest/gtest.h>

#include <stdexcept>

#include "model/values/CodigoMensagem.h"
#include "model/values/TErro.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "model/ImprimeQString.h"

TEST(FormataMensagem, FillsMarkersAndAppendsTheRest)
{
    const struct {
        int codigo;
        const char* parametro;
        const char* esperado;
    } casos[] = {
        // no marker: ": " and the whole parameter; nothing when it is empty
        {66, "111.444.777-35", "Número de Inscrição no CPF inválido: 111.444.777-35."},
        {68, "", "Número de Inscrição no CPF ausente."},
        {66, "a;b", "Número de Inscrição no CPF inválido: a;b."},
        {0, "", "Sem erro."},
        {163, "falhou", "Houve um erro de inicialização do banco de dados. Mensagem retornada: : falhou."},
        // each marker takes the next part
        {31, "111.444.777-35;0561", "Confirma a exclusão do beneficiário 111.444.777-35 para o código 0561?"},
        {74, "12.345.678/0001-95;2002",
         "Já existe declaração para o CNPJ 12.345.678/0001-95 no Ano-calendário 2002. "
         "Utilize a opção Abrir no menu Declaração ou corrija."},
        // a missing or empty part deletes the marker and the character after it
        {31, "111.444.777-35", "Confirma a exclusão do beneficiário 111.444.777-35 para o código ."},
        {31, ";0561", "Confirma a exclusão do beneficiário para o código 0561?"},
        {37, "", "O código não é previsto para Fundo ou Clube de Investimento."},
        {141, "", "Não foi possivel atualizar a tabela ."},   // the blank before the marker stays
        // parts left over: appended only when two characters or more remain
        {37, "1234;ab", "O código 1234 não é previsto para Fundo ou Clube de Investimento: ab."},
        {37, "1234;a", "O código 1234 não é previsto para Fundo ou Clube de Investimento."},
        {37, "1234;", "O código 1234 não é previsto para Fundo ou Clube de Investimento."},
        {32, "01;x;yz", "Confirma a exclusão do Fundo ou Clube de Investimento 01?: x;yz"},
        // a value that holds a marker is not filled again
        {139, "a%sb;c", "Não foi possivel abrir arquivo a%sb."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        SCOPED_TRACE(c.parametro);
        EXPECT_EQ(TErro::FormataMensagem(static_cast<std::uint8_t>(c.codigo), QString::fromUtf8(c.parametro)),
                  QString::fromUtf8(c.esperado));
    }
}

TEST(FormataMensagem, OneFinalPointUnlessTheTextAsksAQuestion)
{
    const struct {
        int codigo;
        const char* parametro;
        const char* esperado;
    } casos[] = {
        {33, "", "Deseja sair do programa?"},
        {30, "x", "Você é Pessoa Jurídica de Direito Privado ?: x"},
        {158, "", "A geração da declaração foi cancelada."},   // a text ending in "." keeps one
        {1, "", "O arquivo de recibo está corrompido. Portanto, o recibo não será impresso."},
        {2, "", "O arquivo da declaração está corrompido. Portanto, o recibo não será impresso."},
        {2, "Declar.txt",
         "O arquivo da declaração está corrompido. Portanto, o recibo não será impresso.: Declar.txt."},
        {70, "12.", "Número de Recibo inválido: 12."},             // nor does an appended value ending in one
        {70, "por quê?", "Número de Recibo inválido: por quê?"},   // the appended value counts too
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        EXPECT_EQ(TErro::FormataMensagem(static_cast<std::uint8_t>(c.codigo), QString::fromUtf8(c.parametro)),
                  QString::fromUtf8(c.esperado));
    }
}

TEST(TErro, ConstructorsSetHowItIsShown)
{
    const TErro simples(66, QStringLiteral("1"), 0);
    EXPECT_EQ(simples.Tipo(), TipoDialogo::Erro);
    EXPECT_EQ(simples.Botoes(), Botao::Ok);

    const TErro completo(33, QString(), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0);
    EXPECT_EQ(completo.Tipo(), TipoDialogo::Confirmacao);
    EXPECT_EQ(completo.Botoes(), Botao::Sim | Botao::Nao);

    const TErro pendencia(77, QStringLiteral("x"), TipoDialogo::Aviso, Botao::Ok, 0, QStringLiteral("00001"),
                          QStringLiteral("111.444.777-35"), 12);
    EXPECT_EQ(pendencia.Codigo(), 77);
    EXPECT_EQ(pendencia.Parametro(), QStringLiteral("x"));
    EXPECT_EQ(pendencia.Tipo(), TipoDialogo::Aviso);
    EXPECT_EQ(pendencia.AQuemPertence(), QStringLiteral("00001"));
    EXPECT_EQ(pendencia.QuemEh(), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(pendencia.Objeto(), 12);
    EXPECT_EQ(pendencia.GetMensagem(), QStringLiteral("Nome incompleto ou inválido: x."));
    EXPECT_STREQ(pendencia.what(), "Nome incompleto ou inválido: x.");
}

TEST(TErro, HelpButtonOnlyWithAHelpContext)
{
    const struct {
        int helpCtx;
        std::uint16_t botoes;
    } casos[] = {
        {-1, Botao::Ok},
        {0, Botao::Ok},
        {1, Botao::Ok | Botao::Ajuda},
        {11095, Botao::Ok | Botao::Ajuda},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.helpCtx);
        EXPECT_EQ(TErro(3, QString(), c.helpCtx).Botoes(), c.botoes);
        EXPECT_EQ(TErro(3, QString(), TipoDialogo::Aviso, Botao::Ok, c.helpCtx).Botoes(), c.botoes);
        EXPECT_EQ(TErro(3, QString(), TipoDialogo::Aviso, Botao::Ok, c.helpCtx, {}, {}, 0).Botoes(), c.botoes);
    }
}

TEST(TErro, SubclassesAreCaughtAsTErro)
{
    try {
        throw EContribuinteInvalido(66, QStringLiteral("123"), 0);
    } catch (const TErro& e) {
        EXPECT_NE(dynamic_cast<const EContribuinteInvalido*>(&e), nullptr);
        EXPECT_EQ(e.Codigo(), 66);
    }
}

TEST(TErro, ExibeShowsItsTextThroughTheDialogs)
{
    DialogosRoteirizados dialogos;
    dialogos.Responde(Resposta::Nao);
    const TErro erro(76, QStringLiteral("111.444.777-35;0561"), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 7);
    EXPECT_EQ(erro.Exibe(), Resposta::Nao);
    EXPECT_EQ(TErro(68, QString(), 0).Exibe(), Resposta::Ok);

    EXPECT_EQ(dialogos.Codigos(), (std::vector<int>{76, 68}));
    const TMensagemDialogo& pergunta = dialogos.Mensagens().front();
    EXPECT_EQ(pergunta.Texto,
              QStringLiteral("Já existe o beneficiário 111.444.777-35 para o código 0561. Deseja substituí-lo?"));
    EXPECT_EQ(pergunta.Tipo, TipoDialogo::Confirmacao);
    EXPECT_EQ(pergunta.Botoes, Botao::Sim | Botao::Nao | Botao::Ajuda);
    EXPECT_EQ(pergunta.HelpCtx, 7);
}

TEST(TErro, MostraMensagemReturnsTheButtonPressed)
{
    DialogosRoteirizados dialogos;
    dialogos.Responde(Resposta::Sim);
    const Resposta r = TErro::MostraMensagem(QStringLiteral("Tentar Novamente?"), TipoDialogo::Erro,
                                             Botao::Sim | Botao::Nao, 0);
    EXPECT_EQ(static_cast<int>(r), 6);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Tentar Novamente?")});
}

TEST(TErros, OwnsTheErrorsAddedInOrder)
{
    TErros erros;
    erros.Add(std::make_unique<EContribuinteInvalido>(66, QStringLiteral("1"), 0));
    erros.Add(EMonetarioInvalido(165, QString(), 0));
    erros.Add(nullptr);
    ASSERT_EQ(erros.Count(), 2);
    EXPECT_EQ(erros.Items(0).Codigo(), 66);
    EXPECT_NE(dynamic_cast<const EMonetarioInvalido*>(&erros.Items(1)), nullptr);
    EXPECT_THROW((void)erros.Items(2), std::out_of_range);
    EXPECT_THROW((void)erros.Items(-1), std::out_of_range);
    erros.Limpa();
    EXPECT_EQ(erros.Count(), 0);
    EXPECT_TRUE(erros.Vazia());
}

TEST(ErroRetornado, TheSystemsTextReachesTheMessageWhole)
{
    // A ';' in the system's text would start the message's next part and cut it.
    const QString parametro = ErroRetornado(QStringLiteral("Benef"), QStringLiteral("disk I/O error; table locked"));
    EXPECT_EQ(
        TErro::FormataMensagem(CodigoMensagem::TabelaNaoAtualizada, parametro),
        QStringLiteral("Não foi possivel atualizar a tabela Benef. Erro Retornado: disk I/O error, table locked."));
}
