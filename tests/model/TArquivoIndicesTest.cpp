#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ImprimeQString.h"
#include "model/TArquivoIndices.h"
#include "model/Utilitarios.h"

TEST(TArquivoIndices, SplitsALineAtItsFirstTwoBackslashes)
{
    const struct {
        const char* linha;
        const char* campos;
        const char* nome;
        const char* tabela;
    } casos[] = {
        {"IN_PF_PJ;NR_PF_PJ\\IPFPJ\\Benef.db", "IN_PF_PJ;NR_PF_PJ", "IPFPJ", "Benef.db"},
        {"E_PRUV/ANEXO_DK;PRUV_ITEM_DK\\\\PruvItem.DB", "E_PRUV/ANEXO_DK;PRUV_ITEM_DK", "", "PruvItem.DB"},
        {"A\\I\\T\\U", "A", "I", "T\\U"},
        {"A\\I", "A", "I", ""},
        {"A", "A", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        const TLinhaIndice partes = TArquivoIndices::Separa(QLatin1String(c.linha));
        EXPECT_EQ(partes.Campos, QLatin1String(c.campos));
        EXPECT_EQ(partes.Nome, QLatin1String(c.nome));
        EXPECT_EQ(partes.Tabela, QLatin1String(c.tabela));
    }
}

TEST(TArquivoIndices, ReadsTheLinesOfTheProgramFoldersFile)
{
    ASSERT_TRUE(QDir().mkpath(DiretorioPrograma()));
    const QString caminho = QDir(DiretorioPrograma()).filePath(QStringLiteral("indices.dat"));
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("# comment\r\nA\\IA\\T.db\r\n\r\n  B\\\\T.db  \nC\\IC\\U.db");
    arquivo.close();

    EXPECT_EQ(TArquivoIndices::Localiza(), caminho);
    QStringList linhas{QStringLiteral("left over")};
    ASSERT_TRUE(TArquivoIndices::Le(caminho, linhas));
    EXPECT_EQ(linhas, (QStringList{QStringLiteral("A\\IA\\T.db"), QStringLiteral("B\\\\T.db"),
                                   QStringLiteral("C\\IC\\U.db")}));
    EXPECT_FALSE(TArquivoIndices::Le(caminho + QStringLiteral(".none"), linhas));
    EXPECT_TRUE(linhas.isEmpty());
}
