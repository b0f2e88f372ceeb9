#include "reports/printing/ComandosImpressao.h"

#include "assistants/verification/TFoPendencias.h"
#include "reports/receipt/ImprimeRecibo.h"
#include "reports/printing/TFoAssistRelatorios.h"
#include "reports/statements/TFoImprComprovante.h"
#include "reports/listings/TFoRelatoBenefPorCodigo.h"
#include "reports/listings/TFoRelatoDeclaracao.h"
#include "reports/listings/TFoRelatoGerencial.h"
#include "reports/listings/TFoRelatoListaBenef.h"
#include "reports/listings/TFoRelatoTotalMensalCodigo.h"

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
