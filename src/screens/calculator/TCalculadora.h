#pragma once
#include <QChar>
#include <QString>
#include <vector>

// The desk calculator's arithmetic, without a window: the number being typed, the pending
// operation, the memory and the paper tape, and the text of its 13-digit display. Results above
// 99.999.999.999,99 and division by zero put it into its error state ("Erro" on the display,
// "** Erro **" on the tape); the next digit starts afresh.
class TCalculadora final {
public:
    // Decimal places of a result: two, four, or as many as it has (up to nine).
    enum class TCasas { Fixa2, Fixa4, Livre };
    struct TLinhaFita {
        QString Texto;
        QString Sinal;   // the key that ended the line: "+", "=", "M", "C"... or blank
        friend bool operator==(const TLinhaFita&, const TLinhaFita&) = default;
    };

    static constexpr int DigitosVisor = 13;

    TCalculadora();

    void Digito(int d);
    void Virgula();
    // '+', '-', 'x' or '/'.
    void Operacao(QChar sinal);
    void Resultado();
    void TrocaSinal();
    void CE();
    void AC();
    void MC();
    void MR();
    void MSoma();
    void MSubtrai();
    // A key typed (taken in upper case): after "M", "+", "-", "C" and "R" are the memory keys;
    // otherwise backspace CE, Enter and "=" the result, Esc and "C" AC, "*" "+" "-" "/" the
    // operations, "," and "." the comma, digits, "S" the sign, "M" the memory. False for a key
    // that means nothing to the calculator.
    bool Tecla(QChar c);
    // An amount brought to the display: it becomes the number being typed.
    void RecebeValor(long double valor);
    void SetCasas(TCasas casas);

    [[nodiscard]] const QString& Visor() const { return FVisor; }
    [[nodiscard]] bool Erro() const { return FErro; }
    [[nodiscard]] bool Negativo() const { return FNegativo; }
    // The pending operation's sign while its indicator is shown, else null.
    [[nodiscard]] QChar Indicador() const { return FIndicador; }
    [[nodiscard]] bool MemoriaVisivel() const { return FMemoriaVisivel; }
    [[nodiscard]] bool ModoMemoria() const { return FModoMemoria; }
    // The digits and comma of the number shown: what a drag or a copy carries.
    [[nodiscard]] const QString& Entrada() const { return FEntrada; }
    [[nodiscard]] long double Valor() const { return FValor; }
    [[nodiscard]] long double Memoria() const { return FMemoria; }
    [[nodiscard]] const std::vector<TLinhaFita>& Fita() const { return FFita; }

    // The display's text of a value: digits grouped by "." with "," and its decimals, "-" in
    // front of a negative one. While typing, as many decimals as the entry has; for a result,
    // by casas. Decimals are cut so that every digit fits the 13 cells. erro: the value has
    // more than 11 integer digits.
    [[nodiscard]] static QString TextoVisor(long double valor, bool digitando, const QString& entrada, TCasas casas,
                                            bool& erro);
    // The value written as a number: up to 15 significant digits, "," for the decimals.
    [[nodiscard]] static QString ComoNumero(long double valor);
    // The number of an entry; 0 for an empty one.
    [[nodiscard]] static long double Numero(const QString& entrada);

private:
    void Atualiza(bool digitando);
    bool Executa();
    void Anota(const QString& texto, const QString& sinal);

    QString FEntrada;
    long double FValor = 0;
    long double FAcumulador = 0;
    QChar FPendente;
    bool FMarca = false;   // the next digit starts a new number
    long double FMemoria = 0;
    bool FModoMemoria = false;
    TCasas FCasas = TCasas::Fixa2;
    QString FVisor = QStringLiteral("0");
    bool FErro = false;
    bool FNegativo = false;
    QChar FIndicador;
    bool FMemoriaVisivel = false;
    std::vector<TLinhaFita> FFita;
};
