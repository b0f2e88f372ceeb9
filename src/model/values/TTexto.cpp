#include "model/values/TTexto.h"

void TTexto::SetTexto(const QString& Texto)
{
    FTexto = Apara(Texto);
    Notifica();
}

void TTexto::Limpa()
{
    FTexto.clear();
    Notifica();
}

QString TTexto::Apara(const QString& Texto)
{
    qsizetype inicio = 0;
    qsizetype fim = Texto.size();
    while (inicio < fim && Texto.at(inicio).unicode() <= 0x20)
        ++inicio;
    while (fim > inicio && Texto.at(fim - 1).unicode() <= 0x20)
        --fim;
    return Texto.mid(inicio, fim - inicio);
}
