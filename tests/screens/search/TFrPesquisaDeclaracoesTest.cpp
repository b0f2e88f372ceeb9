#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "screens/GravadasDeTeste.h"
#include "components/controls/datetime/TdvDBDateTimePicker.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/schema/EsquemaPrograma.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/datasets/TField.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "screens/search/TBuscaGravadas.h"
#include "screens/search/TFrPesquisaDeclaracoes.h"

namespace {

const char* const Cnpj = "11222333000181";
const char* const Cpf = "11144477735";

class TFrPesquisaDeclaracoesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        CriaTabelasPrograma(*TDatabase::DaPasta(TPastas::Dados()));
        const QString pasta = gravadas.PastaDe(Cnpj);
        // Not yet transmitted; transmitted with the receipt in capitals; transmitted, in small letters.
        GravadasDeTeste::Grava(pasta, QStringLiteral("11222333000181-PRUV-2003-2002-ORIGI-NORMAL.dec"),
                               GravadasDeTeste::Cabecalho(Cnpj));
        GravadasDeTeste::Grava(pasta, QStringLiteral("11222333000181-PRUV-2003-2002-RETIF-NORMAL.dec"),
                               GravadasDeTeste::Cabecalho(Cnpj, "EMPRESA ALFA LTDA", true, "9876543210"));
        GravadasDeTeste::Grava(pasta, QStringLiteral("11222333000181-PRUV-2003-2002-RETIF-NORMAL.REC"), "recibo");
        GravadasDeTeste::Grava(gravadas.PastaDe(Cpf), QStringLiteral("11144477735-PRUV-2003-2002-ORIGI-NORMAL.DEC"),
                               GravadasDeTeste::Cabecalho(Cpf, "JOSE DA SILVA"));
        GravadasDeTeste::Grava(gravadas.PastaDe(Cpf), QStringLiteral("11144477735-PRUV-2003-2002-ORIGI-NORMAL.rec"),
                               "r");
        // Named as ours but another layout, cut short, or not named as ours at all.
        GravadasDeTeste::Grava(pasta, QStringLiteral("11222333000181-PRUV-2003-2002-ORIGI-EXTINCAO.dec"),
                               GravadasDeTeste::Cabecalho(Cnpj, "OUTRA", false, "0123456789", "1081"));
        GravadasDeTeste::Grava(pasta, QStringLiteral("11222333000181-PRUV-2003-2002-ORIGI-ESPOLIOSAIDA.dec"),
                               GravadasDeTeste::Cabecalho(Cnpj).left(90));
        GravadasDeTeste::Grava(pasta, QStringLiteral("declaracao.dec"), GravadasDeTeste::Cabecalho(Cnpj));
        // A hidden folder is not the writer's; a removable medium is searched in its root.
        GravadasDeTeste::Grava(gravadas.Base + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/.lixo/2002"),
                               QStringLiteral("11222333000181-PRUV-2003-2002-ORIGI-NORMAL.dec"),
                               GravadasDeTeste::Cabecalho(Cnpj));
        GravadasDeTeste::Grava(gravadas.Midia, QStringLiteral("11222333000181-PRUV-2003-2001-ORIGI-NORMAL.dec"),
                               GravadasDeTeste::Cabecalho(Cnpj, "EMPRESA DO DISQUETE"));
    }

    static QStringList Nomes(const QList<TDeclaracaoGravada>& lista)
    {
        QStringList nomes;
        for (const TDeclaracaoGravada& g : lista)
            nomes << g.Nome + QLatin1Char('/') + g.Tipo;
        nomes.sort();
        return nomes;
    }

    GravadasDeTeste gravadas;
    DialogosRoteirizados dialogos;
};

}   // namespace

TEST_F(TFrPesquisaDeclaracoesTest, EachSituationListsItsFilesAndSkipsWhatIsNotOurs)
{
    const struct {
        std::uint8_t situacao;
        QStringList nomes;
    } casos[] = {
        {TBuscaGravadas::NaoTransmitidas,
         {QStringLiteral("EMPRESA ALFA LTDA/Original"), QStringLiteral("EMPRESA DO DISQUETE/Original")}},
        {TBuscaGravadas::Transmitidas,
         {QStringLiteral("EMPRESA ALFA LTDA/Retificadora"), QStringLiteral("JOSE DA SILVA/Original")}},
        {TBuscaGravadas::Todas,
         {QStringLiteral("EMPRESA ALFA LTDA/Original"), QStringLiteral("EMPRESA ALFA LTDA/Retificadora"),
          QStringLiteral("EMPRESA DO DISQUETE/Original"), QStringLiteral("JOSE DA SILVA/Original")}},
        {7, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.situacao);
        EXPECT_EQ(Nomes(TBuscaGravadas::Busca(c.situacao, false)), c.nomes);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFrPesquisaDeclaracoesTest, TheHeaderGivesTheRowsData)
{
    const QList<TDeclaracaoGravada> todas = TBuscaGravadas::BuscaPasta(gravadas.PastaDe(Cpf), TBuscaGravadas::Todas);
    ASSERT_EQ(todas.size(), 1);
    const TDeclaracaoGravada& g = todas.front();
    EXPECT_EQ(g.InPfPj, QStringLiteral("1"));
    EXPECT_EQ(g.NrPfPj, QLatin1String(Cpf));
    EXPECT_EQ(g.Ano, QStringLiteral("2002"));
    EXPECT_EQ(g.Hash.left(10), QStringLiteral("0123456789"));
    EXPECT_EQ(g.Hash.size(), 12);
    EXPECT_TRUE(g.ComRecibo);
    EXPECT_EQ(g.Caminho, gravadas.PastaDe(Cpf));

    TDeclaracaoGravada lida;
    EXPECT_FALSE(TBuscaGravadas::LeCabecalho(QString(), lida));
    EXPECT_FALSE(TBuscaGravadas::LeCabecalho(
        QString::fromLatin1(GravadasDeTeste::Cabecalho(Cnpj)).replace(0, 4, QStringLiteral("XPTO")), lida));
    EXPECT_TRUE(TBuscaGravadas::LeCabecalho(
        QString::fromLatin1(GravadasDeTeste::Cabecalho(Cnpj)).replace(0, 4, QStringLiteral("pruv")), lida));
}

TEST_F(TFrPesquisaDeclaracoesTest, TheFrameListsCountsTheSelectionAndGivesThePathsInItsOrder)
{
    TFrPesquisaDeclaracoes quadro;
    quadro.SetSituacao(TBuscaGravadas::Todas);
    int mudancas = 0;
    quadro.OnChangeSelection = [&mudancas](TFrPesquisaDeclaracoes*) { ++mudancas; };
    QStringList arquivos{QStringLiteral("velho")};
    quadro.Abre(arquivos);
    EXPECT_TRUE(arquivos.isEmpty());
    EXPECT_EQ(quadro.LbMens->text(), TFrPesquisaDeclaracoes::TextoTodas);
    EXPECT_EQ(quadro.LbMens->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    TdvTable& tabela = quadro.TbGeradas();
    EXPECT_EQ(tabela.RecordCount(), 4);
    EXPECT_TRUE(quadro.ArquivosSelecionados().isEmpty());
    // The date of the current row is shown by the frame's picker.
    EXPECT_EQ(quadro.DbgGeradas->FindCellControl(QStringLiteral("dvDBDateTimePicker1")),
              static_cast<QWidget*>(quadro.dvDBDateTimePicker1));

    tabela.Last();
    const QString ultimo = tabela.FieldByName(QStringLiteral("CAMINHO"))->AsString() + QLatin1Char('/')
        + tabela.FieldByName(QStringLiteral("NOME_ARQUIVO"))->AsString();
    quadro.DbgGeradas->SelectCurrentRecord();
    tabela.First();
    const QString primeiro = tabela.FieldByName(QStringLiteral("CAMINHO"))->AsString() + QLatin1Char('/')
        + tabela.FieldByName(QStringLiteral("NOME_ARQUIVO"))->AsString();
    EXPECT_FALSE(tabela.FieldByName(QStringLiteral("CPF_CNPJ"))->AsString().isEmpty());
    quadro.DbgGeradas->SelectCurrentRecord();
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 2);
    EXPECT_EQ(quadro.ArquivosSelecionados(), (QStringList{ultimo, primeiro}));
    EXPECT_EQ(arquivos, (QStringList{ultimo, primeiro}));   // the caller's list
    quadro.DbgGeradas->UnselectCurrentRecord();
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 1);
    EXPECT_EQ(mudancas, 3);
    EXPECT_EQ(quadro.ArquivosSelecionados(), QStringList{ultimo});

    // A new opening starts from an empty list and an empty selection.
    quadro.SetSituacao(TBuscaGravadas::NaoTransmitidas);
    quadro.Abre(arquivos);
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 0);
    EXPECT_EQ(tabela.RecordCount(), 2);
    quadro.Fecha();
    EXPECT_FALSE(tabela.Active());
}

TEST_F(TFrPesquisaDeclaracoesTest, NothingFoundSaysSoInRed)
{
    QDir(gravadas.Base + QStringLiteral("/Declaracoes Gravadas XEQ")).removeRecursively();
    QDir(gravadas.Midia).removeRecursively();
    TFrPesquisaDeclaracoes quadro;
    QStringList arquivos;
    quadro.SetSituacao(TBuscaGravadas::Transmitidas);
    quadro.Abre(arquivos);
    EXPECT_EQ(quadro.LbMens->text(), TFrPesquisaDeclaracoes::TextoSemTransmitidas);
    EXPECT_EQ(quadro.LbMens->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 0);
    EXPECT_TRUE(quadro.TbGeradas().IsEmpty());
}

// Ticking files without a mouse and with one: Space ticks and unticks the current row from any
// cell, and a click on the box itself ticks its row and keeps the others.
TEST_F(TFrPesquisaDeclaracoesTest, SpaceAndAClickOnTheBoxTickAFile)
{
    TFrPesquisaDeclaracoes quadro;
    quadro.SetSituacao(TBuscaGravadas::Todas);
    QStringList arquivos;
    quadro.Abre(arquivos);
    quadro.resize(700, 300);
    quadro.show();
    QApplication::setActiveWindow(&quadro);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&quadro));
    TdvDBGrid* grade = quadro.DbgGeradas;
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Space);
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 1);
    QTest::keyClick(grade, Qt::Key_Down);
    QTest::keyClick(grade, Qt::Key_Space);
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 2);
    QTest::keyClick(grade, Qt::Key_Space);
    EXPECT_EQ(quadro.QuantidadeSelecionados(), 1);

    // The box of the third row, then of the first: the second click unticks it.
    for (const auto& [linha, esperados] : {std::pair{3, 2}, std::pair{1, 1}}) {
        const TRect caixa = grade->CellRect(0, linha);
        ASSERT_FALSE(caixa.Right <= caixa.Left);
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((caixa.Left + caixa.Right) / 2, (caixa.Top + caixa.Bottom) / 2));
        EXPECT_EQ(quadro.QuantidadeSelecionados(), esperados) << linha;
    }
    quadro.Fecha();
}
