#include "TextoPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <stdexcept>

namespace {

QString Executa(const QString& programa, const QStringList& argumentos)
{
    QProcess processo;
    processo.start(programa, argumentos);
    if (!processo.waitForFinished(60000) || processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
        throw std::runtime_error(("falhou: " + programa + " " + argumentos.join(' ')).toStdString() + " "
                                 + processo.readAllStandardError().toStdString());
    return QString::fromUtf8(processo.readAllStandardOutput());
}

}   // namespace

QStringList TextoPdf::Paginas(const QString& arquivo)
{
    QStringList paginas = Executa(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), arquivo,
                                   QStringLiteral("-")})
                              .split(QLatin1Char('\f'));
    // pdftotext ends every page, the last one included, with a form feed.
    if (!paginas.isEmpty() && paginas.constLast().trimmed().isEmpty())
        paginas.removeLast();
    return paginas;
}

QStringList TextoPdf::TextosJuntos(const QString& arquivo)
{
    QStringList textos;
    for (const QString& p : Paginas(arquivo))
        textos.append(Linhas(p).join(QLatin1Char('|')));
    return textos;
}

QStringList TextoPdf::Linhas(const QString& textoPagina)
{
    QStringList linhas;
    for (const QString& l : textoPagina.split(QLatin1Char('\n'))) {
        const QString t = l.simplified();
        if (!t.isEmpty())
            linhas.append(t);
    }
    return linhas;
}

QList<TextoPdf::TPalavra> TextoPdf::Palavras(const QString& arquivo)
{
    const QString html = Executa(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                  arquivo, QStringLiteral("-")});
    const QRegularExpression pagina(QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                                   "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<TPalavra> palavras;
    int numero = 0;
    for (auto it = pagina.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++numero;
            continue;
        }
        const qreal x0 = m.captured(1).toDouble();
        const qreal y0 = m.captured(2).toDouble();
        QString texto = m.captured(5);
        texto.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&apos;"), QLatin1String("'"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        palavras.append({numero, texto, QRectF(x0, y0, m.captured(3).toDouble() - x0, m.captured(4).toDouble() - y0)});
    }
    return palavras;
}

namespace {

// The line of pdfinfo's report that the pattern matches.
QRegularExpressionMatch InfoPdf(const QString& arquivo, const QString& padrao)
{
    const auto m = QRegularExpression(padrao).match(Executa(QStringLiteral("pdfinfo"), {arquivo}));
    if (!m.hasMatch())
        throw std::runtime_error(("pdfinfo sem " + padrao).toStdString());
    return m;
}

}   // namespace

QSizeF TextoPdf::TamanhoPagina(const QString& arquivo)
{
    const auto m = InfoPdf(arquivo, QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    return {m.captured(1).toDouble(), m.captured(2).toDouble()};
}

int TextoPdf::QuantidadePaginas(const QString& arquivo)
{
    return InfoPdf(arquivo, QStringLiteral("Pages:\\s+([0-9]+)")).captured(1).toInt();
}
