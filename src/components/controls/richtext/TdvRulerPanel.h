#pragma once
#include <QFrame>

#include "components/controls/richtext/dvRichMeasure.h"

class TdvCustomRichEdit;
class TdvTrackIcon;

// The ruler of the rich-text editor window: a white strip numbered in the edit's unit with
// three markers, the first line's indent above, the following lines' indent and the right
// indent below. Moving a marker sets the current paragraph's indents.
class TdvRulerPanel final : public QFrame {
    Q_OBJECT
public:
    TdvRulerPanel(TdvCustomRichEdit& editor, QWidget* parent);

    static constexpr int Margem = 6;   // pixels left free at each side
    static constexpr int DistanciaMinima = 48;

    // Screen pixels per unit.
    [[nodiscard]] static double PixelsPorUnidade(double dpi, TdvMeasurementUnits unidade);
    // A distance in pixels as twips, snapped down to 1/8 inch or 1/4 centimetre.
    [[nodiscard]] static int PixelsParaTwips(int pixels, double dpi, TdvMeasurementUnits unidade);
    [[nodiscard]] static int TwipsParaPixels(int twips, double dpi);

    // The width numbered, in units: the printable width with printer-sized lines, else the
    // editing area's.
    [[nodiscard]] double LarguraEmUnidades() const;
    // The markers go to the current paragraph's indents.
    void Acompanha();

    TdvTrackIcon* FirstIndent;
    TdvTrackIcon* LeftIndent;
    TdvTrackIcon* RightIndent;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void AoSoltar();
    void Limites();
    [[nodiscard]] int LarguraPixels() const;
    static void Coloca(TdvTrackIcon* marcador, int x);
    [[nodiscard]] static int Centro(const TdvTrackIcon* marcador);

    TdvCustomRichEdit& FEditor;
};
