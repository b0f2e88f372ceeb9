#include "shell/assistant/TAssistente.h"

#include <QScopedValueRollback>
#include <stdexcept>

TAssistente::~TAssistente() = default;

TEstado* TAssistente::Estado(int n) const
{
    return n >= 1 && n <= FNumEstados ? FEstados[static_cast<std::size_t>(n)].get() : nullptr;
}

void TAssistente::Processa()
{
    if (FCancelado || FAtual == -1) {
        Conclui(mrCancel);
    } else if (FAtual == 0) {
        Conclui(mrOk);
    } else if (TEstado* estado = Estado(FAtual)) {
        FEstadoAtual = estado;
        estado->Executa();
    }
}

bool TAssistente::PodeAvancar(int /*etapa*/)
{
    return true;
}

void TAssistente::AdicionaEstado(std::unique_ptr<TEstado> e)
{
    if (!e)
        throw std::logic_error("assistant step missing");
    if (FNumEstados >= MaxEstados)
        throw std::logic_error("an assistant holds at most 15 steps");
    ++FNumEstados;
    FEstados[static_cast<std::size_t>(FNumEstados)] = std::move(e);
}

void TAssistente::Cancela()
{
    FCancelado = true;
}

void TAssistente::SetFalhouAtual(bool b)
{
    if (FEstadoAtual)
        FEstadoAtual->SetFalhou(b);
}

void TAssistente::Avanca(int codigo)
{
    if (FOcupado || FCancelado || Terminado())
        return;
    const QScopedValueRollback<bool> ocupado(FOcupado, true);
    do {
        if (!PodeAvancar(FAtual))
            return;
        const int origem = FAtual;
        FRepetir = false;
        if (TEstado* estado = Estado(FAtual)) {
            FRepetir = estado->Evento(codigo);
            FAtual = estado->Proximo();
        }
        if (TEstado* novo = Estado(FAtual))
            novo->SetAnterior(origem);
        Processa();
        // A Cancelar pumped during the step has ended the assistant: nothing more runs.
    } while (FRepetir && FAtual > 0 && !FCancelado && !Terminado());
}

void TAssistente::Retorna()
{
    if (FOcupado || FCancelado || Terminado())
        return;
    const TEstado* atual = Estado(FAtual);
    if (!atual)
        return;
    TEstado* anterior = Estado(atual->Anterior());
    if (!anterior)
        return;   // the first step has nothing behind it
    const QScopedValueRollback<bool> ocupado(FOcupado, true);
    FAtual = atual->Anterior();
    FEstadoAtual = anterior;
    anterior->Mostra();
}

void TAssistente::Cancelar()
{
    if (FCancelandoAgora || Terminado())
        return;
    const QScopedValueRollback<bool> cancelando(FCancelandoAgora, true);
    Cancela();
    Processa();
}

void TAssistente::Conclui(int resultado)
{
    if (Terminado())
        return;
    FModalResult = resultado;
    Termina(resultado);
}
