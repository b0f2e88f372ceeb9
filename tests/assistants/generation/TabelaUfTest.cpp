#include <gtest/gtest.h>

#include "assistants/generation/TabelaUf.h"
#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "platform/files/TPastas.h"

TEST(TabelaUf, IsMadeAndFilledOnFirstUseAndFilledAgainWhenFoundEmpty)
{
    ASSERT_TRUE(TPastas::Cria());
    for (int vez = 1; vez <= 3; ++vez) {
        SCOPED_TRACE(vez);
        const auto estados = TabelaUf::Lista();
        ASSERT_EQ(estados.size(), 27);
        EXPECT_EQ(estados.front(), (std::pair<QString, QString>{QStringLiteral("AC"), QStringLiteral("ACRE")}));
        EXPECT_EQ(estados.back().first, QStringLiteral("TO"));
        EXPECT_TRUE(estados.contains({QStringLiteral("SP"), QStringLiteral("SÃO PAULO")}));
        for (const auto& [sigla, nome] : estados) {
            EXPECT_EQ(sigla.size(), 2);
            EXPECT_LE(nome.size(), 20);
            EXPECT_EQ(nome, nome.toUpper());
        }
        if (vez == 2) {
            const auto tabela = CriaTabela(QLatin1String(TabelaUf::NomeArquivo));
            tabela->EmptyTable();
        }
    }
}
