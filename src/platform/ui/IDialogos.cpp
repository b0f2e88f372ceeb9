#include "platform/ui/IDialogos.h"

std::uint16_t BotaoDaResposta(Resposta resposta)
{
    switch (resposta) {
    case Resposta::Nenhuma:
        return 0;
    case Resposta::Ok:
        return Botao::Ok;
    case Resposta::Cancela:
        return Botao::Cancela;
    case Resposta::Aborta:
        return Botao::Aborta;
    case Resposta::Repete:
        return Botao::Repete;
    case Resposta::Ignora:
        return Botao::Ignora;
    case Resposta::Sim:
        return Botao::Sim;
    case Resposta::Nao:
        return Botao::Nao;
    case Resposta::Todos:
        return Botao::Todos;
    case Resposta::NaoParaTodos:
        return Botao::NaoParaTodos;
    case Resposta::SimParaTodos:
        return Botao::SimParaTodos;
    }
    return 0;
}
