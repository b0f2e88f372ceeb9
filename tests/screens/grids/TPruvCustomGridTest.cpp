#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/widgets/TecladoDeTeste.h"
#include "model/values/TDragMonetario.h"
#include "screens/grids/TPruvCustomGrid.h"

using namespace TecladoDeTeste;

namespace {

using Celula = std::pair<int, int>;

QPoint Centro(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Four columns and rows after the titles; the cell (2, 2) is not editable.
class GradeDeTeste : public TPruvCustomGrid {
public:
    explicit GradeDeTeste(bool monetario, QWidget* pai = nullptr)
        : TPruvCustomGrid(pai)
    {
        SetMonetario(monetario);
        SetColCount(4);
        SetRowCount(4);
        SetDefaultColWidth(60);
        SetDefaultRowHeight(20);
    }

    std::map<Celula, QString> textos;
    std::vector<std::pair<Celula, QString>> escritas;
    std::vector<int> validadas;
    bool nenhumaEditavel = false;
    std::vector<QString> arrastados;

    bool CelulaEditavel(int c, int l) override
    {
        return !nenhumaEditavel && TPruvCustomGrid::CelulaEditavel(c, l) && Celula{c, l} != Celula{2, 2};
    }
    QString GetTexto(int c, int l) override { return textos[{c, l}]; }
    void SetTexto(int c, int l, const QString& v) override
    {
        textos[{c, l}] = v;
        escritas.push_back({{c, l}, v});
    }
    bool ValidaLinha(int l) override
    {
        validadas.push_back(l);
        return true;
    }
    QString GetEditText(int c, int l) override { return GetTexto(c, l); }

    // Without a drag under way the application delivers no drag events: the test hands them over.
    using TPruvCustomGrid::dragMoveEvent;
    using TPruvCustomGrid::dropEvent;

protected:
    void Arrasta(std::unique_ptr<TDragMonetario> dados) override
    {
        arrastados.push_back(dados->Monetario().GetTexto());
    }
};

// A grid between two edits, shown and focused on the cell asked.
struct Janela {
    explicit Janela(bool monetario = false)
        : grade(new GradeDeTeste(monetario))
    {
        grade->setMinimumSize(260, 100);   // every cell shown
        auto* layout = new QHBoxLayout(&janela);
        layout->addWidget(antes);
        layout->addWidget(grade);
        layout->addWidget(depois);
        janela.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&janela));
        QApplication::setActiveWindow(&janela);
        grade->setFocus();
    }
    void Em(int c, int l)
    {
        grade->SelecionaCelula(c, l);
        grade->escritas.clear();
        grade->validadas.clear();
    }
    [[nodiscard]] Celula Atual() const { return {grade->Col(), grade->Row()}; }
    void Solta(int c, int l, const QString& valor, Qt::DropAction* acao = nullptr)
    {
        TDragMonetario dados(valor);
        const TRect r = grade->CellRect(c, l);
        const QPointF ponto(r.Left + 5, r.Top + 5);
        QDragMoveEvent sobre(ponto.toPoint(), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        grade->dragMoveEvent(&sobre);
        QDropEvent soltar(ponto, Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        grade->dropEvent(&soltar);
        if (acao)
            *acao = sobre.isAccepted() ? Qt::CopyAction : Qt::IgnoreAction;
    }

    QWidget janela;
    QLineEdit* antes = new QLineEdit;
    GradeDeTeste* grade;
    QLineEdit* depois = new QLineEdit;
};

}   // namespace

TEST(TPruvCustomGrid, EditableAreaIsEveryCellPastTheFixedOnes)
{
    GradeDeTeste grade(false);
    EXPECT_EQ(grade.AreaEditavel(), (TGridRect{1, 1, 3, 3}));
    EXPECT_FALSE(grade.TPruvCustomGrid::CelulaEditavel(0, 1));
    EXPECT_FALSE(grade.TPruvCustomGrid::CelulaEditavel(1, 0));
    EXPECT_TRUE(grade.TPruvCustomGrid::CelulaEditavel(3, 3));
    EXPECT_EQ(grade.Options(), TGridOptions(goVertLine | goHorzLine | goEditing | goTabs));
}

TEST(TPruvCustomGrid, KeysWalkRoundTheEditableAreaSkippingCellsThatAreNot)
{
    const struct {
        Celula de;
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        Celula para;
    } casos[] = {
        {{1, 1}, Qt::Key_Right, Qt::NoModifier, {2, 1}},
        {{3, 1}, Qt::Key_Right, Qt::NoModifier, {1, 2}},    // end of the row: the next one
        {{1, 2}, Qt::Key_Tab, Qt::NoModifier, {3, 2}},      // over the cell that is not editable
        {{3, 3}, Qt::Key_Return, Qt::NoModifier, {1, 1}},   // last cell: round to the first
        {{3, 3}, Qt::Key_Right, Qt::NoModifier, {1, 1}},
        {{1, 1}, Qt::Key_Left, Qt::NoModifier, {3, 3}},   // first cell: round to the last
        {{1, 2}, Qt::Key_Backtab, Qt::ShiftModifier, {3, 1}},
        {{2, 1}, Qt::Key_Down, Qt::NoModifier, {2, 3}},
        {{2, 3}, Qt::Key_Down, Qt::NoModifier, {3, 1}},   // foot of a column: top of the next
        {{3, 3}, Qt::Key_Down, Qt::NoModifier, {1, 1}},
        {{1, 1}, Qt::Key_Up, Qt::NoModifier, {3, 3}},
        {{2, 3}, Qt::Key_Up, Qt::NoModifier, {2, 1}},
    };
    Janela j;
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.de.first << "," << c.de.second << " key " << c.tecla);
        j.Em(c.de.first, c.de.second);
        Tecla(c.tecla, c.mods);
        EXPECT_EQ(j.Atual(), c.para);
        // Moving to another row validates the row left.
        const std::vector<int> esperadas = c.para.second != c.de.second ? std::vector<int>{c.de.second}
                                                                        : std::vector<int>{};
        EXPECT_EQ(j.grade->validadas, esperadas);
    }
}

TEST(TPruvCustomGrid, WithoutEditableCellsEveryKeyStaysOnTheCell)
{
    Janela j;
    j.Em(2, 1);
    j.grade->nenhumaEditavel = true;
    for (const Qt::Key tecla : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}) {
        Tecla(tecla);
        EXPECT_EQ(j.Atual(), (Celula{2, 1})) << tecla;
    }
}

TEST(TPruvCustomGrid, TabAtItsEndsLeavesTheGridWhichGoesBackToItsFirstCell)
{
    Janela j;
    j.Em(3, 3);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), j.depois);
    EXPECT_EQ(j.Atual(), (Celula{1, 1}));
    EXPECT_EQ(j.grade->validadas, std::vector<int>{3});   // on leaving, without refusing it

    j.grade->setFocus();
    j.Em(1, 1);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), j.antes);

    // From inside the editor too, the typed text going to its cell.
    j.grade->setFocus();
    j.Em(3, 3);
    Digita(QStringLiteral("x"));
    ASSERT_TRUE(j.grade->InplaceEditor()->hasFocus());
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), j.depois);
    EXPECT_EQ(j.grade->textos[Celula(3, 3)], QStringLiteral("x"));
}

TEST(TPruvCustomGrid, EnterInTheLastCellFiresOnPressEnterAfterGoingToTheFirst)
{
    Janela j;
    std::vector<Celula> disparos;
    j.grade->OnPressEnter = [&](TPruvCustomGrid* g) { disparos.push_back({g->Col(), g->Row()}); };
    j.Em(3, 3);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(j.Atual(), (Celula{1, 1}));
    EXPECT_EQ(disparos, (std::vector<Celula>{{1, 1}}));
    Tecla(Qt::Key_Return);   // elsewhere Enter only moves
    EXPECT_EQ(j.Atual(), (Celula{2, 1}));
    EXPECT_EQ(disparos.size(), 1u);
}

TEST(TPruvCustomGrid, TextReachesTheCellOnlyWhenTheEditorCloses)
{
    Janela j;
    j.Em(1, 1);
    Digita(QStringLiteral("abc"));
    EXPECT_TRUE(j.grade->escritas.empty());
    EXPECT_TRUE(j.grade->Valida());
    EXPECT_EQ(j.grade->escritas, (std::vector<std::pair<Celula, QString>>{{{1, 1}, QStringLiteral("abc")}}));
    EXPECT_EQ(j.grade->validadas, std::vector<int>{1});
}

// A click on a cell that takes no typing makes current the nearest editable cell of its row, so
// that what is typed next lands in the row clicked; a click on no row leaves the current cell
// as it is, and what is typed lands there, where it shows.
TEST(TPruvCustomGrid, AClickOnACellThatTakesNoTypingLeavesTheTypingInTheRowClicked)
{
    enum { Titulos = -1, Abaixo = -2 };
    const struct {
        const char* onde;
        int c, l;   // the cell clicked; with the column -1, the empty area right of the row
        Celula recebe;
    } casos[] = {
        {"a cell that is not editable", 2, 2, {1, 2}},
        {"a fixed cell", 0, 3, {1, 3}},
        {"the empty area right of a row", -1, 3, {3, 3}},
        {"a title", 2, Titulos, {1, 1}},
        {"below the rows", 2, Abaixo, {1, 1}},
    };
    for (const bool editando : {false, true}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(testing::Message() << c.onde << (editando ? ", the editor open" : ""));
            Janela j;
            j.Em(1, 1);
            if (editando)
                Tecla(Qt::Key_F2);
            const TRect ultima = j.grade->CellRect(3, 3);
            QPoint ponto = Centro(j.grade->CellRect(std::max(c.c, 0), std::max(c.l, 0)));
            if (c.c < 0)
                ponto.setX(ultima.Right + 8);
            if (c.l == Abaixo)
                ponto.setY(ultima.Bottom + 8);
            ASSERT_LT(ponto.x(), j.grade->viewport()->width());
            ASSERT_LT(ponto.y(), j.grade->viewport()->height());
            QTest::mouseClick(j.grade->viewport(), Qt::LeftButton, {}, ponto);
            Digita(QStringLiteral("x"));
            EXPECT_TRUE(j.grade->Valida());
            std::vector<Celula> digitadas;
            for (const auto& [celula, texto] : j.grade->escritas)
                if (texto.contains(QLatin1Char('x')))
                    digitadas.push_back(celula);
            EXPECT_EQ(digitadas, std::vector<Celula>{c.recebe});
        }
    }
}

TEST(TPruvInplaceEditMonetario, TheSecondDecimalMovesToTheNextCell)
{
    Janela j(true);
    j.Em(1, 1);
    Digita(QStringLiteral("1234.5x6"));
    QApplication::processEvents();
    EXPECT_EQ(j.Atual(), (Celula{2, 1}));
    EXPECT_EQ(j.grade->textos[Celula(1, 1)], QStringLiteral("1234,56"));
    EXPECT_TRUE(j.grade->InplaceEditor()->alignment().testFlag(Qt::AlignRight));
}

TEST(TPruvCustomGrid, CopiesAndPastesOneCell)
{
    Janela j;
    j.grade->textos[{1, 1}] = QStringLiteral("origem");
    j.Em(1, 1);
    QTest::keyClick(j.grade, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("origem"));

    Tecla(Qt::Key_Right);
    QTest::keyClick(j.grade, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();
    Tecla(Qt::Key_Return);
    EXPECT_EQ(j.grade->textos[Celula(2, 1)], QStringLiteral("origem"));

    // Read-only: nothing pasted; the copy takes the cell's own text.
    j.grade->SetReadOnly(true);
    j.grade->textos[{3, 1}] = QStringLiteral("fica");
    j.Em(3, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("novo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();
    j.grade->Valida();
    EXPECT_EQ(j.grade->textos[Celula(3, 1)], QStringLiteral("fica"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("fica"));
}

// A read-only grid has no cell to edit: a character, a paste, a click on the current cell or F2
// open no editor, and moving on writes nothing.
TEST(TPruvCustomGrid, OnAReadOnlyGridNoEditorOpensAndNothingIsWritten)
{
    for (bool monetario : {false, true}) {
        SCOPED_TRACE(monetario);
        Janela j(monetario);
        j.grade->SetReadOnly(true);
        j.grade->textos[{1, 1}] = QStringLiteral("1,00");
        j.Em(1, 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("5"));
        const TRect r = j.grade->CellRect(1, 1);
        const auto editorAberto = [&j] { return j.grade->InplaceEditor() && j.grade->InplaceEditor()->isVisible(); };
        const std::function<void()> gestos[] = {
            [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_9); },
            [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier); },
            [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2); },
            [&] { QTest::mouseClick(j.grade->viewport(), Qt::LeftButton, {}, r.ToQRect().center()); },
        };
        for (const auto& gesto : gestos) {
            gesto();
            QApplication::processEvents();
            EXPECT_FALSE(editorAberto());
        }
        Tecla(Qt::Key_Down);
        j.grade->Valida();
        EXPECT_EQ(j.grade->textos[Celula(1, 1)], QStringLiteral("1,00"));
        EXPECT_TRUE(j.grade->escritas.empty());
    }
}

TEST(TPruvCustomGrid, DragsAMoneyValueOutOfACellAndDropsItOnAnother)
{
    Janela j(true);
    j.grade->textos[{1, 2}] = QStringLiteral("12,50");
    j.Em(1, 1);
    const TRect r = j.grade->CellRect(1, 2);
    const QPoint de(r.Left + 5, r.Top + 5);
    QTest::mousePress(j.grade->viewport(), Qt::LeftButton, Qt::NoModifier, de);
    QTest::mouseMove(j.grade->viewport(), de + QPoint(11, 0));
    EXPECT_TRUE(j.grade->arrastados.empty());   // not yet 12 pixels
    QTest::mouseMove(j.grade->viewport(), de + QPoint(12, 0));
    QTest::mouseRelease(j.grade->viewport(), Qt::LeftButton, Qt::NoModifier, de + QPoint(12, 0));
    EXPECT_EQ(j.grade->arrastados, std::vector<QString>{QStringLiteral("12,50")});

    j.Em(1, 1);
    Qt::DropAction acao{};
    j.Solta(3, 3, QStringLiteral("7,25"), &acao);
    EXPECT_EQ(acao, Qt::CopyAction);
    EXPECT_EQ(j.grade->escritas, (std::vector<std::pair<Celula, QString>>{{{3, 3}, QStringLiteral("7,25")}}));
    EXPECT_EQ(j.grade->validadas, std::vector<int>{3});

    // Neither on a cell that is not editable nor on a read-only grid.
    j.grade->escritas.clear();
    j.Solta(2, 2, QStringLiteral("1,00"), &acao);
    EXPECT_EQ(acao, Qt::IgnoreAction);
    j.grade->SetReadOnly(true);
    j.Solta(3, 2, QStringLiteral("1,00"), &acao);
    EXPECT_EQ(acao, Qt::IgnoreAction);
    EXPECT_TRUE(j.grade->escritas.empty());
}

TEST(TPruvCustomGrid, HintAsksForTheCellUnderTheMouse)
{
    Janela j;
    const TRect r = j.grade->CellRect(2, 1);
    std::vector<Celula> perguntadas;
    j.grade->OnHint = [&](int c, int l, QString& texto, bool& mostra) {
        perguntadas.push_back({c, l});
        texto = QStringLiteral("dica");
        mostra = false;
    };
    QString texto;
    bool mostra = true;
    THintInfo info{QPoint(r.Left + 2, r.Top + 2), {}};
    j.grade->MostraHint(texto, mostra, info);
    EXPECT_EQ(perguntadas, (std::vector<Celula>{{2, 1}}));
    EXPECT_EQ(texto, QStringLiteral("dica"));
    EXPECT_FALSE(mostra);
    EXPECT_EQ(info.CursorRect, (TRect{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1}));
}
