#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

// Pumps events until the condition holds or two seconds have passed; answers the condition.
inline bool Espera(const std::function<bool()>& condicao)
{
    QDeadlineTimer prazo(2000);
    while (!condicao() && !prazo.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condicao();
}
