#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/db/cursors/ModosDeBusca.h"
#include "platform/db/cursors/TBookmark.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/cursors/TRegistro.h"

class TDataSource;

enum TDataSetState : std::uint8_t {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsOpening
};

// What a dataset tells the data sources, and through them the data links, about itself.
enum TDataEvent : std::uint8_t {
    deFieldChange,       // info: the TField* whose value changed
    deRecordChange,      // info: the TField* or 0 for the whole record
    deDataSetChange,     // the records held changed
    deDataSetScroll,     // info: how many records the held ones moved (positive: forward)
    deLayoutChange,      // fields added, removed or shown differently
    deUpdateRecord,      // controls, write what the user typed into the record
    deUpdateState,       // the state changed
    deCheckBrowseMode,   // a move is about to happen
    deFocusControl,      // info: the TField* whose control should take the focus
};

// A set of records seen one at a time through a cursor, in the cursor's order, within its
// ranges and filters, with the operations and the data-link protocol that the data-aware
// controls rely on.
//
// Cursor flags: First sets Bof; Next on the last record sets Eof and stays there; Prior on the
// first sets Bof; Last sets Eof; an empty dataset has both. The dataset holds a window of
// records (as many as the largest BufferCount of its data links) with one of them active; the
// fields read and write the active record.
//
// Subclasses give the cursor (InternalOpen ... InternalDelete); positions are found again by
// key, so a record deleted elsewhere never strands the cursor.
class TDataSet {
public:
    using TNotifyEvent = std::function<void(TDataSet* dataSet)>;
    using TFilterRecordEvent = std::function<void(TDataSet* dataSet, bool& accept)>;

    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    [[nodiscard]] const QString& Name() const { return FName; }
    void SetName(const QString& nome) { FName = nome; }

    // Opening and state
    virtual void Open();   // a dataset that runs its statement ahead of opening overrides it
    void Close();
    [[nodiscard]] bool Active() const { return FState != dsInactive; }
    void SetActive(bool ativo);
    [[nodiscard]] TDataSetState State() const { return FState; }
    [[nodiscard]] bool Modified() const { return FModified; }

    // Fields
    [[nodiscard]] int FieldCount() const { return static_cast<int>(FFields.size()); }
    [[nodiscard]] TField* Fields(int indice) const;
    [[nodiscard]] TField* FindField(const QString& nome) const;
    [[nodiscard]] TField* FieldByName(const QString& nome) const;   // raises when absent
    [[nodiscard]] TField* FieldByNumber(int fieldNo) const;
    void GetFieldNames(QStringList& nomes) const;
    [[nodiscard]] const std::vector<TFieldDef>& FieldDefs() const { return FFieldDefs; }
    // Adds a field that stays when the dataset closes: a data field (giving its display settings
    // to the column of that name), or a calculated or lookup field. Only while closed.
    TField* AddField(std::unique_ptr<TField> campo);

    // Navigation
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int distancia);
    [[nodiscard]] bool Bof() const { return FBof; }
    [[nodiscard]] bool Eof() const { return FEof; }
    [[nodiscard]] bool IsEmpty() const;
    [[nodiscard]] int RecordCount();   // within the ranges and filters
    // RecordCount when it is at most `limite`; else a number above it, found by reading no more
    // than limite + 1 records.
    [[nodiscard]] int RecordCountAte(int limite);
    [[nodiscard]] int RecNo();   // from 1; -1 when the dataset cannot tell
    // A record lies after (gmNext) or before (gmPrior) the current one, within the ranges and
    // filters, as Next or Prior would find it: one fetch at most, the one that move makes, which
    // reads on its way the records a filter refuses. False when there is no current record.
    [[nodiscard]] bool TemVizinho(TGetMode modo);
    // The current record is the first (gmPrior) or the last (gmNext) within the ranges and
    // filters. The record at that end is known from the reads that met it, or read once as First
    // or Last read it, and kept until the records are read again or the filters change. False
    // when there is no current record.
    [[nodiscard]] bool EhExtremo(TGetMode lado);
    void SetRecNo(int numero);
    [[nodiscard]] bool IsSequenced();
    // Reads the records again, keeping the position (the record after it when it is gone).
    void Refresh();
    // From AdiaReposicao to its Repoe, the rereading that follows a change of order, range or
    // filter (Refresh, First) waits, and Repoe does it once: a change made in several steps
    // reads its rows once. Nothing reads the records between; after the last First, only
    // filters that narrow what it would have read may be added (Repoe takes the first record
    // then). Pairs nest; Repoe on a closed dataset only forgets what waits.
    void AdiaReposicao();
    void Repoe();

    // Bookmarks
    [[nodiscard]] TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& marca);   // raises when the record is gone
    [[nodiscard]] bool BookmarkValid(const TBookmark& marca);
    // -1, 0 or 1 by the records' order; 0 only for the same record. An empty bookmark comes first.
    [[nodiscard]] int CompareBookmarks(const TBookmark& a, const TBookmark& b);
    void FreeBookmark(TBookmark& marca) { marca = TBookmark(); }

    // Searching. Locate moves to the first record whose fields match (';'-separated names,
    // one value each) and answers true; without a match the position stays as it was.
    bool Locate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes);
    // The value of `resultado` in the first record that matches, without moving; invalid when none.
    [[nodiscard]] QVariant Lookup(const QString& campos, const QVariantList& valores, const QString& resultado);

    // Editing
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();   // the next record becomes current (the prior one after the last)
    void ClearFields();
    [[nodiscard]] bool CanModify() const;
    void CheckBrowseMode();   // posts or cancels a pending edit
    void UpdateRecord();      // asks the controls for their pending text

    // Data controls
    void DisableControls();
    void EnableControls();
    [[nodiscard]] bool ControlsDisabled() const { return FDisableCount > 0; }

    // Filters. Filter is an expression in the filter language of the table's library; it
    // applies while Filtered is set, together with OnFilterRecord.
    [[nodiscard]] bool Filtered() const { return FFiltered; }
    void SetFiltered(bool filtrado);
    [[nodiscard]] const QString& Filter() const { return FFilter; }
    void SetFilter(const QString& texto);

    // Engine filters, several at once, each with its handle: a record callback (it reads the
    // candidate record through the fields; true accepts) or a serialised filter expression.
    // Adding, activating or dropping does not re-read the records: call Refresh.
    int AddFilterCallback(std::function<bool()> aceita);
    // Raises EDatabaseError when the engine refuses the expression.
    int AddFilterExpression(const QByteArray& expressao);
    void ActivateFilter(int handle);
    void DeactivateFilter(int handle);
    void DropFilter(int handle);
    // A callback filter that moves this dataset gets its moves undone when it returns.
    [[nodiscard]] bool InFilterCallback() const { return FNivelFiltro > 0; }

    // Data links
    [[nodiscard]] int ActiveRecord() const { return FAtivo; }
    [[nodiscard]] int BufferRecordCount() const { return static_cast<int>(FJanela.size()); }
    [[nodiscard]] int BufferCount() const { return FBufferCount; }

    // Events
    TNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost;
    TNotifyEvent BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TNotifyEvent OnNewRecord, OnCalcFields;
    TFilterRecordEvent OnFilterRecord;

protected:
    // The cursor a subclass gives.
    virtual void InternalOpen() = 0;   // fills FieldDefs() through SetFieldDefs
    virtual void InternalClose() = 0;
    // The record after (gmNext) or before (gmPrior) `de` in the cursor's order, or the first or
    // last one when `de` is null, within ranges and expression filters. `registro` may hold an
    // earlier record, whose values the fetch replaces (a walk reuses their storage).
    virtual bool FetchRecord(const TRegistro* de, TGetMode modo, TRegistro& registro) = 0;
    // The record of a bookmark as stored now; false when it is gone or outside the ranges and
    // expression filters.
    virtual bool FetchBookmark(const TBookmark& marca, TRegistro& registro) = 0;
    [[nodiscard]] virtual TBookmark BookmarkOf(const TRegistro& registro) const = 0;
    // Writes a new record (original null) or changes one; may fill generated values back.
    virtual void InternalPost(TRegistro& registro, const TRegistro* original) = 0;
    virtual void InternalDelete(const TRegistro& registro) = 0;
    [[nodiscard]] virtual bool InternalCanModify() const { return false; }
    // Defaults walk the records; subclasses that can count or number faster override them.
    virtual int InternalRecordCount();
    virtual int InternalRecNo(const TRegistro& registro);
    virtual bool FetchRecNo(int numero, TRegistro& registro);
    virtual int InternalCompareBookmarks(const TBookmark& a, const TBookmark& b);
    [[nodiscard]] virtual bool InternalIsSequenced() { return false; }
    virtual bool InternalLocate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes,
                                TRegistro& registro, bool& tratado);
    virtual void InternalRefresh() {}
    virtual bool AcceptExpression(const QByteArray& expressao, QString& erro);
    virtual void FiltersChanged() {}   // the set of active expression filters changed
    // The Filter text in the engine's serialised form; raises when it does not compile.
    virtual QByteArray CompileFilterText(const QString& texto);

    // Hooks of the framework's steps, for subclasses.
    virtual void DataEvent(TDataEvent evento, std::intptr_t info);
    virtual void DoBeforePost();
    virtual void DoOnCalcFields();
    virtual void OpenCursor();
    virtual void CloseCursor();

    void SetFieldDefs(std::vector<TFieldDef> defs) { FFieldDefs = std::move(defs); }
    void SetState(TDataSetState estado);
    // Re-reads the held records around the current one (the same record in the same row when
    // it can); `centra` puts it in the middle.
    void Resync(bool centra = false);
    // Makes `registro` current and holds the records around it.
    void PosicionaEm(TRegistro registro, bool centra);
    [[nodiscard]] std::vector<QByteArray> ActiveFilterExpressions() const;
    [[nodiscard]] bool HasFilterCallbacks() const;
    // Inline: every read of a field asks it.
    [[nodiscard]] const TRegistro* RegistroAtivo() const
    {
        switch (FState) {
        case dsFilter:
        case dsCalcFields:
            return FTemporario;
        case dsSetKey:
            return RegistroDaChave();
        case dsInactive:
            return nullptr;
        default:
            return FJanela.empty() ? nullptr : &FJanela[static_cast<std::size_t>(FAtivo)];
        }
    }
    // Fetch through every filter, callbacks included.
    bool FetchAccepted(const TRegistro* de, TGetMode modo, TRegistro& registro);
    // Like FetchRecord, with the callback filters asked by the cursor as it reads (through
    // ApplyFilterCallbacks): 1 found, 0 none, -1 when the cursor cannot, and the dataset asks them.
    virtual int FetchFilteredRecord(const TRegistro* /*de*/, TGetMode /*modo*/, TRegistro& /*registro*/) { return -1; }
    // Runs the callback filters on a record of the data fields (no calculated ones).
    bool ApplyFilterCallbacks(TRegistro& registro) { return Aceita(registro); }
    // Changes whenever a filter is added, activated, deactivated or dropped, or Filtered changes.
    [[nodiscard]] quint64 FilterVersion() const { return FVersaoFiltros; }
    // Completes a record read by the cursor (calculated fields) and runs the callback filters.
    bool AcceptRecord(TRegistro& registro);
    // Filters belong to the cursor: closing drops them all.
    void DropAllFilters();
    // After the cursor is open and the fields made, before the first records are read.
    virtual void PrepareCursor() {}
    void ComputeCalcFields(TRegistro& registro);
    [[nodiscard]] bool HasCalcFields() const { return FTemCalculados; }

    // Key buffer of the dsSetKey state (tables): the fields write into it.
    struct TBufferChave {
        TRegistro Registro;
        std::vector<bool> Definido;   // per field
        bool Exclusivo = false;
    };
    void EditaChave(TBufferChave* buffer);   // dsSetKey on the buffer; null leaves the state
    [[nodiscard]] TBufferChave* BufferChave() const { return FChave; }
    [[nodiscard]] int NumeroCamposDados() const { return FColunas; }

private:
    friend class TField;
    [[nodiscard]] const TRegistro* RegistroDaChave() const;
    friend class TDataSource;
    friend class TDataLink;

    struct TFiltro {
        int Handle;
        std::function<bool()> Aceita;   // empty for an expression
        QByteArray Expressao;
        bool Ativo = false;
    };
    struct TEstadoGuardado {
        std::vector<TRegistro> Janela;
        int Ativo;
        bool Bof, Eof;
        TDataSetState Estado;
        TRegistro* Temporario;
    };

    [[nodiscard]] const QVariant& Valor(const TField& campo) const;
    void GravaValor(TField& campo, const QVariant& valor);
    void CriaCampos();
    void LiberaCampos();
    void Notifica(TDataEvent evento, std::intptr_t info);
    bool Aceita(TRegistro& registro);
    void GuardaSeEmFiltro();
    void LimpaJanela();
    int ContaRegistros(int limite);   // walks at most `limite` records
    void PreencheJanela(TRegistro ancora, int posicao);
    bool BuscaNaJanela(TGetMode modo);
    // One record more at that end of the window (gmNext the back); false, the end then known,
    // when none lies beyond. The window holds a record.
    bool EstendeJanela(TGetMode modo, TRegistro& registro);
    // The current record as stored: the one read before an edit began.
    [[nodiscard]] const TRegistro& RegistroGravado() const;
    void EsqueceExtremos();
    void SetBufferCount(int quantidade);
    void SetActiveRecord(int indice);   // data links, for reading the held records
    void AddDataSource(TDataSource* fonte);
    void RemoveDataSource(TDataSource* fonte);
    void AtualizaFiltroTexto();
    void FiltrosMudaram();
    void DoAfterScroll();
    void ExigeAtivo() const;
    // Post and Cancel end a key edit the same way; true when a record is being edited.
    bool FechaChaveOuEstaEditando();
    void ExigeRegistro() const;
    void NovoRegistro(TRegistro& registro);
    void IniciaInsercao();   // the new record is in the window: state, defaults, events
    int RecalculaBufferCount() const;

    QString FName;
    TDataSetState FState = dsInactive;
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<TFieldDef> FFieldDefs;
    int FColunas = 0;   // data fields: the first slots of every record
    bool FTemCalculados = false;
    std::vector<TDataSource*> FDataSources;

    std::vector<TRegistro> FJanela;
    TRegistro FReciclado;   // the last record to leave the window, its storage reused by the next fetch
    int FAtivo = 0;
    int FBufferCount = 1;
    bool FBof = true;
    bool FEof = true;
    // The first and the last record (an empty bookmark: none), once a read met them; unknown after
    // anything that may change which they are.
    std::optional<TBookmark> FPrimeiro;
    std::optional<TBookmark> FUltimo;
    bool FModified = false;
    std::optional<TRegistro> FOriginal;   // the record before Edit
    TRegistro* FTemporario = nullptr;     // the record of dsFilter and dsCalcFields
    TBufferChave* FChave = nullptr;
    TDataSetState FEstadoAntesChave = dsInactive;

    int FDisableCount = 0;
    TDataSetState FEstadoAoDesabilitar = dsInactive;
    bool FMudouDesabilitado = false;
    bool FLayoutDesabilitado = false;

    std::vector<TFiltro> FFiltros;
    // The active callbacks, gathered once per change of the filters: a callback may add or drop
    // filters while the list is being run.
    std::shared_ptr<const std::vector<std::function<bool()>>> FCallbacksAtivos;
    // Lists replaced while callbacks ran: kept until the outermost one returns.
    std::vector<std::shared_ptr<const std::vector<std::function<bool()>>>> FCallbacksAntigos;
    quint64 FVersaoFiltros = 0;
    int FProximoHandle = 1;
    bool FFiltered = false;
    QString FFilter;
    int FHandleFiltroTexto = 0;
    int FNivelFiltro = 0;
    std::optional<TEstadoGuardado> FGuardado;
    // What waits for Repoe: a Resync; the first record; or the first record, then a Resync.
    enum class TReposicao { Nenhuma, Resync, Primeiro, PrimeiroResync };
    [[nodiscard]] bool Adiando() const { return FAdiamentos > 0 && FNivelFiltro == 0; }
    int FAdiamentos = 0;
    TReposicao FReposicao = TReposicao::Nenhuma;
};
