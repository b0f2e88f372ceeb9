#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "platform/widgets/TecladoDeTeste.h"
#include "components/controls/GradeDeDadosDeTeste.h"
#include "components/controls/datetime/TdvDBCustomDateTimePicker.h"
#include "components/controls/edits/TdvDBCustomEdit.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/common/TdvPaintCopy.h"
#include "components/controls/richtext/TdvDBRichEdit.h"
#include "components/controls/richtext/TdvRichEditForm.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/edits/TdvMemoDlg.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/datasets/TdvTable.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TIniFile.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/grid/TInplaceEdit.h"

using namespace TecladoDeTeste;

// The recorded files of the program as a table: number (the key), name, rectifying flag, a memo
// and the calculated "Selected" column; shown in a published grid of a form, between two edits.
class TdvDBGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Gravadas"));
        tabela.CreateTable({{QStringLiteral("NR"), ftInteger},
                            {QStringLiteral("NOME"), ftString, 12},
                            {QStringLiteral("IN_RETIFIC"), ftString, 1},
                            {QStringLiteral("OBS"), ftMemo},
                            {QStringLiteral("DATA"), ftDate}},
                           {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
        tabela.AddField(std::make_unique<TField>(ftString, QStringLiteral("Selected"), 1, fkCalculated));
        tabela.Open();
        TTransacao todas(*tabela.Database());
        for (int nr = 1; nr <= 12; ++nr) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("NR"))->SetAsInteger(nr);
            tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Arquivo %1").arg(nr));
            tabela.FieldByName(QStringLiteral("IN_RETIFIC"))
                ->SetAsString(nr % 2 ? QStringLiteral("r") : QStringLiteral("O"));
            tabela.FieldByName(QStringLiteral("OBS"))->SetAsString(QStringLiteral("Nota %1").arg(nr));
            tabela.FieldByName(QStringLiteral("DATA"))->SetAsFloat(37000 + nr);
            tabela.Post();
        }
        todas.Confirma();
        tabela.First();
        fonte.SetDataSet(&tabela);

        forma.setObjectName(QStringLiteral("FoGravadas"));
        grade->setObjectName(QStringLiteral("DgGravadas"));
        auto* disposicao = new QVBoxLayout(&forma);
        disposicao->addWidget(antes);
        disposicao->addWidget(grade);
        disposicao->addWidget(depois);
        forma.setFont(Fonte());
        grade->SetSelected({QStringLiteral("NR\t4\tNúmero"), QStringLiteral("NOME\t12\tNome"),
                            QStringLiteral("IN_RETIFIC\t3\tRet."), QStringLiteral("OBS\t10\tObservação")});
    }

    void Mostra()
    {
        grade->Loaded();
        grade->SetDataSource(&fonte);
        forma.resize(460, 320);
        forma.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&forma));
        forma.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&forma));
        grade->setFocus();
        QApplication::processEvents();
    }

    // The grid column of a field.
    [[nodiscard]] int Coluna(const char* campo) const
    {
        for (int i = 0; i < grade->FieldCount(); ++i)
            if (grade->Fields(i)->FieldName() == QLatin1String(campo))
                return grade->IndicatorOffset() + i;
        return -1;
    }

    // The grid row of record nr (the first rows show records 1 on).
    [[nodiscard]] int Linha(int nr) const { return grade->TitleOffset() + nr - 1; }

    void Clica(int coluna, int linha, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, mods, Centro(grade->CellRect(coluna, linha)));
    }

    [[nodiscard]] int Atual() const { return tabela.FieldByName(QStringLiteral("NR"))->AsInteger(); }

    // The numbers of the selected records.
    [[nodiscard]] QList<int> Selecionados()
    {
        QList<int> numeros;
        const TBookmark atual = tabela.GetBookmark();
        for (const TBookmark& marca : grade->SelectedRows()) {
            tabela.GotoBookmark(marca);
            numeros << Atual();
        }
        tabela.GotoBookmark(atual);
        std::sort(numeros.begin(), numeros.end());
        return numeros;
    }

    DialogosRoteirizados dialogos;
    TdvTable tabela;
    TDataSource fonte;
    QWidget forma;
    QLineEdit* antes = new QLineEdit(&forma);
    TdvDBGrid* grade = new TdvDBGrid(&forma);
    QLineEdit* depois = new QLineEdit(&forma);
};

TEST_F(TdvDBGridTest, UseTFieldsShowsTheSelectedLinesThroughTheFields)
{
    grade->SetSelected({QStringLiteral("NOME\t15\tNome do~Arquivo"), QStringLiteral("NR\t4\tNúmero")});
    Mostra();
    ASSERT_EQ(grade->FieldCount(), 2);
    EXPECT_EQ(grade->Fields(0)->FieldName(), QStringLiteral("NOME"));
    EXPECT_EQ(grade->Fields(0)->DisplayWidth(), 15);
    EXPECT_EQ(grade->Fields(1)->DisplayLabel(), QStringLiteral("Número"));
    EXPECT_FALSE(tabela.FieldByName(QStringLiteral("IN_RETIFIC"))->Visible());
    EXPECT_EQ(grade->GetSelectedField()->FieldName(), QStringLiteral("NOME"));
}

TEST_F(TdvDBGridTest, MultiSelectionKeepsBookmarksThatTheEventMayRefuse)
{
    grade->SetOptions(grade->Options() | dgRowSelect | dgMultiSelect);
    grade->SetMultiSelectOptions(msoShiftSelect);
    QList<std::pair<int, bool>> perguntas;
    grade->OnMultiSelectRecord = [&](TdvDBGrid*, bool selecionando, bool& aceita) {
        perguntas << std::pair{Atual(), selecionando};
        aceita = Atual() != 4;
    };
    Mostra();
    const int nome = Coluna("NOME");
    const struct {
        int nr;
        Qt::KeyboardModifiers mods;
        QList<int> selecionados;
    } casos[] = {
        {2, Qt::ControlModifier, {2}},           {4, Qt::ControlModifier, {2}},   // refused by the event
        {3, Qt::ControlModifier, {2, 3}},        {2, Qt::ControlModifier, {3}},   // a second click lets it go
        {7, Qt::ShiftModifier, {2, 3, 5, 6, 7}},                                  // from the anchor on, still without 4
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nr);
        Clica(nome, Linha(c.nr), c.mods);
        EXPECT_EQ(Atual(), c.nr);
        EXPECT_EQ(Selecionados(), c.selecionados);
    }
    EXPECT_TRUE(grade->IsSelected());
    EXPECT_EQ(perguntas.front(), (std::pair{2, true}));
    EXPECT_TRUE(perguntas.contains(std::pair{2, false}));
    grade->UnselectAll();
    EXPECT_TRUE(grade->SelectedRows().empty());
}

TEST_F(TdvDBGridTest, CheckBoxCellsToggleByMouseAndSpaceWithoutRegardToCase)
{
    tabela.ControlType() = {QStringLiteral("IN_RETIFIC;CheckBox;R;O")};
    grade->SetEditControlOptions(ecoSearchOwnerForm | ecoCheckboxSingleClick);
    Mostra();
    const int coluna = Coluna("IN_RETIFIC");
    Clica(coluna, Linha(1));   // "r" counts as on
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("IN_RETIFIC"))->AsString(), QStringLiteral("O"));
    Tecla(Qt::Key_Space);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("IN_RETIFIC"))->AsString(), QStringLiteral("R"));
    EXPECT_FALSE(grade->InplaceEditor() && grade->InplaceEditor()->isVisible());

    // A line of three parts is no check box.
    tabela.ControlType() = {QStringLiteral("IN_RETIFIC;CheckBox;R")};
    Tecla(Qt::Key_Space);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("IN_RETIFIC"))->AsString(), QStringLiteral("R"));
}

TEST_F(TdvDBGridTest, TheSelectedCheckBoxSelectsTheRecord)
{
    tabela.ControlType() = {QStringLiteral("Selected;CheckBox;T;F")};
    grade->SetSelected(
        {QStringLiteral("Selected\t2\t "), QStringLiteral("NR\t4\tNúmero"), QStringLiteral("NOME\t12\tNome")});
    grade->SetOptions(grade->Options() | dgMultiSelect);
    Mostra();
    const int coluna = Coluna("Selected");
    Clica(coluna, Linha(3));
    EXPECT_TRUE(Selecionados().isEmpty());   // a single click only moves there
    QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, Centro(grade->CellRect(coluna, Linha(3))));
    EXPECT_EQ(Selecionados(), QList<int>{3});
    Tecla(Qt::Key_Space);
    EXPECT_TRUE(Selecionados().isEmpty());
}

TEST_F(TdvDBGridTest, AMemoCellOpensTheMemoDialogViewOnlyWhenItCannotBeChanged)
{
    const struct {
        bool somenteLeitura;
        bool esperado;
    } casos[] = {{false, false}, {true, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.somenteLeitura);
        grade->SetReadOnly(c.somenteLeitura);
        QStringList legendas;
        bool viuSoLeitura = false;
        QList<bool> cancelados;
        grade->OnMemoOpen = [&](TdvDBGrid*, TdvMemoDialog& d) {
            legendas << d.Caption;
            viuSoLeitura = d.MemoAttributes & mViewOnly;
            QTimer::singleShot(0, [] {
                if (auto* janela = qobject_cast<TdvMemoDlg*>(QApplication::activeModalWidget()))
                    janela->QDialog::done(QDialog::Rejected);
            });
        };
        grade->OnMemoClose = [&](TdvDBGrid*, bool cancelado) { cancelados << cancelado; };
        Mostra();
        QString texto;
        grade->SetSelectedIndex(Coluna("OBS") - grade->IndicatorOffset());
        Tecla(Qt::Key_F2);
        EXPECT_EQ(legendas, QStringList{QStringLiteral("Observação")});
        EXPECT_EQ(viuSoLeitura, c.esperado);
        EXPECT_EQ(cancelados, QList<bool>{true});
        forma.hide();
    }
}

TEST_F(TdvDBGridTest, MemoCellsShowMemoUnlessGridShow)
{
    Mostra();
    const struct {
        TdvMemoAttributes atributos;
        const char* texto;
    } casos[] = {
        {mSizeable | mWordWrap, "(Memo)"},
        {mGridShow, "Nota 1"},
    };
    for (const auto& c : casos) {
        grade->SetMemoAttributes(c.atributos);
        grade->SetSelectedIndex(Coluna("OBS") - grade->IndicatorOffset());
        tabela.First();
        QString texto;
        struct Leitor : TdvDBGrid {
            using TdvDBGrid::GetFieldText;
        };
        (grade->*&Leitor::GetFieldText)(Coluna("OBS") - grade->IndicatorOffset(), texto);
        EXPECT_EQ(texto, QLatin1String(c.texto));
    }
}

TEST_F(TdvDBGridTest, ACustomEditNamedInControlTypeIsPlacedOverItsCell)
{
    auto* data = new TdvDBCustomEdit(&forma);
    data->setObjectName(QStringLiteral("dvDBDateTimePicker1"));
    data->hide();
    tabela.ControlType() = {QStringLiteral("NOME;CustomEdit;dvDBDateTimePicker1")};
    Mostra();
    const int coluna = Coluna("NOME");
    Clica(coluna, Linha(2));
    QApplication::processEvents();
    EXPECT_EQ(grade->CurrentCellControl(), data);
    EXPECT_TRUE(data->isVisible());
    EXPECT_EQ(data->parentWidget(), grade);
    const QPoint area = grade->viewport()->geometry().topLeft();
    EXPECT_EQ(data->geometry(), grade->CellRect(coluna, Linha(2)).ToQRect().translated(area));
    EXPECT_EQ(data->DataField(), QStringLiteral("NOME"));
    EXPECT_EQ(data->text(), QStringLiteral("Arquivo 2"));
    EXPECT_FALSE(grade->InplaceEditor() && grade->InplaceEditor()->isVisible());

    Tecla(Qt::Key_F2);
    EXPECT_TRUE(data->hasFocus());
    Tecla(Qt::Key_Down);   // the control hands it to the grid
    QApplication::processEvents();
    EXPECT_EQ(Atual(), 3);
    EXPECT_EQ(data->geometry(), grade->CellRect(coluna, Linha(3)).ToQRect().translated(area));   // follows the cell
    EXPECT_EQ(data->text(), QStringLiteral("Arquivo 3"));

    grade->setFocus();
    Digita(QStringLiteral("z"));   // typed on the cell, the character goes on into the control
    QApplication::processEvents();
    EXPECT_TRUE(data->hasFocus());
    EXPECT_TRUE(data->text().contains(QLatin1Char('z')));

    Clica(Coluna("NR"), Linha(3));
    QApplication::processEvents();
    EXPECT_FALSE(data->isVisible());

    delete grade;   // the control goes back to its form
    grade = nullptr;
    EXPECT_EQ(data->parentWidget(), &forma);
}

// The grid's date picker edits a date column as its in-place editor would: not one the column
// marks read-only, by key or by its calendar.
TEST_F(TdvDBGridTest, TheDatePickerLeavesAReadOnlyColumnAlone)
{
    for (const bool fixa : {false, true}) {
        SCOPED_TRACE(fixa);
        grade->SetSelected({QStringLiteral("NR\t4\tNúmero"),
                            QStringLiteral("DATA\t10\tData") + (fixa ? QStringLiteral("\tT") : QString())});
        Mostra();
        Clica(Coluna("DATA"), Linha(2));
        QApplication::processEvents();
        auto* picker = qobject_cast<TdvDBCustomDateTimePicker*>(grade->CurrentCellControl());
        ASSERT_NE(picker, nullptr);
        picker->setFocus();
        Digita(QStringLiteral("15"));
        picker->DropDown();
        EXPECT_EQ(picker->DroppedDown(), !fixa);
        picker->CloseUp(false);
        grade->setFocus();
        Clica(Coluna("NR"), Linha(3));
        QApplication::processEvents();
        tabela.FindKey({2});
        EXPECT_EQ(tabela.FieldByName(QStringLiteral("DATA"))->AsFloat() != 37002, !fixa);
        if (!fixa) {   // back as it was for the read-only turn
            tabela.Edit();
            tabela.FieldByName(QStringLiteral("DATA"))->SetAsFloat(37002);
            tabela.Post();
        }
    }
}

TEST_F(TdvDBGridTest, FixedColumnsTakeTheTitleColour)
{
    grade->SetTitleColor(QColor(200, 0, 0));
    Mostra();
    grade->SetDataFixedCols(2);
    EXPECT_EQ(grade->FixedCols(), 3);   // with the indicator
    struct Cor : TdvDBGrid {
        using TdvDBGrid::GetFixedColor;
    };
    for (int coluna = 0; coluna < 4; ++coluna)
        EXPECT_EQ((grade->*&Cor::GetFixedColor)(coluna) == QColor(200, 0, 0), coluna <= 2) << coluna;
    grade->SetDataFixedCols(-1);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Invalid value for FixedCols")});
    EXPECT_EQ(grade->DataFixedCols(), 2);
}

TEST_F(TdvDBGridTest, UnderRowSelectTheFirstRecordShownStaysRightUnderTheTitles)
{
    grade->SetOptions(grade->Options() | dgRowSelect);
    Mostra();
    Tecla(Qt::Key_Down, Qt::ControlModifier);   // scrolls the records, never the grid's rows
    EXPECT_EQ(grade->TopRow(), grade->TitleOffset());
    grade->SetTopRow(grade->TitleOffset() + 2);
    EXPECT_EQ(grade->TopRow(), grade->TitleOffset());

    grade->SetOptions(grade->Options() & ~dgRowSelect);   // without it the grid's rows may scroll
    grade->SetTopRow(grade->TitleOffset() + 1);
    EXPECT_EQ(grade->TopRow(), grade->TitleOffset() + 1);
}

namespace {

// A component that holds the grid and must drop it when the grid goes away.
class Navegador : public QObject, public IdvLinkedComponent {
public:
    QList<std::pair<QObject*, TOperation>> avisos;
    void Notification(QObject* componente, TOperation operacao) override { avisos << std::pair{componente, operacao}; }
};

}   // namespace

TEST_F(TdvDBGridTest, LinkedComponentsAreToldWhenTheGridGoesAway)
{
    Navegador ficou, saiu, esquecido;
    auto* destruido = new Navegador;
    grade->AddLinkedComponent(&ficou);
    grade->AddLinkedComponent(&saiu);
    grade->AddLinkedComponent(&esquecido);
    grade->AddLinkedComponent(destruido);
    grade->RemoveLinkedComponent(&esquecido);
    delete destruido;   // gone first: nothing is sent to it
    TdvDBGrid* antiga = grade;
    delete grade;
    grade = nullptr;
    const QList<std::pair<QObject*, TOperation>> esperado{{antiga, TOperation::opRemove}};
    EXPECT_EQ(ficou.avisos, esperado);
    EXPECT_EQ(saiu.avisos, esperado);
    EXPECT_TRUE(esquecido.avisos.isEmpty());
}

namespace {

class TFrDados : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

}   // namespace

TEST_F(TdvDBGridTest, OnlyAnEditControlOfTheFormOrOfAFrameEditsACell)
{
    const auto cria = [](QWidget* pai, const char* nome, QWidget* controle) {
        controle->setParent(pai);
        controle->setObjectName(QLatin1String(nome));
        controle->hide();
        return controle;
    };
    QWidget* edit1 = cria(&forma, "Edit1", new TdvDBCustomEdit);
    cria(&forma, "Botao1", new QPushButton);
    QWidget* moldura = cria(&forma, "FrDados", new TFrDados);
    QWidget* edit2 = cria(moldura, "Edit2", new TdvDBCustomEdit);
    QWidget* painel = cria(&forma, "PnDados", new QWidget);
    cria(painel, "Edit3", new TdvDBCustomEdit);
    const struct {
        const char* nome;
        QWidget* achado;
    } casos[] = {
        {"Edit1", edit1},         {"Botao1", nullptr},          // no edit control
        {"FrDados.Edit2", edit2}, {"PnDados.Edit3", nullptr},   // no frame: a module's, and the table belongs to none
        {"Nenhum", nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(grade->FindCellControl(QLatin1String(c.nome)), c.achado);
    }

    tabela.ControlType() = {QStringLiteral("NOME;CustomEdit;Botao1")};
    Mostra();
    Clica(Coluna("NOME"), Linha(2));
    QApplication::processEvents();
    EXPECT_EQ(grade->GetCellControl(Coluna("NOME"), Linha(2)), nullptr);
    EXPECT_EQ(forma.findChild<QPushButton*>(QStringLiteral("Botao1"))->parentWidget(), &forma);
}

TEST_F(TdvDBGridTest, RichTextCellsShowTheirTextAndOpenTheirRichEditsEditor)
{
    tabela.First();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("OBS"))->SetAsBytes("{\\rtf1\\ansi Nota {\\b rica}}");
    tabela.Post();
    auto* rich = new TdvDBRichEdit(&forma);
    rich->setObjectName(QStringLiteral("RichEdit1"));
    grade->SetMemoAttributes(mSizeable | mWordWrap | mGridShow);
    struct Leitor : TdvDBGrid {
        using TdvDBGrid::GetFieldText;
    };
    const int campo = 3;   // OBS
    const auto texto = [&] {
        QString t;
        (grade->*&Leitor::GetFieldText)(campo, t);
        return t;
    };
    tabela.ControlType() = {QStringLiteral("OBS;RichEdit;RichEdit1")};
    Mostra();
    tabela.First();
    EXPECT_EQ(texto(), QStringLiteral("Nota rica"));
    EXPECT_FALSE(rich->isVisible());   // the named rich edit is the grid's, hidden
    EXPECT_EQ(rich->parentWidget(), grade);
    tabela.ControlType().clear();
    EXPECT_EQ(texto(), QStringLiteral("{\\rtf1\\ansi Nota {\\b rica}}"));   // a memo that is not marked
    tabela.ControlType() = {QStringLiteral("OBS;RichEdit;RichEdit1")};

    QStringList abertos;
    const auto fechaEditor = [&] {
        QTimer::singleShot(0, [&] {
            auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* editor = qobject_cast<TdvRichEditForm*>(dialogo);
            abertos << (editor ? editor->RichEdit1->Text() : QStringLiteral("outro"));
            if (dialogo)
                dialogo->QDialog::done(QDialog::Rejected);
        });
    };
    grade->setFocus();
    grade->SetSelectedIndex(campo);
    fechaEditor();
    Tecla(Qt::Key_F2);
    fechaEditor();
    QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, Centro(grade->CellRect(Coluna("OBS"), Linha(1))));
    EXPECT_EQ(abertos, QStringList(2, QStringLiteral("Nota rica")));
    EXPECT_EQ(rich->DataField(), QStringLiteral("OBS"));
}

TEST_F(TdvDBGridTest, ARichTextCellShowsItsFormattingPaintedByTheRichEditAsACopy)
{
    tabela.First();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("OBS"))
        ->SetAsBytes("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 VERMELHO}");
    tabela.Post();
    grade->SetMemoAttributes(mSizeable | mWordWrap | mGridShow);
    tabela.ControlType() = {QStringLiteral("OBS;RichEdit;RichEdit1")};
    Mostra();
    const auto vermelhos = [](const QImage& imagem, const QRect& area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = imagem.pixelColor(x, y);
                n += c.red() > 160 && c.green() < 90 && c.blue() < 90;
            }
        return n;
    };
    const QRect celula = grade->CellRect(Coluna("OBS"), Linha(1)).ToQRect();
    const QImage grade1 = grade->viewport()->grab().toImage();
    EXPECT_GT(vermelhos(grade1, celula), 10) << "the red run of the rich text";
    EXPECT_EQ(vermelhos(grade1, grade->CellRect(Coluna("OBS"), Linha(2)).ToQRect()), 0);

    // Only while the grid marks it does the rich edit paint into the grid.
    auto* rich = grade->findChild<TdvDBRichEdit*>();
    ASSERT_NE(rich, nullptr);
    tabela.First();
    rich->LoadFromBlobField(tabela.FieldByName(QStringLiteral("OBS")));
    QImage imagem(120, 30, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    {
        QPainter pintor(&imagem);
        rich->PaintCopy(pintor, imagem.rect());
    }
    EXPECT_EQ(vermelhos(imagem, imagem.rect()), 0);
    {
        QPainter pintor(&imagem);
        TdvPaintCopy copia(rich);
        rich->PaintCopy(pintor, imagem.rect());
    }
    EXPECT_GT(vermelhos(imagem, imagem.rect()), 10);
}

// The layout store of the grid, in an INI file of the test's folder.
class TdvIniAttributesTest : public TdvDBGridTest {
protected:
    void SetUp() override
    {
        TdvDBGridTest::SetUp();
        arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/grade.ini");
        grade->IniAttributes().SetFileName(arquivo);
    }

    QString arquivo;
};

TEST_F(TdvIniAttributesTest, TheLayoutIsStoredAndRestoredUnderTheFormAndGridName)
{
    grade->SetUseTFields(false);
    grade->SetSelected({QStringLiteral("NR\t13\tTotal de~Rendimentos\tF"), QStringLiteral("NOME\t12\tNome")});
    grade->IniAttributes().Enabled = true;
    Mostra();
    grade->SaveToIniFile();
    const TIniFile ini(arquivo);
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("FoGravadasDgGravadas")),
              (QStringList{QStringLiteral("NR=13;;Total de~Rendimentos;;F"), QStringLiteral("NOME=12;;Nome;;F")}));

    grade->SetSelected({QStringLiteral("IN_RETIFIC\t3\tRet.")});
    grade->IniAttributes().CheckNewFields = true;   // a column designed after the layout was stored
    grade->LoadFromIniFile();
    EXPECT_EQ(grade->Selected(),
              (QStringList{QStringLiteral("NR\t13\tTotal de~Rendimentos\tF"), QStringLiteral("NOME\t12\tNome\tF"),
                           QStringLiteral("IN_RETIFIC\t3\tRet.")}));
    EXPECT_EQ(grade->FieldCount(), 3);
}

TEST_F(TdvIniAttributesTest, AValueWithoutTheDelimiterKeepsTheDesignedColumns)
{
    for (bool useTFields : {false, true}) {
        SCOPED_TRACE(useTFields);
        TIniFile(arquivo).WriteString(QStringLiteral("FoGravadasDgGravadas"), QStringLiteral("NR"),
                                      QStringLiteral("4"));
        grade->SetUseTFields(useTFields);
        const QStringList desenhadas{QStringLiteral("NR\t4\tNúmero"), QStringLiteral("NOME\t12\tNome")};
        grade->SetSelected(desenhadas);
        Mostra();
        grade->LoadFromIniFile();
        EXPECT_EQ(grade->Selected(), desenhadas);
        EXPECT_EQ(dialogos.Textos().last(), QStringLiteral("Key Delimiter Not Found"));
    }
}

TEST_F(TdvIniAttributesTest, AGridBeingDestroyedShowsNoMessage)
{
    const struct {
        const char* caso;
        bool registro;
        QString arquivo;
        QString delimitador;
    } casos[] = {
        {"no file name for the registry", true, QString(), QStringLiteral(";;")},
        {"missing folder", false, QStringLiteral("/nao/existe/grade.ini"), QStringLiteral(";;")},
        {"no delimiter", false, QString(), QString()},
    };
    dvIntl().IniFileName.clear();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto* outra = new TdvDBGrid(&forma);
        outra->IniAttributes().Enabled = true;
        outra->IniAttributes().SaveToRegistry = c.registro;
        outra->IniAttributes().SetFileName(c.arquivo.isEmpty() ? arquivo : c.arquivo);
        if (c.registro)
            outra->IniAttributes().SetFileName(QString());
        outra->IniAttributes().SetDelimiter(c.delimitador);
        outra->SaveToIniFile();   // shown while the grid lives
        EXPECT_EQ(dialogos.Textos().size(), 1);
        delete outra;   // and not when it goes
        EXPECT_EQ(dialogos.Textos().size(), 1);
        dialogos.Limpa();
    }
}

TEST_F(TdvIniAttributesTest, WithoutNamesTheStoreIsTheProgramsIniAndTheFormAndGridNames)
{
    dvIntl().IniFileName.clear();
    grade->IniAttributes().SetFileName(QString());
    grade->Loaded();
    EXPECT_EQ(grade->IniAttributes().FileName(),
              QFileInfo(QCoreApplication::applicationFilePath()).fileName().section(QLatin1Char('.'), 0, 0)
                  + QStringLiteral(".ini"));
    EXPECT_EQ(grade->IniAttributes().SectionName(), QStringLiteral("FoGravadasDgGravadas"));
}

#include "TdvDBGridTest.moc"
