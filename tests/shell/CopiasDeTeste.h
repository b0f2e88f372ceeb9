#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <functional>
#include <utility>

#include "platform/compress/Compressao.h"
#include "platform/ui/InterfaceUsuario.h"
#include "support/ProgramaDeTeste.h"

// The case's own user configuration folder (where the registry file lives), for its lifetime.
class ConfiguracaoDeTeste {
public:
    ConfiguracaoDeTeste()
        : FHavia(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        , FAntes(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ProgramaDeTeste::Pasta() + QStringLiteral("/config")));
    }
    ~ConfiguracaoDeTeste()
    {
        if (FHavia)
            qputenv("XDG_CONFIG_HOME", FAntes);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    ConfiguracaoDeTeste(const ConfiguracaoDeTeste&) = delete;
    ConfiguracaoDeTeste& operator=(const ConfiguracaoDeTeste&) = delete;

private:
    bool FHavia;
    QByteArray FAntes;
};

// A keep-alive that runs Acao each time a long operation lets the interface handle events (a
// Cancel click in the middle of a packing); installed for its lifetime.
class AtividadeComAcao final : public IAtividade {
public:
    explicit AtividadeComAcao(std::function<void()> acao)
        : FAcao(std::move(acao))
        , FAnterior(InterfaceUsuario::Instala(static_cast<IAtividade*>(this)))
    {}
    ~AtividadeComAcao() override { InterfaceUsuario::Instala(FAnterior); }
    AtividadeComAcao(const AtividadeComAcao&) = delete;
    AtividadeComAcao& operator=(const AtividadeComAcao&) = delete;

    void IniciaOcupado() override {}
    void TerminaOcupado() override {}
    void MantemVivo() override { FAcao(); }

private:
    std::function<void()> FAcao;
    IAtividade* FAnterior;
};

// The whole content of a file; empty when it cannot be read.
inline QByteArray Conteudo(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

// Packs files of the given names and contents into the zip archive arquivo: a backup file
// that did not come from the program.
inline void PacoteEstranho(const QString& arquivo, const QList<std::pair<QString, QByteArray>>& membros)
{
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/estranho");
    QDir().mkpath(pasta);
    for (const auto& [nome, dados] : membros) {
        QFile membro(pasta + QLatin1Char('/') + nome);
        if (membro.open(QIODevice::WriteOnly))
            membro.write(dados);
        membro.close();
        AdicionaArquivo(membro.fileName());
    }
    Comprimir(arquivo, {});
    QDir(pasta).removeRecursively();
}
