#pragma once
#include <QElapsedTimer>
#include <functional>

// Pumps the pending events of the application, at most once per interval, so that a loop may
// call it on every pass without slowing down.
class TBombaDeEventos {
public:
    using Relogio = std::function<qint64()>;   // milliseconds, only ever increasing
    using Bomba = std::function<void()>;

    static constexpr qint64 IntervaloPadrao = 50;

    // By default the clock is monotonic and the pump is QCoreApplication::processEvents.
    explicit TBombaDeEventos(qint64 intervalo = IntervaloPadrao, Relogio relogio = {}, Bomba bomba = {});
    TBombaDeEventos(const TBombaDeEventos&) = delete;   // the default clock refers to this object
    TBombaDeEventos& operator=(const TBombaDeEventos&) = delete;

    // True when the events were pumped by this call.
    bool Bombeia();

private:
    qint64 FIntervalo;
    Relogio FRelogio;
    Bomba FBomba;
    QElapsedTimer FCronometro;
    bool FJaBombeou = false;
    qint64 FUltima = 0;
};
