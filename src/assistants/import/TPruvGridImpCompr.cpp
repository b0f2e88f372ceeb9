#include "assistants/import/TPruvGridImpCompr.h"

#include <QStringList>

#include "exchange/import/TRegistroComprovante.h"

TPruvGridImpCompr::TPruvGridImpCompr(QWidget* parent)
    : TPruvGridAmostra({QStringLiteral("Beneficiario"), QStringLiteral("Prev.Oficial"), QStringLiteral("Prev.Privada"),
                        QStringLiteral("Pensão Alim."), QStringLiteral("Aposentad."), QStringLiteral("Diárias"),
                        QStringLiteral("Invalidez"), QStringLiteral("Lucro de PJ"), QStringLiteral("Titular Micro"),
                        QStringLiteral("Indeniz."), QStringLiteral("Desc. Outros Rend. Isentos"),
                        QStringLiteral("Outros Isentos"), QStringLiteral("Informações Complementares")},
                       2, parent)
{
    // Wide enough for the CPF, the amounts and the titles; the texts get more room.
    DefineLarguraMinima(0, 80);
    for (int c = 1; c < Colunas; ++c)
        DefineLarguraMinima(c, c == 10 || c == 12 ? 200 : 80);
}

TPruvGridImpCompr::~TPruvGridImpCompr() = default;

int TPruvGridImpCompr::Alinhamento(int ACol) const
{
    return ACol == 0 || ACol == 10 || ACol == 12 ? alEsquerda : alDireita;
}

void TPruvGridImpCompr::AdicionaLinha(int ARow, const QString& Linha)
{
    if (ARow < 1 || ARow >= Linhas)
        return;
    if (!FRegistro)
        FRegistro = std::make_unique<TRegistroComprovante>();
    FRegistro->SetLinha(Linha);
    for (int c = 0; c < Colunas; ++c) {
        QString texto;
        FRegistro->CampoValor(c + 1, texto);   // a refused amount shows as it stands
        SetTexto(c, ARow, texto);
    }
    if (ARow + 1 > RowCount() && ARow + 1 <= Linhas - 1)
        SetRowCount(ARow + 1);
    InvalidateRow(ARow);
}
