#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "shell/Espera.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "model/PruvDeTeste.h"
#include "shell/common/TFoAjuda.h"
#include "shell/startup/TFoInicial.h"
#include "support/ModaisRoteirizados.h"

namespace {

class TFoInicialTest : public PruvDeTeste {
protected:
    // Runs the initial screen with the action on it; answers MostraInicial's answer.
    bool Executa(TPruv& pruv, ModaisRoteirizados::Acao acao)
    {
        modais.Responde(std::move(acao));
        return MostraInicial(pruv, *colecao, ofertas);
    }

    ModaisRoteirizados modais;
    TOfertasInicial ofertas;
    QStringList ofertasChamadas;

    void SetUp() override
    {
        PruvDeTeste::SetUp();
        ofertas.Nova = [this] {
            ofertasChamadas << QStringLiteral("Nova");
            return true;
        };
        ofertas.Importa = [this] {
            ofertasChamadas << QStringLiteral("Importa");
            return false;
        };
    }
};

TFoInicial& Inicial(QDialog& janela)
{
    return dynamic_cast<TFoInicial&>(janela);
}

}   // namespace

TEST_F(TFoInicialTest, WithNothingStoredOffersOnlyANewDeclarationOrAnImport)
{
    TPruv pruv;
    bool abrirLigado = true, novaMarcada = false, gradeLigada = true;
    EXPECT_TRUE(Executa(pruv, [&](QDialog& janela) {
        TFoInicial& tela = Inicial(janela);
        abrirLigado = tela.RbAbrir->isEnabled();
        novaMarcada = tela.RbNova->isChecked() && tela.focusWidget() == tela.RbNova;
        gradeLigada = tela.DBGrContribu->isEnabled();
        tela.OKBtn->click();
    }));
    EXPECT_FALSE(abrirLigado);
    EXPECT_TRUE(novaMarcada);
    EXPECT_FALSE(gradeLigada);
    EXPECT_EQ(ofertasChamadas, QStringList{QStringLiteral("Nova")});
    EXPECT_EQ(modais.Nomes, QStringList{QStringLiteral("FoInicial")});
}

TEST_F(TFoInicialTest, WithDeclarationsStoredOpensTheChosenOne)
{
    Armazenada(Matriz, "2001");
    Armazenada(CpfDeclarante, "2002");
    TPruv pruv;
    pruv.SetErros(&erros);
    bool abrirMarcado = false, gradeLigada = false;
    QString ano;
    EXPECT_TRUE(Executa(pruv, [&](QDialog& janela) {
        TFoInicial& tela = Inicial(janela);
        abrirMarcado = tela.RbAbrir->isEnabled() && tela.RbAbrir->isChecked();
        gradeLigada = tela.DBGrContribu->isEnabled();
        TDataSet* tabela = tela.DBGrContribu->DataSource()->DataSet();
        tabela->Last();
        ano = tabela->FieldByName(QStringLiteral("AN_RETENCA"))->AsString();
        tela.OKBtn->click();
    }));
    EXPECT_TRUE(abrirMarcado);
    EXPECT_TRUE(gradeLigada);
    EXPECT_TRUE(ofertasChamadas.isEmpty());
    EXPECT_FALSE(pruv.GetChave().isEmpty());
    EXPECT_EQ(pruv.GetAno(), ano);
    EXPECT_EQ(pruv.GetDeclarante().GetNi(), ano == QLatin1String("2002") ? CpfDeclarante : Matriz);
}

TEST_F(TFoInicialTest, TheOtherOffersDisableTheGridAndCancelLoadsNothing)
{
    Armazenada(Matriz);
    TPruv pruv;
    bool gradeLigada = true;
    EXPECT_FALSE(Executa(pruv, [&](QDialog& janela) {
        TFoInicial& tela = Inicial(janela);
        tela.RbImporta->setChecked(true);
        gradeLigada = tela.DBGrContribu->isEnabled();
        tela.OKBtn->click();
    }));
    EXPECT_FALSE(gradeLigada);
    EXPECT_EQ(ofertasChamadas, QStringList{QStringLiteral("Importa")});

    ofertasChamadas.clear();
    EXPECT_FALSE(Executa(pruv, [](QDialog& janela) { Inicial(janela).CancelBtn->click(); }));
    EXPECT_TRUE(ofertasChamadas.isEmpty());
    EXPECT_TRUE(pruv.GetChave().isEmpty());
}

TEST_F(TFoInicialTest, TheHelpButtonOpensTheScreensHelpContext)
{
    TPruv pruv;
    int contexto = 0;
    EXPECT_FALSE(Executa(pruv, [&](QDialog& janela) {
        TFoInicial& tela = Inicial(janela);
        tela.HelpBtn->click();
        if (TFoAjuda* ajuda = TFoAjuda::Aberta()) {
            contexto = ajuda->Contexto();
            ajuda->close();
        }
        tela.CancelBtn->click();
    }));
    EXPECT_EQ(contexto, TFoInicial::HelpContext);
}

// Sixty-five declarations are more than five screenfuls: the list shows the five-position bar,
// and its thumb let go at the bottom chooses the last declaration, which OK opens.
TEST_F(TFoInicialTest, TheThumbAtTheBottomOfALongListChoosesTheLastDeclaration)
{
    for (int filial = 1; filial <= 65; ++filial)
        Armazenada(NumeroDe(qPrintable(QStringLiteral("11222333%1").arg(filial, 4, 10, QLatin1Char('0')))));
    TPruv pruv;
    pruv.SetErros(&erros);
    QString ultima, escolhida;
    EXPECT_TRUE(Executa(pruv, [&](QDialog& janela) {
        TFoInicial& tela = Inicial(janela);
        TDataSet* tabela = tela.DBGrContribu->DataSource()->DataSet();
        QScrollBar* barra = tela.DBGrContribu->verticalScrollBar();
        EXPECT_EQ(barra->maximum(), 4);
        barra->setSliderDown(true);
        barra->setSliderPosition(barra->maximum());
        barra->setSliderDown(false);   // let go at the bottom
        escolhida = tabela->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString();
        tabela->Last();
        ultima = tabela->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString();
        tela.OKBtn->click();
    }));
    EXPECT_EQ(escolhida, ultima);
    EXPECT_TRUE(pruv.GetDeclarante().GetNi().startsWith(ultima.trimmed()));
}
