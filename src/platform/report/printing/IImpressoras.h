#pragma once
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/report/pages/TPapel.h"

class QPrinter;

// The printer the jobs go to: its name (empty: the default printer), its paper code (see
// TPapel; 0: the printer's own paper) and its orientation.
struct TEscolhaImpressora {
    QString Nome;
    int CodigoPapel = 0;
    TOrientacao Orientacao = TOrientacao::Retrato;
};

// The printers the program may use. A machine without any installed printer still previews
// and prints: a printer that writes PDF files stands in for one.
//
// The printer set-up chooses one of the installed printers, its paper and its orientation
// (Escolhe); the choice holds for every later job of the session, while that printer is there.
class IImpressoras {
public:
    virtual ~IImpressoras() = default;

    // An installed printer, or the PDF stand-in. false only when neither can be used.
    [[nodiscard]] virtual bool ExisteImpressora() const = 0;
    // The names of the installed printers, the stand-in not counted; empty when there is none.
    [[nodiscard]] virtual QStringList Instaladas() const = 0;
    // Paper code (see TPapel) of the chosen printer's paper, else of the default printer's; 1
    // (Letter) for a paper without a code. The stand-in's paper is A4 (9).
    [[nodiscard]] virtual int CodigoPapelPadrao() const = 0;
    // A printer ready for a job named nomeDocumento: the chosen printer with its paper and
    // orientation, else the default printer, else the stand-in writing a new PDF file named
    // after the document; nullptr when ExisteImpressora is false.
    [[nodiscard]] virtual std::unique_ptr<QPrinter> CriaImpressora(const QString& nomeDocumento) const = 0;

    // The printer the jobs now go to, as the set-up offers it: the chosen one while it is
    // installed, else the default printer with its paper, in portrait.
    [[nodiscard]] virtual TEscolhaImpressora Escolha() const = 0;
    // Keeps the choice for the rest of the session.
    virtual void Escolhe(const TEscolhaImpressora& escolha) = 0;
};

// The implementation in use: the machine's printers unless another is installed (tests install
// ImpressorasSimuladas). Installed objects are not owned and must outlive their installation;
// installing nullptr goes back to the machine's printers.
namespace Impressoras {

IImpressoras& Atual();
IImpressoras* Instala(IImpressoras* impressoras);   // returns what was installed before

}   // namespace Impressoras
