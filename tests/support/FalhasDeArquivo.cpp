#include "FalhasDeArquivo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include "FalhasDaBiblioteca.h"
#include "FalhasDeDisco.h"
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
    QString Disparada;
};

Estado estado;

// The next call of a counted kind at a counted layer: let through, or failed as asked.
TFalhasDeArquivo::Efeito Proxima(unsigned operacao, const char* camada, const QString& caminho)
{
    using E = TFalhasDeArquivo::Efeito;
    if (!(estado.Armado || estado.Contando) || (estado.Pedida.Operacoes & operacao) == 0)
        return E::Nenhum;
    ++estado.Contadas;
    if (estado.Contando)
        return E::Nenhum;
    if (estado.Disparou && !estado.Pedida.Permanente)
        return E::Nenhum;
    if (!estado.Disparou && estado.Restantes-- > 0)
        return E::Nenhum;
    if (!estado.Disparou)
        estado.Disparada =
            QStringLiteral("%1 call of kind %2 on %3").arg(QLatin1String(camada)).arg(operacao).arg(caminho);
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

TFalhasDeArquivo::Efeito DoPrograma(TFalhasDeArquivo::Operacao operacao, const QString& caminho)
{
    const QString pasta = ProgramaDeTeste::Pasta() + QLatin1Char('/');
    if (!QDir::cleanPath(QDir(caminho).absolutePath()).startsWith(pasta))
        return TFalhasDeArquivo::Efeito::Nenhum;
    return Proxima(operacao, "program", caminho);
}

TFalhasDeArquivo::Efeito DaBiblioteca(unsigned operacao, const char* caminho)
{
    return Proxima(operacao, "C library", QFile::decodeName(caminho));
}

FalhasDeDisco::Decisao DoBanco(FalhasDeDisco::Operacao operacao)
{
    using T = TFalhasDeArquivo;
    const unsigned tipo = operacao == FalhasDeDisco::Escrita ? T::Escrita
        : operacao == FalhasDeDisco::Sincronia               ? T::Sincronia
                                                             : T::Truncagem;
    switch (Proxima(tipo, "database", QStringLiteral("the database"))) {
    case T::Efeito::Nenhum:
        return FalhasDeDisco::Decisao::Passa;
    case T::Efeito::ErroES:
        return FalhasDeDisco::Decisao::ErroES;
    case T::Efeito::DiscoCheio:
        return FalhasDeDisco::Decisao::DiscoCheio;
    }
    return FalhasDeDisco::Decisao::Passa;
}

void Instala()
{
    const unsigned camadas = estado.Pedida.Camadas;
    TFalhasDeArquivo::Instala(camadas & Programa ? TFalhasDeArquivo::Gancho(DoPrograma) : TFalhasDeArquivo::Gancho());
    FalhasDeDisco::Encadeia(camadas & Banco ? FalhasDeDisco::Gancho(DoBanco) : FalhasDeDisco::Gancho());
    if (camadas & Biblioteca)
        FalhasDaBiblioteca::Liga(QFile::encodeName(ProgramaDeTeste::Pasta()), DaBiblioteca);
    else
        FalhasDaBiblioteca::Desliga();
}

}   // namespace

void Arma(const Falha& falha)
{
    estado = Estado{true, false, falha, falha.Antes, 0, false, {}};
    Instala();
}

void Desarma()
{
    estado = Estado{};
    TFalhasDeArquivo::Instala({});
    FalhasDeDisco::Encadeia({});
    FalhasDaBiblioteca::Desliga();
}

bool Disparou()
{
    return estado.Disparou;
}

QString Disparada()
{
    return estado.Disparada;
}

int Contadas()
{
    return estado.Contadas;
}

int Conta(unsigned operacoes, const std::function<void()>& acao, unsigned camadas)
{
    estado = Estado{};
    estado.Contando = true;
    estado.Pedida.Operacoes = operacoes;
    estado.Pedida.Camadas = camadas;
    Instala();
    acao();
    const int n = estado.Contadas;
    Desarma();
    return n;
}

bool BibliotecaAlcancada()
{
    // A write through Qt, which calls the C library from its own shared library.
    const QString sonda = ProgramaDeTeste::Pasta() + QStringLiteral("/.sonda-biblioteca");
    const int n = Conta(
        TFalhasDeArquivo::Escrita,
        [&] {
            QFile arquivo(sonda);
            if (arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                arquivo.write("x", 1);
        },
        Biblioteca);
    QFile::remove(sonda);
    return n > 0;
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

bool MataNa(int k, unsigned operacoes, const std::function<void()>& acao, unsigned camadas)
{
    std::fflush(nullptr);   // nothing buffered is written twice
    const pid_t filho = ::fork();
    if (filho == 0) {
        Arma({k, operacoes, Efeito::Morte, false, camadas});
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
