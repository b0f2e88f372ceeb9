#include "components/data/settings/dvStr.h"

QString dvStrGetToken(const QString& text, int& pos, const QString& delimiter)
{
    if (pos <= 0)
        return {};
    if (pos > text.size()) {
        pos = -1;
        return {};
    }
    const bool palavra = delimiter.size() > 1;
    const QString procurado = palavra ? QLatin1Char(' ') + delimiter + QLatin1Char(' ') : delimiter;
    const qsizetype inicio = pos - 1;
    const qsizetype achado = text.indexOf(procurado, inicio, palavra ? Qt::CaseInsensitive : Qt::CaseSensitive);
    if (achado < 0 || procurado.isEmpty()) {
        pos = -1;
        return text.mid(inicio);
    }
    pos = int(achado + procurado.size() + 1);
    return text.mid(inicio, achado - inicio);
}

void dvStrSplit(const QString& text, const QString& delimiter, QStringList& list)
{
    list.clear();
    int pos = 1;
    do {
        list << dvStrGetToken(text, pos, delimiter);
    } while (pos > 0);
}

void dvStrTrimRightSet(QString& text, const QString& characterSet)
{
    qsizetype n = text.size();
    while (n > 0 && characterSet.contains(text[n - 1]))
        --n;
    text.truncate(n);
}

QString dvStrReplaceChar(const QString& text, QChar from, QChar to)
{
    QString r = text;
    r.replace(from, to);
    return r;
}

bool dvSameText(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

int dvStrCountChar(const QString& text, QChar c)
{
    return int(text.count(c));
}

QString dvStrAfterChar(const QString& text, QChar c)
{
    const qsizetype k = text.indexOf(c);
    return k < 0 ? QString() : text.mid(k + 1);
}

QString dvStrBeforeChar(const QString& text, QChar c)
{
    const qsizetype k = text.indexOf(c);
    return k < 0 ? QString() : text.left(k);
}

QString dvStrFileNameOnly(const QString& path)
{
    const qsizetype barra = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString nome = path.mid(barra + 1);
    const qsizetype ponto = nome.indexOf(QLatin1Char('.'));
    return ponto < 0 ? nome : nome.left(ponto);
}
