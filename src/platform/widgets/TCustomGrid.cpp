#include "platform/widgets/TCustomGrid.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "platform/widgets/EInvalidGridOperation.h"
#include "platform/widgets/TEdgePainter.h"
#include "platform/widgets/TExcecaoDeEvento.h"

namespace {

const QColor CorLinhaFixa(0, 0, 0);
const QColor CorLinha(192, 192, 192);

// Keeps the canvas pointer set only for the paint in progress.
class CanvasDaPintura {
public:
    CanvasDaPintura(TCanvas*& destino, TCanvas& canvas) : FDestino(destino), FAntes(destino) { destino = &canvas; }
    ~CanvasDaPintura() { FDestino = FAntes; }
    CanvasDaPintura(const CanvasDaPintura&) = delete;
    CanvasDaPintura& operator=(const CanvasDaPintura&) = delete;

private:
    TCanvas*& FDestino;
    TCanvas* FAntes;
};

[[noreturn]] void ForaDosLimites()
{
    throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
}

}  // namespace

TCustomGrid::TCustomGrid(QWidget* parent)
    : QAbstractScrollArea(parent), FCor(palette().color(QPalette::Base)), FCorFixa(palette().color(QPalette::Button))
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
}

TCustomGrid::~TCustomGrid() = default;

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
    if (MudaExtensao(FColunas, coluna, largura))
        ColWidthsChanged();
}

int TCustomGrid::RowHeights(int linha) const
{
    return Extensao(FLinhas, linha, FAlturaPadrao);
}

void TCustomGrid::SetRowHeights(int linha, int altura)
{
    if (MudaExtensao(FLinhas, linha, altura))
        RowHeightsChanged();
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
        MoveColRow(coluna, FLinha, true, true);
}

void TCustomGrid::SetRow(int linha)
{
    if (linha != FLinha)
        MoveColRow(FColuna, linha, true, true);
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
    if (opcoes == FOpcoes)
        return;
    FOpcoes = opcoes;
    AtualizaLarguraLinhas();
    UpdateScrollRange();
    viewport()->update();
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
}

void TCustomGrid::ColumnMoved(int, int)
{
}

void TCustomGrid::SizeChanged(int, int)
{
}

void TCustomGrid::MoveColRow(int coluna, int linha, bool, bool show)
{
    if (coluna < 0 || coluna >= ColCount() || linha < 0 || linha >= RowCount())
        ForaDosLimites();
    if (!SelectCell(coluna, linha))
        return;
    InvalidaSelecao();
    FColuna = coluna;
    FLinha = linha;
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
    if (FColuna == de)
        FColuna = para;
    else if (de < FColuna && para >= FColuna)
        --FColuna;
    else if (de > FColuna && para <= FColuna)
        ++FColuna;
    viewport()->update();
    ColumnMoved(de, para);
}

bool TCustomGrid::IsActiveControl() const
{
    const QWidget* foco = window()->focusWidget();
    return foco && (foco == this || isAncestorOf(foco));
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

// ---- painting ----

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState)
{
}

void TCustomGrid::DesenhaLinhas(const TRect& r, bool fixa)
{
    QPainter& p = FCanvas->Painter();
    const int lv = FColunas.LineWidth;   // the vertical line right of the cell
    const int lh = FLinhas.LineWidth;    // the horizontal line below it
    const QColor fundo = fixa ? FCorFixa : FCor;
    if (lv > 0) {
        const bool desenha = (FOpcoes & (fixa ? goFixedVertLine : goVertLine)) != 0;
        p.fillRect(QRect(r.Right, r.Top, lv, r.Height() + lh), desenha ? (fixa ? CorLinhaFixa : CorLinha) : fundo);
    }
    if (lh > 0) {
        const bool desenha = (FOpcoes & (fixa ? goFixedHorzLine : goHorzLine)) != 0;
        p.fillRect(QRect(r.Left, r.Bottom, r.Width(), lh), desenha ? (fixa ? CorLinhaFixa : CorLinha) : fundo);
    }
}

void TCustomGrid::Paint()
{
    QPainter& p = FCanvas->Painter();
    const int largura = ClientWidth();
    const int altura = GridHeight();
    const QRegion regiao = FRegiaoPintura.isEmpty() ? QRegion(0, 0, largura, ClientHeight()) : FRegiaoPintura;
    const int limiteX = FColunas.GridBoundary(largura);
    const int limiteY = FLinhas.GridBoundary(altura);
    if (limiteX < largura)
        p.fillRect(QRect(limiteX, 0, largura - limiteX, altura), FCor);
    if (limiteY < altura)
        p.fillRect(QRect(0, limiteY, limiteX, altura - limiteY), FCor);

    const TGridRect selecao = Selection();
    const bool focado = IsActiveControl();
    std::vector<int> linhas, colunas;
    for (int i = 0; i < FLinhas.FixedCount; ++i)
        linhas.push_back(i);
    for (int i = FLinhas.First; i <= FLinhas.LastVisible(altura); ++i)
        linhas.push_back(i);
    for (int i = 0; i < FColunas.FixedCount; ++i)
        colunas.push_back(i);
    for (int i = FColunas.First; i <= FColunas.LastVisible(largura); ++i)
        colunas.push_back(i);

    for (const int linha : linhas) {
        for (const int coluna : colunas) {
            const TRect r = CellRect(coluna, linha);
            if (r.Width() <= 0 && r.Height() <= 0)
                continue;
            const QRect comLinhas(r.Left, r.Top, r.Width() + FColunas.LineWidth, r.Height() + FLinhas.LineWidth);
            if (!regiao.intersects(comLinhas))
                continue;
            const bool fixa = coluna < FColunas.FixedCount || linha < FLinhas.FixedCount;
            DesenhaLinhas(r, fixa);
            TGridDrawState estado = 0;
            if (fixa)
                estado |= gdFixed;
            else if (selecao.Contains(coluna, linha))
                estado |= gdSelected;
            if (focado && coluna == FColuna && linha == FLinha)
                estado |= gdFocused;
            p.save();
            p.setClipRect(r.ToQRect() & QRect(0, 0, largura, altura), Qt::IntersectClip);
            FCanvas->Font = {font(), palette().color(QPalette::Text)};
            FCanvas->Brush.Color = fixa ? FCorFixa : FCor;
            FCanvas->FillRect(r);
            DrawCell(coluna, linha, r, estado);
            p.restore();
            if (fixa && FCtl3D) {
                unsigned dentro = 0, fora = 0;
                if (FOpcoes & goFixedVertLine) {
                    dentro |= TEdgePainter::BF_RIGHT;
                    fora |= TEdgePainter::BF_LEFT;
                }
                if (FOpcoes & goFixedHorzLine) {
                    dentro |= TEdgePainter::BF_BOTTOM;
                    fora |= TEdgePainter::BF_TOP;
                }
                TEdgePainter::DrawEdge(p, r, TEdgePainter::BDR_RAISEDINNER, dentro | fora, palette());
            }
        }
    }

    const bool editorSempre = (FOpcoes & goEditing) && (FOpcoes & goAlwaysShowEditor);
    if (focado && !editorSempre && !EditorMode()) {
        TRect foco = CellRect(FColuna, FLinha);
        if (FOpcoes & goRowSelect) {
            const TRect primeira = CellRect(std::max(selecao.Left, FColunas.First), FLinha);
            const TRect ultima = CellRect(std::min(selecao.Right, FColunas.LastVisible(largura)), FLinha);
            foco = {primeira.Left, primeira.Top, ultima.Right, ultima.Bottom};
        }
        if (foco.Width() > 0 && foco.Height() > 0)
            TEdgePainter::DrawFocusRect(p, foco, palette());
    }
}

void TCustomGrid::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    p.setClipRegion(e->region());
    FRegiaoPintura = e->region();
    TCanvas canvas(p);
    CanvasDaPintura emUso(FCanvas, canvas);
    Paint();
}

// ---- events ----

void TCustomGrid::showEvent(QShowEvent* e)
{
    QAbstractScrollArea::showEvent(e);
    if (!FJanelaCriada) {
        FJanelaCriada = true;
        CreateWnd();
        UpdateScrollRange();
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
}

void TCustomGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}

bool TCustomGrid::viewportEvent(QEvent* e)
{
    try {
        if (e->type() == QEvent::Resize) {
            const bool tratado = QAbstractScrollArea::viewportEvent(e);
            UpdateScrollRange();
            Resized();
            return tratado;
        }
        return QAbstractScrollArea::viewportEvent(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}

bool TCustomGrid::event(QEvent* e)
{
    try {
        return QAbstractScrollArea::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
