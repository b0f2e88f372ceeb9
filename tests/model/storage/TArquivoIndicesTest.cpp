#include <gtest/gtest.h>

#include "model/ImprimeQString.h"
#include "model/storage/TArquivoIndices.h"

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
