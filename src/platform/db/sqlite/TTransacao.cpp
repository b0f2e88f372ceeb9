#include "platform/db/sqlite/TTransacao.h"

#include <QtGlobal>
#include <exception>

#include "platform/db/sqlite/TDatabase.h"

TTransacao::TTransacao(TDatabase& banco)
    : FBanco(banco)
    , FNivel(banco.IniciaTransacao())
{}

TTransacao::~TTransacao()
{
    if (!FAberta)
        return;
    try {
        FBanco.DesfazTransacao(FNivel);
    } catch (const std::exception& e) {
        // A destructor cannot raise; the failure is recorded where the program's log goes.
        qCritical("rollback failed: %s", e.what());
    }
}

void TTransacao::Confirma()
{
    FAberta = false;
    FBanco.ConfirmaTransacao(FNivel);
}
