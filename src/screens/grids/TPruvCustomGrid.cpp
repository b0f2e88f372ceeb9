#include "screens/grids/TPruvCustomGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <utility>

#include "model/values/TDragMonetario.h"
#include "model/values/TErro.h"
#include "platform/widgets/painting/SystemColors.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "screens/fields/TArrasteMonetario.h"
#include "screens/fields/TSaidaDeCampo.h"

namespace {

const TDragMonetario* ComoMonetario(const QMimeData* dados)
{
    return qobject_cast<const TDragMonetario*>(dados);
}

// An amount dragged in the program, or a text dragged from another one (read when dropped).
bool TomaArraste(const QMimeData* dados)
{
    return ComoMonetario(dados) || dados->hasText();
}

bool EhTab(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

bool EhEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// One step of the walk round the editable area.
void Passo(const TGridRect& a, int direcao, int& coluna, int& linha)
{
    switch (direcao) {
    case TPruvCustomGrid::dirProxima:
        if (++coluna > a.Right) {
            coluna = a.Left;
            if (++linha > a.Bottom)
                linha = a.Top;
        }
        break;
    case TPruvCustomGrid::dirAnterior:
        if (--coluna < a.Left) {
            coluna = a.Right;
            if (--linha < a.Top)
                linha = a.Bottom;
        }
        break;
    case TPruvCustomGrid::dirAbaixo:
        if (++linha > a.Bottom) {
            linha = a.Top;
            if (++coluna > a.Right)
                coluna = a.Left;
        }
        break;
    case TPruvCustomGrid::dirAcima:
        if (--linha < a.Top) {
            linha = a.Bottom;
            if (--coluna < a.Left)
                coluna = a.Right;
        }
        break;
    default:
        break;
    }
}

}   // namespace

// ---- editors ----

TPruvCustomInplaceEdit::TPruvCustomInplaceEdit(TPruvCustomGrid& grid)
    : TInplaceEdit(grid)
    , FPruvGrid(grid)
{
    if (grid.Monetario())
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TPruvCustomInplaceEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    FPruvGrid.UsaEntrada(key);
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        shift |= Qt::ShiftModifier;
    }
    if (key == Qt::Key_Escape) {
        // The typing is dropped: the cell's stored text comes back, all selected, so that what
        // is typed next replaces it instead of running on from the dropped digits.
        UpdateContents();
        SetModified(false);
        selectAll();
        key = 0;
        return;
    }
    if (EhEnter(key) || key == Qt::Key_Tab)
        GridKeyDown(key, shift);
    TInplaceEdit::KeyDown(key, shift);
}

void TPruvCustomInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    if (EhTab(e->key()) && FPruvGrid.SaiComTab(e->key(), e->modifiers())) {
        e->accept();
        return;
    }
    TInplaceEdit::keyPressEvent(e);
}

TPruvInplaceEditMonetario::TPruvInplaceEditMonetario(TPruvCustomGrid& grid)
    : TPruvCustomInplaceEdit(grid)
{
    setAcceptDrops(true);
}

void TPruvInplaceEditMonetario::KeyPress(QChar& key)
{
    const TMonetario::TDigitacao d = TMonetario::Digitacao(text(), SelStart(), SelLength(), key);
    key = d.Caractere;
    TPruvCustomInplaceEdit::KeyPress(key);
    // The cell is full: on to the next one once the digit is in.
    if (d.SegundaDecimal && !key.isNull())
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

void TPruvInplaceEditMonetario::WMPaste()
{
    ColaQuantia(QGuiApplication::clipboard()->text());
}

void TPruvInplaceEditMonetario::PasteSelection(const QString& texto)
{
    ColaQuantia(texto);
}

void TPruvInplaceEditMonetario::ColaQuantia(const QString& texto)
{
    if (!GridCanEditModify() || texto.trimmed().isEmpty())
        return;
    // The cell holds one amount: the one pasted replaces it, whole.
    if (const std::optional<QString> valor = FPruvGrid.QuantiaColada(texto))
        SubstituiTexto(*valor);
}

void TPruvInplaceEditMonetario::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !e->modifiers().testFlag(Qt::ShiftModifier)) {
        TPruvCustomInplaceEdit::mousePressEvent(e);
        return;
    }
    e->accept();
    try {
        FPruvGrid.Arrasta(std::make_unique<TDragMonetario>(text()));
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
    }
}

void TPruvInplaceEditMonetario::dragEnterEvent(QDragEnterEvent* e)
{
    if (TomaArraste(e->mimeData()) && FPruvGrid.CanEditModify())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPruvInplaceEditMonetario::dragMoveEvent(QDragMoveEvent* e)
{
    if (TomaArraste(e->mimeData()) && FPruvGrid.CanEditModify())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPruvInplaceEditMonetario::dropEvent(QDropEvent* e)
{
    if (!TomaArraste(e->mimeData()) || !FPruvGrid.CanEditModify()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    const TDragMonetario* dados = ComoMonetario(e->mimeData());
    if (!dados) {
        ColaQuantia(e->mimeData()->text());
        return;
    }
    SetText(dados->Monetario().GetTexto());
    SetModified(true);
}

// ---- grid ----

TPruvCustomGrid::TPruvCustomGrid(QWidget* parent)
    : TCustomGrid(parent)
{
    SetOptions(goVertLine | goHorzLine | goEditing | goTabs);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

TPruvCustomGrid::~TPruvCustomGrid()
{
    FreeEditor();
}

bool TPruvCustomGrid::CelulaEditavel(int ACol, int ARow)
{
    return ACol >= FixedCols() && ARow >= FixedRows();
}

QString TPruvCustomGrid::GetTexto(int, int)
{
    return {};
}

void TPruvCustomGrid::SetTexto(int, int, const QString&) {}

TGridRect TPruvCustomGrid::AreaEditavel()
{
    return {FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
}

bool TPruvCustomGrid::ValidaLinha(int)
{
    return true;
}

void TPruvCustomGrid::MostraHint(QString& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    const TGridCoord celula = MouseCoord(HintInfo.CursorPos.x(), HintInfo.CursorPos.y());
    if (celula.X < 0 || celula.Y < 0)
        return;
    const TRect r = CellRect(celula.X, celula.Y);
    HintInfo.CursorRect = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
    if (OnHint)
        OnHint(celula.X, celula.Y, HintStr, CanShow);
}

bool TPruvCustomGrid::Valida()
{
    if (EditorMode() && !FechaEditor(false))
        return false;
    ValidaLinhaUmaVez();
    return true;
}

void TPruvCustomGrid::ValidaLinhaUmaVez()
{
    if (Row() == FLinhaValidada)
        return;
    (void)ValidaLinha(Row());
    FLinhaValidada = Row();
}

bool TPruvCustomGrid::LargaItem(bool Guarda)
{
    if (EditorMode()) {
        if (!Guarda)
            DiscardEditor();
        else if (!FechaEditor(false))
            return false;
        else
            ValidaLinhaUmaVez();   // the row typed, checked on its own item
    }
    FEntrada = true;
    return true;
}

bool TPruvCustomGrid::FechaEditor(bool adiaMensagem)
{
    const TInplaceEdit* editor = InplaceEditor();
    const QString digitado = editor ? editor->text() : QString();
    try {
        HideEditor();
        return true;
    } catch (const TErro& e) {
        if (adiaMensagem)
            setFocus(Qt::OtherFocusReason);
        // The cell keeps its editor and what was typed in it, to be corrected.
        ShowEditor();
        if (TInplaceEdit* aberto = InplaceEditor(); aberto && aberto->Visible()) {
            aberto->setText(digitado);
            aberto->SetModified(true);
            aberto->selectAll();
        }
        if (adiaMensagem)
            TSaidaDeCampo::MostraAdiado(e, this);
        else
            e.Exibe();
        return false;
    }
}

void TPruvCustomGrid::SelecionaCelula(int ACol, int ARow)
{
    MoveColRow(ACol, ARow, true, true);
}

namespace {

// The next editable cell from (coluna, linha) in that direction; the start when none. A start
// outside the area reaches it within one pass of the grid's cells.
template <typename Editavel>
TGridCoord Procura(const TGridRect& a, int direcao, int coluna, int linha, int limite, Editavel editavel)
{
    if (a.Right < a.Left || a.Bottom < a.Top)
        return {coluna, linha};
    int c = coluna;
    int l = linha;
    for (int passos = 0; passos < limite; ++passos) {
        Passo(a, direcao, c, l);
        if ((c == coluna && l == linha) || editavel(c, l))
            return {c, l};
    }
    return {coluna, linha};
}

}   // namespace

void TPruvCustomGrid::MoveCelula(int Direcao)
{
    const int limite = ColCount() * RowCount() + 1;
    const TGridCoord destino = Procura(AreaEditavel(), Direcao, Col(), Row(), limite,
                                       [this](int c, int l) { return CelulaEditavel(c, l); });
    if (destino.X == Col() && destino.Y == Row())
        return;
    MoveColRow(destino.X, destino.Y, true, true);
    UpdateEdit();
}

TGridCoord TPruvCustomGrid::PrimeiraEditavel()
{
    const TGridRect a = AreaEditavel();
    if (a.Right < a.Left || a.Bottom < a.Top)
        return {};
    if (CelulaEditavel(a.Left, a.Top))
        return {a.Left, a.Top};
    const TGridCoord c = Procura(a, dirProxima, a.Left, a.Top, ColCount() * RowCount() + 1,
                                 [this](int col, int lin) { return CelulaEditavel(col, lin); });
    if (c.X == a.Left && c.Y == a.Top)
        return {};
    return c;
}

bool TPruvCustomGrid::SaiComTab(int key, Qt::KeyboardModifiers shift)
{
    if (!EhTab(key))
        return false;
    const bool volta = key == Qt::Key_Backtab || shift.testFlag(Qt::ShiftModifier);
    const TGridRect a = AreaEditavel();
    const bool naBorda = volta ? (Row() == a.Top && Col() == a.Left) : (Row() == a.Bottom && Col() == a.Right);
    if (!naBorda)
        return false;
    SelectNextControl(!volta);
    return true;
}

// ---- editing ----

TInplaceEdit* TPruvCustomGrid::CreateEditor()
{
    if (FMonetario)
        return new TPruvInplaceEditMonetario(*this);
    return new TPruvCustomInplaceEdit(*this);
}

bool TPruvCustomGrid::SelectCell(int coluna, int linha)
{
    if (!FechaEditor(false))
        return false;
    if (!CelulaEditavel(coluna, linha))
        return false;
    if (linha == Row())
        return true;
    FLinhaValidada = -1;
    return FSuprimeValidacao || ValidaLinha(Row());
}

TGridCoord TPruvCustomGrid::CelulaDoClique(int x, int y)
{
    const TGridCoord celula = MouseCoord(x, y);
    if (celula.X >= 0 && celula.Y >= 0 && CelulaEditavel(celula.X, celula.Y))
        return celula;
    // The row under the point, even where no column is (the first column's edge is always in).
    const int linha = MouseCoord(0, y).Y;
    const TGridRect area = AreaEditavel();
    if (linha < FixedRows() || linha < area.Top || linha > area.Bottom)
        return {};
    const int coluna = celula.X >= 0 ? celula.X : ColCount();
    TGridCoord maisPerto;
    for (int c = area.Left; c <= area.Right; ++c)
        if (CelulaEditavel(c, linha) && (maisPerto.X < 0 || std::abs(c - coluna) < std::abs(maisPerto.X - coluna)))
            maisPerto = {c, linha};
    return maisPerto;
}

bool TPruvCustomGrid::CanEditModify()
{
    return !FReadOnly && CelulaEditavel(Col(), Row());
}

bool TPruvCustomGrid::CanEditShow()
{
    return !FReadOnly && !FCliqueDeEntrada && TCustomGrid::CanEditShow();
}

void TPruvCustomGrid::SetEditText(int coluna, int linha, const QString& valor)
{
    FLinhaValidada = -1;
    SetTexto(coluna, linha, valor);
}

int TPruvCustomGrid::GetEditLimit()
{
    return FEditLimit;
}

void TPruvCustomGrid::SizeChanged(int colunasAntes, int linhasAntes)
{
    TCustomGrid::SizeChanged(colunasAntes, linhasAntes);
    Atualiza();
}

void TPruvCustomGrid::Resized()
{
    TCustomGrid::Resized();
    Atualiza();
}

void TPruvCustomGrid::CreateWnd()
{
    TCustomGrid::CreateWnd();
    Atualiza();
}

std::optional<QString> TPruvCustomGrid::QuantiaColada(const QString& texto)
{
    try {
        return TMonetario::QuantiaColada(texto);
    } catch (const TErro& e) {
        Avisa(e);
        return std::nullopt;
    }
}

void TPruvCustomGrid::Avisa(const TErro& Erro)
{
    if (FSaindo)
        TSaidaDeCampo::MostraAdiado(Erro);
    else
        Erro.Exibe();
}

void TPruvCustomGrid::DoEnter()
{
    FEntrada = true;
    TCustomGrid::DoEnter();
}

void TPruvCustomGrid::DoExit()
{
    FEntrada = false;
    // The focus is on its way out: messages wait until it has arrived.
    QScopedValueRollback saindo(FSaindo, true);
    // A value the model refuses keeps the user on the cell.
    if (EditorMode() && !FechaEditor(true))
        return;
    TCustomGrid::DoExit();
    // Leaving the grid is never refused; the row's messages are shown all the same, once.
    ValidaLinhaUmaVez();
    FLinhaValidada = -1;
    const TGridCoord primeira = PrimeiraEditavel();
    if (primeira.X < 0)
        return;
    QScopedValueRollback suprime(FSuprimeValidacao, true);
    MoveColRow(primeira.X, primeira.Y, true, true);
}

// ---- keys ----

void TPruvCustomGrid::keyPressEvent(QKeyEvent* e)
{
    if (EhTab(e->key()) && SaiComTab(e->key(), e->modifiers())) {
        e->accept();
        return;
    }
    TCustomGrid::keyPressEvent(e);
}

void TPruvCustomGrid::UsaEntrada(int key)
{
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
        FEntrada = false;
}

void TPruvCustomGrid::CopiaCelula()
{
    const QString texto = CanEditModify() ? GetEditText(Col(), Row()) : GetTexto(Col(), Row());
    QGuiApplication::clipboard()->setText(texto);
}

void TPruvCustomGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    UsaEntrada(key);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    if (ctrl && key == Qt::Key_V) {
        if (CanEditModify()) {
            ShowEditor();
            key = 0;
            if (auto* editor = qobject_cast<TPruvCustomInplaceEdit*>(InplaceEditor()))
                QMetaObject::invokeMethod(
                    editor, [editor] { editor->Cola(); }, Qt::QueuedConnection);
        }
    } else if (ctrl && key == Qt::Key_C) {
        key = 0;
        CopiaCelula();
    }
    const TGridRect a = AreaEditavel();
    if (EhEnter(key) && Row() == a.Bottom && Col() == a.Right && OnPressEnter) {
        MoveCelula(dirProxima);
        key = 0;
        OnPressEnter(this);
    }
    const bool comShift = shift.testFlag(Qt::ShiftModifier);
    int direcao = 0;
    if (key == Qt::Key_Right || EhEnter(key) || (key == Qt::Key_Tab && !comShift))
        direcao = dirProxima;
    else if (key == Qt::Key_Left || key == Qt::Key_Backtab || (key == Qt::Key_Tab && comShift))
        direcao = dirAnterior;
    else if (key == Qt::Key_Down)
        direcao = dirAbaixo;
    else if (key == Qt::Key_Up)
        direcao = dirAcima;
    if (direcao) {
        MoveCelula(direcao);
        key = 0;
    }
    TCustomGrid::KeyDown(key, shift);
}

void TPruvCustomGrid::KeyPress(QChar& key)
{
    if (key.unicode() == 13)
        key = QChar();
    TCustomGrid::KeyPress(key);
}

// ---- mouse, drag and drop ----

void TPruvCustomGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool doubleClick, int x, int y)
{
    // The first click after the grid was entered, by whatever road (this very click, a tab, a
    // key, a locate, an undo), only makes its cell current, as it does on any other cell: a
    // click on the current cell would open its editor at once, the next one putting the caret
    // inside the amount. (The window gives the focus before it hands on the press.)
    const bool entrada = std::exchange(FEntrada, false) || !IsActiveControl();
    {
        QScopedValueRollback cliqueDeEntrada(FCliqueDeEntrada, entrada);
        TCustomGrid::MouseDown(button, shift, doubleClick, x, y);
    }
    if (entrada && EditorMode() && !(InplaceEditor() && InplaceEditor()->Visible()))
        DiscardEditor();
    FArraste.Pressiona({x, y}, button == Qt::LeftButton && !doubleClick && FMonetario && !FReadOnly);
}

void TPruvCustomGrid::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    TCustomGrid::MouseMove(shift, x, y);
    // The press whose release went to the message of a cell that refused its text drags nothing.
    if (!FArraste.Partiu({x, y}, CurrentButtons()))
        return;
    const TGridCoord celula = MouseCoord(FArraste.Inicio().x(), FArraste.Inicio().y());
    // Fixed cells carry no amount.
    if (celula.X < FixedCols() || celula.Y < FixedRows())
        return;
    Arrasta(std::make_unique<TDragMonetario>(GetTexto(celula.X, celula.Y)));
}

void TPruvCustomGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    FArraste.Solta();
    TCustomGrid::MouseUp(button, shift, x, y);
}

void TPruvCustomGrid::Arrasta(std::unique_ptr<TDragMonetario> dados)
{
    TArrasteMonetario::Inicia(std::move(dados), this, TArrasteMonetario::Pressionado);
}

bool TPruvCustomGrid::AceitaSoltar(const QPoint& ponto, const QMimeData* dados, TGridCoord& celula)
{
    if (FReadOnly || !FMonetario || !TomaArraste(dados))
        return false;
    celula = MouseCoord(ponto.x(), ponto.y());
    return celula.X >= 0 && celula.Y >= 0 && CelulaEditavel(celula.X, celula.Y);
}

void TPruvCustomGrid::dragEnterEvent(QDragEnterEvent* e)
{
    // The cell is asked at each move; a grid that refuses on entering hears no more moves.
    if (!FReadOnly && FMonetario && TomaArraste(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPruvCustomGrid::dragMoveEvent(QDragMoveEvent* e)
{
    TGridCoord celula;
    if (AceitaSoltar(e->position().toPoint(), e->mimeData(), celula))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPruvCustomGrid::dropEvent(QDropEvent* e)
{
    TGridCoord celula;
    if (!AceitaSoltar(e->position().toPoint(), e->mimeData(), celula)) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    const TDragMonetario* dados = ComoMonetario(e->mimeData());
    const std::optional<QString> valor = dados ? dados->Monetario().GetTexto() : QuantiaColada(e->mimeData()->text());
    if (!valor)
        return;
    SetEditText(celula.X, celula.Y, *valor);
    InvalidateCell(celula.X, celula.Y);
    (void)ValidaLinha(celula.Y);
}

// ---- painting ----

void TPruvCustomGrid::DrawCell(int coluna, int linha, const TRect& r, TGridDrawState estado)
{
    DesenhaCelula(coluna, linha, estado, r);
    Canvas()->Font = {font(), palette().color(QPalette::Text)};
}

void TPruvCustomGrid::DesenhaCelula(int ACol, int ARow, TGridDrawState State, const TRect& Rect)
{
    if (State & gdFocused)
        DesenhaCelulaSelecionada(Rect, GetTexto(ACol, ARow), alEsquerda);
    else if (ARow < FixedRows())
        DesenhaCelulaTitulo(Rect, GetTexto(ACol, ARow), alCentro);
    else if (ACol < FixedCols())
        DesenhaCelulaFixa(Rect, GetTexto(ACol, ARow), alCentro);
    else
        DesenhaCelulaNormal(Rect, GetTexto(ACol, ARow), alEsquerda);
}

void TPruvCustomGrid::EscreveTexto(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    TCanvas& canvas = *Canvas();
    QPainter& p = canvas.Painter();
    canvas.FillRect(Rect);
    p.save();
    p.setClipRect(Rect.ToQRect(), Qt::IntersectClip);
    canvas.ApplyFont();
    const int altura = canvas.TextHeight(Texto);
    const int largura = canvas.TextWidth(Texto);
    const int y = Rect.Top + Rect.Height() / 2 - altura / 2;
    int x = Rect.Left + 3;
    if (Alinhamento == alDireita)
        x = Rect.Right - largura - 3;
    else if (Alinhamento == alCentro)
        x = Rect.Left + Rect.Width() / 2 - largura / 2;
    p.drawText(QPoint(x, y + QFontMetrics(canvas.Font.Font).ascent()), Texto);
    p.restore();
}

void TPruvCustomGrid::DesenhaBorda3D(const TRect& Rect, const QColor& Primeira, const QColor& Segunda)
{
    QPainter& p = Canvas()->Painter();
    const int direita = Rect.Right - 1;
    const int baixo = Rect.Bottom - 1;
    p.save();
    p.setPen(Primeira);
    p.drawLine(Rect.Left, baixo, Rect.Left, Rect.Top);
    p.drawLine(Rect.Left, Rect.Top, direita, Rect.Top);
    p.setPen(Segunda);
    p.drawLine(Rect.Left + 1, baixo, direita, baixo);
    p.drawLine(direita, baixo, direita, Rect.Top);
    p.restore();
}

void TPruvCustomGrid::DesenhaCelulaTitulo(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    TCanvas& canvas = *Canvas();
    canvas.Brush.Color = QColor(Qt::blue);
    canvas.Font.Font = font();
    canvas.Font.Font.setBold(true);
    canvas.Font.Font.setPointSize(9);
    canvas.Font.Color = QColor(Qt::white);
    EscreveTexto(Rect, Texto, Alinhamento);
    DesenhaBorda3D(Rect, palette().color(QPalette::Light), palette().color(QPalette::Dark));
}

void TPruvCustomGrid::DesenhaCelulaFixa(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    TCanvas& canvas = *Canvas();
    canvas.Brush.Color = SystemColors::BtnFace();
    canvas.Font.Color = SystemColors::WindowText();
    EscreveTexto(Rect, Texto, Alinhamento);
    DesenhaBorda3D(Rect, palette().color(QPalette::Light), palette().color(QPalette::Dark));
}

void TPruvCustomGrid::DesenhaCelulaNormal(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    Canvas()->Brush.Color = SystemColors::Window();
    EscreveTexto(Rect, Texto, Alinhamento);
}

void TPruvCustomGrid::DesenhaCelulaSelecionada(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    TCanvas& canvas = *Canvas();
    canvas.Brush.Color = SystemColors::Highlight();
    canvas.Font.Color = SystemColors::HighlightText();
    EscreveTexto(Rect, Texto, Alinhamento);
}

void TPruvCustomGrid::DesenhaCelulaTotal(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    TCanvas& canvas = *Canvas();
    canvas.Brush.Color = SystemColors::BtnFace();
    canvas.Font.Color = SystemColors::WindowText();
    canvas.Font.Font.setBold(true);
    EscreveTexto(Rect, Texto, Alinhamento);
}

void TPruvCustomGrid::DesenhaCelulaTotalRebaixada(const TRect& Rect, const QString& Texto, int Alinhamento)
{
    DesenhaCelulaTotal(Rect, Texto, Alinhamento);
    const TRect dentro{Rect.Left + 1, Rect.Top + 2, Rect.Right - 1, Rect.Bottom - 2};
    DesenhaBorda3D(dentro, palette().color(QPalette::Dark), palette().color(QPalette::Light));
}
