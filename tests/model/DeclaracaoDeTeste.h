#pragma once
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

#include "model/codes/ICodigosRetencao.h"
#include "model/codes/TCodigoRetencao.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/interfaces/TNaturezas.h"

// In-memory withholding-code table of one year, searched as the real one is: the code in the
// year on the asked side of the annex flag, then in the year on either side, then in any year.
class TabelaCodigosDeTeste : public ICodigosRetencao {
public:
    explicit TabelaCodigosDeTeste(QString ano = QStringLiteral("2002"))
        : FAno(std::move(ano))
    {}

    void SetAno(const QString& ano) { FAno = ano; }
    // A row, replacing the one of the same code, year and annex flag; pfPj "F", "J" or "A" (both).
    TCodigoRetencao& Adiciona(const QString& codigo, const QString& ano, const QString& anexo = QStringLiteral("0"),
                              const QString& pfPj = QStringLiteral("A"), bool deducao = true, bool in4 = false,
                              bool subJudice = true)
    {
        TCodigoRetencao linha;
        linha.SetCodigo(codigo);
        linha.SetAno(ano);
        linha.SetAnexo(anexo);
        linha.SetPfPjAmbos(pfPj);
        linha.SetResumo(QStringLiteral("Código ") + codigo);
        linha.SetDeducao(deducao);
        linha.SetIn4(in4);
        linha.SetSubJudice(subJudice);
        for (TCodigoRetencao& existente : FLinhas)
            if (existente.GetCodigo() == codigo && existente.GetAno() == ano && existente.GetAnexo() == anexo)
                return existente = linha;
        FLinhas.push_back(linha);
        return FLinhas.back();
    }

    bool BuscaCodigo(TCodigoRetencao& Codigo, const QString& Anexo) override
    {
        const auto busca = [&](auto&& aceita) {
            for (const TCodigoRetencao& linha : FLinhas)
                if (linha.GetCodigo() == Codigo.GetCodigo() && aceita(linha)) {
                    linha.CopiaPara(Codigo);
                    return true;
                }
            return false;
        };
        return busca([&](const TCodigoRetencao& l) { return l.GetAno() == FAno && l.GetAnexo() == Anexo; })
            || busca([&](const TCodigoRetencao& l) { return l.GetAno() == FAno; })
            || busca([](const TCodigoRetencao&) { return true; });
    }

private:
    QString FAno;
    std::vector<TCodigoRetencao> FLinhas;
};

// A declaration reduced to what items and summaries ask of it.
class DeclaracaoDeTeste : public TPruvAnexo, public IDeclaracao {
public:
    DeclaracaoDeTeste()
    {
        SetDeclarante(std::make_unique<TContribuinte>());
        TPruvAnexo::SetChave(QStringLiteral("00001"));
    }

    QString Ano = QStringLiteral("2002");
    QString Tipo = QStringLiteral("O");
    TNaturezas Naturezas;
    const TNatureza* Natureza = &Naturezas.GetTodas()[0];   // code 0
    TabelaCodigosDeTeste Codigos;

    void SetAno(const QString& ano)
    {
        Ano = ano;
        Codigos.SetAno(ano);
    }

    TColecaoPruvItem& GetItens() override { throw std::logic_error("sem coleção de itens nos testes"); }
    void SetErros(TErros* Erros) override { ArmazenaErros(Erros); }
    [[nodiscard]] bool EhAnexo() const override { return false; }

    [[nodiscard]] QString GetAno() const override { return Ano; }
    [[nodiscard]] QString GetTipoDeclaracao() const override { return Tipo; }
    [[nodiscard]] const TNatureza& GetNatureza() const override { return *Natureza; }
    [[nodiscard]] ICodigosRetencao& GetColecaoCodigoRetencao() override { return Codigos; }
    [[nodiscard]] QString GetChave() const override { return TPruvAnexo::GetChave(); }
    [[nodiscard]] TErros* Erros() const override { return TPruvAnexo::Erros(); }
};

// A fund or club annex of a declaration.
class AnexoDeTeste : public TPruvAnexo {
public:
    explicit AnexoDeTeste(QString chave = QStringLiteral("00007"))
    {
        SetDeclarante(std::make_unique<TContribuinte>(TContribuinte::Cnpj, true));
        SetChave(chave);
    }

    TColecaoPruvItem& GetItens() override { throw std::logic_error("sem coleção de itens nos testes"); }
    void SetErros(TErros* Erros) override { ArmazenaErros(Erros); }
    [[nodiscard]] bool EhAnexo() const override { return true; }
};
