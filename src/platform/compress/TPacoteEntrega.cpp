#include "platform/compress/TPacoteEntrega.h"

#include <QFile>

#include "platform/compress/ResultadoCompressao.h"

QByteArray TPacoteEntrega::Separador()
{
    return QByteArrayLiteral("\r\nPKDEC01\n");
}

QByteArray TPacoteEntrega::MontaCabecalho(const QByteArray& primeiraLinha, quint32 crc)
{
    if (primeiraLinha.size() < TamanhoMinimoCabecalho || primeiraLinha.size() > TamanhoMaximoCabecalho
        || primeiraLinha.contains('\n') || primeiraLinha.contains('\r'))
        return {};
    QByteArray cabecalho = primeiraLinha;
    cabecalho.replace(PosicaoCrc - 1, 10, QByteArray::number(crc).rightJustified(10, '0'));
    cabecalho[PosicaoVolume - 1] = '0';
    return cabecalho;
}

int TPacoteEntrega::Le(const QString& caminho, QByteArray& cabecalho, qint64& inicioArquivo)
{
    cabecalho.clear();
    inicioArquivo = 0;
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return ResultadoCompressao::Falha;
    const QByteArray separador = Separador();
    const QByteArray inicio = arquivo.read(TamanhoMaximoCabecalho + separador.size());
    if (arquivo.error() != QFileDevice::NoError)
        return ResultadoCompressao::Falha;
    const qsizetype fim = inicio.indexOf(separador);
    if (fim < TamanhoMinimoCabecalho)
        return ResultadoCompressao::FormatoDesconhecido;
    cabecalho = inicio.left(fim);
    if (cabecalho.contains('\n') || cabecalho.contains('\r')) {
        cabecalho.clear();
        return ResultadoCompressao::FormatoDesconhecido;
    }
    inicioArquivo = fim + separador.size();
    return ResultadoCompressao::Ok;
}

bool TPacoteEntrega::CrcDoCabecalho(const QByteArray& cabecalho, quint32& crc)
{
    if (cabecalho.size() < PosicaoCrc - 1 + 10)
        return false;
    const QByteArray digitos = cabecalho.mid(PosicaoCrc - 1, 10);
    for (const char c : digitos)
        if (c < '0' || c > '9')
            return false;
    bool ok = false;
    const qulonglong valor = digitos.toULongLong(&ok);
    if (!ok || valor > 0xFFFFFFFFull)
        return false;
    crc = static_cast<quint32>(valor);
    return true;
}
