#include "EntradasFuzz.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "platform/db/sqlite/TDatabase.h"

int PreparaProgramaFuzz()
{
    // In shared memory when the system has it: each run's files and logs cost no disk.
    const QString memoria = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(memoria).isDir() && QFileInfo(memoria).isWritable() ? memoria : QDir::tempPath();
    static const std::unique_ptr<QTemporaryDir> pasta = std::make_unique<QTemporaryDir>(
        base + QStringLiteral("/pruv2003-fuzz-XXXXXX"));
    qputenv("PRUV2003_HOME", pasta->path().toLocal8Bit());
    TDatabase::SetEmMemoria(true);
    return 0;
}
