#include "platform/report/pages/TFonte.h"

#include "platform/report/pages/TPaginaGravada.h"
#include "platform/report/pages/TUnidades.h"

QString TFonte::Familia(const QString& pedida)
{
    const QString nome = pedida.trimmed();
    static const struct {
        const char* pedida;
        const char* livre;
    } trocas[] = {
        {"Arial", "Liberation Sans"},  {"Helvetica", "Liberation Sans"},   {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"}, {"Verdana", "Liberation Sans"},     {"Times New Roman", "Liberation Serif"},
        {"Times", "Liberation Serif"}, {"Courier New", "Liberation Mono"}, {"Courier", "Liberation Mono"},
    };
    for (const auto& t : trocas)
        if (nome.compare(QLatin1String(t.pedida), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(t.livre);
    return nome.isEmpty() ? QStringLiteral("Liberation Sans") : nome;
}

QFont TFonte::Cria(const QString& familia, qreal tamanho, bool negrito, bool italico, bool sublinhado)
{
    return DePontos(familia, TUnidades::ParaPontos(tamanho), negrito, italico, sublinhado);
}

QFont TFonte::DePontos(const QString& familia, qreal pontos, bool negrito, bool italico, bool sublinhado)
{
    QFont fonte(Familia(familia));
    // Points resolve against the recording device, pinned at 96 per inch.
    fonte.setPointSizeF(pontos);
    fonte.setBold(negrito);
    fonte.setItalic(italico);
    fonte.setUnderline(sublinhado);
    fonte.setHintingPreference(QFont::PreferNoHinting);
    fonte.setStyleStrategy(QFont::StyleStrategy(QFont::ForceOutline | QFont::NoSubpixelAntialias));
    fonte.setKerning(false);
    return fonte;
}

QFont TFonte::Padrao()
{
    return DePontos(QStringLiteral("Arial"), 10);
}

qreal TFonte::Tamanho(const QFont& fonte)
{
    if (fonte.pixelSize() > 0)
        return fonte.pixelSize();
    return TUnidades::DePontos(fonte.pointSizeF());
}

const QPaintDevice& TFonte::Dispositivo()
{
    static const TPaginaGravada dispositivo;
    return dispositivo;
}
