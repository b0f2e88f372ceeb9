#pragma once
#include <QString>
#include <QStringList>

#include "platform/report/printing/IImpressoras.h"

// Test double of the printers: installs itself for its lifetime (putting back what was
// installed before). Every printer it gives writes a new PDF file into PastaPdf.
class ImpressorasSimuladas final : public IImpressoras {
public:
    explicit ImpressorasSimuladas(QString pastaPdf);
    ~ImpressorasSimuladas() override;
    ImpressorasSimuladas(const ImpressorasSimuladas&) = delete;
    ImpressorasSimuladas& operator=(const ImpressorasSimuladas&) = delete;

    bool Existe = true;   // false: no printer and no stand-in
    int CodigoPapel = 9;
    // The installed printers while Existe; the first is the default one. Empty: only the
    // stand-in prints.
    QStringList Nomes{QStringLiteral("Impressora Simulada"), QStringLiteral("Outra Impressora")};

    [[nodiscard]] bool ExisteImpressora() const override { return Existe; }
    [[nodiscard]] QStringList Instaladas() const override { return Existe ? Nomes : QStringList(); }
    [[nodiscard]] int CodigoPapelPadrao() const override;
    [[nodiscard]] std::unique_ptr<QPrinter> CriaImpressora(const QString& nomeDocumento) const override;
    [[nodiscard]] TEscolhaImpressora Escolha() const override;
    void Escolhe(const TEscolhaImpressora& escolha) override { FEscolha = escolha; }

    // Files written so far, in the order the printers were given.
    [[nodiscard]] const QStringList& Arquivos() const { return FArquivos; }
    // The printer each of them stood for (empty for the stand-in), in the same order.
    [[nodiscard]] const QStringList& Usadas() const { return FUsadas; }

private:
    IImpressoras* FAnterior;
    QString FPastaPdf;
    TEscolhaImpressora FEscolha;
    mutable QStringList FArquivos;
    mutable QStringList FUsadas;
};
