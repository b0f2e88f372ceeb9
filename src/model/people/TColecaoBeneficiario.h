#pragma once
#include <QString>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/people/TBeneficiarioPruv.h"
#include "model/storage/TColecao.h"
#include "platform/db/sqlite/TInsercao.h"

class IColecoesDeclaracao;

// The beneficiaries of one declaration (table Benef): one row per number, with its name, shared by
// every item of that beneficiary in the declaration and in its annexes. Numbers are stored without
// their check digits next to their kind ("1" CPF, "2" CNPJ). A missing name is filled in from what
// the data folder already knows: another establishment of the same company in this declaration,
// or the same number in any declaration (only while write-through is on, not in a bulk load).
class TColecaoBeneficiario final : public TColecaoDe<TBeneficiarioPruv> {
public:
    static QString NomeArquivo();   // "Benef.db"

    // Opens the table (created when missing) restricted to the declaration's rows. Raises
    // EDadosError 142 or EEspacoEmDiscoError 150. Declaracao outlives the collection.
    explicit TColecaoBeneficiario(IColecoesDeclaracao& Declaracao);
    ~TColecaoBeneficiario() override;

    // The declaration's rows, on the primary index. A find by number first restricts the rows
    // anew when the declaration has another key since.
    void AplicaFiltro();
    // Makes the beneficiary's row current. When there is none, may fill in the beneficiary's name
    // (see above); the answer stays false.
    bool Localiza(TBeneficiarioPruv& Beneficiario);
    // The current row into the beneficiary; on an empty table its number and name are cleared.
    // Raises EColecaoError 21 for a row of another declaration. Bad stored numbers and names go
    // to the beneficiary's sink.
    void LeRegistro(TBeneficiarioPruv& Beneficiario) override;
    // Loads the beneficiary's name: the stored one, or one filled in, or none. True when stored.
    bool Carrega(TBeneficiarioPruv& Beneficiario);
    // Updates or appends the beneficiary's row and posts; nothing without a number or without the
    // declaration's key. Raises EColecaoError 141.
    void GravaRegistro(TBeneficiarioPruv& Beneficiario);
    // The same in a bulk load (write-through off), by prepared statements straight from the
    // beneficiary: no dataset, no read-back. With write-through on it is GravaRegistro.
    void GravaRegistroDireto(TBeneficiarioPruv& Beneficiario);
    // Each turn forgets the beneficiary the direct writing stored last.
    void SetGravarEmDisco(bool Gravar) override;
    static void LimpaNome(TBeneficiarioPruv& Beneficiario);
    void Novo();
    // Deletes the beneficiary's row and its income statement when no item of the declaration, of
    // any owner, has it any more. Posts nothing.
    void EliminaSemItens(TBeneficiarioPruv& Beneficiario);
    // Deletes every row of the declaration, then posts.
    void ExcluiTodos();
    // After a rolled-back transaction: drops a pending edit and reads the rows again.
    void Desfaz();

    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

private:
    bool LocalizaChave(const TBeneficiarioPruv& Beneficiario);
    // Localiza, telling whether it filled in a name.
    bool Localiza(TBeneficiarioPruv& Beneficiario, bool& PreencheuNome);

    IColecoesDeclaracao& FDeclaracao;        // not owned
    std::optional<QString> FChaveFiltrada;   // the declaration's key AplicaFiltro restricted the rows to
    std::unique_ptr<TInsercao> FInsercao;    // made on the first direct write
    // The rows the direct writing of this bulk load found or stored, by their key as a number, with
    // the name stored: a beneficiary has an item under each of its codes. Forgotten whenever a row
    // may change otherwise, and for another declaration (FChaveVistos).
    std::unordered_map<qint64, QString> FVistosDireto;
    QString FChaveVistos;
};
