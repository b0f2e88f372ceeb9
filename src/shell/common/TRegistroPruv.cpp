#include "shell/common/TRegistroPruv.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "model/values/TErro.h"
#include "platform/files/TPastas.h"

QString TRegistroPruv::Caminho()
{
    return TPastas::Configuracao() + QStringLiteral("/Programas XEQ/PRUV2003.conf");
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
        throw TErro(CodigoMensagem::FalhaNaGravacao, caminho, 0);
}
