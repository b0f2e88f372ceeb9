#pragma once
#include <QDir>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include "platform/files/TVolumes.h"
#include "support/ProgramaDeTeste.h"

// Delivery files as the writer leaves them, in a base folder and on a removable medium of the
// running case; the machine's own media are not seen meanwhile.
class GravadasDeTeste {
public:
    GravadasDeTeste()
        : Base(ProgramaDeTeste::Pasta() + QStringLiteral("/base"))
        , Midia(ProgramaDeTeste::Pasta() + QStringLiteral("/pendrive"))
        , FMidias({TVolume{Midia, QStringLiteral("PENDRIVE"), TVolume::TTipo::Removivel}})
    {
        QDir().mkpath(Base);
        QDir().mkpath(Midia);
        TVolumes::DefinePastaBase(Base);
    }
    ~GravadasDeTeste() { TVolumes::DefinePastaBase(QString()); }
    GravadasDeTeste(const GravadasDeTeste&) = delete;
    GravadasDeTeste& operator=(const GravadasDeTeste&) = delete;

    // The header the writer puts first: the year, the kind, the number (11 digits for a CPF),
    // the name, the ten receipt digits and the volume flag.
    static QByteArray Cabecalho(const char* ni, const char* nome = "EMPRESA ALFA LTDA", bool retificadora = false,
                                const char* recibo = "0123456789", const char* layout = "1080")
    {
        const QByteArray numero(ni);
        QByteArray c = QByteArray("PRUV    2003") + "2002" + layout + (retificadora ? "1" : "0");
        c += numero.leftJustified(14, ' ');
        c += numero.size() == 11 ? "1" : "2";
        c += "100";
        c += QByteArray(nome).leftJustified(60, ' ');
        c += "SP";
        c += recibo;
        c += "00";
        c += QByteArray(11, '1');
        c += "0";   // position 125: the volume flag
        c += QByteArray(123, '0');
        return c + "\r\nPKDEC01\n";
    }

    // The folder the writer uses on the base volume for that number and year.
    [[nodiscard]] QString PastaDe(const char* ni, const char* ano = "2002") const
    {
        return Base + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/") + QLatin1String(ni) + QLatin1Char('/')
            + QLatin1String(ano);
    }

    static QString Grava(const QString& pasta, const QString& nome, const QByteArray& conteudo)
    {
        QDir().mkpath(pasta);
        QFile arquivo(pasta + QLatin1Char('/') + nome);
        EXPECT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(conteudo);
        return arquivo.fileName();
    }

    const QString Base;
    const QString Midia;

private:
    TVolumes::Simulacao FMidias;
};
