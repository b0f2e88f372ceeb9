#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "model/storage/OperacoesTabela.h"
#include "platform/db/cursors/ModosDeBusca.h"
#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/sqlite/TIndexDef.h"

class TDatabase;
class TdvTable;

// The base of the collections: each owns one table of the data folder (and optionally a second
// one), moves over its rows, reads the current row into a model object (TColecaoDe below) and
// writes rows back. Engine errors become numbered messages with the table or index name and the
// engine's text: 141 on writing (EColecaoError), 142 on opening and 143 on selecting an index
// (EDadosError).
//
// Write-through (GravarEmDisco) is on by default: every post is its own transaction, on the disk
// when Grava returns. Turned off, the following writes of the whole database share one
// transaction, committed when it is turned back on (by this collection, by Fecha or by the
// destructor).
//
// A subclass constructor calls CriaTabelaColecao, optionally CriaTabelaAux, CriaEsquema when it
// owns the table's schema, then AbreTabelaColecao (and AbreTabelaAux).
class TColecao {
public:
    TColecao();
    // Runs Fecha when the owner did not; a failure is shown through the message seam, never
    // thrown. A subclass with work of its own on closing does it in its destructor first.
    virtual ~TColecao();
    TColecao(const TColecao&) = delete;
    TColecao& operator=(const TColecao&) = delete;

    // Posts a pending edit, turns write-through back on (committing the writes held back) and
    // closes the tables. Every step runs even when one fails; the first failure is raised
    // afterwards (141), and a pending edit that could not be posted is dropped.
    void Fecha();

    virtual void SetGravarEmDisco(bool Gravar);   // raises 141 when the held-back writes cannot be committed
    [[nodiscard]] bool GetGravarEmDisco() const { return FGravarEmDisco; }
    // Insert-only writing, read by the item-keyed collections.
    virtual void SetNaoAtualizaAux(bool NaoAtualiza) { FNaoAtualizaAux = NaoAtualiza; }
    [[nodiscard]] bool GetNaoAtualizaAux() const { return FNaoAtualizaAux; }
    // A filter set by a subclass is in force.
    [[nodiscard]] bool Filtrado() const { return FFiltrado; }

    // Posts the main table when it is being edited or inserted. Raises EColecaoError 141; the
    // row is then still being edited and nothing of it is written.
    bool Grava();
    // Every post is its own transaction and already on the disk: only a pending edit is posted.
    void GravaEmDisco();
    void Exclui();                    // the current row
    void Atualiza();                  // reads the rows again
    [[nodiscard]] int Quantidade();   // rows in the current range and filter

    // An empty name is the primary index. Raises EDadosError 143 and sets ErroIndice.
    void SelecionaIndice(const QString& Nome);
    void SelecionaIndiceAux(const QString& Nome);
    // Empties the filter lines, cancels the range and clears Filtrado.
    void LimpaFiltro();

    // The next free number of a key column kept as digits ("0000001"): the highest all-digit
    // value of the column over the whole table, whatever the range and filter, plus 1; 1 when
    // there is none. Raises EColecaoError 141 when that number has more digits than the
    // column's width, so that a key is never issued twice. The current row does not move.
    [[nodiscard]] int ProximaChave(const QString& Campo);

    // Navigation on the main table in its current index, range and filter.
    [[nodiscard]] bool Bof() const;
    [[nodiscard]] bool Eof() const;
    // The current row is the first (the last) of the range and filter: a move reached the
    // beginning (the end), or no row lies before (after) it however it was reached.
    [[nodiscard]] bool NoPrimeiro();
    [[nodiscard]] bool NoUltimo();
    [[nodiscard]] bool EstaVazia();   // moves to the first row
    void Primeiro();
    void Proximo();
    void Anterior();
    void Ultimo();

protected:
    // The table objects, created closed on that table name of the data folder.
    void CriaTabelaColecao(const QString& NomeArquivo);
    void CriaTabelaAux(const QString& NomeArquivo);
    // Creates the main table with the columns and indexes these give when the database does not
    // have it yet (they are asked only then: the table is there on nearly every opening); true
    // when it was created. Raises EDadosError 142.
    bool CriaEsquema(std::vector<TFieldDef> (*Campos)(), std::vector<TIndexDef> (*Indices)());
    // (Re)opens the main table, then checks the free space of the data folder. Raises
    // EDadosError 142 (the table stays closed) or EEspacoEmDiscoError 150 (the table is open).
    void AbreTabelaColecao();
    // AbreTabelaColecao and then Restringe (the subclass's own restriction), the rows read once,
    // under the restriction: opening alone reads the whole table's first row for nothing.
    void AbreTabelaColecaoRestrita(const std::function<void()>& Restringe);
    void AbreTabelaAux();   // 142, without the space check
    void FechaTabelaColecao();
    void FechaTabelaAux();

    [[nodiscard]] TdvTable& Tabela() const;   // the main table; a logic error before CriaTabelaColecao
    [[nodiscard]] TdvTable* TabelaAux() const { return FTabelaAux.get(); }
    void SetFiltrado(bool Filtrado) { FFiltrado = Filtrado; }
    // The table's name as the messages show it.
    [[nodiscard]] QString NomeTabela() const;
    // A destructor's closing step: what it raises is shown (a foreign error as 141 with the
    // table's name) and, when showing fails too, logged; nothing leaves the destructor.
    void ConcluiNoDestrutor(const std::function<void()>& Passo) noexcept;

private:
    // NoPrimeiro (gmPrior) and NoUltimo (gmNext): asks for the one neighbour on that side.
    [[nodiscard]] bool NaPonta(TGetMode lado);

    bool FFiltrado = false;
    std::unique_ptr<TdvTable> FTabela;
    std::unique_ptr<TdvTable> FTabelaAux;
    bool FGravarEmDisco = true;
    bool FNaoAtualizaAux = false;
    // Held while write-through is off, so that the batch outlives a closing of the tables.
    std::shared_ptr<TDatabase> FLote;
};

// A collection whose rows are read into objects of one model class.
template <class TObjeto> class TColecaoDe : public TColecao {
public:
    // Reads the current row of the main table into the object.
    virtual void LeRegistro(TObjeto& Objeto) = 0;

    // Each moves, then reads the row it reached; an empty table leaves the object as it was.
    void PrimeiroRegistro(TObjeto& Objeto)
    {
        if (!Bof())
            Primeiro();
        if (!Eof())
            LeRegistro(Objeto);
    }
    void AnteriorRegistro(TObjeto& Objeto)
    {
        if (!Bof())
            Anterior();
        if (!Eof())
            LeRegistro(Objeto);
    }
    void ProximoRegistro(TObjeto& Objeto)
    {
        if (!Eof())
            Proximo();
        if (!(Bof() && Eof()))
            LeRegistro(Objeto);
    }
    void UltimoRegistro(TObjeto& Objeto)
    {
        if (!Eof())
            Ultimo();
        if (!(Bof() && Eof()))
            LeRegistro(Objeto);
    }
};
