#pragma once
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "DadosEsperados.h"
#include "TextoPdf.h"

// Reads printed pages against the data: from the words of the PDF and their places alone (a
// value belongs to the column whose title it stands under, to the row its line names, and to the
// code, beneficiary and fund of the last header above it, across pages), it finds what each page
// says and compares it with what the stored declaration holds. Each difference is one text naming
// the document, the page and the word.
namespace ConferenciaDados {

// An amount as the reports print it ("1.234,56") in cents; -1 when the text is none.
[[nodiscard]] qint64 Centavos(const QString& Texto);

// Cents as the reports print an amount ("1.234,56").
[[nodiscard]] QString Reais(qint64 Centavos);

enum class TDocumento { Declaracao, Lista, Sintetico, Analitico, Mensal, Comprovantes };

// The words of each page of one print, its files one after the other. For statements,
// Beneficiarios names those the print was asked for (each must have its statement or a line in
// the not-printed list); the others ignore it.
QStringList Confere(const QString& Nome, TDocumento Documento, const DadosEsperados& Dados,
                    const std::vector<QList<TextoPdf::TPalavra>>& Paginas, const QStringList& Beneficiarios = {});

// The management list against every stored declaration.
QStringList ConfereGerencial(const QString& Nome, const std::vector<DadosEsperados>& Declaracoes,
                             const std::vector<QList<TextoPdf::TPalavra>>& Paginas);

// A delivery receipt against the receipt data it was printed from (the text of Recibo.ini).
QStringList ConfereRecibo(const QString& Nome, const QString& Ini,
                          const std::vector<QList<TextoPdf::TPalavra>>& Paginas);

// The pending-items report against the rows of the verification table and its counters.
struct TPendencia {
    QString Descricao;
    int Gravidade;
};
QStringList ConferePendencias(const QString& Nome, const std::vector<TPendencia>& Linhas, int NumErros, int NumAvisos,
                              const std::vector<QList<TextoPdf::TPalavra>>& Paginas);

// An import-error report against its pair of files: each message with its line laid out by
// record type (a declaration's lines), or by statement field (Comprovantes).
QStringList ConfereErrosImportacao(const QString& Nome, bool Comprovantes, const QString& Arquivo,
                                   const QStringList& Linhas, const QStringList& Mensagens,
                                   const std::vector<QList<TextoPdf::TPalavra>>& Paginas);

}   // namespace ConferenciaDados
