#include "reports/forms/TTextoInteiro.h"

#include <gtest/gtest.h>

#include "platform/report/bands/TBanda.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "reports/forms/FormularioRelato.h"

TEST(TTextoInteiro, TwoLinesBreakAtABlankElseAfterAMarkElseBetweenLetters)
{
    const QFont fonte = FonteRelato(8);
    const auto largura = [&](const char* texto) { return TMedidaTexto::Largura(fonte, QString::fromUtf8(texto)); };
    const struct {
        const char* texto;
        qreal largura;
        QStringList linhas;
    } casos[] = {
        // The last blank that lets the first line fit.
        {"ANA MARIA SOUZA LIMA", largura("ANA MARIA SOUZA"), {"ANA MARIA SOUZA", "LIMA"}},
        {"ANA MARIA SOUZA LIMA", largura("ANA MARIA SOU"), {"ANA MARIA", "SOUZA LIMA"}},
        // No blank: after the last mark of an address that fits.
        {"maria.souza@empresa.com.br", largura("maria.souza@empresa."), {"maria.souza@empresa.", "com.br"}},
        {"maria.souza@empresa.com.br", largura("maria.souza@empr"), {"maria.souza@", "empresa.com.br"}},
        // No blank nor mark: as many letters as fit.
        {"ABCDEFGHIJ", largura("ABCDEF"), {"ABCDEF", "GHIJ"}},
        // The rest does not fit a second line: no two lines.
        {"ANA MARIA SOUZA LIMA", largura("ANA MARIA"), {}},
        {"ABCDEFGHIJ", largura("ABCD"), {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.texto << " / " << c.largura);
        EXPECT_EQ(TTextoInteiro::DivideEmDuas(fonte, QString::fromUtf8(c.texto), c.largura + 0.01), c.linhas);
    }
}

TEST(TTextoInteiro, OneLineWhereLegibleTwoWhereTheRoomTakesThemElseOneLineSmaller)
{
    const QString texto = QStringLiteral("WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWM");
    const qreal inteiro = TMedidaTexto::Largura(FonteRelato(8), texto);
    const struct {
        qreal direita;   // the label starts at 100
        qreal fundo;
        bool duas;
        bool legivel;
    } casos[] = {
        {100 + inteiro, 40, false, true},          // fits in its size
        {100 + inteiro * 0.9, 40, false, true},    // a smaller size on one line
        {100 + inteiro * 0.78, 60, true, true},    // one line would print in the floor's size
        {100 + inteiro * 0.6, 60, true, true},     // two lines in the room under it
        {100 + inteiro * 0.6, 22, false, false},   // no room for a second line: smaller, whole
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.direita << " / " << c.fundo);
        TBanda banda(TTipoBanda::Detalhe, QStringLiteral("Banda"));
        TRotulo& rotulo = Rotulo(banda, QStringLiteral("QRLNome"), QString(), 100, 6);
        const qreal base = rotulo.Topo + TMedidaTexto::Ascendente(rotulo.Fonte);
        TTextoInteiro nome(banda, rotulo, c.direita, c.fundo);
        nome.Preenche(texto);
        const auto& segunda = banda.ElementoDe<TRotulo>(QStringLiteral("QRLNome2"));
        EXPECT_EQ(nome.EmDuasLinhas(), c.duas);
        EXPECT_EQ(segunda.Habilitado, c.duas);
        EXPECT_EQ(rotulo.Fonte.pointSizeF() >= PontosLegiveis, c.legivel) << rotulo.Fonte.pointSizeF();
        // The first line on the label's baseline, each line whole inside its room.
        EXPECT_NEAR(rotulo.Topo + TMedidaTexto::Ascendente(rotulo.Fonte), base, 1e-6);
        EXPECT_LE(TMedidaTexto::Largura(rotulo.Fonte, rotulo.Texto), c.direita - 100);
        if (c.duas) {
            EXPECT_EQ(rotulo.Texto + QLatin1Char(' ') + segunda.Texto, texto);
            EXPECT_EQ(segunda.Fonte, rotulo.Fonte);
            EXPECT_GT(segunda.Topo, rotulo.Topo);
            EXPECT_LE(nome.Fim(), c.fundo);
            EXPECT_LE(TMedidaTexto::Largura(segunda.Fonte, segunda.Texto), c.direita - 100);
        } else {
            EXPECT_EQ(rotulo.Texto, texto);
        }
        // A short text afterwards: one line in the label's size again.
        nome.Preenche(QStringLiteral("ANA"));
        EXPECT_FALSE(segunda.Habilitado);
        EXPECT_EQ(rotulo.Fonte.pointSizeF(), 8);
        EXPECT_NEAR(rotulo.Topo + TMedidaTexto::Ascendente(rotulo.Fonte), base, 1e-6);
    }
}
