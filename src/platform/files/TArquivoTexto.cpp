#include "platform/files/TArquivoTexto.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/files/AbreArquivoComum.h"
#include "platform/files/CriaPastas.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TFalhasDeArquivo.h"

TArquivoTexto::TArquivoTexto() = default;

TArquivoTexto::~TArquivoTexto()
{
    Descarta();
}

void TArquivoTexto::Reinicia(const QString& caminho)
{
    Descarta();
    FLeitura.reset();
    FCaminho = caminho;
    FErro.clear();
}

bool TArquivoTexto::Cria(const QString& caminho)
{
    Reinicia(caminho);
    const QString pasta = QFileInfo(caminho).absolutePath();
    if (!CriaPastas(pasta)) {
        FErro = QStringLiteral("cannot create folder ") + pasta;
        return false;
    }
    auto arquivo = std::make_unique<TArquivoNovo>();
    if (!arquivo->Abre(caminho)) {
        FErro = arquivo->Erro();
        return false;
    }
    FEscrita = std::move(arquivo);
    return true;
}

bool TArquivoTexto::Abre(const QString& caminho)
{
    Reinicia(caminho);
    auto arquivo = std::make_unique<QFile>(caminho);
    if (!arquivo->open(QIODevice::ReadOnly)) {
        FErro = arquivo->errorString();
        return false;
    }
    FLeitura = std::move(arquivo);
    return true;
}

bool TArquivoTexto::GravaLinha(const QString& linha)
{
    if (!FEscrita) {
        FErro = QStringLiteral("file not open for writing");
        return false;
    }
    QByteArray bytes = linha.toLatin1();
    bytes.append("\r\n", 2);
    if (!FEscrita->Escreve(bytes)) {
        FErro = FEscrita->Erro();
        return false;
    }
    return true;
}

bool TArquivoTexto::LeLinha(QString& linha)
{
    if (!FLeitura) {
        FErro = QStringLiteral("file not open for reading");
        return false;
    }
    if (FLeitura->atEnd())
        return false;
    if (!TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, FCaminho, FErro))
        return false;
    // Into one buffer kept for the file, grown only for a longer line: reading each line into an
    // array of its own grew that array step by step, line after line.
    qsizetype lidos = 0;
    for (;;) {
        if (FLinha.size() - lidos < 2)
            FLinha.resize(std::max<qsizetype>(1024, FLinha.size() * 2));
        const qint64 n = FLeitura->readLine(FLinha.data() + lidos, FLinha.size() - lidos);
        if (n < 0) {
            FErro = FLeitura->errorString();
            return false;
        }
        lidos += static_cast<qsizetype>(n);
        if (n == 0 || FLinha[lidos - 1] == '\n' || FLeitura->atEnd())
            break;
    }
    if (lidos == 0 && FLeitura->error() != QFileDevice::NoError) {
        FErro = FLeitura->errorString();
        return false;
    }
    if (lidos > 0 && FLinha[lidos - 1] == '\n')
        --lidos;
    if (lidos > 0 && FLinha[lidos - 1] == '\r')
        --lidos;
    linha = QString::fromLatin1(FLinha.constData(), lidos);
    return true;
}

bool TArquivoTexto::Fim() const
{
    return !FLeitura || FLeitura->atEnd();
}

bool TArquivoTexto::Fecha()
{
    if (FLeitura) {
        FLeitura.reset();
        return true;
    }
    if (!FEscrita)
        return true;
    const bool gravou = FEscrita->Confirma();
    if (!gravou)
        FErro = FEscrita->Erro();
    FEscrita.reset();
    return gravou;
}

void TArquivoTexto::Descarta()
{
    FEscrita.reset();   // an unconfirmed new file removes its temporary
}

bool TArquivoTexto::AbertoParaLeitura() const
{
    return FLeitura != nullptr;
}

bool TArquivoTexto::AbertoParaEscrita() const
{
    return FEscrita != nullptr;
}

QString TArquivoTexto::Caminho() const
{
    return FCaminho;
}

QString TArquivoTexto::Erro() const
{
    return FErro;
}

bool TArquivoTexto::LeInicio(const QString& caminho, qint64 tamanho, QByteArray& bytes)
{
    QFile arquivo(caminho);
    QString erro;
    if (!AbreLeituraComum(arquivo, erro) || !TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, caminho, erro))
        return false;
    bytes = arquivo.read(tamanho);
    return arquivo.error() == QFileDevice::NoError;
}
