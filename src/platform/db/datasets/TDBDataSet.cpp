#include "platform/db/datasets/TDBDataSet.h"

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"

TDBDataSet::~TDBDataSet() = default;

void TDBDataSet::SetDatabaseName(const QString& pasta)
{
    if (Active())
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
    FDatabaseName = pasta;
}

std::shared_ptr<TDatabase> TDBDataSet::OpenDatabase() const
{
    if (FDatabaseName.isEmpty())
        throw EDatabaseError(QStringLiteral("Missing DatabaseName property"));
    return TDatabase::DaPasta(FDatabaseName);
}

void TDBDataSet::InternalOpen()
{
    FBanco = OpenDatabase();
    try {
        FCursor = CreateCursor();
        FCursor->DefineExpressoes(ActiveFilterExpressions());
    } catch (...) {
        FCursor.reset();
        FBanco.reset();
        throw;
    }
    SetFieldDefs(FCursor->Campos());
}

void TDBDataSet::InternalClose()
{
    if (FCursor && FCursor->InterrompeFiltrada())
        FCursorFechado = std::move(FCursor);
    FCursor.reset();
    FVersaoFiltrosFora.reset();
    FBanco.reset();
}

bool TDBDataSet::FetchRecord(const TRegistro* de, TGetMode modo, TRegistro& registro)
{
    return FCursor && FCursor->Busca(de, modo, registro);
}

int TDBDataSet::FetchFilteredRecord(const TRegistro* de, TGetMode modo, TRegistro& registro)
{
    if (!FCursor || FVersaoFiltrosFora == FilterVersion())
        return -1;
    TCursor* cursor = FCursor.get();
    const int achou = cursor->BuscaFiltrada(de, modo, FAplicaCallbacks, registro);
    FCursorFechado.reset();
    if (achou < 0)
        FVersaoFiltrosFora = FilterVersion();
    return achou;
}

bool TDBDataSet::FetchBookmark(const TBookmark& marca, TRegistro& registro)
{
    return FCursor && FCursor->BuscaBookmark(marca, registro);
}

TBookmark TDBDataSet::BookmarkOf(const TRegistro& registro) const
{
    return FCursor ? FCursor->Bookmark(registro) : TBookmark();
}

void TDBDataSet::InternalPost(TRegistro& registro, const TRegistro* original)
{
    FCursor->Grava(registro, original);
}

void TDBDataSet::InternalDelete(const TRegistro& registro)
{
    FCursor->Apaga(registro);
}

bool TDBDataSet::InternalCanModify() const
{
    return FCursor && FCursor->PodeModificar();
}

int TDBDataSet::InternalRecordCount()
{
    if (HasFilterCallbacks())
        return TDataSet::InternalRecordCount();
    return FCursor->Conta();
}

int TDBDataSet::InternalRecNo(const TRegistro& registro)
{
    if (HasFilterCallbacks())
        return TDataSet::InternalRecNo(registro);
    return FCursor->Numero(registro);
}

bool TDBDataSet::FetchRecNo(int numero, TRegistro& registro)
{
    if (HasFilterCallbacks())
        return TDataSet::FetchRecNo(numero, registro);
    if (!FCursor->BuscaNumero(numero, registro))
        return false;
    return AcceptRecord(registro);
}

int TDBDataSet::InternalCompareBookmarks(const TBookmark& a, const TBookmark& b)
{
    return FCursor->Compara(a, b);
}

bool TDBDataSet::InternalLocate(const QString& campos, const QVariantList& valores, TLocateOptions opcoes,
                                TRegistro& registro, bool& tratado)
{
    tratado = false;
    const QStringList nomes = campos.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (nomes.isEmpty() || nomes.size() != valores.size())
        throw EDatabaseError(QStringLiteral("Locate needs one value per field"));
    std::vector<int> colunas;
    for (const QString& nome : nomes) {
        TField* campo = FieldByName(nome);
        if (campo->FieldKind() != fkData)
            return false;
        colunas.push_back(campo->FieldNo() - 1);
    }
    return FCursor->Localiza(
        colunas, valores, opcoes, [this](TRegistro& r) { return AcceptRecord(r); }, registro, tratado);
}

void TDBDataSet::InternalRefresh()
{
    if (FCursor)
        FCursor->Atualiza();
}

bool TDBDataSet::AcceptExpression(const QByteArray& expressao, QString& erro)
{
    if (!FCursor) {
        erro = QStringLiteral("Cannot perform this operation on a closed dataset");
        return false;
    }
    return FCursor->AceitaExpressao(expressao, erro);
}

void TDBDataSet::FiltersChanged()
{
    if (FCursor)
        FCursor->DefineExpressoes(ActiveFilterExpressions());
}
