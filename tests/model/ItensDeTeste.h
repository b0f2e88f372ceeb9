#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "model/items/IItensBeneficiario.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/items/TPruvItem.h"
#include "DeclaracaoDeTeste.h"

// n reais and c cents as the model holds them.
constexpr qint64 Reais(qint64 n, qint64 c = 0)
{
    return (n * 100 + c) * (TMonetario::Escala / 100);
}

// In-memory items of a declaration and its annexes, handed over by beneficiary number in the
// order they were added.
class ItensDeTeste : public IItensBeneficiario {
public:
    explicit ItensDeTeste(DeclaracaoDeTeste& declaracao)
        : FDeclaracao(declaracao)
    {}

    // An item of dono (the declaration when null) for the beneficiary, under a code of the
    // regime whose description is "Código " + code.
    TPruvItem& Adiciona(const char* ni, const char* codigo, const char* regime, TPruvAnexo* dono = nullptr,
                        bool in4 = false)
    {
        auto& item = *FItens.emplace_back(std::make_unique<TPruvItem>(FDeclaracao, dono ? *dono : FDeclaracao));
        item.GetBeneficiario().SetNi(QString::fromLatin1(ni));
        TCodigoRetencao& c = item.GetCodigoRetencao();
        c.SetCodigo(QString::fromLatin1(codigo));
        c.SetRegime(QString::fromLatin1(regime));
        c.SetResumo(QStringLiteral("Código ") + c.GetCodigo());
        c.SetIn4(in4);
        return item;
    }

    void ParaCadaItem(const TBeneficiarioPruv& Beneficiario,
                      const std::function<void(const TPruvItem&)>& Visita) override
    {
        for (const auto& item : FItens)
            if (item->GetBeneficiario().GetNi() == Beneficiario.GetNi())
                Visita(*item);
    }

private:
    DeclaracaoDeTeste& FDeclaracao;
    std::vector<std::unique_ptr<TPruvItem>> FItens;
};
