#pragma once
#include <QString>
#include <QStringList>

#include "platform/report/IImpressoras.h"

// Test double of the printers: installs itself for its lifetime (putting back what was
// installed before). Every printer it gives writes a new PDF file into PastaPdf.
class ImpressorasSimuladas final : public IImpressoras {
public:
    explicit ImpressorasSimuladas(QString pastaPdf);
    ~ImpressorasSimuladas() override;
    ImpressorasSimuladas(const ImpressorasSimuladas&) = delete;
    ImpressorasSimuladas& operator=(const ImpressorasSimuladas&) = delete;

    bool Existe = true;        // false: no printer and no stand-in
    int CodigoPapel = 9;

    [[nodiscard]] bool ExisteImpressora() const override { return Existe; }
    [[nodiscard]] int CodigoPapelPadrao() const override { return CodigoPapel; }
    [[nodiscard]] std::unique_ptr<QPrinter> CriaImpressora(
        const QString& nomeDocumento) const override;

    // Files written so far, in the order the printers were given.
    [[nodiscard]] const QStringList& Arquivos() const { return FArquivos; }

private:
    IImpressoras* FAnterior;
    QString FPastaPdf;
    mutable QStringList FArquivos;
};
