#pragma once
#include <QString>

class TBanda;
class TRelatorio;
class TRotulo;
class TRotuloPagina;

// The page footer of the report forms: "Data:" with the date of the generation, whom the page
// belongs to (the declarant or a fund), "Página n de m" and, where the report marks lines that
// include the 13th salary, the note on them for the pages that carry such a line.
class TRodapeRelato final {
public:
    static constexpr qreal Altura = 44;

    // Makes the report's page footer band.
    TRodapeRelato(TRelatorio& Relatorio, const QString& NomeBanda, bool ComNota13);
    TRodapeRelato(const TRodapeRelato&) = delete;
    TRodapeRelato& operator=(const TRodapeRelato&) = delete;

    [[nodiscard]] TBanda& Banda() const { return *FBanda; }
    [[nodiscard]] TRotuloPagina& Pagina() const { return *FPagina; }

    // Whom the page being filled belongs to; the page header sets it as it prints, so that a
    // page closed by a change of section keeps the text of its own header.
    void DefineIdentificacao(const QString& Texto);
    // A line with the 13th salary landed on the page being filled: its footer carries the note,
    // which clears after it prints.
    void MarcaDecimoTerceiro() { FNota13 = true; }
    void Limpa();

private:
    TBanda* FBanda;
    TRotulo* FIdentificacao;
    TRotuloPagina* FPagina;
    TRotulo* FAsteriscos = nullptr;
    TRotulo* FNota = nullptr;
    bool FNota13 = false;
};
