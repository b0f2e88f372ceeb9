#pragma once
#include <QPicture>

// A page being recorded. Its resolution is pinned to the report units, so that a font resolves
// to the same size in units on every machine, whatever the screen's resolution.
class TPaginaGravada final : public QPicture {
public:
    TPaginaGravada() = default;

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metrica) const override;
};
