#include "components/controls/datetime/TdvDateTimeParts.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "components/controls/datetime/dvCalendar.h"
#include "components/data/common/dvSystem.h"
#include "platform/files/TFormatSettings.h"

namespace {

constexpr double DiaMinimo = 1;         // 31/12/1899
constexpr double DiaMaximo = 2958465;   // 31/12/9999
constexpr qint64 MsPorDia = 86400000;

QString Preenche(int valor, int digitos)
{
    return QStringLiteral("%1").arg(valor, digitos, 10, QLatin1Char('0'));
}

double Fracao(const TdvDTFields& f)
{
    const qint64 ms = ((f.Hour * 60LL + f.Minute) * 60 + f.Second) * 1000 + f.MSec;
    return static_cast<double>(ms) / static_cast<double>(MsPorDia);
}

bool Codifica(int ano, int mes, int dia, double& valor)
{
    return dvEncodeDateCut(ano, mes, dia, valor);
}

// The next minute of a step of interval (Up: delta > 0); with arredonda the minute is kept on
// the interval's grid, and a minute off it goes down to the grid first.
int PassoDeMinuto(int minuto, int delta, int intervalo, bool arredonda)
{
    const int i = std::clamp(intervalo, 1, 60);
    int r = 0;
    if (delta > 0)
        r = ((arredonda ? minuto - minuto % i : minuto) + i) % 60;
    else if (arredonda && minuto % i != 0)
        r = minuto - minuto % i;
    else
        r = ((minuto - i) % 60 + 60) % 60;
    if (arredonda)
        r -= r % i;
    return r;
}

// A first digit that no valid second digit can follow completes its part at once.
bool CompletaJa(QChar tipo, int digito, bool dozeHoras)
{
    switch (tipo.unicode()) {
    case u'D':
        return digito >= 4;
    case u'M':
        return digito >= 2;
    case u'N':
    case u'S':
        return digito >= 6;
    case u'H':
        return digito >= (dozeHoras ? 2 : 3);
    default:
        return false;
    }
}

}   // namespace

QString TdvDateTimeParts::ExpandFormat(const QString& format)
{
    const TFormatSettings& f = TFormatSettings::Programa();
    QString s = format;
    s.replace(QStringLiteral("c"), f.ShortDateFormat + QLatin1Char(' ') + f.LongTimeFormat, Qt::CaseInsensitive);
    s.replace(QStringLiteral("dddddd"), f.LongDateFormat, Qt::CaseInsensitive);
    s.replace(QStringLiteral("ddddd"), f.ShortDateFormat, Qt::CaseInsensitive);
    s.replace(QStringLiteral("tt"), f.LongTimeFormat, Qt::CaseInsensitive);
    s.replace(QStringLiteral("t"), f.ShortTimeFormat, Qt::CaseInsensitive);
    return s;
}

std::vector<TdvDTToken> TdvDateTimeParts::Tokens(const QString& s)
{
    std::vector<TdvDTToken> tokens;
    const QChar separador = TFormatSettings::Programa().TimeSeparator;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            for (; j < n && s[j] != c; ++j)
                tokens.push_back({QChar(), QString(s[j])});
            i = j + 1;
            continue;
        }
        const QChar letra = c.toUpper();
        if (letra == u'A') {
            QString designador;
            for (const QString& d : {QStringLiteral("am/pm"), QStringLiteral("a/p"), QStringLiteral("ampm")})
                if (s.mid(i, d.size()).compare(d, Qt::CaseInsensitive) == 0) {
                    designador = s.mid(i, d.size());
                    break;
                }
            if (!designador.isEmpty()) {
                tokens.push_back({QChar(u'A'), designador});
                i += designador.size();
                continue;
            }
        }
        if (QStringLiteral("DMYHNS").contains(letra)) {
            qsizetype j = i;
            while (j < n && s[j].toUpper() == letra)
                ++j;
            TdvDTToken t{letra, s.mid(i, j - i)};
            // "hh:mm" writes minutes with m.
            const std::size_t k = tokens.size();
            if (letra == u'M' && t.Text.size() <= 2 && k >= 2 && tokens[k - 1].Kind.isNull()
                && tokens[k - 1].Text == QString(separador) && tokens[k - 2].Kind == u'H')
                t.Kind = QChar(u'N');
            tokens.push_back(t);
            i = j;
            continue;
        }
        tokens.push_back({QChar(), QString(c)});
        ++i;
    }
    return tokens;
}

int TdvDateTimeParts::EpochYear(int twoDigits, int epoch)
{
    return 100 * (epoch / 100) + twoDigits + (twoDigits < epoch % 100 ? 100 : 0);
}

TdvDTFields TdvDateTimeParts::Decode(double value)
{
    TdvDTFields f;
    const TdvYMD d = dvDecodeDate(value);
    f.Year = d.Year;
    f.Month = d.Month;
    f.Day = d.Day;
    const qint64 ms = std::min<qint64>(std::llround(dvTimePart(value) * static_cast<double>(MsPorDia)), MsPorDia - 1);
    f.Hour = static_cast<int>(ms / 3600000);
    f.Minute = static_cast<int>(ms / 60000 % 60);
    f.Second = static_cast<int>(ms / 1000 % 60);
    f.MSec = static_cast<int>(ms % 1000);
    return f;
}

QString TdvDateTimeParts::Render(const TdvDTToken& token, const TdvDTFields& f, bool twelveHour)
{
    const qsizetype n = token.Text.size();
    switch (token.Kind.unicode()) {
    case u'D': {
        if (n <= 2)
            return n == 1 ? QString::number(f.Day) : Preenche(f.Day, 2);
        const int semana = QDate(f.Year, f.Month, f.Day).dayOfWeek() - 1;
        return n == 3 ? dvShortDayName(semana) : dvLongDayName(semana);
    }
    case u'M':
        if (n <= 2)
            return n == 1 ? QString::number(f.Month) : Preenche(f.Month, 2);
        return n == 3 ? dvShortMonthName(f.Month) : dvLongMonthName(f.Month);
    case u'Y':
        return n <= 2 ? Preenche(f.Year % 100, 2) : Preenche(f.Year, 4);
    case u'H': {
        int h = f.Hour;
        if (twelveHour) {
            h %= 12;
            if (h == 0)
                h = 12;
        }
        return n == 1 ? QString::number(h) : Preenche(h, 2);
    }
    case u'N':
        return n == 1 ? QString::number(f.Minute) : Preenche(f.Minute, 2);
    case u'S':
        return n == 1 ? QString::number(f.Second) : Preenche(f.Second, 2);
    case u'A': {
        const bool pm = f.Hour >= 12;
        const QString t = token.Text.toLower();
        if (t == u"ampm")
            return pm ? QStringLiteral("PM") : QStringLiteral("AM");
        QString r = t == u"a/p" ? QString(pm ? u'p' : u'a') : (pm ? QStringLiteral("pm") : QStringLiteral("am"));
        return token.Text[0].isUpper() ? r.toUpper() : r;
    }
    default:
        return token.Text;
    }
}

void TdvDateTimeParts::SetFormat(const QString& format)
{
    FFormat = format;
    FCFormat = format.trimmed().compare(QStringLiteral("c"), Qt::CaseInsensitive) == 0;
    FTokens = Tokens(ExpandFormat(format));
    FDateTokens = Tokens(ExpandFormat(TFormatSettings::Programa().ShortDateFormat));
    FTwelveHour = std::any_of(FTokens.begin(), FTokens.end(), [](const TdvDTToken& t) { return t.Kind == u'A'; });
    FTyping = false;
    FTyped.clear();
}

void TdvDateTimeParts::SetKind(TdvDTKind kind)
{
    FKind = kind;
    FTyping = false;
    FTyped.clear();
}

void TdvDateTimeParts::SetValue(double valor)
{
    FValue = valor;
    FTyping = false;
    FTyped.clear();
}

double TdvDateTimeParts::EffectiveMin() const
{
    return MinDate != 0 ? dvDatePart(MinDate) : DiaMinimo;
}

double TdvDateTimeParts::EffectiveMax() const
{
    return MaxDate != 0 ? dvDatePart(MaxDate) : DiaMaximo;
}

bool TdvDateTimeParts::Editable(QChar kind) const
{
    const bool data = kind == u'D' || kind == u'M' || kind == u'Y';
    const bool hora = kind == u'H' || kind == u'N' || kind == u'S' || kind == u'A';
    switch (FKind) {
    case TdvDTKind::Date:
        return data;
    case TdvDTKind::Time:
        return hora;
    default:
        return data || hora;
    }
}

TdvDateTimeParts::TRendered TdvDateTimeParts::Rendered() const
{
    TRendered r;
    if (FKind != TdvDTKind::Time && dvDatePart(FValue) == 0)
        return r;
    const TdvDTFields f = Decode(FValue);
    const bool semHora = FCFormat && f.Hour == 0 && f.Minute == 0 && f.Second == 0 && f.MSec == 0;
    for (const TdvDTToken& t : semHora ? FDateTokens : FTokens) {
        QString texto = Render(t, f, FTwelveHour);
        if (!t.Kind.isNull() && Editable(t.Kind)) {
            if (FTyping && static_cast<int>(r.Parts.size()) + 1 == FPart)
                texto = FTyped;
            r.Parts.push_back({static_cast<int>(r.Text.size()), static_cast<int>(texto.size()), t});
        }
        r.Text += texto;
    }
    return r;
}

QString TdvDateTimeParts::Text() const
{
    return Rendered().Text;
}

int TdvDateTimeParts::PartCount() const
{
    return static_cast<int>(Rendered().Parts.size());
}

TdvDTPartSpan TdvDateTimeParts::Span(int part) const
{
    const TRendered r = Rendered();
    if (part < 1 || part > static_cast<int>(r.Parts.size()))
        return {};
    return r.Parts[static_cast<std::size_t>(part - 1)];
}

void TdvDateTimeParts::SetPart(int part)
{
    FPart = std::clamp(part, 1, std::max(1, PartCount()));
}

TdvDTToken TdvDateTimeParts::CurrentToken() const
{
    return Span(FPart).Token;
}

bool TdvDateTimeParts::Follows(QChar kind) const
{
    const std::vector<TdvDTPartSpan> partes = Rendered().Parts;
    for (std::size_t i = static_cast<std::size_t>(FPart); i < partes.size(); ++i)
        if (partes[i].Token.Kind == kind)
            return true;
    return false;
}

double TdvDateTimeParts::ClampDay(double day) const
{
    return std::clamp(dvDatePart(day), EffectiveMin(), EffectiveMax());
}

void TdvDateTimeParts::ApplyDay(double day)
{
    FValue = dvJoinDateTime(ClampDay(day), dvTimePart(FValue));
}

void TdvDateTimeParts::ApplyFields(TdvDTFields f)
{
    const double hora = Fracao(f);
    if (FKind == TdvDTKind::Time) {
        FValue = dvJoinDateTime(dvDatePart(FValue), hora);
        return;
    }
    double dia = 0;
    if (!Codifica(f.Year, f.Month, f.Day, dia) || dia < EffectiveMin() || dia > EffectiveMax())
        return;
    FValue = dvJoinDateTime(dia, hora);
}

void TdvDateTimeParts::FillEmpty()
{
    if (FValue == 0 && FKind != TdvDTKind::Time)
        SetValue(ClampDay(dvToday()));
}

double TdvDateTimeParts::InitialValue(double now, bool digit) const
{
    if (FKind == TdvDTKind::Time)
        return digit ? 0 : dvTimePart(now);
    return ClampDay(now);
}

bool TdvDateTimeParts::Change(void (TdvDateTimeParts::*acao)(int), int sentido)
{
    ApplyTyped();
    FillEmpty();
    const double antes = FValue;
    (this->*acao)(sentido);
    // A "c" format hides a time that became 0, and with it the parts that were current.
    if (FCFormat && FKind == TdvDTKind::DateTime && dvTimePart(FValue) == 0)
        FPart = std::min(FPart, PartCount());
    return FValue != antes;
}

bool TdvDateTimeParts::Step(int delta)
{
    return Change(&TdvDateTimeParts::StepPart, delta);
}

bool TdvDateTimeParts::Home()
{
    return Change(&TdvDateTimeParts::ExtremePart, -1);
}

bool TdvDateTimeParts::End()
{
    return Change(&TdvDateTimeParts::ExtremePart, 1);
}

void TdvDateTimeParts::StepPart(int delta)
{
    const TdvDTToken t = CurrentToken();
    TdvDTFields f = Decode(FValue);
    const double dia = dvDatePart(FValue);
    double novo = 0;
    switch (t.Kind.unicode()) {
    case u'D':
        if (t.IsName()) {
            const int pos = (dvDayOfWeek(dia) - FirstDayOfWeek + 7) % 7;
            const double alvo = dia + (delta > 0 ? (pos == 6 ? -6 : 1) : (pos == 0 ? 6 : -1));
            if (alvo >= EffectiveMin() && alvo <= EffectiveMax())
                ApplyDay(alvo);
        } else {
            const int ultimo = dvDaysInMonth(f.Year, f.Month);
            const int d = delta > 0 ? (f.Day >= ultimo ? 1 : f.Day + 1) : (f.Day <= 1 ? ultimo : f.Day - 1);
            if (Codifica(f.Year, f.Month, d, novo))
                ApplyDay(novo);
        }
        return;
    case u'M':
        if (Codifica(f.Year, delta > 0 ? f.Month % 12 + 1 : (f.Month + 10) % 12 + 1, f.Day, novo))
            ApplyDay(novo);
        return;
    case u'Y':
        if (Codifica(f.Year + delta, f.Month, f.Day, novo))
            ApplyDay(novo);
        return;
    case u'H':
        f.Hour = (f.Hour + delta + 24) % 24;
        break;
    case u'N':
        f.Minute = PassoDeMinuto(f.Minute, delta, MinutesInterval, RoundMinutes);
        break;
    case u'S':
        f.Second = (f.Second + delta + 60) % 60;
        break;
    case u'A':
        f.Hour = (f.Hour + 12) % 24;
        break;
    default:
        return;
    }
    ApplyFields(f);
}

void TdvDateTimeParts::ExtremePart(int lado)
{
    const bool fim = lado > 0;
    const TdvDTToken t = CurrentToken();
    TdvDTFields f = Decode(FValue);
    const double dia = dvDatePart(FValue);
    const double limite = fim ? EffectiveMax() : EffectiveMin();
    const TdvDTFields l = Decode(limite);
    double novo = 0;
    switch (t.Kind.unicode()) {
    case u'D':
        if (t.IsName()) {
            const int pos = (dvDayOfWeek(dia) - FirstDayOfWeek + 7) % 7;
            ApplyDay(dia + (fim ? 6 - pos : -pos));
        } else if (Codifica(f.Year, f.Month, fim ? 31 : 1, novo)) {
            ApplyDay(novo);
        }
        return;
    case u'M':
        // December or January, or the limit's month when that lies beyond it (one month in when
        // the day passes the limit's day).
        if (Codifica(f.Year, fim ? 12 : 1, f.Day, novo) && (fim ? novo > limite : novo < limite)) {
            const bool passa = fim ? f.Day > l.Day : f.Day < l.Day;
            const int mes = l.Month - (passa ? lado : 0);
            if (mes < 1 || mes > 12 || !Codifica(l.Year, mes, f.Day, novo))
                novo = limite;
        }
        ApplyDay(novo);
        return;
    case u'Y': {
        const bool passa = fim ? (f.Month > l.Month || (f.Month == l.Month && f.Day > l.Day))
                               : (f.Month < l.Month || (f.Month == l.Month && f.Day < l.Day));
        if (Codifica(l.Year - (passa ? lado : 0), f.Month, f.Day, novo))
            ApplyDay(novo);
        return;
    }
    case u'H':
        f.Hour = fim ? 23 : 0;
        break;
    case u'N':
        f.Minute = fim ? 59 : 0;
        break;
    case u'S':
        f.Second = fim ? 59 : 0;
        break;
    case u'A':
        if (fim != (f.Hour >= 12))
            f.Hour += fim ? 12 : -12;
        break;
    default:
        return;
    }
    ApplyFields(f);
}

bool TdvDateTimeParts::WithNumber(QChar kind, int numero, int digitos, TdvDTFields& f) const
{
    double dia = 0;
    auto dentro = [&] {
        return Codifica(f.Year, f.Month, f.Day, dia) && dia >= EffectiveMin() && dia <= EffectiveMax();
    };
    switch (kind.unicode()) {
    case u'D': {
        if (numero < 1 || numero > 31)
            return false;
        const int ultimo = dvDaysInMonth(f.Year, f.Month);
        // A day the shown month lacks may still suit the month or year typed after it.
        if (numero > ultimo && !Follows(QChar(u'M')) && !(numero == 29 && f.Month == 2 && Follows(QChar(u'Y'))))
            return false;
        f.Day = std::min(numero, ultimo);
        return dentro();
    }
    case u'M':
        if (numero < 1 || numero > 12)
            return false;
        f.Month = numero;
        f.Day = std::min(f.Day, dvDaysInMonth(f.Year, f.Month));
        return dentro();
    case u'Y': {
        const int ano = digitos <= 2 ? EpochYear(numero, Epoch) : numero;
        f.Year = ano;
        return dvTryEncodeDate(ano, f.Month, f.Day, dia) && dia >= EffectiveMin() && dia <= EffectiveMax();
    }
    case u'H':
        if (FTwelveHour) {
            if (numero > 12)
                return false;
            f.Hour = numero % 12 + (f.Hour >= 12 ? 12 : 0);
        } else {
            if (numero >= 24)
                return false;
            f.Hour = numero;
        }
        return true;
    case u'N':
        f.Minute = numero;
        return numero < 60;
    case u'S':
        f.Second = numero;
        return numero < 60;
    default:
        return false;
    }
}

void TdvDateTimeParts::Completed()
{
    if (AutoAdvance && FPart < PartCount())
        ++FPart;
}

TdvTypeResult TdvDateTimeParts::TypeDigit(int digit)
{
    if (PartCount() == 0)
        return TdvTypeResult::Ignored;
    const TdvDTToken t = CurrentToken();
    if (t.IsName() || t.Kind == u'A')
        return TdvTypeResult::Ignored;
    const QChar tipo = t.Kind;
    TdvDTFields f = Decode(FValue);
    if (tipo == u'Y' && t.Text.size() >= 3) {
        FTyping = true;
        FTyped += QString::number(digit);
        if (FTyped.size() < 4)
            return TdvTypeResult::Accepted;
        const int ano = FTyped.toInt();
        if (ano != 0 && !WithNumber(tipo, ano, 4, f)) {
            FTyped.chop(1);
            return TdvTypeResult::Beep;
        }
        FTyping = false;
        FTyped.clear();
        if (ano != 0)
            ApplyFields(f);
        Completed();
        return TdvTypeResult::Accepted;
    }
    if (!FTyping) {
        if (CompletaJa(tipo, digit, FTwelveHour)) {
            if (!WithNumber(tipo, digit, 1, f))
                return TdvTypeResult::Beep;
            ApplyFields(f);
            Completed();
            return TdvTypeResult::Accepted;
        }
        if (tipo == u'Y') {
            double fimDaDecada = 0;
            if (MinDate != 0 && Codifica(EpochYear(digit * 10 + 9, Epoch), 12, 31, fimDaDecada)
                && fimDaDecada < dvDatePart(MinDate))
                return TdvTypeResult::Ignored;
        }
        if (WithNumber(tipo, digit, 1, f))
            ApplyFields(f);
        FTyping = true;
        FTyped = QString::number(digit);
        return TdvTypeResult::Accepted;
    }
    const int valor = FTyped.toInt() * 10 + digit;
    if ((tipo == u'D' || tipo == u'M') && valor == 0) {
        FTyping = false;
        FTyped.clear();
        Completed();
        return TdvTypeResult::Accepted;
    }
    if (!WithNumber(tipo, valor, 2, f))
        return TdvTypeResult::Beep;
    FTyping = false;
    FTyped.clear();
    ApplyFields(f);
    Completed();
    return TdvTypeResult::Accepted;
}

void TdvDateTimeParts::ApplyTyped()
{
    if (!FTyping)
        return;
    const QString digitado = FTyped;
    FTyping = false;
    FTyped.clear();
    if (digitado.isEmpty())
        return;
    const QChar tipo = CurrentToken().Kind;
    const int n = digitado.toInt();
    TdvDTFields f = Decode(FValue);
    switch (tipo.unicode()) {
    case u'Y':
        if (digitado.size() <= 2)
            f.Year = EpochYear(n, Epoch);
        else if (n == 0)
            return;
        else
            f.Year = n;
        break;
    case u'D':
    case u'M':
        if (n == 0)
            return;
        (tipo == u'D' ? f.Day : f.Month) = n;
        break;
    case u'H':
        f.Hour = FTwelveHour ? n % 12 + (f.Hour >= 12 ? 12 : 0) : n;
        break;
    case u'N':
        f.Minute = n;
        break;
    case u'S':
        f.Second = n;
        break;
    default:
        return;
    }
    ApplyFields(f);
}

TdvTypeResult TdvDateTimeParts::TypeLetter(QChar letter)
{
    if (PartCount() == 0)
        return TdvTypeResult::Ignored;
    const TdvDTToken t = CurrentToken();
    TdvDTFields f = Decode(FValue);
    if (t.Kind == u'M' && t.IsName()) {
        const bool longo = t.Text.size() >= 4;
        auto comeca = [&](int mes) {
            return (longo ? dvLongMonthName(mes) : dvShortMonthName(mes)).startsWith(letter);
        };
        int achado = 0;
        for (int m = f.Month + 1; m <= 12 && !achado; ++m)
            if (comeca(m))
                achado = m;
        for (int m = 1; m < f.Month && !achado; ++m)
            if (comeca(m))
                achado = m;
        if (!achado)
            return TdvTypeResult::Beep;
        f.Month = achado;
        f.Day = std::min(f.Day, dvDaysInMonth(f.Year, achado));
        ApplyFields(f);
        return TdvTypeResult::Accepted;
    }
    if (t.Kind == u'D' && t.IsName()) {
        const bool longo = t.Text.size() >= 4;
        const double dia = dvDatePart(FValue);
        const int pos = (dvDayOfWeek(dia) - FirstDayOfWeek + 7) % 7;
        auto comeca = [&](double d) {
            return (longo ? dvLongDayName(dvDayOfWeek(d)) : dvShortDayName(dvDayOfWeek(d))).startsWith(letter);
        };
        for (int i = pos + 1; i <= 6 && dia + (i - pos) <= EffectiveMax(); ++i)
            if (comeca(dia + (i - pos))) {
                ApplyDay(dia + (i - pos));
                return TdvTypeResult::Accepted;
            }
        for (int i = 0; i < pos; ++i)
            if (dia - (pos - i) >= EffectiveMin() && comeca(dia - (pos - i))) {
                ApplyDay(dia - (pos - i));
                return TdvTypeResult::Accepted;
            }
        return TdvTypeResult::Beep;
    }
    if (t.Kind == u'A' && (letter == u'A' || letter == u'P')) {
        if (letter == u'A' && f.Hour >= 12)
            f.Hour -= 12;
        else if (letter == u'P' && f.Hour < 12)
            f.Hour += 12;
        ApplyFields(f);
        return TdvTypeResult::Accepted;
    }
    return TdvTypeResult::Beep;
}

void TdvDateTimeParts::MovePrev()
{
    ApplyTyped();
    FPart = std::clamp(FPart - 1, 1, std::max(1, PartCount()));
}

void TdvDateTimeParts::MoveNext(double now)
{
    ApplyTyped();
    int n = PartCount();
    if (FPart >= n && FCFormat && FKind == TdvDTKind::DateTime && n > 0 && dvTimePart(FValue) == 0) {
        const TdvDTFields agora = Decode(now);
        FValue = dvJoinDateTime(dvDatePart(FValue), (agora.Hour * 60 + agora.Minute) / 1440.0);
        n = PartCount();
    }
    if (FPart < n)
        ++FPart;
}

void TdvDateTimeParts::Clear()
{
    SetValue(0);
    FPart = 1;
}
