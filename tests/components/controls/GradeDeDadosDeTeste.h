#pragma once
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <optional>
#include <set>

#include "components/controls/grid/TdvCustomDBGrid.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/data/datasets/TdvTable.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/grid/TInplaceEdit.h"

// The library's data grid over a table of thirty numbered beneficiaries, in a window between
// two other controls, with what it draws and selects recorded.

inline QFont Fonte()
{
    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setPixelSize(12);
    return fonte;
}

// The grid with what it draws recorded, its scroll bar readable, and a multi-selection of
// record numbers.
class GradeObservada : public TdvCustomDBGrid {
public:
    using TdvCustomDBGrid::TdvCustomDBGrid;

    std::set<std::pair<int, int>> desenhadas;
    std::set<int> selecionados;   // record numbers

    [[nodiscard]] TScrollInfo Barra() const { return VertScrollInfo(); }
    [[nodiscard]] const std::optional<TBookmark>& Ancora() { return SelectionAnchor(); }
    using TdvCustomDBGrid::CellHint;
    using TdvCustomDBGrid::ClickSelecting;
    using TdvCustomDBGrid::PressedTitleCol;
    using TdvCustomDBGrid::TimedScroll;

protected:
    [[nodiscard]] int Numero() const { return DataSet()->FieldByName(QStringLiteral("NR"))->AsInteger(); }
    bool IsCurrentRowSelected() override { return selecionados.count(Numero()) > 0; }
    void SelectRecord() override { selecionados.insert(Numero()); }
    void UnselectRecord() override { selecionados.erase(Numero()); }
    void UnselectAll() override { selecionados.clear(); }
    void DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado) override
    {
        desenhadas.insert({coluna, linha});
        TdvCustomDBGrid::DrawCell(coluna, linha, r, estado);
    }
};

// Where a click on the rectangle lands.
inline QPoint Centro(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Pixels of the rectangle darker than the given lightness.
inline int Escuros(const QImage& imagem, const TRect& r, int limite = 100)
{
    int total = 0;
    for (int y = std::max(0, r.Top); y < std::min(r.Bottom, imagem.height()); ++y)
        for (int x = std::max(0, r.Left); x < std::min(r.Right, imagem.width()); ++x)
            if (imagem.pixelColor(x, y).lightness() < limite)
                ++total;
    return total;
}

inline int DaCor(const QImage& imagem, const TRect& r, const QColor& cor)
{
    int total = 0;
    for (int y = std::max(0, r.Top); y < std::min(r.Bottom, imagem.height()); ++y)
        for (int x = std::max(0, r.Left); x < std::min(r.Right, imagem.width()); ++x)
            if (imagem.pixelColor(x, y) == cor)
                ++total;
    return total;
}

// A table of numbered beneficiaries, shown in a grid in a window between two other controls.
class TdvCustomDBGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Benef"));
        tabela.CreateTable({{QStringLiteral("NR"), ftInteger},
                            {QStringLiteral("NOME"), ftString, 12},
                            {QStringLiteral("ATIVO"), ftString, 1}},
                           {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
        tabela.Open();
        TTransacao todas(*tabela.Database());   // one write to disk, not thirty
        for (int nr = 1; nr <= 30; ++nr)
            Acrescenta(nr);
        todas.Confirma();
        tabela.First();
        fonte.SetDataSet(&tabela);
        auto* disposicao = new QVBoxLayout(&janela);
        disposicao->setContentsMargins(0, 0, 0, 0);
        disposicao->setSpacing(0);
        disposicao->addWidget(outro);
        disposicao->addWidget(grade);
        disposicao->addWidget(depois);
        grade->setFont(Fonte());
        grade->SetTitleFont({Fonte(), Qt::black});
    }

    void Acrescenta(int nr)
    {
        tabela.Append();
        tabela.FieldByName(QStringLiteral("NR"))->SetAsInteger(nr);
        tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Nome %1").arg(nr));
        tabela.FieldByName(QStringLiteral("ATIVO"))
            ->SetAsString(nr % 3 == 0       ? QStringLiteral("N")
                              : nr % 3 == 1 ? QStringLiteral("S")
                                            : QStringLiteral("s"));
        tabela.Post();
    }

    // Shows the window with room for that many data rows and a little more.
    void Mostra(int linhas)
    {
        grade->SetDataSource(&fonte);
        janela.resize(420, 300);
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
        outro->setFocus();
        const int passo = grade->DefaultRowHeight() + 1;
        const int altura = grade->RowHeights(0) + 1 + linhas * passo + passo / 2;
        janela.resize(420, outro->height() + depois->height() + altura + grade->height() - grade->viewport()->height());
        QApplication::processEvents();
        ASSERT_EQ(grade->DataLink().BufferCount(), linhas);
    }

    // The numbers of the records in the rows, top to bottom.
    QList<int> Mostrados() const
    {
        QList<int> numeros;
        TdvGridDataLink& link = grade->DataLink();
        const int antes = link.ActiveRecord();
        for (int i = 0; i < link.RecordCount(); ++i) {
            link.SetActiveRecord(i);
            numeros << tabela.FieldByName(QStringLiteral("NR"))->AsInteger();
        }
        link.SetActiveRecord(antes);
        return numeros;
    }

    [[nodiscard]] int Atual() const { return tabela.FieldByName(QStringLiteral("NR"))->AsInteger(); }

    static QList<int> De(int primeiro, int ultimo)
    {
        QList<int> numeros;
        for (int i = primeiro; i <= ultimo; ++i)
            numeros << i;
        return numeros;
    }

    QImage Imagem() { return grade->viewport()->grab().toImage(); }

    // The grid's rows as the screen shows them now: what its paints left in the window, not a
    // paint made for the picture.
    QImage NaTela()
    {
        QWidget* area = grade->viewport();
        const QPoint p = area->mapTo(&janela, QPoint());
        return QGuiApplication::primaryScreen()
            ->grabWindow(janela.winId(), p.x(), p.y(), area->width(), area->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // The same, once the grid was painted again whole.
    QImage RepintadaInteira()
    {
        grade->viewport()->repaint();
        return NaTela();
    }

    // The text of a field of the current record.
    [[nodiscard]] QString Campo(const char* nome) const { return tabela.FieldByName(QLatin1String(nome))->AsString(); }
    // The editor is open over the current cell.
    [[nodiscard]] bool Editando() const { return grade->InplaceEditor() && grade->InplaceEditor()->isVisible(); }
    // The grid takes the focus on its current record and column.
    void Foca(int nr, int coluna)
    {
        tabela.FindKey({nr});
        grade->SetSelectedIndex(coluna);
        grade->setFocus();
        QApplication::processEvents();
    }

    DialogosRoteirizados dialogos;
    TdvTable tabela;
    TDataSource fonte;
    QWidget janela;
    QLineEdit* outro = new QLineEdit(&janela);
    GradeObservada* grade = new GradeObservada(&janela);
    QLineEdit* depois = new QLineEdit(&janela);
};
