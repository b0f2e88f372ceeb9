#include "screens/pages/ComandosDeclaracao.h"

#include "screens/pages/TFoCalculaResumo.h"
#include "screens/pages/TFoNovaDeclaracao.h"
#include "screens/pages/TFrDeclaracao.h"
#include "shell/declarations/TFoAbreDeclaracao.h"
#include "shell/declarations/TFoExcluiDeclaracao.h"
#include "shell/window/TPruv2003.h"

void DefineRotinasDeclaracao(TRotinasPrincipal& Rotinas, QWidget* Dono)
{
    Rotinas.CriaFrDeclaracao = [](QWidget* dono) -> IFrDeclaracao* { return new TFrDeclaracao(dono); };
    Rotinas.AbreDeclaracao = [Dono](TPruv& pruv, TColecaoPruv& colecao, const QString& legenda) {
        return AbreDeclaracao(pruv, colecao, legenda, Dono);
    };
    Rotinas.NovaDeclaracao = [Dono](TPruv& pruv, TColecaoPruv& colecao) { return NovaDeclaracao(pruv, colecao, Dono); };
    Rotinas.CalculaResumo = [Dono](TPruv& pruv) { return TFoCalculaResumo::CalculaResumo(pruv, Dono); };
    Rotinas.ExcluiDeclaracoes = [Dono](TColecaoPruv& colecao) { return ExcluiDeclaracoes(colecao, Dono); };
}
