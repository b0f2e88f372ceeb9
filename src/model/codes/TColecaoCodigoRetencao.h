#pragma once
#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/codes/ICodigosRetencao.h"
#include "model/codes/TCodigoRetencao.h"
#include "model/storage/TColecao.h"

class IDeclaracao;
class TDatabase;

// The withholding codes (table CodRet, read only), found for the calendar year of the open
// declaration. The collection owns the table's schema: on first use the table is created and
// filled from the code file that comes with the program (TArquivoCodigosRetencao); the file's
// digest is kept beside it (table CodRetVer), and when the program ships another file the table
// is replaced by it in one transaction.
class TColecaoCodigoRetencao final : public TColecaoDe<TCodigoRetencao>, public ICodigosRetencao {
public:
    static QString NomeArquivo();   // "CodRet.db"

    // Opens the table for the year Ano. ArquivoCodigos fills an empty table, or replaces the rows
    // of a table filled from another file; empty means the shipped file. Raises EDadosError 142
    // (the table cannot be created, opened or replaced; it is then as it was), 139 (the code file
    // cannot be read; the table is left as it was) or EEspacoEmDiscoError 150.
    explicit TColecaoCodigoRetencao(const QString& Ano, const QString& ArquivoCodigos = QString());
    ~TColecaoCodigoRetencao() override;

    [[nodiscard]] const QString& GetAno() const { return FAno; }
    void SetAno(const QString& Ano) { FAno = Ano; }

    // The ten columns of the current row.
    void LeRegistro(TCodigoRetencao& Codigo) override;

    // Looks for the code in the year and annex flag given, then in that year with either flag,
    // then in any year (the earliest); true when found, the table then standing on that row.
    bool Existe(const QString& Ano, const QString& Codigo, const QString& Anexo);
    // Existe for the collection's year and the object's code; a row found is read into the
    // object, which tells by its year and annex flag which case it was. Answered from memory: the
    // whole table is read on the first call (it is reference data, a few hundred rows, that no
    // one changes while a declaration is open), and the table's position is left alone.
    bool BuscaCodigo(TCodigoRetencao& Codigo, const QString& Anexo) override;
    // A code of four digits already found for the same year and annex flag is copied from memory
    // without making its text; any other goes through BuscaCodigo.
    bool BuscaCodigoLido(TCodigoRetencao& Codigo, QByteArrayView Texto, const QString& Anexo) override;

    // Restrict another open table over CodRet (the choice list of a screen) to the codes of the
    // declaration's year: Filtra to one annex flag, and without the codes of federal public
    // bodies unless the declarant is one (nature code 1); FiltraAnexo to both annex flags,
    // ordered by flag and code. Raise EDadosError 143 when the primary index cannot be selected.
    static void Filtra(const IDeclaracao& Pruv, TdvTable& Tabela, const QString& Anexo);
    static void FiltraAnexo(const IDeclaracao& Pruv, TdvTable& Tabela);

    // The table's schema: its columns and its indexes (the primary one on ANO, ANEXO and
    // COD_RETENCAO; ICodAno; ICod).
    static std::vector<TFieldDef> Campos();
    static std::vector<TIndexDef> Indices();

    // The table that keeps the digest of the code file the rows came from.
    static QString NomeTabelaVersao();   // "CodRetVer"
    // The digest of a code file; empty when it cannot be read.
    [[nodiscard]] static QString Versao(const QString& Caminho);

private:
    [[nodiscard]] static QString VersaoArmazenada(TDatabase& Banco);
    void Preenche(const QString& ArquivoCodigos);
    void Indice(const QString& Nome);
    void CarregaMemoria();
    void Esquece();   // every row found so far

    QString FAno;
    // Every row, in the order of the primary index, and where Existe's three searches find theirs.
    struct TMemoria {
        std::vector<TCodigoRetencao> Linhas;
        QHash<QString, int> PorChave;       // year, annex flag, code
        QHash<QString, int> PorCodigoAno;   // code, year: the first in primary order
        QHash<QString, int> PorCodigo;      // code: the earliest year
    };
    // Read once per database and code file: the rows are the file's whose digest CodRetVer keeps
    // (Preenche replaces them all whenever it changes), so every collection opened on the same
    // database with the same digest shares them.
    // The rows kept for the database and digest (nullptr: none); Nova, when given, is kept instead.
    static std::shared_ptr<const TMemoria> MemoriaGuardada(const std::shared_ptr<TDatabase>& Banco,
                                                           const QString& Versao,
                                                           std::shared_ptr<const TMemoria> Nova = nullptr);
    std::shared_ptr<const TMemoria> FMemoria;
    QString FVersaoTabela;   // the digest the rows came from; empty when unknown
    // The rows found (-1 none) by code, for the year and annex flag of the last search: an
    // import and a save ask for the same few codes item after item.
    // Plain, so that the table below is sized by clearing its memory: a zero Geracao, never
    // FGeracao, marks an entry not found yet.
    struct TAchado {
        std::uint32_t Geracao;   // valid while it is FGeracao, which starts past 0
        int Linha;               // -1: not in the table
    };
    // Four-digit codes by number; sized at the first search, as a declaration made only to be
    // read or checked by its year never searches.
    std::vector<TAchado> FPorNumero;
    std::uint32_t FGeracao = 1;
    QHash<QString, int> FAchados;   // any other code
    QString FUltimoAno;
    QString FUltimoAnexo;
};
