#include "components/data/datasets/dvLookupLinks.h"

#include "components/data/datasets/TdvTable.h"
#include "components/data/settings/dvProperties.h"
#include "components/data/settings/dvSettingLines.h"
#include "components/data/settings/dvStr.h"

namespace {

// Lookup tables that look each other up would otherwise recurse for ever.
constexpr int profundidadeMaxima = 8;

constexpr int maximoLigacoes = 6;

// The lookup table of a LookupFields line, opened and kept in the list when missing. Tables
// are the same when their folders and their names without extension are.
TdvTable* TabelaDaLinha(TDataSet* dataset, TdvLookupTables& tabelas, const QStringList& tokens)
{
    QString banco = tokens.value(1);
    if (banco.isEmpty())
        banco = dvGetDatabaseName(dvPublished(dataset));
    const QString nome = tokens.value(2);
    for (const auto& tabela : tabelas) {
        if (dvSameText(tabela->DatabaseName(), banco)
            && dvSameText(dvStrFileNameOnly(tabela->TableName()), dvStrFileNameOnly(nome)))
            return tabela.get();
    }
    auto nova = std::make_unique<TdvTable>();
    nova->SetDatabaseName(banco);
    nova->SetTableName(nome);
    nova->Open();
    tabelas.push_back(std::move(nova));
    return tabelas.back().get();
}

void Atualiza(TDataSet* dataset, QStringList* campos, QStringList* ligacoes, TdvLookupTables* tabelas, int profundidade)
{
    if (!dataset || !campos || !tabelas || profundidade > profundidadeMaxima)
        return;
    for (int i = 0; i < campos->size(); ++i) {
        const QStringList tokens = (*campos)[i].split(QLatin1Char(';'));
        TField* campo = dataset->FindField(tokens.value(0));
        if (!campo || tokens.value(2).isEmpty())
            continue;
        const QString linha = ligacoes ? ligacoes->value(i) : QString();
        const QStringList pares = linha.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        bool mestresExistem = true;
        for (int k = 0; k < pares.size(); k += 2)
            mestresExistem = mestresExistem && dataset->FindField(pares[k]);
        if (!mestresExistem) {
            campo->SetVisible(false);
            continue;
        }
        TdvTable* tabela = TabelaDaLinha(dataset, *tabelas, tokens);
        dvSyncLookupTable(tabela, dataset, tokens, linha);
        if (!tabela->LookupFields().isEmpty())
            Atualiza(tabela, &tabela->LookupFields(), &tabela->LookupLinks(), &tabela->LookupTables(),
                     profundidade + 1);
    }
}

}   // namespace

TdvLookupTables* dvGetLookupTables(TDataSet* dataset)
{
    auto* extensoes = dynamic_cast<TdvDataSetExtensions*>(dataset);
    return extensoes ? &extensoes->LookupTables() : nullptr;
}

void dvDataSetUpdateLookupLinks(TDataSet* dataset, QStringList* lookupFields, QStringList* lookupLinks,
                                TdvLookupTables* lookupTables)
{
    Atualiza(dataset, lookupFields, lookupLinks, lookupTables, 0);
}

bool dvSyncLookupTable(TdvTable* lookupTable, TDataSet* master, const QStringList& lookupFieldsTokens,
                       const QString& links)
{
    if (!lookupTable || !master)
        return false;
    QStringList camposIndice;
    for (const QString& token : lookupFieldsTokens.mid(5))
        if (!token.isEmpty())
            camposIndice << token;
    if (!camposIndice.isEmpty())
        lookupTable->SelectIndexForFields(camposIndice.join(QLatin1Char(';')));
    else if (const QString indice = lookupFieldsTokens.value(4);
             !indice.isEmpty() && indice.compare(lookupTable->IndexName(), Qt::CaseInsensitive) != 0)
        lookupTable->SetIndexName(indice);
    return dvPositionLookupTable(lookupTable, master, links.split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

bool dvPositionLookupTable(TdvTable* lookupTable, TDataSet* master, const QStringList& linkTokens)
{
    if (!lookupTable || !master || linkTokens.size() < 2)
        return false;
    if (lookupTable->IndexFieldCount() > 0) {
        QVariantList valores;
        for (int k = 0; k + 1 < linkTokens.size() && valores.size() < maximoLigacoes; k += 2) {
            const TField* mestre = master->FindField(linkTokens[k]);
            if (!mestre)
                return false;
            valores << mestre->AsString();
        }
        return lookupTable->LookupFindKey(valores);
    }
    const TField* mestre = master->FindField(linkTokens[0]);
    return mestre && lookupTable->FindFieldValue(linkTokens[1], mestre->AsString(), 0, false);
}

bool dvFindLookupRecord(TDataSet* dataset, const TField* field, TField*& resultField, QString& masterValue)
{
    resultField = nullptr;
    masterValue.clear();
    IdvPublished* publicado = dvPublished(dataset);
    const QStringList* campos = dvGetLookupFields(publicado);
    const QStringList* ligacoes = dvGetLookupLinks(publicado);
    TdvLookupTables* tabelas = dvGetLookupTables(dataset);
    if (!field || !campos || !ligacoes || !tabelas)
        return false;
    int linha = -1;
    for (int i = 0; i < campos->size() && linha < 0; ++i)
        if ((*campos)[i].section(QLatin1Char(';'), 0, 0) == field->FieldName())
            linha = i;
    if (linha < 0)
        return false;
    const QStringList tokens = (*campos)[linha].split(QLatin1Char(';'));
    const QStringList pares = ligacoes->value(linha).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const TField* mestre = pares.isEmpty() ? nullptr : dataset->FindField(pares[0]);
    if (!mestre || tokens.value(2).isEmpty())
        return false;
    TdvTable* tabela = TabelaDaLinha(dataset, *tabelas, tokens);
    masterValue = mestre->AsString();
    resultField = tabela->FindField(tokens.value(3));
    return tabela->LookupFindKey({masterValue});
}
