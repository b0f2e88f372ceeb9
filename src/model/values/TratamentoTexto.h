#pragma once
#include <QString>
#include <QtGlobal>

// Tests, words and filling of plain texts, and the names of the months.

// "0" to "9", no other digit of Unicode.
[[nodiscard]] bool EhDigito(QChar c);
// Every character is "0" to "9"; an empty text passes, a blank fails.
bool SoNumeros(QStringView Texto);
// Every character lies between "-" and "9": hyphen, full stop, slash and digits; an empty text passes.
bool SoNumerosESinais(const QString& Texto);
// Words are separated by runs of blanks.
int ContaPalavras(const QString& Texto);
// The N-th word, from 1; empty when there are fewer words.
QString ObtemPalavra(const QString& Texto, int N);

// The decimal number with "0" in front up to Tamanho characters; a longer number stays whole.
QString ZerosAEsquerda(qint64 Numero, int Tamanho);
// Cut to Tamanho characters, or filled with blanks on the right up to it.
QString CompletaBrancos(const QString& Texto, int Tamanho);
void RepeteCaractere(QString& Texto, int N, QChar Caractere);   // appends the character N times
void RetiraZerosEsquerda(QString& Texto);                       // "000" becomes empty

// The name of a month, 1 to 12, and "13º" for 13 (the 13th salary); empty for anything else.
QString Meses(int Mes);
