#pragma once
#include <QChar>
#include <QString>

// The program's own number and date formats. Every parser and formatter reads them from here,
// never from the system locale, so a file written on one machine reads back the same on another.
struct TFormatSettings {
    QChar DateSeparator = QLatin1Char('/');
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    QChar TimeSeparator = QLatin1Char(':');
    // In the component library's format letters (n for minutes, quotes around literal text).
    QString LongDateFormat = QStringLiteral("dddd, d 'de' mmmm 'de' yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
    QChar DecimalSeparator = QLatin1Char(',');
    QChar ThousandSeparator = QLatin1Char('.');

    // The one program-wide instance, fixed at start-up and never changed afterwards.
    static const TFormatSettings& Programa();
};
