#pragma once
#include <array>
#include <memory>

#include "shell/assistant/TEstado.h"

// Modal results of an assistant.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// The stepping of an assistant, without its widgets: the numbered steps, the step being shown,
// and what Voltar, Avançar, Concluir and Cancelar do. TFormAssist puts it on a form; the
// concrete assistants supply the pages (MostraPagina) and the work of each step (ExecutaEtapa).
//
// Step numbers: 1..NumEstados are steps, 0 ends with mrOk, -1 ends with mrCancel.
class TAssistente {
public:
    static constexpr int MaxEstados = 15;
    static constexpr int BotaoAvancar = 3;
    static constexpr int BotaoConcluir = 4;

    TAssistente() = default;
    virtual ~TAssistente();
    TAssistente(const TAssistente&) = delete;
    TAssistente& operator=(const TAssistente&) = delete;

    // Ends the assistant when it is cancelled or at step 0 or -1; otherwise executes step Atual
    // (nothing when Atual names no step).
    virtual void Processa();
    // The check of the page being left before an Avançar or Concluir takes effect; a concrete
    // assistant that answers false has shown its own message.
    virtual bool PodeAvancar(int etapa);
    // The form owns the step. Raises std::logic_error beyond MaxEstados.
    virtual void AdicionaEstado(std::unique_ptr<TEstado> e);
    // Shows page n and sets the buttons for it; keeps PaginaAtual.
    virtual void MostraPagina(int n) = 0;
    virtual void Cancela();
    // The work of step n; answers success.
    virtual bool ExecutaEtapa(int n) = 0;
    virtual void SetFalhouAtual(bool b);

    // The button procedures. Avança and Voltar are ignored while one of them runs (a step may
    // pump events) and once the assistant has ended; Cancelar is accepted while a step runs, and
    // the running step and the advance that started it stop at the next check of Cancelado.
    void Avanca(int codigo);
    void Retorna();
    void Cancelar();

    [[nodiscard]] int Atual() const { return FAtual; }
    [[nodiscard]] int NumEstados() const { return FNumEstados; }
    [[nodiscard]] int PaginaAtual() const { return FPaginaAtual; }
    [[nodiscard]] bool Cancelado() const { return FCancelado; }
    [[nodiscard]] bool Ocupado() const { return FOcupado; }
    [[nodiscard]] TEstado* EstadoAtual() const { return FEstadoAtual; }
    // The step numbered n, nullptr when there is none.
    [[nodiscard]] TEstado* Estado(int n) const;
    // 0 while the assistant runs, then mrOk or mrCancel.
    [[nodiscard]] int ModalResult() const { return FModalResult; }

protected:
    void SetPaginaAtual(int n) { FPaginaAtual = n; }
    // Whether the advance that runs goes on from the new step without a click; a step's work may
    // stop it.
    void SetRepetir(bool b) { FRepetir = b; }
    // Closes the form with the result; called once.
    virtual void Termina(int resultado) = 0;

private:
    void Conclui(int resultado);
    [[nodiscard]] bool Terminado() const { return FModalResult != 0; }

    bool FOcupado = false;
    bool FCancelandoAgora = false;
    bool FRepetir = false;
    int FPaginaAtual = 1;
    bool FCancelado = false;
    TEstado* FEstadoAtual = nullptr;   // one of FEstados
    int FAtual = 1;
    int FNumEstados = 0;
    std::array<std::unique_ptr<TEstado>, MaxEstados + 1> FEstados;   // [0] unused
    int FModalResult = 0;
};
