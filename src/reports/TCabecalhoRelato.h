#pragma once
#include <QString>
#include <vector>

class TBanda;
class TPruv;
class TRotulo;

// The labels that every page header of a declaration's reports carries: the calendar year, the
// type, optionally the special situation, the declarant's number and name with the captions of
// its kind; and the block of the fund or club whose annex the page belongs to.
class TCabecalhoRelato final {
public:
    // The declaration's block on the band, two lines from Topo.
    TCabecalhoRelato(TBanda& Banda, qreal Topo, bool SituacaoEspecial);
    TCabecalhoRelato(const TCabecalhoRelato&) = delete;
    TCabecalhoRelato& operator=(const TCabecalhoRelato&) = delete;

    // The fund's block from Topo, on one line or on two; hidden until MostraFundo.
    void CriaFundo(qreal Topo, bool DuasLinhas);

    void Preenche(TPruv& Pruv);
    // Shows the fund's formatted CNPJ and name, or hides the block.
    void MostraFundo(bool Mostra, const QString& Cnpj = {}, const QString& Nome = {});

    // "CPF" or "CNPJ", and "Nome" or "Nome Empresarial", by the kind of the number (a CPF has 11
    // digits; anything else counts as a CNPJ).
    [[nodiscard]] static QString TituloNi(bool Cpf) { return Cpf ? QStringLiteral("CPF") : QStringLiteral("CNPJ"); }
    [[nodiscard]] static QString TituloNome(bool Cpf)
    {
        return Cpf ? QStringLiteral("Nome") : QStringLiteral("Nome Empresarial");
    }

private:
    TBanda& FBanda;
    TRotulo* FAno;
    TRotulo* FTipo;
    TRotulo* FEncerra = nullptr;
    TRotulo* FTituloNi;
    TRotulo* FNi;
    TRotulo* FTituloNome;
    TRotulo* FNome;
    std::vector<TRotulo*> FFundo;
    TRotulo* FCnpjFundo = nullptr;
    TRotulo* FNomeFundo = nullptr;
};
