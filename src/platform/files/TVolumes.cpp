#include "platform/files/TVolumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

#include "platform/files/TPastas.h"

namespace {

QString& PastaDefinida()
{
    static QString pasta;
    return pasta;
}

const QList<TVolume>*& MidiasSimuladas()
{
    static const QList<TVolume>* midias = nullptr;
    return midias;
}

QString Limpo(const QString& caminho)
{
    return QDir::cleanPath(QDir(caminho).absolutePath());
}

// The kernel marks a whole disk as removable; a partition's flag is on its parent disk.
bool DispositivoRemovivel(const QByteArray& dispositivo)
{
    if (!dispositivo.startsWith("/dev/"))
        return false;
    const QString nome =
        QFileInfo(QString::fromLocal8Bit(dispositivo)).canonicalFilePath().section(QLatin1Char('/'), -1);
    if (nome.isEmpty())
        return false;
    QString pasta = QFileInfo(QStringLiteral("/sys/class/block/") + nome).canonicalFilePath();
    for (int nivel = 0; nivel < 2 && !pasta.isEmpty(); ++nivel, pasta = QFileInfo(pasta).path()) {
        QFile flag(pasta + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.read(1) == "1";
    }
    return false;
}

// Desktops mount what the user plugs in under these folders.
bool PastaDeMidia(const QString& raiz)
{
    return raiz.startsWith(QStringLiteral("/media/")) || raiz.startsWith(QStringLiteral("/run/media/"));
}

bool SistemaDeDisco(const QByteArray& tipo)
{
    return tipo == "iso9660" || tipo == "udf";
}

QList<TVolume> MidiasMontadas()
{
    QList<TVolume> midias;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString raiz = Limpo(volume.rootPath());
        TVolume midia{raiz, volume.displayName(), TVolume::TTipo::Removivel};
        if (SistemaDeDisco(volume.fileSystemType()))
            midia.Tipo = TVolume::TTipo::CdRom;
        else if (!PastaDeMidia(raiz) && !DispositivoRemovivel(volume.device()))
            continue;
        if (midia.Nome.isEmpty() || midia.Nome == volume.rootPath())
            midia.Nome = QFileInfo(raiz).fileName();
        midias.append(midia);
    }
    std::sort(midias.begin(), midias.end(), [](const TVolume& a, const TVolume& b) { return a.Raiz < b.Raiz; });
    return midias;
}

QList<TVolume> Midias()
{
    if (const QList<TVolume>* simuladas = MidiasSimuladas())
        return *simuladas;
    return MidiasMontadas();
}

bool Contem(const QString& raiz, const QString& caminho)
{
    return caminho == raiz || caminho.startsWith(raiz.endsWith(QLatin1Char('/')) ? raiz : raiz + QLatin1Char('/'));
}

}   // namespace

QString TVolumes::PastaBase()
{
    if (!PastaDefinida().isEmpty())
        return Limpo(PastaDefinida());
    return TPastas::ProgramaDefinido() ? TPastas::Programa() : Limpo(QDir::homePath());
}

void TVolumes::DefinePastaBase(const QString& pasta)
{
    PastaDefinida() = pasta;
}

QList<TVolume> TVolumes::Lista()
{
    const QString base = PastaBase();
    QList<TVolume> volumes{TVolume{base, base, TVolume::TTipo::Fixo}};
    volumes += Midias();
    return volumes;
}

TVolume TVolumes::DoCaminho(const QString& caminho)
{
    const QString limpo = Limpo(caminho);
    const QList<TVolume> volumes = Lista();
    for (qsizetype i = 1; i < volumes.size(); ++i)
        if (Contem(volumes[i].Raiz, limpo))
            return volumes[i];
    return volumes.first();
}

TVolumes::Simulacao::Simulacao(QList<TVolume> midias)
    : FAnterior(MidiasSimuladas())
    , FMidias(std::move(midias))
{
    MidiasSimuladas() = &FMidias;
}

TVolumes::Simulacao::~Simulacao()
{
    MidiasSimuladas() = FAnterior;
}
