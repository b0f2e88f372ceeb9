#include "model/codes/TCodigoRetencao.h"

void TCodigoRetencao::Limpa()
{
    FCodigo.clear();
    FAno.clear();
    FPfPjAmbos.clear();
    FResumo.clear();
    FRegime.clear();
    FComprovante.clear();
    FDeducao = false;
    FIn4 = false;
    FSubJudice = false;
}
