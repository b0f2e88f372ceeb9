#include <gtest/gtest.h>

#include <QMap>
#include <QObject>

#include "components/data/TDataSetEmMemoria.h"
#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/datasets/dvEscapeFilter.h"
#include "components/data/settings/dvPictureMasks.h"
#include "components/data/settings/dvProperties.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"

namespace {

// A table of the library: publishes its setting lists and the pictures its file stores.
class TTabelaPublicada final : public TDataSetEmMemoria, public IdvPublished {
public:
    using TDataSetEmMemoria::TDataSetEmMemoria;

    QStringList* PublishedPictureMasks() override { return &Mascaras; }
    QStringList* PublishedControlType() override { return &Tipos; }
    QStringList* PublishedLookupFields() override { return &CamposBusca; }
    QStringList* PublishedLookupLinks() override { return &Ligacoes; }
    [[nodiscard]] QString TablePicture(const QString& campo) const override
    {
        return FigurasDaTabela.value(campo.toUpper());
    }
    [[nodiscard]] const TInvalidValueEvent* PublishedOnInvalidValue() const override { return &OnInvalidValue; }
    bool SetPublishedOnFilterEnabled(bool ligado) override
    {
        FiltroLigado = ligado;
        return true;
    }

    QStringList Mascaras;
    QStringList Tipos;
    QStringList CamposBusca;
    QStringList Ligacoes;
    QMap<QString, QString> FigurasDaTabela;
    TInvalidValueEvent OnInvalidValue;
    bool FiltroLigado = true;
};

std::vector<TFieldDef> Definicoes()
{
    return {{QStringLiteral("CEP"), ftString, 9},
            {QStringLiteral("UF"), ftString, 2},
            {QStringLiteral("OBS"), ftMemo, 0},
            {QStringLiteral("NOTA"), ftBlob, 0}};
}

class PictureMasksTest : public ::testing::Test {
protected:
    PictureMasksTest()
        : tabela(Definicoes(),
                 {{QStringLiteral("12345-678"), QStringLiteral("SP"), QStringLiteral("{\\rtf1 x}"), QVariant()},
                  {QStringLiteral("1234"), QStringLiteral("sp"), QStringLiteral("simples"), QByteArray("{\\rtf1 y}")},
                  {QString(), QStringLiteral("S1"), QVariant(), QVariant()}})
    {
        tabela.Mascaras = {QStringLiteral("CEP\t#####-###\tT\tF"), QStringLiteral("UF\t&&")};
        tabela.Open();
        tabela.FieldByName(QStringLiteral("CEP"))->SetDisplayLabel(QStringLiteral("Cep"));
    }

    // The text of the error, or empty when the record passes.
    QString Valida(int linha)
    {
        tabela.First();
        tabela.MoveBy(linha - 1);
        try {
            dvValidatePictureFields(&tabela, tabela.OnInvalidValue);
        } catch (const EDatabaseError& e) {
            return e.Mensagem();
        }
        return {};
    }

    TTabelaPublicada tabela;
};

// A control with its own masks that may defer to its dataset's.
class TEditComMascaras : public QObject, public IdvPublished {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource MEMBER FDataSource)
    Q_PROPERTY(bool PictureMaskFromDataSet MEMBER FDoDataSet)

public:
    QStringList* PublishedPictureMasks() override { return &FMascaras; }

    QStringList FMascaras;
    TDataSource* FDataSource = nullptr;
    bool FDoDataSet = true;
};

bool escWaiting = false;
bool EscWaiting()
{
    const bool era = escWaiting;
    escWaiting = false;
    return era;
}

}   // namespace

TEST_F(PictureMasksTest, PostingNeedsEveryMaskedTextCompleteOrEmpty)
{
    QStringList invalidos;
    tabela.OnInvalidValue = [&](TDataSet* ds, TField* campo) {
        EXPECT_EQ(ds, &tabela);
        invalidos << campo->FieldName();
    };
    EXPECT_EQ(Valida(1), QString());
    EXPECT_EQ(Valida(2), QStringLiteral("Invalid characters. Field : Cep"));   // its display name
    EXPECT_EQ(invalidos, QStringList{QStringLiteral("CEP")});
    EXPECT_EQ(Valida(3), QStringLiteral("Invalid characters. Field : UF"));   // an empty CEP passes
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("UF"))->AsString(), QStringLiteral("S1"));

    tabela.OnInvalidValue = nullptr;
    tabela.FieldByName(QStringLiteral("CEP"))->SetReadOnly(true);
    EXPECT_EQ(Valida(2), QStringLiteral("Invalid characters. Field : Cep"));   // read-only fields too
}

TEST_F(PictureMasksTest, ATablesOwnPictureWinsAndIsWrittenIntoTheFieldsLine)
{
    tabela.FigurasDaTabela.insert(QStringLiteral("UF"), QStringLiteral("##"));
    tabela.FigurasDaTabela.insert(QStringLiteral("OBS"), QStringLiteral("&"));
    EXPECT_EQ(Valida(1), QStringLiteral("Invalid characters. Field : UF"));
    EXPECT_EQ(tabela.Mascaras[1], QStringLiteral("UF\t##\tT\tT"));
    EXPECT_EQ(tabela.Mascaras.size(), 2);   // OBS had no line: none is added

    const TdvPictureMaskInfo info = dvGetPictureMaskInfo(&tabela, QStringLiteral("obs"), true);
    EXPECT_EQ(info.Mask, QStringLiteral("&"));
    EXPECT_EQ(dvGetPictureMaskInfo(&tabela, QStringLiteral("obs"), false).Mask, QString());
    EXPECT_EQ(dvGetTablePicture(&tabela, QStringLiteral("UF")), QStringLiteral("##"));
    EXPECT_EQ(dvGetTablePicture(&tabela, QStringLiteral("SUMIDO")), QString());
}

TEST_F(PictureMasksTest, TheMasksOfTheDatasetOrOfTheControlApply)
{
    TDataSource fonte;
    fonte.SetDataSet(&tabela);
    TEditComMascaras edit;
    edit.FDataSource = &fonte;
    EXPECT_EQ(dvGetPictureMaskOwner(&edit, nullptr), static_cast<IdvPublished*>(&tabela));   // through its source
    edit.FDoDataSet = false;
    EXPECT_EQ(dvGetPictureMaskOwner(&edit, &tabela), static_cast<IdvPublished*>(&edit));

    TDataSetEmMemoria semMascaras(Definicoes(), {});
    edit.FDoDataSet = true;
    EXPECT_EQ(dvGetPictureMaskOwner(&edit, &semMascaras), static_cast<IdvPublished*>(&edit));
    QObject simples;
    EXPECT_EQ(dvGetPictureMaskOwner(&simples, &tabela), static_cast<IdvPublished*>(&tabela));   // absent: true
    EXPECT_EQ(dvGetPictureMaskOwner(&simples, nullptr), nullptr);

    dvSetPictureMaskInfo(&edit, QStringLiteral("CEP"), {QStringLiteral("#####-###"), false, true});
    EXPECT_EQ(edit.FMascaras, QStringList{QStringLiteral("CEP\t#####-###\tF\tT")});
    dvSetPictureMaskInfo(nullptr, QStringLiteral("CEP"), {QStringLiteral("#")});
}

TEST_F(PictureMasksTest, RichTextFieldsAreKnownByTheirLineOrTheirContent)
{
    const TField* obs = tabela.FieldByName(QStringLiteral("OBS"));
    const TField* nota = tabela.FieldByName(QStringLiteral("NOTA"));
    const TField* uf = tabela.FieldByName(QStringLiteral("UF"));
    tabela.First();
    EXPECT_FALSE(dvIsRichEditField(obs, false));
    EXPECT_TRUE(dvIsRichEditField(obs, true));
    EXPECT_FALSE(dvIsRichEditField(uf, true));   // no blob
    tabela.Next();
    EXPECT_FALSE(dvIsRichEditField(obs, true));
    EXPECT_TRUE(dvIsRichEditField(nota, true));
    tabela.Tipos = {QStringLiteral("obs;RichEdit")};
    EXPECT_TRUE(dvIsRichEditField(obs, false));
    EXPECT_FALSE(dvIsRichEditField(nullptr, true));

    QString tipo;
    QString parametros;
    tabela.Tipos << QStringLiteral("UF;Combo;SP;RJ");
    dvGetControlInfo(&tabela, QStringLiteral("uf"), tipo, parametros);
    EXPECT_EQ(tipo, QStringLiteral("Combo"));
    EXPECT_EQ(parametros, QStringLiteral("SP;RJ"));
    tabela.Tipos << QStringLiteral("NOTA;CustomEdit;") + QString(300, QLatin1Char('p'));
    dvGetControlInfo(&tabela, QStringLiteral("NOTA"), tipo, parametros);
    EXPECT_EQ(tipo, QStringLiteral("CustomEdit"));
    EXPECT_EQ(parametros, QString(255, QLatin1Char('p'))) << "the parameters stop at 255 characters";
    dvGetControlInfo(nullptr, QStringLiteral("uf"), tipo, parametros);
    EXPECT_TRUE(tipo.isEmpty() && parametros.isEmpty());
}

TEST_F(PictureMasksTest, LinesOfFieldsTheDatasetLacksAreDropped)
{
    tabela.CamposBusca = {QStringLiteral("UF;DADOS;Estados.db;NOME"), QStringLiteral("SUMIDO;DADOS;X.db;Y")};
    tabela.Ligacoes = {QStringLiteral("UF;SIGLA"), QStringLiteral("A;B")};
    tabela.Tipos = {QStringLiteral("SUMIDO;CheckBox;S;N"), QStringLiteral("OBS;RichEdit")};
    EXPECT_EQ(dvGetFieldLookupLinks(&tabela, QStringLiteral("SUMIDO")), QStringLiteral("A;B"));
    dvDataSetRemoveObsoleteFields(&tabela, &tabela.CamposBusca, &tabela.Ligacoes, &tabela.Tipos);
    EXPECT_EQ(tabela.CamposBusca, QStringList{QStringLiteral("UF;DADOS;Estados.db;NOME")});
    EXPECT_EQ(tabela.Ligacoes, QStringList{QStringLiteral("UF;SIGLA")});
    EXPECT_EQ(tabela.Tipos, QStringList{QStringLiteral("OBS;RichEdit")});
    EXPECT_EQ(dvGetFieldLookupResultField(&tabela, QStringLiteral("UF")), QStringLiteral("NOME"));
    EXPECT_EQ(dvGetFieldLookupLinks(&tabela, QStringLiteral("UF")), QStringLiteral("UF;SIGLA"));
    dvDataSetRemoveObsoleteFields(&tabela, nullptr, nullptr, &tabela.Tipos);
}

TEST_F(PictureMasksTest, SelectedLinesShowOnlyTheirFieldsInTheirOrder)
{
    dvDataSetApplySelected(
        &tabela,
        {QStringLiteral("UF\t4\tEstado"), QStringLiteral("SUMIDO\t9\tX"), QStringLiteral("CEP\t10\tCódigo postal")});
    EXPECT_FALSE(tabela.ControlsDisabled());
    QStringList selecionados;
    dvDataSetToSelected(&tabela, selecionados);
    EXPECT_EQ(selecionados, QStringList({QStringLiteral("UF\t4\tEstado"), QStringLiteral("CEP\t10\tCódigo postal")}));
    EXPECT_FALSE(tabela.FieldByName(QStringLiteral("OBS"))->Visible());
}

TEST_F(PictureMasksTest, EscCancelsTheRecordFilterOnlyWhenItIsTheKeyWaiting)
{
    const TdvEscapeProbe anterior = dvInstallEscapeProbe(&EscWaiting);
    EXPECT_FALSE(dvProcessEscapeFilterEvent(&tabela));
    EXPECT_TRUE(tabela.FiltroLigado);
    escWaiting = true;
    EXPECT_TRUE(dvProcessEscapeFilterEvent(&tabela));
    EXPECT_FALSE(tabela.FiltroLigado);
    EXPECT_FALSE(escWaiting);   // the key was taken
    dvInstallEscapeProbe(anterior);
    EXPECT_FALSE(dvProcessEscapeFilterEvent(&tabela));
}

#include "dvPictureMasksTest.moc"
