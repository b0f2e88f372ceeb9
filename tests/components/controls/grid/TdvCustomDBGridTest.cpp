#include <QBuffer>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtEndian>
#include <cstring>
#include <functional>

#include "components/controls/GradeDeDadosDeTeste.h"
#include "components/controls/grid/TdvColumn.h"
#include "components/controls/grid/dvGridLayout.h"
#include "components/controls/grid/dvGridPaint.h"
#include "components/data/settings/TdvIntl.h"

TEST_F(TdvCustomDBGridTest, ColumnsComeFromTheSelectedLines)
{
    grade->SetUseTFields(false);
    grade->SetTitleLines(2);
    grade->SetSelected({QStringLiteral("NR\t5\tNúmero"), QStringLiteral("FALTA\t8\tSem campo"),
                        QStringLiteral("NOME\t20\tNome do~Beneficiário\tT"), QStringLiteral("ATIVO\t1\tAtivo\tF")});
    Mostra(10);

    // The line of a field the table lacks is dropped.
    EXPECT_EQ(grade->Selected().size(), 3);
    ASSERT_EQ(grade->FieldCount(), 3);
    EXPECT_EQ(grade->ColCount(), 4);
    EXPECT_EQ(grade->Fields(1)->FieldName(), QStringLiteral("NOME"));
    const int zero = dvTextWidth(Fonte(), QStringLiteral("0"));
    const struct {
        int coluna;
        int largura;
        bool parada;
    } casos[] = {
        {1, std::max(5 * zero + 4, dvTextWidth(Fonte(), QStringLiteral("Número")) + 4), true},
        {2, std::max(20 * zero + 4, dvTextWidth(Fonte(), QStringLiteral("Beneficiário")) + 4), false},
        {3, dvTextWidth(Fonte(), QStringLiteral("Ativo")) + 4, true},   // wider than one character
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.coluna);
        EXPECT_EQ(grade->ColWidths(c.coluna), c.largura);
        EXPECT_EQ(grade->TabStops(c.coluna), c.parada);
    }
    EXPECT_EQ(grade->RowHeights(0), 2 * dvTextHeight(Fonte()) + 4);
    EXPECT_TRUE(grade->ColumnByFieldName(QStringLiteral("nome"))->ReadOnly());
    EXPECT_FALSE(grade->ColumnByFieldName(QStringLiteral("ATIVO"))->ReadOnly());
    EXPECT_FALSE(grade->ColumnByFieldName(QStringLiteral("FALTA"))->ReadOnly());
    EXPECT_EQ(grade->ColumnByFieldName(QStringLiteral("FALTA"))->FieldName(), QString());

    // Widening a column by hand writes its width back, keeping the flag.
    grade->SetColWidths(2, 20 * zero + 4 + 3 * zero);
    EXPECT_EQ(grade->Selected()[1], QStringLiteral("NOME\t23\tNome do~Beneficiário\tT"));
}

TEST_F(TdvCustomDBGridTest, ColumnsComeFromTheVisibleFieldsOrAreOneEmptyColumn)
{
    tabela.FieldByName(QStringLiteral("NOME"))->SetDisplayLabel(QStringLiteral("Nome"));
    tabela.FieldByName(QStringLiteral("NOME"))->SetDisplayWidth(15);
    tabela.FieldByName(QStringLiteral("ATIVO"))->SetVisible(false);
    Mostra(5);
    ASSERT_EQ(grade->FieldCount(), 2);
    EXPECT_EQ(grade->ColCount(), 3);
    EXPECT_EQ(grade->ColWidths(2), 15 * dvTextWidth(Fonte(), QStringLiteral("0")) + 4);
    EXPECT_EQ(grade->RowHeights(0), dvTextHeight(Fonte()) + 4);

    // A field's width written back by a hand resize.
    grade->SetColWidths(2, 10 * dvTextWidth(Fonte(), QStringLiteral("0")) + 4);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->DisplayWidth(), 10);

    grade->SetUseTFields(false);
    EXPECT_EQ(grade->FieldCount(), 0);
    EXPECT_EQ(grade->ColCount(), 2);
}

TEST_F(TdvCustomDBGridTest, RowsShowTheDataLinksWindowWhileTheTableMoves)
{
    Mostra(10);
    EXPECT_EQ(grade->DataLink().BufferCount(), 10);
    EXPECT_EQ(grade->RowCount(), 11);

    const struct {
        const char* passo;
        std::function<void(TdvTable&)> move;
        int linha;
        QList<int> mostrados;
    } casos[] = {
        {"first", [](TdvTable& t) { t.First(); }, 1, De(1, 10)},
        {"middle", [](TdvTable& t) { t.MoveBy(5); }, 6, De(1, 10)},
        {"past the last row", [](TdvTable& t) { t.MoveBy(6); }, 10, De(3, 12)},
        {"back up one", [](TdvTable& t) { t.Prior(); }, 9, De(3, 12)},
        {"end", [](TdvTable& t) { t.Last(); }, 10, De(21, 30)},
        {"a page back", [](TdvTable& t) { t.MoveBy(-12); }, 1, De(18, 27)},
        {"to a record", [](TdvTable& t) { t.SetRecNo(29); }, 9, De(21, 30)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.passo);
        c.move(tabela);
        EXPECT_EQ(grade->Row(), c.linha);
        EXPECT_EQ(Mostrados(), c.mostrados);
        EXPECT_EQ(Mostrados().value(grade->Row() - 1), Atual());
    }
}

TEST_F(TdvCustomDBGridTest, RowsFollowRecordsAddedAndDeletedByTheTable)
{
    Mostra(10);
    tabela.MoveBy(3);
    tabela.Insert();
    tabela.FieldByName(QStringLiteral("NR"))->SetAsInteger(0);
    EXPECT_EQ(grade->Row(), 4);
    EXPECT_EQ(grade->RowCount(), 11);
    tabela.Post();
    EXPECT_EQ(Atual(), 0);
    EXPECT_EQ(Mostrados().value(grade->Row() - 1), 0);
    EXPECT_EQ(Mostrados().first(), 0);

    tabela.Delete();
    EXPECT_EQ(Mostrados(), De(1, 10));
    EXPECT_EQ(Mostrados().value(grade->Row() - 1), Atual());

    tabela.Last();
    tabela.Delete();
    EXPECT_EQ(Mostrados(), De(20, 29));
    EXPECT_EQ(grade->Row(), 10);

    tabela.EmptyTable();
    EXPECT_EQ(grade->RowCount(), 2);
    Acrescenta(7);
    Acrescenta(8);
    EXPECT_EQ(grade->RowCount(), 3);
    EXPECT_EQ(Mostrados(), (QList<int>{7, 8}));
}

TEST_F(TdvCustomDBGridTest, RowAndCellEventsFollowTheRecordAndTheColumn)
{
    int linhas = 0, celulas = 0, entradas = 0, topos = 0;
    grade->OnRowChanged = [&](TdvCustomDBGrid*) { ++linhas; };
    grade->OnCellChanged = [&](TdvCustomDBGrid*) { ++celulas; };
    grade->OnColEnter = [&](TdvCustomDBGrid*) { ++entradas; };
    grade->OnTopRowChanged = [&](TdvCustomDBGrid*) { ++topos; };
    grade->SetDataSource(&fonte);
    // Not shown yet: entering the column waits for the window.
    EXPECT_EQ(entradas, 0);
    Mostra(10);
    EXPECT_EQ(entradas, 1);
    EXPECT_EQ(linhas, 1);
    EXPECT_EQ(celulas, 1);   // once, for the row and the column together

    const struct {
        const char* passo;
        std::function<void()> faz;
        int linhas;
        int celulas;
        int topos;
    } casos[] = {
        {"next record", [&] { tabela.Next(); }, 1, 1, 0},
        {"same record", [&] { tabela.MoveBy(0); }, 0, 0, 0},
        {"another column", [&] { grade->SetSelectedIndex(2); }, 0, 1, 0},
        {"past the last row", [&] { tabela.MoveBy(12); }, 1, 1, 1},
        {"more than a page", [&] { tabela.MoveBy(12); }, 1, 1, 1},
        {"a new record", [&] { tabela.Append(); }, 1, 1, 0},
        {"cancelled", [&] { tabela.Cancel(); }, 1, 1, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.passo);
        const int l = linhas, ce = celulas, t = topos;
        c.faz();
        EXPECT_EQ(linhas - l, c.linhas);
        EXPECT_EQ(celulas - ce, c.celulas);
        EXPECT_EQ(topos - t, c.topos);
    }
}

TEST_F(TdvCustomDBGridTest, ClosingAndOpeningTheTableEmptiesAndRefillsTheGrid)
{
    int entradas = 0, rodapes = 0;
    grade->OnColEnter = [&](TdvCustomDBGrid*) { ++entradas; };
    grade->OnUpdateFooter = [&](TdvCustomDBGrid*) { ++rodapes; };
    Mostra(10);
    EXPECT_EQ(entradas, 1);
    EXPECT_EQ(rodapes, 2);   // the first layout, then the column entered once shown

    tabela.Close();
    EXPECT_EQ(grade->FieldCount(), 0);
    EXPECT_EQ(grade->RowCount(), 2);
    EXPECT_EQ(grade->Fields(0), nullptr);
    (void)Imagem();   // an inactive grid paints its empty cells

    tabela.Open();
    EXPECT_EQ(grade->FieldCount(), 3);
    EXPECT_EQ(grade->RowCount(), 11);
    EXPECT_EQ(Mostrados(), De(1, 10));
    EXPECT_EQ(entradas, 2);
    EXPECT_EQ(rodapes, 2);

    // The footer is brought up to date by the next change of the data, not by a move.
    tabela.Next();
    EXPECT_EQ(rodapes, 2);
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Outro"));
    tabela.Post();
    EXPECT_EQ(rodapes, 3);
}

TEST_F(TdvCustomDBGridTest, TheScrollBarShowsTheRecordNumberAndMovesTheTable)
{
    Mostra(10);
    EXPECT_EQ(grade->Barra(), (TScrollInfo{1, 39, 10, 1}));
    tabela.MoveBy(14);
    EXPECT_EQ(grade->Barra().Pos, 15);

    const struct {
        QAbstractSlider::SliderAction acao;
        int registro;
    } casos[] = {
        {QAbstractSlider::SliderSingleStepAdd, 16}, {QAbstractSlider::SliderSingleStepSub, 15},
        {QAbstractSlider::SliderPageStepAdd, 25},   {QAbstractSlider::SliderPageStepSub, 15},
        {QAbstractSlider::SliderToMaximum, 30},     {QAbstractSlider::SliderSingleStepAdd, 30},   // never a new record
        {QAbstractSlider::SliderToMinimum, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.acao);
        grade->verticalScrollBar()->triggerAction(c.acao);
        EXPECT_EQ(Atual(), c.registro);
        EXPECT_EQ(grade->verticalScrollBar()->value(), c.registro);
        EXPECT_EQ(tabela.State(), dsBrowse);
    }

    QWheelEvent roda(QPointF(50, 50), grade->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grade->viewport(), &roda);
    EXPECT_EQ(Atual(), 3);
}

// A numbered table of more than five screenfuls gets the five-position bar, whose thumb is then
// read by that bar, never as a record number: the bottom is the last record, the top the first,
// 3 a page on and 1 a page back.
TEST_F(TdvCustomDBGridTest, TheThumbOfTheFivePositionBarIsReadByItsPositions)
{
    Mostra(5);
    tabela.First();
    ASSERT_EQ(grade->Barra(), (TScrollInfo{0, 4, 0, 0})) << "30 records, 5 rows";
    const struct {
        int polegar;
        int registro;
    } casos[] = {{4, 30}, {0, 1}, {3, 6}, {3, 11}, {1, 6}, {2, 6}};
    QScrollBar* barra = grade->verticalScrollBar();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.polegar);
        barra->setSliderDown(true);
        barra->setSliderPosition(c.polegar);
        barra->setSliderDown(false);   // let go there
        EXPECT_EQ(Atual(), c.registro);
    }
}

// A list that shows every record, numbered or not, has nothing to scroll: its bar's thumb fills
// it, wherever the keys take the current record. An unnumbered table that does not fit gets
// five positions.
TEST_F(TdvCustomDBGridTest, AFewRecordsOrAnUnnumberedTableGetTheirOwnBar)
{
    const TScrollInfo nadaARolar{1, 1001, 1000, 1};
    tabela.OnFilterRecord = [](TDataSet*, bool& aceita) { aceita = true; };
    tabela.SetFiltered(true);
    Mostra(10);
    tabela.First();
    EXPECT_EQ(grade->Barra(), (TScrollInfo{0, 4, 0, 0})) << "30 records, 10 rows";
    tabela.Last();
    EXPECT_EQ(grade->Barra().Pos, 4);
    grade->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(Atual(), 1);
    tabela.SetFiltered(false);
    for (int nr = 4; nr <= 30; ++nr) {
        tabela.FindKey({nr});
        tabela.Delete();
    }
    for (const bool filtrada : {false, true}) {
        SCOPED_TRACE(filtrada ? "unnumbered" : "numbered");
        tabela.SetFiltered(filtrada);
        Mostra(10);
        tabela.First();
        EXPECT_EQ(grade->RowCount(), 4);
        for (int registro = 1; registro <= 3; ++registro) {
            EXPECT_EQ(grade->Barra(), nadaARolar) << "record " << registro;
            QTest::keyClick(grade, Qt::Key_Down);
        }
    }
}

TEST_F(TdvCustomDBGridTest, ATableOfMoreThanFiveScreenfulsGetsTheUnnumberedBar)
{
    Mostra(5);   // 30 records: six screenfuls, counted no further than the 26th
    EXPECT_EQ(grade->Barra(), (TScrollInfo{0, 4, 0, 0}));
    tabela.Last();
    EXPECT_EQ(grade->Barra().Pos, 4);
}

// The five-position thumb stands at the top when a step back reaches the first record and at
// the bottom when a step on reaches the last, by the keys or by the table.
TEST_F(TdvCustomDBGridTest, TheFivePositionThumbStandsAtItsEndsOnTheFirstAndLastRecords)
{
    Mostra(5);
    tabela.MoveBy(10);
    tabela.First();
    tabela.Next();
    tabela.Prior();
    ASSERT_EQ(Atual(), 1);
    EXPECT_EQ(grade->Barra(), (TScrollInfo{0, 4, 0, 0})) << "a step back onto the first";
    Foca(29, 1);
    EXPECT_EQ(grade->Barra().Pos, 2);
    QTest::keyClick(grade, Qt::Key_Down);
    ASSERT_EQ(Atual(), 30);
    EXPECT_EQ(grade->Barra().Pos, 4) << "Down onto the last";
    QTest::keyClick(grade, Qt::Key_Up);
    EXPECT_EQ(grade->Barra().Pos, 2);
    tabela.Last();
    tabela.Prior();
    tabela.Next();
    EXPECT_EQ(grade->Barra().Pos, 4) << "a step on onto the last";
    Foca(7, 1);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(grade, Qt::Key_Up);
    ASSERT_EQ(Atual(), 1);
    EXPECT_EQ(grade->Barra().Pos, 0) << "Up onto the first";
}

// A list filtered again, or read again, keeps its current record; when that is the first or
// the last, the five-position thumb stays at its end, and mid-track elsewhere.
TEST_F(TdvCustomDBGridTest, TheFivePositionThumbStaysAtItsEndsWhenTheListIsReadAgain)
{
    Mostra(5);
    using TPasso = std::function<void(TdvTable&)>;
    const auto filtra = [](const char* expressao) -> TPasso {
        return [expressao](TdvTable& t) {
            t.dvFilter().clear();
            if (*expressao)
                t.dvFilter() << QLatin1String(expressao);
            t.RefreshDvFilter();
        };
    };
    const TPasso primeiro = [](TdvTable& t) { t.First(); };
    const TPasso ultimo = [](TdvTable& t) { t.Last(); };
    const auto chave = [](int nr) -> TPasso { return [nr](TdvTable& t) { t.FindKey({nr}); }; };
    const TPasso le = [](TdvTable& t) { t.Refresh(); };
    const TPasso nada = [](TdvTable&) {};
    const struct {
        const char* caso;
        const char* filtro;   // the one the move is made under
        TPasso move;
        TPasso depois;
        int atual;
        int polegar;
    } casos[] = {
        {"first, filtered again", "", primeiro, filtra("NR > 0"), 1, 0},
        {"last, filtered again", "", ultimo, filtra("NR < 100"), 30, 4},
        {"first, filter taken away", "NR > 0", primeiro, filtra(""), 1, 0},
        {"first, read again", "", primeiro, le, 1, 0},
        {"last, read again", "", ultimo, le, 30, 4},
        {"the filter makes the current the first", "", chave(4), filtra("NR >= 4"), 4, 0},
        {"the filter makes the current the last", "", chave(27), filtra("NR <= 27"), 27, 4},
        {"the filter puts a record before the first", "NR > 1", primeiro, filtra("NR > 0"), 2, 2},
        {"the filter puts a record after the last", "NR < 30", ultimo, filtra("NR > 0"), 29, 2},
        {"the second, read again", "", chave(2), le, 2, 2},
        {"the first found by its key", "NR > 0", chave(1), nada, 1, 0},
        {"the last found by its key", "NR > 0", chave(30), nada, 30, 4},
        {"the first, edited", "NR > 0", primeiro,
         [](TdvTable& t) {
             t.Edit();
             t.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Primeiro"));
             t.Post();
         },
         1, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        filtra(c.filtro)(tabela);
        tabela.MoveBy(12);
        c.move(tabela);
        c.depois(tabela);
        ASSERT_EQ(Atual(), c.atual);
        EXPECT_EQ(grade->Barra().Pos, c.polegar);
    }
}

TEST_F(TdvCustomDBGridTest, ScrollingOneRecordRepaintsOneRowAndAPageRepaintsAll)
{
    Mostra(10);
    tabela.MoveBy(9);
    QApplication::processEvents();

    const auto linhasDeDados = [this] {
        std::set<int> linhas;
        for (const auto& [coluna, linha] : grade->desenhadas)
            if (coluna > 0 && linha > 0)
                linhas.insert(linha);
        return linhas;
    };
    grade->desenhadas.clear();
    tabela.Next();
    QApplication::processEvents();
    // The row scrolled in and the row that stops being current.
    EXPECT_EQ(linhasDeDados(), (std::set<int>{9, 10}));

    grade->desenhadas.clear();
    tabela.MoveBy(11);
    QApplication::processEvents();
    EXPECT_EQ(linhasDeDados().size(), 10u);
}

namespace {

// The first line of pixels where the two pictures differ, -1 when none does.
int PrimeiraLinhaDiferente(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 0;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), static_cast<std::size_t>(a.bytesPerLine())) != 0)
            return y;
    return -1;
}

}   // namespace

// In a grid half a row taller than its whole rows, every way of scrolling leaves on the screen
// what a paint of the whole grid shows: the row scrolled in drawn whole, the current one seen.
TEST_F(TdvCustomDBGridTest, EveryScrollLeavesTheGridAsAWholeRepaintShowsIt)
{
    const auto roda = [this](int graus) {
        QWheelEvent e(QPointF(50, 50), grade->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, graus),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grade->viewport(), &e);
    };
    const auto barra = [this](QAbstractSlider::SliderAction acao) { grade->verticalScrollBar()->triggerAction(acao); };
    const auto polegar = [this](int posicao) {
        QScrollBar* b = grade->verticalScrollBar();
        b->setSliderDown(true);
        b->setSliderPosition(posicao);
        b->setSliderDown(false);
    };
    const auto tecla = [this](Qt::Key k) { QTest::keyClick(grade, k); };
    // 5 rows: the five-position bar (30 records are six screenfuls); 7: the numbered bar.
    for (const int linhas : {5, 7}) {
        SCOPED_TRACE(linhas);
        Mostra(linhas);
        Foca(1, 1);
        const bool cincoPosicoes = grade->Barra().Max == 4 && grade->Barra().Page == 0;
        ASSERT_EQ(cincoPosicoes, linhas == 5);
        const struct {
            const char* nome;
            std::function<void()> acao;
        } passos[] = {
            {"Down to the last row",
             [&] {
                 for (int i = 1; i < linhas; ++i)
                     tecla(Qt::Key_Down);
             }},
            {"Down past it", [&] { tecla(Qt::Key_Down); }},
            {"Down again", [&] { tecla(Qt::Key_Down); }},
            {"Up to the first row and past it",
             [&] {
                 for (int i = 0; i <= linhas; ++i)
                     tecla(Qt::Key_Up);
             }},
            {"PageDown", [&] { tecla(Qt::Key_PageDown); }},
            {"PageUp", [&] { tecla(Qt::Key_PageUp); }},
            {"the track below the thumb", [&] { barra(QAbstractSlider::SliderPageStepAdd); }},
            {"the track above the thumb", [&] { barra(QAbstractSlider::SliderPageStepSub); }},
            {"the arrow below", [&] { barra(QAbstractSlider::SliderSingleStepAdd); }},
            {"the thumb a page on", [&] { polegar(cincoPosicoes ? 3 : grade->verticalScrollBar()->value() + 3); }},
            {"the wheel down", [&] { roda(-120); }},
            {"the wheel up", [&] { roda(120); }},
            {"the track held down past the end",
             [&] {
                 for (int i = 0; i < 8; ++i) {
                     barra(QAbstractSlider::SliderPageStepAdd);
                     QApplication::processEvents();
                 }
             }},
            {"the thumb at the top", [&] { polegar(cincoPosicoes ? 0 : 1); }},
        };
        for (const auto& p : passos) {
            SCOPED_TRACE(p.nome);
            p.acao();
            QApplication::processEvents();   // the scroll's own paint
            const QImage pintada = NaTela();
            const QImage inteira = RepintadaInteira();
            EXPECT_EQ(PrimeiraLinhaDiferente(pintada, inteira), -1) << "record " << Atual();
        }
    }
}

TEST_F(TdvCustomDBGridTest, CellTextLandsInItsRectangle)
{
    grade->SetUseTFields(false);
    grade->SetSelected({QStringLiteral("NR\t4\tNr"), QStringLiteral("NOME\t12\tNome")});
    Mostra(5);
    const QImage imagem = Imagem();
    for (int linha = 1; linha <= 5; ++linha) {
        SCOPED_TRACE(linha);
        const TRect nome = grade->CellRect(2, linha);
        EXPECT_GT(Escuros(imagem, nome), 20);
        // Numbers go right: nothing in the left half of a four-character column.
        const TRect numero = grade->CellRect(1, linha);
        EXPECT_EQ(Escuros(imagem, {numero.Left, numero.Top, numero.Left + numero.Width() / 2, numero.Bottom}), 0);
        EXPECT_GT(Escuros(imagem, numero), 0);
    }
    // Past the columns and below the rows nothing is written.
    const TRect ultima = grade->CellRect(2, 5);
    EXPECT_EQ(Escuros(imagem, {ultima.Right + 2, 0, grade->ClientWidth(), grade->ClientHeight()}), 0);
    EXPECT_EQ(Escuros(imagem, {0, ultima.Bottom + 2, grade->ClientWidth(), grade->ClientHeight()}), 0);
}

TEST_F(TdvCustomDBGridTest, ARowOfCheckBoxesLeavesRoomForTheFocusFrameAroundTheBox)
{
    tabela.ControlType() = {QStringLiteral("ATIVO;CheckBox;S;N")};
    Mostra(5);
    for (const int pixels : {8, 10, 11, 12}) {
        SCOPED_TRACE(pixels);
        QFont fonteGrade = Fonte();
        fonteGrade.setPixelSize(pixels);
        grade->setFont(fonteGrade);
        QApplication::processEvents();
        const TRect r = grade->CellRect(3, 2);
        const int y = (r.Top + r.Bottom - 10) / 2;   // the box's top; its frame is one pixel outside
        // The focus line and a clear pixel above the frame, and the same below it.
        EXPECT_GE(y - 1 - r.Top, 2);
        EXPECT_GE(r.Bottom - 1 - (y + 10), 2);
    }

    // Without check boxes the rows keep the height of their text.
    tabela.ControlType().clear();
    QFont pequena = Fonte();
    pequena.setPixelSize(8);
    grade->setFont(pequena);
    QApplication::processEvents();
    EXPECT_EQ(grade->DefaultRowHeight(), dvDataRowHeight(dvTextHeight(pequena), true, 100));
}

TEST_F(TdvCustomDBGridTest, CheckBoxCellsShowTheirCheckedValueInAnyCase)
{
    tabela.ControlType() = {QStringLiteral("ATIVO;CheckBox;S;N")};
    Mostra(6);
    tabela.MoveBy(5);   // the current cell off the check boxes' rows
    const QImage imagem = Imagem();
    for (int linha = 1; linha <= 5; ++linha) {
        SCOPED_TRACE(linha);
        const TRect r = grade->CellRect(3, linha);
        const int x = (r.Left + r.Right - 10) / 2;
        const int y = (r.Top + r.Bottom - 10) / 2;
        const int marcas = Escuros(imagem, {x + 1, y + 1, x + 9, y + 9});
        // Records 1, 2, 4, 5 hold "S" or "s"; record 3 holds "N".
        if (linha == 3)
            EXPECT_EQ(marcas, 0);
        else
            EXPECT_EQ(marcas, 21);
        EXPECT_EQ(Escuros(imagem, {x, y, x + 9, y + 1}), 9);   // the frame's top
    }

    dvIntl().SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle::cbStyleXmark);
    const QImage cruz = Imagem();
    dvIntl().SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle::cbStyleAuto);
    const TRect r = grade->CellRect(3, 1);
    const int x = (r.Left + r.Right - 10) / 2;
    const int y = (r.Top + r.Bottom - 10) / 2;
    EXPECT_EQ(Escuros(cruz, {x + 2, y + 2, x + 4, y + 3}), 2);   // the strokes start at the corner
}

TEST_F(TdvCustomDBGridTest, TheIndicatorMarksTheCurrentRecordAndItsState)
{
    Mostra(5);
    tabela.Next();
    const auto indicador = [this](const QImage& imagem, int linha) {
        return imagem.copy(grade->CellRect(0, linha).ToQRect());
    };
    const QImage navegando = Imagem();
    EXPECT_EQ(Escuros(navegando, grade->CellRect(0, 1), 60), 0);
    EXPECT_EQ(Escuros(navegando, grade->CellRect(0, 2), 60), 25);

    tabela.Edit();
    const QImage editando = Imagem();
    EXPECT_GT(Escuros(editando, grade->CellRect(0, 2), 60), 0);
    EXPECT_NE(indicador(editando, 2), indicador(navegando, 2));
    tabela.Cancel();

    grade->SetIndicatorColor(TdvIndicatorColor::icYellow);
    const QImage amarela = Imagem();
    EXPECT_EQ(DaCor(amarela, grade->CellRect(0, 2), Qt::yellow), 25);
    tabela.Insert();
    const QImage inserindo = Imagem();
    EXPECT_EQ(DaCor(inserindo, grade->CellRect(0, 2), Qt::yellow), 0);
    EXPECT_GT(Escuros(inserindo, grade->CellRect(0, 2), 60), 0);
}

TEST_F(TdvCustomDBGridTest, WithoutTheFocusTheCurrentRowIsHighlightedOnlyWhenAlwaysShown)
{
    grade->SetOptions(grade->Options() | dgRowSelect | dgAlwaysShowSelection);
    Mostra(5);
    ASSERT_FALSE(grade->IsActiveControl());
    const QColor realce = grade->palette().color(QPalette::Highlight);
    const TRect atual = grade->CellRect(2, 1);
    EXPECT_GT(DaCor(Imagem(), atual, realce), atual.Width() * atual.Height() / 2);

    grade->SetOptions(grade->Options() & ~dgAlwaysShowSelection);
    EXPECT_EQ(DaCor(Imagem(), atual, realce), 0);
    grade->SetOptions(grade->Options() | dgAlwaysShowSelection);
    EXPECT_GT(DaCor(Imagem(), atual, realce), 0);
}

TEST_F(TdvCustomDBGridTest, WithoutDefaultDrawingCellsAreFilledAndHandedToTheEvent)
{
    grade->SetDefaultDrawing(false);
    std::set<std::pair<QString, int>> pedidas;
    grade->OnDrawDataCell = [&](TdvCustomDBGrid* g, const TRect& r, TField* campo, TGridDrawState) {
        pedidas.insert({campo->FieldName(), campo->DataSet()->FieldByName(QStringLiteral("NR"))->AsInteger()});
        EXPECT_NE(g->GetPaintCanvas(), nullptr);
        EXPECT_GT(r.Width(), 0);
    };
    Mostra(4);
    pedidas.clear();
    const QImage imagem = Imagem();
    EXPECT_EQ(pedidas.size(), 12u);
    EXPECT_EQ(pedidas.count({QStringLiteral("NOME"), 4}), 1u);
    EXPECT_EQ(Escuros(imagem, grade->CellRect(2, 2)), 0);
    EXPECT_EQ(Atual(), 1);   // the drawing put the current record back
}

TEST_F(TdvCustomDBGridTest, ATitleOfFourLinesIsDrawnOnFourLines)
{
    grade->SetUseTFields(false);
    grade->SetTitleLines(4);
    grade->SetSelected({QStringLiteral("NOME\t30\tTotal de Imposto~Compensado por~Decisão Judicial~(Ano Calendário)")});
    Mostra(3);
    // The row holds the four lines as they are drawn, the leading between them included, so that
    // the last one keeps its bottom.
    const QFontMetrics medidas(Fonte());
    const int desenhadas =
        medidas.boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignTop, QStringLiteral("T\nT\nT\nT")).height();
    ASSERT_GE(grade->RowHeights(0), desenhadas + 4);
    const int altura = dvLineStep(Fonte(), 4);
    const QImage imagem = Imagem();
    const TRect titulo = grade->CellRect(1, 0);
    const int topo = titulo.Top + grade->RowHeights(0) / 2 - 2 * altura;
    for (int linha = 0; linha < 4; ++linha) {
        SCOPED_TRACE(linha);
        EXPECT_GT(Escuros(imagem, {titulo.Left, topo + linha * altura, titulo.Right, topo + (linha + 1) * altura}), 10);
    }
}

TEST_F(TdvCustomDBGridTest, TheFooterTakesItsBandFromTheRowsAndShowsItsValues)
{
    Mostra(6);
    grade->SetOptions(grade->Options() | dgShowFooter);
    EXPECT_EQ(grade->VisibleRowCount(), 5);
    EXPECT_EQ(grade->DataLink().BufferCount(), 5);

    grade->ColumnByIndex(1)->SetFooterValue(QStringLiteral("Total"));
    const QImage imagem = Imagem();
    const TRect faixa{0, grade->ClientHeight() - grade->DefaultRowHeight() - 4, grade->ClientWidth(),
                      grade->ClientHeight()};
    const TRect coluna = grade->CellRect(2, 1);
    EXPECT_GT(Escuros(imagem, {coluna.Left + 3, faixa.Top + 3, coluna.Right - 3, faixa.Bottom - 3}), 10);
    const TRect outra = grade->CellRect(1, 1);
    EXPECT_EQ(Escuros(imagem, {outra.Left + 3, faixa.Top + 3, outra.Right - 3, faixa.Bottom - 3}), 0);
}

TEST_F(TdvCustomDBGridTest, AMovedColumnTakesItsSelectedLineOrItsFieldAlong)
{
    std::vector<std::pair<int, int>> movidas;
    grade->OnColumnMoved = [&](TdvCustomDBGrid*, int de, int para) { movidas.emplace_back(de, para); };
    grade->SetUseTFields(false);
    grade->SetSelected({QStringLiteral("NR\t4\tNr"), QStringLiteral("NOME\t12\tNome"), QStringLiteral("ATIVO\t1\tA")});
    Mostra(5);
    grade->MoveColumn(1, 3);
    EXPECT_EQ(
        grade->Selected(),
        (QStringList{QStringLiteral("NOME\t12\tNome"), QStringLiteral("ATIVO\t1\tA"), QStringLiteral("NR\t4\tNr")}));
    EXPECT_EQ(grade->Fields(2)->FieldName(), QStringLiteral("NR"));

    grade->SetUseTFields(true);
    grade->MoveColumn(3, 1);
    EXPECT_EQ(tabela.Fields(0)->FieldName(), QStringLiteral("ATIVO"));
    EXPECT_EQ(grade->Fields(0)->FieldName(), QStringLiteral("ATIVO"));
    EXPECT_EQ(movidas, (std::vector<std::pair<int, int>>{{0, 2}, {2, 0}}));
}

TEST_F(TdvCustomDBGridTest, TheSelectedCheckBoxShowsTheRecordsTheGridHoldsSelected)
{
    tabela.Close();
    tabela.AddField(std::make_unique<TField>(ftString, QStringLiteral("Selected"), 1, fkCalculated));
    tabela.Open();
    tabela.ControlType() = {QStringLiteral("Selected;CheckBox;T;F")};
    grade->selecionados = {2, 4};
    Mostra(5);
    EXPECT_TRUE(grade->IsSelectedCheckBoxColumn(4));
    const QImage imagem = Imagem();
    for (int linha = 1; linha <= 5; ++linha) {
        const TRect r = grade->CellRect(4, linha);
        const int x = (r.Left + r.Right - 10) / 2;
        const int y = (r.Top + r.Bottom - 10) / 2;
        EXPECT_EQ(Escuros(imagem, {x + 1, y + 1, x + 9, y + 9}) > 0, linha == 2 || linha == 4) << linha;
    }
}

namespace {

QByteArray Png(const QColor& cor)
{
    QImage imagem(4, 4, QImage::Format_RGB32);
    imagem.fill(cor);
    QByteArray bytes;
    QBuffer saida(&bytes);
    saida.open(QIODevice::WriteOnly);
    imagem.save(&saida, "PNG");
    return bytes;
}

QPixmap Quadrado(const QColor& cor)
{
    QPixmap imagem(8, 8);
    imagem.fill(cor);
    return imagem;
}

}   // namespace

TEST_F(TdvCustomDBGridTest, PictureAndImageCellsDrawWhatTheirFieldHolds)
{
    TdvTable figuras;
    figuras.SetDatabaseName(PastaDados());
    figuras.SetTableName(QStringLiteral("Figuras"));
    figuras.CreateTable(
        {{QStringLiteral("NR"), ftInteger}, {QStringLiteral("FOTO"), ftGraphic}, {QStringLiteral("ICONE"), ftInteger}},
        {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
    figuras.Open();
    QByteArray comCabecalho(8, '\0');
    const QByteArray azul = Png(Qt::blue);
    qToLittleEndian<quint16>(1, comCabecalho.data());
    qToLittleEndian<quint16>(256, comCabecalho.data() + 2);
    qToLittleEndian<quint32>(static_cast<quint32>(azul.size()), comCabecalho.data() + 4);
    const struct {
        QByteArray foto;
        QVariant icone;
    } linhas[] = {
        {Png(Qt::red), 0},
        {comCabecalho + azul, 1},
        {QByteArray(), QVariant()},
        {QByteArray("not a picture"), -1},
    };
    int nr = 0;
    for (const auto& l : linhas) {
        figuras.Append();
        figuras.FieldByName(QStringLiteral("NR"))->SetAsInteger(++nr);
        if (!l.foto.isEmpty())
            figuras.FieldByName(QStringLiteral("FOTO"))->SetAsBytes(l.foto);
        figuras.FieldByName(QStringLiteral("ICONE"))->SetValue(l.icone);
        figuras.Post();
    }
    figuras.First();
    figuras.ControlType() = {QStringLiteral("FOTO;Bitmap;Stretch To Fit;Source Copy"),
                             QStringLiteral("ICONE;ImageIndex;Original Size")};
    TImageList imagens(8, 8);
    imagens.Add(Quadrado(Qt::green));
    imagens.Add(Quadrado(Qt::yellow));
    grade->SetImageList(&imagens);
    fonte.SetDataSet(&figuras);
    Mostra(4);
    figuras.Last();   // the current cell off the rows looked at

    const QImage imagem = Imagem();
    const struct {
        int linha;
        QColor foto;
        QColor icone;
    } casos[] = {
        {1, Qt::red, Qt::green},
        {2, Qt::blue, Qt::yellow},
        {3, QColor(), QColor()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        const TRect foto = grade->CellRect(2, c.linha);
        const QPoint meio((foto.Left + foto.Right) / 2, (foto.Top + foto.Bottom) / 2);
        EXPECT_EQ(imagem.pixelColor(meio), c.foto.isValid() ? c.foto : grade->Color());
        const TRect icone = grade->CellRect(3, c.linha);
        const TRect centro{(icone.Left + icone.Right - 8) / 2, (icone.Top + icone.Bottom - 8) / 2, 0, 0};
        const TRect quadrado{centro.Left, centro.Top, centro.Left + 8, centro.Top + 8};
        EXPECT_EQ(DaCor(imagem, quadrado, c.icone.isValid() ? c.icone : grade->Color()), 64);
    }
}

TEST_F(TdvCustomDBGridTest, TitleImagesGoWhereTheEventPutsThem)
{
    TImageList imagens(8, 8);
    imagens.Add(Quadrado(Qt::red));
    grade->SetTitleImageList(&imagens);
    TAlignment lado = taRightJustify;
    grade->OnCalcTitleImage = [&](TdvCustomDBGrid*, TField* campo, TdvTitleImageAttributes& atributos) {
        if (campo->FieldName() == QLatin1String("NOME")) {
            atributos.ImageIndex = 0;
            atributos.Alignment = lado;
        }
    };
    Mostra(3);
    const TRect titulo = grade->CellRect(2, 0);
    const TRect esquerda{titulo.Left, titulo.Top, titulo.Left + 12, titulo.Bottom};
    const TRect direita{titulo.Right - 12, titulo.Top, titulo.Right, titulo.Bottom};
    QImage imagem = Imagem();
    EXPECT_EQ(DaCor(imagem, direita, Qt::red), 64);
    EXPECT_EQ(DaCor(imagem, esquerda, Qt::red), 0);
    EXPECT_EQ(DaCor(imagem, grade->CellRect(1, 0), Qt::red), 0);

    lado = taLeftJustify;
    imagem = Imagem();
    EXPECT_EQ(DaCor(imagem, esquerda, Qt::red), 64);
    // The title's text moves right of the image.
    EXPECT_EQ(Escuros(imagem, {titulo.Left + 12, titulo.Top, titulo.Left + 14, titulo.Bottom}), 0);
    EXPECT_GT(Escuros(imagem, {titulo.Left + 14, titulo.Top, titulo.Right, titulo.Bottom}), 10);
}
