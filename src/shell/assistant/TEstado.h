#pragma once

class TAssistente;

// One step of an assistant: it shows its page, does its work when entered and, from the button
// pressed, names the step that comes next. Concrete steps override Processa and Evento only.
class TEstado {
public:
    TEstado(TAssistente& form, int pagina);   // form owns the step and outlives it
    virtual ~TEstado() = default;
    TEstado(const TEstado&) = delete;
    TEstado& operator=(const TEstado&) = delete;

    // The work of the step when it is entered; concrete steps call the form's ExecutaEtapa.
    virtual void Processa() {}
    [[nodiscard]] virtual bool Valido() const { return !FFalhou; }
    // Called once when the step is entered while it is not valid.
    virtual void Corrige() {}
    virtual void Mostra();
    [[nodiscard]] virtual int Anterior() const { return FAnterior; }
    virtual void SetAnterior(int n) { FAnterior = n; }
    [[nodiscard]] virtual int Proximo() const { return FProximo; }
    // Reacts to a button (TAssistente::BotaoAvancar or BotaoConcluir) by choosing Proximo:
    // a step number, 0 to finish with success or -1 to cancel. Answers true when the form must
    // advance once more from the new step without waiting for a click.
    virtual bool Evento(int codigo) = 0;
    // Shows the page and does the work. A step that is not valid and that Corrige does not
    // mend stays on its page without doing its work.
    virtual void Executa();
    virtual void SetFalhou(bool b) { FFalhou = b; }

    [[nodiscard]] int Pagina() const { return FPagina; }

protected:
    [[nodiscard]] TAssistente& Form() const { return FForm; }
    void SetProximo(int n) { FProximo = n; }

private:
    bool FFalhou = false;
    TAssistente& FForm;   // not owned
    int FAnterior = 0;
    int FPagina;
    int FProximo = 0;
};
