#pragma once
#include <QString>
#include <QStringList>

#include "model/values/IObservador.h"
#include "model/values/TDadoBasico.h"

// Test observer: writes down each call as "Atualiza:<text>" or "Liberado", in order, to its own
// list or to one shared by several observers (then prefixed by its name).
class ObservadorRegistrado : public IObservador {
public:
    explicit ObservadorRegistrado(QString nome = {}, QStringList* registro = nullptr)
        : FNome(std::move(nome))
        , FRegistro(registro ? registro : &FProprio)
    {}

    void Atualiza(ISujeito& sujeito) override
    {
        const auto* dado = dynamic_cast<TDadoBasico*>(&sujeito);
        Anota(QStringLiteral("Atualiza:") + (dado ? dado->GetTexto() : QStringLiteral("?")));
    }
    void Liberado(ISujeito&) override { Anota(QStringLiteral("Liberado")); }

    [[nodiscard]] const QStringList& Chamadas() const { return *FRegistro; }

private:
    void Anota(const QString& chamada)
    {
        *FRegistro << (FNome.isEmpty() ? chamada : FNome + QLatin1Char(' ') + chamada);
    }

    QString FNome;
    QStringList FProprio;
    QStringList* FRegistro;
};
