#include "model/values/Utilitarios.h"

#include <algorithm>

#include <QStringList>
#include <array>
#include <cmath>
#include <stdexcept>

#include "model/values/TErro.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TFormatSettings.h"
#include "platform/files/TPastas.h"

QString DiretorioPrograma()
{
    return TPastas::Programa();
}

QString DiretorioDados()
{
    return TPastas::Dados();
}

QString DiretorioTemporario()
{
    return TPastas::Temporaria();
}

QString RetiraBarraFinal(const QString& Caminho)
{
    qsizetype fim = Caminho.size();
    while (fim > 0 && (Caminho[fim - 1] == QLatin1Char('/') || Caminho[fim - 1] == QLatin1Char('\\')))
        --fim;
    return Caminho.left(fim);
}

void VerificaEspacoEmDisco()
{
    const qint64 livres = TEspacoEmDisco::Livre(DiretorioDados());
    if (livres < EspacoMinimoEmDisco)
        throw EEspacoEmDiscoError(CodigoMensagem::SemEspacoParaOPrograma, QString(), TipoDialogo::Erro, Botao::Ok, 0);
}

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

QString FormataValor(int Tamanho, double Valor)
{
    // Printed with 15 significant digits, as the value is shown, then only the whole part kept.
    const double impresso = QString::number(Valor, 'g', 15).toDouble();
    double inteiro = std::trunc(impresso);
    if (inteiro == 0)
        inteiro = 0;   // no "-0"
    return QString::number(inteiro, 'f', 0).rightJustified(Tamanho, QLatin1Char('0'));
}

double SomaValores(int Precisao, int Decimais, double A, double B)
{
    const double soma = A + B;
    if (!std::isfinite(soma))
        throw std::runtime_error("Erro na totalização dos valores.");
    const double significativo = QString::number(soma, 'g', qBound(1, Precisao, 18)).toDouble();
    return QString::number(significativo, 'f', qBound(0, Decimais, 18)).toDouble();
}

QString ExtraiValor(const QString& Linha, int Inicio, int Tamanho)
{
    const QString campo = Linha.mid(Inicio - 1, Tamanho).left(15);
    if (campo.isEmpty() || !SoNumeros(campo))
        return campo;
    const qint64 centavos = campo.toLongLong();   // at most 15 digits: always fits
    return QString::number(centavos / 100) + TFormatSettings::Programa().DecimalSeparator
        + QString::number(centavos % 100).rightJustified(2, QLatin1Char('0'));
}

namespace {

QChar SemAcento(QChar c)
{
    switch (c.unicode()) {
    case 0xC0:
    case 0xC1:
    case 0xC2:
    case 0xC3:
    case 0xE0:
    case 0xE1:
    case 0xE2:
    case 0xE3:
        return QLatin1Char('A');
    case 0xC9:
    case 0xCA:
    case 0xE9:
    case 0xEA:
        return QLatin1Char('E');
    case 0xCD:
    case 0xED:
        return QLatin1Char('I');
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0xF3:
    case 0xF4:
    case 0xF5:
        return QLatin1Char('O');
    case 0xDA:
    case 0xDC:
    case 0xFA:
    case 0xFC:
        return QLatin1Char('U');
    case 0xC7:
    case 0xE7:
        return QLatin1Char('C');
    default:
        return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 0x20) : c;
    }
}

}   // namespace

QString NormalizaTexto(const QString& Texto, bool TrocaPontuacao)
{
    QString resultado;
    resultado.reserve(Texto.size());
    for (QChar c : Texto.trimmed()) {
        if (TrocaPontuacao && (c == QLatin1Char('\'') || c == QLatin1Char('.')))
            c = QLatin1Char(' ');
        else
            c = SemAcento(c);
        if (c == QLatin1Char(' ') && resultado.endsWith(QLatin1Char(' ')))
            continue;
        resultado += c;
    }
    return resultado;
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
