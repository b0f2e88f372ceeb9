#pragma once
#include <QString>
#include <QtGlobal>

// Free routines that every part of the program calls: folders, the free-space check, text
// tests and filling, and the text forms of the delivery file's fields.

// Folders, each without a trailing separator.
QString DiretorioPrograma();
QString DiretorioDados();        // DiretorioPrograma() + "/DADOS": the database of every table
QString DiretorioTemporario();   // DiretorioPrograma() + "/DADOS/TEMP"
// Removes every trailing separator ("/", and "\" as written by older files).
QString RetiraBarraFinal(const QString& Caminho);

// Fewer free bytes than this on the volume of the data folder put the database at risk.
constexpr qint64 EspacoMinimoEmDisco = 56200;
// Raises EEspacoEmDiscoError (150, error, OK) when the volume of the data folder has fewer than
// EspacoMinimoEmDisco free bytes or cannot tell how many it has.
void VerificaEspacoEmDisco();

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

// The name of a month, 1 to 12, and "13º" for 13 (the 13th salary); empty for anything else.
QString Meses(int Mes);
