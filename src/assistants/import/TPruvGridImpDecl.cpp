#include "assistants/import/TPruvGridImpDecl.h"

#include <QStringList>

namespace {

const char16_t* const Identificacao[] = {
    u"Ordem", u"Tipo", u"CPF/CNPJ", u"Cód.", u"T.Ben.", u"CPF/CNPJ", u"Nome/Nome Empresarial"};
constexpr int Larguras[] = {50, 25, 86, 32, 37, 86, 180};   // at least
const char16_t* const Valores[] = {u"Rend. ", u"Dedução ", u"Imposto "};
const char16_t* const Periodos[] = {u"Jan", u"Fev", u"Mar", u"Abr", u"Mai", u"Jun", u"Jul",
                                    u"Ago", u"Set", u"Out", u"Nov", u"Dez", u"13°"};

QStringList Titulos()
{
    QStringList titulos;
    for (int c = 0; c < TPruvGridImpDecl::Colunas; ++c)
        titulos << TPruvGridImpDecl::Titulo(c);
    return titulos;
}

}   // namespace

TPruvGridImpDecl::TPruvGridImpDecl(QWidget* parent)
    : TPruvGridAmostra(Titulos(), 20, parent)
{
    for (int c = 0; c < static_cast<int>(std::size(Larguras)); ++c)
        DefineLarguraMinima(c, Larguras[c]);
}

QString TPruvGridImpDecl::Titulo(int ACol)
{
    if (ACol < 0 || ACol >= Colunas)
        return {};
    if (ACol < 7)
        return QString::fromUtf16(Identificacao[ACol]);
    const int k = ACol - 7;
    return QString::fromUtf16(Valores[k % 3]) + QString::fromUtf16(Periodos[k / 3]);
}

int TPruvGridImpDecl::Alinhamento(int ACol) const
{
    switch (ACol) {
    case 0:
    case 1:
    case 3:
    case 4:
        return alCentro;
    case 2:
    case 5:
    case 6:
        return alEsquerda;
    default:
        return alDireita;
    }
}

void TPruvGridImpDecl::Limpa()
{
    for (int l = 1; l <= 20; ++l)
        for (int c = 0; c < Colunas; ++c)
            SetTexto(c, l, QString());
    AjustaLarguras();
    update();
}
