#pragma once
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>

#include "screens/tips/TNewHint.h"

class QHelpEvent;
class QWidget;

// The program's hints: one application-wide filter of tool-tip events that shows each hint in
// the balloon (TNewHint) while HintActive, or in the platform's tool tip otherwise, keeps it up
// longer the longer its text, and asks the program's grids for the hint of the cell under the
// mouse. One per program, made by the main window's routine InstalaPruvHint.
class TZofHint final : public QObject {
    Q_OBJECT
public:
    // Lets the owner choose the direction per control (null when the cursor is over none).
    using TOnSelectHintDirection = std::function<void(QWidget* HintControl, THintDirection& HintDirection)>;

    explicit TZofHint(QObject* parent = nullptr);
    ~TZofHint() override;

    // The main window's settings: window-coloured balloon with a black shadow, radius 14, Arial
    // 8 points, a 1500 ms pause.
    static TZofHint* InstalaPruvHint(QWidget* principal);

    // How long a hint of that many characters stays up: 70 ms a character and 200 ms more, at
    // least 1300 ms.
    [[nodiscard]] static int TempoVisivel(int caracteres);

    THintDirection HintDirection = THintDirection::hdUpRight;
    TOnSelectHintDirection OnSelectHintDirection;

    [[nodiscard]] const QColor& HintColor() const { return FAparencia.Cor; }
    void SetHintColor(const QColor& cor) { FAparencia.Cor = cor; }
    [[nodiscard]] const QColor& HintShadowColor() const { return FAparencia.Sombra; }
    void SetHintShadowColor(const QColor& cor) { FAparencia.Sombra = cor; }
    [[nodiscard]] const QFont& HintFont() const { return FAparencia.Fonte; }
    void SetHintFont(const QFont& fonte) { FAparencia.Fonte = fonte; }
    [[nodiscard]] int HintRadius() const { return FAparencia.Raio; }
    void SetHintRadius(int raio) { FAparencia.Raio = raio; }
    // Stored only (values above 300 become 300): the balloon always breaks its text at 250.
    [[nodiscard]] int HintWidth() const { return FHintWidth; }
    void SetHintWidth(int largura) { FHintWidth = std::min(largura, 300); }
    // How long the mouse rests on a control before its hint shows.
    [[nodiscard]] int HintPauseTime() const { return FHintPauseTime; }
    void SetHintPauseTime(int ms) { FHintPauseTime = ms; }
    [[nodiscard]] bool HintActive() const { return FHintActive; }
    void SetHintActive(bool ativo);
    // How long the mouse rests on the next control once a hint has shown.
    static constexpr int HintShortPause = 250;
    // A label for the designer: any new text it is given reads "Hint".
    [[nodiscard]] const QString& About() const { return FAbout; }
    void SetAbout(const QString& texto);

    // The wait of the hint that waits for the mouse to rest, in ms; -1 when none waits.
    [[nodiscard]] int PausaAguardada() const { return FPausa.isActive() ? FPausa.interval() : -1; }

    // The balloon shown now, if any.
    [[nodiscard]] TNewHint* Balao() const { return FBalao; }
    void Esconde();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The hint of the widget (the cell's, for a grid): its text and the area where it stays.
    bool Dica(QWidget* controle, const QHelpEvent& ajuda, QString& texto, QRect& area) const;
    void Mostra(QWidget* controle, const QString& texto, const QRect& area, QPoint global);
    // The hint waits until the mouse has rested HintPauseTime; the platform asks for it sooner.
    void Aguarda(QWidget* controle, const QString& texto, const QRect& area, QPoint global, int ms);
    // The mouse left the hint's control or area: the next hint follows after the short pause.
    void EscondePorMovimento();
    // Whether a hint is up, or was until the mouse moved off it a moment ago.
    [[nodiscard]] bool EmSequencia() const;

    TAparenciaBalao FAparencia;
    int FHintWidth = 250;
    int FHintPauseTime = 1000;
    bool FHintActive = false;
    QString FAbout;
    QElapsedTimer FEscondidoEm;   // when the mouse last moved off a hint that was up
    QPointer<TNewHint> FBalao;
    QPointer<QWidget> FControle;   // the control whose hint is shown
    QRect FArea;                   // in its coordinates: the hint stays while the mouse is inside
    QTimer FTempo;
    QTimer FPausa;
    struct TDicaAguardada {
        QPointer<QWidget> Controle;
        QString Texto;
        QRect Area;
        QPoint Global;
    } FAguardada;
};
