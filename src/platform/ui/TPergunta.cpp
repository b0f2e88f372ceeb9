#include "platform/ui/TPergunta.h"

#include "platform/ui/InterfaceUsuario.h"

Resposta PerguntaAoUsuario(const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes)
{
    return InterfaceUsuario::Mostra(Texto, Tipo, Botoes);
}

Resposta PerguntaPor(const TPergunta& Pergunta, const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes)
{
    return Pergunta ? Pergunta(Texto, Tipo, Botoes) : PerguntaAoUsuario(Texto, Tipo, Botoes);
}
