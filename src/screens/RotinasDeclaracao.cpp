#include "screens/RotinasDeclaracao.h"

#include "screens/TFrDeclaracao.h"
#include "shell/TFoAbreDeclaracao.h"
#include "shell/TPruv2003.h"

void DefineRotinasDeclaracao(TRotinasPrincipal& Rotinas, QWidget* Dono)
{
    Rotinas.CriaFrDeclaracao = [](QWidget* dono) -> IFrDeclaracao* { return new TFrDeclaracao(dono); };
    Rotinas.AbreDeclaracao = [Dono](TPruv& pruv, TColecaoPruv& colecao, const QString& legenda) {
        return AbreDeclaracao(pruv, colecao, legenda, Dono);
    };
}
