#pragma once
#include <QDialog>
#include <QPointer>
#include <array>

#include "shell/startup/TFormN.h"

class QLabel;
class QPushButton;
class QTimer;

// The tips window, "Dicas": nine topics, each a caption with a shape as its hot area. The topic
// under the mouse lights up; a click on it opens its balloon (TFormN) below the click. The caption
// of topic 9 blinks every 500 ms. While a balloon shows it has the keyboard and a click on the
// window closes it; otherwise any key closes the window.
class TFoNovidade final : public QDialog {
    Q_OBJECT
public:
    // The help of the tips window.
    static constexpr int HelpContext = 13020;
    static constexpr int NumTopicos = 9;
    static constexpr int IntervaloPisca = 500;

    // The caption and the balloon text of topic n (1..9).
    [[nodiscard]] static QString Legenda(int n);
    [[nodiscard]] static QString TextoBalao(int n);

    explicit TFoNovidade(QWidget* parent = nullptr);
    ~TFoNovidade() override;

    // The topic under that point of the window (its caption or its shape); 0 for none.
    [[nodiscard]] int TopicoEm(const QPoint& ponto) const;
    [[nodiscard]] int TopicoAtual() const { return FTopicoAtual; }
    // The open balloon, or nullptr.
    [[nodiscard]] TFormN* Balao() const { return FBalao; }
    [[nodiscard]] bool BalaoAberto() const { return FBalao && FBalao->isVisible(); }

    // The mouse moved to that point of the window: lights the topic under it.
    void MoveMouse(const QPoint& ponto);
    // A click at that point of the window: an open balloon closes, as the window comes back
    // to the front; on a topic its balloon opens.
    void Clica(const QPoint& ponto);
    // Closes and frees the open balloon.
    void LiberaBalao();
    // A tick of Timer1: the caption of topic 9 turns lime, or back to black.
    void Pisca();

    std::array<QLabel*, NumTopicos> Rotulos{};   // topic n is [n - 1]
    std::array<QLabel*, NumTopicos> Formas{};
    QPushButton* BbFechar;
    QTimer* Timer1;

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;

private:
    void PintaTopico(int n, bool aceso);
    // A key while a balloon shows closes only the balloon, and no shortcut of the window runs.
    bool TeclaDoBalao(QEvent* evento);

    QPointer<TFormN> FBalao;
    int FTopicoAtual = 0;
    bool FPiscaAceso = false;
};

// Shows the tips window modally and frees it.
void MostraNovidades(QWidget* Dono = nullptr);
