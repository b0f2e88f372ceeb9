#include "assistants/verification/TFoRelPendencias.h"

#include <QPrinter>
#include <QScopeGuard>
#include <memory>

#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "shell/common/AvisosImpressora.h"
#include "shell/common/PapelRelatorio.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "shell/printing/TFoPreview.h"
#include "shell/common/TDmGeral.h"

namespace {

TFoRelPendencias* Global = nullptr;

}   // namespace

TFoRelPendencias::TFoRelPendencias(TdvTable& Tabela, const TFrPruvVerifica* Verificacao)
    : FTabela(Tabela)
{
    FrRelPendencias.Tabela = &Tabela;
    FrRelPendencias.Verificacao = Verificacao;
    FrRelPendencias.DefineLogotipo(TDmGeral::Logotipo().toImage());
}

void TFoRelPendencias::Executa(bool Visualizar)
{
    TRelatorio& relatorio = FrRelPendencias.QrpPendencias;
    AjustaPapel(relatorio);
    // The report walks the rows: the list on the screen does not follow each one.
    FTabela.DisableControls();
    const auto devolve = qScopeGuard([this] { FTabela.EnableControls(); });
    if (Visualizar) {
        FrRelPendencias.Visualizando = true;
        VisualizaRelatorio(relatorio);
    } else {
        Imprime();
    }
}

void TFoRelPendencias::Imprime()
{
    TRelatorio& relatorio = FrRelPendencias.QrpPendencias;
    const std::unique_ptr<QPrinter> impressora = CriaImpressoraOuAvisa(relatorio.Titulo);
    if (!impressora)
        return;
    if (TSaidaRelatorio::Imprime(relatorio, *impressora))
        AvisaImpressaoConcluida(*impressora);
    else
        AvisaImpressaoRecusada(*impressora);
}

void ExibeRelPendencias(bool Visualizar, TdvTable& Tabela, const TFrPruvVerifica* Verificacao)
{
    if (Global != nullptr)
        return;
    if (!Tabela.Active() && !AbreTabela(Tabela))
        return;
    TFoRelPendencias formulario(Tabela, Verificacao);
    Global = &formulario;
    const auto libera = qScopeGuard([] { Global = nullptr; });
    formulario.Executa(Visualizar);
}

TFoRelPendencias* FoRelPendencias()
{
    return Global;
}
