#pragma once
#include <QString>

// The text forms of the delivery file's fields: whole values, totals, amounts read from a record
// line and names as the file carries them.

// The whole part of Valor (its first 15 significant digits, as the value is printed), with "0"
// in front up to Tamanho characters; never an exponent.
QString FormataValor(int Tamanho, double Valor);
// A + B rounded to Precisao significant digits and then to Decimais decimals, as it reads back
// from its fixed-point text. Raises std::runtime_error "Erro na totalização dos valores." when
// the sum is not a finite number.
double SomaValores(int Precisao, int Decimais, double A, double B);
// The field of Tamanho characters at position Inicio (from 1) of a record line, of which only
// the first 15 count. A field of digits is read as cents and given as "1234,56"; any other
// field, and an empty one, is given as it is.
QString ExtraiValor(const QString& Linha, int Inicio, int Tamanho);
// A name or text as the delivery file carries it: trimmed, upper case, the Portuguese accents
// and the cedilla taken off, runs of blanks made one; with TrocaPontuacao the apostrophe and the
// full stop become blanks.
QString NormalizaTexto(const QString& Texto, bool TrocaPontuacao);
