#pragma once
#include <QString>
#include <cstdint>

// The error line of one input line of an import: "Linha: " + its number + " - " and its
// messages, joined with "; ". Texts that start with a blank (the value messages of the delivery
// layout) are appended as they are.
class TMensagemLinha final {
public:
    explicit TMensagemLinha(int Numero = 0)
        : FNumero(Numero)
    {}

    // A message already worded (with its final point).
    void Adiciona(const QString& Mensagem);
    // The message of Codigo: formatted with Parametro when there is one, else its text and a
    // stop unless it ends in one or in "?".
    void AdicionaCodigo(std::uint8_t Codigo, const QString& Parametro = QString());
    void AdicionaTrecho(const QString& Trecho);

    [[nodiscard]] bool Vazia() const { return FTexto.isEmpty(); }
    [[nodiscard]] const QString& Texto() const { return FTexto; }
    [[nodiscard]] int Numero() const { return FNumero; }
    void Limpa() { FTexto.clear(); }

    [[nodiscard]] static QString Inicio(int Numero);   // "Linha: " + Numero + " - "

private:
    int FNumero;
    QString FTexto;
};
