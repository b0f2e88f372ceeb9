#pragma once
#include <QPixmap>
#include <QString>
#include <QStyledItemDelegate>
#include <functional>

// Draws the lines of the transmission results: each line is a 2-character status code followed
// by the delivery file's path, drawn as the code's picture at the line's left and the path 30
// pixels to the right, in 8 points. A line not yet sent holds the bare path: no picture, the
// whole path.
class TDesenhoResultadoTrans final : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int AlturaItem = 19;
    static constexpr int RecuoTexto = 30;
    static constexpr int TamanhoMaximoTexto = 1021;

    // The picture of a status code; a null pixmap for none.
    using Imagens = std::function<QPixmap(const QString& codigo)>;

    explicit TDesenhoResultadoTrans(Imagens imagens, QObject* parent = nullptr);

    // The status code of a line ("10", "20", "30" or "40"); empty for a bare path.
    [[nodiscard]] static QString Codigo(const QString& item);
    // What the line shows after its code, at most TamanhoMaximoTexto characters.
    [[nodiscard]] static QString Texto(const QString& item);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Imagens FImagens;
};
