#pragma once
#include "platform/transmit/ICarregadorTransmissao.h"

// Loads the transmission program's shared objects at run time (QLibrary) and calls their
// exports under the contract of ICarregadorTransmissao.h. A library that is there but does not
// load is reported on the program's log with the system's reason, and answered as absent.
//
// The system folder, in place of the system's own folder where installers leave their INI
// files, is the user's configuration folder: $XDG_CONFIG_HOME, else ~/.config.
class TCarregadorTransmissao final : public ICarregadorTransmissao {
public:
    static constexpr char NomeEnvio[] = "VORNEL21.DLL";
    static constexpr char NomeProgresso[] = "PruvNet03.DLL";
    static constexpr char NomeAssinatura[] = "KORMEX32.DLL";

    [[nodiscard]] QString PastaSistema() const override;
    std::unique_ptr<IBibliotecaEnvio> CarregaEnvio(const QString& pasta) override;
    std::unique_ptr<IBibliotecaProgresso> CarregaProgresso(const QString& pasta) override;
    std::unique_ptr<IBibliotecaAssinatura> CarregaAssinatura(const QString& pasta) override;
};
