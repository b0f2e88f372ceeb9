#pragma once
#include "platform/ui/IAtividade.h"
#include "platform/ui/TBombaDeEventos.h"

// Busy cursor as the application's override cursor; keep-alive through TBombaDeEventos, whose
// pumps hold the user's input back from the work's commands (TEntradaRetida).
class TAtividadeQt final : public IAtividade {
public:
    TAtividadeQt();
    ~TAtividadeQt() override;   // gives back a cursor still held

    void IniciaOcupado() override;
    void TerminaOcupado() override;
    void MantemVivo() override { FBomba.Bombeia(); }

private:
    TBombaDeEventos FBomba;
    int FProfundidade = 0;
};
