#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "components/controls/combos/IComboItens.h"
#include "model/interfaces/TNaturezas.h"
#include "shell/common/ComboNaturezas.h"

namespace {

class ComboDeTeste final : public IComboItens {
public:
    QWidget& Controle() override { return FEdit; }
    void LimpaItens() override { Itens.clear(); }
    void AdicionaItem(const QString& Texto) override { Itens << Texto; }
    int QuantidadeItens() const override { return static_cast<int>(Itens.size()); }
    void SetItemIndex(int Indice) override { Indice_ = Indice; }

    QStringList Itens{QStringLiteral("velho")};
    int Indice_ = 0;
    QLineEdit FEdit;
};

}   // namespace

TEST(PreencheCombo, AvailableDescriptionsWithoutBlanks)
{
    TNaturezas naturezas;
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[5]);   // empty description
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[8]);
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[9]);
    ComboDeTeste combo;
    combo.FEdit.setEnabled(false);
    PreencheCombo(combo, naturezas);
    EXPECT_EQ(combo.Itens, (QStringList{QStringLiteral("Pessoa Física"), QStringLiteral("Pessoa Jurídica")}));
    EXPECT_TRUE(combo.FEdit.isEnabled());
    EXPECT_EQ(combo.Indice_, 0);
    EXPECT_EQ(combo.FEdit.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
}

TEST(PreencheCombo, WithoutItemsTheComboIsDisabled)
{
    TNaturezas naturezas;
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[5]);
    ComboDeTeste combo;
    PreencheCombo(combo, naturezas);
    EXPECT_TRUE(combo.Itens.isEmpty());
    EXPECT_EQ(combo.Indice_, -1);
    EXPECT_FALSE(combo.FEdit.isEnabled());
    EXPECT_EQ(combo.FEdit.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
}
