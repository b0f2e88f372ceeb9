#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "model/codes/TCodigoRetencao.h"
#include "model/statements/TComprovante.h"
#include "model/statements/TRendimentoMensalPJ.h"

// The income statement of a legal entity (CNPJ): one line per item and month with income, in
// the order the items are added, each with the nature of its income. Items of codes of regime
// "F" are only counted. Lines of codes exclusive to federal public bodies are printed on a
// statement of their own, so the statement notes which kinds of line it holds.
class TComprovantePJ final : public TComprovante {
public:
    explicit TComprovantePJ(TBeneficiarioPruv& Beneficiario);   // outlives the statement

    [[nodiscard]] int QuantidadeLinhas() const { return static_cast<int>(FLinhas.size()); }
    // From 0; another index raises std::out_of_range.
    [[nodiscard]] TRendimentoMensalPJ& GetLinha(int Indice);
    [[nodiscard]] const TRendimentoMensalPJ& GetLinha(int Indice) const;
    // The first line of the code and month, else -1.
    [[nodiscard]] int LocalizaLinha(const QString& Codigo, int Mes) const;
    // Some line is of a code exclusive to federal public bodies; some line is of another code.
    [[nodiscard]] bool PossuiLinhasIN4() const { return FPossuiLinhasIN4; }
    [[nodiscard]] bool PossuiLinhasOutros() const { return FPossuiLinhasOutros; }

    [[nodiscard]] bool GetAlterado() const override;
    void SetAlterado(bool Alterado) override;
    // Some line of either kind.
    [[nodiscard]] bool PossuiRendimentos() const override { return FPossuiLinhasIN4 || FPossuiLinhasOutros; }
    void AdicionaItem(const TPruvItem& Item) override;
    void Limpa() override;

private:
    std::vector<std::unique_ptr<TCodigoRetencao>> FCodigos;   // the items' codes, one per item
    // After the codes they refer to, so that they go first.
    std::vector<std::unique_ptr<TRendimentoMensalPJ>> FLinhas;
    bool FPossuiLinhasIN4 = false;
    bool FPossuiLinhasOutros = false;
};
