#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

#include "components/controls/AmbienteDeControles.h"
#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/edits/TdvDBCustomEdit.h"
#include "components/data/common/EInvalidOperation.h"
#include "components/data/settings/IdvPublished.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "platform/db/datasets/TTable.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

namespace {

// A table that keeps PictureMasks lines and pictures of its own, as the library's table does.
class TabelaComMascaras final : public TTable, public IdvPublished {
public:
    QStringList mascaras;
    std::map<QString, QString> dasColunas;
    TInvalidValueEvent aoInvalido;

    QStringList* PublishedPictureMasks() override { return &mascaras; }
    QString TablePicture(const QString& campo) const override
    {
        const auto it = dasColunas.find(campo.toUpper());
        return it == dasColunas.end() ? QString() : it->second;
    }
    const TInvalidValueEvent* PublishedOnInvalidValue() const override { return aoInvalido ? &aoInvalido : nullptr; }
};

const QDate DiaZero(1899, 12, 30);

// One record of a table with a text, a number, a date and a status column, shown in a form.
class EditLigado : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabela.SetDatabaseName(PastaDados());
        tabela.SetTableName(QStringLiteral("Pessoa"));
        tabela.CreateTable({{QStringLiteral("NOME"), ftString, 30},
                            {QStringLiteral("CEP"), ftString, 9},
                            {QStringLiteral("IDADE"), ftInteger},
                            {QStringLiteral("NASC"), ftDate},
                            {QStringLiteral("SITU"), ftString, 1}},
                           {});
        tabela.Open();
        tabela.Append();
        tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Ana"));
        tabela.FieldByName(QStringLiteral("SITU"))->SetAsString(QStringLiteral("I"));
        tabela.Post();
        fonte.SetDataSet(&tabela);

        janela.resize(300, 120);
        edit = new TdvDBCustomEdit(&janela);
        edit->setGeometry(10, 10, 120, 22);
        outro = new QLineEdit(&janela);
        outro->setGeometry(10, 50, 120, 22);
        janela.show();
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
        outro->setFocus();
    }

    void TearDown() override
    {
        delete edit;
        edit = nullptr;
    }

    void Liga(const QString& campo)
    {
        edit->SetDataSource(&fonte);
        edit->SetDataField(campo);
    }

    AmbienteDeControles ambiente;
    QStringList& erros = ambiente.erros;
    TabelaComMascaras tabela;
    TDataSource fonte;
    QWidget janela;
    TdvDBCustomEdit* edit = nullptr;
    QLineEdit* outro = nullptr;
};

}   // namespace

TEST_F(EditLigado, TypingEditsTheRecordAndLeavingWritesTheFieldBack)
{
    Liga(QStringLiteral("NOME"));
    EXPECT_EQ(edit->Text(), QStringLiteral("Ana"));
    EXPECT_EQ(edit->MaxLength(), 30);
    edit->setFocus(Qt::TabFocusReason);
    edit->SetSelStart(3);
    Digita(QStringLiteral(" Maria"));
    EXPECT_EQ(tabela.State(), dsEdit);
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Ana Maria"));
    tabela.Post();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Ana Maria"));
}

TEST_F(EditLigado, ChangingTheFieldGivesBackTheLengthOfTheOldOne)
{
    Liga(QStringLiteral("NOME"));
    ASSERT_EQ(edit->MaxLength(), 30);
    edit->SetDataField(QStringLiteral("CEP"));
    EXPECT_EQ(edit->MaxLength(), 9);
}

TEST_F(EditLigado, ANumberFieldRefusesLettersWithABeep)
{
    Liga(QStringLiteral("IDADE"));
    edit->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("4a2"));
    EXPECT_EQ(edit->Text(), QStringLiteral("42"));
    EXPECT_EQ(AmbienteDeControles::Bipes(), 1);
}

TEST_F(EditLigado, TheDatasetsLineGivesTheMaskAndForbidsAnInvalidExit)
{
    tabela.mascaras << QStringLiteral("CEP\t#####-###\tT\tT");
    Liga(QStringLiteral("CEP"));
    EXPECT_EQ(edit->Picture().PictureMask(), QStringLiteral("#####-###"));
    edit->Picture().SetAllowInvalidExit(true);   // ignored: the dataset decides
    EXPECT_FALSE(edit->Picture().AllowInvalidExit());
    edit->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("01310"));
    EXPECT_EQ(edit->Text(), QStringLiteral("01310-"));
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->SelLength(), 6);   // all of it selected again
    edit->SetSelStart(6);
    Digita(QStringLiteral("100"));
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(outro->hasFocus());
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("CEP"))->AsString(), QStringLiteral("01310-100"));
}

TEST_F(EditLigado, AnInvalidTextOnPostingRaisesTheLibrarysErrorOrCallsTheDatasetsHandler)
{
    tabela.mascaras << QStringLiteral("CEP\t#####-###");
    Liga(QStringLiteral("CEP"));
    tabela.Edit();
    edit->SetText(QStringLiteral("0131"));
    edit->SetModified(true);
    edit->DataLink().Modified();
    EXPECT_THROW(tabela.Post(), EInvalidOperation);

    int chamadas = 0;
    tabela.aoInvalido = [&](TDataSet*, TField* campo) {
        ++chamadas;
        EXPECT_EQ(campo->FieldName(), QStringLiteral("CEP"));
    };
    edit->SetModified(true);
    edit->DataLink().Modified();
    tabela.UpdateRecord();
    EXPECT_EQ(chamadas, 1);
}

TEST_F(EditLigado, AMaskTheTableDefinesCannotBeReplaced)
{
    DialogosRoteirizados dialogos;
    tabela.mascaras << QStringLiteral("CEP\t#####");
    tabela.dasColunas[QStringLiteral("CEP")] = QStringLiteral("#####-###");
    Liga(QStringLiteral("CEP"));
    EXPECT_EQ(edit->Picture().PictureMask(), QStringLiteral("#####-###"));
    edit->Picture().SetPictureMask(QStringLiteral("###"));
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Picture mask already defined in Paradox table. ")});
    EXPECT_EQ(edit->Picture().PictureMask(), QStringLiteral("#####-###"));
}

TEST_F(EditLigado, ADateIsReadWithTwoDigitYearsInTheEditsWindow)
{
    Liga(QStringLiteral("NASC"));
    TField* nasc = tabela.FieldByName(QStringLiteral("NASC"));
    const struct {
        int epoch;
        const char* texto;
        QDate gravada;
    } casos[] = {
        {0, "01/01/49", QDate(2049, 1, 1)},
        {0, "01/01/50", QDate(1950, 1, 1)},
        {1900, "01/01/49", QDate(1949, 1, 1)},
        {0, "15/08/1947", QDate(1947, 8, 15)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        edit->Epoch = c.epoch;
        tabela.Edit();
        edit->SetText(QString::fromLatin1(c.texto));
        edit->SetModified(true);
        edit->DataLink().Modified();
        tabela.UpdateRecord();
        EXPECT_EQ(DiaZero.addDays(static_cast<qint64>(nasc->AsDateTime())), c.gravada);
    }
}

TEST_F(EditLigado, ADateOutsideTheEditsWindowIsRefusedNotDroppedSilently)
{
    Liga(QStringLiteral("NASC"));
    edit->Epoch = 2001;   // "00" is then 2100, which has no 29 February
    tabela.Edit();
    tabela.FieldByName(QStringLiteral("NASC"))->SetAsDateTime(DiaZero.daysTo(QDate(1990, 1, 1)));
    edit->SetText(QStringLiteral("29/02/00"));
    edit->SetModified(true);
    edit->DataLink().Modified();
    EXPECT_THROW(tabela.UpdateRecord(), EDatabaseError);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NASC"))->AsDateTime(), DiaZero.daysTo(QDate(1990, 1, 1)));
}

TEST_F(EditLigado, AFailedWriteOnLeavingKeepsTheFocusAndShowsTheError)
{
    Liga(QStringLiteral("NASC"));
    edit->Epoch = 2001;
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    Digita(QStringLiteral("29/02/00"));
    outro->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->Modified());
    ASSERT_EQ(erros.size(), 1);
    EXPECT_TRUE(erros.first().contains(QStringLiteral("29/02/00")));
}

TEST_F(EditLigado, AMappedComboShowsTheDisplayOfTheStoredValueAndWritesTheStoredPart)
{
    auto* combo = new TdvDBComboBox(&janela);
    combo->setGeometry(150, 10, 120, 22);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetMapList(true);
    combo->SetItems({QStringLiteral("Active\tA"), QStringLiteral("Inactive\tI")});
    combo->SetDataSource(&fonte);
    combo->SetDataField(QStringLiteral("SITU"));
    combo->show();
    EXPECT_EQ(combo->Text(), QStringLiteral("Inactive"));
    combo->setFocus(Qt::TabFocusReason);
    Tecla(Qt::Key_Up);   // to "Active"
    EXPECT_EQ(combo->Text(), QStringLiteral("Active"));
    EXPECT_EQ(tabela.State(), dsEdit);
    outro->setFocus(Qt::TabFocusReason);
    tabela.Post();
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("SITU"))->AsString(), QStringLiteral("A"));
    delete combo;
}
