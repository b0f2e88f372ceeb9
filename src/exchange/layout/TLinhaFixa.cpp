#include "exchange/layout/TLinhaFixa.h"

#include <algorithm>
#include <stdexcept>

TLinhaFixa::TLinhaFixa(int Tamanho)
    : FBytes(Tamanho, ' ')
{}

char* TLinhaFixa::Inicio(int Posicao, int Largura)
{
    if (Posicao < 1 || Largura < 0 || Posicao - 1 + Largura > FBytes.size())
        throw std::out_of_range("field outside the line");
    return FBytes.data() + (Posicao - 1);
}

QByteArrayView TLinhaFixa::Campo(int Posicao, int Largura) const
{
    if (Posicao < 1 || Largura < 0 || Posicao - 1 + Largura > FBytes.size())
        throw std::out_of_range("field outside the line");
    return QByteArrayView(FBytes).sliced(Posicao - 1, Largura);
}

void TLinhaFixa::Texto(int Posicao, int Largura, const QString& Texto)
{
    char* destino = Inicio(Posicao, Largura);
    const qsizetype n = std::min<qsizetype>(Largura, Texto.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = Texto[i].unicode();
        destino[i] = c > 0xFF ? '?' : static_cast<char>(c);
    }
    std::fill(destino + n, destino + Largura, ' ');
}

void TLinhaFixa::Bytes(int Posicao, int Largura, QByteArrayView Bytes)
{
    char* destino = Inicio(Posicao, Largura);
    const qsizetype n = std::min<qsizetype>(Largura, Bytes.size());
    std::copy_n(Bytes.data(), n, destino);
    std::fill(destino + n, destino + Largura, ' ');
}

bool TLinhaFixa::Numero(int Posicao, int Largura, qint64 Valor)
{
    char* destino = Inicio(Posicao, Largura);
    if (Valor < 0)
        return false;
    char digitos[20];   // a 64-bit number has at most 19
    int n = 0;
    do {
        digitos[n++] = static_cast<char>('0' + Valor % 10);
        Valor /= 10;
    } while (Valor > 0);
    if (n > Largura)
        return false;
    std::fill(destino, destino + (Largura - n), '0');
    for (int i = 0; i < n; ++i)
        destino[Largura - 1 - i] = digitos[i];
    return true;
}

void TLinhaFixa::Copia(const TLinhaFixa& Origem, int Posicao, int Largura)
{
    const QByteArrayView campo = Origem.Campo(Posicao, Largura);
    std::copy_n(campo.data(), Largura, Inicio(Posicao, Largura));
}
