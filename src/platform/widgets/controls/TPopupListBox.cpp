#include "platform/widgets/controls/TPopupListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "platform/widgets/windows/TExcecaoDeEvento.h"

namespace {

// Every row as high as the list says, drawn by the list's owner when it asks to.
class DelegadoDaLista final : public QStyledItemDelegate {
public:
    explicit DelegadoDaLista(TPopupListBox* lista)
        : QStyledItemDelegate(lista)
        , FLista(lista)
    {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(FLista->ItemHeight());
        return s;
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selecionada = option.state.testFlag(QStyle::State_Selected);
        if (FLista->OnDrawItem) {
            p->save();
            FLista->OnDrawItem(*p, option.rect, index.row(), selecionada);
            p->restore();
            return;
        }
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, pal.color(selecionada ? QPalette::Highlight : QPalette::Base));
        p->setPen(pal.color(selecionada ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(option.font);
        p->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data().toString());
    }

private:
    TPopupListBox* FLista;
};

}   // namespace

TPopupListBox::TPopupListBox(QWidget* owner)
    : QListWidget(owner)
    , FOwner(owner)
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(new DelegadoDaLista(this));
    setMouseTracking(false);
}

void TPopupListBox::SetItemHeight(int altura)
{
    FItemHeight = std::max(1, altura);
    doItemsLayout();
}

void TPopupListBox::AddItem(const QString& texto)
{
    if (!FSorted) {
        addItem(texto);
        return;
    }
    int i = 0;
    while (i < count() && QString::compare(item(i)->text(), texto, Qt::CaseInsensitive) <= 0)
        ++i;
    insertItem(i, texto);
}

QString TPopupListBox::ItemText(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

int TPopupListBox::ItemIndex() const
{
    const QList<QListWidgetItem*> sel = selectedItems();
    return sel.isEmpty() ? -1 : row(sel.first());
}

bool TPopupListBox::SetItemIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1, QItemSelectionModel::Clear);
        return false;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    return true;
}

int TPopupListBox::FindString(const QString& prefix, int start) const
{
    const int n = count();
    for (int k = 1; k <= n; ++k) {
        const int i = ((start < 0 ? -1 : start) + k) % n;
        if (item(i)->text().startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

void TPopupListBox::ShowAt(const TRect& r)
{
    setGeometry(r.ToQRect());
    show();
}

void TPopupListBox::ListKeyDown(int key)
{
    const int atual = ItemIndex();
    const int porPagina = std::max(1, viewport()->height() / FItemHeight);
    int novo = atual;
    switch (key) {
    case Qt::Key_Up:
        novo = atual < 0 ? 0 : atual - 1;
        break;
    case Qt::Key_Down:
        novo = atual + 1;
        break;
    case Qt::Key_PageUp:
        novo = atual - porPagina + 1;
        break;
    case Qt::Key_PageDown:
        novo = atual + porPagina - 1;
        break;
    case Qt::Key_Home:
        novo = 0;
        break;
    case Qt::Key_End:
        novo = count() - 1;
        break;
    default:
        return;
    }
    if (count() > 0)
        SetItemIndex(std::clamp(novo, 0, count() - 1));
}

void TPopupListBox::ListKeyPress(QChar& key)
{
    if (key.unicode() < 32)
        return;
    const int i = FindString(QString(key), ItemIndex());
    if (i >= 0)
        SetItemIndex(i);
}

void TPopupListBox::keyPressEvent(QKeyEvent* e)
{
    if (OnOwnerKey)
        OnOwnerKey(e);
    e->accept();
}

void TPopupListBox::keyReleaseEvent(QKeyEvent* e)
{
    if (OnOwnerKey)
        OnOwnerKey(e);
    e->accept();
}

bool TPopupListBox::FechaSeFora(QMouseEvent* e)
{
    const QPoint global = e->globalPosition().toPoint();
    if (geometry().contains(global))
        return false;
    // A press on the owner itself (its button) must not reach it again once the list is closed,
    // or it would drop the list down anew.
    if (FOwner && FOwner->rect().contains(FOwner->mapFromGlobal(global)))
        setAttribute(Qt::WA_NoMouseReplay);
    hide();
    return true;
}

void TPopupListBox::mousePressEvent(QMouseEvent* e)
{
    if (!FechaSeFora(e))
        QListWidget::mousePressEvent(e);
}

void TPopupListBox::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    const QPoint naLista = viewport()->mapFromGlobal(e->globalPosition().toPoint());
    if (e->button() == Qt::LeftButton && viewport()->rect().contains(naLista) && OnMouseUp)
        OnMouseUp(e);
}

void TPopupListBox::hideEvent(QHideEvent* e)
{
    QListWidget::hideEvent(e);
    if (OnHidden)
        OnHidden();
}

bool TPopupListBox::event(QEvent* e)
{
    // Presses outside the rows reach the pop-up window itself, which the scroll area ignores.
    if (e->type() == QEvent::MouseButtonPress && FechaSeFora(static_cast<QMouseEvent*>(e)))
        return true;
    try {
        return QListWidget::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}
