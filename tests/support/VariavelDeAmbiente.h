#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets one environment variable for a scope (removes it when the value is null) and puts back,
// on leaving, what was there before, so that a failed assertion leaves the next case the
// environment it was started with.
class VariavelDeAmbiente {
public:
    VariavelDeAmbiente(const char* nome, const char* valor)
        : FNome(nome)
        , FAntes(qgetenv(nome))
        , FHavia(qEnvironmentVariableIsSet(nome))
    {
        if (valor)
            qputenv(nome, valor);
        else
            qunsetenv(nome);
    }
    ~VariavelDeAmbiente()
    {
        if (FHavia)
            qputenv(FNome, FAntes);
        else
            qunsetenv(FNome);
    }
    VariavelDeAmbiente(const VariavelDeAmbiente&) = delete;
    VariavelDeAmbiente& operator=(const VariavelDeAmbiente&) = delete;

private:
    const char* FNome;
    QByteArray FAntes;
    bool FHavia;
};
