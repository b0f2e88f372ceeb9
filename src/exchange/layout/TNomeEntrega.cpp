#include "exchange/layout/TNomeEntrega.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    return Gravadas(Volume.Raiz) + QLatin1Char('/') + NiEntrega + QLatin1Char('/') + Ano;
}

QString TNomeEntrega::Gravadas(const QString& Raiz)
{
    return QDir(Raiz).filePath(QStringLiteral("Declaracoes Gravadas XEQ/Pruv2003"));
}

QString TNomeEntrega::Pacote(const QString& CaminhoDec)
{
    return CaminhoDec + QStringLiteral(".tmp");
}

bool TNomeEntrega::EhArquivo(const QString& Nome)
{
    static const QRegularExpression nome(
        QStringLiteral("^(\\d{11}|\\d{14})-PRUV-%1-\\d{4}-(ORIGI|RETIF)-(NORMAL|ESPOLIOSAIDA|EXTINCAO)\\.dec$")
            .arg(LayoutDeclar::AnoPrograma));
    return nome.match(Nome).hasMatch();
}

bool TNomeEntrega::EhPacote(const QString& Nome)
{
    const QString sufixo = QStringLiteral(".tmp");
    return Nome.endsWith(sufixo) && EhArquivo(Nome.chopped(sufixo.size()));
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
