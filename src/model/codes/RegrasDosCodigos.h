#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>

// The rules that tie a withholding code to the calendar year: which codes keep a 13th salary,
// which codes the act ADE 9/2002 ended, and which annex variants the summary leaves out. Codes
// and years are compared as text ("0588", "2002"), as they are stored.
namespace RegrasDosCodigos {

// Month 13 (the 13th salary) holds values only for code "0561", and for code "0588" from the
// calendar year "2002" on; for any kind of beneficiary.
[[nodiscard]] bool DecimoTerceiro(QStringView Codigo, QStringView Ano);

// ADE 9/2002 ended, after January, code "8045" for persons (message 170) and codes "6799",
// "3249" and "3251" for everyone (message 171).
struct TCodigoExtinto {
    QLatin1String Codigo;
    bool SoPessoaFisica;
    std::uint8_t Mensagem;
};
// The act's entry of Codigo; nullptr when the act does not name it.
[[nodiscard]] const TCodigoExtinto* ExtintoPelaAde(QStringView Codigo);
// The message of Codigo for this beneficiary; 0 when the act does not touch it. PessoaFisica()
// is asked only for a code that the act ended for persons alone.
template <typename Pergunta> [[nodiscard]] std::uint8_t MensagemAde(QStringView Codigo, Pergunta&& PessoaFisica)
{
    const TCodigoExtinto* extinto = ExtintoPelaAde(Codigo);
    return extinto && (!extinto->SoPessoaFisica || PessoaFisica()) ? extinto->Mensagem : 0;
}
// The years differ on purpose: the item's checks (verification, save, import) apply the act to
// every calendar year from "2002" on, while the month grid refuses a typed amount only in a
// declaration of "2002" itself.
[[nodiscard]] bool AdeNasVerificacoes(QStringView Ano);
[[nodiscard]] bool AdeNaDigitacao(QStringView Ano);

// The summary leaves out the annex variant (Anexo "1") of code "0924" from "2000" on, of code
// "3223" from "2002" on, and of codes "0490", "5286", "0924", "5232", "6799", "6800" and "6813"
// in "1999".
[[nodiscard]] bool VarianteAnexoExcluida(QStringView Codigo, QStringView Anexo, QStringView Ano);

}   // namespace RegrasDosCodigos
