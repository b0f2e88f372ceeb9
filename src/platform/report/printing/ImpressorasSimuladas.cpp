#include "platform/report/printing/ImpressorasSimuladas.h"

#include <QPrinter>

#include "platform/report/printing/TImpressorasSistema.h"

ImpressorasSimuladas::ImpressorasSimuladas(QString pastaPdf)
    : FAnterior(Impressoras::Instala(this))
    , FPastaPdf(std::move(pastaPdf))
{}

ImpressorasSimuladas::~ImpressorasSimuladas()
{
    Impressoras::Instala(FAnterior);
}

TEscolhaImpressora ImpressorasSimuladas::Escolha() const
{
    const QStringList instaladas = Instaladas();
    TEscolhaImpressora escolha = TImpressorasSistema::EscolhaValida(
        FEscolha, instaladas, instaladas.isEmpty() ? QString() : instaladas.constFirst());
    if (escolha.CodigoPapel == 0 && !escolha.Nome.isEmpty())
        escolha.CodigoPapel = CodigoPapel;
    return escolha;
}

int ImpressorasSimuladas::CodigoPapelPadrao() const
{
    if (Instaladas().isEmpty())
        return CodigoPapel;
    return Escolha().CodigoPapel;
}

std::unique_ptr<QPrinter> ImpressorasSimuladas::CriaImpressora(const QString& nomeDocumento) const
{
    if (!Existe || !TImpressorasSistema::PastaGravavel(FPastaPdf))
        return nullptr;
    const QString arquivo = TImpressorasSistema::ArquivoLivre(FPastaPdf, nomeDocumento);
    FArquivos.append(arquivo);
    auto impressora = TImpressorasSistema::ImpressoraPdf(arquivo);
    if (!Instaladas().isEmpty()) {
        const TEscolhaImpressora escolha = Escolha();
        TImpressorasSistema::AplicaEscolha(*impressora, escolha);
        FUsadas.append(escolha.Nome);
    } else {
        FUsadas.append(QString());
    }
    impressora->setDocName(nomeDocumento);
    return impressora;
}
