#include "model/values/TDadoBasico.h"

TDadoBasico::~TDadoBasico()
{
    NotificaLiberacao();
}

void TDadoBasico::SetTexto(const QString&)
{
    Notifica();
}

void TDadoBasico::Notifica()
{
    FAlterado = true;
    FObservadores.Notifica(*this);
}
