#include "model/values/TratamentoTexto.h"

#include <QStringList>
#include <algorithm>
#include <array>

bool EhDigito(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool SoNumeros(QStringView Texto)
{
    for (const QChar c : Texto)
        if (!EhDigito(c))
            return false;
    return true;
}

bool SoNumerosESinais(const QString& Texto)
{
    for (const QChar c : Texto)
        if (c < QLatin1Char('-') || c > QLatin1Char('9'))
            return false;
    return true;
}

int ContaPalavras(const QString& Texto)
{
    return static_cast<int>(Texto.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

QString ObtemPalavra(const QString& Texto, int N)
{
    const QStringList palavras = Texto.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return N >= 1 && N <= palavras.size() ? palavras[N - 1].trimmed() : QString();
}

QString ZerosAEsquerda(qint64 Numero, int Tamanho)
{
    if (Numero < 0)
        return QString::number(Numero).rightJustified(Tamanho, QLatin1Char('0'));
    // Keys and codes are made item after item: written in place, one allocation.
    char16_t digitos[20];
    qsizetype n = 0;
    do {
        digitos[n++] = static_cast<char16_t>(u'0' + Numero % 10);
        Numero /= 10;
    } while (Numero > 0);
    QString texto(std::max<qsizetype>(n, Tamanho), QLatin1Char('0'));
    QChar* fim = texto.data() + texto.size();
    for (qsizetype i = 0; i < n; ++i)
        *--fim = QChar(digitos[i]);
    return texto;
}

QString CompletaBrancos(const QString& Texto, int Tamanho)
{
    return Texto.left(Tamanho).leftJustified(Tamanho, QLatin1Char(' '));
}

void RepeteCaractere(QString& Texto, int N, QChar Caractere)
{
    if (N > 0)
        Texto += QString(N, Caractere);
}

void RetiraZerosEsquerda(QString& Texto)
{
    qsizetype i = 0;
    while (i < Texto.size() && Texto[i] == QLatin1Char('0'))
        ++i;
    Texto.remove(0, i);
}

QString Meses(int Mes)
{
    static const std::array<QString, 13> nomes = {
        QStringLiteral("Janeiro"),  QStringLiteral("Fevereiro"), QStringLiteral("Março"),    QStringLiteral("Abril"),
        QStringLiteral("Maio"),     QStringLiteral("Junho"),     QStringLiteral("Julho"),    QStringLiteral("Agosto"),
        QStringLiteral("Setembro"), QStringLiteral("Outubro"),   QStringLiteral("Novembro"), QStringLiteral("Dezembro"),
        QStringLiteral("13º"),
    };
    return Mes >= 1 && Mes <= 13 ? nomes[Mes - 1] : QString();
}
