#include "platform/widgets/grid/TCustomGrid.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/widgets/grid/EInvalidGridOperation.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "platform/widgets/grid/TInplaceEdit.h"

namespace {

[[noreturn]] void ForaDosLimites()
{
    throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
}

constexpr int IntervaloDaSelecao = 60;

}   // namespace

TCustomGrid::TCustomGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , FCor(palette().color(QPalette::Base))
    , FCorFixa(palette().color(QPalette::Button))
{
    setFocusPolicy(Qt::StrongFocus);
    FColunas.Extents.assign(5, FLarguraPadrao);
    FLinhas.Extents.assign(5, FAlturaPadrao);
    FColunas.FixedCount = FColunas.First = 1;
    FLinhas.FixedCount = FLinhas.First = 1;
    FColuna = FLinha = 1;
    FParadas.assign(5, true);
    FOpcoes = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    AtualizaLarguraLinhas();
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setTracking(false);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TCustomGrid::MudouHorizontal);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TCustomGrid::AcaoVertical);
    SetScrollBars(TScrollStyle::ssBoth);
    viewport()->setMouseTracking(true);
    FTimerSelecao = new QTimer(this);
    FTimerSelecao->setInterval(IntervaloDaSelecao);
    connect(FTimerSelecao, &QTimer::timeout, this, [this] {
        try {
            PassoDaSelecao();
        } catch (...) {
            FimDoEstado();
            TExcecaoDeEvento::Trata(std::current_exception());
        }
    });
}

TCustomGrid::~TCustomGrid()
{
    FreeEditor();
}

// ---- cells ----

void TCustomGrid::MudaQuantidade(TGridAxis& eixo, int quantidade, int padrao)
{
    const int colunasAntes = ColCount();
    const int linhasAntes = RowCount();
    quantidade = std::max(1, quantidade);
    if (quantidade == eixo.Count())
        return;
    if (quantidade <= eixo.FixedCount)
        eixo.FixedCount = quantidade - 1;
    eixo.Extents.resize(static_cast<std::size_t>(quantidade), padrao);
    if (&eixo == &FColunas)
        FParadas.resize(static_cast<std::size_t>(quantidade), true);
    eixo.First = std::clamp(eixo.First, eixo.FixedCount, quantidade - 1);
    FColuna = std::clamp(FColuna, FColunas.FixedCount, ColCount() - 1);
    FLinha = std::clamp(FLinha, FLinhas.FixedCount, RowCount() - 1);
    UpdateScrollRange();
    viewport()->update();
    SizeChanged(colunasAntes, linhasAntes);
}

void TCustomGrid::SetColCount(int quantidade)
{
    MudaQuantidade(FColunas, quantidade, FLarguraPadrao);
}

void TCustomGrid::SetRowCount(int quantidade)
{
    MudaQuantidade(FLinhas, quantidade, FAlturaPadrao);
}

void TCustomGrid::MudaFixas(TGridAxis& eixo, int quantidade, int& atual, const QString& recusa)
{
    if (quantidade < 0 || quantidade >= eixo.Count())
        throw EInvalidGridOperation(recusa);
    if (quantidade == eixo.FixedCount)
        return;
    // The first scrolling cell shown is the first after the fixed ones again.
    eixo.FixedCount = quantidade;
    eixo.First = quantidade;
    atual = std::max(atual, quantidade);
    UpdateScrollRange();
    viewport()->update();
}

void TCustomGrid::SetFixedCols(int quantidade)
{
    MudaFixas(FColunas, quantidade, FColuna, QStringLiteral("Fixed column count must be less than column count"));
}

void TCustomGrid::SetFixedRows(int quantidade)
{
    MudaFixas(FLinhas, quantidade, FLinha, QStringLiteral("Fixed row count must be less than row count"));
}

void TCustomGrid::PreencheExtensoes(TGridAxis& eixo, int extensao)
{
    std::fill(eixo.Extents.begin(), eixo.Extents.end(), extensao);
    UpdateScrollRange();
    viewport()->update();
}

void TCustomGrid::SetDefaultColWidth(int largura)
{
    FLarguraPadrao = largura;
    PreencheExtensoes(FColunas, largura);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int altura)
{
    FAlturaPadrao = altura;
    PreencheExtensoes(FLinhas, altura);
    RowHeightsChanged();
}

int TCustomGrid::Extensao(const TGridAxis& eixo, int indice, int padrao)
{
    if (indice < 0 || indice >= eixo.Count())
        return padrao;
    return eixo.Extents[static_cast<std::size_t>(indice)];
}

bool TCustomGrid::MudaExtensao(TGridAxis& eixo, int indice, int extensao)
{
    if (indice < 0 || indice >= eixo.Count())
        ForaDosLimites();
    auto& atual = eixo.Extents[static_cast<std::size_t>(indice)];
    if (atual == extensao)
        return false;
    atual = extensao;
    UpdateScrollRange();
    viewport()->update();
    return true;
}

int TCustomGrid::ColWidths(int coluna) const
{
    return Extensao(FColunas, coluna, FLarguraPadrao);
}

void TCustomGrid::SetColWidths(int coluna, int largura)
{
    if (MudaExtensao(FColunas, coluna, largura)) {
        ColWidthsChanged();
        TrazColunasQueCabem();
        UpdateEdit();
    }
}

int TCustomGrid::RowHeights(int linha) const
{
    return Extensao(FLinhas, linha, FAlturaPadrao);
}

void TCustomGrid::SetRowHeights(int linha, int altura)
{
    if (MudaExtensao(FLinhas, linha, altura)) {
        RowHeightsChanged();
        UpdateEdit();
    }
}

bool TCustomGrid::TabStops(int coluna) const
{
    return coluna >= 0 && coluna < ColCount() && FParadas[static_cast<std::size_t>(coluna)];
}

void TCustomGrid::SetTabStops(int coluna, bool parada)
{
    if (coluna < 0 || coluna >= ColCount())
        ForaDosLimites();
    FParadas[static_cast<std::size_t>(coluna)] = parada;
}

void TCustomGrid::SetGridLineWidth(int largura)
{
    FLarguraLinha = std::max(0, largura);
    AtualizaLarguraLinhas();
    UpdateScrollRange();
    viewport()->update();
}

void TCustomGrid::AtualizaLarguraLinhas()
{
    FColunas.LineWidth = (FOpcoes & (goFixedVertLine | goVertLine)) ? FLarguraLinha : 0;
    FLinhas.LineWidth = (FOpcoes & (goFixedHorzLine | goHorzLine)) ? FLarguraLinha : 0;
}

// ---- the current cell and what is shown ----

void TCustomGrid::SetCol(int coluna)
{
    if (coluna != FColuna)
        FocusCell(coluna, FLinha, true);
}

void TCustomGrid::SetRow(int linha)
{
    if (linha != FLinha)
        FocusCell(FColuna, linha, true);
}

void TCustomGrid::FocusCell(int coluna, int linha, bool moveAnchor)
{
    MoveColRow(coluna, linha, moveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::SetTopRow(int linha)
{
    linha = std::clamp(linha, FLinhas.FixedCount, std::max(FLinhas.FixedCount, RowCount() - 1));
    if (linha == FLinhas.First)
        return;
    FLinhas.First = linha;
    UpdateScrollRange();
    viewport()->update();
    TopLeftChanged();
}

void TCustomGrid::TrazColunasQueCabem()
{
    // A grid that scrolled to its current cell while it had little room (hidden, or before its
    // first layout) would otherwise keep its first columns out of sight once they fit, or once
    // the current cell fits beside them: they come back as far as the current cell stays whole.
    int primeira = std::max(FColunas.FixedCount, FColunas.MaxFirst(ClientWidth()));
    TGridAxis eixo = FColunas;
    for (eixo.First = FColunas.FixedCount; eixo.First < primeira; ++eixo.First)
        if (FColuna < eixo.First || eixo.LastFullVisible(ClientWidth()) >= FColuna)
            break;
    primeira = std::min(primeira, eixo.First);
    if (FColunas.First > primeira)
        SetLeftCol(primeira);
}

void TCustomGrid::SetLeftCol(int coluna)
{
    coluna = std::clamp(coluna, FColunas.FixedCount, std::max(FColunas.FixedCount, ColCount() - 1));
    if (coluna == FColunas.First)
        return;
    FColunas.First = coluna;
    UpdateScrollRange();
    viewport()->update();
    TopLeftChanged();
}

int TCustomGrid::VisibleRowCount() const
{
    return FLinhas.VisibleCount(GridHeight());
}

int TCustomGrid::VisibleColCount() const
{
    return FColunas.VisibleCount(ClientWidth());
}

TGridRect TCustomGrid::Selection() const
{
    if (FOpcoes & goRowSelect)
        return {FColunas.FixedCount, FLinha, ColCount() - 1, FLinha};
    return {FColuna, FLinha, FColuna, FLinha};
}

void TCustomGrid::SetOptions(TGridOptions opcoes)
{
    // A whole row selected has no cell to edit.
    if (opcoes & goRowSelect)
        opcoes &= ~goAlwaysShowEditor;
    if (opcoes == FOpcoes)
        return;
    FOpcoes = opcoes;
    AtualizaLarguraLinhas();
    UpdateScrollRange();
    viewport()->update();
    if (!FEditorMode) {
        if (FOpcoes & goAlwaysShowEditor)
            ShowEditor();
        else
            HideEditor();
    }
}

void TCustomGrid::SetScrollBars(TScrollStyle barras)
{
    FBarras = barras;
    const bool horizontal = barras == TScrollStyle::ssHorizontal || barras == TScrollStyle::ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    UpdateScrollRange();
}

void TCustomGrid::SetColor(const QColor& cor)
{
    FCor = cor;
    viewport()->update();
}

void TCustomGrid::SetFixedColor(const QColor& cor)
{
    FCorFixa = cor;
    viewport()->update();
}

void TCustomGrid::SetCtl3D(bool valor)
{
    FCtl3D = valor;
    viewport()->update();
}

bool TCustomGrid::SelectCell(int, int)
{
    return true;
}

void TCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FEditor)
        FEditor->UpdateLoc(AreaDoEditor(CellRect(FColuna, FLinha)));
}

void TCustomGrid::ColumnMoved(int, int) {}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::MoveColRow(int coluna, int linha, bool, bool show)
{
    if (coluna < 0 || coluna >= ColCount() || linha < 0 || linha >= RowCount())
        ForaDosLimites();
    if (!SelectCell(coluna, linha))
        return;
    InvalidaSelecao();
    FColuna = coluna;
    FLinha = linha;
    if (!(FOpcoes & goAlwaysShowEditor))
        HideEditor();
    InvalidaSelecao();
    if (show)
        AjustaVisivel();
}

void TCustomGrid::InvalidaSelecao()
{
    if (FOpcoes & goRowSelect)
        InvalidateRow(FLinha);
    else
        InvalidateCell(FColuna, FLinha);
}

void TCustomGrid::AjustaVisivel()
{
    const auto primeiroQueMostra = [](TGridAxis eixo, int celula, int extensao) {
        if (celula < eixo.FixedCount)
            return eixo.First;
        if (celula < eixo.First)
            return celula;
        while (eixo.First < celula && eixo.LastFullVisible(extensao) < celula)
            ++eixo.First;
        return eixo.First;
    };
    const int coluna = primeiroQueMostra(FColunas, FColuna, ClientWidth());
    const int linha = primeiroQueMostra(FLinhas, FLinha, GridHeight());
    if (coluna == FColunas.First && linha == FLinhas.First)
        return;
    FColunas.First = coluna;
    FLinhas.First = linha;
    UpdateScrollRange();
    viewport()->update();
    TopLeftChanged();
}

// ---- geometry and invalidation ----

int TCustomGrid::ClientWidth() const
{
    return viewport()->width();
}

int TCustomGrid::ClientHeight() const
{
    return viewport()->height();
}

int TCustomGrid::GridHeight() const
{
    return std::max(0, ClientHeight() - BottomReserve());
}

int TCustomGrid::GridWidth() const
{
    return FColunas.GridBoundary(ClientWidth());
}

TRect TCustomGrid::CellRect(int coluna, int linha) const
{
    const int x = FColunas.CellStart(coluna, ClientWidth());
    const int y = FLinhas.CellStart(linha, GridHeight());
    if (x < 0 || y < 0)
        return {};
    return {x, y, x + ColWidths(coluna), y + RowHeights(linha)};
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const
{
    const int coluna = FColunas.CellAt(x, ClientWidth());
    const int linha = FLinhas.CellAt(y, GridHeight());
    if (coluna < 0 || linha < 0)
        return {};
    return {coluna, linha};
}

void TCustomGrid::InvalidateCell(int coluna, int linha)
{
    const TRect r = CellRect(coluna, linha);
    if (r.Width() > 0)
        InvalidateRect({r.Left, r.Top, r.Right + FColunas.LineWidth, r.Bottom + FLinhas.LineWidth});
}

void TCustomGrid::InvalidateRow(int linha)
{
    const int y = FLinhas.CellStart(linha, GridHeight());
    if (y >= 0)
        InvalidateRect({0, y, ClientWidth(), y + RowHeights(linha) + FLinhas.LineWidth});
}

void TCustomGrid::InvalidateCol(int coluna)
{
    const int x = FColunas.CellStart(coluna, ClientWidth());
    if (x >= 0)
        InvalidateRect({x, 0, x + ColWidths(coluna) + FColunas.LineWidth, GridHeight()});
}

void TCustomGrid::InvalidateGrid()
{
    viewport()->update();
}

void TCustomGrid::InvalidateRect(const TRect& r)
{
    viewport()->update(r.ToQRect());
}

void TCustomGrid::ScrollClient(int dx, int dy, const TRect& r)
{
    viewport()->scroll(dx, dy, r.ToQRect());
}

void TCustomGrid::MoveColumn(int de, int para)
{
    if (de < 0 || de >= ColCount() || para < 0 || para >= ColCount())
        ForaDosLimites();
    if (de == para)
        return;
    const auto move = [de, para](auto& lista) {
        auto valor = lista[static_cast<std::size_t>(de)];
        lista.erase(lista.begin() + de);
        lista.insert(lista.begin() + para, valor);
    };
    move(FColunas.Extents);
    move(FParadas);
    // The current column and the editor's stay on the columns they were on.
    const auto segue = [de, para](int& coluna) {
        if (coluna == de)
            coluna = para;
        else if (de < coluna && para >= coluna)
            --coluna;
        else if (de > coluna && para <= coluna)
            ++coluna;
    };
    segue(FColuna);
    if (FColunaEditor >= 0)
        segue(FColunaEditor);
    viewport()->update();
    ColumnMoved(de, para);
    UpdateEdit();
}

bool TCustomGrid::IsActiveControl() const
{
    const QWidget* foco = window()->focusWidget();
    return foco && (foco == this || isAncestorOf(foco));
}

bool TCustomGrid::GridFocused() const
{
    return window()->focusWidget() == this;
}

void TCustomGrid::SelectNextControl(bool forward)
{
    // The focus chain, leaving out the grid and what lies inside it (its editor joined the
    // chain where it was made, not beside the grid).
    for (QWidget* w = forward ? nextInFocusChain() : previousInFocusChain(); w && w != this;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (isAncestorOf(w) || w->window() != window())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisible() && w->isEnabled()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

// ---- scroll bars ----

void TCustomGrid::UpdateScrollRange()
{
    if (FAtualizandoBarras)
        return;
    FAtualizandoBarras = true;
    try {
        QScrollBar* barra = horizontalScrollBar();
        if (FBarras == TScrollStyle::ssHorizontal || FBarras == TScrollStyle::ssBoth) {
            barra->setRange(FColunas.FixedCount, std::max(FColunas.FixedCount, FColunas.MaxFirst(ClientWidth())));
            barra->setPageStep(std::max(1, VisibleColCount()));
            barra->setValue(FColunas.First);
        } else {
            barra->setRange(0, 0);
        }
        UpdateVertScrollBar();
    } catch (...) {
        FAtualizandoBarras = false;
        throw;
    }
    FAtualizandoBarras = false;
}

void TCustomGrid::UpdateVertScrollBar()
{
    QScrollBar* barra = verticalScrollBar();
    if (FBarras == TScrollStyle::ssVertical || FBarras == TScrollStyle::ssBoth) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        barra->setRange(FLinhas.FixedCount, std::max(FLinhas.FixedCount, FLinhas.MaxFirst(GridHeight())));
        barra->setPageStep(std::max(1, VisibleRowCount()));
        barra->setValue(FLinhas.First);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void TCustomGrid::VertScroll(TScrollCode codigo, int posicao)
{
    switch (codigo) {
    case TScrollCode::scLineUp:
        SetTopRow(TopRow() - 1);
        break;
    case TScrollCode::scLineDown:
        SetTopRow(std::min(TopRow() + 1, FLinhas.MaxFirst(GridHeight())));
        break;
    case TScrollCode::scPageUp:
        SetTopRow(TopRow() - VisibleRowCount());
        break;
    case TScrollCode::scPageDown:
        SetTopRow(std::min(TopRow() + VisibleRowCount(), FLinhas.MaxFirst(GridHeight())));
        break;
    case TScrollCode::scPosition:
        SetTopRow(posicao);
        break;
    case TScrollCode::scTop:
        SetTopRow(FLinhas.FixedCount);
        break;
    case TScrollCode::scBottom:
        SetTopRow(FLinhas.MaxFirst(GridHeight()));
        break;
    }
}

TScrollInfo TCustomGrid::VertScrollInfo() const
{
    const QScrollBar* barra = verticalScrollBar();
    const int pagina = barra->pageStep();
    return {barra->minimum(), barra->maximum() + std::max(0, pagina - 1), pagina, barra->value()};
}

void TCustomGrid::SetVertScrollInfo(const TScrollInfo& info)
{
    QScrollBar* barra = verticalScrollBar();
    barra->setRange(info.Min, std::max(info.Min, info.Max - std::max(0, info.Page - 1)));
    barra->setPageStep(info.Page);
    barra->setSliderPosition(info.Pos);
    barra->setValue(info.Pos);
}

void TCustomGrid::AcaoVertical(int acao)
{
    QScrollBar* barra = verticalScrollBar();
    if (acao == QAbstractSlider::SliderMove && barra->isSliderDown())
        return;   // the thumb is being dragged: acted on where it is let go
    TScrollCode codigo = TScrollCode::scPosition;
    switch (acao) {
    case QAbstractSlider::SliderSingleStepSub:
        codigo = TScrollCode::scLineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        codigo = TScrollCode::scLineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        codigo = TScrollCode::scPageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        codigo = TScrollCode::scPageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        codigo = TScrollCode::scTop;
        break;
    case QAbstractSlider::SliderToMaximum:
        codigo = TScrollCode::scBottom;
        break;
    default:
        break;
    }
    try {
        VertScroll(codigo, barra->sliderPosition());
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
    }
    // The bar shows what the handler made of the action, not where the action would put it.
    barra->setSliderPosition(barra->value());
}

void TCustomGrid::MudouHorizontal(int valor)
{
    if (FAtualizandoBarras)
        return;
    try {
        SetLeftCol(valor);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
    }
}

void TCustomGrid::scrollContentsBy(int, int)
{
    // TopRow and LeftCol say what is shown; the cells are painted from them.
}

// ---- events ----

void TCustomGrid::showEvent(QShowEvent* e)
{
    QAbstractScrollArea::showEvent(e);
    if (!FJanelaCriada) {
        FJanelaCriada = true;
        CreateWnd();
        UpdateScrollRange();
        UpdateEdit();
    }
}

bool TCustomGrid::DoMouseWheelDown()
{
    SetTopRow(std::min(TopRow() + 1, FLinhas.MaxFirst(GridHeight())));
    return true;
}

bool TCustomGrid::DoMouseWheelUp()
{
    SetTopRow(TopRow() - 1);
    return true;
}

void TCustomGrid::wheelEvent(QWheelEvent* e)
{
    FRodaAcumulada += e->angleDelta().y();
    bool tratado = false;
    while (FRodaAcumulada <= -120) {
        FRodaAcumulada += 120;
        tratado = DoMouseWheelDown() || tratado;
    }
    while (FRodaAcumulada >= 120) {
        FRodaAcumulada -= 120;
        tratado = DoMouseWheelUp() || tratado;
    }
    e->setAccepted(tratado || e->angleDelta().y() != 0);
}

void TCustomGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
    FocoChegou(e->reason());
    // Back from its editor the grid leaves the editor as it is.
    if (!FFocoDoEditor)
        UpdateEdit();
}

void TCustomGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
    FocoSaiu(e->reason());
}

void TCustomGrid::FocoChegou(Qt::FocusReason motivo)
{
    if (FDentro || motivo == Qt::PopupFocusReason)
        return;
    FDentro = true;
    DoEnter();
}

void TCustomGrid::FocoSaiu(Qt::FocusReason motivo)
{
    if (motivo == Qt::PopupFocusReason || !FDentro)
        return;
    if (motivo == Qt::ActiveWindowFocusReason) {
        AguardaAtivacao();
        return;
    }
    const QWidget* novo = QApplication::focusWidget();
    if (novo && (novo == this || isAncestorOf(novo)))
        return;
    Sai();
}

void TCustomGrid::Sai()
{
    FDentro = false;
    FimDoEstado();
    DoExit();
}

void TCustomGrid::AguardaAtivacao()
{
    // The window lost its activation (a message, another window) and the focus may be moved
    // inside it meanwhile, which no widget hears of: once a widget of the window has the focus
    // again, a focus found outside the grid is the grid left.
    disconnect(FAtivacao);
    FAtivacao = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* agora) {
        if (!agora || agora->window() != window())
            return;
        disconnect(FAtivacao);
        if (!FDentro || agora == this || isAncestorOf(agora))
            return;
        try {
            Sai();
        } catch (...) {
            TExcecaoDeEvento::Trata(std::current_exception());
        }
    });
}

bool TCustomGrid::focusNextPrevChild(bool next)
{
    if (FOpcoes & goTabs)
        return false;   // Tab moves between the cells: KeyDown takes it
    SelectNextControl(next);
    return true;
}

void TCustomGrid::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TCustomGrid::DoExit()
{
    if (OnExit)
        OnExit(this);
    if (!(FOpcoes & goAlwaysShowEditor))
        HideEditor();
}

// ---- in-place editing ----

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(*this);
}

bool TCustomGrid::CanEditAcceptKey(QChar)
{
    return true;
}

bool TCustomGrid::CanGridAcceptKey(int, Qt::KeyboardModifiers)
{
    return true;
}

bool TCustomGrid::CanEditModify()
{
    return true;
}

bool TCustomGrid::CanEditShow()
{
    return (FOpcoes & (goRowSelect | goEditing)) == goEditing && FEditorMode && FJanelaCriada
        && ((FOpcoes & goAlwaysShowEditor) || IsActiveControl());
}

QString TCustomGrid::GetEditText(int, int)
{
    return {};
}

void TCustomGrid::SetEditText(int, int, const QString&) {}

int TCustomGrid::GetEditLimit()
{
    return 0;
}

void TCustomGrid::EditorTextChanged()
{
    if (!FCarregandoEditor)
        UpdateText();
}

void TCustomGrid::SetEditorMode(bool valor)
{
    if (!valor) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FEditor)
        FEditor->Deselect();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::DiscardEditor()
{
    // Loaded from no cell, the editor has no cell to write to as it hides.
    FColunaEditor = -1;
    FLinhaEditor = -1;
    HideEditor();
}

void TCustomGrid::InvalidateEditor()
{
    FColunaEditor = -1;
    FLinhaEditor = -1;
    UpdateEdit();
}

TRect TCustomGrid::AreaDoEditor(const TRect& celula) const
{
    if (celula.Width() <= 0 || celula.Height() <= 0)
        return {};
    const QRect visivel = QRect(0, 0, ClientWidth(), GridHeight()) & celula.ToQRect();
    if (visivel.isEmpty())
        return {};
    return TRect::From(visivel.translated(viewport()->geometry().topLeft()));
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    const auto carrega = [this] {
        FColunaEditor = FColuna;
        FLinhaEditor = FLinha;
        {
            // Emptying the editor on the way is no text for the cell.
            QScopedValueRollback carregando(FCarregandoEditor, true);
            FEditor->UpdateContents();
        }
        FEditor->SelectAll();
    };
    if (!FEditor) {
        FEditor = CreateEditor();
        carrega();
    } else if (FColuna != FColunaEditor || FLinha != FLinhaEditor) {
        HideEdit();
        carrega();
    }
    if (CanEditShow())
        FEditor->Move(AreaDoEditor(CellRect(FColuna, FLinha)));
}

void TCustomGrid::HideEdit()
{
    if (!FEditor)
        return;
    struct Esconde {
        TCustomGrid& grade;
        ~Esconde()
        {
            grade.FColunaEditor = -1;
            grade.FLinhaEditor = -1;
            grade.FEditor->Hide();
        }
    } esconde{*this};
    UpdateText();
}

void TCustomGrid::UpdateText()
{
    if (FEditor && FColunaEditor != -1 && FLinhaEditor != -1)
        SetEditText(FColunaEditor, FLinhaEditor, FEditor->text());
}

void TCustomGrid::FreeEditor()
{
    FEditorMode = false;
    FColunaEditor = -1;
    FLinhaEditor = -1;
    delete std::exchange(FEditor, nullptr);
}

void TCustomGrid::ShowEditorChar(QChar c)
{
    ShowEditor();
    if (FEditor && FEditor->Visible())
        FEditor->PostChar(c);
}
