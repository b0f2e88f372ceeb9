#pragma once
#include <QString>
#include <ostream>

// Lets GoogleTest show a QString as its UTF-8 text in failure messages.
inline void PrintTo(const QString& texto, std::ostream* saida)
{
    *saida << '"' << texto.toStdString() << '"';
}
