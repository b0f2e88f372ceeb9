#pragma once
#include <QString>
#include <memory>

class QPrinter;

// The printers the program may use. A machine without any installed printer still previews
// and prints: a printer that writes PDF files stands in for one.
class IImpressoras {
public:
    virtual ~IImpressoras() = default;

    // An installed printer, or the PDF stand-in. false only when neither can be used.
    [[nodiscard]] virtual bool ExisteImpressora() const = 0;
    // Paper code (see TPapel) of the default printer's paper; 1 (Letter) for a paper without
    // a code. The stand-in's paper is A4 (9).
    [[nodiscard]] virtual int CodigoPapelPadrao() const = 0;
    // A printer ready for a job named nomeDocumento: the default printer, or the stand-in
    // writing a new PDF file named after the document; nullptr when ExisteImpressora is false.
    [[nodiscard]] virtual std::unique_ptr<QPrinter> CriaImpressora(
        const QString& nomeDocumento) const = 0;
};

// The implementation in use: the machine's printers unless another is installed (tests
// install ImpressorasSimuladas). Installed objects are not owned and must outlive their
// installation; installing nullptr goes back to the machine's printers.
namespace Impressoras {

IImpressoras& Atual();
IImpressoras* Instala(IImpressoras* impressoras);   // returns what was installed before

}  // namespace Impressoras
