#pragma once
#include <QString>

#include "model/statements/TColecaoComprovantePFBasica.h"

class TTexto;

// The complementary information of the income statements (table InfoComp), of persons and of
// companies alike: one row per declaration, beneficiary and text. A statement has two texts; the
// selector IN4 tells which one every operation addresses: "0" the ordinary text, "1" the text
// for the codes exclusive to federal public bodies.
class TColecaoInfoCompl final : public TColecaoComprovantePFBasica {
public:
    // Creates the table when the database lacks it, opens it, shows the declaration's rows and
    // moves to the first. The selector starts at "0". Raises EDadosError 142 or
    // EEspacoEmDiscoError 150.
    explicit TColecaoInfoCompl(IDeclaracao& Declaracao);   // Declaracao outlives the collection
    // The columns and indexes of its table, made by the constructor when missing.
    [[nodiscard]] static std::vector<TFieldDef> Campos();
    [[nodiscard]] static std::vector<TIndexDef> Indices();

    [[nodiscard]] const QString& GetIN4() const { return FIN4; }
    void SetIN4(const QString& IN4) { FIN4 = IN4; }

    // By declaration key, selector, the beneficiary's kind and number without check digits.
    bool Localiza(const TComprovante& Comprovante) override;
    // Reads the current row into the selected text; an empty table clears it. A row of another
    // declaration raises EColecaoError 21.
    void LeRegistro(TComprovante& Comprovante) override;
    void LimpaDados(TComprovante& Comprovante) override;
    // Writes the selected text; a changed statement whose text is empty loses its row instead.
    // Nothing without a declaration key, a beneficiary number or a selector. Raises
    // EColecaoError 141; the table is then as it was.
    void Salva(TComprovante& Comprovante) override;

protected:
    void FiltraChave(const QString& Chave) override;

private:
    [[nodiscard]] TTexto& Texto(TComprovante& Comprovante) const;

    QString FIN4 = QStringLiteral("0");
};
