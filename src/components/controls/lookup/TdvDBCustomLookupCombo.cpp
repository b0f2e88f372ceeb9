#include "components/controls/lookup/TdvDBCustomLookupCombo.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <vector>

#include "components/controls/edits/IdvEditGrid.h"
#include "components/controls/combos/TBtnWinControl.h"
#include "components/controls/edits/TdvEditFrame.h"
#include "components/controls/lookup/TdvPopupGrid.h"
#include "components/controls/grid/dvGridLayout.h"
#include "components/controls/lookup/dvLookupDropDown.h"
#include "components/data/common/EInvalidOperation.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/datasets/TdvQuery.h"
#include "components/data/datasets/TdvTable.h"
#include "components/data/common/dvControlState.h"
#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/common/dvCommon.h"
#include "components/data/datasets/dvLocate.h"
#include "platform/widgets/keyboard/AtalhoDaJanela.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TFieldDataLink.h"
#include "components/data/datasets/dvFieldValues.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"
#include "platform/widgets/keyboard/dvWidgetEvents.h"

namespace {

const QString TextoApagado = QStringLiteral("~~~~");

bool EmEdicao(const TDataSet* dados)
{
    return dados && (dados->State() == dsEdit || dados->State() == dsInsert);
}

}   // namespace

// The watch that every open drop-down shares: a press of the mouse outside the combo whose grid
// shows and outside that grid closes the grid, as a click elsewhere does. One for the program,
// installed by the first drop-down and removed at the end of every close.
class TdvLookupMouseHook final : public QObject {
public:
    static inline TdvLookupMouseHook* Instancia = nullptr;

    bool eventFilter(QObject*, QEvent* e) override
    {
        const QEvent::Type tipo = e->type();
        if (tipo != QEvent::MouseButtonPress && tipo != QEvent::NonClientAreaMouseButtonPress)
            return false;
        auto* combo = qobject_cast<TdvDBCustomLookupCombo*>(QApplication::focusWidget());
        if (!combo || !combo->DroppedDown())
            return false;
        const QPoint global = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        const QRect doCombo(combo->mapToGlobal(QPoint(0, 0)), combo->size());
        if (doCombo.contains(global) || combo->Grid().frameGeometry().contains(global))
            return false;
        QMetaObject::invokeMethod(
            combo,
            [alvo = QPointer<TdvDBCustomLookupCombo>(combo)] {
                if (alvo)
                    alvo->CancelMode();
            },
            Qt::QueuedConnection);
        return false;
    }
};

// ---- creation ----

TdvDBCustomLookupCombo::TdvDBCustomLookupCombo(QWidget* parent)
    : TdvDBCustomCombo(parent)
    , FGrid(std::make_unique<TdvPopupGrid>(*this))
{
    SetButtonStyle(TdvComboButtonStyle::cbsDownArrow);
    OptionFlags[2] = true;
    FGrid->OnClick = [this](TCustomGrid*) { AcceptGridRecord(); };
    FSearchTimer.setInterval(200);
    FSearchTimer.setSingleShot(true);
    QObject::connect(&FSearchTimer, &QTimer::timeout, this, [this] { PerformSearch(); });
}

TdvDBCustomLookupCombo::~TdvDBCustomLookupCombo()
{
    FSearchTimer.stop();
    if (DroppedDown()) {
        // Going away is no close: nothing is accepted and no event is raised.
        SetDroppedDownFlag(false);
        RemoveGancho();
    }
    FGrid.reset();
}

bool TdvDBCustomLookupCombo::MouseHookInstalled()
{
    return TdvLookupMouseHook::Instancia != nullptr;
}

void TdvDBCustomLookupCombo::InstalaGancho()
{
    if (TdvLookupMouseHook::Instancia)
        return;
    TdvLookupMouseHook::Instancia = new TdvLookupMouseHook;
    qApp->installEventFilter(TdvLookupMouseHook::Instancia);
}

void TdvDBCustomLookupCombo::RemoveGancho()
{
    if (!TdvLookupMouseHook::Instancia)
        return;
    qApp->removeEventFilter(TdvLookupMouseHook::Instancia);
    delete TdvLookupMouseHook::Instancia;
    TdvLookupMouseHook::Instancia = nullptr;
}

// ---- properties ----

TDataSet* TdvDBCustomLookupCombo::LookupTable() const
{
    return FGrid->LookupTable();
}

void TdvDBCustomLookupCombo::SetLookupTable(TDataSet* tabela)
{
    FGrid->SetLookupTable(tabela);
}

const QString& TdvDBCustomLookupCombo::LookupField() const
{
    return FGrid->LookupField();
}

void TdvDBCustomLookupCombo::SetLookupField(const QString& campos)
{
    FGrid->SetLookupField(campos);
}

void TdvDBCustomLookupCombo::SetSelected(const QStringList& linhas)
{
    FSelected = linhas;
    FGrid->SetSelected(linhas);
    FGrid->ReadLookupFields();
}

TdvDBLookupListOptions TdvDBCustomLookupCombo::Options() const
{
    return FGrid->ListOptions();
}

void TdvDBCustomLookupCombo::SetOptions(TdvDBLookupListOptions opcoes)
{
    FGrid->SetListOptions(opcoes);
}

void TdvDBCustomLookupCombo::SetStyle(TComboBoxStyle estilo)
{
    FStyle = estilo;
    SetListOnlyStyle(FStyle == TComboBoxStyle::csDropDownList && !FAutoDropDown ? 1 : 0);
}

void TdvDBCustomLookupCombo::SetAutoDropDown(bool valor)
{
    FAutoDropDown = valor;
    SetStyle(FStyle);
}

void TdvDBCustomLookupCombo::SetSearchDelay(int milissegundos)
{
    FSearchDelay = std::max(0, milissegundos);
    if (FSearchDelay > 0)
        FSearchTimer.setInterval(FSearchDelay);
}

bool TdvDBCustomLookupCombo::TypingAllowed() const
{
    return FStyle == TComboBoxStyle::csDropDown || FAutoDropDown;
}

// ---- the value ----

QString TdvDBCustomLookupCombo::LookupValue(int i) const
{
    return i >= 0 && i < 3 ? FGrid->LookupValue(i) : QString();
}

QString TdvDBCustomLookupCombo::DisplayValue() const
{
    return FGrid->DisplayValue();
}

void TdvDBCustomLookupCombo::SetTextoProprio(const QString& texto)
{
    QScopedValueRollback proprio(FSettingText, true);
    const bool modificado = isModified();
    if (texto != text())
        setText(texto);
    setModified(modificado);
}

void TdvDBCustomLookupCombo::SalvaAtual()
{
    FSavedText = text();
    FSavedLookupValue = FGrid->LookupValue(0);
}

void TdvDBCustomLookupCombo::SetLookupValue(const QString& valor)
{
    if (Bound() && DataSource() && DataSource()->DataSet() && DataSource()->DataSet() == LookupTable())
        throw EInvalidOperation(QStringLiteral("Unable to use duplicate DataSource and LookupSource"));
    TDataSet* tabela = LookupTable();
    FGrid->SetLookupValue(valor);
    if (tabela && tabela->Active()) {
        FMatch = FGrid->Found() || valor.isEmpty();
        SetTextoProprio(FGrid->DisplayValue());
    } else {
        SetTextoProprio(valor);
    }
    FLastSearch = text();
    if (!hasFocus())
        SalvaAtual();
}

void TdvDBCustomLookupCombo::Clear()
{
    FGrid->ClearLookupValues();
    FGrid->SetDisplayValueText(QString());
    SetTextoProprio(QString());
    FLastSearch.clear();
    FMatch = false;
    if (!hasFocus())
        SalvaAtual();
}

void TdvDBCustomLookupCombo::RefreshLookup()
{
    FLastSearch = TextoApagado + TextoApagado;
    PerformSearch();
}

void TdvDBCustomLookupCombo::RestauraSalvos()
{
    FGrid->SetLookupValue(FSavedLookupValue);
    FGrid->SetDisplayValueText(FSavedText);
    SetTextoProprio(FSavedText);
    FLastSearch = FSavedText;
    FMatch = true;
}

// ---- searches ----

bool TdvDBCustomLookupCombo::FindValue(const QString& valor, const QString& fieldName, bool caseSensitive, bool partial)
{
    TDataSet* tabela = LookupTable();
    if (!tabela || !tabela->Active())
        return false;
    const int tipo = partial ? mtPartial : mtExact;
    if (auto* dv = dynamic_cast<TdvTable*>(tabela))
        return !valor.isEmpty() && dv->FindFieldValue(fieldName, valor, tipo, caseSensitive);
    TField* campo = tabela->FindField(fieldName);
    if (!campo)
        return false;
    if (campo->Text() == valor) {
        FGrid->InvalidateGrid();
        return true;
    }
    QString procurado = valor;
    if (campo->DataType() == ftString && campo->Size() > 0 && procurado.size() > campo->Size())
        procurado.truncate(campo->Size());
    if (procurado.isEmpty() || !dvIsValidFieldValue(campo->DataType(), procurado)) {
        FGrid->InvalidateGrid();
        return false;
    }
    // The dataset's own locate where it can answer; calculated and lookup fields, and the
    // answers of a query (which keep no index), go through the library's match search.
    const bool derivado = campo->Calculated() || campo->Lookup();
    if (dvIntl().UseLocateMethodForSearch && !derivado && !dynamic_cast<TdvQuery*>(tabela)) {
        TLocateOptions opcoes = 0;
        if (!caseSensitive)
            opcoes |= TLocateOption::loCaseInsensitive;
        if (partial)
            opcoes |= TLocateOption::loPartialKey;
        TCursorOcupado ampulheta;
        return tabela->Locate(fieldName, {procurado}, opcoes);
    }
    return dvLocateEngine(true, tabela, fieldName, tipo, caseSensitive, procurado);
}

bool TdvDBCustomLookupCombo::FindTableValue(const QString& valor, const QString& fieldName, bool partial)
{
    auto* tabela = dynamic_cast<TdvTable*>(LookupTable());
    if (!tabela || !tabela->Active())
        return FindValue(valor, fieldName, SearchCaseSensitive(), partial);
    TField* campo = tabela->FindField(fieldName);
    if (!campo || valor.isEmpty())
        return false;
    int posicao = -1;
    for (int i = 0; i < std::min(tabela->IndexFieldCount(), 4) && posicao < 0; ++i)
        if (tabela->IndexFields(i)->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            posicao = i;
    const bool detalhe = !tabela->MasterFields.isEmpty();
    // A detail table keeps its master's fields: only the index field right after them can be
    // searched by key.
    const int mestres = static_cast<int>(tabela->MasterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts).size());
    if (detalhe && posicao != mestres)
        return tabela->FindFieldValue(fieldName, valor, partial ? mtPartial : mtExact, SearchCaseSensitive());
    const auto igual = [&] { return campo->Text().compare(valor, Qt::CaseInsensitive) == 0; };
    if (!partial && !tabela->IsEmpty() && igual())
        return true;
    if (posicao < 0)
        return FindValue(valor, fieldName, SearchCaseSensitive(), partial);
    const bool achou = tabela->SearchNearest(valor, posicao);
    // A key looked up whole must be the key, not the nearest one after it.
    return partial ? achou : achou && igual();
}

void TdvDBCustomLookupCombo::PerformSearch()
{
    FSearchTimer.stop();
    const QString texto = text();
    TDataSet* tabela = LookupTable();
    if (texto == FLastSearch || !tabela || !tabela->Active() || FInSearch)
        return;
    QScopedValueRollback buscando(FInSearch, true);
    TField* primeiro = FGrid->LookupFieldAt(0);
    TField* exibido = FGrid->DisplayField();
    auto* dv = dynamic_cast<TdvTable*>(tabela);
    bool achou = false;
    if (dv && primeiro && FGrid->DisplayIsFirstLookupField() && dv->IndexFieldCount() > 0
        && dv->IndexFields(0)->FieldName().compare(primeiro->FieldName(), Qt::CaseInsensitive) == 0) {
        dv->SearchNearest(texto, 0);
        achou = !texto.isEmpty() && !dv->IsEmpty() && primeiro->Text().toUpper().startsWith(texto.toUpper());
    } else if ((SeqSearchOptions & ssoEnabled) && exibido) {
        achou = FindValue(texto, exibido->FieldName(), SearchCaseSensitive(), DroppedDown() || InDBGrid());
        if (achou && texto.size() > exibido->Text().size())
            achou = false;
        if (!achou && !DroppedDown())
            FGrid->ClearLookupValues();
    }
    FMatch = achou;
    if (achou)
        FGrid->TakeCurrentRecord();
    FGrid->InvalidateGrid();
    if (ShowMatchText && achou && FLastSearch != TextoApagado) {
        const int cursor = cursorPosition();
        const QString prefixo = cursor > 0 ? texto.left(cursor) : texto;
        SetTextoProprio(FGrid->DisplayValue());
        setModified(true);
        // The completed part is selected, so that the next key replaces it.
        setSelection(text().size(), prefixo.size() - text().size());
    }
    FLastSearch = texto;
}

// ---- orders of the lookup table ----

void TdvDBCustomLookupCombo::SwitchToDisplayOrder()
{
    auto* tabela = dynamic_cast<TTable*>(LookupTable());
    auto* dv = dynamic_cast<TdvTable*>(tabela);
    if (!tabela || (dv && !dv->Query().isEmpty()) || !OrderByDisplay)
        return;
    QStringList linhas = FSelected;
    QString notado;
    if (!linhas.isEmpty()) {
        if (const TField* campo = tabela->FindField(dvSelectedPart(linhas.front(), 0)))
            notado = campo->Text();
    } else {
        const TField* campo = BoundThroughLookupLinks() ? FGrid->DisplayField() : FGrid->LookupFieldAt(0);
        if (!campo)
            return;
        linhas << campo->FieldName() + QLatin1Char('\t') + QString::number(campo->DisplayWidth()) + QLatin1Char('\t')
                + campo->DisplayLabel();
    }
    if (dv)
        dv->SelectIndexForSelected(linhas);
    else
        tabela->SetIndexFieldNames(dvSelectedPart(linhas.front(), 0));
    // A detail table changed its order within the master's records: back to the record it was on.
    if (LookupIsDetail() && !FSelected.isEmpty())
        FindTableValue(notado, dvSelectedPart(FSelected.front(), 0), false);
}

void TdvDBCustomLookupCombo::SwitchToKeyOrder()
{
    auto* tabela = dynamic_cast<TTable*>(LookupTable());
    auto* dv = dynamic_cast<TdvTable*>(tabela);
    if (!tabela || (dv && !dv->Query().isEmpty()) || LookupField().isEmpty())
        return;
    if (LookupIsDetail()) {
        const QString busca = LookupField().section(QLatin1Char(';'), -1).trimmed();
        const TField* campo = tabela->FindField(busca);
        const QString notado = campo ? campo->Text() : QString();
        if (dv)
            dv->SelectIndexForFields(LookupField());
        FindTableValue(notado, busca, false);
        return;
    }
    if (dv)
        dv->SelectIndexForFields(LookupField());
    else
        tabela->SetIndexFieldNames(LookupField());
}

// ---- bound through lookup links ----

bool TdvDBCustomLookupCombo::LookupIsDetail() const
{
    const auto* tabela = dynamic_cast<const TTable*>(LookupTable());
    return tabela && (tabela->MasterSource || !tabela->MasterFields.isEmpty());
}

bool TdvDBCustomLookupCombo::BoundThroughLookupLinks() const
{
    TDataSet* dados = DataSource() ? DataSource()->DataSet() : nullptr;
    const TField* campo = dados && !DataField().isEmpty() ? dados->FindField(DataField()) : nullptr;
    return campo && (campo->FieldKind() == fkCalculated || campo->FieldKind() == fkLookup);
}

std::vector<std::pair<QString, QString>> TdvDBCustomLookupCombo::LookupKeyPairs() const
{
    std::vector<std::pair<QString, QString>> pares;
    TDataSet* dados = DataSource() ? DataSource()->DataSet() : nullptr;
    const TField* campo = dados ? dados->FindField(DataField()) : nullptr;
    if (!campo)
        return pares;
    if (campo->Lookup()) {
        const QStringList chaves = campo->KeyFields.split(QLatin1Char(';'));
        const QStringList busca = campo->LookupKeyFields.split(QLatin1Char(';'));
        for (qsizetype i = 0; i < std::min(chaves.size(), busca.size()); ++i)
            pares.emplace_back(chaves[i].trimmed(), busca[i].trimmed());
        return pares;
    }
    const QStringList fichas = dvGetFieldLookupLinks(dados, DataField()).split(QLatin1Char(';'));
    for (qsizetype i = 0; i + 1 < fichas.size(); i += 2) {
        if (fichas[i].trimmed().isEmpty() || fichas[i + 1].trimmed().isEmpty())
            break;
        pares.emplace_back(fichas[i].trimmed(), fichas[i + 1].trimmed());
    }
    return pares;
}

bool TdvDBCustomLookupCombo::WriteThroughLookupLinks()
{
    if (FLinkWriting)
        return false;
    QScopedValueRollback escrevendo(FLinkWriting, true);
    TDataSet* dados = DataSource() ? DataSource()->DataSet() : nullptr;
    const TField* campo = dados ? dados->FindField(DataField()) : nullptr;
    if (!campo)
        return false;
    QStringList chaves;
    if (campo->Lookup()) {
        for (const QString& chave : campo->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            chaves << chave.trimmed();
    } else {
        for (const auto& par : LookupKeyPairs())
            chaves << par.first;
    }
    const int quantas = std::min(static_cast<int>(chaves.size()), std::max(FGrid->LookupFieldCount(), 1));
    bool precisa = chaves.isEmpty();
    for (int i = 0; i < quantas && !precisa; ++i) {
        const TField* chave = dados->FindField(chaves[i]);
        precisa = chave && chave->Text() != FGrid->LookupValue(i);
    }
    if (precisa) {
        QScopedValueRollback proprio(FSelfWrite, true);
        const auto* tabela = dynamic_cast<const TTable*>(dados);
        if (!(tabela && tabela->ReadOnly()) && dados->CanModify() && !ReadOnly()) {
            DataSource()->Edit();
            if (EmEdicao(dados)) {
                // The master of a detail lookup table fixes the keys before the last one.
                const int primeiro = LookupIsDetail() && dynamic_cast<TdvTable*>(LookupTable()) ? quantas - 1 : 0;
                for (int i = std::max(primeiro, 0); i < quantas; ++i) {
                    TField* chave = dados->FindField(chaves[i]);
                    if (chave && chave->Text() != FGrid->LookupValue(i))
                        chave->SetText(FGrid->LookupValue(i));
                }
            }
        }
    }
    update();
    return precisa;
}

// ---- drop-down ----

void TdvDBCustomLookupCombo::PlaceGrid()
{
    if (width() <= 20)
        return;
    TDataSet* tabela = LookupTable();
    const TdvDBLookupListOptions opcoes = Options();
    const QFont fonte = FGrid->font();
    TdvLookupDropDownInput in;
    const QPoint origem = mapToGlobal(QPoint(0, 0));
    in.X = origem.x();
    in.Y = origem.y();
    in.ComboWidth = width();
    in.ComboHeight = height();
    in.BorderNone = BorderStyle() == TBorderStyle::bsNone;
    const QScreen* tela = screen();
    in.Screen = TRect::From(tela ? tela->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15));
    int registros = -1;
    const auto* dv = dynamic_cast<const TdvTable*>(tabela);
    const bool porFaixa = dv && (dv->SyncSQLByRange || dv->NarrowSearch);
    // Only whether the rows fill the list matters: the count stops past its rows.
    if (tabela && !porFaixa)
        registros = tabela->RecordCountAte(std::max(DropDownCount, 1));
    in.Rows = dvLookupDropDownRows(DropDownCount, registros);
    in.Titles = opcoes & loTitles;
    in.RowLines = opcoes & loRowLines;
    // The pitch of a data row of the grid, less the line the formula adds itself.
    const int passo = (FGrid->HandleAllocated()
                           ? FGrid->DefaultRowHeight()
                           : dvDataRowHeight(QFontMetrics(fonte).height(), in.RowLines, FGrid->RowHeightPercent()))
        + (in.RowLines ? FGrid->GridLineWidth() : 0);
    in.RowHeight = passo - (in.RowLines ? 1 : 0);
    in.DropDownWidth = DropDownWidth;
    const int zero = QFontMetrics(fonte).horizontalAdvance(QLatin1Char('0'));
    std::vector<int> larguras;
    std::vector<int> titulos;
    for (const QString& linha : FSelected) {
        larguras.push_back(dvSelectedPart(linha, 1).trimmed().toInt());
        titulos.push_back(QFontMetrics(FGrid->TitleFont().Font).horizontalAdvance(dvSelectedPart(linha, 2)));
    }
    const int colunas = static_cast<int>(larguras.size());
    const int polegar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    in.NaturalWidth = dvLookupNaturalWidth(polegar, larguras.data(), titulos.data(), colunas, zero,
                                           FGrid->GridLineWidth(), in.Titles);
    in.NaturalWidthButLast = dvLookupNaturalWidth(polegar, larguras.data(), titulos.data(), std::max(colunas - 1, 0),
                                                  zero, FGrid->GridLineWidth(), in.Titles);
    in.ColumnCount = colunas;
    in.GridLineWidth = FGrid->GridLineWidth();
    in.ButtonWidth = EffectiveButtonWidth();
    in.RightAligned = DropDownAlignment == taRightJustify;
    in.HorzScrollHeight = polegar;
    FGrid->setGeometry(dvLookupDropDownBounds(in).ToQRect());
}

void TdvDBCustomLookupCombo::DropDown()
{
    TDataSet* tabela = LookupTable();
    if (!tabela) {
        InterfaceUsuario::Mostra(QStringLiteral("No lookup table specified!"), TipoDialogo::Informacao, Botao::Ok);
        return;
    }
    if (!tabela->Active()) {
        InterfaceUsuario::Mostra(QStringLiteral("Lookup table is not active!"), TipoDialogo::Informacao, Botao::Ok);
        return;
    }
    if (DroppedDown() || width() <= 20)
        return;
    if (FSelected.isEmpty()) {
        if (!FGrid->LookupFieldAt(0))
            FGrid->ReadLookupFields();
        for (int i = 0; i < FGrid->LookupFieldCount(); ++i) {
            const TField* campo = FGrid->LookupFieldAt(i);
            FSelected << campo->FieldName() + QLatin1Char('\t') + QString::number(campo->DisplayWidth())
                    + QLatin1Char('\t') + campo->DisplayLabel();
        }
    }
    FGrid->SetSelected(FSelected);
    FGrid->ReadLookupFields();
    FGrid->setFont(font());
    if (!FDropDownPending) {
        // A query that takes its parameters from a data source of its own may follow the
        // combo's record: that record is put in edit first.
        const auto* consulta = dynamic_cast<const TdvQuery*>(tabela);
        const TDataSet* dados = DataSource() ? DataSource()->DataSet() : nullptr;
        if (consulta && consulta->DataSource && dados && dados->CanModify())
            LinkEdit();
        FGrid->PositionOnComboValue(true);
    }
    if (OnDropDown)
        OnDropDown(this);
    if (LookupField().isEmpty())
        FGrid->SetDisplayValueText(text());
    PlaceGrid();
    SetDroppedDownFlag(true);
    FGrid->show();
    FGrid->LayoutChanged();
    PlaceGrid();
    FLastSearch = FGrid->DisplayValue();
    if (!FDropDownPending && TypingAllowed() && !(ShowMatchText && SelLength() > 0 && SelStart() > 0))
        selectAll();
    update();
    InstalaGancho();
}

void TdvDBCustomLookupCombo::CancelMode()
{
    if (!DroppedDown())
        return;
    // The values the list keeps (the record chosen or found), not whatever record it shows.
    if (FMatch)
        AcceptGridRecord();
    CloseUp(true);
}

void TdvDBCustomLookupCombo::AcceptGridRecord()
{
    FMatch = true;
    if (Bound() && !DataLink().Editing() && !isModified())
        return;
    LinkEdit();
    if (Bound() && !DataLink().Editing()) {
        // The key fields take the value: the field itself never edits.
        if (!BoundThroughLookupLinks() || ReadOnly())
            return;
        const auto* tabela = dynamic_cast<const TTable*>(DataSource()->DataSet());
        if (tabela && tabela->ReadOnly())
            return;
    }
    LinkModified();
    SetTextoProprio(FGrid->DisplayValue());
    if (TypingAllowed())
        selectAll();
    FLastSearch = text();
}

void TdvDBCustomLookupCombo::CloseUp(bool accept)
{
    if (FClosing)
        return;
    if (!DroppedDown()) {
        VerificaTextoFechado();
        return;
    }
    FClosing = true;
    try {
        FechaAberto(accept);
    } catch (...) {
        SetDroppedDownFlag(false);
        FGrid->hide();
        FInEvent = false;
        FSelfWrite = false;
        FClosing = false;
        RemoveGancho();
        update();
        throw;
    }
    FClosing = false;
    // Every close lets the mouse watch go, also one that refused the typed text.
    RemoveGancho();
}

void TdvDBCustomLookupCombo::FechaAberto(bool accept)
{
    const bool casouNoInicio = FMatch;
    const bool exibidoEhChave = FGrid->DisplayIsFirstLookupField();
    bool aceitouTexto = false;
    const auto esconde = [this] {
        SetDroppedDownFlag(false);
        FGrid->hide();
        update();
    };
    if (accept && !FMatch && (!Bound() || DataLink().Editing() || BoundThroughLookupLinks())) {
        esconde();
        FMatch = true;
        if (OnNotInList || (FStyle == TComboBoxStyle::csDropDown && exibidoEhChave)) {
            const bool aceita = text().isEmpty() || !OnNotInList || PerguntaForaDaLista();
            if (!aceita) {
                RestauraSalvos();
                return;
            }
            FSavedText = text();
            aceitouTexto = true;
            if (exibidoEhChave)
                FGrid->SetLookupValue(text());
        } else if (FStyle == TComboBoxStyle::csDropDown && text() != FSavedText) {
            RestauraSalvos();
        }
    }
    if (accept) {
        if (!Bound()) {
            if (casouNoInicio) {
                AcceptGridRecord();
            } else if (!(aceitouTexto && exibidoEhChave)) {
                if (AllowClearKey) {
                    FGrid->ClearLookupValues();
                    FGrid->SetDisplayValueText(QString());
                    SetTextoProprio(QString());
                } else {
                    RestauraSalvos();
                }
            }
        } else if (BoundThroughLookupLinks()) {
            esconde();
            WriteThroughLookupLinks();
            if (const TField* campo = Field())
                SetTextoProprio(campo->Text());
            if (TypingAllowed())
                selectAll();
        } else if (DataLink().Editing()) {
            TField* campo = Field();
            const QString valor = FGrid->LookupValue(0);
            if (campo && casouNoInicio && campo->Text() != valor) {
                QScopedValueRollback proprio(FSelfWrite, true);
                try {
                    campo->SetText(valor);
                } catch (...) {
                    if (!hasFocus())
                        RestauraSalvos();
                    throw;
                }
                SetTextoProprio(FGrid->DisplayValue());
            } else if (!casouNoInicio && FStyle == TComboBoxStyle::csDropDownList) {
                RestauraSalvos();
            }
        } else {
            accept = false;
        }
    }
    esconde();
    if (accept)
        SalvaAtual();
    setModified(accept);
    if (OnCloseUp)
        OnCloseUp(this, LookupTable(), DataSource() ? DataSource()->DataSet() : nullptr, accept);
}

bool TdvDBCustomLookupCombo::PerguntaForaDaLista()
{
    bool aceita = true;
    QScopedValueRollback evento(FInEvent, true);
    try {
        OnNotInList(this, LookupTable(), text(), aceita);
    } catch (...) {
        dvPostLButtonUp();
        throw;
    }
    dvPostLButtonUp();
    return aceita;
}

void TdvDBCustomLookupCombo::VerificaTextoFechado()
{
    if (!FGrid->DisplayField() || FInEvent)
        return;
    const bool exibidoEhChave = FGrid->DisplayIsFirstLookupField();
    if (OnNotInList && text() != FSavedText && (!Bound() || !exibidoEhChave)) {
        SwitchToDisplayOrder();
        if (text().isEmpty())
            FMatch = false;
        else
            PerformSearch();
        if (!FMatch) {
            const bool aceita = text().isEmpty() || PerguntaForaDaLista();
            if (!aceita) {
                RestauraSalvos();
                if (hasFocus())
                    selectAll();
            }
        }
        FSavedText = text();
    } else if (FStyle == TComboBoxStyle::csDropDown && !exibidoEhChave && text() != FSavedText && !FMatch) {
        RestauraSalvos();
        if (hasFocus())
            selectAll();
    }
}

// ---- keys ----

bool TdvDBCustomLookupCombo::WantsKey(int key) const
{
    if (key == Qt::Key_Escape && !DroppedDown() && isModified())
        return true;
    return TdvDBCustomCombo::WantsKey(key);
}

void TdvDBCustomLookupCombo::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool alt = shift.testFlag(Qt::AltModifier);
    const bool aberto = DroppedDown();
    if (!aberto && FStyle == TComboBoxStyle::csDropDownList && !AllowClearKey
        && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        key = 0;
        return;
    }
    if (!aberto && FAutoDropDown && dvIsEditKey(key))
        FDropDownPending = true;
    if (aberto && alt && !shift.testFlag(Qt::ControlModifier)
        && ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))) {
        // A letter of the window (a button's, a tab's) is not the list's: the list closes with
        // the record found, as Tab takes it, and the letter acts in the window.
        FechaTomandoORegistro();
        OfereceAosAtalhos(*this, key, shift);
        key = 0;
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!aberto) {
            if (alt)
                DropDown();
        } else if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            // The keys that open the list close it, taking the record shown as Return does.
            FechaTomandoORegistro();
        } else {
            LinkEdit();
            if (!ReadOnly())
                FGrid->ListKeyDown(key, shift & ~Qt::AltModifier);
        }
        key = 0;
        return;
    case Qt::Key_Escape:
        if (aberto) {
            CloseUp(false);
            key = 0;
            return;
        }
        if (isModified()) {
            RestauraSalvos();
            setModified(true);
            if (Bound())
                DataLink().Reset();
            key = 0;
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (aberto) {
            // The record found is taken; Tab then goes on as it would from the edit.
            const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
            FechaTomandoORegistro();
            if (tab)
                focusNextPrevChild(key == Qt::Key_Tab && !shift.testFlag(Qt::ShiftModifier));
            key = 0;
            return;
        }
        break;
    default:
        break;
    }
    if (ShowMatchText && aberto && (key == Qt::Key_Backspace || key == Qt::Key_Delete))
        FLastSearch = TextoApagado;
    else if (!(ShowMatchText && !aberto && (key == Qt::Key_Backspace || key == Qt::Key_Delete)))
        FLastSearch.clear();
    TdvDBCustomCombo::KeyDown(key, shift);
}

void TdvDBCustomLookupCombo::FechaTomandoORegistro()
{
    if (FMatch)
        AcceptGridRecord();
    CloseUp(true);
}

void TdvDBCustomLookupCombo::PassaAGrade(int& key, Qt::KeyboardModifiers shift)
{
    auto* grade = dynamic_cast<QWidget*>(TdvDBCustomEdit::Grid());
    if (grade)
        grade->setFocus(Qt::OtherFocusReason);
    TdvDBCustomEdit::Grid()->GridKeyDown(key, shift);
    key = 0;
}

void TdvDBCustomLookupCombo::WndKey(TKeyMessage& m)
{
    // Inside a grid, a closed combo hands the keys that move between cells to the grid; an
    // open one keeps them for its list.
    if (m.Kind != TKeyMessage::WM_KEYDOWN || !TdvDBCustomEdit::Grid() || DroppedDown()) {
        if (m.Kind == TKeyMessage::WM_KEYDOWN && TdvDBCustomEdit::Grid())
            TdvCustomMaskEdit::WndKey(m);
        else
            TdvDBCustomCombo::WndKey(m);
        return;
    }
    const Qt::KeyboardModifiers shift = m.Shift | (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
    const bool alt = shift.testFlag(Qt::AltModifier);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const int tamanho = static_cast<int>(text().size());
    const int inicio = SelStart();
    const int fim = inicio + SelLength();
    const bool sempre = InDBGrid() && TdvDBCustomEdit::Grid()->AlwaysShowEditor();
    bool passa = false;
    switch (m.Key) {
    case Qt::Key_Escape:
        if (!isModified()) {
            QScopedValueRollback evento(FInEvent, true);
            PassaAGrade(m.Key, shift);
            return;
        }
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        passa = !alt;
        break;
    case Qt::Key_Insert:
        passa = true;
        break;
    case Qt::Key_Delete:
        passa = ctrl;
        break;
    case Qt::Key_Home:
    case Qt::Key_Left:
        passa = sempre && (ctrl || (inicio == 0 && (fim == inicio || fim == tamanho)));
        break;
    case Qt::Key_End:
    case Qt::Key_Right:
        passa = sempre && (ctrl || ((fim == inicio || inicio == 0) && fim == tamanho));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        passa = true;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        passa = TdvDBCustomEdit::Grid()->TabsToGrid();
        break;
    case Qt::Key_F2:
        if (OnKeyDown)
            OnKeyDown(m.Key, shift);
        if (m.Key == Qt::Key_F2) {
            setSelection(cursorPosition(), 0);
            deselect();
            m.Key = 0;
        }
        return;
    default:
        break;
    }
    const bool seta = m.Key == Qt::Key_Home || m.Key == Qt::Key_End || m.Key == Qt::Key_Left || m.Key == Qt::Key_Right;
    if (passa || (seta && !HasEditableText())) {
        PassaAGrade(m.Key, shift);
        return;
    }
    TdvCustomMaskEdit::WndKey(m);
}

void TdvDBCustomLookupCombo::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (AllowClearKey && (key == Qt::Key_Delete || key == Qt::Key_Backspace) && text().isEmpty()
        && !FGrid->LookupValue(0).isEmpty()) {
        if (BoundThroughLookupLinks()) {
            FGrid->ClearLookupValues();
            WriteThroughLookupLinks();
        } else if (Bound()) {
            LinkEdit();
            LinkModified();
            FGrid->ClearLookupValues();
        } else {
            SetLookupValue(QString());
        }
        key = 0;
        return;
    }
    TdvDBCustomCombo::KeyUp(key, shift);
}

void TdvDBCustomLookupCombo::Change()
{
    TdvDBCustomCombo::Change();
    if (FSettingText || FInSearch)
        return;
    if (FDropDownPending) {
        FDropDownPending = false;
        if (!DroppedDown()) {
            const int cursor = cursorPosition();
            QScopedValueRollback pendente(FDropDownPending, true);
            DropDown();
            setCursorPosition(cursor);
        }
    }
    if (Bound() && DataLink().Editing())
        LinkModified();
    if (FSearchDelay > 0)
        FSearchTimer.start();
    else
        PerformSearch();
}

// ---- painting ----

bool TdvDBCustomLookupCombo::PintaSozinho() const
{
    if (!HasEditableText() || dvIsPaintCopyState(this))
        return true;
    const QWidget* grade = parentWidget();
    if (InDBGrid() && grade->hasFocus())
        return true;
    const TField* exibido = FGrid->DisplayField();
    const bool alinhado = !exibido || exibido->Alignment() == taLeftJustify;
    return !Focado() && (!alinhado || Frame().IsFrameEffective());
}

QString TdvDBCustomLookupCombo::CopyText()
{
    TField* campo = Field();
    if (!Bound() || !campo)
        return text();
    if (FGrid->DisplayIsFirstLookupField() || campo->Lookup() || campo->Calculated())
        return campo->DisplayText();
    if (auto* dv = dynamic_cast<TdvTable*>(LookupTable()))
        dv->SelectIndexForFields(LookupField());
    const bool achou = FGrid->LocateComboValue();
    return achou && FGrid->DisplayField() ? FGrid->DisplayField()->Text() : QString();
}

void TdvDBCustomLookupCombo::PintaProprio(QPainter& p)
{
    const bool copia = dvIsPaintCopyState(this);
    const bool inspetor = copia && dvIsPaintCopyInInspector(this);
    const bool emGrade = InDBGrid();
    const bool gradeFocada = emGrade && parentWidget()->hasFocus();
    const bool quadro = Frame().IsFrameEffective();
    const bool transparente = quadro && Frame().Transparent();
    QStyleOptionFrame opcao;
    initStyleOption(&opcao);
    if (BorderStyle() != TBorderStyle::bsNone && !emGrade && !copia)
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opcao, &p, this);

    // 1. The font's colour.
    QColor tinta = palette().color(QPalette::Text);
    if (!isEnabled() && palette().color(QPalette::Base) != palette().color(QPalette::Disabled, QPalette::Text))
        tinta = palette().color(QPalette::Disabled, QPalette::Text);
    else if (emGrade)
        tinta = parentWidget()->palette().color(QPalette::Text);
    QRect cliente = ClientRect();
    // 2. A plain frame inside a grid.
    if (BorderStyle() != TBorderStyle::bsNone && emGrade && !copia) {
        p.setPen(palette().color(QPalette::Shadow));
        p.drawRect(cliente.adjusted(0, 0, -1, -1));
    }
    // 3. The background, left of the button.
    QRect fundo = cliente.adjusted(1, 1, -1, -1);
    if (ShowButton() && !inspetor)
        fundo.setRight(ButtonHost()->geometry().left() - 1);
    if (!transparente && !inspetor)
        p.fillRect(fundo, palette().color(QPalette::Base));
    // 4. The text: a grid's picture shows the record's, whatever was typed.
    const QString texto = copia ? CopyText() : text();
    // 5. Highlighted as a chosen item: a list-only combo with the focus, or a focused grid's cell.
    const bool realce = !copia && ((FStyle == TComboBoxStyle::csDropDownList && hasFocus()) || gradeFocada);
    // 6. Where it starts.
    int topo = gradeFocada ? (BorderStyle() != TBorderStyle::bsNone ? 3 : 2) : 1;
    int esquerda = inspetor ? 3 : topo + 1;
    if (quadro)
        Frame().GetTextOffsets(esquerda, topo, Focado());
    const QFontMetrics medidas(font());
    const int largura = medidas.horizontalAdvance(texto);
    if (Bound() && !inspetor && FGrid->DisplayField()) {
        switch (FGrid->DisplayField()->Alignment()) {
        case taRightJustify:
            esquerda = fundo.right() + 1 - largura - 2 + (ShowButton() && !transparente ? 1 : 0)
                - (quadro ? Frame().NonFocusTextOffsetX : 0);
            break;
        case taCenter:
            esquerda = (fundo.left() + fundo.right() + 1 - largura) / 2;
            break;
        default:
            break;
        }
    } else if (!Bound() && UnboundAlignment() == taRightJustify) {
        esquerda = fundo.right() + 1 - largura - 2;
    }
    const QRect areaTexto(fundo.left() + esquerda - 1, fundo.top() + topo - 1, largura + 1, medidas.height());
    if (realce) {
        p.fillRect(areaTexto.intersected(fundo), palette().color(QPalette::Highlight));
        tinta = palette().color(QPalette::HighlightedText);
    } else if (transparente && !Focado() && Frame().NonFocusTransparentFontColor.isValid()) {
        tinta = Frame().NonFocusTransparentFontColor;
    }
    p.save();
    p.setClipRect(fundo);
    p.setFont(font());
    p.setPen(tinta);
    p.drawText(areaTexto, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texto);
    p.restore();
    // 7. The focus rectangle of a highlighted combo.
    if (realce) {
        QStyleOptionFocusRect foco;
        foco.initFrom(this);
        foco.rect = BorderStyle() != TBorderStyle::bsNone ? fundo : fundo.adjusted(-1, -1, 0, 1);
        foco.backgroundColor = palette().color(QPalette::Highlight);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &foco, &p, this);
    }
    // 8. The frame.
    if (quadro)
        DrawFrame(p);
}

void TdvDBCustomLookupCombo::paintEvent(QPaintEvent* e)
{
    if (!PintaSozinho()) {
        TdvDBCustomCombo::paintEvent(e);
        return;
    }
    QPainter p(this);
    PintaProprio(p);
}

// ---- focus ----

void TdvDBCustomLookupCombo::CMEnter()
{
    TdvDBCustomCombo::CMEnter();
    SalvaAtual();
}

void TdvDBCustomLookupCombo::CMExit()
{
    if (FSearchTimer.isActive())
        PerformSearch();
    if (DroppedDown()) {
        if (isModified() && !AllowClearKey && text().isEmpty())
            FGrid->TakeCurrentRecord();
        CloseUp(true);
    } else if (isModified()) {
        CloseUp(true);
    }
    TdvDBCustomCombo::CMExit();
}

void TdvDBCustomLookupCombo::moveEvent(QMoveEvent* e)
{
    TdvDBCustomCombo::moveEvent(e);
    if (DroppedDown())
        PlaceGrid();
}

// ---- bound ----

void TdvDBCustomLookupCombo::DataChange()
{
    if (FSelfWrite)
        return;
    TField* campo = Field();
    if (!campo) {
        TdvDBCustomCombo::DataChange();
        return;
    }
    if (campo->Text().isEmpty()) {
        FGrid->ClearLookupValues();
        FGrid->SetDisplayValueText(QString());
        SetTextoProprio(QString());
    } else if (BoundThroughLookupLinks()) {
        // The field shows the record; its key fields find it.
        FGrid->PositionOnComboValue(false);
        FGrid->SetDisplayValueText(campo->Text());
        SetTextoProprio(campo->Text());
    } else {
        FGrid->SetLookupValue(campo->Text());
        if (FGrid->LookupFieldCount() > 1) {
            TDataSet* dados = campo->DataSet();
            for (int i = 1; i < FGrid->LookupFieldCount(); ++i)
                if (const TField* outro = dados->FindField(FGrid->LookupFieldAt(i)->FieldName()))
                    FGrid->SetLookupValueAt(i, outro->Text());
            FGrid->PositionOnComboValue(false);
        }
        SetTextoProprio(FGrid->DisplayValue());
    }
    FLastSearch = text();
    setModified(false);
    if (campo->DataSet() && campo->DataSet()->State() == dsBrowse)
        SalvaAtual();
}

void TdvDBCustomLookupCombo::UpdateData()
{
    TField* campo = Field();
    if (!campo || FInEvent || ReadOnly())
        return;
    if (!text().isEmpty() && isModified() && !DroppedDown() && !FMatch)
        PerformSearch();
    if (BoundThroughLookupLinks()) {
        if (FGrid->RememberedRow() >= 0)
            WriteThroughLookupLinks();
        return;
    }
    const QString valor = FGrid->DisplayIsFirstLookupField() ? text() : FGrid->LookupValue(0);
    if (text().isEmpty()) {
        if (!campo->Text().isEmpty())
            campo->Clear();
        return;
    }
    if (valor != campo->Text() && (FMatch || FGrid->DisplayIsFirstLookupField()))
        campo->SetText(valor);
    // Data fields named like the second and third lookup fields follow the record chosen.
    TDataSet* dados = campo->DataSet();
    for (int i = 1; i < FGrid->LookupFieldCount() && FMatch; ++i) {
        const TField* origem = FGrid->LookupFieldAt(i);
        TField* destino = dados->FindField(origem->FieldName());
        if (destino && destino != campo && destino->Text() != origem->Text())
            destino->SetText(origem->Text());
    }
}
