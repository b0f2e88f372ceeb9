#include "platform/report/pages/TPapel.h"

#include "platform/report/pages/TUnidades.h"

namespace {

struct TCodigoPapel {
    int Codigo;
    QPageSize::PageSizeId Tamanho;
};

// In code order; where two codes share a size, the first is the one a size maps back to.
constexpr TCodigoPapel CodigosPapel[] = {
    {1, QPageSize::Letter},
    {2, QPageSize::Letter},
    {3, QPageSize::Tabloid},
    {4, QPageSize::Ledger},
    {5, QPageSize::Legal},
    {6, QPageSize::Statement},
    {7, QPageSize::ExecutiveStandard},
    {8, QPageSize::A3},
    {9, QPageSize::A4},
    {10, QPageSize::A4},
    {11, QPageSize::A5},
    {12, QPageSize::JisB4},
    {13, QPageSize::JisB5},
    {14, QPageSize::FanFoldGermanLegal},
    {24, QPageSize::AnsiC},
    {25, QPageSize::AnsiD},
    {26, QPageSize::AnsiE},
};

}   // namespace

TPapel::TPapel()
{
    DefineMargensEmMilimetros(10, 10, 10, 10);
}

void TPapel::DefineCodigo(int codigo)
{
    FCodigo = CodigoValido(codigo) ? codigo : 1;
}

void TPapel::DefineMargensEmMilimetros(qreal superior, qreal inferior, qreal esquerda, qreal direita)
{
    MargemSuperior = TUnidades::DeMilimetros(superior);
    MargemInferior = TUnidades::DeMilimetros(inferior);
    MargemEsquerda = TUnidades::DeMilimetros(esquerda);
    MargemDireita = TUnidades::DeMilimetros(direita);
}

qreal TPapel::Largura() const
{
    const QSizeF mm = Tamanho().size(QPageSize::Millimeter);
    const qreal lado = FOrientacao == TOrientacao::Retrato ? mm.width() : mm.height();
    return TUnidades::DeMilimetros(lado);
}

qreal TPapel::Altura() const
{
    const QSizeF mm = Tamanho().size(QPageSize::Millimeter);
    const qreal lado = FOrientacao == TOrientacao::Retrato ? mm.height() : mm.width();
    return TUnidades::DeMilimetros(lado);
}

QPageSize TPapel::Tamanho() const
{
    return QPageSize(TamanhoDoCodigo(FCodigo));
}

QPageLayout TPapel::Leiaute() const
{
    return QPageLayout(Tamanho(), FOrientacao == TOrientacao::Retrato ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0));
}

bool TPapel::CodigoValido(int codigo)
{
    return (codigo >= 1 && codigo <= 14) || (codigo >= 24 && codigo <= 26);
}

QPageSize::PageSizeId TPapel::TamanhoDoCodigo(int codigo)
{
    for (const auto& c : CodigosPapel)
        if (c.Codigo == codigo)
            return c.Tamanho;
    return QPageSize::Letter;
}

int TPapel::CodigoDoTamanho(QPageSize::PageSizeId tamanho)
{
    for (const auto& c : CodigosPapel)
        if (c.Tamanho == tamanho)
            return c.Codigo;
    return 0;
}
