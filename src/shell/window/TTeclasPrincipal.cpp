#include "shell/window/TTeclasPrincipal.h"

namespace {

using P = TPaginaDeclaracao;
using T = TAcaoTecla::TTipo;

TAcaoTecla Botao(const char* nome)
{
    return {T::Botao, nome};
}

// Record moves of the beneficiaries, annex and statement pages.
TAcaoTecla Navegacao(int tecla)
{
    switch (tecla) {
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        return Botao("BbPrior");
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        return Botao("BbNext");
    case Qt::Key_Home:
        return Botao("BbFirst");
    case Qt::Key_End:
        return Botao("BbLast");
    default:
        return {};
    }
}

// Adding, deleting and undoing a row (of beneficiaries, or of funds when the fund panel holds
// the focus).
TAcaoTecla Edicao(int tecla, bool teclado, bool fundo)
{
    if (tecla == Qt::Key_Insert || (teclado && tecla == Qt::Key_Plus))
        return Botao(fundo ? "BbAddFundo" : "BbAdd");
    if (tecla == Qt::Key_Delete || (teclado && tecla == Qt::Key_Minus))
        return Botao(fundo ? "BbDeleteFundo" : "BbDelete");
    if (tecla == Qt::Key_Backspace)
        return Botao(fundo ? "BbDesfazerFundo" : "BbDesfazer");
    return {};
}

}   // namespace

namespace TTeclasPrincipal {

TAcaoTecla Acao(TPaginaDeclaracao Pagina, int Tecla, bool Teclado, bool FocoNoFundo, bool Shift)
{
    if (Tecla == Qt::Key_R)
        return {T::Resumo, "TsResumo"};
    switch (Pagina) {
    case P::Comprovante:
        switch (Tecla) {
        case Qt::Key_N:
            return {T::Ficha, "NaturezaPJ"};
        case Qt::Key_M:
            return {T::Ficha, "InfComplementares"};
        case Qt::Key_L:
            return {T::Ficha, "InfComplementaresIN4"};
        case Qt::Key_Backspace:
            return Botao("BbCancel");
        default:
            return Navegacao(Tecla);
        }
    case P::Beneficiarios:
        if (TAcaoTecla acao = Navegacao(Tecla); acao.Tipo != T::Nenhuma)
            return acao;
        return Edicao(Tecla, Teclado, false);
    case P::Fundos:
        if (TAcaoTecla acao = Navegacao(Tecla); acao.Tipo != T::Nenhuma)
            return acao;
        // A new fund from the items too, without going to the fund panel first.
        if (Shift && (Tecla == Qt::Key_Insert || (Teclado && Tecla == Qt::Key_Plus)))
            return Botao("BbAddFundo");
        return Edicao(Tecla, Teclado, FocoNoFundo);
    case P::Informacoes:
    case P::Resumo:
        break;
    }
    return {};
}

bool Repassa(TPaginaDeclaracao Pagina, int Tecla, bool Tratada)
{
    return Tecla == Qt::Key_F4 || Pagina == P::Informacoes || Pagina == P::Resumo || !Tratada;
}

}   // namespace TTeclasPrincipal
