#pragma once
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <memory>

class QFrame;
class QLabel;
class QTimer;

// The path of the moving disk of the splash, one step at a time: down 80 pixels, once round a
// circle of radius 50 in 120 steps, left 70, up 20, then sinking into the display over 260 steps.
class TTrajetoSplash final {
public:
    TTrajetoSplash() = delete;

    static constexpr int Descida = 80;
    static constexpr int PassosCirculo = 120;
    static constexpr int Raio = 50;
    static constexpr int Esquerda = 70;
    static constexpr int Subida = 20;
    static constexpr int PassosAltura = 260;
    static constexpr int TotalPassos = Descida + PassosCirculo + Esquerda + Subida + PassosAltura;

    // How long the whole path takes, in ms: long enough to be seen on any machine.
    static constexpr int Duracao = 1500;

    // The disk's rectangle after passo steps (0..TotalPassos) from inicio.
    static QRect Geometria(const QRect& inicio, int passo);
    // The moment (ms from the start) at which step passo is shown: the path keeps its pace
    // whatever the machine's speed.
    static int Instante(int passo) { return passo * Duracao / TotalPassos; }
};

// The display animation after the disk has gone in: two pictures in turn, one per tick; the
// counter rises by 5 after each cycle of both and the animation ends once it passes 90.
class TVisorSplash final {
public:
    static constexpr int Passo = 5;
    static constexpr int Limite = 90;

    void Tique();
    [[nodiscard]] int Quadro() const { return FQuadro; }   // 0 or 1
    [[nodiscard]] int Contador() const { return FContador; }
    [[nodiscard]] bool Terminou() const { return FContador > Limite; }

private:
    int FQuadro = 0;
    int FContador = 0;
};

// The splash shown while the program starts. A click, a key or a close request ends it at once.
class TFoSplash final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Largura = 529;
    static constexpr int Altura = 379;

    // The splash, or none when the environment switch PRUV2003_NO_SPLASH is "1" (tests).
    static std::unique_ptr<TFoSplash> Cria();
    [[nodiscard]] static bool Desligado();

    // Centred horizontally on the main window, 40 pixels below the top of its client area.
    static QPoint Posicao(const QRect& molduraPrincipal, int alturaClientePrincipal, int largura);

    TFoSplash();
    ~TFoSplash() override;

    // The main window it is placed on when shown; none while it does not exist yet. Closing
    // that window ends the splash too.
    void SetPrincipal(QWidget* principal);
    [[nodiscard]] bool Terminado() const { return FFim; }

    friend void AnimaSplash(TFoSplash& splash);

protected:
    void showEvent(QShowEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Reinicia();
    void Interrompe();
    void TiqueVisor();
    void PintaLeds(const QColor& cor);

    QFrame* Panel1;
    QLabel* LbAguarde;
    QLabel* LbPruv;
    QLabel* ImgAno;   // the picture of the program's year beside its name
    QLabel* LbAno;
    QLabel* ImgDsk1;
    QFrame* Panel10;
    QLabel* PaintBox1;
    QFrame* PanelLed;
    QFrame* PanelLedMonitor;
    QTimer* Timer1;
    std::array<QPixmap, 2> FQuadros;
    TVisorSplash FVisor;
    QRect FInicioDisco;
    QPointer<QWidget> FPrincipal;
    bool FFim = false;
};

// Runs the splash animation until it ends or is skipped, pumping events meanwhile.
void AnimaSplash(TFoSplash& splash);
