#include "platform/compress/TArquivosNovos.h"

#include <QFileInfo>

#include "platform/files/TArquivoNovo.h"

struct TArquivosNovos::TNovo {
    TArquivoNovo Arquivo;
};

TArquivosNovos::TArquivosNovos() = default;
TArquivosNovos::~TArquivosNovos() = default;

bool TArquivosNovos::Novo(const QString& caminho)
{
    auto novo = std::make_unique<TNovo>();
    if (!novo->Arquivo.Abre(QFileInfo(caminho).absoluteFilePath()))
        return false;
    FArquivos.push_back(std::move(novo));
    return true;
}

bool TArquivosNovos::Escreve(QByteArrayView dados)
{
    return !FArquivos.empty() && FArquivos.back()->Arquivo.Escreve(dados);
}

QString TArquivosNovos::Temporario()
{
    if (FArquivos.empty() || !FArquivos.back()->Arquivo.Descarrega())
        return {};
    return FArquivos.back()->Arquivo.Temporario();
}

bool TArquivosNovos::Confirma()
{
    // Every file on disk before the first rename, so that a failure of one leaves none in place.
    for (auto& a : FArquivos)
        if (!a->Arquivo.Descarrega())
            return false;
    for (auto& a : FArquivos)
        if (!a->Arquivo.Confirma())
            return false;
    FArquivos.clear();
    return true;
}
