#pragma once
#include <QStringList>
#include <vector>

#include "platform/ui/IProgresso.h"

// Test double of a progress gauge: keeps every position and caption it was given.
class ProgressoRegistrado final : public IProgresso {
public:
    void DefineFaixa(int minimo, int maximo) override;
    void DefinePosicao(int posicao) override;
    void MostraTexto(const QString& texto) override { FTextos << texto; }
    [[nodiscard]] int Minimo() const override { return FMinimo; }
    [[nodiscard]] int Maximo() const override { return FMaximo; }
    [[nodiscard]] int Posicao() const override { return FPosicao; }

    [[nodiscard]] const std::vector<int>& Posicoes() const { return FPosicoes; }
    [[nodiscard]] const QStringList& Textos() const { return FTextos; }

private:
    int FMinimo = 0;
    int FMaximo = 100;
    int FPosicao = 0;
    std::vector<int> FPosicoes;
    QStringList FTextos;
};
