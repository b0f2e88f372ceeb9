#include "platform/compress/Compressao.h"

#include "platform/compress/TCompactador.h"

namespace {

TCompactador& Compactador()
{
    static TCompactador compactador;
    return compactador;
}

}   // namespace

int AdicionaArquivo(const QString& caminho)
{
    return Compactador().AdicionaArquivo(caminho);
}

quint32 CalculaCRC32(const char* texto, quint32 tamanho, quint32 crc)
{
    return TCompactador::CalculaCRC32(texto, tamanho, crc);
}

void CancelarCompressao()
{
    Compactador().CancelarCompressao();
}

int Comprimir(const QString& arquivo, const TProgressoCompressao& progresso)
{
    return Compactador().Comprimir(arquivo, progresso);
}

int ErroSistemaCompressao()
{
    return Compactador().ErroSistema();
}

QString ArquivoDoErroCompressao()
{
    return Compactador().ArquivoDoErro();
}

int ComprimirPruv(QString& arquivo, const TProgressoCompressao& progresso, const QString& segundoCaminho)
{
    return Compactador().ComprimirPruv(arquivo, progresso, segundoCaminho);
}

int Descomprimir(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso)
{
    return Compactador().Descomprimir(arquivo, pasta, progresso);
}

int DescomprimirPruv(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso)
{
    return Compactador().DescomprimirPruv(arquivo, pasta, progresso);
}

int DescomprimirReciboPruv(const QString& arquivo, const QString& pasta)
{
    return Compactador().DescomprimirReciboPruv(arquivo, pasta);
}

quint32 ObtemCRCDeclaracao()
{
    return Compactador().ObtemCRCDeclaracao();
}
