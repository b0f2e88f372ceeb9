#include "components/controls/lookup/TdvDBLookupList.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "components/controls/lookup/TdvDBCustomLookupCombo.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/grid/dvGridLayout.h"
#include "components/data/common/EInvalidOperation.h"
#include "components/data/datasets/TdvTable.h"
#include "components/data/datasets/dvLookupLinks.h"
#include "components/data/settings/dvProperties.h"
#include "platform/ui/InterfaceUsuario.h"
#include "components/data/settings/dvSettingLines.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"

TdvDBLookupList::TdvDBLookupList(TdvDBCustomLookupCombo& combo, QWidget* parent)
    : TdvCustomDBGrid(parent)
    , FCombo(combo)
    , FLookupSource(std::make_unique<TDataSource>())
{
    SetUseTFields(false);
    SetOptions(dgRowSelect);
    SetKeyOptions(0);
    resize(121, 97);
    SetDataSource(FLookupSource.get());
}

TdvDBLookupList::~TdvDBLookupList()
{
    SetDataSource(nullptr);
}

TDataSet* TdvDBLookupList::LookupTable() const
{
    return FLookupSource->DataSet();
}

void TdvDBLookupList::SetLookupTable(TDataSet* tabela)
{
    if (tabela && FCombo.DataSource() && FCombo.DataSource()->DataSet() == tabela)
        throw EInvalidOperation(QStringLiteral("Unable to use duplicate DataSource and LookupSource"));
    if (tabela == LookupTable())
        return;
    FLookupSource->SetDataSet(tabela);
    SetDataSource(FLookupSource.get());
    ReadLookupFields();
}

void TdvDBLookupList::SetLookupField(const QString& campos)
{
    FLookupField = campos;
    ReadLookupFields();
}

void TdvDBLookupList::SetListOptions(TdvDBLookupListOptions opcoes)
{
    FListOptions = opcoes;
    TdvDBGridOptions grade = dgRowSelect;
    if (opcoes & loColLines)
        grade |= dgColLines;
    if (opcoes & loRowLines)
        grade |= dgRowLines;
    if (opcoes & loTitles)
        grade |= dgTitles;
    SetOptions(grade);
}

void TdvDBLookupList::ReadLookupFields()
{
    FDisplayField = nullptr;
    FLookupFields = {};
    FLookupFieldCount = 0;
    TDataSet* tabela = LookupTable();
    if (!tabela || !tabela->Active())
        return;
    const QStringList nomes = FLookupField.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& nome : nomes) {
        if (FLookupFieldCount == 3)
            break;
        TField* campo = tabela->FindField(nome.trimmed());
        if (!campo)
            throw EInvalidOperation(QStringLiteral("Field '%1' not found").arg(FLookupField));
        FLookupFields[static_cast<std::size_t>(FLookupFieldCount++)] = campo;
    }
    const QStringList& selecionados = FCombo.Selected();
    if (!selecionados.isEmpty())
        FDisplayField = tabela->FindField(dvSelectedPart(selecionados.front(), 0));
    if (!FDisplayField)
        FDisplayField = FLookupFields[0];
}

TField* TdvDBLookupList::LookupFieldAt(int i) const
{
    return i >= 0 && i < FLookupFieldCount ? FLookupFields[static_cast<std::size_t>(i)] : nullptr;
}

bool TdvDBLookupList::DisplayIsFirstLookupField() const
{
    return FDisplayField && FDisplayField == FLookupFields[0];
}

void TdvDBLookupList::ClearLookupValues()
{
    for (QString& valor : FLookupValues)
        valor.clear();
}

void TdvDBLookupList::TakeCurrentRecord()
{
    for (int i = 0; i < FLookupFieldCount; ++i)
        FLookupValues[static_cast<std::size_t>(i)] = FLookupFields[static_cast<std::size_t>(i)]->Text();
    FDisplayValue = FDisplayField ? FDisplayField->Text() : QString();
}

bool TdvDBLookupList::LocalizaChaves(const QStringList& valores)
{
    auto* tabela = dynamic_cast<TdvTable*>(LookupTable());
    if (!tabela)
        return false;
    QVariantList chaves;
    for (const QString& valor : valores)
        chaves << valor;
    return tabela->LookupFindKey(chaves);
}

bool TdvDBLookupList::LocateComboValue()
{
    FFound = false;
    TDataSet* tabela = LookupTable();
    if (FLookupField.isEmpty() || !tabela || !tabela->Active() || !FLookupFields[0])
        return false;
    const QString valor = FCombo.Bound() && FCombo.Field() ? FCombo.Field()->Text() : FLookupValues[0];
    auto* dvTabela = dynamic_cast<TdvTable*>(tabela);
    if (!dvTabela || dvTabela->IndexFieldCount() == 0) {
        FFound = FCombo.FindValue(valor, FLookupFields[0]->FieldName(), FCombo.SearchCaseSensitive(), false);
    } else if (FLookupFieldCount > 1) {
        QStringList valores{valor};
        for (int i = 1; i < FLookupFieldCount; ++i)
            valores << FLookupValues[static_cast<std::size_t>(i)];
        FFound = LocalizaChaves(valores);
    } else {
        FFound = FCombo.FindTableValue(valor, FLookupFields[0]->FieldName(), false);
    }
    return FFound;
}

void TdvDBLookupList::SetLookupValue(const QString& valor)
{
    // Positioned every time: a search since the last call may have moved the table.
    TDataSet* tabela = LookupTable();
    if (!tabela || !tabela->Active() || !FLookupFields[0]) {
        FLookupValues[0] = valor;
        FDisplayValue = valor;
        return;
    }
    FLookupValues[0] = valor;
    FRememberedRow = -1;
    if (FCombo.BoundThroughLookupLinks()) {
        // The data field shows the record; its key fields find it.
        PositionOnComboValue(false);
        FDisplayValue = FCombo.Field() ? FCombo.Field()->Text() : QString();
    } else if (!DisplayIsFirstLookupField()) {
        const bool achou = !valor.isEmpty() && LocateComboValue();
        FDisplayValue = achou && FDisplayField ? FDisplayField->Text() : QString();
        if (achou)
            TakeCurrentRecord();
    } else {
        FDisplayValue = valor;
        if (!valor.isEmpty() && LocateComboValue())
            TakeCurrentRecord();
    }
    InvalidateGrid();
}

bool TdvDBLookupList::PosicionaPelasLigacoes()
{
    const auto pares = FCombo.LookupKeyPairs();
    TDataSet* dados = FCombo.DataSource()->DataSet();
    const TField* campo = dados->FindField(FCombo.DataField());
    if (pares.empty() || !campo)
        return false;
    // The last pair decides: the keys before it are the master's, or already the table's.
    const auto& [chave, busca] = pares.back();
    const TField* campoChave = dados->FindField(chave);
    const QString valor = campoChave ? campoChave->Text() : QString();
    TDataSet* tabela = LookupTable();
    auto* dv = dynamic_cast<TdvTable*>(tabela);
    const bool detalhe = FCombo.LookupIsDetail();
    if (!dv)
        return FCombo.FindValue(valor, busca, false, false);
    if (!campo->Lookup() && !detalhe) {
        QStringList fichas;
        if (const QStringList* linhas = dvGetLookupFields(dvPublished(dados)))
            for (const QString& linha : *linhas)
                if (linha.section(QLatin1Char(';'), 0, 0).compare(campo->FieldName(), Qt::CaseInsensitive) == 0) {
                    fichas = linha.split(QLatin1Char(';'));
                    break;
                }
        return dvSyncLookupTable(dv, dados, fichas, dvGetFieldLookupLinks(dados, campo->FieldName()));
    }
    if (!detalhe || !campo->Lookup())
        FCombo.SwitchToKeyOrder();
    return FCombo.FindTableValue(valor, busca, false);
}

void TdvDBLookupList::PositionOnComboValue(bool dropDown)
{
    FFound = false;
    TDataSet* tabela = LookupTable();
    if (!tabela || !tabela->Active())
        return;
    if (FCombo.BoundThroughLookupLinks()) {
        // The row that carried the old values is found again when drawn, or no longer counts.
        FRememberedRow = -1;
        FFound = PosicionaPelasLigacoes();
        if (dropDown)
            FCombo.SwitchToDisplayOrder();
        if (!FFound) {
            tabela->First();
            ClearLookupValues();
            InvalidateGrid();
        } else {
            for (int i = 0; i < FLookupFieldCount; ++i)
                FLookupValues[static_cast<std::size_t>(i)] = FLookupFields[static_cast<std::size_t>(i)]->Text();
        }
        if (dropDown)
            FCombo.SetMatch(FFound);
        return;
    }
    if (!FLookupField.isEmpty())
        FCombo.SwitchToKeyOrder();
    if (tabela->State() == dsSetKey)
        return;
    if (!FCombo.Bound() && DisplayIsFirstLookupField()) {
        FLookupValues[0] = FCombo.text();
        FDisplayValue = FCombo.text();
    }
    LocateComboValue();
    if (FFound && FLookupValues[0].isEmpty())
        FFound = false;
    if (!dropDown)
        return;
    FCombo.SetMatch(FFound || FLookupValues[0].isEmpty());
    FCombo.NotePositionedText();
    FCombo.SwitchToDisplayOrder();
    if (!FFound)
        tabela->First();
    else
        FRememberedRow = -1;
}

bool TdvDBLookupList::CanModifyValue()
{
    return !FCombo.ReadOnly();
}

void TdvDBLookupList::ChooseRecord()
{
    if (!CanModifyValue() || !FDisplayField)
        return;
    TakeCurrentRecord();
    FRememberedRow = DataLink().ActiveRecord();
    InvalidateGrid();
    if (OnClick)
        OnClick(this);
}

bool TdvDBLookupList::HighlightCell(int, int dataRow, const QString&, TGridDrawState)
{
    if (!LookupTable() || !LookupTable()->Active() || !FLookupFields[0])
        return false;
    if (FInKeyDown && CanModifyValue()) {
        const bool atual = dataRow == DataLink().ActiveRecord();
        if (atual)
            FRememberedRow = dataRow;
        return atual;
    }
    TdvRegistroMomentaneo registro(DataLink(), dataRow);
    for (int i = 0; i < FLookupFieldCount; ++i)
        if (FLookupFields[static_cast<std::size_t>(i)]->Text() != FLookupValues[static_cast<std::size_t>(i)])
            return false;
    FRememberedRow = dataRow;
    return true;
}

bool TdvDBLookupList::CanGridAcceptKey(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Insert)
        return false;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        break;
    default:
        return TdvCustomDBGrid::CanGridAcceptKey(key, shift);
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) && !CanModifyValue())
        return false;
    TDataSet* tabela = LookupTable();
    if (!tabela || !tabela->Active())
        return false;
    if (FRememberedRow >= 0 && FRememberedRow < DataLink().RecordCount()) {
        if (FRememberedRow != DataLink().ActiveRecord())
            tabela->MoveBy(FRememberedRow - DataLink().ActiveRecord());
        return true;
    }
    if (FFound) {
        PositionOnComboValue(true);
        return true;
    }
    // Nothing chosen yet: the first key picks the first record instead of moving.
    tabela->First();
    InvalidateGrid();
    ChooseRecord();
    return false;
}

void TdvDBLookupList::ListKeyDown(int key, Qt::KeyboardModifiers shift)
{
    KeyDown(key, shift);
}

void TdvDBLookupList::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int tecla = key;
    {
        QScopedValueRollback naTecla(FInKeyDown, true);
        TdvCustomDBGrid::KeyDown(key, shift);
    }
    switch (tecla) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down:
        InvalidateGrid();
        if (CanModifyValue())
            ChooseRecord();
        break;
    default:
        break;
    }
}

void TdvDBLookupList::VertScroll(TScrollCode codigo, int posicao)
{
    TDataSet* dados = DataSet();
    const TdvGridDataLink& link = DataLink();
    if (!link.Active() || !dados || (codigo != TScrollCode::scLineUp && codigo != TScrollCode::scLineDown)) {
        TdvCustomDBGrid::VertScroll(codigo, posicao);
        return;
    }
    if (codigo == TScrollCode::scLineUp)
        dados->MoveBy(-link.ActiveRecord() - 1);
    else
        dados->MoveBy(link.RecordCount() - link.ActiveRecord());
    InvalidateGrid();
}

bool TdvDBLookupList::DoMouseWheelDown()
{
    VertScroll(TScrollCode::scLineDown, 0);
    return true;
}

bool TdvDBLookupList::DoMouseWheelUp()
{
    VertScroll(TScrollCode::scLineUp, 0);
    return true;
}

void TdvDBLookupList::LinkActive(bool ativo)
{
    TdvCustomDBGrid::LinkActive(ativo);
    // The fields of a closed table may be gone by the time it opens again.
    if (!ativo) {
        FDisplayField = nullptr;
        FLookupFields = {};
        FLookupFieldCount = 0;
    } else if (!FLookupFields[0]) {
        ReadLookupFields();
    }
}

void TdvDBLookupList::SetColumnAttributes()
{
    TdvCustomDBGrid::SetColumnAttributes();
    const int colunas = FieldCount();
    if (colunas == 0)
        return;
    // The last column fills the client width, unless several columns already reach it.
    int ocupada = 0;
    for (int i = 0; i < colunas - 1; ++i)
        ocupada += ColWidths(IndicatorOffset() + i) + ((FListOptions & loColLines) ? 1 : 0);
    const int ultima = IndicatorOffset() + colunas - 1;
    if (colunas > 1 && ocupada + ColWidths(ultima) >= ClientWidth() - 15)
        return;
    SetColWidths(ultima, std::max(ColWidths(ultima), ClientWidth() - ocupada));
}

void TdvDBLookupList::DataChanged()
{
    TdvCustomDBGrid::DataChanged();
    auto* tabela = dynamic_cast<TTable*>(LookupTable());
    if (!tabela || tabela->MasterFields.isEmpty() || tabela->State() != dsBrowse || !FCombo.Bound() || FUpdateCount > 0)
        return;
    auto* dv = dynamic_cast<TdvTable*>(tabela);
    if (!dv) {
        InterfaceUsuario::Mostra(
            QStringLiteral("LookupTable on a detail table is only supported when using a TdvTable as the LookupTable!"),
            TipoDialogo::Aviso, Botao::Ok);
        return;
    }
    // The master moved: the combo shows its value among the new master's records.
    if (!dv->RangeApplied()) {
        QScopedValueRollback atualizando(FUpdateCount, FUpdateCount + 1);
        FCombo.DataChange();
    }
}

void TdvDBLookupList::Resized()
{
    TdvCustomDBGrid::Resized();
    LayoutChanged();
}
