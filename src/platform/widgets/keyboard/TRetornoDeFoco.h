#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

// When a window closes, the window that opened it comes back to the front with the focus on the
// control that had it. The window manager would otherwise give the focus to whatever it likes,
// or to nothing (then keys are lost until a click). Installed once on the application.
class TRetornoDeFoco final : public QObject {
    Q_OBJECT
public:
    explicit TRetornoDeFoco(QObject* pai = nullptr);
    ~TRetornoDeFoco() override;

    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct TOrigem {
        QPointer<QWidget> Janela;
        QPointer<QWidget> Controle;
    };
    void Abriu(QWidget& janela);
    void Fechou(QWidget& janela);
    static void Devolve(QWidget& janela, QWidget* controle);

    QHash<const QWidget*, TOrigem> FOrigens;
    int FAberturas = 0;   // windows shown so far
};
