#pragma once
#include <QString>
#include <QStringList>
#include <memory>

#include "DeclaracaoDeTeste.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/storage/OperacoesTabela.h"
#include "platform/db/datasets/TField.h"
#include "model/declaration/TResumo.h"
#include "model/interfaces/IColecoesDeclaracao.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TNi.h"
#include "model/values/TErro.h"

// A stored declaration reduced to what its item, beneficiary and summary collections ask of it,
// on the data folder of the running test. Codes: 0561 and 0588 (13th salary by year), 3208 with
// deductions and sub judice values, 1708 without either, 0924 with sub judice values only, all for
// both kinds of beneficiary; 3208 and 1708 also for the annexes.
class DeclaracaoArmazenada : public TPruvAnexo, public IColecoesDeclaracao {
public:
    explicit DeclaracaoArmazenada(const QString& chave = QStringLiteral("00001"),
                                  const QString& ano = QStringLiteral("2002"))
        : FAno(ano)
        , FCodigos(ano)
    {
        SetDeclarante(std::make_unique<TContribuinte>());
        TPruvAnexo::SetChave(chave);
        ArmazenaErros(&ErrosDeCarga);
        for (const char* anoDosCodigos : {"1999", "2000", "2001", "2002"}) {
            const QString a = QLatin1String(anoDosCodigos);
            FCodigos.Adiciona(QStringLiteral("0561"), a);
            FCodigos.Adiciona(QStringLiteral("0588"), a);
            FCodigos.Adiciona(QStringLiteral("3208"), a);
            FCodigos.Adiciona(QStringLiteral("1708"), a, QStringLiteral("0"), QStringLiteral("A"), false, false, false);
            FCodigos.Adiciona(QStringLiteral("0924"), a, QStringLiteral("0"), QStringLiteral("A"), false, false, true);
            FCodigos.Adiciona(QStringLiteral("3208"), a, QStringLiteral("1"));
            FCodigos.Adiciona(QStringLiteral("1708"), a, QStringLiteral("1"), QStringLiteral("A"), false, false, false);
        }
    }
    ~DeclaracaoArmazenada() override { LiberaItens(); }   // its collection reaches the ones below

    void SetAno(const QString& ano)
    {
        FAno = ano;
        FCodigos.SetAno(ano);
    }

    TColecaoPruvItem& GetItens() override
    {
        if (!Itens())
            GuardaItens(std::make_unique<TColecaoPruvItem>(*this, *this));
        return *Itens();
    }
    void SetErros(TErros* Erros) override { ArmazenaErros(Erros); }
    [[nodiscard]] bool EhAnexo() const override { return false; }

    [[nodiscard]] QString GetAno() const override { return FAno; }
    [[nodiscard]] QString GetTipoDeclaracao() const override { return QStringLiteral("O"); }
    [[nodiscard]] const TNatureza& GetNatureza() const override { return FNaturezas.GetTodas()[0]; }
    [[nodiscard]] ICodigosRetencao& GetColecaoCodigoRetencao() override { return FCodigos; }
    [[nodiscard]] QString GetChave() const override { return TPruvAnexo::GetChave(); }
    [[nodiscard]] TErros* Erros() const override { return TPruvAnexo::Erros(); }

    TPruvAnexo& GetDonoDeclaracao() override { return *this; }
    TColecaoBeneficiario& GetColecaoBeneficiario() override
    {
        if (!FBeneficiarios)
            FBeneficiarios = std::make_unique<TColecaoBeneficiario>(*this);
        return *FBeneficiarios;
    }
    TColecaoResumo& GetColecaoResumo() override
    {
        if (!FResumos)
            FResumos = std::make_unique<TColecaoResumo>(*this);
        return *FResumos;
    }
    TResumo& GetResumoTotal() override { return FResumoTotal; }
    void ExcluiComprovante(TBeneficiarioPruv& Beneficiario) override
    {
        ComprovantesExcluidos << Beneficiario.GetNiFormatado();
    }

    TErros ErrosDeCarga;
    QStringList ComprovantesExcluidos;

private:
    QString FAno;
    TabelaCodigosDeTeste FCodigos;
    TNaturezas FNaturezas;
    TResumo FResumoTotal{this};
    std::unique_ptr<TColecaoBeneficiario> FBeneficiarios;
    std::unique_ptr<TColecaoResumo> FResumos;
};

// A fund or club annex of such a declaration, with its own item collection; its row of Anexo is
// stored, as items are stored only under a stored fund.
class AnexoArmazenado : public TPruvAnexo {
public:
    AnexoArmazenado(DeclaracaoArmazenada& declaracao, const QString& chave)
        : FDeclaracao(declaracao)
    {
        SetDeclarante(std::make_unique<TContribuinte>(TContribuinte::Cnpj, true));
        SetChave(chave);
        auto tabela = CriaTabela(TColecaoAnexo::NomeArquivo());
        if (!tabela->Exists())
            tabela->CreateTable(TColecaoAnexo::Campos(), TColecaoAnexo::Indices());
        tabela->Open();
        if (!tabela->Locate(QStringLiteral("ANEXO_DK"), {chave}, 0)) {
            tabela->Append();
            tabela->FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(declaracao.GetChave());
            tabela->FieldByName(QStringLiteral("ANEXO_DK"))->SetAsString(chave);
            tabela->Post();
        }
    }
    ~AnexoArmazenado() override { LiberaItens(); }

    TColecaoPruvItem& GetItens() override
    {
        if (!Itens())
            GuardaItens(std::make_unique<TColecaoPruvItem>(FDeclaracao, *this));
        return *Itens();
    }
    void SetErros(TErros* Erros) override { ArmazenaErros(Erros); }
    [[nodiscard]] bool EhAnexo() const override { return true; }

private:
    DeclaracaoArmazenada& FDeclaracao;
};

// Valid numbers from their roots.
inline QString Cpf(const QString& raiz9)
{
    return raiz9 + CalculaDV(raiz9);
}
inline QString Cnpj(const QString& raiz12)
{
    return raiz12 + CalculaDV(raiz12);
}
