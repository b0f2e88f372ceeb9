#include "platform/files/TEspacoEmDisco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/statvfs.h>
#include <utility>

namespace {

std::function<qint64(const QString&)>& ConsultaSimulada()
{
    static std::function<qint64(const QString&)> consulta;
    return consulta;
}

QString PastaExistente(const QString& pasta)
{
    QString atual = QDir::cleanPath(QDir(pasta).absolutePath());
    while (!QFileInfo(atual).isDir()) {
        const QString acima = QFileInfo(atual).path();
        if (acima == atual)
            return {};
        atual = acima;
    }
    return atual;
}

}   // namespace

qint64 TEspacoEmDisco::Livre(const QString& pasta)
{
    if (const auto& simulada = ConsultaSimulada())
        return simulada(pasta);
    const QString existente = PastaExistente(pasta);
    if (existente.isEmpty())
        return -1;
    // statvfs(2) asks the volume of the folder itself: no walk through the table of mounts, which
    // cost more than a small import's own work.
    struct statvfs volume;
    if (::statvfs(QFile::encodeName(existente).constData(), &volume) != 0)
        return -1;
    return static_cast<qint64>(volume.f_bavail) * static_cast<qint64>(volume.f_frsize);
}

TEspacoEmDisco::Simulacao::Simulacao(qint64 bytes)
    : Simulacao([bytes](const QString&) { return bytes; })
{}

TEspacoEmDisco::Simulacao::Simulacao(std::function<qint64(const QString&)> consulta)
    : FAnterior(std::exchange(ConsultaSimulada(), std::move(consulta)))
{}

TEspacoEmDisco::Simulacao::~Simulacao()
{
    ConsultaSimulada() = std::move(FAnterior);
}
