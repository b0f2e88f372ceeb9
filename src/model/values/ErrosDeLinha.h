#pragma once
#include <QString>
#include <cstdint>
#include <vector>

class TArquivoTexto;
class TErros;

// Builders of the error lines of the import logs. N is the number of the current input line;
// every line they build starts "Linha: " + N + " - ".

// The message of Codigo in an error line: formatted with Parametro when there is one, otherwise
// its raw text closed by a stop (none added after a "." or "?" of its own).
[[nodiscard]] QString MensagemDaLinha(std::uint8_t Codigo, const QString& Parametro = QString());

// "Linha: " + N + " - " + the message of Codigo, then ": " + Campo + "." when Campo is given.
[[nodiscard]] QString TextoErroCampo(std::uint8_t Codigo, const QString& Campo, int N);

// For each entry of Erros of type error: sets HaErros and appends its message to Texto, joined
// with "; ", the final "." of the result taken off each time.
void ConcatenaErros(const TErros& Erros, bool& HaErros, QString& Texto);

// Sets HaErro and adds the message of Codigo (formatted with Parametro when there is one,
// otherwise the raw text and ".") to Texto: the first one after "Linha: " + N + " - ", the next
// ones after "; ". Stores Texto in Linhas[Indice] (std::out_of_range outside the list), then reads
// the next line of Arquivo into Linha and counts it in N. False when that line could not be read.
[[nodiscard]] bool RegistraErroLinha(int Indice, std::uint8_t Codigo, const QString& Parametro, TArquivoTexto& Arquivo,
                                     bool& HaErro, QString& Texto, std::vector<QString>& Linhas, int& N,
                                     QString& Linha);

// Texto becomes "Linha: " + N + " - " + the raw text of Codigo + ": " + Campo + "." (without
// ": " + Campo when Campo is empty). With Grava, Texto goes to LogErros and the rejected Linha to
// LogRejeitadas. Counts the error in Rejeitadas and Erros, then reads the next line of Entrada
// into Linha and counts it in N. False when a log line could not be written or the next line
// could not be read.
[[nodiscard]] bool RegistraErroCampo(bool Grava, std::uint8_t Codigo, const QString& Campo, TArquivoTexto& Entrada,
                                     TArquivoTexto& LogErros, TArquivoTexto& LogRejeitadas, QString& Texto,
                                     QString& Linha, int& N, int& Rejeitadas, int& Erros);

// The same text and writes as RegistraErroCampo; counts the error in Erros only, and neither
// reads a line nor changes N.
[[nodiscard]] bool RegistraErroSimples(bool Grava, std::uint8_t Codigo, const QString& Campo, TArquivoTexto& LogErros,
                                       TArquivoTexto& LogRejeitadas, QString& Texto, const QString& Linha, int N,
                                       int& Erros);
