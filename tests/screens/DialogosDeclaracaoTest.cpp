#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "platform/db/datasets/TField.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "shell/declarations/TFoAbreDeclaracao.h"
#include "components/controls/combos/TdvDBComboBox.h"
#include "screens/pages/TFoNovaDeclaracao.h"

namespace {

class DialogosDeclaracaoTest : public DeclaracaoAbertaDeTeste {
protected:
    // Opens, through the command, the stored declaration of that declarant and year.
    void AbrePeloComando(const QString& ni, const char* ano)
    {
        AoAbrir<TFoAbreDeclaracao>("FoAbreDeclaracao", [ni, ano](TFoAbreDeclaracao& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Abrir Declaração"));
            TdvTable& tabela = d.TbPruv();
            for (tabela.First(); !tabela.Eof(); tabela.Next())
                if (tabela.FieldByName(QStringLiteral("CPF_CNPJ"))
                            ->AsString()
                            .remove(QRegularExpression(QStringLiteral("\\D")))
                        == ni
                    && tabela.FieldByName(QStringLiteral("AN_RETENCA"))->AsString() == QLatin1String(ano))
                    break;
            ASSERT_FALSE(tabela.Eof());
            d.OKBtn->click();
            EXPECT_FALSE(d.isVisible());
        });
        janela->Comando(QStringLiteral("MiAbrir"))->trigger();
    }
};

}   // namespace

TEST_F(DialogosDeclaracaoTest, OpenListsTheStoredDeclarationsAndLoadsTheChosenOne)
{
    Armazenada(Matriz);
    Armazenada(Filial, "2001");
    Armazenada(CpfDeclarante, "1999");
    Inicia();
    ASSERT_TRUE(janela->Comando(QStringLiteral("MiAbrir"))->isEnabled());

    const struct {
        QString ni;
        const char* ano;
    } casos[] = {{Filial, "2001"}, {CpfDeclarante, "1999"}, {Matriz, "2002"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        AbrePeloComando(c.ni, c.ano);
        ASSERT_TRUE(janela->GetDeclaracaoAberta());
        EXPECT_EQ(janela->ObtemDeclaracao().GetDeclarante().GetNi(), c.ni);
        EXPECT_EQ(janela->ObtemDeclaracao().GetAno(), QLatin1String(c.ano));
        EXPECT_FALSE(janela->ObtemDeclaracao().GetChave().isEmpty());
        EXPECT_TRUE(quadro->isVisible());
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());

    // Cancelling leaves nothing open.
    AoAbrir<TFoAbreDeclaracao>("FoAbreDeclaracao", [](TFoAbreDeclaracao& d) { d.CancelBtn->click(); });
    janela->Comando(QStringLiteral("MiAbrir"))->trigger();
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
    EXPECT_FALSE(EstadoPrograma::EmProcessamento);
}

TEST_F(DialogosDeclaracaoTest, ADeclarationThatCannotBeLoadedKeepsTheDialogOpen)
{
    Armazenada(Matriz, "2003");
    Executa(QStringLiteral("UPDATE Pruv SET IN_ENCERRA = 0"));   // 2003 must be of a special situation
    Inicia();
    bool ficou = false;
    AoAbrir<TFoAbreDeclaracao>("FoAbreDeclaracao", [&ficou](TFoAbreDeclaracao& d) {
        d.OKBtn->click();
        ficou = d.isVisible();
    });
    janela->Comando(QStringLiteral("MiAbrir"))->trigger();
    EXPECT_TRUE(ficou);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{46});
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
}

TEST_F(DialogosDeclaracaoTest, AStoredNumberWithBlanksAroundItOpens)
{
    const struct {
        QString ni;
        const char* gravado;
    } casos[] = {
        {CpfDeclarante, " 111444777"},
        {CpfDeclarante, "111444777  "},
        {Matriz, "112223330001 "},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.gravado);
        Executa(QStringLiteral("DELETE FROM Pruv"));
        Armazenada(c.ni);
        Executa(QStringLiteral("UPDATE Pruv SET NR_PF_PJ = '%1'").arg(QLatin1String(c.gravado)));
        Inicia();
        AbrePeloComando(c.ni, "2002");
        ASSERT_TRUE(janela->GetDeclaracaoAberta());
        EXPECT_EQ(janela->ObtemDeclaracao().GetDeclarante().GetNi(), c.ni);
        EXPECT_FALSE(janela->ObtemDeclaracao().GetChave().isEmpty());
        EXPECT_TRUE(dialogos.Mensagens().empty());
        EXPECT_TRUE(janela->FecharDeclaracao());
    }
}

TEST_F(DialogosDeclaracaoTest, TheListDialogsShowEveryColumnAndButtonWhole)
{
    Armazenada(Matriz);
    Inicia();
    for (const char* comando : {"MiAbrir", "MiExcluir"}) {
        SCOPED_TRACE(comando);
        bool verificado = false;
        const char* nome = QLatin1String(comando) == QLatin1String("MiAbrir") ? "FoAbreDeclaracao"
                                                                              : "FoExcluiDeclaracao";
        AoAbrir<QDialog>(nome, [&verificado](QDialog& d) {
            auto* grade = d.findChild<TdvDBGrid*>();
            ASSERT_NE(grade, nullptr);
            // No column is cut by the grid's edge: the grid needs no horizontal scroll bar.
            EXPECT_FALSE(grade->horizontalScrollBar()->isVisible());
            EXPECT_TRUE(d.rect().contains(grade->geometry()));
            for (QPushButton* botao : d.findChildren<QPushButton*>())
                EXPECT_TRUE(d.rect().contains(botao->geometry())) << botao->objectName().toStdString();
            verificado = true;
        });
        janela->Comando(QLatin1String(comando))->trigger();
        EXPECT_TRUE(verificado);
    }
}

TEST_F(DialogosDeclaracaoTest, ARowGoneBeforeOkIsToldAndTheDialogStays)
{
    Armazenada(Matriz);
    Inicia();
    bool ficou = false;
    AoAbrir<TFoAbreDeclaracao>("FoAbreDeclaracao", [&ficou](TFoAbreDeclaracao& d) {
        Executa(QStringLiteral("DELETE FROM Pruv"));   // another window of the program deleted it
        d.OKBtn->click();
        ficou = d.isVisible();
    });
    janela->Comando(QStringLiteral("MiAbrir"))->trigger();
    EXPECT_TRUE(ficou);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("A declaração escolhida não foi encontrada.")});
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
}

// The year of a new declaration by the keyboard: Up reaches 2003 with its warning, once until
// another year is chosen; Alt+Down opens the list, and choosing 2003 there again warns no more.
TEST_F(DialogosDeclaracaoTest, TheYear2003WarnsOnceHoweverItIsChosen)
{
    Inicia();
    std::vector<int> avisos[3];
    bool lista = false;
    AoAbrir<TFoNovaDeclaracao>("FoNovaDeclaracao", [&](TFoNovaDeclaracao& d) {
        TdvDBComboBox* ano = d.CbAnoRet;
        ano->setFocus();
        QApplication::processEvents();
        QTest::keyClick(ano, Qt::Key_Up);
        avisos[0] = dialogos.Codigos();
        QTest::keyClick(ano, Qt::Key_Down);
        QTest::keyClick(ano, Qt::Key_Up);
        avisos[1] = dialogos.Codigos();
        QTest::keyClick(ano, Qt::Key_Down, Qt::AltModifier);
        lista = ano->DroppedDown();
        QTest::keyClick(ano, Qt::Key_Return);
        avisos[2] = dialogos.Codigos();
        EXPECT_EQ(ano->Text(), QStringLiteral("2003"));
    });
    janela->Comando(QStringLiteral("MiNova"))->trigger();
    EXPECT_EQ(avisos[0], std::vector<int>{46});
    EXPECT_EQ(avisos[1], (std::vector<int>{46, 46}));
    EXPECT_TRUE(lista);
    EXPECT_EQ(avisos[2], (std::vector<int>{46, 46}));
}

// A double click on a row opens that declaration, as OK does and as in the start dialog.
TEST_F(DialogosDeclaracaoTest, ADoubleClickOnARowOpensItsDeclaration)
{
    Armazenada(Matriz);
    Armazenada(Filial, "2001");
    Inicia();
    QString ano;
    AoAbrir<TFoAbreDeclaracao>("FoAbreDeclaracao", [&ano](TFoAbreDeclaracao& d) {
        TdvDBGrid* grade = d.DBGrDeclaracao;
        const QRect segunda = grade->CellRect(1, 2).ToQRect();
        ASSERT_FALSE(segunda.isEmpty());
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, segunda.center());
        ano = d.TbPruv().FieldByName(QStringLiteral("AN_RETENCA"))->AsString();
        QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, segunda.center());
        QApplication::processEvents();
        EXPECT_FALSE(d.isVisible());
    });
    janela->Comando(QStringLiteral("MiAbrir"))->trigger();
    ASSERT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(janela->ObtemDeclaracao().GetAno(), ano);
    EXPECT_FALSE(ano.isEmpty());
}
