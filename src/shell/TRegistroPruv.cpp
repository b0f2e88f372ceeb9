#include "shell/TRegistroPruv.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "model/TErro.h"

QString TRegistroPruv::Caminho()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/Programas XEQ/PRUV2003.conf"));
}

QString TRegistroPruv::LeString(const QString& Nome)
{
    const QSettings arquivo(Caminho(), QSettings::NativeFormat);
    return arquivo.value(Nome).toString();
}

void TRegistroPruv::GravaString(const QString& Nome, const QString& Valor)
{
    const QString caminho = Caminho();
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QSettings arquivo(caminho, QSettings::NativeFormat);
    arquivo.setValue(Nome, Valor);
    arquivo.sync();
    if (arquivo.status() != QSettings::NoError)
        throw TErro(159, caminho, 0);
}
