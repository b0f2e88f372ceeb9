#pragma once
#include <QString>

#include "exchange/layout/LayoutDeclar.h"

// Fixed-column fields of the lines of the import files. Positions count from 1.

// The text without its trailing blanks (and any other control character there).
QString RetiraBrancosFinais(const QString& Texto);
// The size of that text, without making it.
qsizetype TamanhoSemBrancosFinais(const QString& Texto);
// TamanhoSemBrancosFinais(Texto) == 0, looked at from the front, where a line has its data.
bool SemConteudo(QStringView Texto);
// TamanhoSemBrancosFinais(Texto) > Tamanho, looking only beyond Tamanho.
bool PassaDe(QStringView Texto, qsizetype Tamanho);
// Tamanho characters from position Inicio; a line shorter than that reads as blanks, so that a
// cut line gives blank fields rather than shorter ones.
QString CampoLinha(const QString& Linha, int Inicio, int Tamanho);
// Whether the two lines hold the same field, as CampoLinha reads it, without making it.
bool MesmoCampo(QStringView Linha, QStringView Outra, int Inicio, int Tamanho);
// The character at position Posicao; a blank beyond the line.
QChar CaractereLinha(const QString& Linha, int Posicao);
// Every character is a blank (an empty text too).
bool EmBranco(const QString& Texto);

// Where the importer reads a line of the delivery layout.
namespace CamposEntrega {

constexpr int TamanhoLinha = LayoutDeclar::TamanhoRegistro;   // every line after the header
constexpr int PosicaoTipo = 9;                                // record type, "1" to "6"
constexpr int PosicaoNi = 10;   // declarant (types 1 to 3) or fund (types 4 to 6), 14 characters
constexpr int TamanhoNi = 14;
constexpr int PosicaoCodigo = 24;      // withholding code, 4 characters
constexpr int PosicaoTipoBenef = 28;   // "1" CPF, "2" CNPJ
constexpr int PosicaoNiBenef = 29;     // 14 characters; a CPF in its last 11
constexpr int PosicaoNome = 43;        // 60 characters
constexpr int TamanhoNome = 60;
constexpr int PosicaoValores = 103;   // 13 periods of 3 columns of 15 digits of cents
constexpr int TamanhoValor = 15;
constexpr int TamanhoPeriodo = 3 * TamanhoValor;
constexpr int Periodos = 13;
constexpr int PosicaoIdentificador = 688;   // situation of the values, "0" to "3"

// Period 1 to 13 (13 is the 13th salary), column 1 to 3.
inline int PosicaoValor(int Periodo, int Coluna)
{
    return PosicaoValores + TamanhoPeriodo * (Periodo - 1) + TamanhoValor * (Coluna - 1);
}
inline QString Valor(const QString& Linha, int Periodo, int Coluna)
{
    return CampoLinha(Linha, PosicaoValor(Periodo, Coluna), TamanhoValor);
}
// The same in place, from a line at least TamanhoLinha long (see LinhaCheia).
inline QStringView ValorEm(QStringView Linha, int Periodo, int Coluna)
{
    return Linha.mid(PosicaoValor(Periodo, Coluna) - 1, TamanhoValor);
}
// The line with blanks added up to TamanhoLinha, so that fields read in place read a cut line as
// CampoLinha does.
inline QString LinhaCheia(const QString& Linha)
{
    return Linha.size() >= TamanhoLinha ? Linha : Linha.leftJustified(TamanhoLinha, QLatin1Char(' '));
}

}   // namespace CamposEntrega
