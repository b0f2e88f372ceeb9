#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/items/IItensBeneficiario.h"
#include "model/items/TBeneficiarioLido.h"
#include "model/items/TPruvItem.h"
#include "model/items/TSerieArmazenada.h"
#include "model/storage/TColecao.h"
#include "model/values/TErro.h"

class ICodigosRetencao;
class IColecoesDeclaracao;
class TBuscaBeneficiario;
class TColecaoBeneficiario;
class TColecaoJudicial;
class TComando;
class TComprovante;
class TInsercao;
class TLeituraItens;
class TPruvAnexo;

// The items of one owner, the declaration itself or one of its fund or club annexes (table
// PruvItem): issues their keys, loads an item with its beneficiary's name and its judicial values,
// and keeps the beneficiary, judicial and summary rows consistent on every save and delete. Each
// save, replacement and delete is one transaction: on failure every table is as it was before the
// call, the collection's memory too, and the error is a numbered message.
//
// Value rules, on every read and every write: month 13 holds values only for the codes that keep
// a 13th salary (MantemDecimoTerceiro), deductions only when the code admits them and the
// beneficiary is not a CNPJ; a negative amount is stored as 0. (owner, code, beneficiary) stays
// unique.
//
// The owner may be given another key while the collection lives (the fund page moves one owner
// from fund to fund): AplicaFiltro, and every find, save and delete, then work on the items of
// the new key, the judicial rows with them, and forget what was kept of the former key's items.
//
// Insert-only writing (SetNaoAtualizaAux true, for a declaration the importer has just created):
// Salva appends without looking for the item, the judicial rows are appended and never deleted,
// and the lookup table is not refreshed. Write-through off (SetGravarEmDisco false, a bulk load)
// holds the writes in one batch, marks the owner's summary as not up to date and stops writing it
// after each save; turning it on again, or destroying the collection, stores it up to date. Both
// at once bind each row straight into prepared INSERTs (no dataset, no read-back); when the batch
// runs inside a transaction of the caller's (the importer's), which a failure undoes whole, an
// item has no savepoint of its own, and after a failure the summaries in memory are not restored.
class TColecaoPruvItem final : public TColecaoDe<TPruvItem>, public IItensBeneficiario {
public:
    enum TOrdem : std::uint8_t { OrdemChave = 0, OrdemCodigo = 1, OrdemBeneficiario = 2 };
    // What Salva did.
    enum TResultado : std::uint8_t { NadaGravado = 0, Inserido = 1, Atualizado = 2 };

    static QString NomeArquivo();   // "PruvItem.DB"

    // Opens the table (created when missing) restricted to Dono's items, by key, and the judicial
    // collection of Dono. Raises EDadosError 142, 143 or EEspacoEmDiscoError 150. Declaracao, its
    // beneficiary, summary and code collections, and Dono outlive the collection: for the one an
    // owner makes in GetItens the declaration sees to it, letting it go before those collections.
    TColecaoPruvItem(IColecoesDeclaracao& Declaracao, TPruvAnexo& Dono);
    ~TColecaoPruvItem() override;

    void SetGravarEmDisco(bool Gravar) override;
    void SetNaoAtualizaAux(bool NaoAtualiza) override;
    // False: Salva leaves an existing item's row untouched (and answers Atualizado).
    [[nodiscard]] bool GetSubstituiExistente() const { return FSubstituiExistente; }
    void SetSubstituiExistente(bool Substitui) { FSubstituiExistente = Substitui; }

    // By key, by code and beneficiary, or by beneficiary and code.
    [[nodiscard]] TOrdem GetOrdem() const { return FOrdem; }
    void SetOrdem(TOrdem Ordem);
    // Restricts the table to the owner's items in the current order.
    void AplicaFiltro();
    // The number of the owner's last key (1 when it has none), at one seek of the primary index
    // when that key has seven digits, as the program writes them; keys of another form are all
    // weighed. Also the summary's gauge maximum.
    [[nodiscard]] int UltimaChave();

    // Gives the item the next key of the owner and appends a row for it.
    void Novo(TPruvItem& Item);
    // The current row into the item, with its beneficiary's name and its judicial values; on an
    // empty table the item is cleared. Raises EColecaoError 23 for a row of another declaration.
    void LeRegistro(TPruvItem& Item) override;
    bool Carrega(TPruvItem& Item);
    // Makes the item's row current: by its key, or, for an item without one, by its code and
    // beneficiary (the item then takes the row's key). Moves nothing when not found.
    bool Localiza(TPruvItem& Item);
    // Moves to the item's row by the key of the current order.
    bool Posiciona(const TPruvItem& Item);

    // Inserts or updates the item with its beneficiary, judicial and summary rows. NadaGravado
    // without the declaration's or the owner's key, a code or a beneficiary number. Raises
    // EColecaoError 76 (a question, Yes and No) when another item of the owner has the item's code
    // and beneficiary: nothing is written and the item's row stays current. A fund owner that is
    // not stored raises 55 and nothing is written. Other failures raise their numbered message
    // (141, 143, ...).
    std::uint8_t Salva(TPruvItem& Item);
    // The answer Yes to message 76: deletes the other item of the owner that has Item's code and
    // beneficiary, and saves Item in its place; one transaction.
    std::uint8_t Substitui(TPruvItem& Item);
    // Deletes the item with its judicial row, takes it out of the summaries and deletes its
    // beneficiary (with its income statement) when no item has it any more. The item then holds
    // the row that became current, or is cleared when none is left.
    void Exclui(TPruvItem& Item);
    // Deletes every item of the owner with its judicial rows; beneficiaries and summaries are the
    // caller's.
    void ExcluiTodos();

    // A walk over the owner's items in the current order, each read with its beneficiary's name
    // and its judicial values by one query joining the three tables, and given as LeRegistro
    // gives it; the table does not move. Writes between two items are allowed. LeProximo answers
    // false at the end; EncerraLeitura (or the next IniciaLeitura) lets the query go. The next
    // walk in the same order binds the statements again, for the owner's key of that moment: one
    // collection walks fund after fund without preparing anything again.
    void IniciaLeitura();
    bool LeProximo(TPruvItem& Item);
    void EncerraLeitura();

    // Loads the name of the item's beneficiary.
    void CarregaBeneficiario(TPruvItem& Item);
    // Whether any item of the whole declaration, of any owner, has the beneficiary. Leaves the
    // collection's view as it was.
    [[nodiscard]] bool PossuiItensBeneficiario(const TBeneficiarioPruv& Beneficiario);
    // Restricts the table to every item of the declaration, of any owner, that has the
    // beneficiary, by code. AplicaFiltro gives the owner's view back.
    void FiltraBeneficiario(const TBeneficiarioPruv& Beneficiario);
    // Restricts another open table over PruvItem to a beneficiary's items of a declaration, by code.
    static void FiltraPorCodigo(const QString& ChaveDeclaracao, const QString& Tipo, const QString& Numero,
                                TdvTable& Tabela);
    // Adds every item of the statement's beneficiary, in the declaration and in its annexes.
    void AcumulaComprovante(TComprovante& Comprovante);
    // IItensBeneficiario. The item handed over is read again for every row; its beneficiary is
    // Beneficiario.
    void ParaCadaItem(const TBeneficiarioPruv& Beneficiario,
                      const std::function<void(const TPruvItem&)>& Visita) override;

    // The table's schema: the key columns, the declaration key, code and beneficiary, then income,
    // deductions and tax of months 1 to 13 at the positions 7, 20 and 33.
    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

private:
    std::uint8_t GravaItem(TPruvItem& Item);
    void ExcluiItem(TPruvItem& Item, bool Substituicao);
    void ConfereDuplicado(const TPruvItem& Item);
    [[nodiscard]] bool MudouCodigoOuBeneficiario(const TPruvItem& Item) const;
    // Novo: the item was just inserted, nothing stored before it.
    void GravaJudicial(TPruvItem& Item, bool Novo);
    // A fund owner that is no stored fund of the declaration (deleted meanwhile) takes no row:
    // EColecaoError 55.
    void ConfereDono();
    // AplicaFiltro when the owner has another key than the one the rows were restricted to.
    void AcompanhaDono();
    // Anterior null: Novo is new, nothing stored before it.
    void AcumulaResumos(const TPruvItem* Anterior, const TPruvItem& Novo);
    void EliminaBeneficiario(const QString& NiFormatado);
    void GravaLinha(TPruvItem& Item, bool Nova);
    void LeLinha(TPruvItem& Item, const QString& InAnexo);
    void LeRegistroAnterior(TPruvItem& Destino);
    void LeItemComprovante(TPruvItem& Item);
    static void LeValores(TPruvItem& Item, const TColunaMonetaria& Coluna);
    static void LeValores(TPruvItem& Item, const TComando& Linha, int Inicio);
    static void GravaValores(TPruvItem& Item, const TGravaColuna& Coluna);
    static void GravaValores(TPruvItem& Item, TInsercao& Linha);
    // Insert-only writing with write-through off: InsereDireto, in a savepoint of its own unless
    // the load runs inside a transaction of the caller's, which a failure then undoes whole (the
    // importer's). After a failure there the owner's summaries in memory are not restored.
    std::uint8_t SalvaDireto(TPruvItem& Item);
    void InsereDireto(TPruvItem& Item);
    // The owner's next key, into the item.
    void AvancaChave(TPruvItem& Item);
    // The joined walk's judicial values of the row, or none.
    void LeJudicial(TPruvItem& Item, const TComando& Linha);
    // The key after the highest of the table, into the item: its own was taken meanwhile.
    void SaltaChaveTomada(TPruvItem& Item);
    bool PosicionaEm(const QString& Chave, const QString& Codigo, const QString& Tipo, const QString& Numero);
    void SelecionaIndiceLocaliza(const QString& Nome);
    [[nodiscard]] int ProximaChaveDoDono();
    [[nodiscard]] static QString ColunaChave();   // the key's column, quoted
    // Le(statement, has a value) on the row of "SELECT Expressao" over the owner's rows that meet
    // Condicao (" AND ..."): one row, the statement reset afterwards.
    template <typename Leitura> auto ConsultaDoDono(const QString& Expressao, const QString& Condicao, Leitura Le);
    // Runs Acao as one transaction; on failure the tables read again what is stored, the key
    // counter and the summaries are as before, and an engine error becomes message 141.
    void EmTransacao(const std::function<void()>& Acao);
    void Desfaz();

    IColecoesDeclaracao& FDeclaracao;   // not owned
    TPruvAnexo& FDono;                  // not owned
    QString FInAnexo;
    std::optional<QString> FChaveFiltrada;   // the owner's key AplicaFiltro restricted the rows to
    TColecaoBeneficiario& FBeneficiarios;    // the declaration's
    ICodigosRetencao& FCodigos;              // the declaration's
    std::unique_ptr<TColecaoJudicial> FJudicial;
    TOrdem FOrdem = OrdemChave;
    int FUltimaChave = -1;
    bool FSubstituiExistente = true;
    // The working items report to a sink of their own: copying into them is no one's error.
    TErros FErrosInternos;
    TPruvItem FItemAtual;      // the item as last loaded or saved
    TPruvItem FItemBusca;      // scratch of the duplicate search
    TPruvItem FItemAnterior;   // the stored state of the row being saved
    std::unique_ptr<TLeituraItens> FLeitura;
    TOrdem FOrdemLeitura = OrdemChave;                        // the order FLeitura reads in
    bool FLendo = false;                                      // between IniciaLeitura and EncerraLeitura
    std::unique_ptr<TBuscaBeneficiario> FBuscaBeneficiario;   // of the walk
    TBeneficiarioLido FBeneficiarioLido;                      // of the walk, by LeProximo
    std::unique_ptr<TInsercao> FInsercao;                     // made on the first direct insert
};
