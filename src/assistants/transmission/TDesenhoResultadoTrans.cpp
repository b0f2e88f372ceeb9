#include "assistants/transmission/TDesenhoResultadoTrans.h"

#include <QPainter>
#include <utility>

namespace {

bool EhCodigo(const QString& codigo)
{
    return codigo == QLatin1String("10") || codigo == QLatin1String("20") || codigo == QLatin1String("30")
        || codigo == QLatin1String("40");
}

}   // namespace

TDesenhoResultadoTrans::TDesenhoResultadoTrans(Imagens imagens, QObject* parent)
    : QStyledItemDelegate(parent)
    , FImagens(std::move(imagens))
{}

QString TDesenhoResultadoTrans::Codigo(const QString& item)
{
    const QString codigo = item.left(2);
    return EhCodigo(codigo) ? codigo : QString();
}

QString TDesenhoResultadoTrans::Texto(const QString& item)
{
    const qsizetype inicio = Codigo(item).isEmpty() ? 0 : 2;
    return item.mid(inicio, TamanhoMaximoTexto);
}

void TDesenhoResultadoTrans::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const QString item = index.data(Qt::DisplayRole).toString();
    const bool selecionado = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup grupo = (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(grupo, selecionado ? QPalette::Highlight : QPalette::Base));
    const QString codigo = Codigo(item);
    if (!codigo.isEmpty() && FImagens) {
        const QPixmap imagem = FImagens(codigo);
        if (!imagem.isNull())
            painter->drawPixmap(option.rect.topLeft(), imagem);
    }
    QFont fonte = option.font;
    fonte.setPointSize(8);
    painter->setFont(fonte);
    painter->setPen(selecionado ? option.palette.color(grupo, QPalette::HighlightedText) : QColor(Qt::black));
    const QRect areaTexto = option.rect.adjusted(RecuoTexto, 0, 0, 0);
    painter->drawText(areaTexto, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Texto(item));
    painter->restore();
}

QSize TDesenhoResultadoTrans::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize tamanho = QStyledItemDelegate::sizeHint(option, index);
    tamanho.setHeight(AlturaItem);
    return tamanho;
}
