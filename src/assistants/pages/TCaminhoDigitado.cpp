#include "assistants/pages/TCaminhoDigitado.h"

#include <QDir>

#include "model/values/PastasPrograma.h"

TCaminhoDigitado TCaminhoDigitado::Separa(const QString& Texto, const QString& Corrente)
{
    const QString texto = Texto.trimmed();
    const qsizetype barra = texto.lastIndexOf(QLatin1Char('/'));
    TCaminhoDigitado caminho;
    caminho.Nome = texto.mid(barra + 1);
    if (barra < 0)
        return caminho;
    QString pasta = RetiraBarraFinal(texto.left(barra + 1));
    if (pasta.isEmpty())
        pasta = QStringLiteral("/");
    else if (QDir::isRelativePath(pasta))
        pasta = QDir(Corrente).absoluteFilePath(pasta);
    caminho.Pasta = QDir::cleanPath(pasta);
    return caminho;
}

QString TCaminhoDigitado::Junta(const QString& Pasta, const QString& Nome)
{
    return Pasta.endsWith(QLatin1Char('/')) ? Pasta + Nome : Pasta + QLatin1Char('/') + Nome;
}
