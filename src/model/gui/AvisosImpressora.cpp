#include "model/gui/AvisosImpressora.h"

#include <QPrinter>
#include <cstdint>

#include "model/values/TErro.h"
#include "platform/report/IImpressoras.h"

namespace {

constexpr std::uint8_t ErroGravacao = 159;
constexpr std::uint8_t SemImpressora = 161;

void AvisaSemImpressora()
{
    TErro(SemImpressora, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
}

}  // namespace

bool ExisteImpressoraOuAvisa()
{
    if (Impressoras::Atual().ExisteImpressora())
        return true;
    AvisaSemImpressora();
    return false;
}

std::unique_ptr<QPrinter> CriaImpressoraOuAvisa(const QString& Titulo)
{
    std::unique_ptr<QPrinter> impressora = Impressoras::Atual().CriaImpressora(Titulo);
    if (!impressora)
        AvisaSemImpressora();
    return impressora;
}

void AvisaImpressaoRecusada(const QPrinter& Impressora)
{
    if (Impressora.outputFormat() == QPrinter::PdfFormat)
        TErro(ErroGravacao, Impressora.outputFileName(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
    else
        AvisaSemImpressora();
}
