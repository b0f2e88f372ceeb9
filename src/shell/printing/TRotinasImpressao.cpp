#include "shell/printing/TRotinasImpressao.h"

#include <QFile>
#include <QScopeGuard>

#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "platform/files/TPastas.h"

namespace {

// Calls the routine when the program gave one.
template <class TRotina, class... TArgumentos> void Chama(const TRotina& rotina, TArgumentos&&... argumentos)
{
    if (rotina)
        rotina(std::forward<TArgumentos>(argumentos)...);
}

bool TemBeneficiarios(TPruv& pruv)
{
    return pruv.GetResumo().TOT_BENEF().GetValorPositivo() > 0;
}

}   // namespace

void DespachaImpressao(const TPedidoImpressao& pedido, TPruv& pruv, TColecaoPruv& colecao,
                       const TRotinasImpressao& rotinas)
{
    const int codigo = pedido.Codigo;
    // The first code of each pair previews: odd below 10, even from 10 on.
    const bool visualiza = codigo % 2 == (codigo < 10 ? 1 : 0);
    switch (codigo) {
    case 1:
    case 2:
    case 3:
    case 4:
        Chama(rotinas.ImprimeRelatoBenefPorCodigo, pruv, colecao, visualiza, codigo >= 3);
        break;
    case 5:
    case 6:
        Chama(rotinas.ImprimeRelatoListaBenef, pruv, colecao, visualiza);
        break;
    case 7:
    case 8:
        Chama(rotinas.ImprimeRelatoGerencial, colecao, visualiza);
        break;
    case 10:
    case 11:
        Chama(rotinas.ImprimeRelatoDeclaracao, pruv, colecao, visualiza);
        break;
    case 12: {
        // The receipt data that the printing unpacked do not outlive it.
        const QString reciboIni = TPastas::Dados() + QStringLiteral("/Recibo.ini");
        const auto apaga = qScopeGuard([&reciboIni] { QFile::remove(reciboIni); });
        Chama(rotinas.ImprimeRecibo, pedido.Arquivos, false, QString());
        break;
    }
    case 14:
    case 15:
        if (TemBeneficiarios(pruv))
            Chama(rotinas.ImprimeComprovantes, pruv, QString(), visualiza);
        break;
    case 18:
    case 19:
        if (TemBeneficiarios(pruv))
            Chama(rotinas.ImprimeComprovantes, pruv, pedido.Ni, visualiza);
        break;
    case 16:
    case 17:
        Chama(rotinas.ImprimePendencias, visualiza);
        break;
    case 20:
    case 21:
        Chama(rotinas.ImprimeRelatoTotalMensalCodigo, pruv, colecao, visualiza);
        break;
    default:
        break;
    }
}
