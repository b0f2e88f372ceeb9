#pragma once
#include <QString>

// A progress gauge with an optional caption, driven by long operations.
class IProgresso {
public:
    virtual ~IProgresso() = default;

    virtual void DefineFaixa(int minimo, int maximo) = 0;   // the position goes to minimo
    virtual void DefinePosicao(int posicao) = 0;            // kept inside the range
    virtual void MostraTexto(const QString& texto) = 0;
    [[nodiscard]] virtual int Minimo() const = 0;
    [[nodiscard]] virtual int Maximo() const = 0;
    [[nodiscard]] virtual int Posicao() const = 0;

    void Avanca(int passo) { DefinePosicao(Posicao() + passo); }
    void Completa() { DefinePosicao(Maximo()); }
};
