#pragma once
#include <QWidget>

#include "screens/calculator/TCalculadora.h"
#include "screens/fields/TInicioDeArraste.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TCLEDLabel;

// Opens the calculator, modeless and on top; while it is open a second call does nothing.
// Closing it frees it.
void MostraCalculadora();

// The calculator's window: the buttons and keys go to TCalculadora, which it shows on the LED
// display, the indicators and the tape. The display is a drag source of its amount (after 20
// pixels, or at once with "Transportar", then a click on the field) and takes an amount dropped
// on it from another control.
class TFoCalcula final : public QWidget {
    Q_OBJECT
public:
    // The help of the calculator.
    static constexpr int HelpContext = 13000;
    explicit TFoCalcula(QWidget* parent = nullptr);

    [[nodiscard]] const TCalculadora& Calculadora() const { return FCalculadora; }
    // The window open now, or null.
    [[nodiscard]] static TFoCalcula* Aberta();
    // Where a calculator whose frame has that size opens: centred on the owner's frame, moved
    // into the screen's area where it would leave it (its top left kept in sight first).
    [[nodiscard]] static QPoint Posicao(const QRect& dono, const QSize& moldura, const QRect& tela);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    template <typename F> void Executa(F&& f);
    void Mostra();
    void Transporta();

    TCalculadora FCalculadora;
    QFrame* PaDisplay = nullptr;
    TCLEDLabel* LlDisplay = nullptr;
    QLabel* LbMemoria = nullptr;
    QLabel* LbSom = nullptr;
    QLabel* LbSub = nullptr;
    QLabel* LbMult = nullptr;
    QLabel* LbDiv = nullptr;
    QPlainTextEdit* MeFita = nullptr;
    QRadioButton* RbFixa2 = nullptr;
    QRadioButton* RbFixa4 = nullptr;
    QRadioButton* RbLivre = nullptr;
    std::size_t FLinhasNaFita = 0;
    TInicioDeArraste FArraste;   // from the display
};
