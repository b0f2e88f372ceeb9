#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "shell/printing/TDialogoConfiguraImpressora.h"

TEST(TDialogoConfiguraImpressora, OffersThePapersThePrinterTakesThatTheProgramKnows)
{
    const QList<int> todos = TDialogoConfiguraImpressora::CodigosOferecidos({});
    EXPECT_EQ(todos.size(), 15);   // 1 to 14 and 24 to 26, Letter small and A4 small being Letter and A4
    EXPECT_FALSE(todos.contains(2) || todos.contains(10));
    const struct {
        QList<QPageSize::PageSizeId> tamanhos;
        QList<int> codigos;
    } casos[] = {
        {{QPageSize::A4, QPageSize::Letter, QPageSize::Legal}, {1, 5, 9}},
        {{QPageSize::A4, QPageSize::B0}, {9}},   // a size without a code is not offered
        {{QPageSize::B0}, todos},                // nothing known: every code
    };
    for (const auto& c : casos) {
        QList<QPageSize> tamanhos;
        for (QPageSize::PageSizeId id : c.tamanhos)
            tamanhos << QPageSize(id);
        EXPECT_EQ(TDialogoConfiguraImpressora::CodigosOferecidos(tamanhos), c.codigos);
    }
}

TEST(TDialogoConfiguraImpressora, StartsFromTheChoiceAndAnswersWhatIsShown)
{
    TDialogoConfiguraImpressora dialogo({QStringLiteral("A"), QStringLiteral("B")},
                                        {QStringLiteral("B"), 5, TOrientacao::Paisagem});
    TEscolhaImpressora e = dialogo.Escolha();
    EXPECT_EQ(e.Nome, QStringLiteral("B"));
    EXPECT_EQ(e.CodigoPapel, 5);
    EXPECT_EQ(e.Orientacao, TOrientacao::Paisagem);

    dialogo.CbImpressora->setCurrentIndex(0);   // the paper stays when the printer takes it
    dialogo.RbRetrato->setChecked(true);
    e = dialogo.Escolha();
    EXPECT_EQ(e.Nome, QStringLiteral("A"));
    EXPECT_EQ(e.CodigoPapel, 5);
    EXPECT_EQ(e.Orientacao, TOrientacao::Retrato);
}
