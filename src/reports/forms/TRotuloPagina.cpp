#include "reports/forms/TRotuloPagina.h"

QString TRotuloPagina::TextoImpresso(const TContextoImpressao& contexto) const
{
    const int pagina = Deslocamento + contexto.Pagina;
    const int total = Total > 0 ? Total : contexto.TotalPaginas;
    if (total <= 0)
        return QStringLiteral("Página %1").arg(pagina);
    return QStringLiteral("Página %1 de %2").arg(pagina).arg(total);
}
