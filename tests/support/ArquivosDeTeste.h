#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// A file's bytes, or "<missing>" when it cannot be read: a comparison then names the fault.
inline QByteArray BytesDoArquivo(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray("<missing>");
}

// Writes bytes as the file's whole content (a fixture's set-up, outside the program's writers).
inline void GravaArquivo(const QString& caminho, const QByteArray& bytes)
{
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(bytes);
}
