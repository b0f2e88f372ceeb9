#pragma once
#include <QString>

// The window system's selection: the text last selected anywhere, which the middle button
// pastes. Where the platform keeps none (the offscreen platform of the tests), a stand-in held
// here takes its place, so that the middle button's road can be driven there too.
class TSelecaoDoSistema final {
public:
    [[nodiscard]] static QString Texto();
    static void SetTexto(const QString& Texto);
};
