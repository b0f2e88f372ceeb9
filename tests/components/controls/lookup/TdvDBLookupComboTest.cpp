#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <stdexcept>

#include "components/controls/GradeDeDadosDeTeste.h"
#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/controls/lookup/TdvPopupGrid.h"
#include "components/data/common/EInvalidOperation.h"
#include "components/data/datasets/TdvTable.h"
#include "platform/db/BancoDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"

using namespace TecladoDeTeste;

// A lookup combo in a dialog with a default and a cancel button, over a table of six states
// (code SG_UF, the key, and name NM_UF, with an index of its own).
class TdvDBLookupComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        estados.SetDatabaseName(PastaDados());
        estados.SetTableName(QStringLiteral("Estados"));
        estados.CreateTable({{QStringLiteral("SG_UF"), ftString, 2}, {QStringLiteral("NM_UF"), ftString, 30}},
                            {{QString(), QStringLiteral("SG_UF"), TIndexOption::ixPrimary},
                             {QStringLiteral("PorNome"), QStringLiteral("NM_UF"), 0}});
        estados.Open();
        TTransacao todas(*estados.Database());
        for (const auto& [sigla, nome] : {std::pair{"AC", "ACRE"},
                                          {"AL", "ALAGOAS"},
                                          {"BA", "BAHIA"},
                                          {"SC", "SANTA CATARINA"},
                                          {"SE", "SERGIPE"},
                                          {"SP", "SAO PAULO"}}) {
            estados.Append();
            estados.FieldByName(QStringLiteral("SG_UF"))->SetAsString(QLatin1String(sigla));
            estados.FieldByName(QStringLiteral("NM_UF"))->SetAsString(QLatin1String(nome));
            estados.Post();
        }
        todas.Confirma();
        estados.First();

        auto* disposicao = new QVBoxLayout(&dialogo);
        disposicao->addWidget(antes);
        disposicao->addWidget(combo);
        disposicao->addWidget(ok);
        disposicao->addWidget(cancela);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialogo, &QDialog::accept);
        QObject::connect(cancela, &QPushButton::clicked, &dialogo, &QDialog::reject);
        dialogo.setFont(Fonte());
        combo->setObjectName(QStringLiteral("DBLCUF"));
        combo->OnCloseUp = [this](TdvDBCustomLookupCombo*, TDataSet*, TDataSet*, bool modificado) {
            fechamentos << modificado;
        };
    }

    // The combo of the delivery-file assistant: a list of codes that the user types into.
    void ComoUf()
    {
        combo->SetLookupTable(&estados);
        combo->SetLookupField(QStringLiteral("SG_UF"));
        combo->SetSelected({QStringLiteral("SG_UF\t3\tUF"), QStringLiteral("NM_UF\t20\tEstado")});
        combo->SetStyle(TComboBoxStyle::csDropDownList);
        combo->ShowMatchText = true;
        combo->SetAutoDropDown(true);
        combo->SetCharCase(TEditCharCase::ecUpperCase);
    }

    // Shows the names, keeps the code.
    void PorNome()
    {
        combo->SetLookupTable(&estados);
        combo->SetLookupField(QStringLiteral("SG_UF"));
        combo->SetSelected({QStringLiteral("NM_UF\t20\tEstado"), QStringLiteral("SG_UF\t3\tUF")});
    }

    void Mostra()
    {
        dialogo.resize(300, 160);
        dialogo.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogo));
        combo->setFocus();
        QApplication::processEvents();
    }

    [[nodiscard]] bool Aberto() const { return combo->DroppedDown() && combo->Grid().isVisible(); }
    [[nodiscard]] QString Atual() const { return estados.FieldByName(QStringLiteral("SG_UF"))->AsString(); }

    DialogosRoteirizados dialogos;
    TdvTable estados;
    QDialog dialogo;
    QLineEdit* antes = new QLineEdit(&dialogo);
    TdvDBLookupCombo* combo = new TdvDBLookupCombo(&dialogo);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), &dialogo);
    QPushButton* cancela = new QPushButton(QStringLiteral("Cancelar"), &dialogo);
    QList<bool> fechamentos;
};

TEST_F(TdvDBLookupComboTest, TypingFindsTheNearestKeyAndCompletesIt)
{
    ComoUf();
    Mostra();
    Digita(QStringLiteral("s"));
    EXPECT_TRUE(Aberto());   // typing drops the list down
    EXPECT_EQ(combo->text(), QStringLiteral("SC"));
    EXPECT_EQ(combo->selectedText(), QStringLiteral("C"));   // the next key replaces the completion
    EXPECT_EQ(Atual(), QStringLiteral("SC"));
    Digita(QStringLiteral("p"));
    EXPECT_EQ(combo->text(), QStringLiteral("SP"));
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(Aberto());
    EXPECT_EQ(combo->text(), QStringLiteral("SP"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("SP"));
    EXPECT_EQ(fechamentos, QList<bool>{true});
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(dialogo.result(), 0);
}

TEST_F(TdvDBLookupComboTest, ASearchDelayWaitsForTheLastKey)
{
    ComoUf();
    combo->SetSearchDelay(200);
    Mostra();
    Digita(QStringLiteral("b"));
    EXPECT_EQ(combo->text(), QStringLiteral("B"));
    QTest::qWait(300);
    EXPECT_EQ(combo->text(), QStringLiteral("BA"));
}

namespace {

// Counts the left-button releases a control receives.
class TContaSoltos final : public QObject {
public:
    explicit TContaSoltos(QWidget* controle) { controle->installEventFilter(this); }
    int Soltos = 0;

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::MouseButtonRelease)
            ++Soltos;
        return false;
    }
};

}   // namespace

TEST_F(TdvDBLookupComboTest, ATextNotInTheListIsRefusedOrKeptAsTheEventSays)
{
    // The event's own dialog takes the left button's release away: the combo posts it after.
    TContaSoltos soltos(antes);
    const struct {
        bool aceita;
        const char* texto;
        const char* valor;
        QList<bool> fechamentos;
    } casos[] = {
        {false, "SE", "SE", {}},      // back to the value before; no OnCloseUp
        {true, "XX", "XX", {true}},   // kept as text and value
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.aceita);
        fechamentos.clear();
        QStringList oferecidos;
        combo->SetLookupTable(&estados);
        combo->SetLookupField(QStringLiteral("SG_UF"));
        combo->SetCharCase(TEditCharCase::ecUpperCase);
        combo->SetLookupValue(QStringLiteral("SE"));
        combo->OnNotInList = [&](TdvDBCustomLookupCombo*, TDataSet*, const QString& texto, bool& aceita) {
            oferecidos << texto;
            aceita = c.aceita;
            QTest::mousePress(antes, Qt::LeftButton, {}, QPoint(2, 2));
        };
        Mostra();
        Tecla(Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(Aberto());
        EXPECT_TRUE(TdvDBCustomLookupCombo::MouseHookInstalled());
        combo->selectAll();
        Digita(QStringLiteral("xx"));
        Tecla(Qt::Key_Return);
        EXPECT_FALSE(Aberto());
        EXPECT_EQ(oferecidos, QStringList{QStringLiteral("XX")});
        EXPECT_EQ(combo->text(), QLatin1String(c.texto));
        EXPECT_EQ(combo->LookupValue(), QLatin1String(c.valor));
        EXPECT_EQ(fechamentos, c.fechamentos);
        // A refused close lets the mouse watch go too.
        EXPECT_FALSE(TdvDBCustomLookupCombo::MouseHookInstalled());
        soltos.Soltos = 0;
        QApplication::processEvents();
        EXPECT_EQ(soltos.Soltos, 1);
        EXPECT_TRUE(dialogo.isVisible());
        dialogo.hide();
    }
}

// An event that raises has still taken the release away: it is posted all the same, and the
// combo closes and asks the event again on the next close.
TEST_F(TdvDBLookupComboTest, ANotInListEventThatRaisesStillGetsTheReleasePosted)
{
    TContaSoltos soltos(antes);
    combo->SetLookupTable(&estados);
    combo->SetLookupField(QStringLiteral("SG_UF"));
    combo->SetCharCase(TEditCharCase::ecUpperCase);
    combo->SetLookupValue(QStringLiteral("SE"));
    QStringList oferecidos;
    bool levanta = true;
    combo->OnNotInList = [&](TdvDBCustomLookupCombo*, TDataSet*, const QString& texto, bool&) {
        oferecidos << texto;
        QTest::mousePress(antes, Qt::LeftButton, {}, QPoint(2, 2));
        if (levanta)
            throw std::runtime_error("refused by the event");
    };
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    combo->selectAll();
    Digita(QStringLiteral("xx"));
    EXPECT_THROW(combo->CloseUp(true), std::runtime_error);
    EXPECT_FALSE(Aberto());
    EXPECT_FALSE(TdvDBCustomLookupCombo::MouseHookInstalled());
    QApplication::processEvents();
    EXPECT_EQ(soltos.Soltos, 1);

    levanta = false;
    dialogo.hide();   // shown again as at first: the press inside the event took the focus
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    combo->selectAll();
    Digita(QStringLiteral("yy"));
    Tecla(Qt::Key_Return);
    EXPECT_EQ(oferecidos, (QStringList{QStringLiteral("XX"), QStringLiteral("YY")}));
    QApplication::processEvents();
    EXPECT_EQ(soltos.Soltos, 2);
}

TEST_F(TdvDBLookupComboTest, KeysMoveInTheListAndEnterTakesTheRecordShown)
{
    PorNome();
    combo->SetLookupValue(QStringLiteral("SC"));
    EXPECT_EQ(combo->text(), QStringLiteral("SANTA CATARINA"));
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    EXPECT_EQ(Atual(), QStringLiteral("SC"));   // the list opens on the value
    Tecla(Qt::Key_Down);
    EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));   // in the order of the names
    Tecla(Qt::Key_Down);
    EXPECT_EQ(combo->text(), QStringLiteral("SERGIPE"));
    Tecla(Qt::Key_Up);
    EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(Aberto());
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("SP"));
    EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
    EXPECT_EQ(dialogo.result(), 0);
    EXPECT_TRUE(dialogo.isVisible());
}

// Alt+Down and Alt+Up on an open list close it as Return does: the record shown is taken, the
// dialog stays open, and the next Alt+Down opens the list again.
TEST_F(TdvDBLookupComboTest, AltDownOrAltUpOnAnOpenListClosesItTakingTheRecordShown)
{
    PorNome();
    Mostra();
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        const char* nome;
    } fechas[] = {{Qt::Key_Return, Qt::NoModifier, "Return"},
                  {Qt::Key_Down, Qt::AltModifier, "Alt+Down"},
                  {Qt::Key_Up, Qt::AltModifier, "Alt+Up"}};
    for (const auto& f : fechas) {
        SCOPED_TRACE(f.nome);
        combo->SetLookupValue(QStringLiteral("SC"));
        fechamentos.clear();
        Tecla(Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(Aberto());
        Tecla(Qt::Key_Down);
        ASSERT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
        Tecla(f.tecla, f.mods);
        EXPECT_FALSE(Aberto());
        EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
        EXPECT_EQ(combo->LookupValue(), QStringLiteral("SP"));
        EXPECT_EQ(fechamentos, QList<bool>{true});
        EXPECT_TRUE(dialogo.isVisible());
    }
}

TEST_F(TdvDBLookupComboTest, EscClosesTheListAndNeverTheDialog)
{
    PorNome();
    combo->SetLookupValue(QStringLiteral("BA"));
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(Aberto());
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(fechamentos, QList<bool>{false});
    // Closed and unchanged, the keys are the dialog's again.
    combo->SetLookupValue(QStringLiteral("BA"));
    combo->setModified(false);
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
}

TEST_F(TdvDBLookupComboTest, ADropDownWithoutAValueShowsTheFirstRecordAndDownTakesIt)
{
    PorNome();
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    EXPECT_EQ(combo->Grid().RememberedRow(), -1);
    Tecla(Qt::Key_Down);   // picks the first record instead of moving
    EXPECT_EQ(combo->text(), QStringLiteral("ACRE"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("AC"));
}

TEST_F(TdvDBLookupComboTest, TheMouseDropsTheListDownAndAClickOnARowChoosesIt)
{
    PorNome();
    combo->SetLookupValue(QStringLiteral("AC"));
    Mostra();
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    ASSERT_TRUE(Aberto());
    TdvPopupGrid& grade = combo->Grid();
    EXPECT_GT(grade.geometry().top(), combo->mapToGlobal(QPoint(0, 0)).y());   // below the edit
    const TRect terceira = grade.CellRect(0, 2);
    QTest::mousePress(grade.viewport(), Qt::LeftButton, {}, terceira.ToQRect().center());
    QTest::mouseRelease(grade.viewport(), Qt::LeftButton, {}, terceira.ToQRect().center());
    EXPECT_FALSE(Aberto());
    EXPECT_EQ(combo->text(), QStringLiteral("BAHIA"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("BA"));
    EXPECT_EQ(fechamentos, QList<bool>{true});
}

TEST_F(TdvDBLookupComboTest, AClickElsewhereClosesTheListWithTheRecordFound)
{
    PorNome();
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    ASSERT_TRUE(Aberto());
    QTest::mouseClick(&combo->Grid(), Qt::LeftButton, {}, QPoint(-50, -50));
    QApplication::processEvents();
    EXPECT_FALSE(Aberto());
    EXPECT_FALSE(TdvDBCustomLookupCombo::MouseHookInstalled());
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("AL"));
    EXPECT_EQ(combo->text(), QStringLiteral("ALAGOAS"));
}

TEST_F(TdvDBLookupComboTest, DeletingTheWholeTextClearsTheValueWithAllowClearKey)
{
    PorNome();
    combo->AllowClearKey = true;
    combo->SetLookupValue(QStringLiteral("SP"));
    Mostra();
    combo->selectAll();
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(combo->text(), QString());
    EXPECT_EQ(combo->LookupValue(), QString());
}

TEST_F(TdvDBLookupComboTest, DroppingDownWithoutAnOpenTableOnlySaysSo)
{
    Mostra();
    combo->DropDown();
    combo->SetLookupTable(&estados);
    combo->SetLookupField(QStringLiteral("SG_UF"));
    estados.Close();
    combo->DropDown();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(
        dialogos.Textos(),
        (QStringList{QStringLiteral("No lookup table specified!"), QStringLiteral("Lookup table is not active!")}));
}

TEST_F(TdvDBLookupComboTest, SelectedIsBuiltFromTheLookupFieldsWhenEmpty)
{
    combo->SetLookupTable(&estados);
    combo->SetLookupField(QStringLiteral("SG_UF"));
    Mostra();
    combo->DropDown();
    ASSERT_EQ(combo->Selected().size(), 1);
    EXPECT_TRUE(combo->Selected().front().startsWith(QStringLiteral("SG_UF\t")));
    EXPECT_EQ(combo->Grid().DataLink().RecordCount(), 6);   // fewer records than rows: a shorter list
    combo->CloseUp(false);
}

// A list over a table whose key has three fields (declaration, kind, number), showing the
// number and a name.
class TdvDBLookupListTest : public TdvDBLookupComboTest {
protected:
    void SetUp() override
    {
        TdvDBLookupComboTest::SetUp();
        fundos.SetDatabaseName(PastaDados());
        fundos.SetTableName(QStringLiteral("Fundos"));
        fundos.CreateTable({{QStringLiteral("E_PRUV_DK"), ftString, 5},
                            {QStringLiteral("IN_PF_PJ"), ftString, 1},
                            {QStringLiteral("NR_PF_PJ"), ftString, 14},
                            {QStringLiteral("NOME"), ftString, 30}},
                           {{QString(), QStringLiteral("E_PRUV_DK;IN_PF_PJ;NR_PF_PJ"), TIndexOption::ixPrimary},
                            {QStringLiteral("PorNumero"), QStringLiteral("NR_PF_PJ"), 0}});
        fundos.Open();
        for (const auto& [tipo, numero, nome] : {std::tuple{"2", "11111111000111", "FUNDO A"},
                                                 {"1", "22222222222", "CLUBE B"},
                                                 {"2", "33333333000133", "FUNDO C"}}) {
            fundos.Append();
            fundos.FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(QStringLiteral("00001"));
            fundos.FieldByName(QStringLiteral("IN_PF_PJ"))->SetAsString(QLatin1String(tipo));
            fundos.FieldByName(QStringLiteral("NR_PF_PJ"))->SetAsString(QLatin1String(numero));
            fundos.FieldByName(QStringLiteral("NOME"))->SetAsString(QLatin1String(nome));
            fundos.Post();
        }
        combo->SetLookupTable(&fundos);
        combo->SetLookupField(QStringLiteral("E_PRUV_DK;IN_PF_PJ;NR_PF_PJ"));
        combo->SetSelected({QStringLiteral("NR_PF_PJ\t14\tNúmero"), QStringLiteral("NOME\t20\tNome")});
        combo->SeqSearchOptions = 0;
    }

    TdvTable fundos;
};

TEST_F(TdvDBLookupListTest, ThreeLookupFieldsAreKeptAndTheListOpensOnThem)
{
    Mostra();
    EXPECT_EQ(combo->Grid().LookupFieldCount(), 3);
    EXPECT_EQ(combo->Grid().DisplayField()->FieldName(), QStringLiteral("NR_PF_PJ"));
    Tecla(Qt::Key_Down, Qt::AltModifier);
    Tecla(Qt::Key_Down);   // the first, in the order of the numbers
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(combo->text(), QStringLiteral("22222222222"));
    EXPECT_EQ(combo->LookupValue(0), QStringLiteral("00001"));
    EXPECT_EQ(combo->LookupValue(1), QStringLiteral("1"));
    EXPECT_EQ(combo->LookupValue(2), QStringLiteral("22222222222"));

    fundos.First();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    EXPECT_EQ(fundos.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("CLUBE B"));
    EXPECT_TRUE(combo->Grid().Found());
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(combo->LookupValue(2), QStringLiteral("33333333000133"));
}

TEST_F(TdvDBLookupComboTest, FindTableValueTakesAWholeKeyOnlyUnlessPartial)
{
    PorNome();
    const struct {
        const char* valor;
        const char* campo;
        bool parcial;
        bool achou;
        const char* atual;
    } casos[] = {
        {"SP", "SG_UF", false, true, "SP"},
        {"S", "SG_UF", false, false, nullptr},   // the nearest key is no match
        {"S", "SG_UF", true, true, "SC"},
        {"sergipe", "NM_UF", false, true, "SE"},   // by the name's index, without regard to case
        {"", "SG_UF", true, false, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor);
        EXPECT_EQ(combo->FindTableValue(QLatin1String(c.valor), QLatin1String(c.campo), c.parcial), c.achou);
        if (c.atual) {
            EXPECT_EQ(Atual(), QLatin1String(c.atual));
        }
    }
    EXPECT_TRUE(combo->FindValue(QStringLiteral("BAHIA"), QStringLiteral("NM_UF"), true, false));
    EXPECT_EQ(Atual(), QStringLiteral("BA"));
    EXPECT_FALSE(combo->FindValue(QStringLiteral("bahia"), QStringLiteral("NM_UF"), true, false));
    EXPECT_TRUE(combo->FindValue(QStringLiteral("ala"), QStringLiteral("NM_UF"), false, true));
    EXPECT_EQ(Atual(), QStringLiteral("AL"));
}

// The combo bound to the state of a table of people.
class TdvDBLookupComboLigadoTest : public TdvDBLookupComboTest {
protected:
    void SetUp() override
    {
        TdvDBLookupComboTest::SetUp();
        pessoas.SetDatabaseName(PastaDados());
        pessoas.SetTableName(QStringLiteral("Pessoas"));
        pessoas.CreateTable({{QStringLiteral("NR"), ftInteger}, {QStringLiteral("UF"), ftString, 2}},
                            {{QString(), QStringLiteral("NR"), TIndexOption::ixPrimary}});
        pessoas.Open();
        for (const auto& [nr, uf] : {std::pair{1, "BA"}, {2, "SP"}, {3, ""}}) {
            pessoas.Append();
            pessoas.FieldByName(QStringLiteral("NR"))->SetAsInteger(nr);
            pessoas.FieldByName(QStringLiteral("UF"))->SetAsString(QLatin1String(uf));
            pessoas.Post();
        }
        pessoas.First();
        fonte.SetDataSet(&pessoas);
        PorNome();
        combo->SetDataSource(&fonte);
        combo->SetDataField(QStringLiteral("UF"));
    }

    [[nodiscard]] QString Uf() const { return pessoas.FieldByName(QStringLiteral("UF"))->AsString(); }

    TdvTable pessoas;
    TDataSource fonte;
};

TEST_F(TdvDBLookupComboLigadoTest, ShowsTheFieldsValueAndWritesTheChosenKeyIntoIt)
{
    Mostra();
    EXPECT_EQ(combo->text(), QStringLiteral("BAHIA"));
    pessoas.Next();
    EXPECT_EQ(combo->text(), QStringLiteral("SAO PAULO"));
    pessoas.Next();
    EXPECT_EQ(combo->text(), QString());   // an empty field, an empty combo
    pessoas.First();

    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(combo->text(), QStringLiteral("SANTA CATARINA"));
    EXPECT_EQ(pessoas.State(), dsEdit);
    EXPECT_EQ(Uf(), QStringLiteral("SC"));
    pessoas.Post();
    pessoas.Refresh();
    EXPECT_EQ(Uf(), QStringLiteral("SC"));
}

TEST_F(TdvDBLookupComboLigadoTest, TheLookupTableCannotBeTheDataSourcesDataset)
{
    fonte.SetDataSet(&estados);
    EXPECT_THROW(combo->SetLookupValue(QStringLiteral("SP")), EInvalidOperation);
}

TEST_F(TdvDBLookupComboTest, AComboDestroyedWhileDroppedDownClosesNothingAndLetsTheWatchGo)
{
    PorNome();
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    delete combo;
    combo = nullptr;
    EXPECT_FALSE(TdvDBCustomLookupCombo::MouseHookInstalled());
    EXPECT_TRUE(fechamentos.isEmpty());
}

TEST_F(TdvDBLookupComboTest, EscOnATypedTextBringsTheValueBackAndStaysInTheCombo)
{
    PorNome();
    combo->SetLookupValue(QStringLiteral("BA"));
    Mostra();
    combo->selectAll();
    Digita(QStringLiteral("x"));
    ASSERT_FALSE(Aberto());
    EXPECT_EQ(combo->text(), QStringLiteral("x"));
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(combo->text(), QStringLiteral("BAHIA"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("BA"));
    EXPECT_TRUE(dialogo.isVisible());
}

TEST_F(TdvDBLookupComboTest, AClickElsewhereOnAnEmptyComboChoosesNothing)
{
    PorNome();
    Mostra();
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Aberto());
    combo->CancelMode();
    EXPECT_FALSE(Aberto());
    EXPECT_EQ(combo->text(), QString());
    EXPECT_EQ(combo->LookupValue(), QString());
}
