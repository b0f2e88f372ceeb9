#pragma once
#include "platform/report/IImpressoras.h"

// The machine's printers. Without any, the PDF stand-in writes into PastaPdf (the user's
// documents folder, else the home folder), as long as that folder can be written.
class TImpressorasSistema final : public IImpressoras {
public:
    TImpressorasSistema();
    explicit TImpressorasSistema(QString pastaPdf);

    [[nodiscard]] bool ExisteImpressora() const override;
    [[nodiscard]] int CodigoPapelPadrao() const override;
    [[nodiscard]] std::unique_ptr<QPrinter> CriaImpressora(
        const QString& nomeDocumento) const override;

    [[nodiscard]] const QString& PastaPdf() const { return FPastaPdf; }

    // Shared with the test double: the stand-in's printer and its file name.
    [[nodiscard]] static bool PastaGravavel(const QString& pasta);
    // A name in pasta, made of nomeDocumento without the characters a file name cannot hold,
    // that no file has yet: "nome.pdf", "nome (2).pdf", ...
    [[nodiscard]] static QString ArquivoLivre(const QString& pasta, const QString& nomeDocumento);
    [[nodiscard]] static std::unique_ptr<QPrinter> ImpressoraPdf(const QString& arquivo);

private:
    [[nodiscard]] static bool HaImpressoraInstalada();

    QString FPastaPdf;
};
