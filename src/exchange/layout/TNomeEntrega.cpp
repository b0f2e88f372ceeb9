#include "exchange/layout/TNomeEntrega.h"

#include <QDir>
#include <QFileInfo>

#include "exchange/layout/LayoutDeclar.h"
#include "platform/files/TVolumes.h"

QString TNomeEntrega::Arquivo(const QString& NiEntrega, const QString& Ano, bool Retificadora, bool SituacaoEspecial,
                              bool PessoaFisica)
{
    QString situacao = QStringLiteral("-NORMAL");
    if (SituacaoEspecial)
        situacao = PessoaFisica ? QStringLiteral("-ESPOLIOSAIDA") : QStringLiteral("-EXTINCAO");
    return NiEntrega + QStringLiteral("-PRUV-") + LayoutDeclar::AnoPrograma + QLatin1Char('-') + Ano
        + (Retificadora ? QStringLiteral("-RETIF") : QStringLiteral("-ORIGI")) + situacao + QStringLiteral(".dec");
}

QString TNomeEntrega::Pasta(const TVolume& Volume, const QString& NiEntrega, const QString& Ano)
{
    if (Volume.Removivel())
        return Volume.Raiz;
    return QDir(Volume.Raiz)
        .filePath(QStringLiteral("Declaracoes Gravadas XEQ/Pruv2003/") + NiEntrega + QLatin1Char('/') + Ano);
}

QString TNomeEntrega::ReciboExistente(const QString& CaminhoDec)
{
    const QFileInfo dec(CaminhoDec);
    const QString nome = dec.completeBaseName() + QStringLiteral(".rec");
    const QDir pasta = dec.absoluteDir();
    for (const QString& existente : pasta.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (existente.compare(nome, Qt::CaseInsensitive) == 0)
            return pasta.filePath(existente);
    return {};
}
