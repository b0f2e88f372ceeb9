#pragma once
#include <QHash>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

#include "platform/db/cursors/TCursor.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/cursors/TFiltroSql.h"
#include "platform/db/cursors/TFuncaoFiltro.h"

// A keyset cursor over one table: rows in the order of an index (its fields, then the primary
// key, or the rowid, to break ties), within a range on the index's leading fields and the
// filter expressions. It moves by key ("the row after this key"), so rows deleted or changed
// while walking never strand it; while nothing is written in between it streams from one open
// statement.
class TCursorTabela final : public TCursor, public TDatabase::ILeitor, private TFuncaoFiltro::IAvaliador {
public:
    struct TLimite {
        std::vector<QVariant> Valores;   // the first index fields
        bool Exclusivo = false;
    };
    enum class TModoChave { Igual, MaiorIgual, Maior };

    TCursorTabela(std::shared_ptr<TDatabase> banco, const QString& tabela, bool somenteLeitura);
    ~TCursorTabela() override;

    [[nodiscard]] const TEsquemaTabela& Esquema() const { return FEsquema; }
    // Orders by an index (the primary when `nome` is empty); raises when there is none such.
    void DefineIndice(const QString& nome);
    // Orders by fields that need no index.
    void DefineCamposOrdem(const QStringList& campos);
    // Text fields that order and compare (ranges, key searches) by TDatabase::ColacaoNomes; taken
    // by the next change of order.
    void DefineCamposNome(const QStringList& campos) { FCamposNome = campos; }
    [[nodiscard]] const QStringList& CamposNome() const { return FCamposNome; }
    [[nodiscard]] const QStringList& CamposOrdem() const { return FCamposOrdem; }
    [[nodiscard]] const TIndexDef* IndiceAtual() const;
    void DefineFaixa(std::optional<TLimite> inicio, std::optional<TLimite> fim);
    // The first row in order whose first index fields compare so with the values.
    bool BuscaChave(const std::vector<QVariant>& valores, TModoChave modo, const TAceita& aceita, TRegistro& registro);
    void Esvazia();
    // Reads the table's definition again (after an index was added or removed), keeping the
    // order by the same index name or fields.
    void RecarregaEsquema();

    [[nodiscard]] std::vector<TFieldDef> Campos() const override { return FEsquema.Campos; }
    bool Busca(const TRegistro* de, TGetMode modo, TRegistro& registro) override;
    bool BuscaBookmark(const TBookmark& marca, TRegistro& registro) override;
    [[nodiscard]] TBookmark Bookmark(const TRegistro& registro) const override;
    int Compara(const TBookmark& a, const TBookmark& b) override;
    int Conta() override;
    int Numero(const TRegistro& registro) override;
    bool BuscaNumero(int numero, TRegistro& registro) override;
    bool Localiza(const std::vector<int>& colunas, const QVariantList& valores, TLocateOptions opcoes,
                  const TAceita& aceita, TRegistro& registro, bool& tratado) override;
    [[nodiscard]] bool PodeModificar() const override { return !FSomenteLeitura; }
    void Grava(TRegistro& registro, const TRegistro* original) override;
    void Apaga(const TRegistro& registro) override;
    bool AceitaExpressao(const QByteArray& expressao, QString& erro) override;
    void DefineExpressoes(const std::vector<QByteArray>& expressoes) override;
    // The record filters go into the walk's WHERE as TFuncaoFiltro, with the columns that they
    // were seen to read; a column that was not handed over is read with the whole row (found by
    // its place in the walk, or by its key) and is handed over from then on.
    int BuscaFiltrada(const TRegistro* de, TGetMode modo, const TAceita& aceita, TRegistro& registro) override;
    bool InterrompeFiltrada() override;

    void SoltaLeituras() override;

private:
    struct TColunaOrdem {
        QString Expressao;   // as ordered
        int Coluna;          // -1: the rowid
        bool Nulavel;
        QString Comparada = {};   // a name column's, compared without its collation; empty: Expressao
    };
    struct TFluxo {
        TComando* Comando = nullptr;
        // The filtered walks': kept alive while a filter runs in it; the key it began after (or
        // before) and the rows the filters were asked about since.
        std::shared_ptr<TComando> Dono;
        std::vector<QVariant> Desde;
        bool TemDesde = false;
        quint64 Avaliadas = 0;
        bool PorPosicao = false;   // finds the row under test by its place, else by the key handed
        quint64 Pular = 0;         // rows from the start to refuse unasked: asked by the walk it took up
        quint64 UltimaLeitura = 0;
        quint64 Geracao = 0;
        bool Ativo = false;
    };

    void DefineOrdem(const QStringList& campos, bool semCaixa);
    [[nodiscard]] bool Continua(const TFluxo& fluxo, const TRegistro* de) const;
    // The rows a walk from the start by place has asked about, when it must begin again with more
    // columns handed over; -1 when it cannot be taken up so.
    [[nodiscard]] qint64 Retomavel(const TFluxo& fluxo) const;
    int BuscaFiltrada(const TRegistro* de, TGetMode modo, const TAceita& aceita, TRegistro& registro, qint64 retomada);
    QStringList FCamposNome;
    [[nodiscard]] QString IndiceDaOrdem() const;
    void MontaTextosEsquema();
    // One of the texts that read, write or delete a row by its key.
    const QString& SqlPorChave(QString TCursorTabela::*texto);
    void Reconstroi();
    // `soFiltros`: only the columns handed to the record filters changed since the texts were made.
    void GaranteTextos(bool soFiltros = false);
    void MontaTextos();
    // The WHERE of the range and the expressions; with `apos`, of the walks that go on after
    // (gmNext) or before (gmPrior) a key.
    [[nodiscard]] QString Onde(std::optional<TGetMode> apos) const;
    void MontaValoresOnde();
    void EsqueceFiltradas();
    struct TTextosGuardados {
        QString Onde, OrdemCrescente, OrdemDecrescente;
        QString Primeiro, Ultimo, Proximo, Anterior, Bookmark, Compara, Conta, Numero, Posicao;
        std::array<QString, 4> FiltroChave, FiltroPosicao;
        std::vector<int> Argumento, ArgumentosChave;
    };
    [[nodiscard]] QString FormaAtual() const;
    void TrocaTextos(TTextosGuardados& guardados, bool guarda);
    TComando& Prepara(const QString& sql);
    std::shared_ptr<TComando> PreparaCompartilhado(const QString& sql);
    void EsqueceComandos();
    // A row under test by the filters, read column by column inside the engine; outside it, the
    // first row of a walk read whole, whose columns the filters read are noted.
    class TLinhaFiltrada final : public TFonteRegistro {
    public:
        explicit TLinhaFiltrada(TCursorTabela& cursor)
            : FCursor(cursor)
        {}
        void Le(int coluna) override;

    private:
        TCursorTabela& FCursor;
    };
    enum class TSondagem { SemLinha, Recusada, Aceita, Perturbada };
    // Reads the first row of the walk without the filters and asks them about it.
    TSondagem SondaPrimeira(bool frente, const TAceita& aceita, TRegistro& registro);
    int Avalia(int argumentos, sqlite3_value** valores) noexcept override;
    void LeColunaFiltrada(int coluna);
    void LeLinhaFiltradaInteira();
    void MontaColunasFiltro();
    void MontaSqlFiltro();
    void AprendeColunas();
    static int TipoFiltrada(bool continua, bool frente);
    bool PlanoNaTabela(int tipo);
    // SQLite sorts the rows of the walk after asking the filters about them.
    bool OrdenaAoFiltrar(int tipo);
    // The text whose plan PlanoNaTabela reads for a walk's statement.
    [[nodiscard]] QString TextoDoPlano(const QString& sql) const;
    // A statement of the searches that call back between their steps (key searches, Locate),
    // kept for reuse; while one search steps it, a search begun by the callback gets its own.
    std::shared_ptr<TComando> Empresta(const QString& sql);
    [[nodiscard]] const QString& SqlChave(int campos, TModoChave modo);
    void LigaOnde(TComando& comando, int& posicao) const;
    void LigaChave(TComando& comando, int& posicao, const std::vector<QVariant>& chave) const;
    [[nodiscard]] std::vector<QVariant> Chave(const TRegistro& registro) const;
    // "(first fields) operador (?,...)": the row value of the order's first fields against as
    // many values.
    [[nodiscard]] QString Comparacao(int quantidade, const char* operador) const;
    [[nodiscard]] QString OndeChavePrimaria() const;
    void LigaBookmark(TComando& comando, int& posicao, const TBookmark& marca) const;
    void Le(const TComando& comando, TRegistro& registro);
    bool PrimeiroAceito(TComando& comando, const TAceita& aceita, TRegistro& registro);
    [[nodiscard]] QVariant ValorParaGravar(const TRegistro& registro, int coluna) const;
    // Every column of the table would be written as it stands in `original`.
    [[nodiscard]] bool MesmosValores(const TRegistro& registro, const TRegistro& original) const;

    std::shared_ptr<TDatabase> FBanco;
    TEsquemaTabela FEsquema;
    bool FSomenteLeitura;
    QString FSelecao;           // SELECT ... FROM "table"
    QString FSelecaoOrdenada;   // the same, walking the order's own index when it can give the order
    QString FSqlLinha, FSqlInsere, FSqlAltera, FSqlApaga;   // by the schema, made on first use
    std::vector<int> FColunasChave;                         // of the primary key's fields
    int FPrimeiraColuna = 0;                                // 1 when the rowid comes first
    QStringList FCamposOrdem;
    const TIndexDef* FIndice = nullptr;
    QString FNomeIndice;   // of FIndice, "" the primary
    std::vector<TColunaOrdem> FOrdem;
    std::optional<TLimite> FInicio;
    std::optional<TLimite> FFim;
    std::vector<TClausulaSql> FExpressoes;
    std::optional<std::pair<QByteArray, TClausulaSql>> FTraduzida;   // the last one AceitaExpressao translated
    QString FOnde;
    quint64 FVersaoOnde = 0;   // counts the changes of FOnde's values
    QString FOrdemCrescente;
    // By the order, range and filters:
    QString FSqlPrimeiro, FSqlUltimo, FSqlProximo, FSqlAnterior;
    QString FSqlBookmark, FSqlCompara, FSqlConta, FSqlNumero, FSqlPosicao;
    std::array<std::vector<QString>, 3> FSqlChave;   // per search mode, by the number of fields; made on use
    std::vector<QVariant> FValoresOnde;
    bool FTextosProntos = false;   // FOnde, FValoresOnde and the texts above, by the order, range and filters
    QHash<QString, std::shared_ptr<TComando>> FComandos;
    QHash<QString, std::shared_ptr<TComando>> FBuscas;
    quint64 FLeituras = 0;
    TFluxo FFrente;
    TFluxo FTras;

    // Filtering inside the engine.
    std::vector<int> FColunasFiltro;     // read by the filters so far, handed to the function
    std::vector<int> FArgumentosChave;   // the arguments of the key (the rowid, or the primary key's fields)
    // Per walk (first, last, after, before): with the key handed over or not; which one SQLite's
    // plan allows (-1 not asked yet, 0 the key, 1 the place, 2 the key but sorted), as of which
    // change of the database.
    std::array<QString, 4> FSqlFiltroChave, FSqlFiltroPosicao;
    std::array<int, 4> FModoFiltro{-1, -1, -1, -1};
    std::array<quint64, 4> FGeracaoPlano{};
    std::vector<int> FArgumento;   // per column, its argument; -1 when not handed over
    std::vector<char> FTexto;      // per column: read as text (not vector<bool>: read per value of every row)
    std::vector<int> FAprender;    // columns read with the whole row, to be handed over from the next walk
    bool FSondado = false;         // the filters were asked about a first row outside the engine
    bool FSondando = false;        // ... and are being asked now
    QString FOrdemDecrescente;
    TFluxo FFrenteFiltro;
    TFluxo FTrasFiltro;
    TComando* FRodando = nullptr;   // the statement stepping the filters, while it steps
    TFluxo* FFluxoRodando = nullptr;
    const TAceita* FAceita = nullptr;
    bool FInterrompido = false;
    bool FReaprender = false;      // stopped after a refused row that read a column with the whole row
    std::exception_ptr FExcecao;   // thrown by a filter inside the engine
    TLinhaFiltrada FFonte{*this};
    TRegistro FLinha;
    sqlite3_value** FArgumentos = nullptr;
    int FQuantosArgumentos = 0;
    std::vector<quint64> FLidaEm;   // per column, the row (FNumeroLinha) it was read for
    quint64 FNumeroLinha = 0;
    quint64 FAtividadePropria = 0;   // statements the cursor itself ran during a filter
};
