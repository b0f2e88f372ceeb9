#pragma once
#include <QObject>

class QWidget;

// Keeps a window from being made smaller than the size it first shows at (or than its layout
// needs, when more): a layout's own minimum does not count the lines of word-wrapped texts, which
// would then be cut. Made as a child of the window, it works once, when the window first shows.
class TMinimoDoProjeto final : public QObject {
    Q_OBJECT
public:
    explicit TMinimoDoProjeto(QWidget& janela);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};
