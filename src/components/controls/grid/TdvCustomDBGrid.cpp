#include "components/controls/grid/TdvCustomDBGrid.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <cstdlib>

#include "components/controls/grid/TdvCellHint.h"
#include "components/controls/grid/TdvColumn.h"
#include "components/controls/grid/TdvColumnDrag.h"
#include "components/controls/grid/TdvCustomDBGridComum.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/grid/TdvInplaceEdit.h"
#include "components/controls/grid/dvGridLayout.h"
#include "components/controls/grid/dvGridPaint.h"
#include "components/data/common/dvControlState.h"
#include "components/data/common/dvSystem.h"
#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/settings/dvPictureMasks.h"
#include "components/data/settings/dvProperties.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"

using GradeDeDados::CheckBox;
using GradeDeDados::EhSelected;

namespace {

// Screenfuls of records up to which the vertical bar goes by record number.
constexpr int TelasNumeradas = 5;

}   // namespace

// ---- creation ----

TdvCustomDBGrid::TdvCustomDBGrid(QWidget* parent)
    : TCustomGrid(parent)
    , FDataLink(std::make_unique<TdvGridDataLink>(*this))
    , FArrasto(std::make_unique<TdvColumnDrag>(*this))
    , FDica(std::make_unique<TdvCellHint>(*this))
    , FColunaPadrao(std::make_unique<TdvColumn>(*this, QString(), true))
    , FTitleFont{font(), palette().color(QPalette::Text)}
    , FTitleColor(palette().color(QPalette::Button))
    , FFooterColor(palette().color(QPalette::Button))
    , FFooterCellColor(palette().color(QPalette::Button))
{
    TdvGridResources::Acquire();
    SetColor(palette().color(QPalette::Base));
    SetScrollBars(TScrollStyle::ssHorizontal);
    SetColCount(2);
    SetRowCount(2);
    SetOptions(dvDBGridDefaultOptions);
}

TdvCustomDBGrid::~TdvCustomDBGrid()
{
    FreeEditor();
    FDica.reset();
    FArrasto.reset();
    FDataLink.reset();
    FColunas.clear();
    TdvGridResources::Release();
}

// ---- properties ----

TDataSource* TdvCustomDBGrid::DataSource() const
{
    return FDataLink->DataSource();
}

void TdvCustomDBGrid::SetDataSource(TDataSource* fonte)
{
    FDataLink->SetDataSource(fonte);
    LinkActive(FDataLink->Active());
}

TDataSet* TdvCustomDBGrid::DataSet() const
{
    return FDataLink->DataSet();
}

void TdvCustomDBGrid::SetSelected(const QStringList& linhas)
{
    FSelected = linhas;
    LayoutChanged();
}

void TdvCustomDBGrid::SetUseTFields(bool valor)
{
    if (valor == FUseTFields)
        return;
    FUseTFields = valor;
    LayoutChanged();
}

void TdvCustomDBGrid::SetControlType(const QStringList& linhas)
{
    FControlType = linhas;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetControlInfoInDataset(bool valor)
{
    FControlInfoInDataset = valor;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetOptions(TdvDBGridOptions opcoes)
{
    if (opcoes == FOptions)
        return;
    TGridOptions base = 0;
    if ((opcoes & dgEditing) && !(opcoes & dgRowSelect))
        base |= goEditing;
    if (opcoes & dgAlwaysShowEditor)
        base |= goAlwaysShowEditor;
    if (opcoes & dgColumnResize)
        base |= goColSizing | goColMoving;
    if (opcoes & dgColLines)
        base |= goFixedVertLine | goVertLine;
    if (opcoes & dgRowLines)
        base |= goFixedHorzLine | goHorzLine;
    if (opcoes & dgTabs)
        base |= goTabs;
    if (opcoes & dgRowSelect)
        base |= goRowSelect;
    TCustomGrid::SetOptions(base);
    const TdvDBGridOptions mudou = FOptions ^ opcoes;
    FOptions = opcoes;
    if (mudou & dgWordWrap) {
        UpdateEditorWordWrap();
        InvalidateGrid();
    }
    constexpr TdvDBGridOptions relayout = dgEditing | dgAlwaysShowEditor | dgTitles | dgIndicator | dgColLines
        | dgRowLines | dgRowSelect | dgAlwaysShowSelection | dgPerfectRowFit | dgShowFooter;
    if (mudou & relayout)
        LayoutChanged();
}

void TdvCustomDBGrid::SetDefaultDrawing(bool valor)
{
    FDefaultDrawing = valor;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetTitleFont(const TFont& fonte)
{
    FTitleFont = fonte;
    if (!FMudandoFonteDoPai)
        FParentFont = false;
    if (FOptions & dgTitles)
        LayoutChanged();
}

void TdvCustomDBGrid::SetTitleColor(const QColor& cor)
{
    FTitleColor = cor;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetTitleAlignment(TAlignment alinhamento)
{
    FTitleAlignment = alinhamento;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetTitleLines(int linhas)
{
    if (linhas < 1 || linhas == FTitleLines)
        return;
    FTitleLines = linhas;
    LayoutChanged();
}

void TdvCustomDBGrid::SetTitleButtons(bool valor)
{
    FTitleButtons = valor;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetTitleImageList(TImageList* lista)
{
    FTitleImageList = lista;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetImageList(TImageList* lista)
{
    FImageList = lista;
    InvalidateGrid();
}

void TdvCustomDBGrid::SetRowHeightPercent(int percentual)
{
    if (percentual < 1) {
        FRowHeightPercent = 100;
        return;
    }
    if (percentual == FRowHeightPercent)
        return;
    FRowHeightPercent = percentual;
    LayoutChanged();
}

void TdvCustomDBGrid::SetIndicatorColor(TdvIndicatorColor cor)
{
    if (cor == FIndicatorColor)
        return;
    FIndicatorColor = cor;
    InvalidateRow(Row());
}

bool TdvCustomDBGrid::ShowHorzScrollBar() const
{
    return ScrollBars() == TScrollStyle::ssHorizontal || ScrollBars() == TScrollStyle::ssBoth;
}

void TdvCustomDBGrid::SetShowHorzScrollBar(bool valor)
{
    SetScrollBars(valor ? TScrollStyle::ssHorizontal : TScrollStyle::ssNone);
}

void TdvCustomDBGrid::SetShowVertScrollBar(bool valor)
{
    FShowVertScrollBar = valor;
    AtualizaPoliticaVertical();
    UpdateScrollBar();
    InvalidateGrid();
}

void TdvCustomDBGrid::SetFooterColor(const QColor& cor)
{
    FFooterColor = cor;
    InvalidateFooter();
}

void TdvCustomDBGrid::SetFooterCellColor(const QColor& cor)
{
    FFooterCellColor = cor;
    InvalidateFooter();
}

void TdvCustomDBGrid::SetFooterHeight(int altura)
{
    if (altura == FFooterHeight)
        return;
    FFooterHeight = altura;
    if (FOptions & dgShowFooter)
        LayoutChanged();
}

void TdvCustomDBGrid::SetIndicatorButton(QWidget* botao)
{
    FIndicatorButton = botao;
    FIndicatorWidth = 11;
    if (botao) {
        botao->setParent(this);
        botao->move(viewport()->geometry().topLeft());
        botao->show();
        FIndicatorWidth = botao->width() - 1;
    }
    LayoutChanged();
}

void TdvCustomDBGrid::changeEvent(QEvent* e)
{
    TCustomGrid::changeEvent(e);
    if (e->type() != QEvent::FontChange)
        return;
    if (!testAttribute(Qt::WA_SetFont) && FParentFont) {
        QScopedValueRollback doPai(FMudandoFonteDoPai, true);
        SetTitleFont({font(), FTitleFont.Color});
    }
    LayoutChanged();
}

// ---- columns and fields ----

int TdvCustomDBGrid::FieldCount() const
{
    return FDataLink->FieldCount();
}

TField* TdvCustomDBGrid::Fields(int indice) const
{
    const TDataSet* dados = DataSet();
    if (indice < 0 || indice >= FieldCount() || !FDataLink->Active() || !dados)
        return nullptr;
    return dados->Fields(FDataLink->FieldMap(indice));
}

TdvColumn* TdvCustomDBGrid::ColumnByFieldName(const QString& fieldName) const
{
    for (const auto& coluna : FColunas)
        if (coluna->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return coluna.get();
    return FColunaPadrao.get();
}

TdvColumn* TdvCustomDBGrid::ColumnByIndex(int indice) const
{
    if (indice < 0 || indice >= static_cast<int>(FColunas.size()))
        return FColunaPadrao.get();
    return FColunas[static_cast<std::size_t>(indice)].get();
}

QString TdvCustomDBGrid::GetSelectedPart(const QString& fieldName, int part) const
{
    int indice = -1;
    if (!dvFindSelectedField(FSelected, fieldName, indice))
        return {};
    return dvSelectedPart(FSelected[indice], part);
}

const QStringList& TdvCustomDBGrid::ControlTypeInUse() const
{
    if (FControlInfoInDataset) {
        if (const QStringList* doDataSet = dvGetControlType(dvPublished(DataSet())); doDataSet && !doDataSet->isEmpty())
            return *doDataSet;
    }
    return FControlType;
}

bool TdvCustomDBGrid::GetCheckBoxValues(int coluna, int, QString& checked, QString& unchecked) const
{
    const TField* campo = Fields(coluna - FIndicatorOffset);
    if (!campo)
        return false;
    for (const QString& linha : ControlTypeInUse()) {
        const QStringList partes = linha.split(QLatin1Char(';'));
        if (partes.value(0) != campo->FieldName())
            continue;
        if (partes.size() < 4 || partes[1] != CheckBox)
            return false;
        checked = partes[2];
        unchecked = partes[3];
        return true;
    }
    return false;
}

bool TdvCustomDBGrid::MostraCaixasDeMarcacao() const
{
    const QStringList& linhas = ControlTypeInUse();
    return std::any_of(linhas.begin(), linhas.end(),
                       [](const QString& linha) { return linha.section(QLatin1Char(';'), 1, 1) == CheckBox; });
}

bool TdvCustomDBGrid::IsDataCell(int coluna, int linha) const
{
    const int dataCol = coluna - FIndicatorOffset;
    const int dataRow = linha - FTitleOffset;
    return FDataLink->Active() && dvIsCompatibleDataSet(DataSet()) && dataCol >= 0 && dataCol < FieldCount()
        && dataRow >= 0 && dataRow < FDataLink->RecordCount();
}

bool TdvCustomDBGrid::IsBlobCell(int coluna, int linha) const
{
    if (!IsDataCell(coluna, linha))
        return false;
    const TField* campo = Fields(coluna - FIndicatorOffset);
    return campo->DataType() == ftMemo || (campo->IsBlob() && dvIsRichEditField(campo, false));
}

bool TdvCustomDBGrid::IsSelectedCheckBoxColumn(int coluna) const
{
    TField* campo = Fields(coluna - FIndicatorOffset);
    if (!EhSelected(campo))
        return false;
    QString tipo, parametros;
    dvControlTypeLineInfo(ControlTypeInUse(), campo->FieldName(), tipo, parametros);
    return tipo == CheckBox;
}

void TdvCustomDBGrid::SetSelectedIndex(int indice)
{
    indice = std::min(indice, FieldCount() - 1);
    indice = std::max(indice, 0);
    indice = std::max(indice + FIndicatorOffset, FixedCols()) - FIndicatorOffset;
    if (indice == SelectedIndex())
        return;
    // What was typed in the column being left is written before another column's text is read.
    DataLinkUpdateData();
    if (!FMudandoColuna) {
        const int antes = Col();
        {
            QScopedValueRollback mudando(FMudandoColuna, true);
            ColExit();
        }
        if (Col() != antes)
            return;
    }
    HideEditor();
    SetCol(FIndicatorOffset + indice);
    if (!FEditorSuprimido && (FOptions & dgAlwaysShowEditor) && !IsCustomEditCell(Col(), Row())
        && !IsBlobCell(Col(), Row()))
        ShowEditor();
    ColEnter();
}

// ---- hooks with a behaviour of their own ----

bool TdvCustomDBGrid::HighlightCell(int, int dataRow, const QString&, TGridDrawState state)
{
    bool destaca = (state & gdSelected) && ((FOptions & dgAlwaysShowSelection) || IsActiveControl());
    if ((FOptions & dgMultiSelect) && !(state & gdFixed))
        destaca = IsRowSelected(dataRow);
    return destaca;
}

bool TdvCustomDBGrid::IsCustomEditCell(int, int)
{
    return false;
}

void TdvCustomDBGrid::DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font, TBrush& brush)
{
    if (OnCalcCellColors)
        OnCalcCellColors(this, field, state, highlight, font, brush);
    FDesenho.PincelBranco = brush.Color == QColor(Qt::white);
}

void TdvCustomDBGrid::DoTitleButtonClick(const QString& fieldName)
{
    if (OnTitleButtonClick)
        OnTitleButtonClick(this, fieldName);
}

void TdvCustomDBGrid::DoCalcTitleAttributes(const QString& fieldName, TFont& font, TBrush& brush, TAlignment& alignment)
{
    if (OnCalcTitleAttributes)
        OnCalcTitleAttributes(this, fieldName, font, brush, alignment);
}

void TdvCustomDBGrid::DoDrawTitleCell(TCanvas& canvas, TField* field, const TRect& r, bool& defaultDrawing)
{
    if (OnDrawTitleCell)
        OnDrawTitleCell(this, canvas, field, r, defaultDrawing);
}

void TdvCustomDBGrid::DoCalcTitleImage(TField* field, TdvTitleImageAttributes& attributes)
{
    if (OnCalcTitleImage)
        OnCalcTitleImage(this, field, attributes);
}

void TdvCustomDBGrid::DoTopRowChanged()
{
    if (OnTopRowChanged)
        OnTopRowChanged(this);
}

void TdvCustomDBGrid::DoRowChanged()
{
    if (OnRowChanged)
        OnRowChanged(this);
    DoCellChanged();
}

void TdvCustomDBGrid::DoCellChanged()
{
    if (OnCellChanged && !FMovendoPorClique && !FSemCellChangedNoColEnter)
        OnCellChanged(this);
}

void TdvCustomDBGrid::GetControlInfo(const QString& fieldName, QString& kind, QString& parameters)
{
    dvControlTypeLineInfo(ControlTypeInUse(), fieldName, kind, parameters);
}

void TdvCustomDBGrid::DoFieldChanged(TField* field)
{
    if (OnFieldChanged)
        OnFieldChanged(this, field);
}

void TdvCustomDBGrid::DoUpdateFooter()
{
    if (OnUpdateFooter)
        OnUpdateFooter(this);
}

void TdvCustomDBGrid::ShowValidationError()
{
    dvIntl().ValidationErrorUsingMask(this, SelectedField());
}

void TdvCustomDBGrid::DataLinkUpdateData()
{
    FDataLink->UpdateRecord();
}

void TdvCustomDBGrid::ColEnter()
{
    if (OnColEnter)
        OnColEnter(this);
    DoCellChanged();
}

void TdvCustomDBGrid::ColExit()
{
    if (OnColExit)
        OnColExit(this);
}

void TdvCustomDBGrid::GetFieldText(int dataCol, QString& text)
{
    const TField* campo = Fields(dataCol);
    text = campo ? campo->DisplayText() : QString();
}

void TdvCustomDBGrid::DrawDataCell(const TRect& r, TField* field, TGridDrawState state)
{
    if (OnDrawDataCell)
        OnDrawDataCell(this, r, field, state);
}

void TdvCustomDBGrid::UpdateData()
{
    TdvInplaceEdit* editor = InplaceEdit();
    if (editor && editor->HasPictureMask() && FDataLink->Modified() && !editor->ValidatePicture(editor->text())
        && !editor->Picture().AllowInvalidExit()) {
        if (const auto aoInvalido = dvGetOnInvalidValue(dvPublished(DataSet())))
            aoInvalido(DataSet(), SelectedField());
        else
            ShowValidationError();
        return;
    }
    TField* campo = SelectedField();
    if (!campo)
        return;
    const bool diferia = FEditText != campo->Text();
    FCampoInformado = false;
    const TFieldType tipo = campo->DataType();
    if ((tipo == ftDate || tipo == ftTime || tipo == ftDateTime) && dvIsValidDate(FEditText)) {
        int posicao = 0;
        double dia = 0;
        if (!dvScanDate(FEditText, posicao, dia))
            return;
        double completa = 0;
        double dias = 0;
        const double hora = TField::LeData(FEditText, ftDateTime, completa) ? std::modf(completa, &dias) : 0.0;
        campo->SetAsDateTime(dia + hora);
    } else {
        campo->SetText(FEditText);
    }
    if (diferia && !FCampoInformado)
        DoFieldChanged(campo);
}

void TdvCustomDBGrid::SetPressedTitle(int coluna, int linha)
{
    if (FTituloPressionadoCol >= 0)
        InvalidateCell(FTituloPressionadoCol, FTituloPressionadoLin);
    FTituloPressionadoCol = coluna;
    FTituloPressionadoLin = linha;
    if (coluna >= 0)
        InvalidateCell(coluna, linha);
}

bool TdvCustomDBGrid::DonoEhLookupCombo() const
{
    const QObject* dono = parent();
    return dono && dvIsClass(dono->metaObject(), QStringLiteral("TdvDBCustomLookupcombo"));
}

// ---- layout ----

void TdvCustomDBGrid::InitRowHeights()
{
    const bool linhas = FOptions & dgRowLines;
    int altura = dvDataRowHeight(dvTextHeight(font()), linhas, FRowHeightPercent);
    // A small font would clip the check boxes drawn in the rows.
    if (MostraCaixasDeMarcacao())
        altura = std::max(altura, dvCheckBoxRowHeight());
    SetDefaultRowHeight(altura);
    if (FOptions & dgTitles)
        SetRowHeights(0, dvTitleRowHeight(dvLineStep(FTitleFont.Font, FTitleLines), FTitleLines, linhas));
}

void TdvCustomDBGrid::DefineFieldMap()
{
    TDataSet* dados = DataSet();
    if (FUseTFields) {
        for (int i = 0; i < dados->FieldCount(); ++i)
            if (dados->Fields(i)->Visible())
                FDataLink->AddMapping(dados->Fields(i)->FieldName());
    } else {
        for (int i = 0; i < FSelected.size();) {
            const QString nome = dvSelectedPart(FSelected[i], 0);
            if (FDataLink->Active() && !dados->FindField(nome)) {
                FSelected.removeAt(i);
                continue;
            }
            FDataLink->AddMapping(nome);
            ++i;
        }
    }
    ReconstroiColunas();
}

void TdvCustomDBGrid::ReconstroiColunas()
{
    std::vector<std::unique_ptr<TdvColumn>> novas;
    for (int i = 0; i < FieldCount(); ++i) {
        const QString nome = Fields(i)->FieldName();
        auto coluna = std::make_unique<TdvColumn>(*this, nome);
        const TdvColumn* antiga = ColumnByFieldName(nome);
        if (antiga != FColunaPadrao.get())
            coluna->SetFooterValue(antiga->FooterValue());
        novas.push_back(std::move(coluna));
    }
    FColunas = std::move(novas);
}

void TdvCustomDBGrid::LayoutChanged()
{
    if (!HandleAllocated() || FLayoutLock > 0)
        return;
    ++FLayoutLock;
    struct Saida {
        int& trava;
        ~Saida() { --trava; }
    } saida{FLayoutLock};
    {
        QScopedValueRollback noLayout(FNoLayout, true);
        FTitleOffset = (FOptions & dgTitles) ? 1 : 0;
        InitRowHeights();
        FIndicatorOffset = (FOptions & dgIndicator) ? 1 : 0;
        FDataLink->ClearMapping();
        if (FDataLink->Active())
            DefineFieldMap();
        int colunas = FieldCount();
        if (!FUseTFields && colunas == 0)
            colunas = static_cast<int>(FSelected.size());
        SetColCount(FIndicatorOffset + std::max(colunas, 1));
        SetFixedCols(FIndicatorOffset);
        if (FOptions & dgIndicator) {
            SetColWidths(0, FIndicatorWidth);
            if (Col() == 0)
                SetCol(1);
        }
        BeforeRowsChange();
        UpdateRowCount();
        const int visiveis = VisibleRowCount();
        SetColumnAttributes();
        if (VisibleRowCount() != visiveis)
            UpdateRowCount();
        UpdateFooter();
    }
    UpdateActive();
    InvalidateGrid();
}

void TdvCustomDBGrid::SetColumnAttributes()
{
    if (!DataSet())
        return;
    const int zero = dvTextWidth(font(), QStringLiteral("0"));
    for (int i = 0; i < FieldCount(); ++i) {
        const TField* campo = Fields(i);
        int largura = campo->DisplayWidth();
        QString titulo = campo->DisplayLabel();
        if (!FUseTFields) {
            int linha = -1;
            if (dvFindSelectedField(FSelected, campo->FieldName(), linha)) {
                const QStringList partes = dvSelectedParts(FSelected[linha]);
                largura = partes.value(1).trimmed().toInt();
                if (partes.size() >= 3)
                    titulo = partes[2];
            }
        }
        const bool limitaAoTitulo = (FOptions & dgTitles) && !(FOptions & dgNoLimitColSize);
        SetColWidths(FIndicatorOffset + i,
                     dvColumnWidth(largura, zero, limitaAoTitulo ? dvTitleWidth(FTitleFont.Font, titulo) : 0));
        bool parada = !campo->ReadOnly() && !ColumnByIndex(i)->ReadOnly();
        if (parada && !FEditCalculated && campo->Calculated())
            parada = false;
        SetTabStops(FIndicatorOffset + i, parada);
    }
}

void TdvCustomDBGrid::ColWidthsChanged()
{
    if (FLayoutLock > 0 || !FDataLink->Active() || !HandleAllocated())
        return;
    const int zero = dvTextWidth(font(), QStringLiteral("0"));
    std::vector<int> larguras;
    for (int i = 0; i < FieldCount(); ++i)
        larguras.push_back(dvDisplayWidthFromPixels(ColWidths(FIndicatorOffset + i), zero));
    if (FUseTFields) {
        TDataSet* dados = DataSet();
        std::vector<TField*> campos;
        for (int i = 0; i < FieldCount(); ++i)
            campos.push_back(Fields(i));
        // One new layout at the end, not one per field.
        dados->DisableControls();
        try {
            for (std::size_t i = 0; i < campos.size(); ++i)
                campos[i]->SetDisplayWidth(larguras[i]);
        } catch (...) {
            dados->EnableControls();
            throw;
        }
        dados->EnableControls();
    } else {
        for (int i = 0; i < std::min(FieldCount(), static_cast<int>(FSelected.size())); ++i)
            FSelected[i] = dvSelectedLineWithWidth(FSelected[i], larguras[static_cast<std::size_t>(i)]);
    }
    dvDesignerModified(this);
}

void TdvCustomDBGrid::ColumnMoved(int de, int para)
{
    const int origem = de - FIndicatorOffset;
    const int destino = para - FIndicatorOffset;
    if (!FUseTFields) {
        if (origem >= 0 && origem < FSelected.size() && destino >= 0 && destino < FSelected.size())
            FSelected.move(origem, destino);
        LayoutChanged();
    } else if (FDataLink->Active() && Fields(origem) && Fields(destino)) {
        Fields(origem)->SetIndex(Fields(destino)->Index());
    }
    InvalidateGrid();
    if (OnColumnMoved)
        OnColumnMoved(this, origem, destino);
}

// ---- rows, scrolling and the dataset's notifications ----

void TdvCustomDBGrid::BeginUpdate()
{
    if (FSuspensoes++ == 0 && isVisible()) {
        viewport()->setUpdatesEnabled(false);
        FSuspendeu = true;
    }
}

void TdvCustomDBGrid::EndUpdate(bool repaint)
{
    if (FSuspensoes == 0 || --FSuspensoes > 0)
        return;
    if (FSuspendeu) {
        FSuspendeu = false;
        viewport()->setUpdatesEnabled(true);
        if (repaint)
            InvalidateGrid();
    }
}

void TdvCustomDBGrid::UpdateRowCount()
{
    if (FContandoLinhas)
        return;
    QScopedValueRollback contando(FContandoLinhas, true);
    const bool linhaInteira = FOptions & dgRowSelect;
    const int esquerda = LeftCol();
    if (linhaInteira)
        BeginUpdate();
    if (RowCount() <= FTitleOffset)
        SetRowCount(FTitleOffset + 1);
    SetFixedRows(FTitleOffset);
    TdvGridDataLink& link = *FDataLink;
    if (link.Active() && link.RecordCount() > 0) {
        SetRowCount(1000);
        const int visiveis = VisibleRowCount();
        if (visiveis < link.BufferCount() && link.ActiveRecord() >= visiveis) {
            InvalidateGrid();
            DoTopRowChanged();
        }
        link.SetBufferCount(visiveis);
        SetRowCount(link.RecordCount() + FTitleOffset);
        UpdateActive();
    } else {
        SetRowCount(FTitleOffset + 1);
    }
    if (linhaInteira) {
        if (esquerda < ColCount())
            SetLeftCol(esquerda);
        EndUpdate(true);
    }
}

void TdvCustomDBGrid::UpdateActive()
{
    TdvGridDataLink& link = *FDataLink;
    if (!link.Active())
        return;
    int linha = FTitleOffset + link.ActiveRecord();
    if (linha != Row()) {
        if (!(FOptions & dgAlwaysShowEditor))
            HideEditor();
        if (link.ActiveRecord() >= VisibleRowCount() || linha >= RowCount()) {
            UpdateRowCount();
            linha = FTitleOffset + link.ActiveRecord();
        }
        if (linha < RowCount())
            MoveColRow(Col(), linha, false, false);
    }
    if (!DonoEhLookupCombo()) {
        if (const TField* campo = SelectedField(); campo && campo->Text() != FEditText)
            InvalidateEditor();
    }
}

void TdvCustomDBGrid::UpdateScrollBar()
{
    TDataSet* dados = DataSet();
    if (!FShowVertScrollBar || !FDataLink->Active() || !HandleAllocated() || !dados)
        return;
    TdvScrollPosition posicao;
    posicao.Sequenced = dados->IsSequenced();
    // Numbers cost a count of the records and of those before the current one: the bar goes by
    // number while the records are a few screenfuls, so that no move or keystroke reads them all.
    const int limite = std::max(1, FDataLink->BufferCount()) * TelasNumeradas;
    if (posicao.Sequenced) {
        posicao.RecordCount = dados->RecordCountAte(limite);
        posicao.Sequenced = posicao.RecordCount <= limite;
    }
    if (posicao.Sequenced) {
        posicao.PositionKnown = dados->State() == dsBrowse || dados->State() == dsEdit;
        if (posicao.PositionKnown)
            posicao.RecNo = dados->RecNo();
    }
    posicao.Bof = dados->Bof();
    posicao.Eof = dados->Eof();
    // The dataset did not fill the window: every record shows.
    posicao.TodosNaJanela = FDataLink->RecordCount() < FDataLink->BufferCount();
    // The flags tell only of a move that ran into an end: a step onto the first or the last
    // record, or a reading again that keeps it, stands there without them. The first record can
    // only be on the top row and the last on the bottom one: there the dataset tells, from the
    // records it met or one seek of that end per reading.
    if (!posicao.Sequenced && !posicao.TodosNaJanela && (dados->State() == dsBrowse || dados->State() == dsEdit)) {
        const int ativo = FDataLink->ActiveRecord();
        if (!posicao.Bof && ativo == 0)
            posicao.Bof = dados->EhExtremo(gmPrior);
        if (!posicao.Bof && !posicao.Eof && ativo == FDataLink->RecordCount() - 1)
            posicao.Eof = dados->EhExtremo(gmNext);
    }
    FBarra = posicao.TodosNaJanela ? TBarra::Cheia : posicao.Sequenced ? TBarra::Numerada : TBarra::CincoPosicoes;
    const TScrollInfo atual = VertScrollInfo();
    // The window holds as many records as rows fit, whether or not the table has that many.
    const TScrollInfo nova = dvDataScrollInfo(posicao, FDataLink->BufferCount(), atual.Pos);
    if (nova != atual)
        SetVertScrollInfo(nova);
}

void TdvCustomDBGrid::AtualizaPoliticaVertical()
{
    setVerticalScrollBarPolicy(FShowVertScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TdvCustomDBGrid::UpdateVertScrollBar()
{
    AtualizaPoliticaVertical();
}

void TdvCustomDBGrid::VertScroll(TScrollCode codigo, int posicao)
{
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados)
        return;
    switch (codigo) {
    case TScrollCode::scLineUp:
        PriorRow();
        break;
    case TScrollCode::scLineDown:
        NextRow(false);
        break;
    case TScrollCode::scPageUp:
        dados->MoveBy(-VisibleRowCount());
        break;
    case TScrollCode::scPageDown:
        dados->MoveBy(VisibleRowCount());
        break;
    case TScrollCode::scTop:
        dados->First();
        break;
    case TScrollCode::scBottom:
        dados->Last();
        break;
    case TScrollCode::scPosition:
        // The thumb is read by the bar shown: a long numbered list has the five positions too.
        if (FBarra == TBarra::Cheia) {
            break;   // every record shows: nothing to scroll to
        } else if (FBarra == TBarra::Numerada && dados->IsSequenced()) {
            if (posicao <= 1)
                dados->First();
            else if (posicao >= dados->RecordCount())
                dados->Last();
            else
                dados->SetRecNo(posicao);
        } else {
            switch (posicao) {
            case 0:
                dados->First();
                break;
            case 1:
                dados->MoveBy(-VisibleRowCount());
                break;
            case 3:
                dados->MoveBy(VisibleRowCount());
                break;
            case 4:
                dados->Last();
                break;
            default:
                break;
            }
        }
        break;
    }
}

void TdvCustomDBGrid::NextRow(bool mayAppend)
{
    TDataSet* dados = DataSet();
    TdvGridDataLink& link = *FDataLink;
    if (!link.Active() || !dados)
        return;
    if (dados->State() == dsInsert && !dados->Modified() && !link.Modified()) {
        if (link.Eof())
            return;
        dados->Cancel();
    } else if (link.Eof() && link.ActiveRecord() < link.RecordCount() - 1) {
        link.SetActiveRecord(link.ActiveRecord() + 1);
        UpdateActive();
        InvalidateGrid();
    } else {
        dados->Next();
    }
    if (mayAppend && dados->Eof() && dados->CanModify() && (FOptions & dgEditing) && (FKeyOptions & dgAllowInsert)) {
        BeforeRowsChange();
        dados->Append();
    }
}

void TdvCustomDBGrid::PriorRow()
{
    TDataSet* dados = DataSet();
    TdvGridDataLink& link = *FDataLink;
    if (!link.Active() || !dados)
        return;
    if (dados->State() == dsInsert && !dados->Modified() && link.Eof() && !link.Modified()) {
        dados->Cancel();
    } else if (link.Bof() && link.ActiveRecord() > 0) {
        link.SetActiveRecord(link.ActiveRecord() - 1);
        UpdateActive();
        InvalidateGrid();
    } else {
        dados->Prior();
    }
}

bool TdvCustomDBGrid::DoMouseWheelDown()
{
    if (TDataSet* dados = DataSet(); FDataLink->Active() && dados)
        dados->Next();
    return true;
}

bool TdvCustomDBGrid::DoMouseWheelUp()
{
    if (TDataSet* dados = DataSet(); FDataLink->Active() && dados)
        dados->Prior();
    return true;
}

void TdvCustomDBGrid::Resized()
{
    if (FNoLayout || !HandleAllocated())
        return;
    BeforeRowsChange();
    HideEditor();
    UpdateRowCount();
    UpdateScrollBar();
    if (const TDataSet* dados = DataSet(); dados && dados->Active() && dados->Bof() && dados->Eof())
        InvalidateGrid();
}

void TdvCustomDBGrid::Loaded()
{
    LayoutChanged();
}

void TdvCustomDBGrid::CreateWnd()
{
    LayoutChanged();
    UpdateScrollBar();
    CheckRowChanged();
}

void TdvCustomDBGrid::TopLeftChanged()
{
    HideCellHint();
    TCustomGrid::TopLeftChanged();
    if (OnLeftColChanged)
        OnLeftColChanged(this, LeftCol());
    if (FOptions & dgShowFooter)
        InvalidateFooter();
    const int fim = GridWidth();
    InvalidateRect({fim, 0, fim + 1, GridHeight()});
}

void TdvCustomDBGrid::Scroll(int distancia)
{
    if (!HandleAllocated() || !FDataLink->Active())
        return;
    InvalidateRow(Row());
    UpdateScrollBar();
    UpdateActive();
    InvalidateRow(Row());
    HideEditor();
    if (distancia != 0) {
        BeforeRowsChange();
        if (std::abs(distancia) > VisibleRowCount()) {
            InvalidateGrid();
        } else {
            const int passo = DefaultRowHeight() + ((FOptions & dgRowLines) ? 1 : 0);
            const int x = FIndicatorOffset > 0 ? ColWidths(0) + ((FOptions & dgColLines) ? GridLineWidth() : 0) : 0;
            const int y = FTitleOffset > 0 ? RowHeights(0) + ((FOptions & dgRowLines) ? GridLineWidth() : 0) : 0;
            // The rows end with the last whole one; what lies below it is no row. The area that
            // moves stops there, so that what it uncovers is the rows scrolled in, repainted whole.
            const int pe = std::min(GridHeight(), y + VisibleRowCount() * passo);
            ScrollClient(0, -distancia * passo, {x, y, ClientWidth(), pe});
            if (FOptions & dgIndicator)
                InvalidateCol(0);
        }
        if ((FOptions & dgAlwaysShowEditor) && !IsCustomEditCell(Col(), Row()) && !IsBlobCell(Col(), Row()))
            ShowEditor();
        DoTopRowChanged();
    }
    CheckRowChanged();
}

void TdvCustomDBGrid::LinkActive(bool ativo)
{
    if (!ativo)
        HideEditor();
    LayoutChanged();
    UpdateScrollBar();
    if (ativo)
        FAncora.reset();
    FUltimaMarca.reset();
    FMarcaMestre.reset();
    if (!ativo) {
        FUltimaColunaEntrada = -1;
        return;
    }
    if (HandleAllocated()) {
        if (Col() != FUltimaColunaEntrada) {
            FUltimaColunaEntrada = Col();
            ColEnter();
        }
    } else {
        FColEnterPendente = true;
    }
    FMudancaPendente = true;
}

void TdvCustomDBGrid::DataChanged()
{
    if (!HandleAllocated() || DataChangedSuppressed())
        return;
    UpdateFooter();
    if (const TDataSet* dados = DataSet()) {
        if (dados->State() == dsBrowse || (dados->State() == dsInsert && !(dados->Bof() && dados->Eof())))
            BeforeRowsChange();
    }
    UpdateRowCount();
    UpdateScrollBar();
    UpdateActive();
    InvalidateEditor();
    InvalidateGrid();
    CheckRowChanged();
}

void TdvCustomDBGrid::RecordChanged(TField* field)
{
    if (!HandleAllocated())
        return;
    const int coluna = field ? ColunaDoCampo(field) : -1;
    if (coluna >= 0)
        InvalidateCell(FIndicatorOffset + coluna, Row());
    else if (!field)
        InvalidateRow(Row());
    const TField* atual = SelectedField();
    if ((!field || field == atual) && atual && atual->Text() != FEditText)
        InvalidateEditor();
}

int TdvCustomDBGrid::ColunaDoCampo(const TField* campo) const
{
    for (int i = 0; i < FieldCount(); ++i)
        if (Fields(i) == campo)
            return i;
    return -1;
}

void TdvCustomDBGrid::EditingChanged()
{
    if (FOptions & dgIndicator)
        InvalidateCell(0, Row());
    if (const TDataSet* dados = DataSet(); dados && (dados->State() == dsEdit || dados->State() == dsInsert))
        FMudancaPendente = true;
}

void TdvCustomDBGrid::CheckRowChanged()
{
    TDataSet* dados = DataSet();
    bool mudou = false;
    if ((OnRowChanged || OnCellChanged || OnUpdateFooter) && dados && dados->Active()) {
        const TBookmark atual = dados->GetBookmark();
        mudou = !FUltimaMarca.has_value();
        if (!mudou) {
            const int comparacao = dvCompareBookmarks(dados, *FUltimaMarca, atual);
            mudou = comparacao != 0 && comparacao != 2;
        }
        if (!mudou && atual.IsNull() && dados->State() == dsInsert)
            mudou = true;
        if (mudou)
            DoRowChanged();
        FUltimaMarca = atual;
    }
    if (FColEnterPendente) {
        FColEnterPendente = false;
        FUltimaColunaEntrada = Col();
        {
            bool suprime = mudou;
            std::swap(FSemCellChangedNoColEnter, suprime);
            ColEnter();
            std::swap(FSemCellChangedNoColEnter, suprime);
        }
        DoUpdateFooter();
    }
    HideCellHint();
}

void TdvCustomDBGrid::UpdateFooter()
{
    TDataSet* dados = DataSet();
    if (!OnUpdateFooter || !HandleAllocated() || !dados || dados->State() != dsBrowse)
        return;
    if (!FMudancaPendente) {
        const TDataSource* mestre = dvGetMasterSource(dvPublished(dados));
        if (TDataSet* dadosMestre = mestre ? mestre->DataSet() : nullptr; dadosMestre && dadosMestre->Active()) {
            const TBookmark marca = dadosMestre->GetBookmark();
            if (!marca.IsNull()) {
                if (!FMarcaMestre) {
                    FMudancaPendente = true;
                } else {
                    const int comparacao = dvCompareBookmarks(dadosMestre, *FMarcaMestre, marca);
                    FMudancaPendente = comparacao != 0 && comparacao != 2;
                }
                FMarcaMestre = marca;
            }
        }
        if (FUltimaMarca && !FUltimaMarca->IsNull() && !dados->BookmarkValid(*FUltimaMarca))
            FMudancaPendente = true;
    }
    if (FMudancaPendente)
        DoUpdateFooter();
    FMudancaPendente = false;
}
