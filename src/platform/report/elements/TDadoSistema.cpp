#include "platform/report/elements/TDadoSistema.h"

QString TDadoSistema::TextoImpresso(const TContextoImpressao& contexto) const
{
    // Fixed formats: the program's own, never the system locale's.
    static const QString data = QStringLiteral("dd/MM/yyyy");
    static const QString hora = QStringLiteral("hh:mm:ss");
    QString valor;
    switch (Dado) {
    case TTipoDadoSistema::NumeroPagina:
        valor = QString::number(contexto.Pagina);
        break;
    case TTipoDadoSistema::TotalPaginas:
        valor = contexto.TotalPaginas > 0 ? QString::number(contexto.TotalPaginas) : QString();
        break;
    case TTipoDadoSistema::Data:
        valor = contexto.DataHora.toString(data);
        break;
    case TTipoDadoSistema::Hora:
        valor = contexto.DataHora.toString(hora);
        break;
    case TTipoDadoSistema::DataHora:
        valor = contexto.DataHora.toString(data + QLatin1Char(' ') + hora);
        break;
    }
    return Texto + valor;
}
