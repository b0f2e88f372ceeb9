#pragma once
#include <QString>

// Receipt numbers of delivered declarations: a base of 10 digits followed by 2 check digits,
// shown as NN.NN.NN.NN.NN-NN. No state: every operation works on the text given.
class TNumeroRecibo final {
public:
    TNumeroRecibo() = delete;

    // 0 when texto is 12 digits whose last two are the check digits of the first ten and which
    // are not all zeros; otherwise the code of the message callers show for a bad number
    // (CodigoMensagem::ReciboInvalido), also for a shown form with its "." and "-" included.
    static int Valida(const QString& texto);
    // The two check digits of a 10-digit base; empty when base is not exactly 10 digits.
    static QString CalculaDV(const QString& base);
    // A 12-character text becomes its shown form, in place; any other length is left unchanged.
    static void Formata(QString& texto);
};
