#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "components/controls/GradeDeDadosDeTeste.h"
#include "components/controls/GradeDeTeste.h"
#include "components/controls/combos/TBtnWinControl.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/controls/lookup/TdvPopupGrid.h"
#include "components/data/common/TdvPaintCopy.h"
#include "components/data/datasets/TdvQuery.h"
#include "components/data/datasets/TdvTable.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

// States by region (the key is region and code), and people who live in one: each person keeps
// the region and the code, and shows the state's name through a lookup field.
class LigacoesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        estados.SetDatabaseName(PastaDados());
        estados.SetTableName(QStringLiteral("Estados"));
        estados.CreateTable({{QStringLiteral("REGIAO"), ftString, 2},
                             {QStringLiteral("SG_UF"), ftString, 2},
                             {QStringLiteral("NM_UF"), ftString, 30}},
                            {{QString(), QStringLiteral("REGIAO;SG_UF"), TIndexOption::ixPrimary},
                             {QStringLiteral("PorNome"), QStringLiteral("NM_UF"), 0}});
        estados.Open();
        TTransacao todas(*estados.Database());
        for (const auto& [regiao, sigla, nome] : {std::tuple{"NE", "AL", "ALAGOAS"},
                                                  {"NE", "BA", "BAHIA"},
                                                  {"NE", "SE", "SERGIPE"},
                                                  {"SD", "SP", "SAO PAULO"},
                                                  {"SU", "SC", "SANTA CATARINA"}}) {
            estados.Append();
            estados.FieldByName(QStringLiteral("REGIAO"))->SetAsString(QLatin1String(regiao));
            estados.FieldByName(QStringLiteral("SG_UF"))->SetAsString(QLatin1String(sigla));
            estados.FieldByName(QStringLiteral("NM_UF"))->SetAsString(QLatin1String(nome));
            estados.Post();
        }
        pessoas.SetDatabaseName(PastaDados());
        pessoas.SetTableName(QStringLiteral("Pessoas"));
        pessoas.CreateTable({{QStringLiteral("NR"), ftInteger},
                             {QStringLiteral("REGIAO"), ftString, 2},
                             {QStringLiteral("UF"), ftString, 2}},
                            {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
        auto nome = std::make_unique<TField>(ftString, QStringLiteral("NOME_UF"), 30, fkLookup);
        nome->LookupDataSet = &estados;
        nome->KeyFields = QStringLiteral("REGIAO;UF");
        nome->LookupKeyFields = QStringLiteral("REGIAO;SG_UF");
        nome->LookupResultField = QStringLiteral("NM_UF");
        pessoas.AddField(std::move(nome));
        pessoas.Open();
        for (const auto& [nr, regiao, uf] : {std::tuple{1, "NE", "BA"}, {2, "SD", "SP"}, {3, "", ""}}) {
            pessoas.Append();
            pessoas.FieldByName(QStringLiteral("NR"))->SetAsInteger(nr);
            pessoas.FieldByName(QStringLiteral("REGIAO"))->SetAsString(QLatin1String(regiao));
            pessoas.FieldByName(QStringLiteral("UF"))->SetAsString(QLatin1String(uf));
            pessoas.Post();
        }
        todas.Confirma();
        pessoas.First();
        fonte.SetDataSet(&pessoas);

        auto* disposicao = new QVBoxLayout(&janela);
        disposicao->addWidget(antes);
        disposicao->addWidget(combo);
        janela.setFont(Fonte());
        combo->SetLookupTable(&estados);
        combo->SetLookupField(QStringLiteral("REGIAO;SG_UF"));
        combo->SetSelected({QStringLiteral("NM_UF\t20\tEstado"), QStringLiteral("SG_UF\t3\tUF")});
        combo->SetDataSource(&fonte);
        combo->SetDataField(QStringLiteral("NOME_UF"));
    }

    void Mostra()
    {
        janela.resize(300, 120);
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
        combo->setFocus();
        QApplication::processEvents();
    }

    [[nodiscard]] QString De(const char* campo) const { return pessoas.FieldByName(QLatin1String(campo))->AsString(); }

    DialogosRoteirizados dialogos;
    TdvTable estados;
    TdvTable pessoas;
    TDataSource fonte;
    QWidget janela;
    QLineEdit* antes = new QLineEdit(&janela);
    TdvDBLookupCombo* combo = new TdvDBLookupCombo(&janela);
};

}   // namespace

TEST_F(LigacoesTest, AComboOnALookupFieldShowsItAndWritesTheChosenKeysIntoTheKeyFields)
{
    Mostra();
    ASSERT_TRUE(combo->BoundThroughLookupLinks());
    EXPECT_EQ(combo->text(), QStringLiteral("BAHIA"));
    EXPECT_EQ(combo->LookupValue(1), QStringLiteral("BA"));   // found through the last key pair
    pessoas.Next();
    EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
    pessoas.First();

    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(estados.FieldByName(QStringLiteral("SG_UF"))->AsString(), QStringLiteral("BA"));
    Tecla(Qt::Key_Down);   // BAHIA, SANTA CATARINA in the order of the names
    Tecla(Qt::Key_Return);
    EXPECT_EQ(pessoas.State(), dsEdit);
    EXPECT_EQ(De("REGIAO"), QStringLiteral("SU"));
    EXPECT_EQ(De("UF"), QStringLiteral("SC"));
    EXPECT_EQ(combo->text(), QStringLiteral("SANTA CATARINA"));
    pessoas.Post();
    pessoas.Refresh();
    EXPECT_EQ(De("NOME_UF"), QStringLiteral("SANTA CATARINA"));
}

TEST_F(LigacoesTest, ADetailLookupTableTakesOnlyTheLastKeyAndSearchesAfterItsMasterFields)
{
    // The region is the master's; the lookup table shows the states of the North-East.
    estados.MasterFields = QStringLiteral("REGIAO");
    estados.SetRange({QStringLiteral("NE")}, {QStringLiteral("NE")});
    combo->OrderByDisplay = false;
    EXPECT_TRUE(combo->FindTableValue(QStringLiteral("SE"), QStringLiteral("SG_UF"), false));
    EXPECT_FALSE(combo->FindTableValue(QStringLiteral("S"), QStringLiteral("SG_UF"), false));
    EXPECT_TRUE(combo->FindTableValue(QStringLiteral("B"), QStringLiteral("SG_UF"), true));
    EXPECT_EQ(estados.FieldByName(QStringLiteral("NM_UF"))->AsString(), QStringLiteral("BAHIA"));
    EXPECT_FALSE(combo->FindTableValue(QStringLiteral("SP"), QStringLiteral("SG_UF"), false));   // another master's

    pessoas.Last();   // nobody's state yet
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    Tecla(Qt::Key_Down);   // nothing chosen: the first record
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(De("UF"), QStringLiteral("BA"));
    EXPECT_EQ(De("REGIAO"), QString());   // the master's key is not written

    pessoas.Cancel();
    estados.MasterFields.clear();   // the same table as no detail: every key is written
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(De("UF"), QStringLiteral("BA"));
    EXPECT_EQ(De("REGIAO"), QStringLiteral("NE"));
}

TEST_F(LigacoesTest, AReadOnlyComboWritesNoKey)
{
    combo->SetReadOnly(true);
    Mostra();
    combo->Grid().SetLookupValueAt(1, QStringLiteral("SE"));
    EXPECT_TRUE(combo->WriteThroughLookupLinks());   // needed, but not allowed
    EXPECT_EQ(pessoas.State(), dsBrowse);
    EXPECT_EQ(De("UF"), QStringLiteral("BA"));
    combo->SetReadOnly(false);
    combo->Grid().SetLookupValueAt(0, QStringLiteral("NE"));
    EXPECT_TRUE(combo->WriteThroughLookupLinks());
    EXPECT_EQ(De("UF"), QStringLiteral("SE"));
}

TEST_F(LigacoesTest, AQueryWithADataSourceOfItsOwnPutsTheCombosRecordInEditAsItDropsDown)
{
    TdvQuery consulta;
    consulta.SetDatabaseName(PastaDados());
    consulta.SetSQL({QStringLiteral("SELECT REGIAO, SG_UF, NM_UF FROM Estados ORDER BY NM_UF")});
    consulta.Open();
    TDataSource mestre;
    combo->SetDataField(QStringLiteral("UF"));
    combo->SetLookupTable(&consulta);
    combo->SetLookupField(QStringLiteral("SG_UF"));
    Mostra();
    EXPECT_EQ(combo->text(), QStringLiteral("BAHIA"));
    for (TDataSource* propria : {static_cast<TDataSource*>(nullptr), &mestre}) {
        SCOPED_TRACE(propria != nullptr);
        consulta.DataSource = propria;
        combo->DropDown();
        EXPECT_EQ(pessoas.State(), propria ? dsEdit : dsBrowse);
        combo->CloseUp(false);
        pessoas.Cancel();
    }
    // Typing searches the query's answer.
    Tecla(Qt::Key_Down, Qt::AltModifier);
    combo->selectAll();
    Digita(QStringLiteral("SE"));
    EXPECT_EQ(consulta.FieldByName(QStringLiteral("NM_UF"))->AsString(), QStringLiteral("SERGIPE"));
}

namespace {

// The combo as the cell editor of a grid, closed, showing a state.
class LookupNaGrade : public ::testing::Test {
protected:
    void SetUp() override
    {
        estados.SetDatabaseName(PastaDados());
        estados.SetTableName(QStringLiteral("Estados"));
        estados.CreateTable({{QStringLiteral("SG_UF"), ftString, 2}, {QStringLiteral("NM_UF"), ftString, 30}},
                            {{QString(), QStringLiteral("SG_UF"), TIndexOption::ixPrimary}});
        estados.Open();
        for (const auto& [sigla, nome] : {std::pair{"AC", "ACRE"}, {"BA", "BAHIA"}, {"SP", "SAO PAULO"}}) {
            estados.Append();
            estados.FieldByName(QStringLiteral("SG_UF"))->SetAsString(QLatin1String(sigla));
            estados.FieldByName(QStringLiteral("NM_UF"))->SetAsString(QLatin1String(nome));
            estados.Post();
        }
        grade.resize(300, 100);
        grade.tabs = true;
        combo = new TdvDBLookupCombo(&grade);
        combo->setGeometry(10, 10, 120, 22);
        combo->SetLookupTable(&estados);
        combo->SetLookupField(QStringLiteral("SG_UF"));
        combo->SetSelected({QStringLiteral("NM_UF\t20\tEstado")});
        grade.show();
        grade.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grade));
        combo->setFocus(Qt::TabFocusReason);
        combo->SetLookupValue(QStringLiteral("BA"));
        combo->SetSelStart(2);
    }

    DialogosRoteirizados dialogos;
    TdvTable estados;
    GradeDeTeste grade;
    TdvDBLookupCombo* combo = nullptr;
};

}   // namespace

TEST_F(LookupNaGrade, AClosedComboHandsTheKeysThatMoveBetweenCellsToTheGrid)
{
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        bool paraGrade;
    } casos[] = {
        {Qt::Key_Down, Qt::NoModifier, true},        {Qt::Key_PageDown, Qt::NoModifier, true},
        {Qt::Key_Insert, Qt::ShiftModifier, true},   // Insert whatever the shift state
        {Qt::Key_Escape, Qt::NoModifier, true},      // nothing typed
        {Qt::Key_Left, Qt::NoModifier, false},       // the grid does not always show its editor
        {Qt::Key_Delete, Qt::ControlModifier, true}, {Qt::Key_Delete, Qt::NoModifier, false},
        {Qt::Key_Tab, Qt::NoModifier, true},         {Qt::Key_Return, Qt::NoModifier, true},
        {Qt::Key_F2, Qt::NoModifier, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tecla);
        combo->setFocus(Qt::OtherFocusReason);
        combo->SetSelStart(2);
        grade.teclas.clear();
        Tecla(c.tecla, c.mods);
        EXPECT_EQ(grade.teclas, c.paraGrade ? QList<int>{c.tecla} : QList<int>{});
        EXPECT_FALSE(combo->DroppedDown());
    }
    // F2 only takes the selection away.
    combo->setFocus(Qt::OtherFocusReason);
    combo->selectAll();
    Tecla(Qt::Key_F2);
    EXPECT_EQ(combo->SelLength(), 0);

    // Open, the list keeps the keys.
    combo->SetLookupValue(QStringLiteral("BA"));
    grade.teclas.clear();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(grade.teclas, QList<int>{});
    EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
}

TEST_F(LookupNaGrade, AListOnlyComboPaintsItsValueHighlightedWhileFocused)
{
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->setFocus(Qt::OtherFocusReason);
    combo->deselect();   // the look comes from the style, not from a selection
    QApplication::processEvents();
    const QColor realce = combo->palette().color(QPalette::Highlight);
    const TRect texto = TRect::From(combo->rect().adjusted(2, 2, -combo->ButtonHost()->width() - 2, -2));
    EXPECT_GT(DaCor(combo->grab().toImage(), texto, realce), 20);

    grade.setFocus();
    QApplication::processEvents();
    const QImage semFoco = combo->grab().toImage();
    EXPECT_EQ(DaCor(semFoco, texto, realce), 0);
    EXPECT_GT(Escuros(semFoco, texto), 20);   // the value is still written
}

TEST_F(LigacoesTest, InADataGridThatAlwaysShowsItsEditorLeftGoesToTheGridOnlyFromTheStartOfTheText)
{
    combo->SetDataSource(nullptr);
    combo->setObjectName(QStringLiteral("DblcUf"));
    combo->SetLookupField(QStringLiteral("SG_UF"));
    combo->SetSelected({QStringLiteral("SG_UF\t3\tUF"), QStringLiteral("NM_UF\t20\tEstado")});
    auto* grade = new TdvDBGrid(&janela);
    janela.layout()->addWidget(grade);
    pessoas.ControlType() = {QStringLiteral("UF;LookupCombo;DblcUf")};
    grade->SetOptions(grade->Options() | dgAlwaysShowEditor);
    grade->Loaded();
    grade->SetDataSource(&fonte);
    janela.resize(400, 260);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    grade->setFocus();
    const int uf = pessoas.FieldByName(QStringLiteral("UF"))->Index();
    grade->SetSelectedIndex(uf);
    QApplication::processEvents();
    ASSERT_EQ(grade->CurrentCellControl(), combo);
    combo->setFocus();
    EXPECT_EQ(combo->text(), QStringLiteral("BA"));
    combo->setCursorPosition(1);
    Tecla(Qt::Key_Left);   // in the middle: the caret moves
    EXPECT_EQ(grade->SelectedIndex(), uf);
    EXPECT_EQ(combo->cursorPosition(), 0);
    Tecla(Qt::Key_Left);   // at the start: the grid moves
    EXPECT_EQ(grade->SelectedIndex(), uf - 1);
}

TEST_F(LigacoesTest, ADetailLookupTableThatIsNoLibraryTableIsReportedWhenItChanges)
{
    combo->SetDataField(QStringLiteral("UF"));
    combo->SetLookupField(QStringLiteral("SG_UF"));
    Mostra();
    ASSERT_EQ(combo->text(), QStringLiteral("BAHIA"));
    // A library table follows its master: the combo shows its value again.
    estados.MasterFields = QStringLiteral("REGIAO");
    combo->setText(QStringLiteral("outro"));
    estados.Refresh();
    EXPECT_EQ(combo->text(), QStringLiteral("BAHIA"));
    EXPECT_TRUE(dialogos.Textos().isEmpty());

    TTable simples;
    simples.SetDatabaseName(PastaDados());
    simples.SetTableName(QStringLiteral("Estados"));
    simples.Open();
    simples.MasterFields = QStringLiteral("REGIAO");
    combo->SetLookupTable(&simples);
    simples.Refresh();
    EXPECT_EQ(dialogos.Textos(),
              QStringList{QStringLiteral("LookupTable on a detail table is only supported when using a TdvTable as the "
                                         "LookupTable!")});
}

TEST_F(LigacoesTest, AGridsPictureOfTheComboShowsTheRecordsValueWithoutHighlight)
{
    combo->SetDataField(QStringLiteral("UF"));
    combo->SetLookupField(QStringLiteral("SG_UF"));
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    Mostra();
    combo->setText(QStringLiteral("nada"));
    const QColor realce = combo->palette().color(QPalette::Highlight);
    const TRect area = TRect::From(combo->rect().adjusted(2, 2, -combo->ButtonHost()->width() - 2, -2));
    ASSERT_GT(DaCor(combo->grab().toImage(), area, realce), 0);
    {
        TdvPaintCopy copia(combo);
        EXPECT_EQ(combo->CopyText(), QStringLiteral("BAHIA"));
        EXPECT_EQ(DaCor(combo->grab().toImage(), area, realce), 0);
    }
    EXPECT_EQ(combo->text(), QStringLiteral("nada"));   // the combo itself keeps what was typed
    combo->SetDataField(QStringLiteral("NOME_UF"));     // a lookup field gives its own text
    {
        TdvPaintCopy copia(combo);
        EXPECT_EQ(combo->CopyText(), QStringLiteral("BAHIA"));
    }
}
