#include "model/statements/TQuadroTribExclusiva.h"

TQuadroTribExclusiva::TQuadroTribExclusiva()
{
    FLinha2.AdicionaSoma(FOutrosRendimentos);
}

void TQuadroTribExclusiva::Limpa()
{
    FLinha2.Limpa();
    FLinha1.Limpa();
    FOutrosRendimentos.Limpa();
    FLinha2.AdicionaSoma(FOutrosRendimentos);
}

void TQuadroTribExclusiva::SetAlterado(bool Alterado)
{
    FLinha1.SetAlterado(Alterado);
    FOutrosRendimentos.SetAlterado(Alterado);
    FAlterado = Alterado;
}
