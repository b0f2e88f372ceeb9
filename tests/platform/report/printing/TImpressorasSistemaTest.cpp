#include <QPrinter>
#include <gtest/gtest.h>

#include "platform/report/printing/TImpressorasSistema.h"

TEST(TImpressorasSistema, TheChoiceHoldsWhileItsPrinterIsInstalled)
{
    const TEscolhaImpressora escolhida{QStringLiteral("B"), 5, TOrientacao::Paisagem};
    const TEscolhaImpressora nenhuma;
    const struct {
        const TEscolhaImpressora& escolha;
        QStringList instaladas;
        const char* padrao;
        const char* nome;
        int papel;
    } casos[] = {
        {escolhida, {"A", "B"}, "A", "B", 5},
        {escolhida, {"A", "C"}, "C", "C", 0},   // gone: the default printer, its own paper
        {escolhida, {"A", "C"}, "", "A", 0},    // no default: the first one
        {nenhuma, {"A", "C"}, "C", "C", 0},
        {escolhida, {}, "", "", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.instaladas.join(QLatin1Char(',')).toStdString());
        const TEscolhaImpressora e = TImpressorasSistema::EscolhaValida(c.escolha, c.instaladas,
                                                                        QLatin1String(c.padrao));
        EXPECT_EQ(e.Nome, QLatin1String(c.nome));
        EXPECT_EQ(e.CodigoPapel, c.papel);
        EXPECT_EQ(e.Orientacao, c.papel ? TOrientacao::Paisagem : TOrientacao::Retrato);
    }
}

TEST(TImpressorasSistema, APrinterTakesThePaperAndOrientationChosen)
{
    QPrinter impressora;
    TImpressorasSistema::AplicaEscolha(impressora, {QStringLiteral("B"), 5, TOrientacao::Paisagem});
    EXPECT_EQ(impressora.pageLayout().pageSize().id(), QPageSize::Legal);
    EXPECT_EQ(impressora.pageLayout().orientation(), QPageLayout::Landscape);
    // No paper chosen: the printer's own stays.
    impressora.setPageSize(QPageSize(QPageSize::A5));
    TImpressorasSistema::AplicaEscolha(impressora, {QStringLiteral("B"), 0, TOrientacao::Retrato});
    EXPECT_EQ(impressora.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(impressora.pageLayout().orientation(), QPageLayout::Portrait);
}
