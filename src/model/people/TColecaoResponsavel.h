#pragma once
#include <QString>
#include <vector>

#include "model/people/TResponsavel.h"
#include "model/storage/TColecao.h"

// The persons responsible for filling in declarations (table Respons), one row per CPF, shared
// by every declaration: a declaration keeps only the person's CPF, and the name, phones and
// e-mail come from here. The fax has no area code of its own: it takes the phone's on reading.
class TColecaoResponsavel final : public TColecaoDe<TResponsavel> {
public:
    static QString NomeArquivo();   // "Respons.db"

    // Creates the table on first use and opens it. Raises EDadosError 142 or
    // EEspacoEmDiscoError 150 (the table is then open).
    TColecaoResponsavel();
    ~TColecaoResponsavel() override;

    using TColecao::Exclui;

    // Reads the current row into the person through the setters that collect their errors in
    // the person's sink, so a bad stored value never raises while a sink is set.
    void LeRegistro(TResponsavel& Pessoa) override;
    void Insere(const TResponsavel& Pessoa);   // appends a row and leaves it being inserted
    void LimpaDados(TResponsavel& Pessoa);     // name, phone, fax and e-mail; the CPF stays
    void Exclui(TResponsavel& Pessoa);         // the person's row, when there is one
    // Clears filter and range, orders by CPF and makes the person's row current; whether found.
    bool Localiza(const TResponsavel& Pessoa);
    // The stored data of the person's CPF, or every field but the CPF cleared when none is stored.
    bool Carrega(TResponsavel& Pessoa);
    // Updates the row of the person's CPF, or inserts it. Raises EColecaoError 141; the row is
    // then as it was before the call.
    void Salva(const TResponsavel& Pessoa);
    // Restricts the table to the person's row, by range and by the filter line "NR_PF = " + root.
    void Filtra(const TResponsavel& Pessoa);

    // The table's schema: the primary index on NR_PF, no other.
    static std::vector<TFieldDef> Campos();
    static std::vector<TIndexDef> Indices();
};
