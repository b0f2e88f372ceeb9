#pragma once
#include <QString>

class TLinhaFixa;

// Shared pieces of the delivery text's layout (Declar.txt): a header line, then lines that all
// begin with an 8-digit sequence number, the record type and a 14-character number.
namespace LayoutDeclar {

inline constexpr int TamanhoCabecalho = 248;
inline constexpr int TamanhoRegistro = 730;
inline const QString AnoPrograma = QStringLiteral("2003");

// A number as the lines carry it: the digits trimmed, with "000" in front of a person's CPF.
QString NiDaLinha(const QString& Ni, bool PessoaFisica);
// A name as the lines carry it: normalised, and for a person with apostrophes and full stops
// made blanks.
QString NomeDaLinha(const QString& Nome, bool PessoaFisica);
// The CNPJ of another establishment of a company: the first 8 digits of Cnpj, the 4-digit
// order and two new check digits.
QString CnpjDoEstabelecimento(const QString& Cnpj, const QString& Ordem);
// The last Largura characters of Largura zeros followed by Texto: a longer text loses its
// leading characters, a shorter one gains leading zeros.
QString ZerosADireita(const QString& Texto, int Largura);

// A line of TamanhoRegistro blanks with its sequence number (1-8), record type (9) and
// number (10-23) in place. A sequence number beyond 8 digits raises std::overflow_error.
TLinhaFixa NovaLinha(int Sequencia, char Tipo, const QString& NiDaLinha);
// Puts another sequence number (1-8) in the line, with the same limit.
void Numera(TLinhaFixa& Linha, int Sequencia);

}   // namespace LayoutDeclar
