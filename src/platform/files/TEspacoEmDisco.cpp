#include "platform/files/TEspacoEmDisco.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
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

}  // namespace

qint64 TEspacoEmDisco::Livre(const QString& pasta)
{
    if (const auto& simulada = ConsultaSimulada())
        return simulada(pasta);
    const QString existente = PastaExistente(pasta);
    if (existente.isEmpty())
        return -1;
    const QStorageInfo volume(existente);
    if (!volume.isValid() || !volume.isReady())
        return -1;
    return volume.bytesAvailable();
}

TEspacoEmDisco::Simulacao::Simulacao(qint64 bytes)
    : Simulacao([bytes](const QString&) { return bytes; })
{
}

TEspacoEmDisco::Simulacao::Simulacao(std::function<qint64(const QString&)> consulta)
    : FAnterior(std::exchange(ConsultaSimulada(), std::move(consulta)))
{
}

TEspacoEmDisco::Simulacao::~Simulacao()
{
    ConsultaSimulada() = std::move(FAnterior);
}
