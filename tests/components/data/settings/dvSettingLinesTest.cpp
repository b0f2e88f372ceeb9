#include <gtest/gtest.h>

#include "components/data/settings/dvSettingLines.h"

TEST(PictureMaskLines, ReadsTheFieldsMaskAndFlags)
{
    const QStringList mascaras = {
        QStringLiteral("CPF\t###.###.###-##\tF\tT"),
        QStringLiteral("Cep\t#####-###"),   // no flags: both true
        QStringLiteral("UF\t&&\tT"),
        QStringLiteral("FONE\t####-####\tF\tF"),
    };
    const struct {
        const char* campo;
        const char* mascara;
        bool preenche;
        bool saiInvalido;
    } casos[] = {
        {"cpf", "###.###.###-##", false, true}, {"CEP", "#####-###", true, true}, {"uf", "&&", true, true},
        {"Fone", "####-####", false, false},    {"NOME", "", true, true},   // no line
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        const TdvPictureMaskInfo info = dvPictureMaskLineInfo(mascaras, QString::fromLatin1(c.campo));
        EXPECT_EQ(info.Mask, QString::fromLatin1(c.mascara));
        EXPECT_EQ(info.AutoFill, c.preenche);
        EXPECT_EQ(info.AllowInvalidExit, c.saiInvalido);
    }
}

TEST(PictureMaskLines, WritesReplacesKeepsAndDeletesTheFieldsLine)
{
    QStringList mascaras = {QStringLiteral("CPF\t###\tF\tT"), QStringLiteral("UF\t&&\tT\tT")};

    dvSetPictureMaskLine(mascaras, QStringLiteral("CEP"), {QStringLiteral("#####-###"), true, false});
    EXPECT_EQ(mascaras.last(), QStringLiteral("CEP\t#####-###\tT\tF"));

    dvSetPictureMaskLine(mascaras, QStringLiteral("cpf"), {QStringLiteral("###.###"), true, true}, {false, true});
    EXPECT_EQ(mascaras[0], QStringLiteral("cpf\t###.###\tF\tT"));   // flags kept, mask replaced

    dvSetPictureMaskLine(mascaras, QStringLiteral("UF"), {QString(), false, false}, {true, false});
    EXPECT_EQ(mascaras[1], QStringLiteral("UF\t&&\tF\tF"));   // mask kept, flags replaced

    dvSetPictureMaskLine(mascaras, QStringLiteral("Uf"), {});
    EXPECT_EQ(mascaras, QStringList({QStringLiteral("cpf\t###.###\tF\tT"), QStringLiteral("CEP\t#####-###\tT\tF")}));

    dvSetPictureMaskLine(mascaras, QStringLiteral("NOME"), {});   // nothing to delete
    EXPECT_EQ(mascaras.size(), 2);
}

TEST(ControlTypeLines, GiveTheTypeAndTheRestOfTheLine)
{
    const QStringList tipos = {
        QStringLiteral("ATIVO;CheckBox;S;N"),
        QStringLiteral("OBS;RichEdit"),
        QStringLiteral("COD;CustomEdit;DeCodigo"),
    };
    const struct {
        const char* campo;
        const char* tipo;
        const char* parametros;
    } casos[] = {
        {"ativo", "CheckBox", "S;N"},
        {"OBS", "RichEdit", ""},
        {"COD", "CustomEdit", "DeCodigo"},
        {"NOME", "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        QString tipo = QStringLiteral("velho");
        QString parametros = QStringLiteral("velho");
        dvControlTypeLineInfo(tipos, QString::fromLatin1(c.campo), tipo, parametros);
        EXPECT_EQ(tipo, QString::fromLatin1(c.tipo));
        EXPECT_EQ(parametros, QString::fromLatin1(c.parametros));
    }
    EXPECT_TRUE(dvHasRichEditLine(tipos, QStringLiteral("obs")));
    EXPECT_FALSE(dvHasRichEditLine(tipos, QStringLiteral("ATIVO")));

    for (const char* tipo : {"CustomEdit", "lookupcombo", "COMBO"})
        EXPECT_TRUE(dvIsCustomControlType(QString::fromLatin1(tipo))) << tipo;
    for (const char* tipo : {"CheckBox", "RichEdit", ""})
        EXPECT_FALSE(dvIsCustomControlType(QString::fromLatin1(tipo))) << tipo;
}

TEST(LookupLines, PairEachLookupFieldWithItsLinksAndDropObsoleteOnes)
{
    QStringList campos = {
        QStringLiteral("NomeCod;DADOS;CodRet.db;DESCRICAO;;CODIGO"),
        QStringLiteral("Sumido;DADOS;Benef.db;NOME"),
        QStringLiteral("NomeBenef;DADOS;Benef.db;NOME;PrimaryKey"),
    };
    QStringList ligacoes = {QStringLiteral("COD;CODIGO"), QStringLiteral("X;Y"), QStringLiteral("NI;NI;TIPO;TIPO")};
    QStringList tipos = {QStringLiteral("Sumido;CheckBox;S;N"), QStringLiteral("NomeCod;LookupCombo")};

    EXPECT_EQ(dvFieldLookupLinks(campos, ligacoes, QStringLiteral("NomeBenef")), QStringLiteral("NI;NI;TIPO;TIPO"));
    EXPECT_EQ(dvFieldLookupLinks(campos, ligacoes, QStringLiteral("NOMEBENEF")), QString());   // case counts here
    EXPECT_EQ(dvFieldLookupResultField(campos, QStringLiteral("NomeCod")), QStringLiteral("DESCRICAO"));

    const QStringList existentes = {QStringLiteral("NomeCod"), QStringLiteral("NomeBenef")};
    dvRemoveObsoleteLines([&](const QString& f) { return existentes.contains(f, Qt::CaseInsensitive); }, campos,
                          ligacoes, tipos);
    EXPECT_EQ(campos.size(), 2);
    EXPECT_EQ(ligacoes, QStringList({QStringLiteral("COD;CODIGO"), QStringLiteral("NI;NI;TIPO;TIPO")}));
    EXPECT_EQ(tipos, QStringList({QStringLiteral("NomeCod;LookupCombo")}));
}

TEST(SelectedLines, FindTheFieldBeforeTheFirstTab)
{
    const QStringList selecionados = {QStringLiteral("NI\t14\tCPF/CNPJ"), QStringLiteral("NOME\t40\tNome")};
    int indice = -5;
    EXPECT_TRUE(dvFindSelectedField(selecionados, QStringLiteral("nome"), indice));
    EXPECT_EQ(indice, 1);
    EXPECT_FALSE(dvFindSelectedField(selecionados, QStringLiteral("NOM"), indice));
    EXPECT_EQ(indice, -1);
}

TEST(QueryText, JoinsLinesByLineBreaksOrBlanks)
{
    const QStringList linhas = {QStringLiteral("SELECT *"), QStringLiteral("FROM Benef")};
    EXPECT_EQ(dvStringsToText(linhas, false), QStringLiteral("SELECT *\r\nFROM Benef"));
    EXPECT_EQ(dvStringsToText(linhas, true), QStringLiteral("SELECT * FROM Benef"));
}
