#include "model/items/TCompensacao.h"

void TCompensacao::Limpa()
{
    LimpaCompensacaoAno();
    LimpaCompensacaoAnosAnteriores();
}

void TCompensacao::Copia(TCompensacao& Destino) const
{
    Destino.FAno.CopiaDe(FAno);
    Destino.FAnosAnteriores.CopiaDe(FAnosAnteriores);
}

bool TCompensacao::GetAlterado() const
{
    if (!FAlterado)
        FAlterado = FAno.Alterada() || FAnosAnteriores.Alterada();
    return FAlterado;
}

void TCompensacao::SetAlterado(bool Alterado)
{
    FAno.SetAlterado(Alterado);
    FAnosAnteriores.SetAlterado(Alterado);
    FAlterado = Alterado;
}
