#pragma once
#include <memory>

#include "model/values/TErro.h"

class TBanda;
class TColecaoPruv;
class TPruv;
class TRelatorio;
class TRodapeRelato;
class TRotulo;

// The management list ("Relatório Gerencial"), Letter portrait: one block per stored
// declaration, in the collection's order, with the declarant, the calendar year, the special
// situation, the type, the persons responsible, the date of the last writing for delivery, the
// number of volumes and of funds or clubs.
class TFoRelatoGerencial final {
public:
    static constexpr char Nome[] = "FoRelatoGerencial";

    // Colecao outlives the form; its current row moves while the report is generated.
    explicit TFoRelatoGerencial(TColecaoPruv& Colecao);
    ~TFoRelatoGerencial();
    TFoRelatoGerencial(const TFoRelatoGerencial&) = delete;
    TFoRelatoGerencial& operator=(const TFoRelatoGerencial&) = delete;

    [[nodiscard]] TRelatorio& QRRelatoGerencial() const { return *FRelatorio; }

    void Visualiza();
    bool Imprime();

private:
    void CriaDetalhe();
    bool PrecisaDados();
    void Preenche(TPruv& Pruv);

    TColecaoPruv& FColecao;
    TErros FErros;
    std::unique_ptr<TPruv> FPruv;
    std::unique_ptr<TRelatorio> FRelatorio;
    std::unique_ptr<TRodapeRelato> FRodape;
    TBanda* FDetalhe = nullptr;
    TRotulo* FDeclarante = nullptr;
    TRotulo* FTituloNome = nullptr;
    TRotulo* FNome = nullptr;
    TRotulo* FAno = nullptr;
    TRotulo* FTituloSituacao = nullptr;
    TRotulo* FSituacao = nullptr;
    TRotulo* FTipo = nullptr;
    TRotulo* FRespCnpj = nullptr;
    TRotulo* FCpfResponsavel = nullptr;
    TRotulo* FNomeResponsavel = nullptr;
    TRotulo* FDataGravacao = nullptr;
    TRotulo* FDisquetes = nullptr;
    TRotulo* FFundos = nullptr;
    int FQuantidade = 0;
    int FTratadas = 0;
};

// Previews or prints the management list over every stored declaration (codes 7 and 8).
void ImprimeRelatoGerencial(TColecaoPruv& Colecao, bool Visualiza);
