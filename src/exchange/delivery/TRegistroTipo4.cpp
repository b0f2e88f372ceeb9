#include "exchange/delivery/TRegistroTipo4.h"

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/delivery/TSaidaDeclar.h"
#include "exchange/delivery/TReciboEntrega.h"

using namespace LayoutDeclar;

TRegistroTipo4::TRegistroTipo4(TReciboEntrega& Recibo)
    : FRecibo(Recibo)
{}

TLinhaFixa TRegistroTipo4::Monta(int Sequencia, const TAnexoEntrega& Anexo, const TDeclaracaoEntrega& Administradora)
{
    TLinhaFixa linha = NovaLinha(Sequencia, '4', NiDaLinha(Anexo.Ni, Anexo.PessoaFisica));
    linha.Texto(43, 60, NomeDaLinha(Anexo.Nome, Anexo.PessoaFisica));
    linha.Texto(151, 14, NiDaLinha(Administradora.Ni, Administradora.PessoaFisica));
    return linha;
}

void TRegistroTipo4::Grava(TSaidaDeclar& Saida, const TAnexoEntrega& Anexo, const TDeclaracaoEntrega& Administradora)
{
    const QString n = QString::number(++FAnexos);
    const TLinhaFixa linha = Monta(Saida.ProximaSequencia(), Anexo, Administradora);
    Saida.Grava(linha.Bytes());
    Saida.SomaCrc(linha.Bytes());
    FRecibo.Anota(QStringLiteral("Anexos"), QStringLiteral("CNPJ") + n, Anexo.NiFormatado);
}
