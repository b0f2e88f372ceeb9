#pragma once
#include "platform/report/printing/IImpressoras.h"

class QPrinterInfo;

// The machine's printers. Without any, the PDF stand-in writes into PastaPdf (by default
// TPastas::Impressos, looked up at each use), as long as that folder can be written.
class TImpressorasSistema final : public IImpressoras {
public:
    TImpressorasSistema();
    explicit TImpressorasSistema(QString pastaPdf);

    [[nodiscard]] bool ExisteImpressora() const override;
    [[nodiscard]] QStringList Instaladas() const override;
    [[nodiscard]] int CodigoPapelPadrao() const override;
    [[nodiscard]] std::unique_ptr<QPrinter> CriaImpressora(const QString& nomeDocumento) const override;
    [[nodiscard]] TEscolhaImpressora Escolha() const override;
    void Escolhe(const TEscolhaImpressora& escolha) override;

    [[nodiscard]] QString PastaPdf() const;

    // Shared with the test double: the stand-in's printer and its file name.
    [[nodiscard]] static bool PastaGravavel(const QString& pasta);
    // A name in pasta, made of nomeDocumento without the characters a file name cannot hold,
    // that no file has yet: "nome.pdf", "nome (2).pdf", ...
    [[nodiscard]] static QString ArquivoLivre(const QString& pasta, const QString& nomeDocumento);
    [[nodiscard]] static std::unique_ptr<QPrinter> ImpressoraPdf(const QString& arquivo);
    // The choice among the installed printers (instaladas): kept while its printer is one of
    // them, else the default printer's name (padrao, else the first installed) with no paper.
    [[nodiscard]] static TEscolhaImpressora EscolhaValida(const TEscolhaImpressora& escolhida,
                                                          const QStringList& instaladas, const QString& padrao);
    // The paper and orientation of the choice on the printer; a choice without paper leaves the
    // printer's own.
    static void AplicaEscolha(QPrinter& impressora, const TEscolhaImpressora& escolha);

private:
    [[nodiscard]] static bool HaImpressoraInstalada();
    // The printer of the valid choice.
    [[nodiscard]] QPrinterInfo Escolhida() const;

    QString FPastaPdf;
    TEscolhaImpressora FEscolha;
};
