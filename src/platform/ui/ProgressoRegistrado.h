#pragma once
#include <QStringList>
#include <vector>

#include "platform/ui/IProgresso.h"
#include "platform/ui/TFaixaProgresso.h"

// Test double of a progress gauge: keeps every position and caption it was given.
class ProgressoRegistrado final : public IProgresso {
public:
    void DefineFaixa(int minimo, int maximo) override;
    void DefinePosicao(int posicao) override;
    void MostraTexto(const QString& texto) override { FTextos << texto; }
    [[nodiscard]] int Minimo() const override { return FFaixa.Minimo; }
    [[nodiscard]] int Maximo() const override { return FFaixa.Maximo; }
    [[nodiscard]] int Posicao() const override { return FFaixa.Posicao; }

    [[nodiscard]] const std::vector<int>& Posicoes() const { return FPosicoes; }
    [[nodiscard]] const QStringList& Textos() const { return FTextos; }

private:
    TFaixaProgresso FFaixa;
    std::vector<int> FPosicoes;
    QStringList FTextos;
};
