#include "exchange/delivery/TRegistroCabecalho.h"

#include <utility>

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/delivery/TSaidaDeclar.h"

using namespace LayoutDeclar;

TRegistroCabecalho::TRegistroCabecalho(QString Ordem, QString Uf)
    : FOrdem(std::move(Ordem))
    , FUf(std::move(Uf))
{}

QString TRegistroCabecalho::NiDoCabecalho(const TDeclaracaoEntrega& Aberta) const
{
    if (Aberta.PessoaFisica)
        return Aberta.Ni.trimmed();
    return FOrdem.isEmpty() ? Aberta.Ni.trimmed() : CnpjDoEstabelecimento(Aberta.Ni.trimmed(), FOrdem);
}

TLinhaFixa TRegistroCabecalho::Monta(const TDeclaracaoEntrega& Aberta, const TDeclaracaoEntrega& Gravada,
                                     const QString& Recibo) const
{
    TLinhaFixa linha(TamanhoCabecalho);
    linha.Texto(1, 12, QStringLiteral("PRUV    ") + AnoPrograma);
    linha.Texto(13, 4, Aberta.Ano);
    linha.Texto(17, 4, QStringLiteral("1080"));
    linha.Texto(21, 1, Gravada.Tipo == QLatin1String("R") ? QStringLiteral("1") : QStringLiteral("0"));
    linha.Texto(22, 14, NiDoCabecalho(Aberta));
    linha.Texto(36, 1, Aberta.PessoaFisica ? QStringLiteral("1") : QStringLiteral("2"));
    linha.Texto(37, 3, QStringLiteral("100"));
    linha.Texto(40, 60, NomeDaLinha(Aberta.Nome, Aberta.PessoaFisica));
    linha.Texto(100, 2, FUf);
    linha.Texto(112, 2, QStringLiteral("00"));
    linha.Texto(114, 11, Aberta.PessoaFisica ? Aberta.Ni.trimmed() : Gravada.CpfRespCnpj);
    linha.Texto(126, 1, QString::number(Aberta.Natureza));
    linha.Texto(127, 10, Recibo.left(10));
    linha.Texto(137, 1, QStringLiteral("1"));
    linha.Texto(138, 1, Gravada.SituacaoEspecial ? QStringLiteral("2") : QStringLiteral("1"));
    return linha;
}

bool TRegistroCabecalho::Grava(TSaidaDeclar& Saida, const TDeclaracaoEntrega& Aberta, const TDeclaracaoEntrega& Gravada,
                               const QString& Recibo) const
{
    return Saida.Grava(Monta(Aberta, Gravada, Recibo).Bytes());
}
