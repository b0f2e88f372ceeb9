#include "components/data/datasets/TdvTable.h"

#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/datasets/dvFilter.h"
#include "components/data/datasets/dvIndexSearch.h"
#include "components/data/qbe/TdvQbeParser.h"
#include "components/data/qbe/dvRunQbe.h"
#include "components/data/settings/dvPictureMasks.h"
#include "components/data/settings/dvSettingLines.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TControlesDesligados.h"
#include "platform/db/cursors/TCursorConsulta.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"

namespace {

// Raises the nested-operation counter for a scope.
class TOperacaoAninhada {
public:
    explicit TOperacaoAninhada(int& contador)
        : FContador(contador)
    {
        ++FContador;
    }
    ~TOperacaoAninhada() { --FContador; }
    TOperacaoAninhada(const TOperacaoAninhada&) = delete;
    TOperacaoAninhada& operator=(const TOperacaoAninhada&) = delete;

private:
    int& FContador;
};

// Why a pack failed, for the user: an engine failure gives only its cause in the user's words
// (a full disk must be freed before a retry can succeed) and nothing when it names none; SQLite's
// own text goes to the log for whoever helps them.
QString MotivoDaFalha(const std::exception& e)
{
    if (const auto* motor = dynamic_cast<const EDBEngineError*>(&e)) {
        qWarning("database engine: %s", e.what());
        return motor->Motivo();
    }
    return QString::fromUtf8(e.what()).left(128);
}

void Aviso(const QString& texto)
{
    InterfaceUsuario::Mostra(texto, TipoDialogo::Aviso, Botao::Ok);
}

QString TextoDoValor(const QVariant& valor)
{
    switch (valor.typeId()) {
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return TField::TextoDeFloat(valor.toDouble());
    default:
        return valor.toString();
    }
}

}   // namespace

TdvTable::TdvTable() = default;

TdvTable::~TdvTable()
{
    CloseOnDestroy();
    for (const auto& aviso : FAvisos) {
        if (auto vivo = aviso.lock())
            *vivo = true;
    }
}

// ---- filter ----

QString TdvTable::JoinFilterLines(const QStringList& linhas)
{
    QString expressao;
    for (QString linha : linhas) {
        while (!linha.isEmpty() && (linha.back() == QLatin1Char(' ') || linha.back() == QLatin1Char('\t')))
            linha.chop(1);
        if (linha.isEmpty())
            continue;
        if (expressao.isEmpty())
            expressao = linha;
        else
            expressao += QStringLiteral(" AND (") + linha + QLatin1Char(')');
    }
    return expressao;
}

QString TdvTable::JoinedDvFilter() const
{
    return JoinFilterLines(FDvFilter);
}

void TdvTable::SetdvFilter(const QStringList& linhas)
{
    FDvFilter = linhas;
    if (State() == dsInactive)
        return;
    if (!dvSetFilterExpression(JoinedDvFilter(), this, FFiltroExpressao, false))
        Aviso(QStringLiteral("Fail to set filter"));
}

bool TdvTable::RefreshDvFilter()
{
    const bool resultado = dvSetFilterExpression(JoinedDvFilter(), this, FFiltroExpressao, FAbrindo);
    if (FOnFilter)
        InstallFilterCallback();
    return resultado;
}

// ---- query text ----

void TdvTable::SetQuery(const QStringList& linhas)
{
    Close();
    if (!linhas.isEmpty()) {
        TTable::SetTableName(QString());
        SetIndexFieldNames(QString());
        MasterSource = nullptr;
        MasterFields.clear();
    }
    FQuery = linhas;
}

void TdvTable::SetTableName(const QString& nome)
{
    TTable::SetTableName(nome);
    if (!nome.isEmpty())
        FQuery.clear();
}

void TdvTable::OpenCursor()
{
    if (!FQuery.isEmpty()) {
        const QString primeira = FQuery.front().trimmed().section(QLatin1Char(' '), 0, 0).toLower();
        FLinguagemQuery = primeira == QLatin1String("query") ? QStringLiteral("QBE") : QStringLiteral("SQL");
    }
    TdvDataSet<TTable>::OpenCursor();
    FParadoxAberto = IsParadoxTable();
}

std::unique_ptr<TCursor> TdvTable::CreateCursor()
{
    if (FQuery.isEmpty())
        return TdvDataSet<TTable>::CreateCursor();
    if (FLinguagemQuery == QLatin1String("QBE")) {
        // Lines joined by CR LF, blanks counting as zero; a text that would change data is
        // refused before it runs, as a table must have rows to show.
        const TdvQbeQuery consulta = TdvQbeParser::Parse(dvStringsToText(FQuery, false));
        if (consulta.ChangesData())
            throw EDatabaseError(
                QStringLiteral("Table %1: a query-by-example text that changes data has no rows to show").arg(Name()));
        return dvRunQbe(*OpenDatabase(), consulta, true);
    }
    return std::make_unique<TCursorConsulta>(*OpenDatabase(), FQuery.join(QLatin1Char(' ')),
                                             std::vector<std::pair<QString, QVariant>>());
}

void TdvTable::PrepareCursor()
{
    TTable::PrepareCursor();
    FAbrindo = true;
    try {
        if (!JoinedDvFilter().isEmpty() || FOnFilter)
            RefreshDvFilter();
    } catch (...) {
        FAbrindo = false;
        throw;
    }
    FAbrindo = false;
}

void TdvTable::CloseCursor()
{
    TdvDataSet<TTable>::CloseCursor();
    FFiltroExpressao = 0;   // went with the cursor
    FParadoxAberto = false;
}

bool TdvTable::InternalIsSequenced()
{
    return TdvDataSet<TTable>::InternalIsSequenced() && !FOnFilter && JoinedDvFilter().isEmpty();
}

QByteArray TdvTable::CompileFilterText(const QString& texto)
{
    const QByteArray compilada = dvParseFilterExpression(texto, this);
    if (compilada.isEmpty())
        throw EDatabaseError(QStringLiteral("Fail to set filter"));
    return compilada;
}

// ---- packing ----

bool TdvTable::IsParadoxTable() const
{
    if (TableType() == ttParadox)
        return true;
    const QString nome = TableName().toLower();
    return TableType() == ttDefault && nome.contains(QLatin1String(".db")) && nome.endsWith(QLatin1Char('b'));
}

bool TdvTable::IsDBaseTable() const
{
    return TableType() == ttDBase || TableName().endsWith(QLatin1String(".dbf"), Qt::CaseInsensitive);
}

bool TdvTable::PackTable(QString& erro)
{
    erro.clear();
    const QString nome = TableName().toLower();
    const bool paradox = TableType() == ttParadox
        || (TableType() == ttDefault && nome.contains(QLatin1String(".db")) && nome.endsWith(QLatin1Char('b')));
    const bool dbase = TableType() == ttDBase || (TableType() == ttDefault && nome.contains(QLatin1String(".dbf")));
    if (!paradox && !dbase) {
        erro = QStringLiteral("Invalid table type for packing.");
        return false;
    }
    const bool exclusivo = Exclusive();
    const bool ativo = Active();
    bool resultado = false;
    DisableControls();
    try {
        Close();
        SetExclusive(true);
        TCursorOcupado ampulheta;
        // Every table lives in the one database file: packing it packs them all.
        OpenDatabase()->Compacta();
        resultado = true;
    } catch (const std::exception& e) {
        erro = MotivoDaFalha(e);
    }
    try {
        Close();
        SetExclusive(exclusivo);
        if (ativo)
            Open();
    } catch (const std::exception& e) {
        if (resultado)
            erro = MotivoDaFalha(e);
        resultado = false;
    }
    EnableControls();
    return resultado;
}

// ---- indexes and keys ----

bool TdvTable::SelectIndexForSelected(const QStringList& selecionados)
{
    if (selecionados.isEmpty())
        return false;
    return SelectIndexForFields(selecionados.front().section(QLatin1Char('\t'), 0, 0));
}

bool TdvTable::SelectIndexForFields(const QString& campos)
{
    TOperacaoAninhada aninhada(FOperacoesAninhadas);
    const QString primeiro = campos.section(QLatin1Char(';'), 0, 0);
    if (IndexFieldCount() > 0 && IndexFields(0)->FieldName().compare(primeiro, Qt::CaseInsensitive) == 0)
        return true;
    const QString nome = GetIndexNameForFields(campos);
    if (nome == QLatin1String("?"))
        return false;
    SetIndexName(nome);
    return true;
}

QString TdvTable::GetIndexNameForFields(const QString& campos)
{
    const std::vector<TIndexDef>* definicoes = &IndexDefs();
    if (definicoes->empty()) {
        UpdateIndexDefs();
        definicoes = &IndexDefs();
    }
    auto igual = [&](const TIndexDef& d) { return d.Fields.compare(campos, Qt::CaseInsensitive) == 0; };
    auto comeca = [&](const TIndexDef& d) {
        return d.Fields.compare(campos, Qt::CaseInsensitive) == 0
            || d.Fields.startsWith(campos + QLatin1Char(';'), Qt::CaseInsensitive);
    };
    for (const auto& teste :
         {std::function<bool(const TIndexDef&)>(igual), std::function<bool(const TIndexDef&)>(comeca)}) {
        for (bool semCaixa : {true, false}) {
            for (const auto& d : *definicoes) {
                if (d.IsCaseInsensitive() == semCaixa && teste(d))
                    return d.Name;
            }
        }
    }
    return QStringLiteral("?");
}

QString TdvTable::GetIndexFields(const QString& nome)
{
    const auto& definicoes = IndexDefs();
    const QString procurado = nome.isEmpty() ? QStringLiteral("PrimaryKey") : nome;
    for (const auto& d : definicoes) {
        if (d.Name.compare(procurado, Qt::CaseInsensitive) == 0)
            return d.Fields;
    }
    if (nome.isEmpty()) {
        for (const auto& d : definicoes) {
            if (d.IsPrimary())
                return d.Fields;
        }
    }
    return {};
}

QString TdvTable::GetTablePicture(const QString&) const
{
    return {};
}

bool TdvTable::LookupFindKey(const QVariantList& valores)
{
    const int campos = IndexFieldCount();
    if (campos == 0)
        return false;
    if (valores.size() > campos) {
        Aviso(QStringLiteral("Table ") + Name() + QStringLiteral(": FindKey has too many lookup values for index ")
              + IndexName());
        return false;
    }
    TOperacaoAninhada aninhada(FOperacoesAninhadas);
    try {
        if (NarrowSearch)
            CancelRange();
        bool igual = !IsEmpty();
        for (int i = 0; i < valores.size() && igual; ++i)
            igual = TextoDoValor(valores[i]).toLower() == IndexFields(i)->AsString().toLower();
        if (igual)
            return true;
        return FindKey(valores);
    } catch (const EDatabaseError& e) {
        Aviso(QStringLiteral("Table ") + Name() + QStringLiteral(": ") + e.Mensagem());
        return false;
    }
}

bool TdvTable::SearchNearest(const QString& texto, int posicaoCampo)
{
    TOperacaoAninhada aninhada(FOperacoesAninhadas);
    return dvIndexSearch(this, texto, posicaoCampo);
}

bool TdvTable::FindFieldValue(const QString& campo, const QString& valor, int tipoBusca, bool diferenciaCaixa)
{
    TOperacaoAninhada aninhada(FOperacoesAninhadas);
    return dvFindMatch(this, valor, campo, tipoBusca, diferenciaCaixa);
}

void TdvTable::ResetRange()
{
    // Only SQL servers reopen the table; this database is a local file.
    CancelRange();
}

void TdvTable::RegisterRecord(const std::shared_ptr<bool>& aviso)
{
    FAvisos.push_back(aviso);
}
