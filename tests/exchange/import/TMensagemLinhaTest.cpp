#include <gtest/gtest.h>

#include "exchange/import/TMensagemLinha.h"
#include "model/values/TErro.h"

TEST(TMensagemLinha, ACodeEndedByAStopOrAQuestionGetsNoSecondStop)
{
    // 19 ends bare, 56 in a full stop, 30 in a question mark.
    const struct {
        std::uint8_t codigo;
        const char* fim;
    } casos[] = {
        {19, "inválido."},
        {56, "4,5 e 6."},
        {30, "Privado ?"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(int(c.codigo));
        TMensagemLinha mensagem(12);
        mensagem.AdicionaCodigo(c.codigo);
        mensagem.AdicionaCodigo(c.codigo);
        const QString uma = TErro::Mensagem(c.codigo) + (c.codigo == 19 ? "." : "");
        EXPECT_EQ(mensagem.Texto(), QStringLiteral("Linha: 12 - ") + uma + QStringLiteral("; ") + uma);
        EXPECT_TRUE(mensagem.Texto().endsWith(QString::fromUtf8(c.fim)));
    }
}
