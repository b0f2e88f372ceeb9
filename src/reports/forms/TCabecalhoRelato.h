#pragma once
#include <QString>
#include <memory>
#include <vector>

class TBanda;
class TDeclaranteAnexo;
class TPruv;
class TRotulo;
class TTextoInteiro;

// The labels that every page header of a declaration's reports carries: the calendar year, the
// type, optionally the special situation, the declarant's number and name with the captions of
// its kind; and the block of the fund or club whose annex the pages belong to from its start on.
class TCabecalhoRelato final {
public:
    // The declaration's block on the band, two lines from Topo; names end at Largura, the
    // band's width, in a smaller size where they would pass it, or on a second line where one
    // would be too small to read and the band has the room above Fundo, where what follows the
    // declarant's line begins (TTextoInteiro).
    TCabecalhoRelato(TBanda& Banda, qreal Topo, bool SituacaoEspecial, qreal Largura, qreal Fundo);
    ~TCabecalhoRelato();
    TCabecalhoRelato(const TCabecalhoRelato&) = delete;
    TCabecalhoRelato& operator=(const TCabecalhoRelato&) = delete;

    // The fund's block from Topo, on one line or on two, its name held as the declarant's above
    // Fundo; hidden until MostraFundo.
    void CriaFundo(qreal Topo, bool DuasLinhas, qreal Fundo);

    void Preenche(TPruv& Pruv);

    // The pages that follow belong to the fund; its number and name are kept, so that the
    // walk may go on to the next annex while the last page of this one is still open.
    void IniciaFundo(const TDeclaranteAnexo& Fundo);
    // Back to the declaration's own pages.
    void SaiDoFundo();
    [[nodiscard]] bool NoFundo() const { return FNoFundo; }
    [[nodiscard]] const QString& CnpjFundo() const { return FCnpjFundo; }
    // Shows the fund's block with its formatted CNPJ and name when the pages belong to a fund,
    // else hides it.
    void MostraFundo();

    // "CPF" or "CNPJ", and "Nome" or "Nome Empresarial", by the kind of the number (a CPF has 11
    // digits; anything else counts as a CNPJ).
    // Where the declarant's name starts, and its size: wherever else a page shows that name
    // it is placed the same, so that it prints the same.
    static constexpr qreal EsquerdaNome = 335;
    static constexpr qreal PontosNome = 9;

    [[nodiscard]] static QString TituloNi(bool Cpf) { return Cpf ? QStringLiteral("CPF") : QStringLiteral("CNPJ"); }
    [[nodiscard]] static QString TituloNome(bool Cpf)
    {
        return Cpf ? QStringLiteral("Nome") : QStringLiteral("Nome Empresarial");
    }

private:
    TBanda& FBanda;
    qreal FLargura;
    TRotulo* FAno;
    TRotulo* FTipo;
    TRotulo* FEncerra = nullptr;
    TRotulo* FTituloNi;
    TRotulo* FNi;
    TRotulo* FTituloNome;
    std::unique_ptr<TTextoInteiro> FNome;
    std::vector<TRotulo*> FFundo;
    TRotulo* FRotuloCnpjFundo = nullptr;
    std::unique_ptr<TTextoInteiro> FRotuloNomeFundo;
    bool FNoFundo = false;
    QString FCnpjFundo;
    QString FNomeFundo;
};
