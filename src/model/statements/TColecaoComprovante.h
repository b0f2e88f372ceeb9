#pragma once
#include <functional>
#include <memory>

class IDeclaracao;
class IItensBeneficiario;
class TColecaoCompensavel;
class TColecaoComprovantePF;
class TColecaoComprovantePJ;
class TColecaoInfoCompl;
class TComprovante;

// The tables of what the user types on the income statements of one declaration (a person's
// boxes, a company's line natures, compensable shares, complementary information), loaded,
// saved and deleted a whole statement at a time; the statement's class decides which tables take
// part. A save or delete is all or nothing: on failure every table is as it was before the call,
// and the error raised is the collection's numbered message (EColecaoError 141).
class TColecaoComprovante final {
public:
    // The items of a declaration and its annexes, by beneficiary: the declaration's item
    // collection, asked again for every load (the declaration may have made it anew).
    using TFonteItens = std::function<IItensBeneficiario&()>;

    // Opens the four tables (created when missing). Raises EDadosError 142 or
    // EEspacoEmDiscoError 150. Declaracao outlives the holder.
    TColecaoComprovante(IDeclaracao& Declaracao, TFonteItens Itens);
    ~TColecaoComprovante();
    TColecaoComprovante(const TColecaoComprovante&) = delete;
    TColecaoComprovante& operator=(const TColecaoComprovante&) = delete;

    // Assembles the statement from its beneficiary's items (it is not cleared first), then loads
    // what was typed on it. True when any of its tables held a row for it; false for a statement
    // that is neither a person's nor a company's.
    bool Carrega(TComprovante& Comprovante);
    // Writes what was typed on the statement. A person's statement that was changed and holds
    // nothing worth storing loses its boxes row.
    void Salva(TComprovante& Comprovante);
    // Deletes the statement's rows; the lines walked are those of the statement as last loaded.
    void Exclui(TComprovante& Comprovante);
    // Deletes every row of the declaration in the four tables.
    void ExcluiTodos();

private:
    // Runs Acao as one transaction over the four tables; on failure every table reads again what
    // is stored.
    void EmTransacao(const std::function<void()>& Acao);
    void Desfaz();

    TFonteItens FItens;
    std::unique_ptr<TColecaoComprovantePF> FPF;
    std::unique_ptr<TColecaoComprovantePJ> FPJ;
    std::unique_ptr<TColecaoCompensavel> FCompensavel;
    std::unique_ptr<TColecaoInfoCompl> FInfoCompl;
};
