#include "TextosPintados.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace {

class TMotorRegistro final : public QPaintEngine {
public:
    explicit TMotorRegistro(std::vector<TTextoPintado>& textos)
        : QPaintEngine(AllFeatures)
        , FTextos(textos)
    {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    [[nodiscard]] Type type() const override { return User; }

    void drawTextItem(const QPointF& ponto, const QTextItem& item) override
    {
        const QFontMetricsF medidas(item.font());
        TTextoPintado texto;
        texto.Texto = item.text();
        texto.Area = QRectF(ponto.x(), ponto.y() - medidas.ascent(), medidas.horizontalAdvance(item.text()),
                            medidas.ascent() + medidas.descent());
        QPainter* pintor = painter();
        if (pintor->hasClipping())
            texto.Recorte = pintor->clipBoundingRect();
        FTextos.push_back(texto);
    }

private:
    std::vector<TTextoPintado>& FTextos;
};

class TDispositivoRegistro final : public QPaintDevice {
public:
    TDispositivoRegistro(const QSize& tamanho, std::vector<TTextoPintado>& textos)
        : FTamanho(tamanho)
        , FMotor(textos)
    {}
    ~TDispositivoRegistro() override = default;
    [[nodiscard]] QPaintEngine* paintEngine() const override { return &FMotor; }

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metrica) const override
    {
        switch (metrica) {
        case PdmWidth:
            return FTamanho.width();
        case PdmHeight:
            return FTamanho.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return 1 * int(devicePixelRatioFScale());
        case PdmWidthMM:
            return FTamanho.width() * 254 / 960;
        case PdmHeightMM:
            return FTamanho.height() * 254 / 960;
        }
        return 0;
    }

private:
    QSize FTamanho;
    mutable TMotorRegistro FMotor;
};

}   // namespace

std::vector<TTextoPintado> TextosPintados::De(QWidget& controle)
{
    std::vector<TTextoPintado> textos;
    TDispositivoRegistro dispositivo(controle.size(), textos);
    controle.render(&dispositivo);
    return textos;
}
