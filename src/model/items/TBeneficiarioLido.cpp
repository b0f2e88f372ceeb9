#include "model/items/TBeneficiarioLido.h"

#include "model/people/TBeneficiarioPruv.h"

bool TBeneficiarioLido::Mantem(const TBeneficiarioPruv& Beneficiario, const TColunas& Linha) const
{
    if (FObjeto != &Beneficiario || Beneficiario.GetAlterado())
        return false;
    for (int c = 0; c < Colunas; ++c) {
        const QByteArrayView coluna = Linha[c];
        if ((coluna.data() == nullptr) != FNulas[c] || coluna != QByteArrayView(FColunas[c]))
            return false;
    }
    // A setter followed by a reset of the flag (a save) leaves the flag clear: the values tell.
    return Beneficiario.GetNi() == FNi && Beneficiario.Nome().GetTexto() == FNome;
}

void TBeneficiarioLido::Registra(const TBeneficiarioPruv& Beneficiario, const TColunas& Linha)
{
    for (int c = 0; c < Colunas; ++c) {
        FNulas[c] = Linha[c].data() == nullptr;
        FColunas[c].assign(Linha[c].data() ? Linha[c].data() : "", static_cast<std::size_t>(Linha[c].size()));
    }
    FNi = Beneficiario.GetNi();
    FNome = Beneficiario.Nome().GetTexto();
    FObjeto = &Beneficiario;
}
