#include "platform/report/printing/TSaidaRelatorio.h"

#include <QPrinter>
#include <algorithm>
#include <memory>

#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/printing/TImpressaoPaginas.h"
#include "platform/report/printing/TImpressorasSistema.h"
#include "platform/report/bands/TRelatorio.h"

bool TSaidaRelatorio::ImprimePaginas(const TDocumentoRelatorio& documento, QPrinter& impressora, int de, int ate)
{
    de = std::max(de, 1);
    ate = std::min(ate, documento.Quantidade());
    TImpressaoPaginas impressao(impressora, documento.Papel(), impressora.docName());
    for (int i = de; i <= ate; ++i)
        if (!impressao.Pagina(documento.Pagina(i)))
            return false;
    return impressao.Conclui();
}

bool TSaidaRelatorio::ExportaPdf(const TDocumentoRelatorio& documento, const QString& caminho)
{
    const auto impressora = TImpressorasSistema::ImpressoraPdf(caminho);
    return ImprimePaginas(documento, *impressora, 1, documento.Quantidade());
}

bool TSaidaRelatorio::Imprime(TRelatorio& relatorio, QPrinter& impressora)
{
    TImpressaoPaginas impressao(impressora, relatorio.Papel(), relatorio.Titulo);
    if (!relatorio.Inicia(false))
        return false;
    bool enviadas = true;
    QObject::connect(relatorio.Documento(), &TDocumentoRelatorio::PaginaPronta,
                     [&impressao, &enviadas, &relatorio](int, const QPicture& pagina) {
                         if (!impressao.Pagina(pagina)) {
                             enviadas = false;
                             relatorio.Cancela();   // no use generating what cannot go out
                         }
                     });
    relatorio.Continua(0);
    if (!enviadas || relatorio.Documento()->Cancelado()) {
        impressao.Abandona();
        return false;
    }
    return impressao.Conclui();
}

bool TSaidaRelatorio::ExportaPdf(TRelatorio& relatorio, const QString& caminho)
{
    const auto impressora = TImpressorasSistema::ImpressoraPdf(caminho);
    return Imprime(relatorio, *impressora);
}
