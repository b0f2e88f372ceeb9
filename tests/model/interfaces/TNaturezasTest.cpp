#include <gtest/gtest.h>

#include <stdexcept>

#include "model/interfaces/TNaturezas.h"

TEST(TNaturezas, TheTableHoldsTheTenNaturesByPosition)
{
    const TNaturezas naturezas;
    const int codigos[TNaturezas::Quantidade] = {0, 1, 2, 3, 4, 0, 0, 2, 0, 0};
    for (int i = 0; i < TNaturezas::Quantidade; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(naturezas.GetTodas()[i].GetCodigo(), codigos[i]);
    }
    EXPECT_TRUE(naturezas.GetTodas()[5].GetDescricao().isEmpty());
    EXPECT_EQ(naturezas.GetTodas()[8].GetDescricao(), QStringLiteral("Pessoa Física"));
    EXPECT_EQ(naturezas.GetTodas()[3].GetDescricao(),
              QStringLiteral("Pessoa Jurídica de Direito Privado administradora de Fundos ou Clubes de Investimentos"));
    EXPECT_EQ(naturezas.GetTodas()[2].GetDescricao(), naturezas.GetTodas()[7].GetDescricao());
    EXPECT_TRUE(naturezas.GetDisponiveis().empty());
}

TEST(TNaturezas, AvailableNaturesAreFoundByCodeAndByObject)
{
    TNaturezas naturezas;
    auto todas = naturezas.GetTodas();
    naturezas.AdicionaDisponivel(todas[6]);
    naturezas.AdicionaDisponivel(todas[1]);
    naturezas.AdicionaDisponivel(todas[7]);

    const struct {
        int codigo;
        int posicao;
    } casos[] = {
        {2, 7}, {0, 6}, {1, 1}, {3, -1}, {4, -1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        EXPECT_EQ(naturezas.GetDisponivel(static_cast<std::uint8_t>(c.codigo)),
                  c.posicao < 0 ? nullptr : &todas[c.posicao]);
    }
    EXPECT_EQ(naturezas.IndiceDisponivel(&todas[6]), 0);
    EXPECT_EQ(naturezas.IndiceDisponivel(&todas[7]), 2);
    EXPECT_EQ(naturezas.IndiceDisponivel(&todas[2]), -1);   // same code and text as 7, another object
    EXPECT_EQ(naturezas.IndiceDisponivel(nullptr), -1);

    naturezas.LimpaDisponiveis();
    EXPECT_EQ(naturezas.GetDisponivel(0), nullptr);
    EXPECT_EQ(naturezas.IndiceDisponivel(&todas[6]), -1);
}

TEST(TNaturezas, OnlyItsOwnNaturesAndAtMost128)
{
    TNaturezas naturezas;
    TNatureza alheia(0, QStringLiteral("x"));
    EXPECT_THROW(naturezas.AdicionaDisponivel(alheia), std::logic_error);
    for (int i = 0; i < TNaturezas::MaximoDisponiveis; ++i)
        naturezas.AdicionaDisponivel(naturezas.GetTodas()[9]);
    EXPECT_EQ(naturezas.IndiceDisponivel(&naturezas.GetTodas()[9]), 0);
    EXPECT_THROW(naturezas.AdicionaDisponivel(naturezas.GetTodas()[0]), std::logic_error);
}
