#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

// Free space of the volume that holds a folder.
class TEspacoEmDisco final {
public:
    TEspacoEmDisco() = delete;

    // Bytes available to this user on the volume of `pasta` (the nearest existing folder
    // above it when it does not exist yet); -1 when the volume cannot be read.
    static qint64 Livre(const QString& pasta);

    // While one lives, Livre answers from it instead of the volume, so that callers can
    // test their disk-full paths. Simulations nest; the innermost answers.
    class Simulacao final {
    public:
        explicit Simulacao(qint64 bytes);
        explicit Simulacao(std::function<qint64(const QString& pasta)> consulta);
        ~Simulacao();
        Simulacao(const Simulacao&) = delete;
        Simulacao& operator=(const Simulacao&) = delete;

    private:
        std::function<qint64(const QString&)> FAnterior;
    };
};
