#include "platform/ui/DialogosRoteirizados.h"

#include <stdexcept>

#include "platform/ui/InterfaceUsuario.h"

DialogosRoteirizados::DialogosRoteirizados()
    : FAnterior(InterfaceUsuario::Instala(this))
{}

DialogosRoteirizados::~DialogosRoteirizados()
{
    InterfaceUsuario::Instala(FAnterior);
}

void DialogosRoteirizados::Responde(Resposta resposta)
{
    FRespostas.push_back(resposta);
}

Resposta DialogosRoteirizados::Mostra(const TMensagemDialogo& mensagem)
{
    FMensagens.push_back(mensagem);
    if (FAoMostrar)
        FAoMostrar(mensagem);
    const std::uint16_t botoes = mensagem.Botoes & ~Botao::Ajuda;
    if (botoes == Botao::Ok) {
        if (!FRespostas.empty() && FRespostas.front() == Resposta::Ok)
            FRespostas.pop_front();
        return Resposta::Ok;
    }
    if (FRespostas.empty())
        throw std::logic_error("unscripted question: " + mensagem.Texto.toStdString());
    const Resposta resposta = FRespostas.front();
    if ((BotaoDaResposta(resposta) & botoes) == 0)
        throw std::logic_error("scripted answer is not a button of: " + mensagem.Texto.toStdString());
    FRespostas.pop_front();
    return resposta;
}

QStringList DialogosRoteirizados::Textos() const
{
    QStringList textos;
    for (const auto& m : FMensagens)
        textos << m.Texto;
    return textos;
}

std::vector<int> DialogosRoteirizados::Codigos() const
{
    std::vector<int> codigos;
    for (const auto& m : FMensagens)
        codigos.push_back(m.Referencia);
    return codigos;
}

void DialogosRoteirizados::Limpa()
{
    FMensagens.clear();
    FRespostas.clear();
}
