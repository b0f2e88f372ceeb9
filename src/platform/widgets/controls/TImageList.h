#pragma once
#include <QObject>
#include <QPixmap>
#include <vector>

class QPainter;

// Images of one size, drawn by index (title images, image cells of a grid).
class TImageList : public QObject {
    Q_OBJECT
public:
    TImageList(int largura, int altura, QObject* parent = nullptr);

    [[nodiscard]] int Width() const { return FLargura; }
    [[nodiscard]] int Height() const { return FAltura; }
    [[nodiscard]] int Count() const { return static_cast<int>(FImagens.size()); }
    // Scaled to the list's size when it differs.
    void Add(const QPixmap& imagem);
    [[nodiscard]] const QPixmap& Image(int indice) const;
    // Nothing for an index out of range.
    void Draw(QPainter& p, int x, int y, int indice) const;

private:
    int FLargura;
    int FAltura;
    std::vector<QPixmap> FImagens;
};
