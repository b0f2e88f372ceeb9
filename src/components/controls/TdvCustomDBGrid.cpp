#include "components/controls/TdvCustomDBGrid.h"

#include <QEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "components/controls/TdvCellHint.h"
#include "components/controls/TdvColumn.h"
#include "components/controls/TdvColumnDrag.h"
#include "components/controls/TdvGridDataLink.h"
#include "components/controls/TdvGridHintWindow.h"
#include "components/controls/TdvInplaceEdit.h"
#include "components/controls/dvDraw.h"
#include "components/controls/dvGridLayout.h"
#include "components/controls/dvGridPaint.h"
#include "components/data/TdvIntl.h"
#include "components/data/dvControlState.h"
#include "components/data/dvDataSetLines.h"
#include "components/data/dvFieldValues.h"
#include "components/data/dvLocate.h"
#include "components/data/dvLookupLinks.h"
#include "components/data/dvProperties.h"
#include "components/data/dvPictureMasks.h"
#include "components/data/dvSettingLines.h"
#include "components/data/dvSystem.h"
#include "platform/db/TDataSource.h"
#include "platform/db/TField.h"
#include "platform/files/TFormatSettings.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/widgets/TEdgePainter.h"

namespace {

const QLatin1String CheckBox("CheckBox");

bool EhSelected(const TField* campo)
{
    return campo && campo->Calculated() && campo->FieldName().toLower() == QLatin1String("selected");
}

bool EhNumero(TFieldType tipo)
{
    switch (tipo) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
        return true;
    default:
        return false;
    }
}

QPainter::CompositionMode ModoDeCopia(const QString& parametro)
{
    if (parametro == QLatin1String("Source Paint"))
        return QPainter::RasterOp_SourceOrDestination;
    if (parametro == QLatin1String("Source And"))
        return QPainter::RasterOp_SourceAndDestination;
    if (parametro == QLatin1String("Source Invert"))
        return QPainter::RasterOp_SourceXorDestination;
    if (parametro == QLatin1String("Source Erase"))
        return QPainter::RasterOp_SourceAndNotDestination;
    if (parametro == QLatin1String("Not Source Copy"))
        return QPainter::RasterOp_NotSource;
    if (parametro == QLatin1String("Not Source Erase"))
        return QPainter::RasterOp_NotSourceAndNotDestination;
    if (parametro == QLatin1String("Merge Paint"))
        return QPainter::RasterOp_NotSourceOrDestination;
    return QPainter::CompositionMode_Source;
}

// A picture stored with an 8-byte header (1, 256, the length of the rest) loses the header.
QByteArray SemCabecalho(const QByteArray& bytes)
{
    if (bytes.size() < 8)
        return bytes;
    const auto* dados = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(dados) == 1 && qFromLittleEndian<quint16>(dados + 2) == 256
        && qFromLittleEndian<quint32>(dados + 4) == static_cast<quint32>(bytes.size() - 8))
        return bytes.mid(8);
    return bytes;
}

}  // namespace

// ---- creation ----

TdvCustomDBGrid::TdvCustomDBGrid(QWidget* parent)
    : TCustomGrid(parent),
      FDataLink(std::make_unique<TdvGridDataLink>(*this)),
      FArrasto(std::make_unique<TdvColumnDrag>(*this)),
      FDica(std::make_unique<TdvCellHint>(*this)),
      FColunaPadrao(std::make_unique<TdvColumn>(*this, QString(), true)),
      FTitleFont{font(), palette().color(QPalette::Text)},
      FTitleColor(palette().color(QPalette::Button)),
      FFooterColor(palette().color(QPalette::Button)),
      FFooterCellColor(palette().color(QPalette::Button))
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
    constexpr TdvDBGridOptions relayout = dgEditing | dgAlwaysShowEditor | dgTitles | dgIndicator | dgColLines |
                                          dgRowLines | dgRowSelect | dgAlwaysShowSelection | dgPerfectRowFit |
                                          dgShowFooter;
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

void TdvCustomDBGrid::DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font,
                                       TBrush& brush)
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

void TdvCustomDBGrid::DoCalcTitleAttributes(const QString& fieldName, TFont& font, TBrush& brush,
                                            TAlignment& alignment)
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
        double data = 0;
        if (!dvScanDate(FEditText, posicao, data))
            return;
        double completa = 0;
        double dias = 0;
        const double hora = TField::LeData(FEditText, ftDateTime, completa) ? std::modf(completa, &dias) : 0.0;
        campo->SetAsDateTime(data + hora);
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
    SetDefaultRowHeight(dvDataRowHeight(dvTextHeight(font()), linhas, FRowHeightPercent));
    if (FOptions & dgTitles)
        SetRowHeights(0, dvTitleRowHeight(dvTextHeight(FTitleFont.Font), FTitleLines, linhas));
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
    if (posicao.Sequenced) {
        posicao.RecordCount = dados->RecordCount();
        posicao.PositionKnown = dados->State() == dsBrowse || dados->State() == dsEdit;
        if (posicao.PositionKnown)
            posicao.RecNo = dados->RecNo();
    }
    posicao.Bof = dados->Bof();
    posicao.Eof = dados->Eof();
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
        if (dados->IsSequenced()) {
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
            ScrollClient(0, -distancia * passo, {x, y, ClientWidth(), GridHeight()});
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

// ---- painting ----

TCanvas* TdvCustomDBGrid::GetPaintCanvas() const
{
    return FCanvasSubstituto ? FCanvasSubstituto : Canvas();
}

int TdvCustomDBGrid::BottomReserve() const
{
    if (!(FOptions & dgShowFooter))
        return 0;
    return dvFooterBandHeight(FFooterHeight, DefaultRowHeight(), FOptions & dgFooter3DCells);
}

TRect TdvCustomDBGrid::GetFooterRect() const
{
    return {0, ClientHeight() - BottomReserve(), ClientWidth(), ClientHeight()};
}

void TdvCustomDBGrid::InvalidateFooter()
{
    if (FOptions & dgShowFooter)
        InvalidateRect(GetFooterRect());
}

void TdvCustomDBGrid::Paint()
{
    TCustomGrid::Paint();
    if (FOptions & dgShowFooter)
        DesenhaRodape();
    FArrasto->Paint(Canvas()->Painter());
}

void TdvCustomDBGrid::DrawCell(int coluna, int linha, const TRect& retangulo, TGridDrawState estado)
{
    TCanvas& canvas = *GetPaintCanvas();
    FDesenho = {};
    TRect r = retangulo;
    r.Right = std::min(r.Right, 2 * width());
    const bool fixa = estado & gdFixed;
    canvas.Font = fixa ? FTitleFont : TFont{font(), palette().color(QPalette::Text)};
    canvas.Brush.Color = fixa ? FTitleColor : GetFixedColor(coluna);
    FDesenho.DataRow = (FOptions & dgTitles) ? linha - 1 : linha;
    FDesenho.DataCol = (FOptions & dgIndicator) ? coluna - 1 : coluna;
    FDesenho.Rect = r;
    FDesenho.State = estado;
    if (DesenhaTipoDeControle(coluna, linha, r, estado))
        return;
    if (FDesenho.DataRow < 0) {
        DesenhaTitulo(coluna, r);
        return;
    }
    if (!FDataLink->Active() || FDesenho.DataRow >= FDataLink->RecordCount()) {
        canvas.FillRect(r);
        return;
    }
    if (FDesenho.DataCol < 0) {
        DesenhaIndicador(r);
        return;
    }
    DesenhaCelulaDeDados(r, estado);
}

bool TdvCustomDBGrid::DesenhaTipoDeControle(int coluna, int linha, const TRect& r, TGridDrawState estado)
{
    if (!IsDataCell(coluna, linha))
        return false;
    QString tipo, parametros;
    GetControlInfo(Fields(FDesenho.DataCol)->FieldName(), tipo, parametros);
    if (tipo == CheckBox)
        DesenhaCheckBox(coluna, linha, r, estado);
    else if (tipo == QLatin1String("Bitmap"))
        DesenhaBitmap(coluna, r, estado, parametros);
    else if (tipo == QLatin1String("ImageIndex"))
        DesenhaImageIndex(coluna, r, estado, parametros);
    else
        return false;
    return true;
}

void TdvCustomDBGrid::DesenhaTitulo(int coluna, const TRect& r)
{
    TCanvas& canvas = *GetPaintCanvas();
    TAlignment alinhamento = FTitleAlignment;
    TField* campo = Fields(FDesenho.DataCol);
    if (!campo) {
        EscreveTextoDaCelula(r, QString(), alinhamento);
        return;
    }
    if (FDesenho.DataCol == 0 && (FOptions & dgIndicator) && FIndicatorButton && FIndicatorButton->isVisible())
        FIndicatorButton->update();
    QString titulo = campo->DisplayLabel();
    if (!FUseTFields) {
        int linha = -1;
        if (dvFindSelectedField(FSelected, campo->FieldName(), linha))
            titulo = dvSelectedPart(FSelected[linha], 2);
    }
    DoCalcTitleAttributes(campo->FieldName(), canvas.Font, canvas.Brush, alinhamento);
    canvas.FillRect(r);
    TdvTitleImageAttributes imagem;
    DoCalcTitleImage(campo, imagem);
    const bool pressionado = FTitleButtons && FTituloPressionadoCol >= 0 && !FCanvasSubstituto
                             && FTituloPressionadoCol == coluna;
    const int p = pressionado ? 1 : 0;
    TRect texto = r;
    if (imagem.ImageIndex >= 0 && FTitleImageList) {
        const int largura = FTitleImageList->Width();
        const int altura = FTitleImageList->Height();
        const int topo = (r.Top + r.Bottom - altura) / 2 + p;
        int x = (r.Left + r.Right - largura) / 2 + p;
        if (imagem.Alignment == taLeftJustify) {
            x = r.Left + imagem.Margin + p;
            texto.Left = std::min(r.Left + largura + imagem.Margin, r.Right);
        } else if (imagem.Alignment == taRightJustify) {
            x = r.Right - largura - imagem.Margin + p;
            texto.Right = std::max(r.Right - largura - imagem.Margin, r.Left);
        }
        FTitleImageList->Draw(canvas.Painter(), x, topo, imagem.ImageIndex);
    }
    bool padrao = true;
    DoDrawTitleCell(canvas, campo, r, padrao);
    if (padrao && imagem.Alignment != taCenter)
        EscreveTextoDaCelula(texto, titulo, alinhamento);
    if (FTitleButtons && !FCanvasSubstituto)
        TEdgePainter::DrawEdge(canvas.Painter(), r,
                               pressionado ? TEdgePainter::BDR_SUNKENOUTER : TEdgePainter::BDR_RAISEDINNER,
                               TEdgePainter::BF_RECT, palette());
}

void TdvCustomDBGrid::DesenhaIndicador(const TRect& r)
{
    TCanvas& canvas = *GetPaintCanvas();
    canvas.FillRect(r);
    if (FDesenho.DataRow != FDataLink->ActiveRecord())
        return;
    const TDataSet* dados = DataSet();
    TdvIndicatorKind tipo = TdvIndicatorKind::Arrow;
    if (dados && dados->State() == dsEdit)
        tipo = TdvIndicatorKind::Edit;
    else if (dados && dados->State() == dsInsert)
        tipo = TdvIndicatorKind::Insert;
    const QImage& marca = TdvGridResources::Indicator(tipo);
    const int x = r.Left + (r.Width() - marca.width()) / 2 + 1;
    const int y = (r.Top + r.Bottom - marca.height()) / 2;
    QPainter& p = canvas.Painter();
    p.save();
    if (FIndicatorColor == TdvIndicatorColor::icYellow && tipo == TdvIndicatorKind::Arrow) {
        p.drawImage(x, y, TdvGridResources::YellowArrow(canvas.Brush.Color));
    } else {
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.drawImage(x, y, marca);
    }
    p.restore();
}

void TdvCustomDBGrid::DesenhaCelulaDeDados(const TRect& r, TGridDrawState estado)
{
    TCanvas& canvas = *GetPaintCanvas();
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    TField* campo = Fields(FDesenho.DataCol);
    QString texto;
    GetFieldText(FDesenho.DataCol, texto);
    const bool destaca = HighlightCell(FDesenho.DataCol, FDesenho.DataRow, texto, estado);
    if (destaca) {
        canvas.Brush.Color = palette().color(QPalette::Highlight);
        canvas.Font.Color = palette().color(QPalette::HighlightedText);
    }
    DoCalcCellColors(campo, estado, destaca, canvas.Font, canvas.Brush);
    const TAlignment alinhamento = campo && !FDesenho.ForcaEsquerda ? campo->Alignment() : taLeftJustify;
    if (FDefaultDrawing)
        WriteCellText(texto, alinhamento);
    else
        canvas.FillRect(r);
    DrawDataCell(r, campo, estado);
}

void TdvCustomDBGrid::WriteCellText(const QString& text, TAlignment alignment)
{
    EscreveTextoDaCelula(FDesenho.Rect, text, alignment);
}

void TdvCustomDBGrid::EscreveTextoDaCelula(const TRect& r, const QString& text, TAlignment alignment)
{
    TCanvas& canvas = *GetPaintCanvas();
    const bool linhas = FOptions & dgRowLines;
    if (FDesenho.DataRow < 0) {
        const int p = (FTitleButtons && FTituloPressionadoCol >= 0 && !FCanvasSubstituto
                       && FTituloPressionadoCol == FDesenho.DataCol + FIndicatorOffset)
                          ? 1
                          : 0;
        const int quantas = dvTitleLineCount(text, FTitleLines);
        const int dy = dvTitleTextTop(RowHeights(0), dvTextHeight(canvas.Font.Font), quantas, p);
        unsigned flags = wtEllipsis;
        if (OnDrawTitleCell)
            flags |= wtKeepPicture;
        if (!FUseTFields)
            flags |= wtPrefix;
        QString texto = text;
        texto.replace(QLatin1Char('~'), QLatin1Char('\n'));
        // A column that goes on past the grid's right edge has its title over the part shown.
        TRect visivel = r;
        if (visivel.Right > ClientWidth() && visivel.Left < ClientWidth())
            visivel.Right = ClientWidth();
        WriteTextRect(canvas, visivel, 3 + p, flags, alignment, texto, dy);
        return;
    }
    unsigned flags = 0;
    if ((FOptions & dgTrailingEllipsis) && dvIsSingleLineHeight(canvas.Font.Font, r))
        flags |= wtEllipsis;
    if (FOptions & dgWordWrap)
        flags |= wtWordWrap;
    WriteTextRect(canvas, r, 3, flags, alignment, text, linhas ? 2 : 1);
}

void TdvCustomDBGrid::WriteTextRect(TCanvas& canvas, const TRect& r, int dx, unsigned flags, TAlignment alignment,
                                    const QString& text, int dy)
{
    dvWriteTextRect(canvas, r, dx, flags, alignment, text, dy);
}

void TdvCustomDBGrid::DrawCellBackground(TField* field, bool drawFocus)
{
    TCanvas& canvas = *GetPaintCanvas();
    const bool fixa = FDesenho.State & gdFixed;
    canvas.Brush.Color = fixa ? FTitleColor : GetFixedColor(FDesenho.DataCol + FIndicatorOffset);
    const bool destaca = HighlightCell(FDesenho.DataCol, FDesenho.DataRow, QString(), FDesenho.State);
    const QColor realce = palette().color(QPalette::Highlight);
    if (destaca) {
        canvas.Brush.Color = realce;
        canvas.Font.Color = palette().color(QPalette::HighlightedText);
    }
    DoCalcCellColors(field, FDesenho.State, destaca, canvas.Font, canvas.Brush);
    FDesenho.Destacada = destaca && canvas.Brush.Color == realce;
    canvas.FillRect(FDesenho.Rect);
    if (destaca && IsActiveControl() && !(FOptions & dgRowSelect)) {
        FDesenho.MolduraFoco = true;
        if (drawFocus)
            TEdgePainter::DrawFocusRect(canvas.Painter(), FDesenho.Rect, palette());
    }
}

void TdvCustomDBGrid::DrawCheckBox(const TRect& r, int coluna, bool checked, int)
{
    const TdvCheckBoxInGridStyle estilo = dvIntl().CheckBoxInGridStyle();
    const bool somenteLeitura = ColumnByIndex(coluna - FIndicatorOffset)->ReadOnly();
    dvDrawGridCheckBox(GetPaintCanvas()->Painter(), r, checked, somenteLeitura,
                       estilo != TdvCheckBoxInGridStyle::cbStyleXmark, palette());
}

void TdvCustomDBGrid::DrawCellLines(const TRect& r, int coluna, TGridDrawState state, int)
{
    if (FDesenho.LinhasDesenhadas)
        return;
    FDesenho.LinhasDesenhadas = true;
    const bool dados = !(state & gdFixed);
    const bool gradeBranca = GetFixedColor(coluna) == QColor(Qt::white);
    if (dados && gradeBranca && (FDesenho.PincelBranco || FDesenho.Destacada))
        return;
    if (dados && !Ctl3D())
        return;
    QPainter& p = GetPaintCanvas()->Painter();
    const QColor claro = palette().color(QPalette::Light);
    const QColor escuro = (state & gdFixed) && (state & gdSelected) ? QColor(Qt::black) : palette().color(QPalette::Dark);
    if (FOptions & dgColLines) {
        p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), claro);
        p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), escuro);
    }
    if (FOptions & dgRowLines) {
        p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), claro);
        p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), dados && gradeBranca ? QColor(Qt::black) : escuro);
    }
}

void TdvCustomDBGrid::DesenhaCheckBox(int coluna, int linha, const TRect& r, TGridDrawState estado)
{
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    TField* campo = Fields(FDesenho.DataCol);
    QString marcado, desmarcado;
    GetCheckBoxValues(coluna, linha, marcado, desmarcado);
    QString valor;
    if (EhSelected(campo))
        valor = IsCurrentRowSelected() ? marcado : desmarcado;
    else
        GetFieldText(FDesenho.DataCol, valor);
    DrawCellBackground(campo, true);
    const TRect caixa{(r.Left + r.Right - 10) / 2, (r.Top + r.Bottom - 10) / 2, 0, 0};
    DrawCheckBox({caixa.Left, caixa.Top, caixa.Left + 10, caixa.Top + 10}, coluna,
                 valor.compare(marcado, Qt::CaseInsensitive) == 0, linha);
    DrawCellLines(r, coluna, estado, linha);
}

QByteArray TdvCustomDBGrid::FiguraDoCampo(TField* campo, bool inserindoEstaLinha) const
{
    TDataSet* dados = DataSet();
    if (campo->Calculated() && !dvGetFieldLookupResultField(dados, campo->FieldName()).isEmpty()) {
        TField* resultado = nullptr;
        QString mestre;
        if (!dvFindLookupRecord(dados, campo, resultado, mestre) || !resultado)
            return {};
        return resultado->AsBytes();
    }
    if (campo->Lookup()) {
        const TField* chave = dados->FindField(campo->KeyFields.section(QLatin1Char(';'), 0, 0));
        if (!campo->LookupDataSet || !chave
            || !dvFindMatch(campo->LookupDataSet, chave->Text(), campo->LookupKeyFields.section(QLatin1Char(';'), 0, 0),
                            mtExact, false))
            return {};
        const TField* resultado = campo->LookupDataSet->FindField(campo->LookupResultField);
        return resultado ? resultado->AsBytes() : QByteArray();
    }
    if (inserindoEstaLinha)
        return {};
    return campo->AsBytes();
}

void TdvCustomDBGrid::DesenhaBitmap(int coluna, const TRect& r, TGridDrawState estado, const QString& parametros)
{
    const QStringList partes = parametros.split(QLatin1Char(';'));
    const QString ajuste = partes.value(0);
    const QString copia = partes.value(1);
    const int ativo = FDataLink->ActiveRecord();
    const TDataSet* dados = DataSet();
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    TField* campo = Fields(FDesenho.DataCol);
    const bool inserindo = dados->State() == dsInsert && FDesenho.DataRow == ativo;
    QImage figura;
    figura.loadFromData(SemCabecalho(FiguraDoCampo(campo, inserindo)));
    QPainter& p = GetPaintCanvas()->Painter();
    p.save();
    DrawCellBackground(campo, true);
    if (figura.width() > 0 && figura.height() > 0) {
        p.setCompositionMode(ModoDeCopia(copia));
        const int w = r.Width();
        const int h = r.Height();
        const int pw = figura.width();
        const int ph = figura.height();
        if (ajuste == QLatin1String("Original Size")) {
            p.drawImage(QPoint(r.Left + 1, r.Top + 1), figura, QRect(0, 0, std::min(pw, w - 1), std::min(ph, h - 1)));
        } else if (ajuste == QLatin1String("Stretch To Fit")) {
            p.drawImage(r.ToQRect(), figura);
        } else if (ajuste == QLatin1String("Fit Height")) {
            int largura = pw * h / ph;
            int origem = pw;
            if (largura > w) {
                origem = w * ph / h;
                largura = w;
            }
            if (largura >= 3 && h >= 3)
                p.drawImage(QRect(r.Left + 1, r.Top, largura, h), figura, QRect(0, 0, origem, ph));
        } else if (ajuste == QLatin1String("Fit Width")) {
            int altura = ph * w / pw;
            int origem = ph;
            if (altura > h) {
                origem = h * pw / w;
                altura = h;
            }
            if (altura >= 3 && w >= 3)
                p.drawImage(QRect(r.Left + 1, r.Top, w, altura), figura, QRect(0, 0, pw, origem));
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (HighlightCell(FDesenho.DataCol, FDesenho.DataRow, QString(), estado)) {
            p.setPen(palette().color(QPalette::Highlight));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(r.Left, r.Top, w - 1, h - 1));
            FDesenho.LinhasDesenhadas = true;
        }
    }
    p.restore();
    DrawCellLines(r, coluna, estado, FDesenho.DataRow + FTitleOffset);
}

void TdvCustomDBGrid::DesenhaImageIndex(int coluna, const TRect& r, TGridDrawState estado, const QString& parametros)
{
    TField* campo = Fields(FDesenho.DataCol);
    const int linha = FDesenho.DataRow + FTitleOffset;
    if (!EhNumero(campo->DataType()) || !FImageList) {
        DrawCellLines(r, coluna, estado, linha);
        return;
    }
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    DrawCellBackground(campo, false);
    const int largura = FImageList->Width();
    const int altura = FImageList->Height();
    QImage imagem(largura, altura, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(GetPaintCanvas()->Brush.Color);
    if (!campo->IsNull()) {
        const int indice = campo->DataType() == ftFloat || campo->DataType() == ftCurrency
                               ? static_cast<int>(campo->AsFloat())
                               : campo->AsInteger();
        if (indice >= 0) {
            QPainter pintor(&imagem);
            FImageList->Draw(pintor, 0, 0, indice);
        }
    }
    const int esquerda = std::max(r.Left, (r.Left + r.Right - largura) / 2);
    const int topo = std::max(r.Top, (r.Top + r.Bottom - altura) / 2);
    const QRect destino(esquerda, topo, std::min(largura, r.Right - esquerda), std::min(altura, r.Bottom - topo));
    QPainter& p = GetPaintCanvas()->Painter();
    if (parametros.section(QLatin1Char(';'), 0, 0) == QLatin1String("Shrink To Fit"))
        p.drawImage(destino, imagem);
    else
        p.drawImage(destino.topLeft(), imagem, QRect(0, 0, destino.width(), destino.height()));
    if (FDesenho.MolduraFoco)
        dvDrawFocusFrame(p, r, palette());
    DrawCellLines(r, coluna, estado, linha);
}

void TdvCustomDBGrid::DesenhaRodape()
{
    TCanvas& canvas = *GetPaintCanvas();
    QPainter& p = canvas.Painter();
    const TRect faixa = GetFooterRect();
    if (faixa.Height() <= 0)
        return;
    p.save();
    p.setClipRect(faixa.ToQRect());
    p.fillRect(faixa.ToQRect(), Color());
    p.fillRect(faixa.ToQRect(), FFooterColor);
    TEdgePainter::DrawEdge(p, faixa, TEdgePainter::BDR_RAISEDINNER, TEdgePainter::BF_RECT, palette());
    const bool tresD = FOptions & dgFooter3DCells;
    std::vector<int> colunas;
    for (int i = FIndicatorOffset; i < FixedCols(); ++i)
        colunas.push_back(i);
    for (int i = LeftCol(); i < ColCount(); ++i)
        colunas.push_back(i);
    for (const int coluna : colunas) {
        const TRect celula = CellRect(coluna, FixedRows() > 0 ? 0 : TopRow());
        if (celula.Width() <= 0)
            continue;
        const TRect r{celula.Left, faixa.Top + 2, celula.Right, faixa.Bottom - 2};
        TField* campo = Fields(coluna - FIndicatorOffset);
        const QString texto = ColumnByIndex(coluna - FIndicatorOffset)->FooterValue();
        canvas.Brush.Color = FFooterCellColor;
        canvas.Font = {font(), palette().color(QPalette::Text)};
        bool padrao = true;
        if (OnDrawFooterCell)
            OnDrawFooterCell(this, canvas, r, campo, texto, padrao);
        if (!padrao || texto.isEmpty())
            continue;
        canvas.FillRect(r);
        TEdgePainter::DrawEdge(p, r, tresD ? TEdgePainter::EDGE_SUNKEN : TEdgePainter::BDR_SUNKENOUTER,
                               TEdgePainter::BF_RECT, palette());
        const int alturaTexto = dvTextHeight(canvas.Font.Font);
        const QRect area(r.Left + 5, r.Top + (r.Height() - alturaTexto) / 2, std::max(0, r.Width() - 14), alturaTexto);
        int alinhamento = Qt::AlignLeft;
        if (campo && campo->Alignment() == taRightJustify)
            alinhamento = Qt::AlignRight;
        else if (campo && campo->Alignment() == taCenter)
            alinhamento = Qt::AlignHCenter;
        canvas.ApplyFont();
        p.drawText(area, alinhamento | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, texto);
    }
    p.restore();
}

// ---- in-place editing ----

namespace {

bool EhTexto(TFieldType tipo)
{
    return tipo == ftString;
}

// The characters a field's text may hold: digits and signs in numbers (with the decimal
// separator and an exponent in fractional ones), anything elsewhere.
bool AceitaCaractere(const TField& campo, QChar c)
{
    const bool sinalOuDigito = c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    switch (campo.DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
        return sinalOuDigito && c.unicode() < 128;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return (sinalOuDigito && c.unicode() < 128) || c == TFormatSettings::Programa().DecimalSeparator
               || c == QLatin1Char('E') || c == QLatin1Char('e');
    default:
        return true;
    }
}

}  // namespace

TdvInplaceEdit* TdvCustomDBGrid::InplaceEdit() const
{
    return qobject_cast<TdvInplaceEdit*>(InplaceEditor());
}

TInplaceEdit* TdvCustomDBGrid::CreateEditor()
{
    return new TdvInplaceEdit(*this);
}

void TdvCustomDBGrid::UpdateEditorWordWrap()
{
    if (TdvInplaceEdit* editor = InplaceEdit()) {
        editor->WordWrap = FOptions & dgWordWrap;
        editor->update();
    }
}

bool TdvCustomDBGrid::CanEditAcceptKey(QChar key)
{
    const TField* campo = SelectedField();
    return FDataLink->Active() && FieldCount() > 0 && campo && AceitaCaractere(*campo, key);
}

int TdvCustomDBGrid::GetEditLimit()
{
    const TField* campo = SelectedField();
    return campo && EhTexto(campo->DataType()) ? campo->Size() : 0;
}

QString TdvCustomDBGrid::GetEditText(int coluna, int)
{
    const TField* campo = Fields(coluna - FIndicatorOffset);
    if (!FDataLink->Active() || !campo)
        return {};
    FEditText = campo->Text();
    return FEditText;
}

void TdvCustomDBGrid::SetEditText(int, int, const QString& valor)
{
    FEditText = valor;
}

bool TdvCustomDBGrid::CanEditModify()
{
    TDataSet* dados = DataSet();
    if (!(FKeyOptions & dgAllowInsert) && dados && dados->Active() && dados->Bof() && dados->Eof()
        && DataSource()->State() == dsBrowse)
        return false;
    if (FReadOnly || !FDataLink->Active() || FDataLink->ReadOnly() || FieldCount() == 0)
        return false;
    TField* campo = SelectedField();
    if (!campo)
        return false;
    if (!campo->CanModify() && !(FEditCalculated && dvIsCalcOrLookupField(campo) && !campo->ReadOnly()))
        return false;
    if (ColumnByFieldName(campo->FieldName())->ReadOnly())
        return false;
    FDataLink->Edit();
    const bool editando = FDataLink->Editing();
    if (editando)
        FDataLink->SetModified(true);
    return editando;
}

bool TdvCustomDBGrid::CanEditCurrentCell()
{
    const TField* campo = SelectedField();
    return campo && !campo->IsBlob() && !IsCustomEditCell(Col(), Row());
}

bool TdvCustomDBGrid::CanEditShow()
{
    return FLayoutLock == 0 && TCustomGrid::CanEditShow() && CanEditCurrentCell();
}

void TdvCustomDBGrid::CancelEditing()
{
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados)
        return;
    if (FDataLink->Modified()) {
        // The typed text was never written: the field's own text comes back.
        FDataLink->Reset();
        return;
    }
    if (dados->State() != dsEdit && dados->State() != dsInsert)
        return;
    if (dados->Modified()
        && InterfaceUsuario::Mostra(dvIntl().UserMessages.dvDBGridDiscardChanges, TipoDialogo::Confirmacao,
                                    Botao::Sim | Botao::Nao)
               != Resposta::Sim)
        return;
    dados->Cancel();
}

bool TdvCustomDBGrid::ConfirmDelete()
{
    if (!(FOptions & dgConfirmDelete))
        return true;
    return InterfaceUsuario::Mostra(QStringLiteral("Delete record?"), TipoDialogo::Confirmacao,
                                    Botao::Ok | Botao::Cancela)
           != Resposta::Cancela;
}

void TdvCustomDBGrid::TabNavigation(bool backward)
{
    const int quantos = FieldCount();
    if (quantos == 0)
        return;
    const int inicio = SelectedIndex();
    const int ultima = quantos - 1;
    const int primeira = std::max(0, FixedCols() - FIndicatorOffset);
    int coluna = inicio;
    for (;;) {
        coluna += backward ? -1 : 1;
        if (!backward && coluna > ultima) {
            BeforeRowsChange();
            if (FOptions & dgTabExitsOnLastCol) {
                SelectNextControl(true);
                return;
            }
            QScopedValueRollback suprime(FEditorSuprimido, inicio == 0 && TabStops(FIndicatorOffset));
            NextRow(true);
            coluna = 0;
        } else if (backward && coluna < primeira) {
            BeforeRowsChange();
            if (FOptions & dgTabExitsOnLastCol) {
                SelectNextControl(false);
                return;
            }
            QScopedValueRollback suprime(FEditorSuprimido, inicio != ultima && TabStops(FIndicatorOffset + ultima));
            PriorRow();
            coluna = ultima;
        }
        if (coluna == inicio)
            return;
        if (TabStops(FIndicatorOffset + coluna)) {
            SetSelectedIndex(coluna);
            return;
        }
    }
}

void TdvCustomDBGrid::DoExit()
{
    TDataSet* dados = DataSet();
    if (FDataLink->Active() && dados) {
        try {
            if ((FOptions & dgCancelOnExit) && dados->State() == dsInsert && !dados->Modified()
                && !FDataLink->Modified() && CanCancelOnExit())
                dados->Cancel();
            else
                DataLinkUpdateData();
        } catch (...) {
            // What could not be written keeps the user in the grid.
            setFocus(Qt::OtherFocusReason);
            throw;
        }
    }
    TCustomGrid::DoExit();
}

// ---- keys ----

bool TdvCustomDBGrid::TabsToGrid() const
{
    return TCustomGrid::Options() & goTabs;
}

bool TdvCustomDBGrid::AlwaysShowEditor() const
{
    return FOptions & dgAlwaysShowEditor;
}

void TdvCustomDBGrid::GridKeyDown(int key, Qt::KeyboardModifiers shift)
{
    KeyDown(key, shift);
}

void TdvCustomDBGrid::ReportKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TdvCustomDBGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        shift |= Qt::ShiftModifier;
    }
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados || !CanGridAcceptKey(key, shift))
        return;
    TdvGridDataLink& link = *FDataLink;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool linhaInteira = FOptions & dgRowSelect;
    const bool umCampo = dados->FieldCount() == 1;
    const auto move = [this, dados](int distancia) {
        BeforeRowsChange();
        dados->MoveBy(distancia);
    };
    const auto extremo = [this, dados](bool ultimo) {
        BeforeRowsChange();
        if (ultimo)
            dados->Last();
        else
            dados->First();
    };
    if (ctrl) {
        switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_Up:
            move(-link.ActiveRecord());
            break;
        case Qt::Key_PageDown:
        case Qt::Key_Down:
            move(link.RecordCount() - 1 - link.ActiveRecord());
            break;
        case Qt::Key_Left:
            SetSelectedIndex(0);
            break;
        case Qt::Key_Right:
            SetSelectedIndex(dados->FieldCount() - 1);
            break;
        case Qt::Key_Home:
            extremo(false);
            break;
        case Qt::Key_End:
            extremo(true);
            break;
        case Qt::Key_Delete:
            if ((FKeyOptions & dgAllowDelete) && !FReadOnly && dados->CanModify() && (FOptions & dgEditing)
                && ConfirmDelete()) {
                dados->Delete();
                HideEditor();
            }
            key = 0;
            break;
        default:
            break;
        }
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
        move(-VisibleRowCount());
        break;
    case Qt::Key_PageDown:
        move(VisibleRowCount());
        break;
    case Qt::Key_Up:
        BeforeRowsChange();
        PriorRow();
        break;
    case Qt::Key_Down:
        BeforeRowsChange();
        NextRow(true);
        break;
    case Qt::Key_Left:
        if (linhaInteira) {
            BeforeRowsChange();
            PriorRow();
        } else {
            SetSelectedIndex(SelectedIndex() - 1);
        }
        break;
    case Qt::Key_Right:
        if (linhaInteira) {
            BeforeRowsChange();
            NextRow(false);
        } else {
            SetSelectedIndex(SelectedIndex() + 1);
        }
        break;
    case Qt::Key_Home:
        if (umCampo || linhaInteira)
            extremo(false);
        else
            SetSelectedIndex(0);
        break;
    case Qt::Key_End:
        if (umCampo || linhaInteira)
            extremo(true);
        else
            SetSelectedIndex(dados->FieldCount() - 1);
        break;
    case Qt::Key_Tab:
        if (!shift.testFlag(Qt::AltModifier))
            TabNavigation(shift.testFlag(Qt::ShiftModifier));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (FKeyOptions & dgEnterToTab)
            TabNavigation(shift.testFlag(Qt::ShiftModifier));
        break;
    case Qt::Key_Escape:
        CancelEditing();
        if (!(FOptions & dgAlwaysShowEditor))
            HideEditor();
        else if (TdvInplaceEdit* editor = InplaceEdit(); OnCheckValue && editor)
            editor->ValidatePicture(editor->text());
        break;
    case Qt::Key_Insert:
        if (!FReadOnly && (FOptions & dgEditing) && (FKeyOptions & dgAllowInsert)) {
            BeforeRowsChange();
            dados->Insert();
        }
        break;
    case Qt::Key_F2:
        if (CanEditCurrentCell())
            SetEditorMode(true);
        break;
    default:
        break;
    }
}

void TdvCustomDBGrid::KeyPress(QChar& key)
{
    if ((FKeyOptions & dgEnterToTab) && key.unicode() == 13)
        key = QChar(9);
    const bool enter = key.unicode() == 13 && !(FOptions & dgAlwaysShowEditor);
    if (enter)
        DataLinkUpdateData();
    TCustomGrid::KeyPress(key);
    if (!enter)
        return;
    if (!CanEditShow()) {
        // No editor here: the Enter is the window's (a dialog's default button).
        HideEditor();
        key = QChar(13);
        return;
    }
    if (const QWidget* controle = CurrentCellControl(); controle && dvGetWantReturns(controle))
        key = QChar(13);
}

// ---- mouse ----

bool TdvCustomDBGrid::AcquireFocus()
{
    if (!(focusPolicy() & Qt::ClickFocus) || !isEnabled() || dvIsDesigning(this))
        return true;
    if (!IsActiveControl())
        setFocus(Qt::MouseFocusReason);
    return IsActiveControl();
}

void TdvCustomDBGrid::PressionaTitulo(Qt::MouseButton button, int coluna, int linha)
{
    if (FTitleButtons && button == Qt::LeftButton && !dvIsDesigning(this))
        SetPressedTitle(coluna, linha);
}

void TdvCustomDBGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y)
{
    HideCellHint();
    if (!AcquireFocus())
        return;
    if (button == Qt::LeftButton && doubleClick) {
        DblClick();
        return;
    }
    if (const int borda = SizingColumn(x, y); borda >= 0 && button == Qt::LeftButton) {
        FColunaDimensionada = borda;
        DataLinkUpdateData();
        TCustomGrid::MouseDown(button, shift, doubleClick, x, y);
        return;
    }
    const TGridCoord celula = MouseCoord(x, y);
    if (celula.X >= 0 && celula.Y >= 0) {
        if (celula.Y < FTitleOffset && (FOptions & dgColumnResize)) {
            PressionaTitulo(button, celula.X, celula.Y);
            if (celula.X >= FixedCols() && button == Qt::LeftButton) {
                FArrasto->Press(celula.X, x, y);
                return;
            }
            if (celula.X < FixedCols()) {
                TCustomGrid::MouseDown(button, shift, doubleClick, x, y);
                return;
            }
        } else if (celula.Y < FTitleOffset) {
            PressionaTitulo(button, celula.X, celula.Y);
        } else if (FDataLink->Active() && DataSet()) {
            CliqueNosDados(button, shift, celula);
        }
    }
    viewport()->update();
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TdvCustomDBGrid::MoveParaLinha(int linha)
{
    if (linha == Row())
        return;
    BeforeRowsChange();
    DataSet()->MoveBy(linha - Row());
}

void TdvCustomDBGrid::CliqueNosDados(Qt::MouseButton button, Qt::KeyboardModifiers shift, const TGridCoord& celula)
{
    TDataSet* dados = DataSet();
    if (celula.X == Col() && celula.Y == Row() && !IsCustomEditCell(celula.X, celula.Y)
        && !IsBlobCell(celula.X, celula.Y))
        ShowEditor();
    const int colunaAntes = Col();
    const int linhaAntes = Row();
    const TBookmark marcaAntes = dados->GetBookmark();
    {
        QScopedValueRollback clique(FMovendoPorClique, true);
        {
            QScopedValueRollback suprime(FEditorSuprimido, celula.Y != Row());
            if (!(FOptions & dgRowSelect) && celula.X >= FixedCols())
                SetSelectedIndex(celula.X - FIndicatorOffset);
        }
        MoveParaLinha(celula.Y);
    }
    if (Col() != colunaAntes || Row() != linhaAntes || !(dados->GetBookmark() == marcaAntes))
        DoCellChanged();
    // Held down, the button takes the record along (and scrolls past the edges).
    if (button == Qt::LeftButton)
        BeginSelecting();

    if (!(FOptions & dgMultiSelect))
        return;
    const std::optional<TBookmark> ancoraAntes = FAncora;
    const bool ctrlOuShift = shift & (Qt::ControlModifier | Qt::ShiftModifier);
    if (!IsSelectedCheckBoxColumn(celula.X)) {
        if (ctrlOuShift) {
            if (IsCurrentRowSelected())
                UnselectRecord();
            else
                SelectRecord();
        } else if ((FMultiSelectOptions & msoAutoUnselect) && button == Qt::LeftButton) {
            UnselectAll();
            SelectRecord();
        }
    }
    if ((ctrlOuShift || (FMultiSelectOptions & msoAutoUnselect)) && (FMultiSelectOptions & msoShiftSelect)) {
        FSelecaoPorClique = true;
        if (FAncora == ancoraAntes)
            FAncora = dados->GetBookmark();
    }
}

void TdvCustomDBGrid::SelectingMoveTo(int coluna, int linha)
{
    if (!FDataLink->Active() || !DataSet() || linha - FTitleOffset >= FDataLink->RecordCount())
        return;
    if (!(FOptions & dgRowSelect))
        SetSelectedIndex(coluna - FIndicatorOffset);
    MoveParaLinha(linha);
}

void TdvCustomDBGrid::TimedScroll(TGridScrollDirections direcao)
{
    TDataSet* dados = DataSet();
    if (!FDataLink->Active() || !dados)
        return;
    if (direcao & sdUp) {
        BeforeRowsChange();
        dados->MoveBy(-(FDataLink->ActiveRecord() + 1));
    } else if (direcao & sdDown) {
        BeforeRowsChange();
        dados->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord());
    }
    // Across columns through the column change, so that what was typed is written first.
    if (!(FOptions & dgRowSelect)) {
        if (direcao & sdLeft)
            SetSelectedIndex(SelectedIndex() - 1);
        else if (direcao & sdRight)
            SetSelectedIndex(SelectedIndex() + 1);
    }
}

void TdvCustomDBGrid::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    if (FArrasto->Pressed()) {
        FArrasto->Move(x, y);
        return;
    }
    TCustomGrid::MouseMove(shift, x, y);
    if (FOptions & dgShowCellHint)
        FDica->MouseMoved(x, y);
}

void TdvCustomDBGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == Qt::LeftButton && FArrasto->Pressed())
        FArrasto->Release(x, y);
    const int dimensionada = GridState() == TGridState::gsColSizing ? FColunaDimensionada : -1;
    TCustomGrid::MouseUp(button, shift, x, y);
    FColunaDimensionada = -1;
    if (dimensionada >= 0 && OnColWidthChanged)
        OnColWidthChanged(this, dimensionada - FIndicatorOffset);
    if (PressedTitleCol() >= 0) {
        const int coluna = PressedTitleCol();
        const int linha = PressedTitleRow();
        SetPressedTitle(-1, -1);
        const TGridCoord sobre = MouseCoord(x, y);
        const TField* campo = Fields(coluna - FIndicatorOffset);
        if (sobre.X == coluna && sobre.Y == linha && campo && !FTituloArrastado)
            DoTitleButtonClick(campo->FieldName());
    }
    FTituloArrastado = false;
}

void TdvCustomDBGrid::focusOutEvent(QFocusEvent* e)
{
    // The mouse is gone with the focus: a column drag ends where it began.
    FArrasto->Cancel();
    TCustomGrid::focusOutEvent(e);
}

// ---- cell hints ----

void TdvCustomDBGrid::HideCellHint()
{
    if (FDica)
        FDica->Hide();
}

TdvGridHintWindow* TdvCustomDBGrid::CellHintWindow() const
{
    return FDica ? FDica->Window() : nullptr;
}

TdvGridHintWindow* TdvCustomDBGrid::CreateHintWindow(TField*)
{
    auto* janela = new TdvGridHintWindow(this);
    janela->setFont(font());
    return janela;
}

void TdvCustomDBGrid::DoCreateHintWindow(TdvGridHintWindow* hintWindow, TField* field, bool& wordWrap,
                                         int& maxWidth, int& maxHeight, bool& doDefault, const TRect& r)
{
    if (OnCreateHintWindow)
        OnCreateHintWindow(this, hintWindow, field, r, wordWrap, maxWidth, maxHeight, doDefault);
}
