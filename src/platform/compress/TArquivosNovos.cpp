#include "platform/compress/TArquivosNovos.h"

#include <QFileInfo>

#include "platform/files/TArquivoNovo.h"

struct TArquivosNovos::TNovo {
    TArquivoNovo Arquivo;
};

TArquivosNovos::TArquivosNovos() = default;
TArquivosNovos::~TArquivosNovos() = default;

bool TArquivosNovos::Falhou(const TNovo& novo)
{
    if (FErroSistema == 0 && novo.Arquivo.ErroSistema() != 0) {
        FErroSistema = novo.Arquivo.ErroSistema();
        FArquivoDoErro = novo.Arquivo.Caminho();
    }
    return false;
}

bool TArquivosNovos::Novo(const QString& caminho)
{
    auto novo = std::make_unique<TNovo>();
    if (!novo->Arquivo.Abre(QFileInfo(caminho).absoluteFilePath()))
        return Falhou(*novo);
    FArquivos.push_back(std::move(novo));
    return true;
}

bool TArquivosNovos::Escreve(QByteArrayView dados)
{
    if (FArquivos.empty())
        return false;
    return FArquivos.back()->Arquivo.Escreve(dados) || Falhou(*FArquivos.back());
}

QString TArquivosNovos::Temporario()
{
    if (FArquivos.empty())
        return {};
    if (!FArquivos.back()->Arquivo.Descarrega()) {
        Falhou(*FArquivos.back());
        return {};
    }
    return FArquivos.back()->Arquivo.Temporario();
}

bool TArquivosNovos::Confirma()
{
    // Every file on disk before the first rename, so that a failure of one leaves none in place.
    for (auto& a : FArquivos)
        if (!a->Arquivo.Descarrega())
            return Falhou(*a);
    for (auto& a : FArquivos)
        if (!a->Arquivo.Confirma())
            return Falhou(*a);
    FArquivos.clear();
    return true;
}
