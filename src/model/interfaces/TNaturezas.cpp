#include "model/interfaces/TNaturezas.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

TNatureza::TNatureza(std::uint8_t Codigo, QString Descricao)
    : FCodigo(Codigo)
    , FDescricao(std::move(Descricao))
{}

TNaturezas::TNaturezas()
    : FTodas{{
        {0,
         QStringLiteral(
             "Pessoa Jurídica de Direito Privado EXCETO administradora de Fundos ou Clubes de Investimentos")},
        {1, QStringLiteral("Órgão, autarquia ou fundação da administração pública federal")},
        {2, QStringLiteral("Órgão, autarquia ou fundação da administração pública estadual ou municipal")},
        {3, QStringLiteral("Pessoa Jurídica de Direito Privado administradora de Fundos ou Clubes de Investimentos")},
        {4, QStringLiteral("Fundo de Investimento Imobiliário equiparado à Pessoa Jurídica")},
        {0, QString()},
        {0, QStringLiteral("Pessoa Jurídica de Direito Privado")},
        {2, QStringLiteral("Órgão, autarquia ou fundação da administração pública estadual ou municipal")},
        {0, QStringLiteral("Pessoa Física")},
        {0, QStringLiteral("Pessoa Jurídica")},
    }}
{}

void TNaturezas::AdicionaDisponivel(TNatureza& Natureza)
{
    if (std::none_of(FTodas.begin(), FTodas.end(), [&Natureza](const TNatureza& n) { return &n == &Natureza; }))
        throw std::logic_error("a nature made available must come from its own table");
    if (FDisponiveis.size() >= MaximoDisponiveis)
        throw std::logic_error("the list of available natures is full");
    FDisponiveis.push_back(&Natureza);
}

TNatureza* TNaturezas::GetDisponivel(std::uint8_t Codigo) const
{
    const auto achada = std::find_if(FDisponiveis.begin(), FDisponiveis.end(),
                                     [Codigo](const TNatureza* n) { return n->GetCodigo() == Codigo; });
    return achada == FDisponiveis.end() ? nullptr : *achada;
}

std::int8_t TNaturezas::IndiceDisponivel(const TNatureza* Natureza) const
{
    const auto achada = std::find(FDisponiveis.begin(), FDisponiveis.end(), Natureza);
    return achada == FDisponiveis.end() ? std::int8_t{-1} : static_cast<std::int8_t>(achada - FDisponiveis.begin());
}
