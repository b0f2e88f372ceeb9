#include "model/values/TDadoBasico.h"

TDadoBasico::~TDadoBasico()
{
    NotificaLiberacao();
}

void TDadoBasico::SetTexto(const QString&)
{
    Notifica();
}
