#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/items/TTotaisPruvItem.h"
#include "model/statements/TComprovante.h"
#include "model/statements/TQuadroRendIsentos.h"
#include "model/statements/TQuadroRendTributaveis.h"
#include "model/statements/TQuadroTribExclusiva.h"
#include "model/statements/TRendimentoParcial.h"
#include "model/values/CodigoMensagem.h"
#include "model/values/TTexto.h"

// The income statement of an individual (CPF), laid out in boxes: box 2 the nature of the income
// (the description of the code of the item with the greatest income, unless the user types
// another), box 3 the taxable income, box 4 the exempt income, box 5 the income taxed exclusively
// at source, and a partial-income line for each item of a code taxed partly each way. How an
// item enters the boxes follows its code's regime: "C" taxable, "E" exclusive, "P" partial, "F"
// not on the statement (only counted); any other regime adds its totals and 13th salary only.
class TComprovantePF final : public TComprovante {
public:
    explicit TComprovantePF(TBeneficiarioPruv& Beneficiario);   // outlives the statement

    [[nodiscard]] TTexto& GetNatureza() { return FNatureza; }   // box 2
    [[nodiscard]] const TTexto& GetNatureza() const { return FNatureza; }
    [[nodiscard]] TQuadroRendTributaveis& GetQuadro3() { return FQuadro3; }
    [[nodiscard]] const TQuadroRendTributaveis& GetQuadro3() const { return FQuadro3; }
    [[nodiscard]] TQuadroRendIsentos& GetQuadro4() { return FQuadro4; }
    [[nodiscard]] const TQuadroRendIsentos& GetQuadro4() const { return FQuadro4; }
    [[nodiscard]] TQuadroTribExclusiva& GetQuadro5() { return FQuadro5; }
    [[nodiscard]] const TQuadroTribExclusiva& GetQuadro5() const { return FQuadro5; }

    // From 0; another index raises std::out_of_range.
    [[nodiscard]] TRendimentoParcial& GetRendimentoParcial(int Indice);
    [[nodiscard]] int QuantidadeRendimentosParciais() const { return static_cast<int>(FParciais.size()); }
    // The first partial line of the code, else -1.
    [[nodiscard]] int LocalizaRendimentoParcial(const QString& Codigo) const;
    // Brings the typed shares of line Indice within the item's amounts (a line that does not
    // exist is left alone): neither share above the item's amount, the tax share not above the
    // income share, and no more exclusive tax than exclusive income.
    void AjustaRendimentoParcial(int Indice);

    // Whether the deductions typed in lines 2 to 4 of box 3 fit those of the declaration: 167
    // when they exceed them (the statement is not printed), 166 when the difference is not a
    // whole number of dependants' allowances (90,00 up to 2001, 106,00 from 2002), else 0.
    [[nodiscard]] std::uint8_t VerificaDeducoes() const;
    // Appends to Linhas, for each item with income, sub judice income or deposits, a line with
    // the code's description and its income, followed by the suspended part and the deposit
    // when there is one. A single line is not worth it and is taken out again; two or more get
    // a heading before them.
    void MontaInformacoesComplementares(QStringList& Linhas) const;
    // Box 2 holds the default nature (in any case, without surrounding blanks).
    [[nodiscard]] bool NaturezaPadrao() const;
    // The description of the code of the item with the greatest income; empty without one.
    [[nodiscard]] QString GetResumo() const;
    // The user typed something worth storing: deductions, exempt income or another nature.
    [[nodiscard]] bool PossuiValores() const;

    [[nodiscard]] bool GetAlterado() const override;
    void SetAlterado(bool Alterado) override;
    // Some item is on the statement (one of a regime other than "F").
    [[nodiscard]] bool PossuiRendimentos() const override { return !FTotais.empty(); }
    // Unless the typed deductions exceed the declaration's (VerificaDeducoes 167).
    [[nodiscard]] bool PodeImprimir() const override
    {
        return VerificaDeducoes() != CodigoMensagem::DeducoesMaioresNoComprovante;
    }
    void AdicionaItem(const TPruvItem& Item) override;
    void Limpa() override;

private:
    void AdicionaParcial(TTotaisPruvItem& Totais);

    TTexto FNatureza;
    TQuadroRendTributaveis FQuadro3;
    TQuadroRendIsentos FQuadro4;
    TQuadroTribExclusiva FQuadro5;
    std::vector<std::unique_ptr<TTotaisPruvItem>> FTotais;
    TTotaisPruvItem* FPrincipal = nullptr;   // one of FTotais: the greatest income
    // After the totals they refer to, so that they go first.
    std::vector<std::unique_ptr<TRendimentoParcial>> FParciais;
};
