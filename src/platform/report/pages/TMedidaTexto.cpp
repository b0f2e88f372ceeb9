#include "platform/report/pages/TMedidaTexto.h"

#include <QFontMetricsF>

#include "platform/report/pages/TFonte.h"

namespace {

QFontMetricsF Metricas(const QFont& fonte)
{
    return QFontMetricsF(fonte, &TFonte::Dispositivo());
}

// Appends the lines of one paragraph (no line ends inside). Blanks in front of the paragraph
// are kept; a line that wraps drops the blanks where it broke.
void QuebraParagrafo(const QFontMetricsF& m, const QString& paragrafo, qreal largura, QStringList& linhas)
{
    QString linha;
    bool inicio = true;
    qsizetype i = 0;
    const qsizetype n = paragrafo.size();
    while (i < n) {
        qsizetype j = i;
        while (j < n && paragrafo.at(j) == QLatin1Char(' '))
            ++j;
        const QString brancos = paragrafo.mid(i, j - i);
        qsizetype k = j;
        while (k < n && paragrafo.at(k) != QLatin1Char(' '))
            ++k;
        QString palavra = paragrafo.mid(j, k - j);
        i = k;
        if (palavra.isEmpty())
            break;   // trailing blanks take no room
        const QString tentativa = (inicio || !linha.isEmpty()) ? linha + brancos + palavra : palavra;
        inicio = false;
        if (m.horizontalAdvance(tentativa) <= largura) {
            linha = tentativa;
            continue;
        }
        if (!linha.isEmpty())
            linhas.append(linha);
        // A word wider than the line: as many characters as fit on each line, one at least.
        while (m.horizontalAdvance(palavra) > largura && palavra.size() > 1) {
            qsizetype cabe = 1;
            while (cabe + 1 < palavra.size() && m.horizontalAdvance(palavra.left(cabe + 1)) <= largura)
                ++cabe;
            linhas.append(palavra.left(cabe));
            palavra = palavra.mid(cabe);
        }
        linha = palavra;
    }
    linhas.append(linha);
}

}   // namespace

qreal TMedidaTexto::Largura(const QFont& fonte, const QString& texto)
{
    return Metricas(fonte).horizontalAdvance(texto);
}

qreal TMedidaTexto::AlturaLinha(const QFont& fonte)
{
    return Metricas(fonte).height();
}

qreal TMedidaTexto::Ascendente(const QFont& fonte)
{
    return Metricas(fonte).ascent();
}

qreal TMedidaTexto::AlturaMaiuscula(const QFont& fonte)
{
    return Metricas(fonte).capHeight();
}

QString TMedidaTexto::Corta(const QFont& fonte, const QString& texto, qreal largura)
{
    const QFontMetricsF m = Metricas(fonte);
    if (m.horizontalAdvance(texto) <= largura)
        return texto;
    qsizetype n = texto.size();
    while (n > 0 && m.horizontalAdvance(texto.left(n)) > largura)
        --n;
    // A surrogate pair is one character.
    if (n > 0 && texto.at(n - 1).isHighSurrogate())
        --n;
    return texto.left(n).trimmed();
}

qreal TMedidaTexto::Recuo(Qt::Alignment alinhamento, qreal larguraCaixa, qreal larguraTexto)
{
    if (alinhamento & Qt::AlignRight)
        return larguraCaixa - larguraTexto;
    if (alinhamento & Qt::AlignHCenter)
        return (larguraCaixa - larguraTexto) / 2;
    return 0;
}

QStringList TMedidaTexto::Quebra(const QFont& fonte, const QString& texto, qreal largura)
{
    QStringList linhas;
    if (texto.isEmpty())
        return linhas;
    QString normalizado = texto;
    normalizado.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalizado.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QFontMetricsF m = Metricas(fonte);
    for (const QString& paragrafo : normalizado.split(QLatin1Char('\n')))
        QuebraParagrafo(m, paragrafo, largura, linhas);
    return linhas;
}

qreal TMedidaTexto::Altura(const QFont& fonte, const QString& texto, qreal largura)
{
    return Quebra(fonte, texto, largura).size() * AlturaLinha(fonte);
}
