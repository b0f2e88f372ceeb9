#include "components/controls/grid/TdvDBGrid.h"
#include "components/controls/datetime/TdvDBDateTimePicker.h"
#include "components/controls/richtext/TdvDBRichEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <algorithm>

#include "components/controls/grid/TdvColumn.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/grid/TdvInplaceEdit.h"
#include "components/controls/grid/dvGridLayout.h"
#include "components/data/common/TdvPaintCopy.h"
#include "components/data/common/dvControlState.h"
#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/settings/dvProperties.h"
#include "components/data/settings/dvSettingLines.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/widgets/controls/TCustomEdit.h"
#include "platform/widgets/keyboard/dvWidgetEvents.h"

namespace {

bool EhDataHora(const TField* campo)
{
    return campo && (campo->DataType() == ftDate || campo->DataType() == ftTime || campo->DataType() == ftDateTime);
}

// The two bookmarks in the dataset's order.
std::pair<TBookmark, TBookmark> EmOrdem(TDataSet& dados, const TBookmark& a, const TBookmark& b)
{
    return dados.CompareBookmarks(a, b) <= 0 ? std::pair{a, b} : std::pair{b, a};
}

bool EhMemo(const TField* campo)
{
    return campo && (campo->DataType() == ftMemo || (campo->IsBlob() && dvIsRichEditField(campo, false)));
}

}   // namespace

// ---- creation ----

TdvDBGrid::TdvDBGrid(QWidget* parent)
    : TdvCustomDBGrid(parent)
    , FIniAttributes(*this)
{}

TdvDBGrid::~TdvDBGrid()
{
    FDestruindo = true;
    if (FIniAttributes.Enabled)
        SaveToIniFile();
    FSelecionados.clear();
    const std::vector<QPointer<QObject>> ligados = std::move(FLinkedComponents);
    for (const QPointer<QObject>& componente : ligados)
        if (auto* aviso = dynamic_cast<IdvLinkedComponent*>(componente.data()))
            aviso->Notification(this, TOperation::opRemove);
    // The controls placed over cells belong to the form: they go back to it.
    for (auto& [controle, pai] : FPaisOriginais) {
        if (!controle)
            continue;
        controle->hide();
        controle->setParent(pai);
    }
}

void TdvDBGrid::SetMemoAttributes(TdvMemoAttributes atributos)
{
    FMemoAttributes = atributos;
    AplicaListaDeColunas();
}

void TdvDBGrid::SetDataFixedCols(int colunas)
{
    const TDataSet* dados = DataSet();
    if (colunas < 0 || (dados && dados->Active() && IndicatorOffset() + colunas >= ColCount())) {
        InterfaceUsuario::Mostra(QStringLiteral("Invalid value for FixedCols"), TipoDialogo::Aviso, Botao::Ok);
        return;
    }
    FFixedCols = colunas;
    LayoutChanged();
}

void TdvDBGrid::Loaded()
{
    const QWidget* forma = window();
    FIniAttributes.SetOwnerFormName(forma && forma != this ? forma->objectName() : QString());
    TdvCustomDBGrid::Loaded();
    FControlesPreparados = false;
    PrepareCellControls();
}

void TdvDBGrid::AddLinkedComponent(QObject* componente)
{
    if (!componente)
        return;
    RemoveLinkedComponent(componente);
    FLinkedComponents.emplace_back(componente);
}

void TdvDBGrid::RemoveLinkedComponent(QObject* componente)
{
    std::erase_if(FLinkedComponents, [componente](const QPointer<QObject>& c) { return !c || c.data() == componente; });
}

// ---- the column list ----

void TdvDBGrid::AplicaListaDeColunas()
{
    TDataSet* dados = DataSet();
    if (FAplicandoLista || !DataSource() || !dados)
        return;
    if (!dvIsCompatibleDataSet(dados)) {
        InterfaceUsuario::Mostra(QStringLiteral("dvGrid must use a compatible TDataSet."), TipoDialogo::Informacao,
                                 Botao::Ok);
        SetDataSource(nullptr);
        return;
    }
    PrepareCellControls();
    HideCellControl();
    FCurrentCellControl = nullptr;
    QScopedValueRollback aplicando(FAplicandoLista, true);
    dados->DisableControls();
    try {
        if (ControlInfoInDataset()) {
            IdvPublished* publicado = dvPublished(dados);
            dvDataSetRemoveObsoleteFields(dados, dvGetLookupFields(publicado), dvGetLookupLinks(publicado),
                                          dvGetControlType(publicado));
        }
        // Built in code, the grid has no design phase that would have written the list into the
        // fields: it is applied whenever it has lines.
        if (!Selected().isEmpty() && UseTFields())
            dvDataSetApplySelected(dados, Selected());
    } catch (...) {
        dados->EnableControls();
        throw;
    }
    dados->EnableControls();
    LayoutChanged();
    FListaAplicada = true;
    UpdateCellControl();
}

void TdvDBGrid::LinkActive(bool ativo)
{
    if (FDestruindo && FIniAttributes.Enabled)
        SaveToIniFile();
    TdvCustomDBGrid::LinkActive(ativo);
    if (ativo)
        AplicaListaDeColunas();
    else
        HideCellControl();
}

void TdvDBGrid::SetColumnAttributes()
{
    TdvCustomDBGrid::SetColumnAttributes();
    const TDataSet* dados = DataSet();
    const int fixas = IndicatorOffset() + FFixedCols;
    if (fixas != FixedCols() && dados && dados->Active() && fixas < ColCount() && FFixedCols >= 0) {
        SetFixedCols(fixas);
        for (int i = 0; i < fixas; ++i)
            SetTabStops(i, false);
    }
    // Columns edited by a check box or a control of their own are reached by Tab as well.
    for (int i = 0; i < FieldCount(); ++i) {
        const int coluna = IndicatorOffset() + i;
        if (coluna < FixedCols())
            continue;
        QString tipo, parametros;
        GetControlInfo(Fields(i)->FieldName(), tipo, parametros);
        const bool propria = tipo == QLatin1String("CheckBox") || tipo == QLatin1String("Bitmap")
            || tipo == QLatin1String("ImageIndex") || IsSelectedCheckBoxColumn(coluna)
            || (dvIsCustomControlType(tipo) && FindCellControl(parametros.section(';', 0, 0)));
        if (propria)
            SetTabStops(coluna, true);
    }
}

QColor TdvDBGrid::GetFixedColor(int coluna) const
{
    return coluna < IndicatorOffset() + FFixedCols ? TitleColor() : Color();
}

void TdvDBGrid::GetControlInfo(const QString& fieldName, QString& kind, QString& parameters)
{
    TdvCustomDBGrid::GetControlInfo(fieldName, kind, parameters);
    if ((FEditControlOptions & ecoDisableCustomControls) && dvIsCustomControlType(kind))
        kind.clear();
}

void TdvDBGrid::GetFieldText(int dataCol, QString& text)
{
    const TField* campo = Fields(dataCol);
    if (!EhMemo(campo)) {
        TdvCustomDBGrid::GetFieldText(dataCol, text);
        return;
    }
    const TDataSet* dados = campo->DataSet();
    if (dados->Bof() && dados->Eof() && dados->State() != dsInsert)
        text.clear();
    else if (!(FMemoAttributes & mGridShow))
        text = QStringLiteral("(Memo)");
    else
        text = TextoRich(Fields(dataCol));
}

QString TdvDBGrid::TextoRich(TField* campo)
{
    // Rich text reads as the text a rich edit would show, never as its markup.
    const TdvDBRichEdit* leitor = LeitorRich(campo);
    return leitor ? leitor->Text() : campo->AsString();
}

TdvDBRichEdit* TdvDBGrid::LeitorRich(TField* campo)
{
    QString tipo, parametros;
    GetControlInfo(campo->FieldName(), tipo, parametros);
    if (tipo != QLatin1String("RichEdit") || !campo->IsBlob())
        return nullptr;
    if (!FLeitorRich) {
        FLeitorRich = new TdvDBRichEdit(this);
        FLeitorRich->hide();
        FLeitorRich->setFrameStyle(QFrame::NoFrame);
    }
    FLeitorRich->LoadFromBlobField(campo);
    return FLeitorRich;
}

void TdvDBGrid::WriteCellText(const QString& text, TAlignment alignment)
{
    const int coluna = DrawDataCol();
    TField* campo = DrawDataRow() >= 0 && coluna >= 0 && coluna < FieldCount() ? Fields(coluna) : nullptr;
    TdvDBRichEdit* rich = campo && EhMemo(campo) && (FMemoAttributes & mGridShow) ? LeitorRich(campo) : nullptr;
    if (!rich) {
        TdvCustomDBGrid::WriteCellText(text, alignment);
        return;
    }
    // Rich text shows formatted: the rich edit paints a copy of itself into the cell.
    TCanvas& canvas = *GetPaintCanvas();
    const TRect& r = DrawCellRect();
    canvas.FillRect(r);
    const int dy = (Options() & dgRowLines) ? 2 : 1;
    QPainter& pintor = canvas.Painter();
    pintor.save();
    canvas.ApplyFont();
    TdvPaintCopy copia(rich);
    rich->PaintCopy(pintor, r.ToQRect().adjusted(2, dy, -2, 0));
    pintor.restore();
}

// ---- the selected records ----

int TdvDBGrid::IndiceSelecionado()
{
    TDataSet* dados = DataSet();
    if (!dados || !dados->Active() || FSelecionados.empty())
        return -1;
    if (dados->State() == dsEdit || dados->State() == dsInsert)
        return -1;
    const TBookmark atual = dados->GetBookmark();
    if (atual.IsNull())
        return -1;
    for (std::size_t i = 0; i < FSelecionados.size(); ++i)
        if (dvCompareBookmarks(dados, FSelecionados[i], atual) == 0 || FSelecionados[i] == atual)
            return static_cast<int>(i);
    return -1;
}

bool TdvDBGrid::IsSelected()
{
    return IndiceSelecionado() >= 0;
}

void TdvDBGrid::SelectRecord()
{
    TDataSet* dados = DataSet();
    if (!dados || !dados->Active() || dados->IsEmpty() || IsSelected())
        return;
    bool aceita = true;
    if (OnMultiSelectRecord)
        OnMultiSelectRecord(this, true, aceita);
    if (!aceita)
        return;
    FSelecionados.push_back(dados->GetBookmark());
    InvalidateRow(Row());
}

void TdvDBGrid::UnselectRecord()
{
    const int indice = IndiceSelecionado();
    if (indice < 0)
        return;
    bool aceita = true;
    if (OnMultiSelectRecord)
        OnMultiSelectRecord(this, false, aceita);
    if (!aceita)
        return;
    FSelecionados.erase(FSelecionados.begin() + indice);
    InvalidateRow(Row());
}

void TdvDBGrid::UnselectAll()
{
    FSelecionados.clear();
    FMarcasDasLinhas.fill(QStringLiteral("F"));
    InvalidateGrid();
}

void TdvDBGrid::SelectRecordRange(const TBookmark& de, const TBookmark& ate)
{
    TDataSet* dados = DataSet();
    if (!dados || !dados->Active() || de.IsNull() || ate.IsNull())
        return;
    const auto [primeiro, ultimo] = EmOrdem(*dados, de, ate);
    const TBookmark atual = dados->GetBookmark();
    dados->DisableControls();
    try {
        dados->GotoBookmark(primeiro);
        while (!dados->Eof() && dados->CompareBookmarks(dados->GetBookmark(), ultimo) <= 0) {
            if (!IsSelected()) {
                bool aceita = true;
                if (OnMultiSelectRecord)
                    OnMultiSelectRecord(this, true, aceita);
                if (aceita)
                    FSelecionados.push_back(dados->GetBookmark());
            }
            dados->Next();
        }
        dados->GotoBookmark(atual);
    } catch (...) {
        dados->EnableControls();
        throw;
    }
    dados->EnableControls();
    InvalidateGrid();
}

void TdvDBGrid::UnselectRecordRange(const TBookmark& de, const TBookmark& ate)
{
    TDataSet* dados = DataSet();
    if (!dados || !dados->Active())
        return;
    const auto [primeiro, ultimo] = EmOrdem(*dados, de, ate);
    for (auto i = FSelecionados.begin(); i != FSelecionados.end();) {
        if (dados->CompareBookmarks(*i, primeiro) < 0 || dados->CompareBookmarks(*i, ultimo) > 0) {
            ++i;
            continue;
        }
        bool aceita = true;
        if (OnMultiSelectRecord)
            OnMultiSelectRecord(this, false, aceita);
        i = aceita ? FSelecionados.erase(i) : i + 1;
    }
    InvalidateGrid();
}

void TdvDBGrid::AtualizaMarcasDasLinhas()
{
    FMarcasDasLinhas.clear();
    TdvGridDataLink& link = DataLink();
    if (!link.Active() || !DataSet())
        return;
    for (int i = 0; i < link.RecordCount(); ++i) {
        if (FSelecionados.empty()) {
            FMarcasDasLinhas << QStringLiteral("F");
            continue;
        }
        TdvRegistroMomentaneo registro(link, i);
        FMarcasDasLinhas << (IsSelected() ? QStringLiteral("T") : QStringLiteral("F"));
    }
}

bool TdvDBGrid::IsRowSelected(int dataRow)
{
    return FMarcasDasLinhas.value(dataRow) == QLatin1String("T");
}

void TdvDBGrid::BeforeRowsChange()
{
    AtualizaMarcasDasLinhas();
}

// ---- painting ----

void TdvDBGrid::Paint()
{
    AtualizaMarcasDasLinhas();
    if (FCurrentCellControl && FCurrentCellControl->isVisible() && !GetCellControl(Col(), Row()))
        HideCellControl();
    TdvCustomDBGrid::Paint();
    // The control follows the current cell once the paint is over: no geometry changes now.
    const QWidget* controle = GetCellControl(Col(), Row());
    const bool fora = controle
        && (!controle->isVisible() || controle->geometry() != AreaDoEditor(CellRect(Col(), Row())).ToQRect());
    if (fora && !FAtualizacaoPendente) {
        FAtualizacaoPendente = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FAtualizacaoPendente = false;
                UpdateCellControl();
            },
            Qt::QueuedConnection);
    }
}

void TdvDBGrid::DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado)
{
    // The cell under a control placed over it is the control's to show.
    if (coluna == Col() && linha == Row() && FCurrentCellControl && FCurrentCellControl->isVisible()
        && FCurrentCellControl->parentWidget() == this && FCurrentCellControl->geometry() == AreaDoEditor(r).ToQRect())
        return;
    TdvCustomDBGrid::DrawCell(coluna, linha, r, estado);
}

// ---- cell controls ----

bool TdvDBGrid::PodeEditar() const
{
    return (Options() & dgEditing) && !ReadOnly();
}

bool TdvDBGrid::CelulaCheckBox(int coluna, int linha)
{
    QString marcado, desmarcado;
    return IsDataCell(coluna, linha) && GetCheckBoxValues(coluna, linha, marcado, desmarcado);
}

QWidget* TdvDBGrid::FindCellControl(const QString& nome) const
{
    if (nome.isEmpty())
        return nullptr;
    const auto procura = [](const QWidget* raiz, const QString& n) -> QWidget* {
        return raiz ? raiz->findChild<QWidget*>(n) : nullptr;
    };
    // The nearest scope first: each ancestor in turn, up to the form.
    std::vector<const QWidget*> raizes;
    if (FEditControlOptions & ecoSearchOwnerForm) {
        for (const QWidget* w = parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget())
            raizes.push_back(w);
    } else {
        raizes.push_back(window());
    }
    const qsizetype ponto = nome.indexOf(QLatin1Char('.'));
    const QString depois = ponto >= 0 ? nome.mid(ponto + 1) : QString();
    // Only an edit control edits a cell.
    const auto edita = [](QWidget* achado) -> QWidget* {
        return qobject_cast<TCustomEdit*>(achado) || qobject_cast<TdvCustomRichEdit*>(achado) ? achado : nullptr;
    };
    for (const QWidget* raiz : raizes) {
        if (ponto >= 0 && !depois.isEmpty()) {
            QWidget* primeiro = procura(raiz, nome.left(ponto));
            if (!primeiro)
                continue;
            // Another first part names a module, whose control would be the dataset's owner's:
            // the datasets here belong to no module, so only a frame's control is found.
            return dvIsFrame(primeiro) ? edita(procura(primeiro, depois)) : nullptr;
        }
        if (QWidget* achado = procura(raiz, nome); achado && achado != this)
            return edita(achado);
    }
    return nullptr;
}

QStringList TdvDBGrid::LinhaDeControle(int coluna, int linha, bool (*tipoServe)(const QString&)) const
{
    if ((FEditControlOptions & ecoDisableCustomControls) || !IsDataCell(coluna, linha))
        return {};
    const TField* campo = Fields(coluna - IndicatorOffset());
    for (const QString& linhaTipo : ControlTypeInUse()) {
        const QStringList partes = linhaTipo.split(QLatin1Char(';'));
        if (partes.size() >= 2 && partes[0].compare(campo->FieldName(), Qt::CaseInsensitive) == 0
            && tipoServe(partes[1]))
            return partes;
    }
    return {};
}

QWidget* TdvDBGrid::GetCellControl(int coluna, int linha) const
{
    if ((FEditControlOptions & ecoDisableCustomControls) || !IsDataCell(coluna, linha))
        return nullptr;
    // A named control that is missing, is no edit or sits on a record view edits nothing: the
    // cell then falls to the picker as a cell without a line does.
    if (const QStringList partes = LinhaDeControle(coluna, linha, dvIsCustomControlType); !partes.isEmpty()) {
        QWidget* controle = FindCellControl(partes.value(2));
        if (controle && !dvIsClass(controle->window()->metaObject(), QStringLiteral("TdvRecordViewForm")))
            return controle;
    }
    if (FDateTimePicker && !(FEditControlOptions & ecoDisableDateTimePicker)
        && EhDataHora(Fields(coluna - IndicatorOffset())))
        return FDateTimePicker;
    return nullptr;
}

QWidget* TdvDBGrid::GetRichEditControl(int coluna, int linha) const
{
    const auto rich = [](const QString& tipo) { return tipo == QLatin1String("RichEdit"); };
    return FindCellControl(LinhaDeControle(coluna, linha, rich).value(2));
}

void TdvDBGrid::AdotaControle(QWidget* controle, const QString& campo)
{
    if (controle->parentWidget() != this) {
        const bool conhecido = std::any_of(FPaisOriginais.cbegin(), FPaisOriginais.cend(),
                                           [controle](const auto& par) { return par.first == controle; });
        if (!conhecido)
            FPaisOriginais.emplace_back(controle, controle->parentWidget());
        const bool visivel = controle->isVisible();
        controle->setParent(this);
        controle->setVisible(visivel);
        dvSetBorderStyle(controle, false);
    }
    if (dvGetDataSource(controle) != DataSource())
        dvSetDataSource(controle, DataSource());
    QString atual;
    dvGetDataField(controle, atual);
    if (atual.compare(campo, Qt::CaseInsensitive) != 0)
        dvSetDataField(controle, campo);
}

void TdvDBGrid::PrepareCellControls()
{
    if (FControlesPreparados || dvIsDesigning(this) || !DataSource() || !DataSet()
        || (FEditControlOptions & ecoDisableCustomControls))
        return;
    for (const QString& linhaTipo : ControlTypeInUse()) {
        const QStringList partes = linhaTipo.split(QLatin1Char(';'));
        if (partes.size() < 3 || (!dvIsCustomControlType(partes[1]) && partes[1] != QLatin1String("RichEdit")))
            continue;
        QWidget* controle = FindCellControl(partes[2]);
        if (!controle)
            continue;
        controle->hide();
        AdotaControle(controle, partes[0]);
        controle->setFont(font());
    }
    FControlesPreparados = true;
}

void TdvDBGrid::AbreRich(QWidget* controle)
{
    if (const TField* campo = SelectedField())
        AdotaControle(controle, campo->FieldName());
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(controle, &f2);
    InvalidateCell(Col(), Row());
}

bool TdvDBGrid::IsCustomEditCell(int coluna, int linha)
{
    if (!IsDataCell(coluna, linha))
        return false;
    QString tipo, parametros;
    GetControlInfo(Fields(coluna - IndicatorOffset())->FieldName(), tipo, parametros);
    if (tipo == QLatin1String("Bitmap") || tipo == QLatin1String("ImageIndex"))
        return true;
    if (tipo == QLatin1String("CheckBox"))
        return CelulaCheckBox(coluna, linha);
    return GetCellControl(coluna, linha) != nullptr;
}

void TdvDBGrid::PoeControle(QWidget* controle)
{
    if (FCurrentCellControl && FCurrentCellControl != controle)
        HideCellControl();
    // The cell decides the height, not the control's font.
    if (controle->metaObject()->indexOfProperty("AutoSize") >= 0)
        controle->setProperty("AutoSize", false);
    if (const TField* atual = SelectedField())
        AdotaControle(controle, atual->FieldName());
    FCurrentCellControl = controle;
    // Over the cell, as the in-place editor would be: a child of the grid, so that the keys it
    // does not want reach the grid.
    const TRect r = AreaDoEditor(CellRect(Col(), Row()));
    if (r.Width() <= 0 || r.Height() <= 0) {
        HideCellControl();
        return;
    }
    controle->setMinimumSize(0, 0);
    controle->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    controle->setGeometry(r.ToQRect());
    controle->show();
    controle->raise();
    if ((Options() & dgAlwaysShowEditor) && IsActiveControl())
        controle->setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void TdvDBGrid::UpdateCellControl()
{
    if (dvIsDesigning(this) || !HandleAllocated())
        return;
    QWidget* controle = GetCellControl(Col(), Row());
    if (controle && controle != FDateTimePicker && !(FEditControlOptions & ecoDisableCustomControls) && PodeEditar()) {
        PoeControle(controle);
        return;
    }
    const TField* campo = SelectedField();
    if (!(FEditControlOptions & ecoDisableDateTimePicker) && EhDataHora(campo) && IsDataCell(Col(), Row())
        && PodeEditar()) {
        if (!FDateTimePicker) {
            FDateTimePicker = CreateDateTimePicker();
            if (FDateTimePicker)
                DoCreateDateTimePicker(FDateTimePicker);
        }
        if (FDateTimePicker) {
            PoeControle(FDateTimePicker);
            // It edits as the in-place editor would: not a field or a column marked read-only.
            if (auto* picker = qobject_cast<TdvDBCustomEdit*>(FDateTimePicker))
                picker->SetReadOnly(campo->ReadOnly() || ColumnByIndex(SelectedIndex())->ReadOnly());
            return;
        }
    }
    HideCellControl();
}

// The grid owns its one picker; it edits every date-time cell in turn.
QWidget* TdvDBGrid::CreateDateTimePicker()
{
    return new TdvDBDateTimePicker(this);
}

void TdvDBGrid::DoCreateDateTimePicker(QWidget* picker)
{
    if (OnCreateDateTimePicker)
        OnCreateDateTimePicker(this, picker);
}

void TdvDBGrid::HideCellControl()
{
    QWidget* controle = FCurrentCellControl;
    if (!controle || !controle->isVisible() || controle->parentWidget() != this)
        return;
    if (controle->hasFocus())
        setFocus(Qt::OtherFocusReason);
    controle->hide();
    viewport()->update();
}

void TdvDBGrid::DoCellChanged()
{
    TdvCustomDBGrid::DoCellChanged();
    UpdateCellControl();
}

void TdvDBGrid::DoRowChanged()
{
    TdvCustomDBGrid::DoRowChanged();
    UpdateCellControl();
}

void TdvDBGrid::Scroll(int distancia)
{
    TdvCustomDBGrid::Scroll(distancia);
    UpdateCellControl();
}

void TdvDBGrid::TopLeftChanged()
{
    // A whole-row selection never scrolls the grid's own rows: the records scroll instead, and
    // the first record shown stays right under the titles.
    if ((Options() & dgRowSelect) && !FAjustandoTopo && TopRow() != TitleOffset()) {
        QScopedValueRollback ajustando(FAjustandoTopo, true);
        SetTopRow(TitleOffset());
    }
    TdvCustomDBGrid::TopLeftChanged();
    UpdateCellControl();
}

void TdvDBGrid::Resized()
{
    TdvCustomDBGrid::Resized();
    UpdateCellControl();
}

void TdvDBGrid::CreateWnd()
{
    TdvCustomDBGrid::CreateWnd();
    if (FLayoutPendente) {
        FLayoutPendente = false;
        if (FIniAttributes.Enabled)
            LoadFromIniFile();
    }
}

void TdvDBGrid::DoExit()
{
    TdvCustomDBGrid::DoExit();
    QWidget* foco = QApplication::focusWidget();
    if (FCurrentCellControl && foco != FCurrentCellControl && !FCurrentCellControl->isAncestorOf(foco))
        HideCellControl();
}

// ---- check boxes ----

void TdvDBGrid::ToggleCheckBox(int coluna, int linha)
{
    if (!CelulaCheckBox(coluna, linha))
        return;
    TField* campo = Fields(coluna - IndicatorOffset());
    // The selection box picks the record; it writes nothing, so a read-only grid ticks it too.
    if (IsSelectedCheckBoxColumn(coluna)) {
        if (IsSelected())
            UnselectRecord();
        else
            SelectRecord();
        InvalidateRow(linha);
        return;
    }
    if (campo->ReadOnly() || ColumnByFieldName(campo->FieldName())->ReadOnly())
        return;
    TDataSet* dados = DataSet();
    const bool editando = dados->State() == dsEdit || dados->State() == dsInsert;
    if ((!DataSource()->AutoEdit && !editando) || !dados->CanModify())
        return;
    if (!editando)
        dados->Edit();
    QString marcado, desmarcado;
    GetCheckBoxValues(coluna, linha, marcado, desmarcado);
    campo->SetText(campo->Text().compare(marcado, Qt::CaseInsensitive) == 0 ? desmarcado : marcado);
    InvalidateCell(coluna, linha);
}

int TdvDBGrid::ColunaDeSelecao() const
{
    if (!(Options() & dgMultiSelect))
        return -1;
    for (int coluna = IndicatorOffset(); coluna < ColCount(); ++coluna)
        if (IsSelectedCheckBoxColumn(coluna))
            return coluna;
    return -1;
}

// ---- memo cells ----

void TdvDBGrid::MemoPopup()
{
    if (FMemoAttributes & mDisableDialog)
        return;
    TField* campo = SelectedField();
    if (!campo)
        return;
    TdvMemoDialog dialogo(this);
    dialogo.SetDataSource(DataSource());
    dialogo.SetDataField(campo->FieldName());
    dialogo.MemoAttributes = FMemoAttributes;
    dialogo.Caption = campo->DisplayLabel().replace(QLatin1Char('~'), QLatin1Char(' '));
    dialogo.Font = font();
    dialogo.DlgLeft = -1;
    if (!PodeEditar() || campo->ReadOnly() || ColumnByFieldName(campo->FieldName())->ReadOnly())
        dialogo.MemoAttributes |= mViewOnly;
    if (OnMemoOpen)
        OnMemoOpen(this, dialogo);
    const bool confirmou = dialogo.Execute();
    if (OnMemoClose)
        OnMemoClose(this, !confirmou);
    InvalidateCell(Col(), Row());
    InvalidateEditor();
}

// ---- keys and mouse ----

void TdvDBGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    QWidget* controle = FCurrentCellControl;
    const bool controleVisivel = controle && controle->isVisible() && controle->parentWidget() == this;
    if (key == Qt::Key_Down && shift.testFlag(Qt::AltModifier) && controleVisivel) {
        controle->setFocus(Qt::OtherFocusReason);
        QKeyEvent desce(QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
        QApplication::sendEvent(controle, &desce);
        key = 0;
        return;
    }
    const int tecla = key;
    TdvCustomDBGrid::KeyDown(key, shift);
    if (!DataLink().Active() || key == 0 || !CanGridAcceptKey(tecla, shift))
        return;
    const bool editavel = PodeEditar();
    // Space ticks the record's selection box from any cell (a whole-row grid has no current
    // column of its own).
    const int caixa = ColunaDeSelecao();
    if (tecla == Qt::Key_Space && caixa >= 0 && !CelulaCheckBox(Col(), Row())) {
        ToggleCheckBox(caixa, Row());
        return;
    }
    if (CelulaCheckBox(Col(), Row())) {
        if (tecla == Qt::Key_Space && (editavel || IsSelectedCheckBoxColumn(Col())))
            ToggleCheckBox(Col(), Row());
        return;
    }
    if (tecla == Qt::Key_F2) {
        if (QWidget* rich = GetRichEditControl(Col(), Row())) {
            AbreRich(rich);
            return;
        }
    }
    if (tecla == Qt::Key_F2 && IsBlobCell(Col(), Row())) {
        MemoPopup();
        return;
    }
    if (editavel && controleVisivel && tecla == Qt::Key_F2)
        controle->setFocus(Qt::OtherFocusReason);
}

void TdvDBGrid::keyPressEvent(QKeyEvent* e)
{
    QWidget* controle = FCurrentCellControl;
    const QString texto = e->text();
    const bool digita = texto.size() == 1 && (texto[0].unicode() >= 32 || texto[0].unicode() == 8)
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (digita && controle && controle->isVisible() && controle->parentWidget() == this && PodeEditar()
        && DataLink().Active()) {
        // A key that types goes on into the control, as if typed there.
        controle->setFocus(Qt::OtherFocusReason);
        QApplication::sendEvent(controle, e);
        return;
    }
    TdvCustomDBGrid::keyPressEvent(e);
}

void TdvDBGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y)
{
    const std::optional<TBookmark> ancora = SelectionAnchor();
    TdvCustomDBGrid::MouseDown(button, shift, doubleClick, x, y);
    if (button != Qt::LeftButton || doubleClick || !DataLink().Active())
        return;
    const TGridCoord celula = MouseCoord(x, y);
    if (celula.Y != Row())
        return;
    // The selection box answers a click on itself, whichever column is current.
    const bool caixa = celula.X >= IndicatorOffset() && celula.X < ColCount() && IsSelectedCheckBoxColumn(celula.X);
    if ((celula.X == Col() || caixa) && (FEditControlOptions & ecoCheckboxSingleClick)
        && CelulaCheckBox(celula.X, Row()) && (PodeEditar() || caixa))
        ToggleCheckBox(celula.X, Row());
    if ((Options() & dgMultiSelect) && shift.testFlag(Qt::ShiftModifier) && ancora && !ancora->IsNull()
        && DataSet()->BookmarkValid(*ancora))
        SelectRecordRange(DataSet()->GetBookmark(), *ancora);
    if (GetCellControl(Col(), Row()))
        UpdateCellControl();
}

void TdvDBGrid::DblClick()
{
    QWidget* rich = DataLink().Active() ? GetRichEditControl(Col(), Row()) : nullptr;
    if (rich) {
        TdvCustomDBGrid::DblClick();
        AbreRich(rich);
        return;
    }
    if (DataLink().Active() && IsBlobCell(Col(), Row())) {
        MemoPopup();
    } else if (!(FEditControlOptions & ecoCheckboxSingleClick) && CelulaCheckBox(Col(), Row())
               && (PodeEditar() || IsSelectedCheckBoxColumn(Col()))) {
        ToggleCheckBox(Col(), Row());
    }
    TdvCustomDBGrid::DblClick();
}

// ---- layout store ----

std::vector<TdvStoredColumn> TdvDBGrid::ColunasParaGuardar()
{
    std::vector<TdvStoredColumn> colunas;
    if (UseTFields()) {
        for (int i = 0; i < FieldCount(); ++i) {
            const TField* campo = Fields(i);
            const bool soLeitura = campo->ReadOnly() || ColumnByFieldName(campo->FieldName())->ReadOnly();
            colunas.push_back({campo->FieldName(), QString::number(campo->DisplayWidth()), campo->DisplayLabel(),
                               soLeitura ? QStringLiteral("T") : QStringLiteral("F")});
        }
        return colunas;
    }
    for (const QString& linha : Selected()) {
        const QStringList partes = linha.split(QLatin1Char('\t'));
        colunas.push_back(
            {partes.value(0), partes.value(1), partes.value(2), partes.size() >= 4 ? partes[3] : QStringLiteral("F")});
    }
    return colunas;
}

void TdvDBGrid::SaveToIniFile()
{
    FIniAttributes.Save(ColunasParaGuardar(), FDestruindo);
}

void TdvDBGrid::LoadFromIniFile()
{
    QStringList linhas = Selected();
    if (!FIniAttributes.Load(linhas))
        return;
    Selected() = linhas;
    if (UseTFields() && DataSet())
        dvDataSetApplySelected(DataSet(), linhas);
    LayoutChanged();
}
