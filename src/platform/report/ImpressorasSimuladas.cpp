#include "platform/report/ImpressorasSimuladas.h"

#include <QPrinter>

#include "platform/report/TImpressorasSistema.h"

ImpressorasSimuladas::ImpressorasSimuladas(QString pastaPdf)
    : FAnterior(Impressoras::Instala(this)), FPastaPdf(std::move(pastaPdf))
{
}

ImpressorasSimuladas::~ImpressorasSimuladas()
{
    Impressoras::Instala(FAnterior);
}

std::unique_ptr<QPrinter> ImpressorasSimuladas::CriaImpressora(const QString& nomeDocumento) const
{
    if (!Existe || !TImpressorasSistema::PastaGravavel(FPastaPdf))
        return nullptr;
    const QString arquivo = TImpressorasSistema::ArquivoLivre(FPastaPdf, nomeDocumento);
    FArquivos.append(arquivo);
    auto impressora = TImpressorasSistema::ImpressoraPdf(arquivo);
    impressora->setDocName(nomeDocumento);
    return impressora;
}
