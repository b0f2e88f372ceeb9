#include "shell/startup/TFormN.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QFontMetrics>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int Margem = 6;   // the frame and the memo's own margin, each side

}   // namespace

TFormN::TFormN(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormN"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_DeleteOnClose, false);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Memo1);
    resize(Largura, AlturaPadrao);
}

void TFormN::DefineTexto(const QString& texto)
{
    Memo1->clear();
    Memo1->setPlainText(texto);
    Memo1->setReadOnly(true);
    // The lines as the memo wraps them at the balloon's width.
    const QFontMetrics medida = Memo1->fontMetrics();
    const int alturaLinha = std::max(1, medida.lineSpacing());
    int linhas = 0;
    for (const QString& paragrafo : texto.split(QLatin1Char('\n'))) {
        const QRect area = medida.boundingRect(QRect(0, 0, Largura - 4 * Margem, 100000), Qt::TextWordWrap,
                                               paragrafo.isEmpty() ? QStringLiteral(" ") : paragrafo);
        linhas += std::max(1, (area.height() + alturaLinha - 1) / alturaLinha);
    }
    resize(Largura, AlturaPara(linhas, alturaLinha));
}

QString TFormN::Texto() const
{
    return Memo1->toPlainText();
}

int TFormN::AlturaPara(int linhas, int alturaFonte)
{
    return std::max(1, linhas + 1) * alturaFonte + 2 * Margem;
}

QPoint TFormN::Posicao(const QPoint& clique, const QSize& tamanho, const QRect& visivel, const QRect& livre)
{
    QPoint p = clique + Deslocamento;
    if (p.x() + tamanho.width() > visivel.right() + 1)
        p.rx() -= tamanho.width();
    if (p.y() + tamanho.height() > visivel.bottom() + 1)
        p.ry() -= tamanho.height();
    // A click on the balloon only closes it: over the button, it would take that click.
    if (!livre.isEmpty() && QRect(p, tamanho).intersects(livre))
        p.ry() = livre.top() - tamanho.height();
    return {std::max(p.x(), std::max(0, visivel.left())), std::max(p.y(), std::max(0, visivel.top()))};
}

bool TFormN::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::KeyPress) {
        close();
        return true;
    }
    return QFrame::eventFilter(objeto, evento);
}

void TFormN::keyPressEvent(QKeyEvent*)
{
    close();
}

void TFormN::mousePressEvent(QMouseEvent*)
{
    close();
}
