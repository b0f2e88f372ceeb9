#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "platform/widgets/TecladoDeTeste.h"
#include "components/controls/AmbienteDeControles.h"
#include "components/controls/GradeDeTeste.h"
#include "components/controls/QuartaDeTeste.h"
#include "components/controls/datetime/EDateTimeError.h"
#include "components/controls/datetime/TdvDBDateTimePicker.h"
#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/controls/datetime/TdvPopupCalendar.h"
#include "components/controls/datetime/dvCalendar.h"
#include "components/data/datasets/TdvTable.h"
#include "components/data/common/dvSystem.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TTable.h"

using namespace TecladoDeTeste;

namespace {

// A picker and another edit in a window, on Wednesday 05/03/2003 14:07:30; beeps and the errors
// raised inside events counted. The table has a date column DATA, null in its one record.
class Seletor : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Geradas"));
        tabela.CreateTable({{QStringLiteral("NOME"), ftString, 20}, {QStringLiteral("DATA"), ftDate}}, {});
        tabela.Open();
        tabela.Append();
        tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Declar"));
        tabela.Post();
        fonte.SetDataSet(&tabela);

        janela.resize(300, 200);
        seletor = new TdvDBDateTimePicker(&janela);
        seletor->setObjectName(QStringLiteral("dvDBDateTimePicker1"));
        seletor->setGeometry(10, 10, 140, 22);
        seletor->SetShowButton(true);
        outro = new QLineEdit(&janela);
        outro->setGeometry(10, 150, 120, 22);
        janela.show();
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
        outro->setFocus();
    }

    void TearDown() override { delete seletor; }

    // As the summary page places it.
    void DataSemVinculo()
    {
        seletor->SetUnboundDataType(TdvDTEditDataType::dvDTEdtDate);
        seletor->SetEpoch(1950);
        seletor->SetMinDate(Dia(2000, 12, 1));
    }

    void Liga()
    {
        seletor->SetDataSource(&fonte);
        seletor->SetDataField(QStringLiteral("DATA"));
    }

    void Entra()
    {
        seletor->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    void Sai()
    {
        outro->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    QString Selecionado() const { return seletor->selectedText(); }

    AmbienteDeControles ambiente{&Quarta};
    TTable tabela;
    TDataSource fonte;
    QWidget janela;
    TdvDBDateTimePicker* seletor = nullptr;
    QLineEdit* outro = nullptr;
};

}   // namespace

TEST_F(Seletor, AnUnboundDateStartsEmptyAndTheFirstDigitStartsFromToday)
{
    DataSemVinculo();
    int mudancas = 0;
    seletor->OnChange = [&] { ++mudancas; };
    EXPECT_EQ(seletor->Text(), QString());
    EXPECT_EQ(seletor->Epoch(), 1950);
    Entra();
    Digita(QStringLiteral("1"));
    EXPECT_EQ(seletor->Text(), QStringLiteral("1/03/2003"));   // the day being typed
    EXPECT_TRUE(seletor->Typing());
    Digita(QStringLiteral("508"));
    EXPECT_EQ(seletor->Text(), QStringLiteral("15/08/2003"));
    EXPECT_EQ(seletor->CurrentPart(), 3);
    EXPECT_EQ(Selecionado(), QStringLiteral("2003"));
    Digita(QStringLiteral("2002"));
    EXPECT_EQ(seletor->Date(), Dia(2002, 8, 15));
    EXPECT_GT(mudancas, 0);
    EXPECT_EQ(ambiente.Bipes(), 0);
}

TEST_F(Seletor, TheFirstKeyOnAnEmptyPickerTakesTheMinimumWhenTodayIsEarlier)
{
    DataSemVinculo();
    seletor->SetMinDate(Dia(2003, 4, 1));
    Entra();
    Tecla(Qt::Key_Right);
    EXPECT_EQ(seletor->Date(), Dia(2003, 4, 1));
    EXPECT_EQ(seletor->CurrentPart(), 2);
    // Down steps the month, never below the minimum.
    Tecla(Qt::Key_Down);
    EXPECT_EQ(seletor->Text(), QStringLiteral("01/04/2003"));
    Tecla(Qt::Key_Minus);
    Tecla(Qt::Key_Up);
    EXPECT_EQ(seletor->Text(), QStringLiteral("01/05/2003"));
}

TEST_F(Seletor, LimitsRaiseTheirMessagesAndKeepTheValue)
{
    DataSemVinculo();
    seletor->SetMaxDate(Dia(2003, 12, 31));
    seletor->SetDate(Dia(2003, 3, 5));
    const struct {
        double dia;
        const char* mensagem;
    } casos[] = {
        {Dia(2004, 1, 1), "Date exceeds maximum of 31/12/2003"},
        {Dia(2000, 11, 30), "Date is less than minimum of 01/12/2000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensagem);
        try {
            seletor->SetDate(c.dia);
            ADD_FAILURE() << "no error";
        } catch (const EDateTimeError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), QString::fromUtf8(c.mensagem));
        }
        EXPECT_EQ(seletor->Date(), Dia(2003, 3, 5));
        EXPECT_EQ(seletor->Text(), QStringLiteral("05/03/2003"));
    }
    EXPECT_THROW(seletor->SetMinDate(Dia(2004, 1, 1)), EDateTimeError);   // above the maximum
    EXPECT_THROW(seletor->SetMaxDate(Dia(2000, 1, 1)), EDateTimeError);   // below the minimum
    EXPECT_EQ(seletor->MinDate(), Dia(2000, 12, 1));
    EXPECT_EQ(seletor->MaxDate(), Dia(2003, 12, 31));
    // Writing 0 empties an unbound picker.
    seletor->SetDate(0);
    EXPECT_EQ(seletor->Text(), QString());
}

TEST_F(Seletor, KeysStepClearAndEscapeGivesBackTheValueOnEntering)
{
    seletor->SetUnboundDataType(TdvDTEditDataType::dvDTEdtDate);
    seletor->SetDate(Dia(2003, 1, 31));
    Entra();
    EXPECT_EQ(Selecionado(), QStringLiteral("31/01/2003"));
    Tecla(Qt::Key_Up);   // all selected: part 1
    EXPECT_EQ(seletor->Text(), QStringLiteral("01/01/2003"));
    EXPECT_EQ(Selecionado(), QStringLiteral("01"));
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_End);
    EXPECT_EQ(seletor->Text(), QStringLiteral("01/12/2003"));
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(seletor->Text(), QStringLiteral("31/01/2003"));
    EXPECT_EQ(Selecionado(), QStringLiteral("31/01/2003"));
    EXPECT_FALSE(seletor->Modified());
    Tecla(Qt::Key_Delete);   // all of it selected
    EXPECT_EQ(seletor->Text(), QString());
    EXPECT_TRUE(seletor->EmptyFlag());
    EXPECT_EQ(seletor->Date(), 0);
    Digita(QStringLiteral("x"));   // a letter on a number beeps
    EXPECT_EQ(ambiente.Bipes(), 1);
}

TEST_F(Seletor, TimeWithRoundedMinutesStepsOnTheGrid)
{
    seletor->SetUnboundDataType(TdvDTEditDataType::dvDTEdtTime);
    seletor->SetInterval({15, true});
    seletor->SetTime(10 / 24.0 + 7 / 1440.0);
    Entra();
    EXPECT_EQ(seletor->Text(), QStringLiteral("10:07"));
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(seletor->Text(), QStringLiteral("10:00"));
    Tecla(Qt::Key_Down);
    EXPECT_EQ(seletor->Text(), QStringLiteral("10:45"));
    // A time-only picker has no calendar.
    Tecla(Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(seletor->DroppedDown());
}

TEST_F(Seletor, BoundToANullDateItShowsNothingAndWritesWhatIsTyped)
{
    Liga();
    EXPECT_EQ(seletor->Text(), QString());
    Entra();
    EXPECT_EQ(seletor->CurrentPart(), 1);
    Digita(QStringLiteral("2"));
    EXPECT_EQ(tabela.State(), dsEdit);
    Digita(QStringLiteral("0"));
    EXPECT_EQ(seletor->Text(), QStringLiteral("20/03/2003"));
    Sai();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DATA"))->AsDateTime(), Dia(2003, 3, 20));
    tabela.Post();

    // Clearing it writes null on leaving.
    Entra();
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(seletor->Text(), QString());
    Sai();
    EXPECT_TRUE(tabela.FieldByName(QStringLiteral("DATA"))->IsNull());
    tabela.Cancel();
    EXPECT_EQ(seletor->Text(), QStringLiteral("20/03/2003"));
}

TEST_F(Seletor, AReadOnlyPickerSwallowsKeysAndDoesNotDropDown)
{
    Liga();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("DATA"))->SetAsDateTime(Dia(2003, 3, 20));
    tabela.Post();
    seletor->SetReadOnly(true);
    Entra();
    Tecla(Qt::Key_Up);
    Digita(QStringLiteral("1"));
    Tecla(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(seletor->Text(), QStringLiteral("20/03/2003"));
    EXPECT_FALSE(seletor->DroppedDown());
    EXPECT_EQ(tabela.State(), dsBrowse);
}

TEST_F(Seletor, TheCalendarDropsDownWithTodayAndTakesTheKeysWhileDown)
{
    DataSemVinculo();
    Entra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(seletor->DroppedDown());
    TdvPopupCalendar* calendario = seletor->Calendar();
    EXPECT_EQ(QApplication::activePopupWidget(), calendario);
    EXPECT_EQ(seletor->Text(), QStringLiteral("05/03/2003"));
    EXPECT_EQ(calendario->Date(), Dia(2003, 3, 5));
    EXPECT_EQ(calendario->MinDate(), Dia(2000, 12, 1));
    Tecla(Qt::Key_Right);   // a day on in the calendar, and in the picker
    Tecla(Qt::Key_Down);    // a week on
    EXPECT_EQ(seletor->Date(), Dia(2003, 3, 13));
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(seletor->DroppedDown());
    EXPECT_EQ(seletor->Text(), QStringLiteral("13/03/2003"));

    // Esc closes it with the value from before, and does not also reset the picker.
    Tecla(Qt::Key_Up, Qt::AltModifier);
    ASSERT_TRUE(seletor->DroppedDown());
    Tecla(Qt::Key_PageDown);
    EXPECT_EQ(seletor->Date(), Dia(2003, 4, 13));
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(seletor->DroppedDown());
    EXPECT_EQ(seletor->Text(), QStringLiteral("13/03/2003"));
    EXPECT_TRUE(seletor->Modified());
}

TEST_F(Seletor, TheMouseChoosesADayAndAPressElsewhereClosesKeepingIt)
{
    seletor->SetUnboundDataType(TdvDTEditDataType::dvDTEdtDate);
    seletor->SetDate(Dia(2003, 3, 5));
    Entra();
    QTest::mousePress(seletor->Button(), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(seletor->DroppedDown());
    TdvPopupCalendar* calendario = seletor->Calendar();
    const QPoint dia20 = calendario->DayRect(QDate(2003, 3, 20)).center();
    QTest::mouseClick(calendario, Qt::LeftButton, {}, dia20);
    EXPECT_FALSE(seletor->DroppedDown());
    EXPECT_EQ(seletor->Date(), Dia(2003, 3, 20));

    seletor->DropDown();
    ASSERT_TRUE(seletor->DroppedDown());
    QTest::mouseClick(calendario, Qt::LeftButton, {}, calendario->DayRect(QDate(2003, 3, 27)).center());
    EXPECT_EQ(seletor->Date(), Dia(2003, 3, 27));
    seletor->DropDown();
    Tecla(Qt::Key_Right);
    const QPoint fora(calendario->width() + 20, 5);
    QMouseEvent pressao(QEvent::MouseButtonPress, QPointF(fora), calendario->mapToGlobal(QPointF(fora)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(calendario, &pressao);
    EXPECT_FALSE(seletor->DroppedDown());
    EXPECT_EQ(seletor->Date(), Dia(2003, 3, 28));
}

TEST_F(Seletor, BoundTheCalendarPutsTheRecordInEditAndTheDateInTheField)
{
    Liga();
    Entra();
    seletor->DropDown();
    ASSERT_TRUE(seletor->DroppedDown());
    EXPECT_EQ(tabela.State(), dsEdit);
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_Return);
    Sai();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DATA"))->AsDateTime(), Dia(2003, 3, 6));
    EXPECT_TRUE(ambiente.erros.isEmpty()) << ambiente.erros.join(u'\n').toStdString();
}

TEST(TdvPopupCalendar, OpensBelowOrAboveAndAlignsWithThePicker)
{
    using A = TdvDTCalAlignment;
    // Picker 140 x 22 at the given origin; calendar 180 x 150; work area to 768, screen 1024 wide.
    const struct {
        int x;
        int y;
        A alinhamento;
        int esquerda;
        int topo;
    } casos[] = {
        {100, 100, A::dvdtaLeft, 101, 121},
        {100, 700, A::dvdtaLeft, 101, 550},   // no room below: above
        {100, 100, A::dvdtaRight, 100 + 140 - 16 - 180 - 1 + 1, 121},
        {100, 100, A::dvdtaCenter, 100 + (140 - 180 - 16 - 1) / 2 + 1, 121},
        {10, 100, A::dvdtaRight, 1, 121},   // a negative left becomes 0
        {10, 100, A::dvdtaCenter, 1, 121},
        {900, 100, A::dvdtaLeft, 900 + 140 - 1 - 180 + 1, 121},   // the screen's edge: right-aligned
        {100, 120, A::dvdtaLeft, 101, 141},
        {100, 600, A::dvdtaLeft, 101, 450},
        {100, 140, A::dvdtaLeft, 101, 161},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << static_cast<int>(c.alinhamento));
        TdvCalendarPlacementInput in;
        in.Edit = {c.x, c.y};
        in.PickerWidth = 140;
        in.PickerHeight = 22;
        in.CalendarWidth = 180;
        in.CalendarHeight = 150;
        in.WorkAreaBottom = 768;
        in.ScreenWidth = 1024;
        in.ScrollBarWidth = 16;
        in.Alignment = c.alinhamento;
        EXPECT_EQ(TdvPopupCalendar::Placement(in), QPoint(c.esquerda, c.topo));
    }
    // Above only when there is room above.
    TdvCalendarPlacementInput baixo;
    baixo.Edit = {100, 100};
    baixo.PickerHeight = 22;
    baixo.CalendarWidth = 180;
    baixo.CalendarHeight = 150;
    baixo.WorkAreaBottom = 200;
    baixo.ScreenWidth = 1024;
    EXPECT_EQ(TdvPopupCalendar::Placement(baixo), QPoint(101, 121));
}

namespace {

// A date picker as the cell editor of a grid, on 05/03/2003.
class SeletorNaGrade : public ::testing::Test {
protected:
    void SetUp() override
    {
        grade.resize(300, 100);
        seletor = new TdvDBDateTimePicker(&grade);
        seletor->setGeometry(10, 10, 120, 22);
        seletor->SetUnboundDataType(TdvDTEditDataType::dvDTEdtDate);
        seletor->SetDate(Dia(2003, 3, 5));
        grade.show();
        grade.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grade));
    }

    GradeDeTeste grade;
    TdvDBDateTimePicker* seletor = nullptr;
};

}   // namespace

TEST_F(SeletorNaGrade, KeysLeaveTheCellAtItsEdgesAndWhenAllIsSelected)
{
    // preparo: ">" and "<" move between the parts from all the text selected.
    const struct {
        const char* preparo;
        bool editorSempre;
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        bool paraGrade;
        const char* texto;
    } casos[] = {
        {"", false, Qt::Key_Down, Qt::NoModifier, true, "05/03/2003"},
        {">", false, Qt::Key_Down, Qt::NoModifier, false, "05/02/2003"},
        {">", false, Qt::Key_Down, Qt::ControlModifier, true, "05/03/2003"},
        {">", false, Qt::Key_PageDown, Qt::NoModifier, true, "05/03/2003"},
        {">", false, Qt::Key_Escape, Qt::NoModifier, true, "05/03/2003"},
        {">", false, Qt::Key_Return, Qt::NoModifier, true, "05/03/2003"},
        {">", false, Qt::Key_Insert, Qt::NoModifier, true, "05/03/2003"},
        {">", false, Qt::Key_Delete, Qt::ControlModifier, true, "05/03/2003"},
        {"><", false, Qt::Key_Left, Qt::NoModifier, false, "05/03/2003"},
        {"><", true, Qt::Key_Left, Qt::NoModifier, true, "05/03/2003"},
        {">", true, Qt::Key_Left, Qt::NoModifier, false, "05/03/2003"},
        {">>", true, Qt::Key_Right, Qt::NoModifier, true, "05/03/2003"},
        {"", true, Qt::Key_Home, Qt::NoModifier, true, "05/03/2003"},
        {">", true, Qt::Key_Home, Qt::NoModifier, false, "05/01/2003"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.preparo << " " << c.tecla << " " << c.editorSempre);
        seletor->SetDate(Dia(2003, 3, 5));
        seletor->setFocus(Qt::TabFocusReason);
        seletor->selectAll();
        grade.editorSempre = false;
        for (const char* p = c.preparo; *p; ++p)
            Tecla(*p == '>' ? Qt::Key_Right : Qt::Key_Left);
        seletor->SetModified(false);
        grade.editorSempre = c.editorSempre;
        grade.teclas.clear();
        Tecla(c.tecla, c.mods);
        EXPECT_EQ(grade.teclas, c.paraGrade ? QList<int>{c.tecla} : QList<int>{});
        EXPECT_EQ(seletor->Text(), QString::fromUtf8(c.texto));
    }
}

TEST_F(SeletorNaGrade, F2IsOfferedToTheGridAndSelectsTheFirstPart)
{
    seletor->setFocus(Qt::TabFocusReason);
    seletor->selectAll();
    Tecla(Qt::Key_F2);
    EXPECT_EQ(grade.informadas, QList<int>{Qt::Key_F2});
    EXPECT_EQ(seletor->selectedText(), QStringLiteral("05"));
    EXPECT_EQ(seletor->CurrentPart(), 1);
}

TEST_F(Seletor, PasteReadsADateAndCutEmpties)
{
    DataSemVinculo();
    seletor->SetDate(Dia(2003, 3, 5));
    Entra();
    const struct {
        const char* colado;
        const char* texto;
    } casos[] = {
        {"20/04/2003", "20/04/2003"},
        {"20/04/03 10:30", "20/04/2003"},   // a date and time: the date shown
        {"abc", "20/04/2003"},              // no date: nothing changes
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.colado);
        QApplication::clipboard()->setText(QString::fromUtf8(c.colado));
        Tecla(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        EXPECT_EQ(seletor->Text(), QString::fromUtf8(c.texto));
        EXPECT_TRUE(seletor->Modified());
    }
    Tecla(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(seletor->Text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("20/04/2003"));
    EXPECT_TRUE(seletor->EmptyFlag());
    // An empty picker takes the caret; one showing its value does not.
    EXPECT_FALSE(seletor->isReadOnly());
    QApplication::clipboard()->setText(QStringLiteral("05/03/2003"));
    Tecla(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(seletor->Text(), QStringLiteral("05/03/2003"));
    EXPECT_TRUE(seletor->isReadOnly());
}

TEST_F(Seletor, MovingBetweenPartsLeavesTheRecordAloneAndARequiredDateIsNotCleared)
{
    Liga();
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("DATA"))->SetAsDateTime(Dia(2003, 3, 20));
    tabela.Post();
    tabela.FieldByName(QStringLiteral("DATA"))->SetRequired(true);
    Entra();
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_Left);
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(Selecionado(), QStringLiteral("03"));
    seletor->selectAll();
    Tecla(Qt::Key_Delete);
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(seletor->Text(), QStringLiteral("20/03/2003"));
    EXPECT_EQ(tabela.State(), dsBrowse);
    Tecla(Qt::Key_Up);   // steps the current part, the month, although all is selected
    EXPECT_EQ(tabela.State(), dsEdit);
    EXPECT_EQ(seletor->Text(), QStringLiteral("20/04/2003"));
}

TEST_F(Seletor, ANullFieldShowsTheCaretAndAValueDoesNot)
{
    Liga();
    Entra();
    EXPECT_FALSE(seletor->isReadOnly());
    Digita(QStringLiteral("25"));
    EXPECT_TRUE(seletor->isReadOnly());
    EXPECT_EQ(Selecionado(), QStringLiteral("03"));
}

namespace {

// The list of recorded delivery files: a published grid whose DATA_GERA column is edited by the
// picker named in the table's ControlType line.
class SeletorNaGradePublicada : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Geradas"));
        tabela.CreateTable({{QStringLiteral("NR"), ftInteger}, {QStringLiteral("DATA_GERA"), ftDate}},
                           {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
        tabela.Open();
        for (int nr = 1; nr <= 3; ++nr) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("NR"))->SetAsInteger(nr);
            tabela.FieldByName(QStringLiteral("DATA_GERA"))->SetAsDateTime(Dia(2003, 2, nr));
            tabela.Post();
        }
        tabela.First();
        tabela.ControlType() = {QStringLiteral("DATA_GERA;CustomEdit;dvDBDateTimePicker1")};
        fonte.SetDataSet(&tabela);

        seletor->setObjectName(QStringLiteral("dvDBDateTimePicker1"));
        seletor->SetEpoch(1950);
        seletor->hide();
        auto* disposicao = new QVBoxLayout(&forma);
        disposicao->addWidget(grade);
        grade->SetSelected({QStringLiteral("NR\t4\tNúmero"), QStringLiteral("DATA_GERA\t12\tGerada em")});
        grade->Loaded();
        grade->SetDataSource(&fonte);
        forma.resize(360, 240);
        forma.show();
        forma.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&forma));
        grade->setFocus();
        QApplication::processEvents();
    }

    AmbienteDeControles ambiente{&Quarta};
    TdvTable tabela;
    TDataSource fonte;
    QWidget forma;
    TdvDBGrid* grade = new TdvDBGrid(&forma);
    TdvDBDateTimePicker* seletor = new TdvDBDateTimePicker(&forma);
};

}   // namespace

TEST_F(SeletorNaGradePublicada, EditsTheDateOfItsCellAndHandsTheRowKeysToTheGrid)
{
    const int coluna = grade->IndicatorOffset() + 1;
    const int linha2 = grade->TitleOffset() + 1;
    const TRect r = grade->CellRect(coluna, linha2);
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    QApplication::processEvents();
    ASSERT_EQ(grade->CurrentCellControl(), seletor);
    EXPECT_TRUE(seletor->isVisible());
    EXPECT_EQ(seletor->DataField(), QStringLiteral("DATA_GERA"));
    EXPECT_EQ(seletor->Text(), QStringLiteral("02/02/2003"));

    seletor->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    Digita(QStringLiteral("15"));
    EXPECT_EQ(seletor->Text(), QStringLiteral("15/02/2003"));
    EXPECT_EQ(tabela.State(), dsEdit);
    Tecla(Qt::Key_Down, Qt::ControlModifier);   // to the grid: the next row, the record posted
    QApplication::processEvents();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NR"))->AsInteger(), 3);
    EXPECT_EQ(seletor->Text(), QStringLiteral("03/02/2003"));
    // Esc on a changed date gives the field's back, and the grid the focus.
    seletor->setFocus(Qt::OtherFocusReason);
    Digita(QStringLiteral("20"));
    EXPECT_EQ(seletor->Text(), QStringLiteral("20/02/2003"));
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(seletor->Text(), QStringLiteral("03/02/2003"));
    EXPECT_TRUE(grade->hasFocus());
    tabela.Cancel();
    tabela.First();
    tabela.Next();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("DATA_GERA"))->AsDateTime(), Dia(2003, 2, 15));
}

// Without a line for the column, or with one whose control is missing or is no edit.
TEST_F(SeletorNaGradePublicada, ADateColumnWithoutItsOwnControlIsEditedByTheGridsPicker)
{
    auto* botao = new QPushButton(&forma);
    botao->setObjectName(QStringLiteral("Botao1"));
    botao->hide();
    const int coluna = grade->IndicatorOffset() + 1;
    const int linha = grade->TitleOffset() + 1;
    const auto meioDe = [&](int c) {
        const TRect r = grade->CellRect(c, linha);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    const QPoint meio = meioDe(coluna);
    TdvDBDateTimePicker* proprio = nullptr;
    const QStringList linhas[] = {
        {},
        {QStringLiteral("DATA_GERA;CustomEdit;Nenhum")},
        {QStringLiteral("DATA_GERA;CustomEdit;Botao1")},
    };
    for (const QStringList& controlType : linhas) {
        SCOPED_TRACE(controlType.join(QLatin1Char('|')).toStdString());
        tabela.ControlType() = controlType;
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, meioDe(coluna - 1));
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, meio);
        QApplication::processEvents();
        proprio = qobject_cast<TdvDBDateTimePicker*>(grade->CurrentCellControl());
        ASSERT_NE(proprio, nullptr);
        EXPECT_NE(proprio, seletor);
        EXPECT_EQ(grade->GetCellControl(coluna, linha), proprio);
        EXPECT_TRUE(proprio->isVisible());
        EXPECT_EQ(proprio->Text(), QStringLiteral("02/02/2003"));
        EXPECT_FALSE(botao->isVisible());
    }

    // Turned off, the cell goes back to the in-place editor.
    grade->SetEditControlOptions(grade->EditControlOptions() | ecoDisableDateTimePicker);
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, meio);
    QApplication::processEvents();
    EXPECT_FALSE(proprio->isVisible());
}

// A date set from outside, as the summary page shows the date of writing, is not painted as
// selected while the picker does not hold the focus; entering it selects its part as before.
TEST_F(Seletor, ADateSetWithoutTheFocusShowsNoSelection)
{
    DataSemVinculo();
    for (const bool ativo : {true, false}) {
        SCOPED_TRACE(ativo);
        seletor->setEnabled(ativo);
        seletor->SetDate(ativo ? Dia(2003, 2, 10) : Dia(2003, 2, 11));
        EXPECT_EQ(Selecionado(), QString());
    }
    seletor->setEnabled(true);
    Entra();
    EXPECT_FALSE(Selecionado().isEmpty());
    Sai();
    EXPECT_EQ(Selecionado(), QString());
}
