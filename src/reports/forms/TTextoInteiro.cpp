#include "reports/forms/TTextoInteiro.h"

#include <QStringList>

#include "platform/report/bands/TBanda.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/pages/TUnidades.h"
#include "reports/forms/FormularioRelato.h"

namespace {

// The label's line in that font, its baseline at Base.
void Coloca(TRotulo& Rotulo, const QFont& Fonte, qreal Base)
{
    Rotulo.Fonte = Fonte;
    Rotulo.Topo = Base - TMedidaTexto::Ascendente(Fonte);
    Rotulo.Altura = TMedidaTexto::AlturaLinha(Fonte) + 1;
}

}   // namespace

TTextoInteiro::TTextoInteiro(TBanda& Banda, TRotulo& Rotulo, qreal Direita, qreal Fundo)
    : FRotulo(Rotulo)
    , FSegunda(
          Banda.AdicionaRotulo(Rotulo.Nome() + QLatin1Char('2'), QString(), Rotulo.Esquerda, Rotulo.Topo, Rotulo.Fonte))
    , FFonte(Rotulo.Fonte)
    , FDireita(Direita)
    , FFundo(Fundo)
{
    FSegunda.Habilitado = false;
    FSegunda.AutoTamanho = false;
    Preenche(Rotulo.Texto);
}

namespace {

// The size a font prints in: whole pixels of the device the pages are recorded on.
int Pixels(qreal Pontos)
{
    return qRound(TUnidades::DePontos(Pontos));
}

}   // namespace

void TTextoInteiro::Preenche(const QString& Texto)
{
    FSegunda.Texto.clear();
    FSegunda.Habilitado = false;
    FRotulo.Texto = Texto;
    EncolheNaColuna(FRotulo, FFonte, FDireita);
    // One line stays where it prints above the floor: a line shrunk down to the floor's own
    // print size reads smaller than the floor beside the texts around it.
    const int umaLinha = Pixels(FRotulo.Fonte.pointSizeF());
    if (umaLinha > Pixels(PontosLegiveis))
        return;
    const qreal base = FRotulo.Topo + TMedidaTexto::Ascendente(FRotulo.Fonte);
    QFont fonte = FFonte;
    // A tenth of a point less at a time, as the one line shrinks; two lines only where they
    // print larger than the one.
    for (qreal pontos = FFonte.pointSizeF(); pontos >= PontosLegiveis - 1e-6 && Pixels(pontos) > umaLinha;
         pontos -= 0.1) {
        fonte.setPointSizeF(pontos);
        const qreal baseSegunda = base + TMedidaTexto::AlturaLinha(fonte);
        const qreal descendente = TMedidaTexto::AlturaLinha(fonte) - TMedidaTexto::Ascendente(fonte);
        if (baseSegunda + descendente > FFundo)
            continue;
        const QStringList linhas = DivideEmDuas(fonte, Texto, FRotulo.Largura);
        if (linhas.size() != 2)
            continue;
        FRotulo.Texto = linhas[0];
        Coloca(FRotulo, fonte, base);
        FSegunda.Texto = linhas[1];
        FSegunda.Esquerda = FRotulo.Esquerda;
        FSegunda.Largura = FRotulo.Largura;
        Coloca(FSegunda, fonte, baseSegunda);
        FSegunda.Habilitado = FRotulo.Habilitado;
        return;
    }
}

bool TTextoInteiro::EmDuasLinhas() const
{
    return FSegunda.Habilitado;
}

qreal TTextoInteiro::Fim() const
{
    const TRotulo& ultima = EmDuasLinhas() ? FSegunda : FRotulo;
    return ultima.Topo + TMedidaTexto::AlturaLinha(ultima.Fonte);
}

QStringList TTextoInteiro::DivideEmDuas(const QFont& Fonte, const QString& Texto, qreal Largura)
{
    const auto cabe = [&](const QString& linha) { return TMedidaTexto::Largura(Fonte, linha) <= Largura; };
    // The longest first line that fits, broken where the rule allows; -1 when none.
    const auto quebra = [&](const auto& pode) {
        for (qsizetype i = Texto.size() - 1; i > 0; --i)
            if (pode(i) && cabe(Texto.left(i).trimmed()))
                return i;
        return qsizetype(-1);
    };
    static const QString depoisDe = QStringLiteral(".@-_/");
    qsizetype onde = quebra([&](qsizetype i) { return Texto.at(i) == QLatin1Char(' '); });
    if (onde < 0)
        onde = quebra([&](qsizetype i) { return depoisDe.contains(Texto.at(i - 1)); });
    if (onde < 0)
        onde = quebra([&](qsizetype i) { return !Texto.at(i).isLowSurrogate(); });
    if (onde < 0)
        return {};
    const QStringList linhas{Texto.left(onde).trimmed(), Texto.mid(onde).trimmed()};
    if (linhas[0].isEmpty() || linhas[1].isEmpty() || !cabe(linhas[1]))
        return {};
    return linhas;
}
