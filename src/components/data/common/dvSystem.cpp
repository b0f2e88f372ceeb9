#include "components/data/common/dvSystem.h"

#include <QByteArray>
#include <array>

#include "components/data/common/dvCommon.h"
#include "platform/files/TFormatSettings.h"

namespace {

// The program's short month names; matched without regard to case.
const std::array<const char*, 12> mesesAbreviados = {"jan", "fev", "mar", "abr", "mai", "jun",
                                                     "jul", "ago", "set", "out", "nov", "dez"};

// The program sets no designators of its own, so only the standard ones are read.
const QString designadorAm = QStringLiteral("AM");
const QString designadorPm = QStringLiteral("PM");

constexpr int epocaPadrao = 1950;

TdvNow agoraInstalado = nullptr;

void SkipBlanks(const QString& s, int& p)
{
    while (p < s.size() && s[p] == QLatin1Char(' '))
        ++p;
}

// A number of up to four digits (reading stops once the value reaches 1000) or a month name.
bool ScanNumberOrMonth(const QString& s, int& p, int& valor)
{
    int k = p;
    SkipBlanks(s, k);
    valor = 0;
    const int inicio = k;
    while (k < s.size() && dvIsDigit(s[k]) && valor < 1000) {
        valor = valor * 10 + (s[k].unicode() - '0');
        ++k;
    }
    if (k == inicio) {
        if (k + 3 > s.size())
            return false;
        const QString nome = s.mid(k, 3);
        for (int m = 0; m < 12; ++m) {
            if (nome.compare(QLatin1String(mesesAbreviados[m]), Qt::CaseInsensitive) == 0) {
                valor = m + 1;
                p = k + 3;
                return true;
            }
        }
        return false;
    }
    p = k;
    return true;
}

bool ScanSeparator(const QString& s, int& p, QChar separador)
{
    int k = p;
    SkipBlanks(s, k);
    if (k < s.size() && s[k] == separador) {
        p = k + 1;
        return true;
    }
    return false;
}

bool ScanDesignator(const QString& s, int& p, const QString& designador)
{
    if (s.mid(p, designador.size()).compare(designador, Qt::CaseInsensitive) != 0)
        return false;
    p += int(designador.size());
    return true;
}

bool AtEnd(const QString& s, int p)
{
    SkipBlanks(s, p);
    return p == s.size();
}

int CountChar(const QString& s, int ate, QChar c)
{
    int n = 0;
    for (int k = 0; k < ate && k < s.size(); ++k)
        if (s[k] == c)
            ++n;
    return n;
}

int TimeCursorPart(int pos, const QString& texto)
{
    const QChar sep = TFormatSettings::Programa().TimeSeparator;
    const int antes = CountChar(texto, pos, sep);
    if (antes == 0)
        return dtpHour;
    if (antes == 1)
        return dtpMinute;
    int segundo = -1;
    for (int k = 0, n = 0; k < texto.size(); ++k)
        if (texto[k] == sep && ++n == 2) {
            segundo = k;
            break;
        }
    return pos - (segundo + 1) > 2 ? dtpAmPm : dtpSecond;
}

}   // namespace

TdvNow dvInstallNow(TdvNow now)
{
    TdvNow anterior = agoraInstalado;
    agoraInstalado = now;
    return anterior;
}

QDateTime dvCurrentDateTime()
{
    return agoraInstalado ? agoraInstalado() : QDateTime::currentDateTime();
}

int dvDateOrder(const QString& shortDateFormat)
{
    for (const QChar c : shortDateFormat) {
        const QChar u = c.toUpper();
        if (u == QLatin1Char('D'))
            return doDMY;
        if (u == QLatin1Char('M'))
            return doMDY;
        if (u == QLatin1Char('Y'))
            return doYMD;
    }
    return doMDY;
}

bool dvTryEncodeDate(int year, int month, int day, double& date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool bissexto = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    static const int dias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int diasDoMes = month == 2 && bissexto ? 29 : dias[month - 1];
    if (day > diasDoMes)
        return false;
    int anteriores = 0;
    for (int m = 1; m < month; ++m)
        anteriores += m == 2 && bissexto ? 29 : dias[m - 1];
    const int y = year - 1;
    date = double(365 * y + anteriores + day + y / 4 - y / 100 + y / 400 - 693594);
    return true;
}

bool dvScanDate(const QString& text, int& pos, double& date)
{
    return dvScanDateEpoch(text, pos, epocaPadrao, date);
}

bool dvScanDateEpoch(const QString& text, int& pos, int epochYear, double& date)
{
    const TFormatSettings& formato = TFormatSettings::Programa();
    const QChar sep = formato.DateSeparator;
    const int ordem = dvDateOrder(formato.ShortDateFormat);
    int p = pos;
    int n1 = 0;
    int n2 = 0;
    int n3 = 0;
    if (!ScanNumberOrMonth(text, p, n1) || !ScanSeparator(text, p, sep) || !ScanNumberOrMonth(text, p, n2))
        return false;
    int ano = 0;
    int mes = 0;
    int dia = 0;
    if (ScanSeparator(text, p, sep)) {
        if (!ScanNumberOrMonth(text, p, n3))
            return false;
        switch (ordem) {
        case doDMY:
            dia = n1;
            mes = n2;
            ano = n3;
            break;
        case doYMD:
            ano = n1;
            mes = n2;
            dia = n3;
            break;
        default:
            mes = n1;
            dia = n2;
            ano = n3;
            break;
        }
        if (ano <= 99) {
            ano += epochYear / 100 * 100;
            if (ano < epochYear)
                ano += 100;
        }
    } else {
        ano = dvCurrentDateTime().date().year();
        if (ordem == doDMY) {
            dia = n1;
            mes = n2;
        } else {
            mes = n1;
            dia = n2;
        }
    }
    SkipBlanks(text, p);
    if (!dvTryEncodeDate(ano, mes, dia, date))
        return false;
    pos = p;
    return true;
}

bool dvScanTime(const QString& text, int& pos, double& time)
{
    const QChar sep = TFormatSettings::Programa().TimeSeparator;
    int p = pos;
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    if (!ScanNumberOrMonth(text, p, hora) || !ScanSeparator(text, p, sep) || !ScanNumberOrMonth(text, p, minuto))
        return false;
    if (ScanSeparator(text, p, sep) && !ScanNumberOrMonth(text, p, segundo))
        return false;
    SkipBlanks(text, p);
    int acrescimo = -1;
    if (ScanDesignator(text, p, designadorAm))
        acrescimo = 0;
    else if (ScanDesignator(text, p, designadorPm))
        acrescimo = 12;
    if (acrescimo >= 0) {
        if (hora < 1 || hora > 12)
            return false;
        if (hora == 12)
            hora = 0;
        hora += acrescimo;
    }
    SkipBlanks(text, p);
    if (hora >= 24 || minuto >= 60 || segundo >= 60)
        return false;
    time = double((hora * 60 + minuto) * 60000 + segundo * 1000) / 86400000.0;
    pos = p;
    return true;
}

bool dvIsValidDate(const QString& text)
{
    int p = 0;
    double d = 0;
    return dvScanDate(text, p, d) && AtEnd(text, p);
}

bool dvIsValidTime(const QString& text)
{
    int p = 0;
    double t = 0;
    return dvScanTime(text, p, t) && AtEnd(text, p);
}

bool dvIsValidDateTime(const QString& text)
{
    int p = 0;
    double d = 0;
    double t = 0;
    return dvScanDate(text, p, d) && dvScanTime(text, p, t) && AtEnd(text, p);
}

double dvTextToDate(const QString& text)
{
    int p = 0;
    double d = 0;
    return dvScanDate(text, p, d) ? d : 0;
}

double dvTextToTime(const QString& text)
{
    int p = 0;
    double t = 0;
    return dvScanTime(text, p, t) && AtEnd(text, p) ? t : 0;
}

double dvTextToDateTime(const QString& text)
{
    int p = 0;
    double d = 0;
    double t = 0;
    return dvScanDate(text, p, d) && dvScanTime(text, p, t) && AtEnd(text, p) ? d + t : 0;
}

bool dvIsInteger(const QString& text)
{
    if (text.isEmpty())
        return true;
    int k = text[0] == QLatin1Char('-') ? 1 : 0;
    if (k == text.size())
        return false;
    for (; k < text.size(); ++k)
        if (!dvIsDigit(text[k]))
            return false;
    return true;
}

bool dvTextToFloat(const QString& text, double& value)
{
    const QChar decimal = TFormatSettings::Programa().DecimalSeparator;
    int p = 0;
    SkipBlanks(text, p);
    QByteArray numero;
    if (p < text.size() && (text[p] == QLatin1Char('+') || text[p] == QLatin1Char('-')))
        numero += char(text[p++].unicode());
    int digitos = 0;
    while (p < text.size() && dvIsDigit(text[p])) {
        numero += char(text[p++].unicode());
        ++digitos;
    }
    if (p < text.size() && text[p] == decimal) {
        numero += '.';
        ++p;
        while (p < text.size() && dvIsDigit(text[p])) {
            numero += char(text[p++].unicode());
            ++digitos;
        }
    }
    if (digitos == 0)
        return false;
    if (p < text.size() && (text[p] == QLatin1Char('e') || text[p] == QLatin1Char('E'))) {
        numero += 'e';
        ++p;
        if (p < text.size() && (text[p] == QLatin1Char('+') || text[p] == QLatin1Char('-')))
            numero += char(text[p++].unicode());
        int expoente = 0;
        while (p < text.size() && dvIsDigit(text[p])) {
            numero += char(text[p++].unicode());
            ++expoente;
        }
        if (expoente == 0)
            return false;
    }
    if (!AtEnd(text, p))
        return false;
    bool ok = false;
    const double v = numero.toDouble(&ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

bool dvIsFloat(const QString& text)
{
    if (text.isEmpty())
        return true;
    double v = 0;
    return dvTextToFloat(text.left(63), v);
}

int dvGetDateTimeCursorPart(int cursorPos, const QString& text, bool timeOnly)
{
    if (timeOnly)
        return TimeCursorPart(cursorPos, text);
    int fim = 0;
    double d = 0;
    const bool temData = dvScanDate(text, fim, d);
    const bool noBrancoFinal = cursorPos == fim - 1 && cursorPos >= 0 && cursorPos < text.size()
        && text[cursorPos] == QLatin1Char(' ');
    if (temData && (cursorPos >= fim || noBrancoFinal))
        return TimeCursorPart(cursorPos, text);

    const TFormatSettings& formato = TFormatSettings::Programa();
    const int pedaco = qMin(CountChar(text, cursorPos, formato.DateSeparator), 2);
    static const int partes[3][3] = {
        {dtpMonth, dtpDay, dtpYear},   // month-day-year
        {dtpDay, dtpMonth, dtpYear},   // day-month-year
        {dtpYear, dtpMonth, dtpDay},   // year-month-day
    };
    return partes[dvDateOrder(formato.ShortDateFormat)][pedaco];
}

int dvGetTimeCursorPart(int cursorPos, const QString& text)
{
    return TimeCursorPart(cursorPos, text);
}
