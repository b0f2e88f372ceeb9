#include "platform/widgets/controls/TPopupMenu.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "platform/widgets/windows/TExcecaoDeEvento.h"

namespace {

constexpr int Borda = 2;          // frame and the gap inside it
constexpr int MargemMarca = 18;   // room for the check mark before the caption
constexpr int MargemDireita = 14;
constexpr int AlturaSeparador = 7;
constexpr int EspacoColuna = 5;   // between columns, the line in the middle

bool Separador(const TMenuItem& item)
{
    return item.Caption == QLatin1String("-");
}

}   // namespace

TPopupMenu::TPopupMenu(QWidget* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TPopupMenu::SetItems(std::vector<TMenuItem> itens)
{
    FItems = std::move(itens);
    FHighlighted = -1;
    Arrange();
    update();
}

void TPopupMenu::Arrange()
{
    const QFontMetrics fm(font());
    const int alturaItem = fm.height() + 4;
    FRects.assign(FItems.size(), QRect());
    FColumnLines.clear();
    int x = Borda;
    int y = Borda;
    int larguraColuna = 0;
    int alturaTotal = 0;
    std::size_t inicioColuna = 0;
    auto fechaColuna = [&](std::size_t fim) {
        for (std::size_t k = inicioColuna; k < fim; ++k)
            FRects[k].setWidth(larguraColuna);
        x += larguraColuna;
    };
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const TMenuItem& item = FItems[i];
        if (item.BarBreak && i > 0) {
            fechaColuna(i);
            FColumnLines.push_back(x + EspacoColuna / 2);
            x += EspacoColuna;
            alturaTotal = std::max(alturaTotal, y);
            y = Borda;
            larguraColuna = 0;
            inicioColuna = i;
        }
        const int altura = Separador(item) ? AlturaSeparador : alturaItem;
        const int largura = Separador(item) ? 0 : MargemMarca + fm.horizontalAdvance(item.Caption) + MargemDireita;
        larguraColuna = std::max(larguraColuna, largura);
        FRects[i] = QRect(x, y, 0, altura);
        y += altura;
    }
    fechaColuna(FItems.size());
    alturaTotal = std::max(alturaTotal, y);
    resize(x + Borda, alturaTotal + Borda);
}

void TPopupMenu::Popup(const QPoint& global)
{
    Arrange();
    QPoint origem = global;
    if (const QScreen* tela = QGuiApplication::screenAt(global)) {
        const QRect area = tela->availableGeometry();
        origem.setX(std::max(area.left(), std::min(origem.x(), area.right() + 1 - width())));
        origem.setY(std::max(area.top(), std::min(origem.y(), area.bottom() + 1 - height())));
    }
    move(origem);
    FHighlighted = -1;
    show();
    setFocus(Qt::PopupFocusReason);
}

QRect TPopupMenu::ItemRect(int index) const
{
    return index >= 0 && index < static_cast<int>(FRects.size()) ? FRects[static_cast<std::size_t>(index)] : QRect();
}

int TPopupMenu::ItemAt(const QPoint& p) const
{
    for (std::size_t i = 0; i < FRects.size(); ++i)
        if (FRects[i].contains(p))
            return static_cast<int>(i);
    return -1;
}

bool TPopupMenu::Selectable(int index) const
{
    if (index < 0 || index >= static_cast<int>(FItems.size()))
        return false;
    const TMenuItem& item = FItems[static_cast<std::size_t>(index)];
    return item.Enabled && !Separador(item);
}

bool TPopupMenu::Choose(int index)
{
    if (!Selectable(index))
        return false;
    // The handler may rebuild the menu's items: it runs from a copy, once the menu is closed.
    const std::function<void()> acao = FItems[static_cast<std::size_t>(index)].OnClick;
    hide();
    if (acao)
        acao();
    return true;
}

void TPopupMenu::MoveHighlight(int key)
{
    const int n = static_cast<int>(FItems.size());
    if (n == 0)
        return;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int passo = key == Qt::Key_Down ? 1 : -1;
        int i = FHighlighted;
        for (int k = 0; k < n; ++k) {
            i = ((i < 0 && passo < 0 ? 0 : i) + passo + n) % n;
            if (Selectable(i)) {
                FHighlighted = i;
                break;
            }
        }
    } else {
        // Left and Right: the item at the same height in the neighbouring column.
        const QRect atual = ItemRect(std::max(0, FHighlighted));
        const int x = key == Qt::Key_Right ? atual.right() + EspacoColuna + 2 : atual.left() - EspacoColuna - 2;
        const int i = ItemAt(QPoint(x, atual.center().y()));
        if (Selectable(i))
            FHighlighted = i;
    }
    update();
}

void TPopupMenu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    for (const int x : FColumnLines)
        p.drawLine(x, Borda, x, height() - Borda - 1);
    p.setFont(font());
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const TMenuItem& item = FItems[i];
        const QRect r = FRects[i];
        if (Separador(item)) {
            p.setPen(pal.color(QPalette::Dark));
            p.drawLine(r.left() + 2, r.center().y(), r.right() - 2, r.center().y());
            continue;
        }
        const bool destacado = static_cast<int>(i) == FHighlighted;
        if (destacado)
            p.fillRect(r, pal.color(QPalette::Highlight));
        const QColor cor = !item.Enabled ? pal.color(QPalette::Disabled, QPalette::Text)
            : destacado                  ? pal.color(QPalette::HighlightedText)
                                         : pal.color(QPalette::WindowText);
        p.setPen(cor);
        if (item.Checked) {
            const int cy = r.center().y();
            const int cx = r.left() + 6;
            p.drawLine(cx, cy, cx + 2, cy + 2);
            p.drawLine(cx + 2, cy + 2, cx + 7, cy - 3);
        }
        p.drawText(r.adjusted(MargemMarca, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   item.Caption);
    }
}

void TPopupMenu::mousePressEvent(QMouseEvent* e)
{
    if (rect().contains(e->position().toPoint()))
        return;
    setAttribute(Qt::WA_NoMouseReplay);
    hide();
}

void TPopupMenu::mouseMoveEvent(QMouseEvent* e)
{
    const int i = ItemAt(e->position().toPoint());
    const int novo = Selectable(i) ? i : -1;
    if (novo != FHighlighted) {
        FHighlighted = novo;
        update();
    }
}

void TPopupMenu::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Choose(ItemAt(e->position().toPoint()));
}

void TPopupMenu::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        hide();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose(FHighlighted);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        MoveHighlight(e->key());
        break;
    default:
        break;
    }
    e->accept();
}

bool TPopupMenu::event(QEvent* e)
{
    try {
        return QWidget::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
