#include "model/storage/TArquivoIndices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/values/PastasPrograma.h"
#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TPastas.h"

QString TArquivoIndices::NomeArquivo()
{
    return QStringLiteral("indices.dat");
}

QString TArquivoIndices::Localiza()
{
    const QString doPrograma = QDir(DiretorioPrograma()).filePath(NomeArquivo());
    if (QFileInfo(doPrograma).isFile())
        return doPrograma;
    const QString instalado = TPastas::Recurso(NomeArquivo());
    return instalado.isEmpty() ? doPrograma : instalado;
}

bool TArquivoIndices::Le(const QString& Caminho, QStringList& Linhas)
{
    Linhas.clear();
    QFile arquivo(Caminho);
    if (QString erro; !AbreLeituraComum(arquivo, erro))
        return false;
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        return false;
    for (const QString& linha : QString::fromLatin1(bytes).split(QLatin1Char('\n'))) {
        const QString texto = linha.trimmed();
        if (!texto.isEmpty() && !texto.startsWith(QLatin1Char('#')))
            Linhas << texto;
    }
    return true;
}

TLinhaIndice TArquivoIndices::Separa(const QString& Linha)
{
    TLinhaIndice partes;
    const qsizetype primeira = Linha.indexOf(QLatin1Char('\\'));
    if (primeira < 0) {
        partes.Campos = Linha;
        return partes;
    }
    partes.Campos = Linha.left(primeira);
    const qsizetype segunda = Linha.indexOf(QLatin1Char('\\'), primeira + 1);
    if (segunda < 0) {
        partes.Nome = Linha.mid(primeira + 1);
        return partes;
    }
    partes.Nome = Linha.mid(primeira + 1, segunda - primeira - 1);
    partes.Tabela = Linha.mid(segunda + 1);
    return partes;
}
