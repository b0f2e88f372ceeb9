#include <QStringList>
#include <gtest/gtest.h>

#include "shell/window/TComandosPrincipal.h"
#include "shell/window/TEstadoMenus.h"

namespace {

// Every command of the menus: the program can run all of them.
QSet<QString> Todos()
{
    QSet<QString> nomes;
    for (const TItemMenu& item : TComandosPrincipal::Menus())
        if (item.Tipo == TItemMenu::TTipo::Comando)
            nomes.insert(QLatin1String(item.Nome));
    return nomes;
}

TSituacaoMenus Aberta(const char* ano, int natureza)
{
    TSituacaoMenus s;
    s.ColecaoVazia = false;
    s.DeclaracaoAberta = true;
    s.Nome = QStringLiteral("EMPRESA EXEMPLO LTDA");
    s.Estabelecimento = QStringLiteral("0001");
    s.Ano = QLatin1String(ano);
    s.AnoAtual = QStringLiteral("2002");
    s.CodigoNatureza = natureza;
    s.Disponiveis = Todos();
    return s;
}

}   // namespace

TEST(TEstadoMenus, CommandsFollowTheStoredAndTheOpenDeclaration)
{
    TSituacaoMenus vazia;
    vazia.Disponiveis = Todos();
    TSituacaoMenus gravada = vazia;
    gravada.ColecaoVazia = false;
    TSituacaoMenus semDados = Aberta("2002", 0);
    semDados.Habilitados = false;

    const QStringList comColecao = {"MiAbrir", "MiExcluir", "MiGravarXeq"};
    const QStringList comDeclaracao = {"MiFecharDeclaracao", "MiResumo", "MiVerificarPendencias", "MiPesquisar"};
    const QStringList sempre = {"MiNova",      "MiImportar",       "MiImprimir",    "MiTransmitirviaInternet",
                                "MiSair",      "MiCalculadora",    "MiGravarCopia", "MiCopiaAuto",
                                "MiIndexador", "MiRestaurarCopia", "MiConteudo",    "MiAjudaCampo",
                                "MiSobre"};
    const struct {
        const char* caso;
        TSituacaoMenus situacao;
        bool colecao, declaracao, restantes;
    } casos[] = {
        {"nothing stored", vazia, false, false, true},
        {"stored, none open", gravada, true, false, true},
        {"open", Aberta("2002", 0), true, true, true},
        {"after a data error", semDados, false, false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const TEstadoMenus estado = TEstadoMenus::Calcula(c.situacao);
        for (const QString& nome : comColecao)
            EXPECT_EQ(estado.Habilitado(nome), c.colecao) << nome.toStdString();
        for (const QString& nome : comDeclaracao)
            EXPECT_EQ(estado.Habilitado(nome), c.declaracao) << nome.toStdString();
        for (const QString& nome : sempre) {
            // What repairs the data and the help never go.
            const bool fica = nome == "MiIndexador" || nome == "MiRestaurarCopia" || nome == "MiConteudo"
                || nome == "MiAjudaCampo" || nome == "MiSobre";
            EXPECT_EQ(estado.Habilitado(nome), c.restantes || fica) << nome.toStdString();
        }
        EXPECT_EQ(estado.Habilitado("MiDeclaracao"), c.restantes);
        EXPECT_TRUE(estado.Habilitado("MiAjuda"));
        EXPECT_TRUE(estado.Habilitado("MiSeguranca"));
    }
}

TEST(TEstadoMenus, CaptionYearAndPagesFollowTheOpenDeclaration)
{
    const struct {
        const char* caso;
        TSituacaoMenus situacao;
        const char* titulo;
        const char* anoRet;
        bool sincronizar, fundos;
    } casos[] = {
        {"none open", TSituacaoMenus{}, "Pruv 2003", "", true, false},
        {"current year", Aberta("2002", 0), "Pruv 2003 - EMPRESA EXEMPLO LTDA   Matriz", "Ano-calendário: 2002", true,
         false},
        {"later year", Aberta("2003", 1), "Pruv 2003 - EMPRESA EXEMPLO LTDA   Matriz", "Ano-calendário: 2003", true,
         false},
        {"earlier year", Aberta("2001", 0), "Pruv 2003 - EMPRESA EXEMPLO LTDA   Matriz", "Ano-calendário: 2001", false,
         false},
        {"fund administrator", Aberta("2002", 3), "Pruv 2003 - EMPRESA EXEMPLO LTDA   Matriz", "Ano-calendário: 2002",
         true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const TEstadoMenus estado = TEstadoMenus::Calcula(c.situacao);
        EXPECT_EQ(estado.Titulo.toStdString(), c.titulo);
        EXPECT_EQ(estado.AnoRet, QString::fromUtf8(c.anoRet));
        EXPECT_EQ(estado.SincronizarVisivel, c.sincronizar);
        EXPECT_EQ(estado.MostraComprovante, c.sincronizar);
        EXPECT_EQ(estado.MostraFundos, c.fundos);
        EXPECT_EQ(estado.Habilitado("MiSincronizar"),
                  c.sincronizar && c.situacao.Disponiveis.contains("MiSincronizar"));
    }
}

TEST(TEstadoMenus, ACommandTheProgramCannotRunStaysDisabled)
{
    TSituacaoMenus s = Aberta("2002", 0);
    s.Disponiveis = {QStringLiteral("MiSair")};
    const TEstadoMenus estado = TEstadoMenus::Calcula(s);
    EXPECT_TRUE(estado.Habilitado("MiSair"));
    EXPECT_FALSE(estado.Habilitado("MiNova"));
    EXPECT_FALSE(estado.Habilitado("MiFecharDeclaracao"));
    EXPECT_TRUE(estado.Habilitado("MiDeclaracao"));   // the menu itself opens
}
