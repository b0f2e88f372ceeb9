#include "platform/ui/InterfaceUsuario.h"

#include <stdexcept>

namespace {

class TDialogosAusentes final : public IDialogos {
public:
    Resposta Mostra(const TMensagemDialogo& mensagem) override
    {
        throw std::logic_error("no dialog implementation installed for: " + mensagem.Texto.toStdString());
    }
};

class TAtividadeNula final : public IAtividade {
public:
    void IniciaOcupado() override {}
    void TerminaOcupado() override {}
    void MantemVivo() override {}
};

TDialogosAusentes dialogosAusentes;
TAtividadeNula atividadeNula;
IDialogos* dialogosAtuais = nullptr;
IAtividade* atividadeAtual = nullptr;

}   // namespace

namespace InterfaceUsuario {

IDialogos& Dialogos()
{
    return dialogosAtuais ? *dialogosAtuais : dialogosAusentes;
}

IAtividade& Atividade()
{
    return atividadeAtual ? *atividadeAtual : atividadeNula;
}

IDialogos* Instala(IDialogos* dialogos)
{
    IDialogos* anterior = dialogosAtuais;
    dialogosAtuais = dialogos;
    return anterior;
}

IAtividade* Instala(IAtividade* atividade)
{
    IAtividade* anterior = atividadeAtual;
    atividadeAtual = atividade;
    return anterior;
}

Resposta Mostra(const QString& texto, TipoDialogo tipo, std::uint16_t botoes, int helpCtx, int referencia)
{
    return Dialogos().Mostra(TMensagemDialogo{texto, tipo, botoes, helpCtx, referencia});
}

}   // namespace InterfaceUsuario
