#include "exchange/delivery/TRegistroTipo1.h"

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/delivery/TSaidaDeclar.h"
#include "model/people/TNi.h"
#include "model/values/CamposEntrega.h"
#include "exchange/delivery/TReciboEntrega.h"

using namespace LayoutDeclar;

TRegistroTipo1::TRegistroTipo1(TReciboEntrega& Recibo)
    : FRecibo(Recibo)
{}

TLinhaFixa TRegistroTipo1::Monta(int Sequencia, const TDeclaracaoEntrega& Declaracao, const QString& Ordem,
                                 const QString& NumeroRecibo)
{
    const bool pf = Declaracao.PessoaFisica;
    const QString ni = NiDaLinha(Declaracao.Ni, pf);
    TLinhaFixa linha = NovaLinha(Sequencia, '1', ni);
    linha.Texto(24, 4, QStringLiteral("PRUV"));
    linha.Texto(28, 4, Declaracao.Ano);
    linha.Texto(32, 1, Declaracao.Tipo);
    linha.Texto(33, 1, Declaracao.SituacaoEspecial ? QStringLiteral("2") : QStringLiteral("1"));
    linha.Texto(34, 1, pf ? QStringLiteral("1") : QStringLiteral("2"));
    linha.Texto(35, 1, QString::number(Declaracao.Natureza));
    linha.Texto(36, 1, Declaracao.PossuiSubJudice ? QStringLiteral("1") : QStringLiteral("0"));
    linha.Texto(37, 4, AnoPrograma);
    linha.Texto(43, 60, NomeDaLinha(Declaracao.Nome, pf));
    linha.Texto(103, 11, Declaracao.CpfRespCnpj);
    linha.Texto(151, 14, !pf && !Ordem.isEmpty() ? CnpjDoEstabelecimento(Declaracao.Ni.trimmed(), Ordem) : ni);
    linha.Texto(165, 12, NumeroRecibo);
    const TResponsavelEntrega& r = Declaracao.Responsavel;
    linha.Texto(406, 11, r.Cpf);
    linha.Texto(417, 60, NomeDaLinha(r.Nome, true));
    linha.Texto(477, 4, ZerosADireita(r.DDD, 4));
    linha.Texto(481, 8, ZerosADireita(r.Fone, 8));
    linha.Texto(489, 6, ZerosADireita(r.Ramal, 6));
    linha.Texto(495, 8, ZerosADireita(r.Fax, 8));
    linha.Texto(503, 50, NormalizaTexto(r.Email, false));
    return linha;
}

QString TRegistroTipo1::Estabelecimento(const QString& NiDaLinha)
{
    return ObtemOrdemCnpj(NiDaLinha, false) + CalculaDV(NiDaLinha.left(12));
}

void TRegistroTipo1::Grava(TSaidaDeclar& Saida, const TDeclaracaoEntrega& Declaracao, const QString& Ordem,
                           const QString& NumeroRecibo)
{
    const TLinhaFixa linha = Monta(Saida.ProximaSequencia(), Declaracao, Ordem, NumeroRecibo);
    Saida.Grava(linha.Bytes());
    Saida.SomaCrc(linha.Bytes());

    FRecibo.Anota(QStringLiteral("Declarante"), QStringLiteral("OrgaoPublico"),
                  Declaracao.Natureza == 1 || Declaracao.Natureza == 2 ? QStringLiteral("1") : QStringLiteral("0"));
    const QString estabelecimento = Estabelecimento(QString::fromLatin1(linha.Campo(10, 14)));
    const QString encerra = Declaracao.SituacaoEspecial ? QStringLiteral("SIM") : QStringLiteral("NAO");
    if (Declaracao.Tipo == QLatin1String("R")) {
        const QString n = QString::number(++FRetificadoras);
        FRecibo.Anota(QStringLiteral("Retificadora"), QStringLiteral("RE") + n, estabelecimento);
        FRecibo.Anota(QStringLiteral("ExtRetificadora"), QStringLiteral("ENCERRA") + n, encerra);
        FRecibo.Anota(QStringLiteral("Declaracao"), QStringLiteral("TP_Arquivo"), QStringLiteral("R"));
    } else {
        const QString n = QString::number(++FOriginais);
        FRecibo.Anota(QStringLiteral("Original"), QStringLiteral("OR") + n, estabelecimento);
        FRecibo.Anota(QStringLiteral("ExtOriginal"), QStringLiteral("ENCERRA") + n, encerra);
        FRecibo.Anota(QStringLiteral("Declaracao"), QStringLiteral("TP_Arquivo"), QStringLiteral("O"));
    }
}
