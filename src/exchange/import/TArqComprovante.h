#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "exchange/import/TLogErros.h"
#include "exchange/import/TRegistroComprovante.h"
#include "model/values/TErro.h"

class IProgresso;
class TBeneficiarioPruv;
class TComprovantePF;
class TListaNiImportadosCR;
class TPruv;

// The import of an income-statement file into the stored statements of one declaration: one
// fixed-column line per individual beneficiary with what the statement needs beyond the
// declaration's values (the deductions of box 3, the exempt income of box 4, the complementary
// information). Each line is checked against the declaration; accepted lines are stored, refused
// ones go to the error log with their reason.
//
// The whole file is one transaction, committed at its end: a failure or a crash half-way leaves
// the stored statements as they were. Importa throws nothing: a failure of the database is shown
// and answered by its message code.
class TArqComprovante final {
public:
    // Pruv is the stored declaration, loaded; it outlives the importer.
    TArqComprovante(QString Arquivo, TPruv& Pruv);
    ~TArqComprovante();
    TArqComprovante(const TArqComprovante&) = delete;
    TArqComprovante& operator=(const TArqComprovante&) = delete;

    // Reads the whole file, moving Gauge (may be null) by lines. 0 when the file was read to its
    // end; 139 when it could not be opened, 159 when the log could not be written, or the code of
    // the database failure that undid the import. An unreadable file or line is also a line of
    // the log.
    std::uint8_t Importa(IProgresso* Gauge);

    // The base name of the error log in the folder ErroImp (NomeLogComprovantes).
    [[nodiscard]] QString NomeLog() const { return FLog.NomeBase(); }
    // The declarant's first 8 digits and "-Comprovantes": a name of its own, because the
    // statements' report deletes its log once shown, while the log of the declaration's import
    // (named by the declarant's root) stays for the clerk to correct and import again.
    [[nodiscard]] static QString NomeLogComprovantes(const QString& NiDeclarante);
    [[nodiscard]] int Lidas() const { return FLidas; }             // lines read
    [[nodiscard]] int Importadas() const { return FImportadas; }   // statements stored
    [[nodiscard]] int Rejeitadas() const { return FRejeitadas; }   // lines refused

    // The log's messages of a refused line.
    [[nodiscard]] static QString TextoTamanhoInvalido(qsizetype Tamanho);
    [[nodiscard]] static QString TextoDuplicado();
    [[nodiscard]] static QString TextoNaoConsta();
    [[nodiscard]] static QString TextoSoFinanceiros();

private:
    void Le(class TLeitorLinhas& Leitor, IProgresso* Gauge);
    // Checks and stores the current record; an empty answer is accepted, else the refusal.
    QString ImportaLinha();
    QString LeValores();
    void Rejeita(int Numero, const QString& Mensagem, const QString& Linha);
    // After the transaction was undone: shown, the stored count taken back.
    std::uint8_t Desfeita(const TErro& Erro);

    QString FArquivo;
    TPruv& FPruv;    // not owned
    TErros FErros;   // what the beneficiary's setter refuses
    std::unique_ptr<TBeneficiarioPruv> FBeneficiario;
    std::unique_ptr<TComprovantePF> FComprovante;
    std::unique_ptr<TListaNiImportadosCR> FLista;
    TLogErros FLog;
    TRegistroComprovante FRegistro;
    int FLidas = 0;
    int FImportadas = 0;
    int FRejeitadas = 0;
};
