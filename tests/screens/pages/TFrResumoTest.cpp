#include <QFontMetrics>
#include <QGroupBox>
#include <QTest>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <functional>

#include "components/controls/datetime/TdvDBDateTimePicker.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/common/dvSystem.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFrComprovante.h"
#include "screens/pages/TFrResumo.h"
#include "screens/fields/TArrasteMonetario.h"
#include "screens/edits/TPruvEdit.h"
#include "model/values/TMonetario.h"

namespace {

// The main window with the program's own summary computation.
class TFrResumoTest : public DeclaracaoAbertaDeTeste {
protected:
    void IniciaComCalculo()
    {
        calculoDoPrograma = true;
        Inicia();
    }
    // An administrator's declaration with one fund and the items that lanca stores, opened on
    // the summary page.
    void AbreAdministradora(const std::function<void(TPruv&)>& lanca)
    {
        auto pruv = Armazenada(Outra, "2002", 3);
        auto anexo = NovoAnexo(*pruv, Fundo, "", true);
        lanca(*pruv);
        pruv.reset();
        anexo.reset();
        Inicia();
        Abre(Outra);
        quadro->AtivaPagina(TPaginaDeclaracao::Resumo);
        QApplication::processEvents();
    }
    // A fund administrator with one item of its own and a fund, open on its summary.
    void AbreAdministradorComFundo()
    {
        AbreAdministradora([this](TPruv& pruv) { Item(pruv, pruv, "0561", CpfBeneficiario, 1000); });
    }
    [[nodiscard]] QString Texto(const char* nome) const { return Campo<TPruvEdit>(nome)->text(); }
    [[nodiscard]] int Codigos() const { return Campo<TdvDBGrid>("dvDBGrid2")->DataSource()->DataSet()->RecordCount(); }
};

// The edit shows its whole text: the text is no wider than the edit less its frame and margins.
void MostraInteiro(const QLineEdit& edit)
{
    SCOPED_TRACE(edit.objectName().toStdString() + " " + edit.text().toStdString());
    EXPECT_LE(QFontMetrics(edit.font()).horizontalAdvance(edit.text()), edit.width() - 8);
}

}   // namespace

TEST_F(TFrResumoTest, TotalsPastTheLargestMonthlyAmountShowWhole)
{
    auto pruv = Armazenada(Matriz);
    ItemNoMaximo(*pruv, *pruv, "0561", CpfBeneficiario);
    pruv.reset();
    Inicia();
    Abre(Matriz);
    quadro->AtivaPagina(TPaginaDeclaracao::Resumo);
    QApplication::processEvents();
    EXPECT_EQ(Texto("DeTotRend"), QStringLiteral("1.299.999.999.999,87"));
    EXPECT_EQ(Texto("DeTotDepSubJud"), QStringLiteral("1.299.999.999.999,87"));
    EXPECT_EQ(Texto("DeTotAnosAnteriores"), QStringLiteral("1.299.999.999.999,87"));
    int vistos = 0;
    for (const TPruvEdit* e : quadro->Pagina(TPaginaDeclaracao::Resumo).findChildren<TPruvEdit*>())
        if (e->isVisible() && !e->text().isEmpty()) {
            MostraInteiro(*e);
            ++vistos;
        }
    EXPECT_GE(vistos, 10);

    // The beneficiary's statement: box 3 gathers income and suspended income, 24 months' worth.
    quadro->AtivaPagina(TPaginaDeclaracao::Comprovante);
    QApplication::processEvents();
    vistos = 0;
    for (const TPruvEdit* e : quadro->Comprovante().findChildren<TPruvEdit*>())
        if (e->isVisible() && e->text().contains(QStringLiteral(".999,"))) {
            MostraInteiro(*e);
            ++vistos;
        }
    EXPECT_GE(vistos, 2);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFrResumoTest, ThePageShowsTheTotalsTypedAndTheCodesUsed)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "0561", NumeroDe("333444555"), 500);
    Item(*pruv, *pruv, "1708", Outra, 300);
    pruv.reset();
    Executa(QStringLiteral("UPDATE Resumo SET OK = 0"));   // stored as not up to date
    IniciaComCalculo();
    Abre(Matriz);
    janela->Comando(QStringLiteral("MiResumo"))->trigger();
    QApplication::processEvents();
    ASSERT_EQ(quadro->PaginaAtiva(), TPaginaDeclaracao::Resumo);
    EXPECT_EQ(Texto("DeTotBen"), QStringLiteral("3"));
    EXPECT_EQ(Texto("DeTotRend"), QStringLiteral("1.800,00"));
    EXPECT_EQ(Texto("DeTotIrrf"), QStringLiteral("180,00"));
    EXPECT_FALSE(Campo("GbSubJud")->isVisible());   // nothing under suspended enforceability
    EXPECT_FALSE(Campo("GbCompensacao")->isVisible());
    EXPECT_FALSE(Campo<QTabWidget>("PgResumo")->isTabVisible(1));   // no funds
    EXPECT_EQ(Codigos(), 2);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST(TFrResumo, AnnexVariantsAreLeftOutByTheYear)
{
    const struct {
        const char* codigo;
        const char* anexo;
        const char* ano;
        bool excluida;
    } casos[] = {
        {"0924", "1", "2000", true},  {"0924", "1", "1999", true},  {"0924", "0", "2002", false},
        {"3223", "1", "2002", true},  {"3223", "1", "2001", false}, {"6799", "1", "1999", true},
        {"6799", "1", "2000", false}, {"0561", "1", "1999", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.codigo << " " << c.anexo << " " << c.ano);
        EXPECT_EQ(TFrResumo::VarianteExcluida(QLatin1String(c.codigo), QLatin1String(c.anexo), QLatin1String(c.ano)),
                  c.excluida);
    }
}

TEST_F(TFrResumoTest, AnAdministratorSeesItsOwnTotalsAndEachFundsInTheDetail)
{
    AbreAdministradorComFundo();
    auto* abas = Campo<QTabWidget>("PgResumo");
    ASSERT_TRUE(abas->isTabVisible(1));
    TDataSet* detalhe = Campo<TdvDBGrid>("DbgDiscriminado")->DataSource()->DataSet();
    ASSERT_EQ(detalhe->RecordCount(), 2);   // the administrator, then the fund
    detalhe->First();
    EXPECT_EQ(detalhe->FieldByName(QStringLiteral("TOT_BENEF_EXIB"))->AsString(), QStringLiteral("1"));
    EXPECT_EQ(detalhe->FieldByName(QStringLiteral("TOT_REND_EXIB"))->AsString(), QStringLiteral("1.000,00"));
    EXPECT_EQ(detalhe->FieldByName(QStringLiteral("TOT_IRRF_EXIB"))->AsString(), QStringLiteral("100,00"));
    detalhe->Next();
    EXPECT_EQ(detalhe->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString(), FormataCnpj(Fundo));
}

TEST_F(TFrResumoTest, TheDetailShowsTotalsPastTheLargestMonthlyAmountWhole)
{
    AbreAdministradora([this](TPruv& pruv) { ItemNoMaximo(pruv, pruv, "0561", CpfBeneficiario); });
    Campo<QTabWidget>("PgResumo")->setCurrentIndex(1);
    QApplication::processEvents();
    auto* grade = Campo<TdvDBGrid>("DbgDiscriminado");
    TDataSet* detalhe = grade->DataSource()->DataSet();
    detalhe->First();
    int vistos = 0;
    for (int i = 0; i < grade->FieldCount(); ++i) {
        const TField* campo = grade->Fields(i);
        if (!campo->FieldName().startsWith(QLatin1String("TOT_"))
            || campo->FieldName() == QLatin1String("TOT_BENEF_EXIB"))
            continue;
        SCOPED_TRACE(campo->FieldName().toStdString());
        EXPECT_EQ(campo->AsString(), QStringLiteral("1.299.999.999.999,87"));
        EXPECT_LE(QFontMetrics(grade->font()).horizontalAdvance(campo->AsString()) + 4,
                  grade->ColWidths(i + grade->IndicatorOffset()));
        ++vistos;
    }
    EXPECT_EQ(vistos, 9);
    // The titles of four lines keep their last line whole: the row holds them as drawn.
    const int desenhadas = QFontMetrics(grade->TitleFont().Font)
                               .boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignTop, QStringLiteral("T\nT\nT\nT"))
                               .height();
    EXPECT_GE(grade->RowHeights(0), desenhadas + 4);
}

TEST_F(TFrResumoTest, MaximisedTheCodesListAndTheDetailGridTakeThePagesHeight)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    pruv.reset();
    Inicia();
    Abre(Matriz);
    quadro->AtivaPagina(TPaginaDeclaracao::Resumo);
    QApplication::processEvents();
    auto* codigos = Campo<TdvDBGrid>("dvDBGrid2");
    const int normal = codigos->height();
    EXPECT_FALSE(codigos->Options() & dgTitles);                       // a list of codes, without titles
    EXPECT_GE(codigos->ClientHeight(), codigos->DefaultRowHeight());   // a code seen whole

    janela->resize(1600, 1200);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_GT(codigos->height(), normal + 500);
    EXPECT_GT(codigos->width(), 1400);
    EXPECT_GT(codigos->ClientHeight() / codigos->DefaultRowHeight(), 30);   // room for as many codes
}

TEST_F(TFrResumoTest, ADeclarationNeverWrittenShowsNoDateAfterAWrittenOne)
{
    auto escrita = Armazenada(Matriz);
    double data = 0;
    ASSERT_TRUE(dvTryEncodeDate(2003, 3, 14, data));
    escrita->SetDataGeracao(data);
    colecao->Atualiza(*escrita);
    escrita.reset();
    Armazenada(Outra).reset();
    Inicia();
    auto* picker = Campo<TdvDBDateTimePicker>("DtpDataGera");
    double minima = 0;
    ASSERT_TRUE(dvTryEncodeDate(2000, 12, 1, minima));
    EXPECT_EQ(picker->MinDate(), minima);

    const struct {
        const char* ni;
        const char* texto;
        bool botao;
    } casos[] = {
        {"escrita", "14/03/2003", true},
        {"nunca escrita", "", false},
        {"escrita outra vez", "14/03/2003", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ni);
        ASSERT_TRUE(janela->FecharDeclaracao());
        Abre(c.botao ? Matriz : Outra);
        janela->Comando(QStringLiteral("MiResumo"))->trigger();
        QApplication::processEvents();
        ASSERT_EQ(quadro->PaginaAtiva(), TPaginaDeclaracao::Resumo);
        EXPECT_EQ(picker->text(), QLatin1String(c.texto));
        EXPECT_EQ(picker->ShowButton(), c.botao);
    }
}

TEST_F(TFrResumoTest, AMoneyCellOfTheDetailIsDraggedIntoAMoneyFieldPastTwentyPixels)
{
    AbreAdministradorComFundo();
    Campo<QTabWidget>("PgResumo")->setCurrentIndex(1);
    QApplication::processEvents();
    auto* grade = Campo<TdvDBGrid>("DbgDiscriminado");
    ASSERT_TRUE(grade->isVisible());
    // A money field of another window, above the main one.
    QWidget outra;
    TMonetario valor;
    auto* campo = new TPruvEdit(&outra);
    campo->SetTipoDeDado(TTipoDeDado::Numerico);
    campo->SetDado(&valor);
    campo->setGeometry(5, 5, 120, 22);
    outra.setGeometry(10, 10, 140, 40);
    outra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&outra));
    ASSERT_FALSE(janela->frameGeometry().intersects(outra.frameGeometry()));

    const auto coluna = [&](const char* nome) {
        for (int i = 0; i < grade->FieldCount(); ++i)
            if (grade->Fields(i)->FieldName() == QLatin1String(nome))
                return grade->IndicatorOffset() + i;
        return -1;
    };
    const QPoint inicio = grade->CellRect(coluna("TOT_REND_EXIB"), grade->TitleOffset()).ToQRect().center();
    QTest::mousePress(grade->viewport(), Qt::LeftButton, {}, inicio);
    QTest::mouseMove(grade->viewport(), inicio + QPoint(19, 0));
    EXPECT_FALSE(TArrasteMonetario::EmCurso()) << "not yet 20 pixels";
    QTest::mouseMove(grade->viewport(), inicio + QPoint(20, 0));
    ASSERT_TRUE(TArrasteMonetario::EmCurso());
    EXPECT_EQ(TArrasteMonetario::Origem(), grade);
    QTest::mouseMove(campo, campo->rect().center());
    QTest::mouseRelease(campo, Qt::LeftButton, {}, campo->rect().center());
    EXPECT_FALSE(TArrasteMonetario::EmCurso());
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("1000,00"));

    // The fund's number is no amount.
    const QPoint numero = grade->CellRect(coluna("CPF_CNPJ"), grade->TitleOffset()).ToQRect().center();
    QTest::mousePress(grade->viewport(), Qt::LeftButton, {}, numero);
    QTest::mouseMove(grade->viewport(), numero + QPoint(0, 30));
    EXPECT_FALSE(TArrasteMonetario::EmCurso());
    QTest::mouseRelease(grade->viewport(), Qt::LeftButton, {}, numero + QPoint(0, 30));
}
