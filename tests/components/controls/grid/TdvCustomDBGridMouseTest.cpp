#include <QCursor>
#include <memory>

#include "components/controls/GradeDeDadosDeTeste.h"
#include "components/controls/grid/TdvCellHint.h"
#include "components/controls/grid/TdvGridHintWindow.h"
#include "platform/widgets/controls/THintWindow.h"

namespace {

// The grid's mouse: clicks, titles, column borders and cell hints.
class GradeClicada : public TdvCustomDBGridTest {
protected:
    void Mostra(int linhas)
    {
        TdvCustomDBGridTest::Mostra(linhas);
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    }

    void Clica(int coluna, int linha, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, mods, Centro(grade->CellRect(coluna, linha)));
    }

    // Presses at de, moves through the points given and lets go at the last one.
    void Arrasta(QPoint de, std::initializer_list<QPoint> caminho)
    {
        QWidget* area = grade->viewport();
        QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, de);
        QPoint ultimo = de;
        for (const QPoint& p : caminho) {
            QTest::mouseMove(area, p);
            ultimo = p;
        }
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, ultimo);
    }

    void Sobre(int coluna, int linha) { QTest::mouseMove(grade->viewport(), Centro(grade->CellRect(coluna, linha))); }
};

}   // namespace

TEST_F(GradeClicada, AClickMovesTheRecordAndTheColumnOnceAndASecondOpensTheEditor)
{
    int linhas = 0, celulas = 0, duplos = 0;
    grade->OnRowChanged = [&](TdvCustomDBGrid*) { ++linhas; };
    grade->OnCellChanged = [&](TdvCustomDBGrid*) { ++celulas; };
    grade->OnDblClick = [&](TCustomGrid*) { ++duplos; };
    Mostra(10);
    linhas = celulas = 0;

    Clica(2, 4);
    EXPECT_TRUE(grade->IsActiveControl());
    EXPECT_EQ(Atual(), 4);
    EXPECT_EQ(grade->SelectedIndex(), 1);
    EXPECT_EQ(linhas, 1);
    EXPECT_EQ(celulas, 1);
    EXPECT_FALSE(Editando());
    Clica(2, 4);
    EXPECT_TRUE(Editando());
    EXPECT_EQ(celulas, 1);

    Clica(1, 7);   // the window system's double click: a click, then the second press
    QTest::mouseDClick(grade->viewport(), Qt::LeftButton, Qt::NoModifier, Centro(grade->CellRect(1, 7)));
    EXPECT_EQ(Atual(), 7);
    EXPECT_EQ(duplos, 1);
    EXPECT_EQ(linhas, 2);   // the first press moved; the second only told of the double click

    // A press held while the mouse moves down the rows takes the record along.
    Arrasta(Centro(grade->CellRect(1, 2)), {Centro(grade->CellRect(1, 3)), Centro(grade->CellRect(1, 5))});
    EXPECT_EQ(Atual(), 5);
    EXPECT_EQ(grade->GridState(), TGridState::gsNormal);
}

TEST_F(GradeClicada, HeldPastTheEdgeTheRowsScroll)
{
    Mostra(10);
    const struct {
        TGridScrollDirections direcao;
        int registro;
    } casos[] = {
        {sdDown, 11},                 // the row after the last one shown
        {sdDown, 12}, {sdUp, 2},      // the row before the first one shown (3 to 12)
        {sdUp, 1},    {sdRight, 1},   // and the column moves on
    };
    for (const auto& c : casos) {
        grade->TimedScroll(c.direcao);
        EXPECT_EQ(Atual(), c.registro);
    }
    EXPECT_EQ(grade->SelectedIndex(), 1);
}

TEST_F(GradeClicada, ClicksSelectRecordsButNotOnTheSelectedCheckBoxColumn)
{
    tabela.Close();
    tabela.AddField(std::make_unique<TField>(ftString, QStringLiteral("Selected"), 1, fkCalculated));
    tabela.Open();
    tabela.ControlType() = {QStringLiteral("Selected;CheckBox;T;F")};
    grade->SetOptions(grade->Options() | dgRowSelect | dgMultiSelect);
    grade->SetMultiSelectOptions(msoAutoUnselect | msoShiftSelect);
    Mostra(10);

    const struct {
        int linha;
        Qt::KeyboardModifiers mods;
        std::set<int> selecionados;
    } casos[] = {
        {3, Qt::NoModifier, {3}},         {5, Qt::NoModifier, {5}},   // a plain click leaves only the record clicked
        {7, Qt::ControlModifier, {5, 7}}, {5, Qt::ControlModifier, {7}}, {2, Qt::ShiftModifier, {2, 7}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        Clica(2, c.linha, c.mods);
        EXPECT_EQ(grade->selecionados, c.selecionados);
        EXPECT_TRUE(grade->ClickSelecting());
        ASSERT_TRUE(grade->Ancora().has_value());
        EXPECT_EQ(*grade->Ancora(), tabela.GetBookmark());
    }
    Clica(4, 9);   // the check-box column has its own rules
    EXPECT_EQ(Atual(), 9);
    EXPECT_EQ(grade->selecionados, (std::set<int>{2, 7}));
}

TEST_F(GradeClicada, ATitleIsAButtonUntilItIsDraggedToAnotherColumn)
{
    QStringList cliques;
    std::vector<std::pair<int, int>> movidas;
    grade->SetTitleButtons(true);
    grade->OnTitleButtonClick = [&](TdvCustomDBGrid*, const QString& campo) { cliques << campo; };
    grade->OnColumnMoved = [&](TdvCustomDBGrid*, int de, int para) { movidas.emplace_back(de, para); };
    grade->SetUseTFields(false);
    grade->SetSelected({QStringLiteral("NR\t4\tNr"), QStringLiteral("NOME\t12\tNome"), QStringLiteral("ATIVO\t1\tA")});
    Mostra(5);

    const QPoint nome = Centro(grade->CellRect(2, 0));
    QTest::mousePress(grade->viewport(), Qt::LeftButton, Qt::NoModifier, nome);
    EXPECT_EQ(grade->PressedTitleCol(), 2);   // drawn sunken
    QTest::mouseMove(grade->viewport(), nome + QPoint(2, 2));
    QTest::mouseRelease(grade->viewport(), Qt::LeftButton, Qt::NoModifier, nome + QPoint(2, 2));
    EXPECT_EQ(cliques, QStringList{QStringLiteral("NOME")});
    EXPECT_EQ(grade->PressedTitleCol(), -1);
    EXPECT_TRUE(movidas.empty());

    const QPoint nr = Centro(grade->CellRect(1, 0));
    Arrasta(nr, {nr + QPoint(5, 0), Centro(grade->CellRect(3, 0))});
    EXPECT_EQ(
        grade->Selected(),
        (QStringList{QStringLiteral("NOME\t12\tNome"), QStringLiteral("ATIVO\t1\tA"), QStringLiteral("NR\t4\tNr")}));
    EXPECT_EQ(movidas, (std::vector<std::pair<int, int>>{{0, 2}}));
    EXPECT_EQ(cliques.size(), 1);

    // Let go where it started: the column stays.
    const QPoint ativo = Centro(grade->CellRect(2, 0));
    Arrasta(ativo, {ativo + QPoint(30, 0), ativo});
    EXPECT_EQ(movidas.size(), 1u);
}

TEST_F(GradeClicada, ATitleDraggedPastTheRightEdgeScrollsTheColumns)
{
    grade->SetUseTFields(false);
    grade->SetSelected(
        {QStringLiteral("NR\t25\tNr"), QStringLiteral("NOME\t25\tNome"), QStringLiteral("ATIVO\t25\tA")});
    Mostra(5);
    ASSERT_EQ(grade->LeftCol(), 1);
    const QPoint nr = Centro(grade->CellRect(1, 0));
    QWidget* area = grade->viewport();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, nr);
    QTest::mouseMove(area, nr + QPoint(10, 0));
    QTest::mouseMove(area, QPoint(grade->ClientWidth() - 5, nr.y()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return grade->LeftCol() == 2; }, 2000));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(grade->ClientWidth() - 5, nr.y()));
    EXPECT_EQ(grade->Fields(grade->FieldCount() - 1)->FieldName(), QStringLiteral("NR"));
}

TEST_F(GradeClicada, AColumnBorderResizesTheColumnAndTellsWhichOne)
{
    std::vector<int> mudadas;
    grade->OnColWidthChanged = [&](TdvCustomDBGrid*, int coluna) { mudadas.push_back(coluna); };
    grade->SetUseTFields(false);
    grade->SetSelected({QStringLiteral("NR\t4\tNr"), QStringLiteral("NOME\t12\tNome\tF")});
    Mostra(5);
    const int antes = grade->ColWidths(2);
    const int zero = dvTextWidth(Fonte(), QStringLiteral("0"));
    const QPoint borda(grade->CellRect(2, 0).Right, 4);
    Arrasta(borda, {borda + QPoint(3 * zero, 0)});
    EXPECT_EQ(grade->ColWidths(2), antes + 3 * zero);
    EXPECT_EQ(grade->Selected()[1], QStringLiteral("NOME\t15\tNome\tF"));
    EXPECT_EQ(mudadas, std::vector<int>{1});
    EXPECT_EQ(Atual(), 1);   // no record was clicked
}

TEST_F(GradeClicada, ACellTooSmallForItsTextShowsItInAHintUntilTheMouseLeaves)
{
    grade->SetOptions(grade->Options() | dgShowCellHint);
    grade->SetUseTFields(false);
    grade->SetSelected({QStringLiteral("NR\t2\tN"), QStringLiteral("NOME\t3\tNome")});
    Mostra(5);

    Sobre(2, 2);
    TdvGridHintWindow* dica = grade->CellHintWindow();
    ASSERT_NE(dica, nullptr);
    EXPECT_EQ(dica->Caption(), QStringLiteral("Nome 2"));
    EXPECT_TRUE(dica->isVisible());
    EXPECT_EQ(dica->geometry().topLeft(),
              grade->viewport()->mapToGlobal(QPoint(grade->CellRect(2, 2).Left, grade->CellRect(2, 2).Top - 1)));
    Sobre(1, 2);   // the number fits
    EXPECT_EQ(grade->CellHintWindow(), nullptr);

    // The hint stays while the mouse rests on its cell, for 16 checks at least.
    Sobre(2, 3);
    QCursor::setPos(grade->viewport()->mapToGlobal(Centro(grade->CellRect(2, 3))));
    TdvCellHint& hint = grade->CellHint();
    for (int i = 0; i < 16; ++i)
        hint.Tick();
    ASSERT_NE(grade->CellHintWindow(), nullptr);
    EXPECT_EQ(grade->CellHintWindow()->Caption(), QStringLiteral("Nome 3"));
    hint.Tick();
    EXPECT_EQ(grade->CellHintWindow(), nullptr);
    Sobre(2, 3);   // it does not come back until another cell is entered
    EXPECT_EQ(grade->CellHintWindow(), nullptr);

    Sobre(2, 4);
    ASSERT_NE(grade->CellHintWindow(), nullptr);
    QCursor::setPos(grade->viewport()->mapToGlobal(Centro(grade->CellRect(2, 1))));
    hint.Tick();
    EXPECT_EQ(grade->CellHintWindow(), nullptr);
    EXPECT_EQ(hint.LastCell(), TGridCoord());

    // A press anywhere hides it.
    Sobre(2, 5);
    ASSERT_NE(grade->CellHintWindow(), nullptr);
    Clica(1, 1);
    EXPECT_EQ(grade->CellHintWindow(), nullptr);
}
