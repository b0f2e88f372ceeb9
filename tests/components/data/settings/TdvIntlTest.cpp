#include <gtest/gtest.h>

#include "components/data/common/EInvalidOperation.h"
#include "components/data/common/dvBeep.h"
#include "components/data/settings/TdvIntl.h"

namespace {

int bipes = 0;

void ContaBipe()
{
    ++bipes;
}

// Counts beeps and gives the global instance back its defaults after each test.
class TdvIntlTest : public ::testing::Test {
protected:
    TdvIntlTest()
        : FBipeAnterior(dvInstallBeep(&ContaBipe))
    {
        bipes = 0;
    }
    ~TdvIntlTest() override
    {
        dvInstallBeep(FBipeAnterior);
        TdvIntl padrao;
        padrao.SetConnected(true);
    }

private:
    TdvBeepFunc FBipeAnterior;
};

}   // namespace

TEST_F(TdvIntlTest, TheGlobalInstanceStartsWithTheLibrarysTexts)
{
    const TdvIntl& global = dvIntl();
    EXPECT_EQ(global.UserMessages.PictureValidateError, QStringLiteral("Invalid characters. Field : "));
    EXPECT_EQ(global.UserMessages.MemoChangesWarning,
              QStringLiteral("Changes have been made!  Are you sure you wish to cancel?"));
    EXPECT_EQ(global.BtnOKCaption, QStringLiteral("&OK"));
    EXPECT_EQ(global.RichEdit.MenuLabels.RedoCaption, QString());
    EXPECT_EQ(global.DefaultEpochYear, 1950);
    EXPECT_EQ(dvGetFilterMemoSize(), 65536);
    EXPECT_TRUE(global.ADO.UseLocateWhenFindingValue);
    EXPECT_EQ(global.CheckBoxInGridStyle(), TdvCheckBoxInGridStyle::cbStyleAuto);
}

TEST_F(TdvIntlTest, ConnectingCopiesTextsAndOptionsToTheGlobalInstance)
{
    TdvIntl formulario;
    formulario.UserMessages.LocateNoMatches = QStringLiteral("Nada encontrado");
    formulario.RichEdit.TabDialog.TabDlgCaption = QStringLiteral("Tabulação");
    formulario.BtnCancelCaption = QStringLiteral("Cancelar");
    formulario.DefaultEpochYear = 1930;
    formulario.FilterMemoSize = 1024;
    formulario.UseLocateMethodForSearch = false;
    formulario.SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle::cbStyleXmark);
    EXPECT_EQ(dvIntl().UserMessages.LocateNoMatches, QStringLiteral("No matches found"));   // not yet

    formulario.SetConnected(true);
    const TdvIntl& global = dvIntl();
    EXPECT_EQ(global.UserMessages.LocateNoMatches, QStringLiteral("Nada encontrado"));
    EXPECT_EQ(global.RichEdit.TabDialog.TabDlgCaption, QStringLiteral("Tabulação"));
    EXPECT_EQ(global.BtnCancelCaption, QStringLiteral("Cancelar"));
    EXPECT_EQ(global.DefaultEpochYear, 1930);
    EXPECT_EQ(dvGetFilterMemoSize(), 1024);
    EXPECT_FALSE(global.UseLocateMethodForSearch);
    EXPECT_EQ(global.CheckBoxInGridStyle(), TdvCheckBoxInGridStyle::cbStyleXmark);

    // Later changes stay on the form, except the check-box style.
    formulario.BtnCancelCaption = QStringLiteral("Desistir");
    formulario.SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle::cbStyleCheckmark);
    EXPECT_EQ(global.BtnCancelCaption, QStringLiteral("Cancelar"));
    EXPECT_EQ(global.CheckBoxInGridStyle(), TdvCheckBoxInGridStyle::cbStyleCheckmark);
}

TEST_F(TdvIntlTest, DisconnectingOrAnUnconnectedInstanceChangesNothing)
{
    TdvIntl formulario;
    formulario.BtnOKCaption = QStringLiteral("Confirmar");
    formulario.SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle::cbStyleXmark);
    formulario.Loaded();
    formulario.SetConnected(false);
    EXPECT_EQ(dvIntl().BtnOKCaption, QStringLiteral("&OK"));
    EXPECT_EQ(dvIntl().CheckBoxInGridStyle(), TdvCheckBoxInGridStyle::cbStyleAuto);

    TdvIntl carregado;
    carregado.BtnOKCaption = QStringLiteral("Confirmar");
    carregado.SetConnected(true);
    carregado.BtnOKCaption = QStringLiteral("Aceitar");
    carregado.Loaded();   // a connected instance copies again once loaded
    EXPECT_EQ(dvIntl().BtnOKCaption, QStringLiteral("Aceitar"));
}

TEST_F(TdvIntlTest, GivesTheIniFileItsExtension)
{
    const struct {
        const char* nome;
        const char* global;
    } casos[] = {
        {"grid", "grid.ini"},
        {".ini", ""},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        TdvIntl formulario;
        formulario.IniFileName = QString::fromLatin1(c.nome);
        formulario.SetConnected(true);
        EXPECT_EQ(dvIntl().IniFileName, QString::fromLatin1(c.global));
    }
}

TEST_F(TdvIntlTest, AMaskFailureBeepsAndRaisesUnlessTheHandlerSaysOtherwise)
{
    try {
        dvIntl().ValidationErrorUsingMask(nullptr, nullptr);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Mensagem(), QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
    }
    EXPECT_EQ(bipes, 1);

    dvIntl().OnValidationErrorUsingMask = [](QObject*, TField*, QString& msg, bool&) {
        msg = QStringLiteral("Valor inválido");
    };
    try {
        dvIntl().ValidationErrorUsingMask(nullptr, nullptr);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Mensagem(), QStringLiteral("Valor inválido"));
    }
    EXPECT_EQ(bipes, 2);

    dvIntl().OnValidationErrorUsingMask = [](QObject*, TField*, QString&, bool& padrao) { padrao = false; };
    EXPECT_NO_THROW(dvIntl().ValidationErrorUsingMask(nullptr, nullptr));
    EXPECT_EQ(bipes, 2);
}

TEST_F(TdvIntlTest, SizesDialogButtonsForTheScreen)
{
    const TdvDialogButtonSpec ok = dvIntl().DialogButtonSpec(TdvDialogButtonKind::bkOK, 96);
    EXPECT_EQ(ok.Caption, QStringLiteral("&OK"));
    EXPECT_EQ(ok.Width, 77);
    EXPECT_EQ(ok.Height, 27);
    EXPECT_TRUE(ok.ModalResultOk);

    const TdvDialogButtonSpec cancela = dvIntl().DialogButtonSpec(TdvDialogButtonKind::bkCancel, 120);
    EXPECT_EQ(cancela.Caption, QStringLiteral("Cancel"));
    EXPECT_EQ(cancela.Width, 96);    // 77 * 120 div 96
    EXPECT_EQ(cancela.Height, 33);   // 27 * 120 div 96
    EXPECT_TRUE(cancela.Cancel);

    dvIntl().OKCancelBitmapped = false;
    const TdvDialogButtonSpec ajuda = dvIntl().DialogButtonSpec(TdvDialogButtonKind::bkHelp, 96);
    EXPECT_EQ(ajuda.Caption, QStringLiteral("Help"));
    EXPECT_FALSE(ajuda.Bitmapped);
    EXPECT_EQ(ajuda.Height, 24);
    EXPECT_FALSE(ajuda.ModalResultOk || ajuda.ModalResultCancel);
}
