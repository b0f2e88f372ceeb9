#include <gtest/gtest.h>

#include "shell/window/TTeclasPrincipal.h"

namespace {

using P = TPaginaDeclaracao;
using T = TAcaoTecla::TTipo;

}   // namespace

TEST(TTeclasPrincipal, AltKeysPressTheButtonsOfTheActivePage)
{
    const struct {
        P pagina;
        int tecla;
        bool teclado, fundo;
        T tipo;
        const char* nome;
        bool shift = false;
    } casos[] = {
        {P::Informacoes, Qt::Key_R, false, false, T::Resumo, "TsResumo"},
        {P::Comprovante, Qt::Key_R, false, false, T::Resumo, "TsResumo"},
        {P::Informacoes, Qt::Key_Left, false, false, T::Nenhuma, ""},
        {P::Resumo, Qt::Key_Home, false, false, T::Nenhuma, ""},
        {P::Beneficiarios, Qt::Key_PageUp, false, false, T::Botao, "BbPrior"},
        {P::Beneficiarios, Qt::Key_Left, false, false, T::Botao, "BbPrior"},
        {P::Beneficiarios, Qt::Key_Right, false, false, T::Botao, "BbNext"},
        {P::Beneficiarios, Qt::Key_Home, false, false, T::Botao, "BbFirst"},
        {P::Beneficiarios, Qt::Key_End, false, false, T::Botao, "BbLast"},
        {P::Beneficiarios, Qt::Key_Insert, false, false, T::Botao, "BbAdd"},
        {P::Beneficiarios, Qt::Key_Plus, true, false, T::Botao, "BbAdd"},
        {P::Beneficiarios, Qt::Key_Plus, false, false, T::Nenhuma, ""},   // the plus of the letters
        {P::Beneficiarios, Qt::Key_Minus, true, false, T::Botao, "BbDelete"},
        {P::Beneficiarios, Qt::Key_Backspace, false, false, T::Botao, "BbDesfazer"},
        {P::Fundos, Qt::Key_Insert, false, false, T::Botao, "BbAdd"},
        {P::Fundos, Qt::Key_Insert, false, true, T::Botao, "BbAddFundo"},
        {P::Fundos, Qt::Key_Delete, false, true, T::Botao, "BbDeleteFundo"},
        {P::Fundos, Qt::Key_Backspace, false, true, T::Botao, "BbDesfazerFundo"},
        {P::Fundos, Qt::Key_PageDown, false, true, T::Botao, "BbNext"},
        {P::Beneficiarios, Qt::Key_Insert, false, false, T::Botao, "BbAdd", true},   // no fund bar
        {P::Fundos, Qt::Key_Insert, false, false, T::Botao, "BbAddFundo", true},
        {P::Fundos, Qt::Key_Plus, true, false, T::Botao, "BbAddFundo", true},
        {P::Fundos, Qt::Key_Delete, false, false, T::Botao, "BbDelete", true},
        {P::Comprovante, Qt::Key_Backspace, false, false, T::Botao, "BbCancel"},
        {P::Comprovante, Qt::Key_End, false, false, T::Botao, "BbLast"},
        {P::Comprovante, Qt::Key_Insert, false, false, T::Nenhuma, ""},
        {P::Comprovante, Qt::Key_N, false, false, T::Ficha, "NaturezaPJ"},
        {P::Comprovante, Qt::Key_M, false, false, T::Ficha, "InfComplementares"},
        {P::Comprovante, Qt::Key_L, false, false, T::Ficha, "InfComplementaresIN4"},
        {P::Beneficiarios, Qt::Key_N, false, false, T::Nenhuma, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.pagina) << " " << c.tecla);
        const TAcaoTecla acao = TTeclasPrincipal::Acao(c.pagina, c.tecla, c.teclado, c.fundo, c.shift);
        EXPECT_EQ(acao.Tipo, c.tipo);
        EXPECT_STREQ(acao.Nome, c.nome);
    }
}

TEST(TTeclasPrincipal, OnlyTheRecordPagesSwallowTheKeysTheyHandle)
{
    const struct {
        P pagina;
        int tecla;
        bool tratada, repassa;
    } casos[] = {
        {P::Beneficiarios, Qt::Key_Insert, true, false},
        {P::Beneficiarios, Qt::Key_Insert, false, true},
        {P::Fundos, Qt::Key_F4, true, true},   // Alt+F4 always closes
        {P::Comprovante, Qt::Key_Home, true, false},
        {P::Informacoes, Qt::Key_R, true, true},
        {P::Resumo, Qt::Key_R, true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.pagina) << " " << c.tecla);
        EXPECT_EQ(TTeclasPrincipal::Repassa(c.pagina, c.tecla, c.tratada), c.repassa);
    }
}
