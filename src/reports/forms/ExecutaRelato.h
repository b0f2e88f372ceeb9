#pragma once
#include <QScopedValueRollback>
#include <utility>

#include "shell/common/AvisosImpressora.h"
#include "reports/forms/FormularioRelato.h"

// A report form of the kind is running: a second call meanwhile does nothing.
template <class TFormRelato> inline bool RelatoEmExecucao = false;

// The entry of every report form: once at a time, only with a printer (message 161 otherwise);
// the form is made for the call (loading its own copy of what it prints), previewed or printed,
// and freed at the end of the call.
template <class TFormRelato, class... TArgumentos> void ExecutaRelato(bool Visualiza, TArgumentos&&... Argumentos)
{
    if (RelatoEmExecucao<TFormRelato>)
        return;
    const QScopedValueRollback<bool> emExecucao(RelatoEmExecucao<TFormRelato>, true);
    if (!ExisteImpressoraOuAvisa())
        return;
    TFormRelato form(std::forward<TArgumentos>(Argumentos)...);
    if (Visualiza)
        form.Visualiza();
    else
        form.Imprime();
}
