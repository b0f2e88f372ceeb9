#include "platform/transmit/TInstalacaoTransmissao.h"

#include <QDir>
#include <QFileInfo>

#include "platform/files/TIniFile.h"

TInstalacaoTransmissao::TInstalacaoTransmissao(const QString& pastaSistema)
    : FArquivoIni(LocalizaArquivo(pastaSistema, QString::fromLatin1(NomeIni)))
{}

int TInstalacaoTransmissao::Versao() const
{
    if (!Existe())
        return 0;
    return TIniFile(FArquivoIni).ReadInteger(QString::fromLatin1(Secao), QStringLiteral("Versao"), 0);
}

QString TInstalacaoTransmissao::VersaoTexto() const
{
    if (!Existe())
        return QStringLiteral("0");
    return TIniFile(FArquivoIni)
        .ReadString(QString::fromLatin1(Secao), QStringLiteral("Versao"), QStringLiteral("0"))
        .trimmed();
}

QString TInstalacaoTransmissao::Path() const
{
    if (!Existe())
        return QString();
    return TIniFile(FArquivoIni).ReadString(QString::fromLatin1(Secao), QStringLiteral("Path"), QString()).trimmed();
}

QString TInstalacaoTransmissao::LocalizaArquivo(const QString& pasta, const QString& nome)
{
    if (pasta.isEmpty() || nome.isEmpty())
        return QString();
    const QDir dir(pasta);
    const QFileInfo exato(dir.filePath(nome));
    if (exato.isFile())
        return exato.absoluteFilePath();
    const QStringList arquivos = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& arquivo : arquivos) {
        if (arquivo.compare(nome, Qt::CaseInsensitive) == 0)
            return QFileInfo(dir.filePath(arquivo)).absoluteFilePath();
    }
    return QString();
}
