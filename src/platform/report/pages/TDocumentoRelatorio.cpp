#include "platform/report/pages/TDocumentoRelatorio.h"

#include <stdexcept>

TDocumentoRelatorio::TDocumentoRelatorio(const TPapel& papel, int primeiraPagina, bool guardaPaginas)
    : FPapel(papel)
    , FPrimeiraPagina(primeiraPagina)
    , FGuardaPaginas(guardaPaginas)
{}

const QPicture& TDocumentoRelatorio::Pagina(int indice) const
{
    if (indice < 1 || indice > Quantidade())
        throw std::out_of_range("Página inexistente no documento do relatório");
    return FPaginas[std::size_t(indice - 1)];
}

void TDocumentoRelatorio::AdicionaPagina(const QPicture& pagina)
{
    ++FRecebidas;
    if (FGuardaPaginas)
        FPaginas.push_back(pagina);
    emit PaginaPronta(FRecebidas, pagina);
}

void TDocumentoRelatorio::Termina(bool cancelado)
{
    FTerminado = true;
    FCancelado = cancelado;
    emit Terminou();
}
