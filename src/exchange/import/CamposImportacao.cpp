#include "exchange/import/CamposImportacao.h"

qsizetype TamanhoSemBrancosFinais(const QString& Texto)
{
    qsizetype fim = Texto.size();
    while (fim > 0 && Texto.at(fim - 1) <= QLatin1Char(' '))
        --fim;
    return fim;
}

bool SemConteudo(QStringView Texto)
{
    for (const QChar c : Texto)
        if (c > QLatin1Char(' '))
            return false;
    return true;
}

bool PassaDe(QStringView Texto, qsizetype Tamanho)
{
    return Texto.size() > Tamanho && !SemConteudo(Texto.sliced(qMax<qsizetype>(Tamanho, 0)));
}

QString RetiraBrancosFinais(const QString& Texto)
{
    return Texto.left(TamanhoSemBrancosFinais(Texto));
}

QString CampoLinha(const QString& Linha, int Inicio, int Tamanho)
{
    if (Inicio < 1 || Tamanho <= 0)
        return {};
    // Most lines hold the whole field: copied once, with no padding to look at.
    if (Linha.size() >= qsizetype{Inicio} - 1 + Tamanho)
        return QString(Linha.constData() + (Inicio - 1), Tamanho);
    return Linha.mid(Inicio - 1, Tamanho).leftJustified(Tamanho, QLatin1Char(' '));
}

bool MesmoCampo(QStringView Linha, QStringView Outra, int Inicio, int Tamanho)
{
    if (Inicio < 1 || Tamanho <= 0)
        return true;
    const qsizetype fim = qsizetype{Inicio} - 1 + Tamanho;
    if (Linha.size() >= fim && Outra.size() >= fim)
        return Linha.sliced(Inicio - 1, Tamanho) == Outra.sliced(Inicio - 1, Tamanho);
    for (qsizetype i = Inicio - 1; i < fim; ++i) {
        const QChar a = i < Linha.size() ? Linha[i] : QLatin1Char(' ');
        const QChar b = i < Outra.size() ? Outra[i] : QLatin1Char(' ');
        if (a != b)
            return false;
    }
    return true;
}

QChar CaractereLinha(const QString& Linha, int Posicao)
{
    return Posicao >= 1 && Posicao <= Linha.size() ? Linha.at(Posicao - 1) : QLatin1Char(' ');
}

bool EmBranco(const QString& Texto)
{
    for (const QChar c : Texto)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}
