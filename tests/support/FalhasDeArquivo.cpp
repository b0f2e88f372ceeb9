#include "FalhasDeArquivo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include "ProgramaDeTeste.h"

namespace FalhasDeArquivo {
namespace {

constexpr int CodigoMorte = 86;   // the exit status of a child that died at its call

struct Estado {
    bool Armado = false;
    bool Contando = false;   // counting only: nothing fails
    Falha Pedida;
    int Restantes = 0;
    int Contadas = 0;
    bool Disparou = false;
};

Estado estado;

TFalhasDeArquivo::Efeito Decide(TFalhasDeArquivo::Operacao operacao, const QString& caminho)
{
    using E = TFalhasDeArquivo::Efeito;
    if (!(estado.Armado || estado.Contando) || (estado.Pedida.Operacoes & operacao) == 0)
        return E::Nenhum;
    const QString pasta = ProgramaDeTeste::Pasta() + QLatin1Char('/');
    if (!QDir::cleanPath(QDir(caminho).absolutePath()).startsWith(pasta))
        return E::Nenhum;
    ++estado.Contadas;
    if (estado.Contando)
        return E::Nenhum;
    if (estado.Disparou && !estado.Pedida.Permanente)
        return E::Nenhum;
    if (!estado.Disparou && estado.Restantes-- > 0)
        return E::Nenhum;
    estado.Disparou = true;
    switch (estado.Pedida.Tipo) {
    case Efeito::ErroES:
        return E::ErroES;
    case Efeito::DiscoCheio:
        return E::DiscoCheio;
    case Efeito::Morte:
        ::_exit(CodigoMorte);   // no destructor, no flush: what a kill leaves
    }
    return E::Nenhum;
}

void Instala()
{
    TFalhasDeArquivo::Instala(Decide);
}

}   // namespace

void Arma(const Falha& falha)
{
    estado = Estado{true, false, falha, falha.Antes, 0, false};
    Instala();
}

void Desarma()
{
    estado = Estado{};
    TFalhasDeArquivo::Instala({});
}

bool Disparou()
{
    return estado.Disparou;
}

int Contadas()
{
    return estado.Contadas;
}

int Conta(unsigned operacoes, const std::function<void()>& acao)
{
    estado = Estado{};
    estado.Contando = true;
    estado.Pedida.Operacoes = operacoes;
    Instala();
    acao();
    const int n = estado.Contadas;
    Desarma();
    return n;
}

std::vector<int> Posicoes(int n)
{
    std::vector<int> posicoes;
    constexpr int Pontas = 6;
    constexpr int Meio = 8;
    if (n <= 2 * Pontas + Meio || qEnvironmentVariableIsSet("PRUV2003_FALHAS_TODAS")) {
        for (int k = 0; k < n; ++k)
            posicoes.push_back(k);
        return posicoes;
    }
    for (int k = 0; k < Pontas; ++k) {
        posicoes.push_back(k);
        posicoes.push_back(n - 1 - k);
    }
    for (int i = 1; i <= Meio; ++i)
        posicoes.push_back(Pontas + (n - 2 * Pontas) * i / (Meio + 1));
    std::sort(posicoes.begin(), posicoes.end());
    posicoes.erase(std::unique(posicoes.begin(), posicoes.end()), posicoes.end());
    return posicoes;
}

bool MataNa(int k, unsigned operacoes, const std::function<void()>& acao)
{
    std::fflush(nullptr);   // nothing buffered is written twice
    const pid_t filho = ::fork();
    if (filho == 0) {
        Arma({k, operacoes, Efeito::Morte, false});
        try {
            acao();
        } catch (...) {}
        ::_exit(0);
    }
    int situacao = 0;
    if (filho < 0 || ::waitpid(filho, &situacao, 0) != filho)
        return false;
    return WIFEXITED(situacao) && WEXITSTATUS(situacao) == CodigoMorte;
}

QMap<QString, QByteArray> Arquivos(const QString& pasta)
{
    QMap<QString, QByteArray> arquivos;
    QDirIterator it(pasta, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir raiz(pasta);
    while (it.hasNext()) {
        const QString caminho = it.next();
        QFile arquivo(caminho);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        if (arquivo.open(QIODevice::ReadOnly))
            hash.addData(&arquivo);
        arquivos.insert(raiz.relativeFilePath(caminho), hash.result().toHex());
    }
    return arquivos;
}

}   // namespace FalhasDeArquivo
