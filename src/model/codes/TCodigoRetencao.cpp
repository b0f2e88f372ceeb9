#include "model/codes/TCodigoRetencao.h"

namespace {

// A code checked again after it was loaded shares every text with the table's row: that case is
// settled without reading the letters.
bool Igual(const QString& A, const QString& B)
{
    return (A.constData() == B.constData() && A.size() == B.size()) || A == B;
}

}   // namespace

bool TCodigoRetencao::operator==(const TCodigoRetencao& Outro) const
{
    return Igual(FCodigo, Outro.FCodigo) && Igual(FAno, Outro.FAno) && Igual(FPfPjAmbos, Outro.FPfPjAmbos)
        && Igual(FResumo, Outro.FResumo) && Igual(FRegime, Outro.FRegime) && Igual(FComprovante, Outro.FComprovante)
        && Igual(FAnexo, Outro.FAnexo) && FDeducao == Outro.FDeducao && FIn4 == Outro.FIn4
        && FSubJudice == Outro.FSubJudice;
}

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
