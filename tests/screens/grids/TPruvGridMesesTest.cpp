#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "model/DeclaracaoDeTeste.h"
#include "model/ItensDeTeste.h"
#include "model/items/TPruvItem.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"
#include "platform/widgets/controls/TSelecaoDoSistema.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/grids/TPruvGridComprPJ.h"
#include "screens/grids/TPruvGridMeses.h"
#include "screens/grids/TPruvGridRendParcial.h"

using namespace TecladoDeTeste;

namespace {

using Celula = std::pair<int, int>;

QPoint Centro(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A month grid of one stored item and a money edit beside it, shown; the grid has the focus.
template <typename Grade> struct Janela {
    explicit Janela(const char* codigo = "0561")
    {
        item.SetChave(QStringLiteral("0000001"));
        item.GetBeneficiario().SetNi(QStringLiteral("11144477735"));
        item.GetCodigoRetencao().SetCodigo(QString::fromLatin1(codigo));
        auto* layout = new QHBoxLayout(&janela);
        layout->addWidget(grade);
        layout->addWidget(edit);
        edit->SetTipoDeDado(TTipoDeDado::Numerico);
        edit->SetDado(&valorDoEdit);
        grade->SetPruvItem(&item);
        janela.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&janela));
        QApplication::setActiveWindow(&janela);
        grade->setFocus();
        QCoreApplication::processEvents();
    }
    ~Janela() { grade->SetPruvItem(nullptr); }
    [[nodiscard]] Celula Atual() const { return {grade->Col(), grade->Row()}; }
    void Em(int c, int l) { grade->SelecionaCelula(c, l); }
    // Types into the cell and leaves it downwards, which writes the value.
    void Escreve(int c, int l, const QString& texto)
    {
        Em(c, l);
        Digita(texto);
        Tecla(Qt::Key_Down);
    }

    DialogosRoteirizados dialogos;
    DeclaracaoDeTeste declaracao;
    TPruvItem item{declaracao, declaracao};
    TMonetario valorDoEdit;
    QWidget janela;
    Grade* grade = new Grade;
    TPruvEdit* edit = new TPruvEdit;
};

}   // namespace

TEST(TPruvGridMeses, MapsShownRowsAndColumnsToTheModels)
{
    const struct {
        int mostrada;
        int interna;
    } linhas[] = {
        {0, 0},   {1, 1}, {12, 12}, {13, 14},   // the totals are shown before the 13th salary
        {14, 13},
    };
    for (const auto& c : linhas) {
        SCOPED_TRACE(c.mostrada);
        EXPECT_EQ(TPruvGridMeses::LinhaInterna(c.mostrada), c.interna);
    }
    const struct {
        int mostrada;
        bool deducao;
        int interna;
    } colunas[] = {
        {0, false, 0}, {1, false, 1}, {2, false, 3},   // no deductions column: tax moves into its place
        {3, false, 4}, {2, true, 2},  {3, true, 3},
    };
    for (const auto& c : colunas) {
        SCOPED_TRACE(testing::Message() << c.mostrada << " " << c.deducao);
        EXPECT_EQ(TPruvGridMeses::ColunaInterna(c.mostrada, c.deducao), c.interna);
    }
}

TEST(TPruvGridMeses, ShowsTitlesMonthsTotalsAndValuesWhereTheMappingPutsThem)
{
    Janela<TPruvGridRendimentos> j;
    j.item.GetValores().GetRendimento(3).SetValor(Reais(1234, 50));
    j.item.GetValores().GetRendimento(13).SetValor(Reais(10));
    j.item.GetValores().GetImposto(3).SetValor(Reais(7));
    const struct {
        int c, l;
        const char* texto;
    } casos[] = {
        {0, 0, "Mês"},       {1, 0, "Rendimento Tributável"}, {3, 0, "Imposto Retido"}, {0, 3, "Março"},
        {0, 13, "Totais"},   {0, 14, "13º Salário"},          {1, 3, "1.234,50"},       {1, 14, "10,00"},
        {1, 13, "1.234,50"},   // the total of months 1 to 12
        {3, 3, "7,00"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(j.grade->GetTexto(c.c, c.l), QString::fromUtf8(c.texto));
    }
    j.grade->SetDeducao(false);
    EXPECT_EQ(j.grade->ColCount(), 3);
    EXPECT_EQ(j.grade->GetTexto(2, 0), QStringLiteral("Imposto Retido"));
    EXPECT_EQ(j.grade->GetTexto(2, 3), QStringLiteral("7,00"));
}

// A total past the money limit shows whole; one past what 64 bits hold (only set in code) has no
// text, rather than raising while painting.
TEST(TPruvGridMeses, ATotalPastWhat64BitsHoldIsShownWithoutATextRatherThanRaisedWhilePainting)
{
    Janela<TPruvGridRendimentos> j;
    for (int mes = 1; mes <= 2; ++mes)
        j.item.GetValores().GetRendimento(mes).SetValor(TMonetario::Maximo);
    EXPECT_EQ(j.grade->GetTexto(1, TPruvGridMeses::LinhaTotais), QStringLiteral("199.999.999.999,98"));
    j.item.GetValores().GetRendimento(3).SetValor(std::numeric_limits<qint64>::max());
    EXPECT_EQ(j.grade->GetTexto(1, TPruvGridMeses::LinhaTotais), QStringLiteral("*****"));
    EXPECT_NO_THROW(j.grade->viewport()->grab());
}

TEST(TPruvGridMeses, TheTotalsRowIsNeverReachedByTheKeys)
{
    const struct {
        bool decimoTerceiro;
        Celula de;
        Qt::Key tecla;
        Celula para;
    } casos[] = {
        {true, {1, 12}, Qt::Key_Down, {1, 14}},   // December to the 13th salary, over the totals
        {true, {1, 14}, Qt::Key_Up, {1, 12}},     {true, {3, 14}, Qt::Key_Return, {1, 1}},
        {false, {1, 12}, Qt::Key_Down, {2, 1}},   // no 13th salary: December wraps to January
        {false, {3, 12}, Qt::Key_Return, {1, 1}},
    };
    Janela<TPruvGridRendimentos> j;
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.decimoTerceiro << " " << c.de.first << "," << c.de.second);
        j.grade->SetDecimoTerceiro(c.decimoTerceiro);
        EXPECT_EQ(j.grade->RowCount(), c.decimoTerceiro ? 15 : 14);
        j.Em(c.de.first, c.de.second);
        Tecla(c.tecla);
        EXPECT_EQ(j.Atual(), c.para);
    }
}

TEST(TPruvGridMeses, ACodeEndedIn2002TakesNothingAfterJanuary)
{
    const struct {
        const char* ano;
        int linha;
        const char* texto;
        const char* fica;
        std::vector<int> mensagens;
    } casos[] = {
        {"2002", 3, "100", "0,00", {171}}, {"2002", 1, "100", "100,00", {}},   // January is accepted
        {"2002", 14, "5", "0,00", {171}},                                      // the 13th salary is after January too
        {"2002", 3, "0,0", "0,00", {}},   // no amount: nothing to refuse, whatever the text
        {"2001", 3, "100", "100,00", {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ano << " row " << c.linha << " " << c.texto);
        Janela<TPruvGridRendimentos> j("3249");
        j.declaracao.SetAno(QString::fromLatin1(c.ano));
        j.Escreve(1, c.linha, QString::fromUtf8(c.texto));
        EXPECT_EQ(j.grade->GetTexto(1, c.linha), QString::fromUtf8(c.fica));
        EXPECT_EQ(j.dialogos.Codigos(), c.mensagens);
        if (!c.mensagens.empty()) {
            EXPECT_EQ(j.dialogos.Mensagens().front().HelpCtx, 50600);
            EXPECT_TRUE(j.dialogos.Textos().front().contains(QStringLiteral("3249")));
        }
    }
}

TEST(TPruvGridMeses, Code8045IsEndedForPersonsOnly)
{
    const struct {
        const char* ni;
        std::vector<int> mensagens;
    } casos[] = {
        {"11144477735", {170}},
        {"11222333000181", {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ni);
        Janela<TPruvGridRendimentos> j("8045");
        j.item.GetBeneficiario().SetNi(QString::fromLatin1(c.ni));
        j.Escreve(1, 2, QStringLiteral("50"));
        EXPECT_EQ(j.dialogos.Codigos(), c.mensagens);
    }
}

TEST(TPruvGridMeses, TaxReachingTheIncomeWarnsOnLeavingTheRowButLetsTheUserGo)
{
    Janela<TPruvGridCompensacao> j;
    j.item.GetValores().GetRendimento(4).SetValor(Reais(500));
    EXPECT_EQ(j.grade->AreaEditavel(), (TGridRect{2, 1, 3, 14}));
    j.Escreve(2, 4, QStringLiteral("600"));
    EXPECT_EQ(j.item.GetCompensacao().GetCompensacaoAno(4).GetValor(), Reais(600));
    EXPECT_EQ(j.Atual(), (Celula{2, 5}));
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{83});
    EXPECT_EQ(j.dialogos.Mensagens().front().Tipo, TipoDialogo::Aviso);
    EXPECT_EQ(j.grade->GetTexto(4, 4), QStringLiteral("600,00"));   // the month's whole tax

    // Below the income: no warning.
    j.dialogos.Limpa();
    j.Escreve(2, 6, QStringLiteral("0"));
    EXPECT_TRUE(j.dialogos.Textos().isEmpty());
}

TEST(TPruvGridMeses, AWarningOnLeavingTheGridWaitsForTheFocusToArrive)
{
    Janela<TPruvGridCompensacao> j;
    j.item.GetValores().GetRendimento(13).SetValor(Reais(100));
    j.Em(3, 14);
    Digita(QStringLiteral("200"));
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), j.edit);
    EXPECT_EQ(j.item.GetCompensacao().GetCompensacaoAnosAnteriores(13).GetValor(), Reais(200));
    EXPECT_TRUE(j.dialogos.Textos().isEmpty());
    QTest::qWait(10);
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{83});
    EXPECT_EQ(QApplication::focusWidget(), j.edit);   // a warning does not keep the user
}

namespace {

// No key, paste or drop of a person's puts such a text in a month cell: the editor is handed one,
// so that the refusal of the model is guarded all the same.
void EntregaAoEditor(TPruvCustomGrid& grade, const QString& texto)
{
    Tecla(Qt::Key_F2);
    ASSERT_TRUE(grade.EditorMode());
    grade.InplaceEditor()->setText(texto);
}

}   // namespace

TEST(TPruvGridMeses, ATextTheModelRefusesKeepsTheCellAndItsEditor)
{
    Janela<TPruvGridRendimentos> j;
    j.Em(1, 2);
    EntregaAoEditor(*j.grade, QStringLiteral("1234567890123"));
    Tecla(Qt::Key_Down);
    EXPECT_EQ(j.Atual(), (Celula{1, 2}));
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{165});
    ASSERT_TRUE(j.grade->EditorMode());
    EXPECT_EQ(j.grade->InplaceEditor()->text(), QStringLiteral("1234567890123"));
    EXPECT_FALSE(j.grade->Valida());
    EXPECT_EQ(j.item.GetValores().GetRendimento(2).GetValor(), 0);
}

TEST(TPruvGridMeses, LeavingTheGridWithARefusedTextKeepsTheUserOnTheCell)
{
    Janela<TPruvGridRendimentos> j;
    j.Em(3, 14);   // the last editable cell: Tab leaves the grid
    EntregaAoEditor(*j.grade, QStringLiteral("9999999999999"));
    Tecla(Qt::Key_Tab);
    QTest::qWait(10);   // the message waits for the focus change to end
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{165});
    EXPECT_EQ(j.Atual(), (Celula{3, 14}));
    EXPECT_TRUE(j.grade->IsActiveControl());
    ASSERT_TRUE(j.grade->EditorMode());
    EXPECT_EQ(j.grade->InplaceEditor()->text(), QStringLiteral("9999999999999"));
}

TEST(TPruvGridMeses, EscRestoresTheStoredAmountAndWhatIsTypedNextReplacesIt)
{
    // Esc in the editor gives the cell its stored text back, all selected: the amount typed
    // after it stands alone, and leaving the cell after Esc stores what was there.
    const struct {
        qint64 guardado;
        const char* antes;
        const char* depois;
        const char* mostra;
        qint64 fica;
    } casos[] = {
        {0, "1000001500", "1000,00", "0,00", Reais(1000)},
        {Reais(250), "1000001500", "1000,00", "250,00", Reais(1000)},
        {Reais(250), "77", "", "250,00", Reais(250)},   // Esc, then away: nothing typed stays
        {Reais(250), "12,3", "9", "250,00", Reais(9)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.guardado << " " << c.antes << " " << c.depois);
        Janela<TPruvGridRendimentos> j;
        j.item.GetValores().GetRendimento(5).SetValor(c.guardado);
        j.Em(1, 5);
        Digita(QString::fromLatin1(c.antes));
        Tecla(Qt::Key_Escape);
        ASSERT_TRUE(j.grade->EditorMode());
        EXPECT_EQ(j.grade->InplaceEditor()->text(), QString::fromLatin1(c.mostra));
        EXPECT_EQ(j.grade->InplaceEditor()->selectedText(), QString::fromLatin1(c.mostra));
        Digita(QString::fromLatin1(c.depois));
        QCoreApplication::processEvents();   // the second decimal moves on by itself
        if (j.Atual() == Celula{1, 5})
            Tecla(Qt::Key_Down);
        EXPECT_EQ(j.item.GetValores().GetRendimento(5).GetValor(), c.fica);
        EXPECT_TRUE(j.dialogos.Textos().isEmpty());
    }
}

TEST(TPruvGridMeses, AnAmountDraggedFromACellDropsIntoAMoneyEdit)
{
    Janela<TPruvGridRendimentos> j;
    j.item.GetValores().GetRendimento(2).SetValor(Reais(42, 10));
    QWidget* celulas = j.grade->viewport();
    const QPoint de = Centro(j.grade->CellRect(1, 2));
    QTest::mousePress(celulas, Qt::LeftButton, {}, de);
    QTest::mouseMove(celulas, de + QPoint(15, 0));   // 12 pixels start the drag
    const QPoint alvo = j.edit->rect().center();
    QTest::mouseMove(j.edit, alvo);
    QTest::mouseRelease(j.edit, Qt::LeftButton, {}, alvo);
    EXPECT_EQ(j.valorDoEdit.GetValor(), Reais(42, 10));
    EXPECT_EQ(j.edit->text(), QStringLiteral("42,10"));
}

TEST(TPruvGridMeses, AmountsAreDroppedOnlyOnAStoredItem)
{
    Janela<TPruvGridRendimentos> j;
    j.item.SetChave(QString());
    j.valorDoEdit.SetValor(Reais(9));
    const QPoint de = j.edit->rect().center();
    QTest::mousePress(j.edit, Qt::LeftButton, Qt::ShiftModifier, de);
    QTest::mouseMove(j.edit, de + QPoint(0, 25));
    const QPoint alvo = Centro(j.grade->CellRect(1, 1));
    QTest::mouseMove(j.grade->viewport(), alvo);
    QTest::mouseRelease(j.grade->viewport(), Qt::LeftButton, {}, alvo);
    EXPECT_EQ(j.item.GetValores().GetRendimento(1).GetValor(), 0);

    j.item.SetChave(QStringLiteral("0000001"));
    QTest::mousePress(j.edit, Qt::LeftButton, Qt::ShiftModifier, de);
    QTest::mouseMove(j.edit, de + QPoint(0, 25));
    QTest::mouseMove(j.grade->viewport(), alvo);
    QTest::mouseRelease(j.grade->viewport(), Qt::LeftButton, {}, alvo);
    EXPECT_EQ(j.item.GetValores().GetRendimento(1).GetValor(), Reais(9));
}

TEST(TPruvGridComprPJ, IsHiddenWithoutLinesAndEditsOnlyTheNature)
{
    DeclaracaoDeTeste declaracao;
    TBeneficiarioPruv beneficiario(&declaracao);
    TComprovantePJ comprovante(beneficiario);
    TPruvGridComprPJ grade;
    grade.show();
    grade.SetComprovante(&comprovante);
    EXPECT_FALSE(grade.isVisible());
    EXPECT_EQ(grade.GetTexto(2, 0), QStringLiteral("Natureza do Rendimento"));
    EXPECT_TRUE(grade.CelulaEditavel(2, 1));
    EXPECT_FALSE(grade.CelulaEditavel(3, 1));
    EXPECT_EQ(grade.Col(), 2);
}

namespace {

// Clicks the cell of the grid (shown and focused) and types 8 there; answers the cells whose text
// changed, compared with the texts before.
template <typename Grade> std::set<Celula> CelulasMudadasPorCliqueEOito(Grade& grade, int c, int l)
{
    const auto textos = [&grade] {
        std::map<Celula, QString> t;
        for (int col = 0; col < grade.ColCount(); ++col)
            for (int lin = 0; lin < grade.RowCount(); ++lin)
                t[{col, lin}] = grade.GetTexto(col, lin);
        return t;
    };
    const auto antes = textos();
    QTest::mouseClick(grade.viewport(), Qt::LeftButton, {}, Centro(grade.CellRect(c, l)));
    Digita(QStringLiteral("8"));
    EXPECT_TRUE(grade.Valida());
    std::set<Celula> mudadas;
    for (const auto& [celula, texto] : textos())
        if (texto != antes.at(celula))
            mudadas.insert(celula);
    return mudadas;
}

}   // namespace

// The company's statement: a click on the income, the tax, the code or the month of a line
// makes its nature current, and what is typed goes there.
TEST(TPruvGridComprPJ, AClickOnAnyCellOfALineTypesIntoItsNature)
{
    DeclaracaoDeTeste declaracao;
    ItensDeTeste itens(declaracao);
    TBeneficiarioPruv beneficiario(&declaracao);
    beneficiario.SetNi(QStringLiteral("11222333000181"));
    TPruvItem& item = itens.Adiciona("11222333000181", "1708", "C");
    for (int mes = 1; mes <= 6; ++mes)
        item.GetValores().GetRendimento(mes).SetValor(Reais(1000 * mes));
    TComprovantePJ comprovante(beneficiario);
    comprovante.AdicionaItens(itens);
    ASSERT_EQ(comprovante.QuantidadeLinhas(), 6);
    QWidget janela;
    auto* grade = new TPruvGridComprPJ(&janela);
    grade->SetComprovante(&comprovante);
    janela.resize(1100, 300);
    grade->setGeometry(0, 0, 1100, 300);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    QApplication::setActiveWindow(&janela);
    grade->setFocus();
    QApplication::processEvents();
    const QString janeiro = grade->GetTexto(2, 1);
    const struct {
        int c, l;
    } casos[] = {{3, 4}, {4, 2}, {1, 5}, {0, 3}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.c << "," << c.l);
        grade->SelecionaCelula(2, 1);
        EXPECT_EQ(CelulasMudadasPorCliqueEOito(*grade, c.c, c.l), std::set<Celula>{Celula(2, c.l)});
        EXPECT_EQ(grade->GetTexto(2, c.l), QStringLiteral("8"));
        EXPECT_EQ(grade->GetTexto(2, 1), janeiro) << "January's nature is left alone";
    }
    grade->SetComprovante(nullptr);
}

// The month grids: a click on a month's name makes its first value current; on the totals
// or the titles, the current cell stays where it shows, and the typing lands there.
TEST(TPruvGridMeses, AClickOnAMonthsNameOrTheTotalsLeavesTheTypingInItsRowOrTheCurrentCell)
{
    constexpr int Totais = TPruvGridMeses::LinhaTotais;
    const struct {
        int c, l;
        std::set<Celula> mudam;   // the cell typed in, and its column's total of months 1 to 12
    } casos[] = {
        {0, 4, {{1, 4}, {1, Totais}}},
        {0, 14, {{1, 14}}},   // the 13th salary, out of the totals
        {2, Totais, {{3, 2}, {3, Totais}}},
        {1, 0, {{3, 2}, {3, Totais}}},
    };
    Janela<TPruvGridRendimentos> j;
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.c << "," << c.l);
        j.Em(3, 2);
        EXPECT_EQ(CelulasMudadasPorCliqueEOito(*j.grade, c.c, c.l), c.mudam);
        for (const auto& [coluna, linha] : c.mudam)
            if (linha != Totais)
                j.grade->SetTexto(coluna, linha, QStringLiteral("0,00"));
    }
    // The columns of the compensation that are not typed in send the typing to the nearest that is.
    Janela<TPruvGridCompensacao> k("0561");
    for (const auto& [c, recebe] : {std::pair{1, 2}, std::pair{4, 3}}) {
        SCOPED_TRACE(c);
        k.Em(2, 1);
        const std::set<Celula> mudadas = CelulasMudadasPorCliqueEOito(*k.grade, c, 5);
        EXPECT_EQ(mudadas.count(Celula(recebe, 5)), 1u);
        for (const Celula& m : mudadas)
            EXPECT_TRUE(m.second == 5 || m.second == TPruvGridMeses::LinhaTotais) << m.first << "," << m.second;
    }
}

TEST(TPruvGridRendParcial, TitleBoxesSpanTheirCells)
{
    const struct {
        int c, l;
        TGridRect caixa;
        const char* texto;
    } casos[] = {
        {0, 0, {0, 0, 0, 1}, "Código"},
        {0, 1, {0, 0, 0, 1}, "Código"},
        {2, 0, {1, 0, 2, 0}, "Parcela de Tributação Exclusiva"},
        {3, 0, {3, 0, 4, 0}, "Parcela Compensável"},
        {3, 1, {3, 1, 3, 1}, "Rendimento"},
        {4, 1, {4, 1, 4, 1}, "Imposto Retido"},
    };
    TPruvGridRendParcial grade;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(TPruvGridRendParcial::CaixaTitulo(c.c, c.l), c.caixa);
        EXPECT_EQ(grade.GetTexto(c.c, c.l), QString::fromUtf8(c.texto));
    }
    EXPECT_FALSE(grade.CelulaEditavel(2, 2));
    EXPECT_TRUE(grade.CelulaEditavel(3, 2));
}

TEST(TPruvGridMeses, RowsKeepTheirDesignedHeightInATallGridAndShareASmallOne)
{
    Janela<TPruvGridRendimentos> j;
    const auto alturaDoMes = [&j] { return j.grade->RowHeights(1); };
    j.janela.resize(700, TPruvGridMeses::AlturaProjeto + 20);
    QApplication::processEvents();
    j.grade->Atualiza();
    const int projeto = alturaDoMes();
    EXPECT_GE(projeto * j.grade->RowCount(), TPruvGridMeses::AlturaProjeto - 30);   // the rows fill it

    j.janela.resize(1600, 1200);   // maximised: the rows stay, the grid shows room below them
    QApplication::processEvents();
    j.grade->Atualiza();
    EXPECT_EQ(alturaDoMes(), projeto);
    EXPECT_LE(j.grade->RowHeights(0), projeto + 2);

    j.janela.resize(700, 200);   // smaller than designed: every month still shown
    QApplication::processEvents();
    j.grade->Atualiza();
    EXPECT_LT(alturaDoMes(), projeto);
    EXPECT_LE(j.grade->GridHeight(), j.grade->ClientHeight() + 1);
}

namespace {

// The roads a person's text takes into a money field.
enum class Via { Digitando, CtrlV, Menu, BotaoDoMeio, Soltando };

const char* NomeDaVia(Via via)
{
    static const char* const nomes[] = {"typing", "Ctrl+V", "menu paste", "middle button", "drop"};
    return nomes[static_cast<int>(via)];
}

// Right-clicks the edit and chooses the menu's Paste.
void ColaPeloMenu(QWidget* alvo)
{
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* acao : menu->actions())
            if (acao->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste"))
                acao->trigger();
        menu->close();
    });
    const QPoint ponto = alvo->rect().center();
    QContextMenuEvent evento(QContextMenuEvent::Mouse, ponto, alvo->mapToGlobal(ponto));
    QApplication::sendEvent(alvo, &evento);
    // The offscreen platform gives the window its activation back only when told.
    QApplication::setActiveWindow(alvo->window());
}

// A text dragged from another program and let go at the point, as the window system hands it.
void SoltaTexto(QWidget* alvo, QPoint ponto, const QString& texto)
{
    QMimeData dados;
    dados.setText(texto);
    QDragEnterEvent entrada(ponto, Qt::CopyAction, &dados, Qt::LeftButton, {});
    QApplication::sendEvent(alvo, &entrada);
    QDragMoveEvent movimento(ponto, Qt::CopyAction, &dados, Qt::LeftButton, {});
    QApplication::sendEvent(alvo, &movimento);
    if (!movimento.isAccepted())
        return;
    QDropEvent soltar(QPointF(ponto), Qt::CopyAction, &dados, Qt::LeftButton, {});
    QApplication::sendEvent(alvo, &soltar);
}

// Puts the text into a field by a road other than typing: the clipboard's by Ctrl+V or the menu's
// Paste, the selection's by the middle button, or a drop at the point of alvo. editor gives the
// widget that takes the menu and the middle button (a cell's editor opens when asked).
void Cola(Via via, const QString& texto, const std::function<QWidget*()>& editor, QWidget* alvo, QPoint ponto)
{
    switch (via) {
    case Via::CtrlV:
        QGuiApplication::clipboard()->setText(texto);
        Tecla(Qt::Key_V, Qt::ControlModifier);
        break;
    case Via::Menu:
        QGuiApplication::clipboard()->setText(texto);
        ColaPeloMenu(editor());
        break;
    case Via::BotaoDoMeio: {
        TSelecaoDoSistema::SetTexto(texto);
        QWidget* meio = editor();
        QTest::mouseClick(meio, Qt::MiddleButton, {}, meio->rect().center());
        break;
    }
    case Via::Soltando:
        SoltaTexto(alvo, ponto, texto);
        break;
    case Via::Digitando:
        break;
    }
}

// A person's statement with one line of partial income, in its grid, shown and focused.
struct JanelaComprovante {
    JanelaComprovante()
    {
        beneficiario.SetNi(QStringLiteral("11144477735"));
        TPruvItem& item = itens.Adiciona("11144477735", "5936", "P");
        // The largest income: the compensable part a line takes is kept within it.
        item.GetValores().GetRendimento(1).SetValor(TMonetario::Maximo);
        comprovante.AdicionaItens(itens);
        auto* layout = new QHBoxLayout(&janela);
        layout->addWidget(grade);
        grade->SetComprovante(&comprovante);
        janela.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&janela));
        QApplication::setActiveWindow(&janela);
        grade->setFocus();
        QCoreApplication::processEvents();
    }
    ~JanelaComprovante() { grade->SetComprovante(nullptr); }

    DialogosRoteirizados dialogos;
    DeclaracaoDeTeste declaracao;
    ItensDeTeste itens{declaracao};
    TBeneficiarioPruv beneficiario{&declaracao};
    TComprovantePF comprovante{beneficiario};
    QWidget janela;
    TPruvGridRendParcial* grade = new TPruvGridRendParcial;
};

}   // namespace

// Whatever road a person's text takes into a money field, a cell of a month grid or of a
// statement, or a bound money edit, the field takes it only when the whole text reads as one
// amount, and then that amount whole, however long the text and whatever the length of the
// field's editor; a text that reads as no amount shows message 114, an amount above the maximum
// 165, and the field keeps its value. Typing goes key by key, each key by the typing rule: "."
// types the decimal comma, other characters are refused, a twelfth integer digit too, and the
// second decimal moves on (what follows lands in the next field).
TEST(TPruvGridMeses, EveryRoadIntoAMoneyFieldTakesOnlyATextThatReadsAsOneAmount)
{
    constexpr qint64 Recusado = -1;   // the value kept, message 114
    constexpr qint64 Excede = -2;     // the value kept, message 165
    constexpr qint64 Nada = -3;       // typed: no key reached the field, nothing said
    constexpr qint64 Igual = -4;      // in a month cell as in the other fields
    const struct {
        const char* texto;
        qint64 centavos;   // pasted or dropped
        qint64 digitado;   // typed
        qint64 digitadoNoMes = Igual;
    } casos[] = {
        {"3 x 500,00", Recusado, 350000},
        {"1.2.3,4,5", Recusado, 123},
        {"1500.00", Recusado, 150000},
        {"12,345", Recusado, 1234},
        {"1.23,00", Recusado, 123},
        {"R$", Recusado, Nada},
        {"500,00 reais", Recusado, 50000},
        {"-500", Recusado, 50000},
        {"R$ 1.234,56", 123456, 123},
        {"1.234,56", 123456, 123},
        {"1234,5", 123450, 123450},
        // Longer than a cell's editor holds: the amount read from the whole text goes in whole.
        {"000000001234,56", 123456, 12356},
        {"0000000000001000,00", 100000, 0},
        {"00000000000000012,34", 1234, 34},
        {"99.999.999.999,99", 9999999999999, 9999},
        {"12.345.678.901,23", 1234567890123, 1234},
        {"R$ 12.345.678.901,23", 1234567890123, 1234},
        {"      1.234,56      ", 123456, 123},
        {"99999999999,99", 9999999999999, 9999999999999},   // the largest amount, typed whole
        {"100.000.000.000,00", Excede, 10000},
        {"99999999999999", Excede, 9999999999900},
        {"999999999999999999999", Excede, 9999999999900},
        // A lone comma is no amount; a month cell reads it as 0,00.
        {",", Recusado, Recusado, 0},
    };
    const qint64 antes = Reais(7);
    enum Campo { CelulaDeMes, CelulaDeComprovante, EditMonetario };
    for (const Campo campo : {CelulaDeMes, CelulaDeComprovante, EditMonetario}) {
        for (const Via via : {Via::Digitando, Via::CtrlV, Via::Menu, Via::BotaoDoMeio, Via::Soltando}) {
            std::optional<Janela<TPruvGridRendimentos>> meses;
            std::optional<JanelaComprovante> comprovante;
            TPruvCustomGrid* grade = nullptr;
            TMonetario* valor = nullptr;
            DialogosRoteirizados* dialogos = nullptr;
            Celula celula{1, 2};
            if (campo == CelulaDeComprovante) {
                comprovante.emplace();
                grade = comprovante->grade;
                valor = &comprovante->comprovante.GetRendimentoParcial(0).GetRendimentoCompensavel();
                dialogos = &comprovante->dialogos;
                celula = {3, 2};
            } else {
                meses.emplace();
                grade = campo == CelulaDeMes ? meses->grade : nullptr;
                valor = campo == CelulaDeMes ? &meses->item.GetValores().GetRendimento(2) : &meses->valorDoEdit;
                dialogos = &meses->dialogos;
            }
            QWidget& janela = comprovante ? comprovante->janela : meses->janela;
            auto* resto = new QLineEdit;   // takes the focus as the user leaves, and what typing spills
            janela.layout()->addWidget(resto);
            for (const auto& c : casos) {
                static const char* const nomes[] = {"month cell", "statement cell", "edit"};
                SCOPED_TRACE(testing::Message() << nomes[campo] << ", " << NomeDaVia(via) << ": " << c.texto);
                const QString texto = QString::fromUtf8(c.texto);
                valor->SetValor(antes);
                if (comprovante)
                    comprovante->grade->Atualiza();
                dialogos->Limpa();
                if (grade) {
                    grade->setFocus();
                    grade->SelecionaCelula(celula.first, celula.second);
                } else {
                    meses->edit->setFocus();
                }
                QCoreApplication::processEvents();
                const auto editor = [&]() -> QWidget* {
                    if (!grade)
                        return meses->edit;
                    Tecla(Qt::Key_F2);   // the cell's editor opens
                    return grade->InplaceEditor();
                };
                if (via == Via::Digitando)
                    Digita(texto);
                else if (grade)
                    Cola(via, texto, editor, grade->viewport(), Centro(grade->CellRect(celula.first, celula.second)));
                else
                    Cola(via, texto, editor, meses->edit, meses->edit->rect().center());
                QCoreApplication::processEvents();
                resto->setFocus();
                QTest::qWait(5);   // a message met while leaving waits for the focus to settle
                const qint64 digitado = campo == CelulaDeMes && c.digitadoNoMes != Igual ? c.digitadoNoMes : c.digitado;
                const qint64 esperado = via == Via::Digitando ? digitado : c.centavos;
                if (esperado < 0) {
                    EXPECT_EQ(valor->GetValor(), antes);
                    EXPECT_EQ(dialogos->Codigos(),
                              esperado == Recusado     ? std::vector<int>{114}
                                  : esperado == Excede ? std::vector<int>{165}
                                                       : std::vector<int>{});
                } else {
                    EXPECT_EQ(valor->GetValor(), esperado * TMonetario::Escala / 100);
                    EXPECT_TRUE(dialogos->Codigos().empty());
                }
            }
        }
    }
}

namespace {

// A click as a person makes it: when the press shows a message, the release goes to the message
// box, never to the grid; then the mouse travels, no button held, to where it goes next.
struct Mouse {
    TPruvCustomGrid& grade;
    DialogosRoteirizados& dialogos;
    QWidget& caixaDaMensagem;

    void Clica(int c, int l)
    {
        QWidget* celulas = grade.viewport();
        const QPoint ponto = Centro(grade.CellRect(c, l));
        Passa(ponto);
        const std::size_t antes = dialogos.Mensagens().size();
        QTest::mousePress(celulas, Qt::LeftButton, {}, ponto);
        if (dialogos.Mensagens().size() == antes)
            QTest::mouseRelease(celulas, Qt::LeftButton, {}, ponto);
        else
            QTest::mouseRelease(&caixaDaMensagem, Qt::LeftButton, {}, caixaDaMensagem.rect().center());
        QCoreApplication::processEvents();
    }
    // The mouse over the point, no button held.
    void Passa(QPoint ponto)
    {
        QWidget* celulas = grade.viewport();
        QMouseEvent movimento(QEvent::MouseMove, ponto, celulas->mapToGlobal(ponto), Qt::NoButton, Qt::NoButton,
                              Qt::NoModifier);
        QApplication::sendEvent(celulas, &movimento);
    }
};

}   // namespace

// A text the cell refuses, then a click on another cell, then on a third: whichever road the
// text took and whenever it is refused (as it is put, or as the cell is left), each value stays
// where it was put, and nothing lands in a cell the user only clicked.
TEST(TPruvGridMeses, ARefusedTextThenClicksLeaveEveryValueWhereItWasPut)
{
    constexpr int Setembro = 9, Agosto = 8, Janeiro = 1;
    constexpr int Rendimento = 1, Deducoes = 2;
    const struct {
        Via via;
        const char* texto;
        int mensagem;
    } casos[] = {
        {Via::CtrlV, "99999999999999", 165},       {Via::Menu, "99999999999999", 165},
        {Via::BotaoDoMeio, "99999999999999", 165}, {Via::BotaoDoMeio, "100.000.000.000,00", 165},
        {Via::Soltando, "99999999999999", 165},    {Via::BotaoDoMeio, "3 x 500,00", 114},
        {Via::Digitando, "99999999999999", 165},   // the editor given a text the model refuses on closing
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << NomeDaVia(c.via) << ": " << c.texto);
        Janela<TPruvGridRendimentos> j;
        auto* caixa = new QWidget;   // where the release goes while a message is shown
        j.janela.layout()->addWidget(caixa);
        Mouse mouse{*j.grade, j.dialogos, *caixa};
        // A message runs an event loop of its own while it is shown.
        j.dialogos.AoMostrar([](const TMensagemDialogo&) { QCoreApplication::processEvents(); });
        TRendimentosTributaveis& valores = j.item.GetValores();
        valores.GetRendimento(Agosto).SetValor(Reais(7));
        valores.GetDeducao(Janeiro).SetValor(Reais(189, 60));
        std::map<const TMonetario*, qint64> esperado;
        for (int mes = 1; mes <= 13; ++mes)
            for (TMonetario* v : {&valores.GetRendimento(mes), &valores.GetDeducao(mes), &valores.GetImposto(mes)})
                esperado[v] = v->GetValor();
        esperado[&valores.GetRendimento(Setembro)] = Reais(2222);

        j.Em(Rendimento, Setembro);
        Digita(QStringLiteral("2222"));
        mouse.Clica(Rendimento, Agosto);
        mouse.Clica(Rendimento, Agosto);   // the second click opens the editor
        ASSERT_TRUE(j.grade->EditorMode());
        const QString texto = QString::fromUtf8(c.texto);
        const QPoint agosto = Centro(j.grade->CellRect(Rendimento, Agosto));
        TInplaceEdit* editor = j.grade->InplaceEditor();
        if (c.via == Via::Digitando)
            editor->setText(texto);
        else
            Cola(
                c.via, texto, [editor] { return editor; }, editor, editor->rect().center());
        QCoreApplication::processEvents();
        mouse.Passa(agosto);
        mouse.Clica(Rendimento, Setembro);
        mouse.Clica(Deducoes, Janeiro);
        mouse.Clica(Deducoes, Janeiro + 1);
        // The message came where the text was refused; the user is free to go once it is put
        // right.
        ASSERT_FALSE(j.dialogos.Codigos().empty());
        EXPECT_EQ(j.dialogos.Codigos().front(), c.mensagem);
        if (c.via == Via::Digitando) {
            // Refused as the cell was left: the editor stays on the cell, with the text.
            EXPECT_EQ(j.Atual(), (Celula{Rendimento, Agosto}));
            ASSERT_TRUE(j.grade->EditorMode());
            EXPECT_EQ(j.grade->InplaceEditor()->text(), texto.left(j.grade->EditLimit()));
            Tecla(Qt::Key_Escape);
        }
        j.dialogos.Limpa();
        j.edit->setFocus();
        QTest::qWait(5);
        EXPECT_TRUE(j.dialogos.Codigos().empty());
        for (const auto& [valor, centavos] : esperado)
            EXPECT_EQ(valor->GetValor(), centavos) << j.grade->GetTexto(Deducoes, Janeiro).toStdString();
    }
}
