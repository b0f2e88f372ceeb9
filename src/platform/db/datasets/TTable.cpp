#include "platform/db/datasets/TTable.h"

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/cursors/TCursorTabela.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

[[noreturn]] void Erro(const QString& texto)
{
    throw EDatabaseError(texto);
}

}   // namespace

TTable::~TTable()
{
    try {
        Close();
    } catch (const std::exception& e) {
        qWarning("closing table %s: %s", qUtf8Printable(FTableName), e.what());
    }
}

void TTable::SetTableName(const QString& nome)
{
    if (Active())
        Erro(QStringLiteral("Cannot perform this operation on an open dataset"));
    FTableName = nome;
    FIndexDefsLidos = false;
}

void TTable::SetReadOnly(bool somenteLeitura)
{
    if (Active())
        Erro(QStringLiteral("Cannot perform this operation on an open dataset"));
    FReadOnly = somenteLeitura;
}

std::unique_ptr<TCursor> TTable::CreateCursor()
{
    if (FTableName.isEmpty())
        Erro(QStringLiteral("Missing TableName property"));
    auto cursor = std::make_unique<TCursorTabela>(OpenDatabase(), FTableName, FReadOnly);
    cursor->DefineCamposNome(FCamposNome);
    if (!FIndexFieldNames.isEmpty())
        cursor->DefineCamposOrdem(FIndexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    else
        cursor->DefineIndice(FIndexName);
    FIndexDefs = cursor->Esquema().Indices;
    FIndexDefsLidos = true;
    return cursor;
}

void TTable::InternalClose()
{
    for (auto& chave : FChaves)
        chave = TChave();
    FChaveAtual = kiLookup;
    TDBDataSet::InternalClose();
}

TCursorTabela* TTable::CursorTabela() const
{
    return dynamic_cast<TCursorTabela*>(Cursor());
}

TCursorTabela& TTable::ExigeCursorTabela() const
{
    TCursorTabela* cursor = CursorTabela();
    if (!cursor) {
        if (!Active())
            Erro(QStringLiteral("Cannot perform this operation on a closed dataset"));
        Erro(QStringLiteral("Cannot perform this operation on a query"));
    }
    return *cursor;
}

// ---- order ----

void TTable::AplicaOrdem()
{
    TCursorTabela& cursor = ExigeCursorTabela();
    cursor.DefineCamposNome(FCamposNome);
    if (!FIndexFieldNames.isEmpty())
        cursor.DefineCamposOrdem(FIndexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    else
        cursor.DefineIndice(FIndexName);
    LimpaChave(kiCurRangeStart);
    LimpaChave(kiCurRangeEnd);
}

void TTable::TrocaOrdem(const QString& nome, const QString& campos)
{
    if (!Active() || !CursorTabela()) {
        FIndexName = nome;
        FIndexFieldNames = campos;
        return;
    }
    CheckBrowseMode();
    // The order in effect asked for again: the records shown stay as they are (a range in effect
    // goes with any change of order, so it is let go here too).
    if (nome == FIndexName && campos == FIndexFieldNames && !RangeApplied()
        && CursorTabela()->CamposNome() == FCamposNome)
        return;
    const QString nomeAntes = FIndexName;
    const QString camposAntes = FIndexFieldNames;
    FIndexName = nome;
    FIndexFieldNames = campos;
    try {
        AplicaOrdem();
    } catch (...) {
        FIndexName = nomeAntes;
        FIndexFieldNames = camposAntes;
        throw;
    }
    Resync(false);
}

void TTable::SetIndexName(const QString& nome)
{
    TrocaOrdem(nome, QString());
}

void TTable::SetIndexFieldNames(const QString& campos)
{
    TrocaOrdem(campos.isEmpty() ? FIndexName : QString(), campos);
}

int TTable::IndexFieldCount() const
{
    if (TCursorTabela* cursor = CursorTabela())
        return static_cast<int>(cursor->CamposOrdem().size());
    return 0;
}

TField* TTable::IndexFields(int indice) const
{
    TCursorTabela* cursor = CursorTabela();
    if (!cursor || indice < 0 || indice >= static_cast<int>(cursor->CamposOrdem().size()))
        Erro(QStringLiteral("List index out of bounds (%1)").arg(indice));
    return FieldByName(cursor->CamposOrdem()[indice]);
}

const std::vector<TIndexDef>& TTable::IndexDefs()
{
    if (!FIndexDefsLidos)
        UpdateIndexDefs();
    return FIndexDefs;
}

void TTable::UpdateIndexDefs()
{
    if (TCursorTabela* cursor = CursorTabela()) {
        FIndexDefs = cursor->Esquema().Indices;
    } else {
        auto banco = OpenDatabase();
        FIndexDefs = banco->NomeReal(FTableName).isEmpty() ? std::vector<TIndexDef>()
                                                           : TEsquemaTabela::Le(*banco, FTableName).Indices;
    }
    FIndexDefsLidos = true;
}

void TTable::GetIndexNames(QStringList& nomes)
{
    nomes.clear();
    for (const auto& indice : IndexDefs()) {
        if (!indice.Name.isEmpty())
            nomes << indice.Name;
    }
}

// ---- schema ----

bool TTable::Exists()
{
    return !OpenDatabase()->NomeReal(FTableName).isEmpty();
}

void TTable::CreateTable(const std::vector<TFieldDef>& campos, const std::vector<TIndexDef>& indices)
{
    if (Active())
        Erro(QStringLiteral("Cannot perform this operation on an open dataset"));
    TEsquemaTabela::Cria(*OpenDatabase(), FTableName, campos, indices);
    FIndexDefsLidos = false;
}

void TTable::DeleteTable()
{
    if (Active())
        Erro(QStringLiteral("Cannot perform this operation on an open dataset"));
    TEsquemaTabela::Apaga(*OpenDatabase(), FTableName);
    FIndexDefsLidos = false;
}

void TTable::EmptyTable()
{
    if (Active()) {
        CheckBrowseMode();
        ExigeCursorTabela().Esvazia();
        Resync(false);
        return;
    }
    auto banco = OpenDatabase();
    TCursorTabela cursor(banco, FTableName, false);
    cursor.Esvazia();
}

void TTable::AddIndex(const QString& nome, const QString& campos, TIndexOptions opcoes)
{
    if (Active())
        CheckBrowseMode();
    TEsquemaTabela::AdicionaIndice(*OpenDatabase(), FTableName, {nome, campos, opcoes});
    FIndexDefsLidos = false;
    if (TCursorTabela* cursor = CursorTabela()) {
        cursor->RecarregaEsquema();
        FIndexDefs = cursor->Esquema().Indices;
        FIndexDefsLidos = true;
        Resync(false);
    }
}

void TTable::DeleteIndex(const QString& nome)
{
    if (Active())
        CheckBrowseMode();
    TEsquemaTabela::RemoveIndice(*OpenDatabase(), FTableName, nome);
    FIndexDefsLidos = false;
    if (TCursorTabela* cursor = CursorTabela()) {
        if (FIndexName.compare(nome, Qt::CaseInsensitive) == 0)
            FIndexName.clear();
        cursor->RecarregaEsquema();
        FIndexDefs = cursor->Esquema().Indices;
        FIndexDefsLidos = true;
        Resync(false);
    }
}

void TTable::FlushBuffers()
{
    if (Active())
        CheckBrowseMode();
}

// ---- keys and ranges ----

void TTable::LimpaChave(TIndiceChave qual)
{
    // Emptied in place: every search sets a key again, and its buffers keep their room.
    TChave& chave = FChaves[qual];
    std::vector<QVariant> valores = std::move(chave.Buffer.Registro.Valores);
    std::vector<bool> definido = std::move(chave.Buffer.Definido);
    valores.clear();
    definido.clear();
    chave = TChave();
    chave.Buffer.Registro.Valores = std::move(valores);
    chave.Buffer.Definido = std::move(definido);
}

void TTable::IniciaChave(TIndiceChave qual, bool limpa)
{
    ExigeCursorTabela();
    CheckBrowseMode();
    if (limpa)
        LimpaChave(qual);
    FChaveAtual = qual;
    EditaChave(&FChaves[qual].Buffer);
}

std::vector<QVariant> TTable::ValoresChave(const TChave& chave) const
{
    std::vector<QVariant> valores;
    TCursorTabela* cursor = CursorTabela();
    if (!cursor)
        return valores;
    const QStringList& campos = cursor->CamposOrdem();
    const int limite = chave.Campos > 0 ? std::min(chave.Campos, static_cast<int>(campos.size()))
                                        : static_cast<int>(campos.size());
    valores.reserve(static_cast<std::size_t>(limite));
    for (int i = 0; i < limite; ++i) {
        TField* campo = FindField(campos[i]);
        if (!campo)
            break;
        const auto posicao = static_cast<std::size_t>(campo->FieldNo() - 1);
        const bool definido = posicao < chave.Buffer.Definido.size() && chave.Buffer.Definido[posicao];
        if (!definido && chave.Campos == 0)
            break;
        valores.push_back(posicao < chave.Buffer.Registro.Valores.size() ? chave.Buffer.Registro.Valores[posicao]
                                                                         : QVariant());
    }
    return valores;
}

void TTable::DefineValoresChave(TIndiceChave qual, const QVariantList& valores)
{
    IniciaChave(qual, true);
    if (valores.size() > IndexFieldCount()) {
        EditaChave(nullptr);
        Erro(QStringLiteral("Too many key values for index '%1'").arg(FIndexName));
    }
    for (int i = 0; i < valores.size(); ++i)
        IndexFields(i)->SetValue(valores[i]);
    FChaves[qual].Campos = static_cast<int>(valores.size());
}

bool TTable::VaiParaChave(TIndiceChave qual, bool exato, bool exclusivo)
{
    EditaChave(nullptr);
    const std::vector<QVariant> valores = ValoresChave(FChaves[qual]);
    TCursorTabela& cursor = ExigeCursorTabela();
    const auto modo = exato ? TCursorTabela::TModoChave::Igual
                            : (exclusivo ? TCursorTabela::TModoChave::Maior : TCursorTabela::TModoChave::MaiorIgual);
    TRegistro registro;
    bool achou = !valores.empty()
        && cursor.BuscaChave(
            valores, modo, [this](TRegistro& r) { return AcceptRecord(r); }, registro);
    if (!achou && !exato && !valores.empty()) {
        // Past the last key: the last record.
        achou = FetchAccepted(nullptr, gmPrior, registro);
    }
    if (!achou)
        return false;
    if (BeforeScroll)
        BeforeScroll(this);
    PosicionaEm(std::move(registro), true);
    if (AfterScroll)
        AfterScroll(this);
    return true;
}

void TTable::SetKey()
{
    IniciaChave(kiLookup, true);
}

void TTable::EditKey()
{
    IniciaChave(kiLookup, false);
}

bool TTable::GotoKey()
{
    ExigeCursorTabela();
    return VaiParaChave(kiLookup, true, false);
}

void TTable::GotoNearest()
{
    ExigeCursorTabela();
    VaiParaChave(kiLookup, false, FChaves[kiLookup].Buffer.Exclusivo);
}

bool TTable::FindKey(const QVariantList& valores)
{
    DefineValoresChave(kiLookup, valores);
    return VaiParaChave(kiLookup, true, false);
}

void TTable::FindNearest(const QVariantList& valores)
{
    DefineValoresChave(kiLookup, valores);
    VaiParaChave(kiLookup, false, FChaves[kiLookup].Buffer.Exclusivo);
}

void TTable::SetRangeStart()
{
    IniciaChave(kiRangeStart, true);
}

void TTable::SetRangeEnd()
{
    IniciaChave(kiRangeEnd, true);
}

void TTable::EditRangeStart()
{
    IniciaChave(kiRangeStart, false);
}

void TTable::EditRangeEnd()
{
    IniciaChave(kiRangeEnd, false);
}

void TTable::AplicaFaixaNoCursor()
{
    auto limite = [&](TIndiceChave qual) -> std::optional<TCursorTabela::TLimite> {
        std::vector<QVariant> valores = ValoresChave(FChaves[qual]);
        if (valores.empty())
            return std::nullopt;
        return TCursorTabela::TLimite{std::move(valores), FChaves[qual].Buffer.Exclusivo};
    };
    ExigeCursorTabela().DefineFaixa(limite(kiCurRangeStart), limite(kiCurRangeEnd));
}

void TTable::ApplyRange()
{
    ExigeCursorTabela();
    CheckBrowseMode();
    FChaves[kiCurRangeStart] = FChaves[kiRangeStart];
    FChaves[kiCurRangeEnd] = FChaves[kiRangeEnd];
    AplicaFaixaNoCursor();
    First();
}

bool TTable::RangeApplied() const
{
    return !ValoresChave(FChaves[kiCurRangeStart]).empty() || !ValoresChave(FChaves[kiCurRangeEnd]).empty();
}

void TTable::CancelRange()
{
    ExigeCursorTabela();
    CheckBrowseMode();
    // Without a range in effect the records shown are already the whole table's.
    if (!RangeApplied())
        return;
    LimpaChave(kiCurRangeStart);
    LimpaChave(kiCurRangeEnd);
    AplicaFaixaNoCursor();
    Resync(false);
}

void TTable::SetRange(const QVariantList& inicio, const QVariantList& fim)
{
    DefineValoresChave(kiRangeStart, inicio);
    DefineValoresChave(kiRangeEnd, fim);
    ApplyRange();
}

bool TTable::KeyExclusive() const
{
    return FChaves[FChaveAtual].Buffer.Exclusivo;
}

void TTable::SetKeyExclusive(bool exclusivo)
{
    FChaves[FChaveAtual].Buffer.Exclusivo = exclusivo;
}

int TTable::KeyFieldCount() const
{
    return FChaves[FChaveAtual].Campos;
}

void TTable::SetKeyFieldCount(int quantidade)
{
    FChaves[FChaveAtual].Campos = std::max(0, quantidade);
}
