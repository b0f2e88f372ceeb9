#include <gtest/gtest.h>

#include "platform/report/pages/TFonte.h"
#include "platform/report/pages/TMedidaTexto.h"

TEST(TMedidaTexto, BreaksBetweenWordsAtTheWidth)
{
    // Every character of the monospaced font is as wide as any other.
    const QFont fonte = TFonte::Cria(QStringLiteral("Liberation Mono"), 10);
    const qreal c = TMedidaTexto::Largura(fonte, QStringLiteral("x"));
    ASSERT_GT(c, 0);
    const struct {
        const char* texto;
        int colunas;
        QStringList linhas;
    } casos[] = {
        {"", 10, {}},
        {"abc def", 7, {"abc def"}},
        {"abc def", 6, {"abc", "def"}},
        {"abc   def ghi", 9, {"abc   def", "ghi"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},   // a word wider than the line
        {"ab abcdefghij", 4, {"ab", "abcd", "efgh", "ij"}},
        {"  ab cd", 7, {"  ab cd"}},   // the paragraph's indent stays
        {"ab   ", 2, {"ab"}},          // trailing blanks take no room
        {"a\n\nb", 5, {"a", "", "b"}},
        {"a\r\nb\rc", 5, {"a", "b", "c"}},
        {"x", 0, {"x"}},   // one character at least
    };
    for (const auto& t : casos) {
        SCOPED_TRACE(t.texto);
        const qreal largura = t.colunas * c + c / 2;
        EXPECT_EQ(TMedidaTexto::Quebra(fonte, QString::fromUtf8(t.texto), t.colunas == 0 ? 0 : largura), t.linhas);
    }
}

TEST(TMedidaTexto, CortaDropsWholeCharactersThatDoNotFit)
{
    const QFont fonte = TFonte::Cria(QStringLiteral("Liberation Mono"), 10);
    const qreal c = TMedidaTexto::Largura(fonte, QStringLiteral("x"));
    const struct {
        const char* texto;
        qreal colunas;
        const char* cortado;
    } casos[] = {
        {"JOSÉ DA SILVA", 13, "JOSÉ DA SILVA"},
        {"JOSÉ DA SILVA", 12.5, "JOSÉ DA SILV"},   // never half a letter
        {"JOSÉ DA SILVA", 8, "JOSÉ DA"},           // no blank left at the end
        {"JOSÉ", 0.5, ""},
    };
    for (const auto& t : casos) {
        SCOPED_TRACE(t.texto);
        EXPECT_EQ(TMedidaTexto::Corta(fonte, QString::fromUtf8(t.texto), t.colunas * c), QString::fromUtf8(t.cortado));
    }
}

TEST(TMedidaTexto, HeightIsLinesTimesTheLineHeight)
{
    const QFont fonte = TFonte::Cria(QStringLiteral("Liberation Sans"), 12);
    const qreal linha = TMedidaTexto::AlturaLinha(fonte);
    EXPECT_NEAR(linha, 12 * (0.905 + 0.212), 0.1);   // the face's ascent plus descent, 12 units
    EXPECT_DOUBLE_EQ(TMedidaTexto::Altura(fonte, QStringLiteral("um\ndois\ntrês"), 500), 3 * linha);
    EXPECT_DOUBLE_EQ(TMedidaTexto::Altura(fonte, QString(), 500), 0);
}

TEST(TFonte, LayoutFamiliesBecomeTheirFreeCounterparts)
{
    const struct {
        const char* pedida;
        const char* dada;
    } casos[] = {
        {"Arial", "Liberation Sans"},       {"arial", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"}, {"", "Liberation Sans"},      {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pedida);
        EXPECT_EQ(TFonte::Familia(QString::fromUtf8(c.pedida)), QString::fromUtf8(c.dada));
    }
    EXPECT_DOUBLE_EQ(TFonte::Tamanho(TFonte::Cria(QStringLiteral("Arial"), 13)), 13);
    EXPECT_DOUBLE_EQ(TFonte::Tamanho(TFonte::DePontos(QStringLiteral("Arial"), 9)), 12);
}

TEST(TMedidaTexto, RecuoPlacesTheTextByItsAlignment)
{
    const struct {
        Qt::Alignment alinhamento;
        qreal caixa;
        qreal texto;
        qreal recuo;
    } casos[] = {
        {Qt::AlignLeft, 100, 40, 0},
        {Qt::AlignRight, 100, 40, 60},
        {Qt::AlignHCenter, 100, 40, 30},
        {Qt::AlignRight | Qt::AlignVCenter, 100, 40, 60},   // only the horizontal flags count
        {Qt::AlignCenter, 100, 40, 30},
        {Qt::AlignRight, 100, 130, -30},   // wider than the box: runs out at the left
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.alinhamento));
        EXPECT_DOUBLE_EQ(TMedidaTexto::Recuo(c.alinhamento, c.caixa, c.texto), c.recuo);
    }
}
