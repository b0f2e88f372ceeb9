#include "platform/db/datasets/TDataSet.h"

#include <algorithm>
#include <limits>
#include <cmath>
#include <utility>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataLink.h"
#include "platform/db/datasets/TDataSource.h"

namespace {

[[noreturn]] void Erro(const QString& texto)
{
    throw EDatabaseError(texto);
}

const QVariant Vazio;

// Whether a field of the record being read holds a searched value.
bool ValorIgual(const TField& campo, const QVariant& procurado, Qt::CaseSensitivity caixa, bool parcial)
{
    if (!procurado.isValid() || procurado.isNull())
        return campo.IsNull();
    if (campo.IsNull())
        return IsTextType(campo.DataType()) && procurado.toString().isEmpty();
    if (IsTextType(campo.DataType()) || procurado.typeId() == QMetaType::QString) {
        const QString texto = campo.AsString();
        const QString alvo = procurado.toString();
        return parcial ? texto.startsWith(alvo, caixa) : texto.compare(alvo, caixa) == 0;
    }
    if (procurado.typeId() == QMetaType::Bool || campo.DataType() == ftBoolean)
        return campo.AsBoolean() == procurado.toBool();
    if (campo.DataType() == ftCurrency)
        return campo.AsFixed4() == std::llround(procurado.toDouble() * 10000.0);
    return campo.AsFloat() == procurado.toDouble();
}

// Puts a record in place of the current one for reading fields (filters, calculations).
class TRegistroTemporario {
public:
    TRegistroTemporario(TDataSetState& estado, TRegistro*& temporario, TDataSetState novoEstado, TRegistro* registro)
        : FEstado(estado)
        , FTemporario(temporario)
        , FEstadoAntes(estado)
        , FTemporarioAntes(temporario)
    {
        FEstado = novoEstado;
        FTemporario = registro;
    }
    ~TRegistroTemporario()
    {
        FEstado = FEstadoAntes;
        FTemporario = FTemporarioAntes;
    }
    TRegistroTemporario(const TRegistroTemporario&) = delete;
    TRegistroTemporario& operator=(const TRegistroTemporario&) = delete;

private:
    TDataSetState& FEstado;
    TRegistro*& FTemporario;
    TDataSetState FEstadoAntes;
    TRegistro* FTemporarioAntes;
};

}   // namespace

TDataSet::TDataSet() = default;

TDataSet::~TDataSet()
{
    // Subclasses close their cursor in their own destructor; here only the links let go.
    FState = dsInactive;
    const auto fontes = FDataSources;
    for (TDataSource* fonte : fontes)
        fonte->SetDataSet(nullptr);
}

void TDataSet::ExigeAtivo() const
{
    if (FState == dsInactive || FState == dsOpening)
        Erro(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::ExigeRegistro() const
{
    if (FJanela.empty())
        Erro(QStringLiteral("Cannot perform this operation on an empty dataset"));
}

// ---- fields ----

TField* TDataSet::Fields(int indice) const
{
    if (indice < 0 || indice >= FieldCount())
        Erro(QStringLiteral("List index out of bounds (%1)").arg(indice));
    return FFields[static_cast<std::size_t>(indice)].get();
}

TField* TDataSet::FindField(const QString& nome) const
{
    // Callers mostly write the name as the field has it: that is looked for first, as bytes.
    for (const auto& campo : FFields) {
        if (campo->FieldName() == nome)
            return campo.get();
    }
    // Names equal but for case have the same length: most fields are passed over on that alone.
    for (const auto& campo : FFields) {
        const QString& nomeCampo = campo->FieldName();
        if (nomeCampo.size() == nome.size() && nomeCampo.compare(nome, Qt::CaseInsensitive) == 0)
            return campo.get();
    }
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& nome) const
{
    TField* campo = FindField(nome);
    if (!campo) {
        const QString nomeDataSet = FName.isEmpty() ? QString() : FName + QStringLiteral(": ");
        Erro(nomeDataSet + QStringLiteral("Field '%1' not found").arg(nome));
    }
    return campo;
}

TField* TDataSet::FieldByNumber(int fieldNo) const
{
    for (const auto& campo : FFields) {
        if (campo->FieldNo() == fieldNo)
            return campo.get();
    }
    return nullptr;
}

void TDataSet::GetFieldNames(QStringList& nomes) const
{
    nomes.clear();
    for (const auto& campo : FFields)
        nomes << campo->FieldName();
}

TField* TDataSet::AddField(std::unique_ptr<TField> campo)
{
    if (Active())
        Erro(QStringLiteral("Cannot perform this operation on an open dataset"));
    if (FindField(campo->FieldName()))
        Erro(QStringLiteral("Duplicate field name '%1'").arg(campo->FieldName()));
    campo->FDataSet = this;
    campo->FPersistente = true;
    FFields.push_back(std::move(campo));
    return FFields.back().get();
}

void TDataSet::CriaCampos()
{
    for (const auto& campo : FFields) {
        if (campo->FieldKind() != fkData)
            continue;
        const bool temColuna = std::any_of(FFieldDefs.begin(), FFieldDefs.end(), [&](const TFieldDef& def) {
            return def.Name.compare(campo->FieldName(), Qt::CaseInsensitive) == 0;
        });
        if (!temColuna)
            Erro(QStringLiteral("Field '%1' not found").arg(campo->FieldName()));
    }
    std::vector<std::unique_ptr<TField>> antigos = std::move(FFields);
    FFields.clear();
    FFields.reserve(FFieldDefs.size() + antigos.size());   // once: the items' table has 46 columns
    for (std::size_t i = 0; i < FFieldDefs.size(); ++i) {
        const TFieldDef& def = FFieldDefs[i];
        std::unique_ptr<TField> campo;
        for (auto& antigo : antigos) {
            if (antigo && antigo->FieldKind() == fkData
                && antigo->FieldName().compare(def.Name, Qt::CaseInsensitive) == 0) {
                campo = std::move(antigo);
                break;
            }
        }
        if (!campo)
            campo = std::make_unique<TField>(def.DataType, def.Name, def.Size);
        campo->FDataSet = this;
        campo->FFieldNo = static_cast<int>(i) + 1;
        campo->FPosicaoValor = static_cast<int>(i);
        FFields.push_back(std::move(campo));
    }
    FColunas = static_cast<int>(FFields.size());
    FTemCalculados = false;
    for (auto& campo : antigos) {
        if (!campo)
            continue;
        campo->FPosicaoValor = static_cast<int>(FFields.size());
        campo->FFieldNo = 0;
        FTemCalculados = true;
        FFields.push_back(std::move(campo));
    }
}

void TDataSet::LiberaCampos()
{
    std::vector<std::unique_ptr<TField>> mantidos;
    for (auto& campo : FFields) {
        if (campo->FPersistente) {
            campo->FFieldNo = 0;
            mantidos.push_back(std::move(campo));
        }
    }
    FFields = std::move(mantidos);
    FColunas = 0;
}

const QVariant& TDataSet::Valor(const TField& campo) const
{
    const TRegistro* registro = RegistroAtivo();
    if (!registro || campo.FPosicaoValor < 0 || campo.FPosicaoValor >= static_cast<int>(registro->Valores.size()))
        return Vazio;
    if (registro->Fonte && campo.FPosicaoValor < FColunas)
        registro->Fonte->Le(campo.FPosicaoValor);
    return registro->Valores[static_cast<std::size_t>(campo.FPosicaoValor)];
}

const TRegistro* TDataSet::RegistroDaChave() const
{
    return FChave ? &FChave->Registro : nullptr;
}

void TDataSet::GravaValor(TField& campo, const QVariant& valor)
{
    const QVariant normal = campo.Normaliza(valor);
    const auto posicao = static_cast<std::size_t>(campo.FPosicaoValor);
    switch (FState) {
    case dsSetKey:
        if (FChave && posicao < FChave->Registro.Valores.size()) {
            FChave->Registro.Valores[posicao] = normal;
            FChave->Definido[posicao] = true;
        }
        return;
    case dsCalcFields:
        if (campo.FieldKind() == fkData)
            Erro(QStringLiteral("Field '%1' cannot be modified").arg(campo.DisplayName()));
        FTemporario->Valores[posicao] = normal;
        return;
    case dsEdit:
    case dsInsert:
        break;
    default:
        Erro(QStringLiteral("Dataset not in edit or insert mode"));
    }
    if ((campo.FieldKind() == fkData && !campo.CanModify())
        || campo.Calculated() != (campo.FieldKind() == fkInternalCalc) || campo.Lookup())
        Erro(QStringLiteral("Field '%1' cannot be modified").arg(campo.DisplayName()));
    TRegistro& registro = FJanela[static_cast<std::size_t>(FAtivo)];
    QVariant anterior = registro.Valores[posicao];
    registro.Valores[posicao] = normal;
    registro.Leitura = 0;   // no longer the row its cursor read
    if (campo.OnValidate) {
        try {
            campo.OnValidate(&campo);
        } catch (...) {
            registro.Valores[posicao] = anterior;
            throw;
        }
    }
    if (campo.FieldKind() == fkData || campo.FieldKind() == fkInternalCalc)
        FModified = true;
    if (FTemCalculados && campo.FieldKind() == fkData)
        ComputeCalcFields(registro);
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(&campo));
    if (campo.OnChange)
        campo.OnChange(&campo);
}

void TDataSet::NovoRegistro(TRegistro& registro)
{
    registro.Valores.assign(FFields.size(), QVariant());
    for (const auto& campo : FFields) {
        if (campo->FieldKind() == fkData && IsTextType(campo->DataType()))
            registro.Valores[static_cast<std::size_t>(campo->FPosicaoValor)] = QString();
    }
    registro.RowId = 0;
    registro.Leitura = 0;
}

void TDataSet::ComputeCalcFields(TRegistro& registro)
{
    if (!FTemCalculados)
        return;
    TRegistroTemporario temporario(FState, FTemporario, dsCalcFields, &registro);
    registro.Valores.resize(FFields.size());
    for (const auto& campo : FFields) {
        if (campo->FieldKind() == fkData)
            continue;
        auto& valor = registro.Valores[static_cast<std::size_t>(campo->FPosicaoValor)];
        valor = QVariant();
        if (campo->FieldKind() != fkLookup || !campo->LookupDataSet || !campo->LookupDataSet->Active())
            continue;
        const QStringList chaves = campo->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QVariantList valores;
        for (const QString& chave : chaves) {
            TField* origem = FindField(chave);
            valores << (origem ? origem->Value() : QVariant());
        }
        valor = campo->Normaliza(
            campo->LookupDataSet->Lookup(campo->LookupKeyFields, valores, campo->LookupResultField));
    }
    DoOnCalcFields();
}

void TDataSet::DoOnCalcFields()
{
    if (OnCalcFields)
        OnCalcFields(this);
}

// ---- opening ----

void TDataSet::SetActive(bool ativo)
{
    if (ativo)
        Open();
    else
        Close();
}

void TDataSet::OpenCursor()
{
    InternalOpen();
}

void TDataSet::CloseCursor()
{
    InternalClose();
}

void TDataSet::Open()
{
    if (Active())
        return;
    if (BeforeOpen)
        BeforeOpen(this);
    FState = dsOpening;
    try {
        OpenCursor();
        CriaCampos();
        AtualizaFiltroTexto();
        PrepareCursor();
        FBufferCount = RecalculaBufferCount();
        LimpaJanela();
        if (Adiando()) {
            FReposicao = TReposicao::Primeiro;   // read when the deferral ends, as it leaves the table
        } else {
            TRegistro registro;
            if (FetchAccepted(nullptr, gmNext, registro)) {
                PreencheJanela(std::move(registro), 0);
                FPrimeiro = BookmarkOf(FJanela.front());
            }
        }
    } catch (...) {
        FState = dsInactive;
        try {
            CloseCursor();
        } catch (const std::exception& e) {
            qWarning("closing a cursor that failed to open: %s", e.what());
        }
        LiberaCampos();
        LimpaJanela();
        DropAllFilters();
        throw;
    }
    FBof = true;
    FEof = FJanela.empty();
    FState = dsInactive;
    SetState(dsBrowse);
    if (AfterOpen)
        AfterOpen(this);
    if (!FJanela.empty() && AfterScroll)
        AfterScroll(this);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    if (BeforeClose)
        BeforeClose(this);
    FOriginal.reset();
    FChave = nullptr;
    SetState(dsInactive);
    try {
        CloseCursor();
    } catch (...) {
        LiberaCampos();
        LimpaJanela();
        throw;
    }
    LiberaCampos();
    LimpaJanela();
    DropAllFilters();
    if (AfterClose)
        AfterClose(this);
}

void TDataSet::SetState(TDataSetState estado)
{
    if (FState == estado)
        return;
    FState = estado;
    FModified = false;
    DataEvent(deUpdateState, 0);
}

// ---- the window of held records ----

void TDataSet::LimpaJanela()
{
    FJanela.clear();
    FAtivo = 0;
    FBof = true;
    FEof = true;
    EsqueceExtremos();
}

void TDataSet::EsqueceExtremos()
{
    FPrimeiro.reset();
    FUltimo.reset();
}

int TDataSet::RecalculaBufferCount() const
{
    int maior = 1;
    for (const TDataSource* fonte : FDataSources)
        maior = std::max(maior, fonte->MaiorBufferCount());
    return maior;
}

bool TDataSet::FetchAccepted(const TRegistro* de, TGetMode modo, TRegistro& registro)
{
    // A fetch started by a callback filter reads as the dataset does, outside the cursor's walk.
    if (FNivelFiltro == 0 && !FTemCalculados && HasFilterCallbacks()) {
        const int achou = FetchFilteredRecord(de, modo, registro);
        if (achou >= 0) {
            registro.Valores.resize(FFields.size());
            return achou == 1;
        }
    }
    TRegistro recusado;
    const TRegistro* referencia = de;
    for (;;) {
        if (!FetchRecord(referencia, modo, registro))
            return false;
        registro.Valores.resize(FFields.size());
        if (FTemCalculados)
            ComputeCalcFields(registro);
        if (Aceita(registro))
            return true;
        std::swap(recusado, registro);
        referencia = &recusado;
    }
}

bool TDataSet::AcceptRecord(TRegistro& registro)
{
    registro.Valores.resize(FFields.size());
    if (FTemCalculados)
        ComputeCalcFields(registro);
    return Aceita(registro);
}

void TDataSet::DropAllFilters()
{
    const bool tinhaExpressao = !ActiveFilterExpressions().empty();
    FFiltros.clear();
    FiltrosMudaram();
    FHandleFiltroTexto = 0;
    if (tinhaExpressao && Active())
        FiltersChanged();
}

bool TDataSet::HasFilterCallbacks() const
{
    if (FFiltered && OnFilterRecord)
        return true;
    return std::any_of(FFiltros.begin(), FFiltros.end(), [](const TFiltro& f) { return f.Ativo && f.Aceita; });
}

bool TDataSet::Aceita(TRegistro& registro)
{
    // Asked for every row of a filtered walk: callbacks gathered since the filters last changed
    // answer without walking the filters again.
    if ((!FCallbacksAtivos || FCallbacksAtivos->empty()) && !HasFilterCallbacks())
        return true;
    bool aceito = true;
    ++FNivelFiltro;
    try {
        TRegistroTemporario temporario(FState, FTemporario, dsFilter, &registro);
        if (!FCallbacksAtivos) {
            auto funcoes = std::make_shared<std::vector<std::function<bool()>>>();
            for (const auto& filtro : FFiltros) {
                if (filtro.Ativo && filtro.Aceita)
                    funcoes->push_back(filtro.Aceita);
            }
            FCallbacksAtivos = std::move(funcoes);
        }
        const auto* funcoes = FCallbacksAtivos.get();
        for (const auto& funcao : *funcoes) {
            aceito = funcao();
            if (!aceito)
                break;
        }
        if (aceito && FFiltered && OnFilterRecord)
            OnFilterRecord(this, aceito);
    } catch (...) {
        --FNivelFiltro;
        if (FNivelFiltro == 0)
            FCallbacksAntigos.clear();
        if (FNivelFiltro == 0 && FGuardado) {
            FJanela = std::move(FGuardado->Janela);
            FGuardado.reset();
        }
        throw;
    }
    --FNivelFiltro;
    if (FNivelFiltro == 0)
        FCallbacksAntigos.clear();
    if (FNivelFiltro == 0 && FGuardado) {
        // The callback moved the dataset: put back what the fetch was working on.
        FJanela = std::move(FGuardado->Janela);
        FAtivo = FGuardado->Ativo;
        FBof = FGuardado->Bof;
        FEof = FGuardado->Eof;
        FGuardado.reset();
    }
    return aceito;
}

void TDataSet::GuardaSeEmFiltro()
{
    if (FNivelFiltro == 0 || FGuardado)
        return;
    FGuardado = TEstadoGuardado{std::move(FJanela), FAtivo, FBof, FEof, FState, FTemporario};
    FJanela.clear();
    FAtivo = 0;
    FState = dsBrowse;
    FTemporario = nullptr;
}

void TDataSet::PreencheJanela(TRegistro ancora, int posicao)
{
    FJanela.clear();
    FJanela.push_back(std::move(ancora));
    int antes = 0;
    TRegistro registro;
    const auto cabe = [this] { return static_cast<int>(FJanela.size()) < FBufferCount; };
    bool noInicio = false;
    const auto antecede = [&] {
        noInicio = !EstendeJanela(gmPrior, registro);
        antes += noInicio ? 0 : 1;
        return !noInicio;
    };
    while (antes < posicao && cabe() && antecede()) {}
    while (cabe() && EstendeJanela(gmNext, registro)) {}
    while (!noInicio && cabe() && antecede()) {}
    FAtivo = antes;
}

bool TDataSet::EstendeJanela(TGetMode modo, TRegistro& registro)
{
    const bool frente = modo == gmNext;
    const TRegistro& ponta = frente ? FJanela.back() : FJanela.front();
    // A fetch that finds nothing past an end of the window tells, for free, which record ends
    // the dataset there.
    if (!FetchAccepted(&ponta, modo, registro)) {
        (frente ? FUltimo : FPrimeiro) = BookmarkOf(ponta);
        return false;
    }
    if (frente)
        FJanela.push_back(std::move(registro));
    else
        FJanela.insert(FJanela.begin(), std::move(registro));
    return true;
}

void TDataSet::PosicionaEm(TRegistro registro, bool centra)
{
    PreencheJanela(std::move(registro), centra ? (FBufferCount - 1) / 2 : FAtivo);
    FBof = false;
    FEof = false;
    DataEvent(deDataSetChange, 0);
}

void TDataSet::Resync(bool centra)
{
    // Read again because the records may have changed: which are the first and the last too.
    EsqueceExtremos();
    if (Adiando() && !centra) {
        FReposicao = FReposicao == TReposicao::Nenhuma || FReposicao == TReposicao::Resync ? TReposicao::Resync
                                                                                           : TReposicao::PrimeiroResync;
        return;
    }
    TRegistro ancora;
    bool achou = false;
    if (!FJanela.empty()) {
        const TRegistro antigo = FJanela[static_cast<std::size_t>(FAtivo)];
        if (FetchBookmark(BookmarkOf(antigo), ancora)) {
            ancora.Valores.resize(FFields.size());
            if (FTemCalculados)
                ComputeCalcFields(ancora);
            achou = Aceita(ancora);
        }
        if (!achou)
            achou = FetchAccepted(&antigo, gmNext, ancora) || FetchAccepted(&antigo, gmPrior, ancora);
    } else {
        achou = FetchAccepted(nullptr, gmNext, ancora);
    }
    if (achou) {
        PreencheJanela(std::move(ancora), centra ? (FBufferCount - 1) / 2 : FAtivo);
        FBof = false;
        FEof = false;
    } else {
        LimpaJanela();
    }
    DataEvent(deDataSetChange, 0);
}

void TDataSet::SetBufferCount(int quantidade)
{
    quantidade = std::max(1, quantidade);
    if (quantidade == FBufferCount)
        return;
    FBufferCount = quantidade;
    if (!Active() || FJanela.empty())
        return;
    if (static_cast<int>(FJanela.size()) > quantidade) {
        const int tirarFrente = std::max(0, FAtivo - quantidade + 1);
        FJanela.erase(FJanela.begin(), FJanela.begin() + tirarFrente);
        FAtivo -= tirarFrente;
        FJanela.resize(static_cast<std::size_t>(quantidade));
        return;
    }
    if (FState == dsInsert)
        return;   // the new record is not in the cursor yet; the window grows at the next move
    TRegistro registro;
    while (static_cast<int>(FJanela.size()) < FBufferCount && EstendeJanela(gmNext, registro)) {}
    int naFrente = 0;
    while (static_cast<int>(FJanela.size()) < FBufferCount && EstendeJanela(gmPrior, registro)) {
        ++FAtivo;
        ++naFrente;
    }
    // The links keep showing the same records in the same rows.
    if (naFrente > 0) {
        for (TDataSource* fonte : FDataSources)
            fonte->DeslocaLinks(naFrente);
    }
}

void TDataSet::SetActiveRecord(int indice)
{
    if (indice >= 0 && indice < static_cast<int>(FJanela.size()))
        FAtivo = indice;
}

// ---- navigation ----

void TDataSet::DoAfterScroll()
{
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::First()
{
    ExigeAtivo();
    GuardaSeEmFiltro();
    CheckBrowseMode();
    if (Adiando()) {
        FReposicao = TReposicao::Primeiro;   // what waited before reads nothing the first record needs
        return;
    }
    if (BeforeScroll)
        BeforeScroll(this);
    LimpaJanela();
    TRegistro registro;
    if (FetchAccepted(nullptr, gmNext, registro)) {
        PreencheJanela(std::move(registro), 0);
        FPrimeiro = BookmarkOf(FJanela.front());
        FEof = false;
    }
    FBof = true;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

void TDataSet::AdiaReposicao()
{
    ++FAdiamentos;
}

void TDataSet::Repoe()
{
    if (FAdiamentos == 0 || --FAdiamentos > 0)
        return;
    const TReposicao reposicao = std::exchange(FReposicao, TReposicao::Nenhuma);
    if (!Active() || reposicao == TReposicao::Nenhuma)
        return;
    if (reposicao == TReposicao::Resync) {
        Resync(false);
        return;
    }
    First();
    if (reposicao == TReposicao::PrimeiroResync && !FJanela.empty()) {
        // A Resync right after First finds the same record in the same row; it only leaves the
        // dataset off its beginning.
        FBof = false;
        FEof = false;
        DataEvent(deDataSetChange, 0);
    }
}

void TDataSet::Last()
{
    ExigeAtivo();
    GuardaSeEmFiltro();
    CheckBrowseMode();
    if (BeforeScroll)
        BeforeScroll(this);
    LimpaJanela();
    TRegistro registro;
    if (FetchAccepted(nullptr, gmPrior, registro)) {
        PreencheJanela(std::move(registro), FBufferCount - 1);
        FUltimo = BookmarkOf(FJanela.back());
        FBof = false;
    }
    FEof = true;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

bool TDataSet::BuscaNaJanela(TGetMode modo)
{
    // The storage of the record that last left the window, so that a walk does not allocate a
    // record per row.
    // Its values stay: the cursor writes over them in place.
    TRegistro registro = std::exchange(FReciclado, TRegistro());
    registro.RowId = 0;
    registro.Leitura = 0;
    if (FJanela.empty()) {
        if (!FetchAccepted(nullptr, modo, registro))
            return false;
        FJanela.push_back(std::move(registro));
    } else if (!EstendeJanela(modo, registro)) {
        return false;
    }
    FAtivo = modo == gmNext ? static_cast<int>(FJanela.size()) - 1 : 0;
    return true;
}

int TDataSet::MoveBy(int distancia)
{
    ExigeAtivo();
    GuardaSeEmFiltro();
    CheckBrowseMode();
    int resultado = 0;
    if (BeforeScroll)
        BeforeScroll(this);
    if ((distancia > 0 && !FEof) || (distancia < 0 && !FBof)) {
        FBof = false;
        FEof = false;
        const int ativoAntes = FAtivo;
        int deslocamento = 0;
        while (distancia > 0) {
            if (FAtivo < static_cast<int>(FJanela.size()) - 1) {
                ++FAtivo;
            } else {
                if (!BuscaNaJanela(gmNext)) {
                    FEof = true;
                    break;
                }
                if (static_cast<int>(FJanela.size()) > FBufferCount) {
                    FReciclado = std::move(FJanela.front());
                    FJanela.erase(FJanela.begin());
                    --FAtivo;
                    ++deslocamento;
                }
            }
            --distancia;
            ++resultado;
        }
        while (distancia < 0) {
            if (FAtivo > 0) {
                --FAtivo;
            } else {
                if (!BuscaNaJanela(gmPrior)) {
                    FBof = true;
                    break;
                }
                if (static_cast<int>(FJanela.size()) > FBufferCount) {
                    FReciclado = std::move(FJanela.back());
                    FJanela.pop_back();
                    --deslocamento;
                }
            }
            ++distancia;
            --resultado;
        }
        if (FJanela.empty()) {
            FBof = true;
            FEof = true;
        }
        if (deslocamento != 0 || FAtivo != ativoAntes)
            DataEvent(deDataSetScroll, deslocamento);
        DoAfterScroll();
    }
    return resultado;
}

bool TDataSet::IsEmpty() const
{
    return FJanela.empty();
}

int TDataSet::RecordCount()
{
    ExigeAtivo();
    return InternalRecordCount();
}

int TDataSet::RecordCountAte(int limite)
{
    ExigeAtivo();
    return ContaRegistros(limite + 1);
}

int TDataSet::InternalRecordCount()
{
    return ContaRegistros(std::numeric_limits<int>::max());
}

int TDataSet::ContaRegistros(int limite)
{
    int total = 0;
    TRegistro registro, anterior;
    const TRegistro* de = nullptr;
    while (total < limite && FetchAccepted(de, gmNext, registro)) {
        ++total;
        std::swap(anterior, registro);
        de = &anterior;
    }
    return total;
}

bool TDataSet::IsSequenced()
{
    return Active() && InternalIsSequenced();
}

int TDataSet::RecNo()
{
    ExigeAtivo();
    if (FJanela.empty() || FState == dsInsert)
        return -1;
    return InternalRecNo(FJanela[static_cast<std::size_t>(FAtivo)]);
}

bool TDataSet::TemVizinho(TGetMode modo)
{
    ExigeAtivo();
    if (FJanela.empty() || FState == dsInsert)
        return false;
    // The window's records are those a move would reach first.
    const int ultimo = static_cast<int>(FJanela.size()) - 1;
    if (modo == gmNext ? FAtivo < ultimo : FAtivo > 0)
        return true;
    TRegistro vizinho;
    return FetchAccepted(&RegistroGravado(), modo, vizinho);
}

bool TDataSet::EhExtremo(TGetMode lado)
{
    ExigeAtivo();
    if (FJanela.empty() || FState == dsInsert)
        return false;
    const bool inicio = lado == gmPrior;
    if (inicio ? FBof : FEof)
        return true;
    // The window's records are those a move would reach first.
    if (FAtivo != (inicio ? 0 : static_cast<int>(FJanela.size()) - 1))
        return false;
    std::optional<TBookmark>& extremo = inicio ? FPrimeiro : FUltimo;
    if (!extremo) {
        // Sought from its end, as First and Last seek it: a neighbour fetched from the current
        // record may walk far, where a filter fixes the order's first field and no range
        // bounds the walk.
        TRegistro registro;
        extremo = FetchAccepted(nullptr, inicio ? gmNext : gmPrior, registro) ? BookmarkOf(registro) : TBookmark();
    }
    return !extremo->IsNull() && *extremo == BookmarkOf(RegistroGravado());
}

const TRegistro& TDataSet::RegistroGravado() const
{
    // A record being edited is still where it was stored.
    return FState == dsEdit && FOriginal ? *FOriginal : FJanela[static_cast<std::size_t>(FAtivo)];
}

int TDataSet::InternalRecNo(const TRegistro& registro)
{
    const TBookmark alvo = BookmarkOf(registro);
    int numero = 0;
    TRegistro atual, anterior;
    const TRegistro* de = nullptr;
    while (FetchAccepted(de, gmNext, atual)) {
        ++numero;
        if (BookmarkOf(atual) == alvo)
            return numero;
        std::swap(anterior, atual);
        de = &anterior;
    }
    return -1;
}

bool TDataSet::FetchRecNo(int numero, TRegistro& registro)
{
    TRegistro anterior;
    const TRegistro* de = nullptr;
    for (int i = 1; i <= numero; ++i) {
        if (!FetchAccepted(de, gmNext, registro))
            return false;
        if (i == numero)
            return true;
        std::swap(anterior, registro);
        de = &anterior;
    }
    return false;
}

void TDataSet::SetRecNo(int numero)
{
    ExigeAtivo();
    CheckBrowseMode();
    TRegistro registro;
    if (numero < 1 || !FetchRecNo(numero, registro))
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    PosicionaEm(std::move(registro), false);
    DoAfterScroll();
}

void TDataSet::Refresh()
{
    ExigeAtivo();
    CheckBrowseMode();
    InternalRefresh();
    Resync(false);
}

// ---- bookmarks ----

TBookmark TDataSet::GetBookmark() const
{
    if (!Active() || FJanela.empty() || FState == dsInsert)
        return {};
    return BookmarkOf(FJanela[static_cast<std::size_t>(FAtivo)]);
}

void TDataSet::GotoBookmark(const TBookmark& marca)
{
    ExigeAtivo();
    GuardaSeEmFiltro();
    CheckBrowseMode();
    TRegistro registro;
    bool achou = !marca.IsNull() && FetchBookmark(marca, registro);
    if (achou) {
        registro.Valores.resize(FFields.size());
        if (FTemCalculados)
            ComputeCalcFields(registro);
        achou = Aceita(registro);
    }
    if (!achou)
        Erro(QStringLiteral("Record not found"));
    if (BeforeScroll)
        BeforeScroll(this);
    PosicionaEm(std::move(registro), true);
    DoAfterScroll();
}

bool TDataSet::BookmarkValid(const TBookmark& marca)
{
    if (!Active() || marca.IsNull())
        return false;
    TRegistro registro;
    return FetchBookmark(marca, registro);
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b)
{
    if (a.IsNull() || b.IsNull())
        return a.IsNull() == b.IsNull() ? 0 : (a.IsNull() ? -1 : 1);
    if (a == b)
        return 0;
    return InternalCompareBookmarks(a, b);
}

int TDataSet::InternalCompareBookmarks(const TBookmark& a, const TBookmark& b)
{
    TRegistro atual, anterior;
    const TRegistro* de = nullptr;
    while (FetchAccepted(de, gmNext, atual)) {
        const TBookmark marca = BookmarkOf(atual);
        if (marca == a)
            return -1;
        if (marca == b)
            return 1;
        std::swap(anterior, atual);
        de = &anterior;
    }
    return 0;
}

// ---- searching ----

bool TDataSet::InternalLocate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes,
                              TRegistro& registro, bool& tratado)
{
    tratado = true;
    const QStringList nomes = campos.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    std::vector<TField*> lista;
    for (const QString& nome : nomes)
        lista.push_back(FieldByName(nome));
    if (lista.empty() || static_cast<int>(lista.size()) != valores.size())
        Erro(QStringLiteral("Locate needs one value per field"));
    const Qt::CaseSensitivity caixa = (opcoes & TLocateOption::loCaseInsensitive) ? Qt::CaseInsensitive
                                                                                  : Qt::CaseSensitive;
    const bool parcial = (opcoes & TLocateOption::loPartialKey) != 0;

    TRegistro anterior;
    const TRegistro* de = nullptr;
    while (FetchAccepted(de, gmNext, registro)) {
        bool igual = true;
        {
            TRegistroTemporario temporario(FState, FTemporario, dsFilter, &registro);
            for (std::size_t i = 0; i < lista.size() && igual; ++i) {
                igual = ValorIgual(*lista[i], valores[static_cast<int>(i)], caixa, parcial);
            }
        }
        if (igual)
            return true;
        std::swap(anterior, registro);
        de = &anterior;
    }
    return false;
}

bool TDataSet::Locate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes)
{
    ExigeAtivo();
    GuardaSeEmFiltro();
    CheckBrowseMode();
    TRegistro registro;
    bool tratado = false;
    bool achou = InternalLocate(campos, valores, opcoes, registro, tratado);
    if (!tratado)
        achou = TDataSet::InternalLocate(campos, valores, opcoes, registro, tratado);
    if (!achou)
        return false;
    if (BeforeScroll)
        BeforeScroll(this);
    PosicionaEm(std::move(registro), true);
    DoAfterScroll();
    return true;
}

QVariant TDataSet::Lookup(const QString& campos, const QVariantList& valores, const QString& resultado)
{
    if (!Active())
        return {};
    TRegistro registro;
    bool tratado = false;
    bool achou = InternalLocate(campos, valores, 0, registro, tratado);
    if (!tratado)
        achou = TDataSet::InternalLocate(campos, valores, 0, registro, tratado);
    if (!achou)
        return {};
    registro.Valores.resize(FFields.size());
    TRegistroTemporario temporario(FState, FTemporario, dsFilter, &registro);
    const QStringList nomes = resultado.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (nomes.size() == 1)
        return FieldByName(nomes.front())->Value();
    QVariantList lista;
    for (const QString& nome : nomes)
        lista << FieldByName(nome)->Value();
    return lista;
}

// ---- editing ----

bool TDataSet::CanModify() const
{
    return Active() && InternalCanModify();
}

void TDataSet::Edit()
{
    ExigeAtivo();
    if (FState == dsEdit || FState == dsInsert)
        return;
    if (FJanela.empty()) {
        Append();
        return;
    }
    CheckBrowseMode();
    ExigeModificavel(CanModify());
    if (BeforeEdit)
        BeforeEdit(this);
    TRegistro& atual = FJanela[static_cast<std::size_t>(FAtivo)];
    TRegistro lido;
    if (!FetchBookmark(BookmarkOf(atual), lido))
        Erro(QStringLiteral("Record/key deleted."));
    lido.Valores.resize(FFields.size());
    if (FTemCalculados)
        ComputeCalcFields(lido);
    atual = lido;
    FOriginal = std::move(lido);
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
    if (AfterEdit)
        AfterEdit(this);
}

void TDataSet::IniciaInsercao()
{
    SetState(dsInsert);
    if (OnNewRecord)
        OnNewRecord(this);
    if (FTemCalculados)
        ComputeCalcFields(FJanela[static_cast<std::size_t>(FAtivo)]);
    FModified = false;
    DataEvent(deDataSetChange, 0);
    if (AfterInsert)
        AfterInsert(this);
}

void TDataSet::Insert()
{
    ExigeAtivo();
    CheckBrowseMode();
    ExigeModificavel(CanModify());
    if (BeforeInsert)
        BeforeInsert(this);
    TRegistro novo;
    NovoRegistro(novo);
    if (FJanela.empty()) {
        FJanela.push_back(std::move(novo));
        FAtivo = 0;
    } else {
        FJanela.insert(FJanela.begin() + FAtivo, std::move(novo));
        if (static_cast<int>(FJanela.size()) > FBufferCount)
            FJanela.pop_back();
    }
    FBof = false;
    FEof = false;
    IniciaInsercao();
}

void TDataSet::Append()
{
    ExigeAtivo();
    CheckBrowseMode();
    ExigeModificavel(CanModify());
    if (BeforeInsert)
        BeforeInsert(this);
    LimpaJanela();
    TRegistro registro;
    if (FBufferCount > 1 && FetchAccepted(nullptr, gmPrior, registro)) {
        FJanela.push_back(std::move(registro));
        while (static_cast<int>(FJanela.size()) < FBufferCount - 1
               && FetchAccepted(&FJanela.front(), gmPrior, registro))
            FJanela.insert(FJanela.begin(), std::move(registro));
    }
    TRegistro novo;
    NovoRegistro(novo);
    FJanela.push_back(std::move(novo));
    FAtivo = static_cast<int>(FJanela.size()) - 1;
    FBof = false;
    FEof = true;
    IniciaInsercao();
}

void TDataSet::DoBeforePost()
{
    if (BeforePost)
        BeforePost(this);
}

bool TDataSet::FechaChaveOuEstaEditando()
{
    ExigeAtivo();
    if (FState == dsSetKey) {
        EditaChave(nullptr);
        return false;
    }
    return FState == dsEdit || FState == dsInsert;
}

void TDataSet::Post()
{
    if (!FechaChaveOuEstaEditando())
        return;
    UpdateRecord();
    DataEvent(deCheckBrowseMode, 0);
    DoBeforePost();
    for (const auto& campo : FFields) {
        if (campo->FieldKind() == fkData && campo->Required() && campo->IsNull())
            Erro(QStringLiteral("Field '%1' must have a value").arg(campo->DisplayName()));
    }
    TRegistro& registro = FJanela[static_cast<std::size_t>(FAtivo)];
    InternalPost(registro, FState == dsEdit ? &*FOriginal : nullptr);
    FOriginal.reset();
    SetState(dsBrowse);
    Resync(false);
    if (AfterPost)
        AfterPost(this);
}

void TDataSet::Cancel()
{
    if (!FechaChaveOuEstaEditando())
        return;
    DataEvent(deCheckBrowseMode, 0);
    if (BeforeCancel)
        BeforeCancel(this);
    if (FState == dsEdit && FOriginal) {
        FJanela[static_cast<std::size_t>(FAtivo)] = std::move(*FOriginal);
    } else if (FState == dsInsert) {
        FJanela.erase(FJanela.begin() + FAtivo);
        FAtivo = std::min(FAtivo, std::max(0, static_cast<int>(FJanela.size()) - 1));
    }
    FOriginal.reset();
    SetState(dsBrowse);
    Resync(false);
    if (AfterCancel)
        AfterCancel(this);
}

void TDataSet::Delete()
{
    ExigeAtivo();
    if (FState == dsInsert || FState == dsSetKey) {
        Cancel();
        return;
    }
    ExigeRegistro();
    ExigeModificavel(CanModify());
    DataEvent(deCheckBrowseMode, 0);
    if (BeforeDelete)
        BeforeDelete(this);
    if (BeforeScroll)
        BeforeScroll(this);
    const TRegistro apagado = FOriginal ? *FOriginal : FJanela[static_cast<std::size_t>(FAtivo)];
    InternalDelete(apagado);
    FOriginal.reset();
    EsqueceExtremos();
    SetState(dsBrowse);
    TRegistro proximo;
    if (FetchAccepted(&apagado, gmNext, proximo) || FetchAccepted(&apagado, gmPrior, proximo)) {
        PreencheJanela(std::move(proximo), std::min(FAtivo, FBufferCount - 1));
        FBof = false;
        FEof = false;
    } else {
        LimpaJanela();
    }
    DataEvent(deDataSetChange, 0);
    if (AfterDelete)
        AfterDelete(this);
    DoAfterScroll();
}

void TDataSet::ClearFields()
{
    if (FState != dsEdit && FState != dsInsert)
        Erro(QStringLiteral("Dataset not in edit or insert mode"));
    TRegistro& registro = FJanela[static_cast<std::size_t>(FAtivo)];
    const qint64 rowId = registro.RowId;
    NovoRegistro(registro);
    registro.RowId = rowId;
    FModified = true;
    if (FTemCalculados)
        ComputeCalcFields(registro);
    DataEvent(deRecordChange, 0);
}

void TDataSet::CheckBrowseMode()
{
    ExigeAtivo();
    DataEvent(deCheckBrowseMode, 0);
    switch (FState) {
    case dsEdit:
    case dsInsert:
        UpdateRecord();
        if (FModified)
            Post();
        else
            Cancel();
        break;
    case dsSetKey:
        EditaChave(nullptr);
        break;
    default:
        break;
    }
}

void TDataSet::UpdateRecord()
{
    if (FState != dsEdit && FState != dsInsert && FState != dsSetKey)
        Erro(QStringLiteral("Dataset not in edit or insert mode"));
    DataEvent(deUpdateRecord, 0);
}

void TDataSet::EditaChave(TBufferChave* buffer)
{
    if (buffer) {
        if (FState != dsSetKey)
            FEstadoAntesChave = FState;
        FChave = buffer;
        buffer->Registro.Valores.resize(FFields.size());
        buffer->Definido.resize(FFields.size(), false);
        SetState(dsSetKey);
        return;
    }
    if (FState != dsSetKey)
        return;
    FChave = nullptr;
    SetState(FEstadoAntesChave == dsSetKey || FEstadoAntesChave == dsInactive ? dsBrowse : FEstadoAntesChave);
}

// ---- controls ----

void TDataSet::DisableControls()
{
    if (FDisableCount++ == 0) {
        FEstadoAoDesabilitar = FState;
        FLayoutDesabilitado = false;
    }
}

void TDataSet::EnableControls()
{
    if (FDisableCount == 0 || --FDisableCount > 0)
        return;
    if (FEstadoAoDesabilitar != FState)
        DataEvent(deUpdateState, 0);
    if (FEstadoAoDesabilitar != dsInactive && FState != dsInactive)
        DataEvent(FLayoutDesabilitado ? deLayoutChange : deDataSetChange, 0);
}

void TDataSet::DataEvent(TDataEvent evento, std::intptr_t info)
{
    if (FDisableCount > 0) {
        if (evento == deLayoutChange)
            FLayoutDesabilitado = true;
        return;
    }
    const auto fontes = FDataSources;
    for (TDataSource* fonte : fontes)
        fonte->DataEvent(evento, info);
}

void TDataSet::AddDataSource(TDataSource* fonte)
{
    FDataSources.push_back(fonte);
}

void TDataSet::RemoveDataSource(TDataSource* fonte)
{
    FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), fonte), FDataSources.end());
}

// ---- filters ----

void TDataSet::FiltrosMudaram()
{
    if (FNivelFiltro > 0 && FCallbacksAtivos)
        FCallbacksAntigos.push_back(std::move(FCallbacksAtivos));
    FCallbacksAtivos.reset();
    ++FVersaoFiltros;
    EsqueceExtremos();
}

int TDataSet::AddFilterCallback(std::function<bool()> aceita)
{
    FFiltros.push_back({FProximoHandle, std::move(aceita), {}, false});
    FiltrosMudaram();
    return FProximoHandle++;
}

bool TDataSet::AcceptExpression(const QByteArray&, QString& erro)
{
    erro = QStringLiteral("Filter expressions are not supported by this dataset");
    return false;
}

QByteArray TDataSet::CompileFilterText(const QString&)
{
    Erro(QStringLiteral("Filter expressions are not supported by this dataset"));
}

int TDataSet::AddFilterExpression(const QByteArray& expressao)
{
    QString erro;
    if (!AcceptExpression(expressao, erro))
        Erro(erro);
    FFiltros.push_back({FProximoHandle, {}, expressao, false});
    FiltrosMudaram();
    return FProximoHandle++;
}

void TDataSet::ActivateFilter(int handle)
{
    for (auto& filtro : FFiltros) {
        if (filtro.Handle == handle && !filtro.Ativo) {
            filtro.Ativo = true;
            FiltrosMudaram();
            if (!filtro.Aceita)
                FiltersChanged();
        }
    }
}

void TDataSet::DeactivateFilter(int handle)
{
    for (auto& filtro : FFiltros) {
        if (filtro.Handle == handle && filtro.Ativo) {
            filtro.Ativo = false;
            FiltrosMudaram();
            if (!filtro.Aceita)
                FiltersChanged();
        }
    }
}

void TDataSet::DropFilter(int handle)
{
    auto it = std::find_if(FFiltros.begin(), FFiltros.end(), [&](const TFiltro& f) { return f.Handle == handle; });
    if (it == FFiltros.end())
        return;
    const bool expressaoAtiva = it->Ativo && !it->Aceita;
    FFiltros.erase(it);
    FiltrosMudaram();
    if (expressaoAtiva)
        FiltersChanged();
}

std::vector<QByteArray> TDataSet::ActiveFilterExpressions() const
{
    std::vector<QByteArray> expressoes;
    for (const auto& filtro : FFiltros) {
        if (filtro.Ativo && !filtro.Aceita)
            expressoes.push_back(filtro.Expressao);
    }
    return expressoes;
}

void TDataSet::AtualizaFiltroTexto()
{
    if (FHandleFiltroTexto) {
        DropFilter(FHandleFiltroTexto);
        FHandleFiltroTexto = 0;
    }
    if (!FFiltered || FFilter.trimmed().isEmpty() || FState == dsInactive)
        return;
    FHandleFiltroTexto = AddFilterExpression(CompileFilterText(FFilter));
    ActivateFilter(FHandleFiltroTexto);
}

void TDataSet::SetFiltered(bool filtrado)
{
    if (FFiltered == filtrado)
        return;
    FFiltered = filtrado;
    FiltrosMudaram();
    if (Active()) {
        CheckBrowseMode();
        AtualizaFiltroTexto();
        First();
    }
}

void TDataSet::SetFilter(const QString& texto)
{
    if (FFilter == texto)
        return;
    FFilter = texto;
    if (Active() && FFiltered) {
        CheckBrowseMode();
        AtualizaFiltroTexto();
        First();
    }
}
