#include "reports/receipt/CarregaBibliotecaAssinatura.h"

#include "model/values/PastasPrograma.h"
#include "model/values/TratamentoTexto.h"
#include "platform/transmit/ProgramaTransmissao.h"
#include "platform/transmit/TInstalacaoTransmissao.h"

std::unique_ptr<IBibliotecaAssinatura> CarregaBibliotecaAssinatura()
{
    constexpr int UltimaVersaoComAssinatura = 2002;
    ICarregadorTransmissao& carregador = ProgramaTransmissao::Carregador();
    std::unique_ptr<IBibliotecaAssinatura> biblioteca;
    const TInstalacaoTransmissao instalacao(carregador.PastaSistema());
    if (instalacao.Existe()) {
        const QString versao = instalacao.VersaoTexto().left(4);
        if (!versao.isEmpty() && SoNumeros(versao) && versao.toInt() <= UltimaVersaoComAssinatura)
            biblioteca = carregador.CarregaAssinatura(instalacao.Path());
    }
    if (!biblioteca)
        biblioteca = carregador.CarregaAssinatura(DiretorioPrograma());
    return biblioteca;
}

IBibliotecaAssinatura* TAssinaturaSobDemanda::Obtem()
{
    if (!FProcurada) {
        FProcurada = true;
        FBiblioteca = CarregaBibliotecaAssinatura();
    }
    return FBiblioteca.get();
}
