#include "exchange/TPergunta.h"

#include "platform/ui/InterfaceUsuario.h"

Resposta PerguntaAoUsuario(const QString& Texto, std::uint16_t Botoes)
{
    return InterfaceUsuario::Mostra(Texto, TipoDialogo::Confirmacao, Botoes);
}

Resposta PerguntaPor(const TPergunta& Pergunta, const QString& Texto, std::uint16_t Botoes)
{
    return Pergunta ? Pergunta(Texto, Botoes) : PerguntaAoUsuario(Texto, Botoes);
}
