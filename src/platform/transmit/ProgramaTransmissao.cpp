#include "platform/transmit/ProgramaTransmissao.h"

#include "platform/transmit/TCarregadorTransmissao.h"

namespace {
ICarregadorTransmissao* carregadorAtual = nullptr;
}

namespace ProgramaTransmissao {

ICarregadorTransmissao& Carregador()
{
    static TCarregadorTransmissao padrao;
    return carregadorAtual ? *carregadorAtual : padrao;
}

ICarregadorTransmissao* Instala(ICarregadorTransmissao* carregador)
{
    ICarregadorTransmissao* anterior = carregadorAtual;
    carregadorAtual = carregador;
    return anterior;
}

}   // namespace ProgramaTransmissao
