#pragma once
#include <QString>

#include "platform/files/TArquivoTexto.h"
#include "platform/ui/TPergunta.h"

// The pair of error files of an import in the folder ErroImp of the data folder: one message per
// line in the first, the input line it belongs to in the second, so that line k of one file is
// the message of line k of the other. While an import writes them they are "Erros.txt" and
// "LinhaErro.txt"; Conclui gives them the import's base name with ".dsc" (messages) and ".txt"
// (lines). The import error reports read a pair back a line of each at a time.
class TLogErros final {
public:
    static QString NomeErros();        // "Erros.txt"
    static QString NomeLinhasErro();   // "LinhaErro.txt"
    static QString NomeSemNi();        // "ErroNoNi": the base name when no declarant was read

    TLogErros();   // the folder is the data folder's ErroImp
    TLogErros(const TLogErros&) = delete;
    TLogErros& operator=(const TLogErros&) = delete;

    // Keeps the base name and creates both working files (and the folder). When one cannot be
    // created the user was asked whether to try again; false then, and nothing is left open.
    bool Inicia(const QString& NomeBase, const TPergunta& Pergunta = {});
    // "Linha: " + Numero + " - " + Mensagem to the messages, Linha to the lines.
    bool RegistraErro(int Numero, const QString& Mensagem, const QString& Linha);
    // A message already composed, and its line. Past MaximoRegistros pairs nothing more is
    // written, only counted: Conclui then closes the pair with one line that says how many more
    // there were, so that a hostile file cannot fill the disk with its log.
    bool Registra(const QString& Texto, const QString& Linha);
    static constexpr int MaximoRegistros = 5000;
    // Pairs registered since Inicia, those past the bound included.
    [[nodiscard]] int Registrados() const { return FRegistrados; }
    // The closing message for that many pairs not written.
    static QString TextoOmitidos(int Omitidos);
    // A write failed since Inicia (the disk is full or gone): the pair is not complete.
    [[nodiscard]] bool FalhouEscrita() const { return FFalhouEscrita; }

    // Closes whatever is open; files being written take their working names.
    void Fecha();
    // Closes both, then each working file replaces the final file of the base name. A write or
    // rename that failed is shown (159 or 154 naming the file that failed): the pair would be
    // wrong.
    bool Conclui();
    // Changes the base name (before Conclui), e.g. once the declarant is known.
    void SetNomeBase(const QString& NomeBase);
    [[nodiscard]] const QString& NomeBase() const { return FNomeBase; }

    // Opens both final files of that base name for reading; false when either cannot be opened
    // (after the question whether to try again).
    bool AbreLeitura(const QString& NomeBase);
    // The next line of each into Mensagem() and Linha(); false when either file is at its end.
    bool LeProximo();
    // Both files from their first line again.
    bool Reinicia();
    [[nodiscard]] const QString& Mensagem() const { return FMensagem; }
    [[nodiscard]] const QString& Linha() const { return FLinha; }

    [[nodiscard]] QString NomeArquivoDsc() const;
    [[nodiscard]] QString NomeArquivoTxt() const;
    // Deletes both final files; false when one of them stays.
    bool ApagaArquivos();

    [[nodiscard]] const QString& Pasta() const { return FPasta; }

private:
    // A base name is a file name inside the folder: any folder part of it is dropped.
    static QString NomeSeguro(const QString& Nome);
    static bool Substitui(const QString& Origem, const QString& Destino);
    // Notes the working file of that name as failed (the first one is the one named); false.
    bool Falhou(const QString& Nome);

    QString FPasta;
    QString FNomeBase;
    TArquivoTexto FErros;
    TArquivoTexto FLinhas;
    QString FMensagem;
    QString FLinha;
    int FRegistrados = 0;
    bool FFalhouEscrita = false;
    QString FArquivoFalho;   // the working file whose write failed first
};
