#include "reports/RotinasImpressao.h"

#include "assistants/TFoPendencias.h"
#include "reports/ImprimeRecibo.h"
#include "reports/TFoAssistRelatorios.h"
#include "reports/TFoImprComprovante.h"
#include "reports/TFoRelatoBenefPorCodigo.h"
#include "reports/TFoRelatoDeclaracao.h"
#include "reports/TFoRelatoGerencial.h"
#include "reports/TFoRelatoListaBenef.h"
#include "reports/TFoRelatoTotalMensalCodigo.h"

namespace {

// The report of the open pending-items window, previewed or printed as its print button does.
void ImprimePendencias(bool Visualiza)
{
    TFoPendencias* janela = FoPendencias();
    if (!janela)
        return;
    janela->FrPruvVerifica->Visualizar = Visualiza;
    janela->FrPruvVerifica->Imprime(Visualiza);
}

}   // namespace

TRotinasImpressao RotinasImpressao()
{
    TRotinasImpressao rotinas;
    rotinas.ExecutaAssistRelatorios = ExecutaAssistRelatorios;
    rotinas.ImprimeRelatoBenefPorCodigo = ImprimeRelatoBenefPorCodigo;
    rotinas.ImprimeRelatoListaBenef = ImprimeRelatoListaBenef;
    rotinas.ImprimeRelatoGerencial = ImprimeRelatoGerencial;
    rotinas.ImprimeRelatoDeclaracao = ImprimeRelatoDeclaracao;
    rotinas.ImprimeComprovantes = [](const TPruv& pruv, const QString& ni, bool visualiza) {
        TFoImprComprovante::ImprimeComprovantes(pruv, ni, visualiza);
    };
    rotinas.ImprimePendencias = ImprimePendencias;
    rotinas.ImprimeRelatoTotalMensalCodigo = ImprimeRelatoTotalMensalCodigo;
    rotinas.ImprimeRecibo = ImprimeRecibo;
    return rotinas;
}
