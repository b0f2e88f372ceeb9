#include <QDate>
#include <functional>

#include "components/controls/GradeDeDadosDeTeste.h"
#include "components/controls/grid/TdvInplaceEdit.h"
#include "components/data/common/dvBeep.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

int bipes = 0;
void ContaBipe()
{
    ++bipes;
}

// The grid's keyboard on a table it edits in place.
class GradeEditada : public TdvCustomDBGridTest {
protected:
    void SetUp() override
    {
        TdvCustomDBGridTest::SetUp();
        bipes = 0;
        bipeAnterior = dvInstallBeep(&ContaBipe);
    }
    void TearDown() override { dvInstallBeep(bipeAnterior); }

    // The grid shown with the focus on that record and column, its window active.
    void Entra(int nr, int coluna, int linhas = 10)
    {
        Mostra(linhas);
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
        Foca(nr, coluna);
    }

    [[nodiscard]] QString Gravado(int nr, const char* campo)
    {
        tabela.FindKey({nr});
        return Campo(campo);
    }

    TdvBeepFunc bipeAnterior = nullptr;
};

}   // namespace

TEST_F(GradeEditada, TypingEditsTheFieldAndLeavingTheRecordPostsIt)
{
    Entra(2, 1);
    Digita(QStringLiteral("Ana"));
    ASSERT_TRUE(Editando());
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("Ana"));
    EXPECT_EQ(tabela.State(), dsEdit);
    EXPECT_EQ(Campo("NOME"), QStringLiteral("Nome 2"));   // typed, not written yet

    Tecla(Qt::Key_Down);
    EXPECT_FALSE(Editando());
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(Atual(), 3);
    EXPECT_EQ(grade->Row(), 3);
    EXPECT_EQ(Gravado(2, "NOME"), QStringLiteral("Ana"));
}

TEST_F(GradeEditada, EnterWritesTheFieldAndTabGoesOnToTheNextColumnAndRecord)
{
    Entra(1, 1);
    Digita(QStringLiteral("Bia"));
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(Editando());
    EXPECT_EQ(Campo("NOME"), QStringLiteral("Bia"));
    EXPECT_EQ(tabela.State(), dsEdit);
    Tecla(Qt::Key_Return);   // without dgAlwaysShowEditor Enter switches the editor
    ASSERT_TRUE(Editando());
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("Bia"));

    Digita(QStringLiteral("Cia"));   // over the whole text, selected on opening
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(grade->SelectedIndex(), 2);
    EXPECT_EQ(Campo("NOME"), QStringLiteral("Cia"));
    Tecla(Qt::Key_Tab);   // past the last column: the next record's first
    EXPECT_EQ(Atual(), 2);
    EXPECT_EQ(grade->SelectedIndex(), 0);
    EXPECT_EQ(tabela.State(), dsBrowse);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Atual(), 1);
    EXPECT_EQ(grade->SelectedIndex(), 2);
    EXPECT_EQ(Gravado(1, "NOME"), QStringLiteral("Cia"));
}

TEST_F(GradeEditada, TabCanLeaveTheGridAtItsEnds)
{
    grade->SetOptions(grade->Options() | dgTabExitsOnLastCol);
    Entra(4, 2);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), depois);
    EXPECT_EQ(Atual(), 4);

    Foca(4, 0);
    Digita(QStringLiteral("77"));
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);   // from inside the editor
    EXPECT_EQ(QApplication::focusWidget(), outro);
    EXPECT_FALSE(Editando());
    EXPECT_EQ(Campo("NR"), QStringLiteral("77"));   // written on leaving; posted on moving
    EXPECT_EQ(tabela.State(), dsEdit);
}

TEST_F(GradeEditada, EscRestoresWhatWasTypedThenDropsTheRecordsChanges)
{
    Entra(1, 1);
    Digita(QStringLiteral("Outro"));
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(Editando());
    EXPECT_EQ(Campo("NOME"), QStringLiteral("Nome 1"));
    EXPECT_EQ(grade->EditText(), QStringLiteral("Nome 1"));
    Tecla(Qt::Key_Escape);   // nothing written: dropped without a question
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_TRUE(dialogos.Mensagens().empty());

    Digita(QStringLiteral("Outro"));
    Tecla(Qt::Key_Tab);
    Digita(QStringLiteral("N"));
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(Campo("ATIVO"), QStringLiteral("S"));
    EXPECT_EQ(Campo("NOME"), QStringLiteral("Outro"));
    EXPECT_TRUE(dialogos.Mensagens().empty());

    dialogos.Responde(Resposta::Nao);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Discard changes to this record?")});
    EXPECT_EQ(tabela.State(), dsEdit);
    dialogos.Responde(Resposta::Sim);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(Gravado(1, "NOME"), QStringLiteral("Nome 1"));
}

TEST_F(GradeEditada, InsertAndCtrlDeleteAddAndRemoveRecordsAsTheOptionsAllow)
{
    Entra(5, 1);
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(tabela.State(), dsInsert);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(Atual(), 5);

    dialogos.Responde(Resposta::Cancela);
    Tecla(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(tabela.RecordCount(), 30);
    dialogos.Responde(Resposta::Ok);
    Tecla(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(tabela.RecordCount(), 29);
    EXPECT_EQ(Atual(), 6);

    // Without KeyOptions neither key acts and the last record is not followed by a new one.
    grade->SetKeyOptions(0);
    dialogos.Limpa();
    Tecla(Qt::Key_Insert);
    Tecla(Qt::Key_Delete, Qt::ControlModifier);
    Tecla(Qt::Key_End, Qt::ControlModifier);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(tabela.RecordCount(), 29);
    EXPECT_TRUE(dialogos.Mensagens().empty());

    // With them, Down on the last record appends one, which leaving the grid drops untouched.
    grade->SetKeyOptions(dgAllowDelete | dgAllowInsert);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(tabela.State(), dsInsert);
    depois->setFocus();
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(tabela.RecordCount(), 29);
}

TEST_F(GradeEditada, TheKeysMoveThroughRecordsAndColumns)
{
    Entra(1, 0);
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        int registro;
        int coluna;
    } casos[] = {
        {Qt::Key_Up, Qt::NoModifier, 1, 0},   // nothing above the first
        {Qt::Key_Down, Qt::NoModifier, 2, 0},
        {Qt::Key_PageDown, Qt::NoModifier, 12, 0},     // a page: rows 3 to 12 shown
        {Qt::Key_PageUp, Qt::ControlModifier, 3, 0},   // the first row shown
        {Qt::Key_Down, Qt::ControlModifier, 12, 0},    // the last row shown
        {Qt::Key_PageUp, Qt::NoModifier, 2, 0},
        {Qt::Key_Right, Qt::NoModifier, 2, 1},
        {Qt::Key_End, Qt::NoModifier, 2, 2},
        {Qt::Key_Right, Qt::NoModifier, 2, 2},
        {Qt::Key_Home, Qt::NoModifier, 2, 0},
        {Qt::Key_Right, Qt::ControlModifier, 2, 2},
        {Qt::Key_Left, Qt::ControlModifier, 2, 0},
        {Qt::Key_End, Qt::ControlModifier, 30, 0},
        {Qt::Key_Home, Qt::ControlModifier, 1, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QKeySequence(QKeyCombination(c.mods, c.tecla)).toString().toStdString());
        Tecla(c.tecla, c.mods);
        EXPECT_EQ(Atual(), c.registro);
        EXPECT_EQ(grade->SelectedIndex(), c.coluna);
        EXPECT_EQ(grade->Row() - 1, grade->DataLink().ActiveRecord());
    }

    // With whole rows selected the arrows across and Home and End move through the records.
    grade->SetOptions(grade->Options() | dgRowSelect);
    Tecla(Qt::Key_Right);
    EXPECT_EQ(Atual(), 2);
    Tecla(Qt::Key_End);
    EXPECT_EQ(Atual(), 30);
    Tecla(Qt::Key_Left);
    EXPECT_EQ(Atual(), 29);
}

TEST_F(GradeEditada, WithTheEditorAlwaysShownTheArrowsLeaveTheTextAtItsEnds)
{
    grade->SetOptions(grade->Options() | dgAlwaysShowEditor);
    Entra(2, 1);
    ASSERT_TRUE(Editando());
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("Nome 2"));
    Tecla(Qt::Key_Right);   // the whole text selected: on to the next column
    EXPECT_EQ(grade->SelectedIndex(), 2);
    ASSERT_TRUE(Editando());
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("s"));
    EXPECT_EQ(grade->InplaceEditor()->geometry().topLeft(),
              grade->viewport()->geometry().topLeft() + QPoint(grade->CellRect(3, 2).Left, grade->CellRect(3, 2).Top));
    Tecla(Qt::Key_Left);
    EXPECT_EQ(grade->SelectedIndex(), 1);
    Tecla(Qt::Key_F2);     // the caret at the end of the text
    Tecla(Qt::Key_Left);   // moves inside it
    EXPECT_EQ(grade->SelectedIndex(), 1);
    Tecla(Qt::Key_End);
    Tecla(Qt::Key_Right);
    EXPECT_EQ(grade->SelectedIndex(), 2);
}

TEST_F(GradeEditada, OnlyWhatTheFieldAndTheGridAllowIsTyped)
{
    grade->SetUseTFields(false);
    grade->SetSelected(
        {QStringLiteral("NR\t4\tNr"), QStringLiteral("NOME\t12\tNome\tT"), QStringLiteral("ATIVO\t1\tA")});
    Entra(1, 0);
    Digita(QStringLiteral("a5"));   // a number takes no letter
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("5"));
    EXPECT_EQ(bipes, 0);
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Right);   // Tab would pass over the read-only column
    ASSERT_EQ(grade->SelectedIndex(), 1);
    Digita(QStringLiteral("x"));
    EXPECT_EQ(Campo("NOME"), QStringLiteral("Nome 1"));
    EXPECT_FALSE(Editando() && grade->InplaceEditor()->text() == QStringLiteral("x"));
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Right);
    Digita(QStringLiteral("no"));   // one character fits the field
    EXPECT_EQ(grade->InplaceEditor()->text(), QStringLiteral("n"));
    Tecla(Qt::Key_Escape);
    dialogos.Responde(Resposta::Sim);   // the number was written: dropping it is asked
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(Campo("NR"), QStringLiteral("1"));

    grade->SetReadOnly(true);
    Foca(3, 2);
    Digita(QStringLiteral("z"));
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(Campo("ATIVO"), QStringLiteral("N"));
    // A read-only grid opens no editor, by a character, F2 or Return.
    for (Qt::Key tecla : {Qt::Key_Z, Qt::Key_F2, Qt::Key_Return}) {
        Tecla(tecla);
        EXPECT_FALSE(Editando()) << tecla;
    }
}

TEST_F(GradeEditada, APictureMaskCompletesTypingAndRefusesWhatBreaksIt)
{
    grade->SetPictureMaskFromDataSet(false);
    grade->PictureMasks() = {QStringLiteral("NOME\t###-##\tT\tT")};
    QList<bool> verificados;
    grade->OnCheckValue = [&](QObject*, bool passou) { verificados << passou; };
    Entra(1, 1);
    Digita(QStringLiteral("123"));
    auto* editor = grade->InplaceEdit();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("123-"));   // the literal filled in
    Digita(QStringLiteral("45x"));
    EXPECT_EQ(editor->text(), QStringLiteral("123-45"));
    EXPECT_EQ(bipes, 1);
    EXPECT_TRUE(verificados.last());
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(Campo("NOME"), QStringLiteral("123-45"));

    // An incomplete text is not written: the message, and the grid stays on the column.
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    Digita(QStringLiteral("12"));
    EXPECT_FALSE(verificados.last());
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(dialogos.Textos(),
              QStringList{QStringLiteral("Invalid input value.  Use escape key to abandon changes")});
    EXPECT_EQ(grade->SelectedIndex(), 1);
    EXPECT_EQ(Campo("NOME"), QStringLiteral("123-45"));
}

TEST_F(GradeEditada, ADateColumnStoresTheDateTypedWithATwoDigitYear)
{
    TdvTable datas;
    datas.SetDatabaseName(PastaDados());
    datas.SetTableName(QStringLiteral("Datas"));
    datas.CreateTable({{QStringLiteral("NR"), ftInteger}, {QStringLiteral("NASC"), ftDate}},
                      {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
    datas.Open();
    datas.Append();
    datas.FieldByName(QStringLiteral("NR"))->SetAsInteger(1);
    datas.Post();
    fonte.SetDataSet(&datas);
    Mostra(3);
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    grade->SetSelectedIndex(1);
    grade->setFocus();

    Digita(QStringLiteral("25/12/02"));
    Tecla(Qt::Key_Return);
    EXPECT_EQ(datas.FieldByName(QStringLiteral("NASC"))->AsDateTime(), QDate(1899, 12, 30).daysTo(QDate(2002, 12, 25)));

    Tecla(Qt::Key_Return);
    Digita(QStringLiteral("31/02/2002"));
    Tecla(Qt::Key_Return);   // no date: the field's own conversion refuses it
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_TRUE(dialogos.Textos().first().contains(QStringLiteral("31/02/2002")));
    EXPECT_EQ(datas.FieldByName(QStringLiteral("NASC"))->AsDateTime(), QDate(1899, 12, 30).daysTo(QDate(2002, 12, 25)));
    fonte.SetDataSet(&tabela);
}
