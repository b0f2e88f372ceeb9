#pragma once
#include <QDateTime>
#include <QStringList>
#include <exception>

#include "components/data/common/dvBeep.h"
#include "components/data/common/dvSystem.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

// What a control test fixes and watches while it lives: the library's clock (when given), its
// beeps, and the errors raised inside the controls' events (their texts, in order). Everything
// goes back as it was when it ends.
class AmbienteDeControles {
public:
    explicit AmbienteDeControles(TdvNow relogio = nullptr)
        : FBipeAnterior(dvInstallBeep(&ContaBipe))
        , FRelogioAnterior(relogio ? dvInstallNow(relogio) : nullptr)
        , FTrocouRelogio(relogio != nullptr)
        , FTratadorAnterior(TExcecaoDeEvento::Instala([this](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& erro) {
                erros << QString::fromUtf8(erro.what());
            }
        }))
    {
        Bipes() = 0;
    }
    ~AmbienteDeControles()
    {
        dvInstallBeep(FBipeAnterior);
        if (FTrocouRelogio)
            dvInstallNow(FRelogioAnterior);
        TExcecaoDeEvento::Instala(FTratadorAnterior);
    }
    AmbienteDeControles(const AmbienteDeControles&) = delete;
    AmbienteDeControles& operator=(const AmbienteDeControles&) = delete;

    // The beeps since the test began.
    static int& Bipes()
    {
        static int bipes = 0;
        return bipes;
    }

    QStringList erros;

private:
    static void ContaBipe() { ++Bipes(); }

    TdvBeepFunc FBipeAnterior;
    TdvNow FRelogioAnterior;
    bool FTrocouRelogio;
    TExcecaoDeEvento::TTratador FTratadorAnterior;
};
