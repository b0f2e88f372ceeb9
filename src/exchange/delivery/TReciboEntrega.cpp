#include "exchange/delivery/TReciboEntrega.h"

#include <QFile>

#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TratamentoTexto.h"
#include "platform/files/TFormatSettings.h"

namespace {

using S = TItemEntrega::TSerie;

// What an INI value can hold: one line of Latin-1 text.
QString ValorIni(QString Texto)
{
    for (QChar& c : Texto)
        if (c.unicode() > 0xFF)
            c = QLatin1Char('?');
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return Texto;
}

QString Data(const QDate& Data)
{
    const QChar barra = TFormatSettings::Programa().DateSeparator;
    return ZerosAEsquerda(Data.day(), 2) + barra + ZerosAEsquerda(Data.month(), 2) + barra
        + ZerosAEsquerda(Data.year(), 4);
}

}   // namespace

void TTotaisRecibo::Acumula(const TItemEntrega& Item)
{
    ++(Item.BeneficiarioPf ? FItensPf : FItensPj);
    for (int s = 0; s < TItemEntrega::QuantidadeSeries; ++s)
        FCentavos[s] += (Item.TotalAno(static_cast<S>(s)) + 50) / 100;
}

TReciboEntrega::TReciboEntrega()
    : FIni(DiretorioDados() + QStringLiteral("/Recibo.ini"))
{}

bool TReciboEntrega::Apaga()
{
    QFile arquivo(Caminho());
    return !arquivo.exists() || arquivo.remove();
}

void TReciboEntrega::Anota(const QString& Secao, const QString& Chave, const QString& Valor)
{
    FAnotadas.push_back({Secao, Chave, ValorIni(Valor)});
}

void TReciboEntrega::GravaAnotadas()
{
    FIni.WriteStrings(FAnotadas);
    FAnotadas.clear();
}

void TReciboEntrega::Grava(const TDeclaracaoEntrega& Cabeca, const TTotaisRecibo& Totais, const QDate& Hoje,
                           quint32 Crc)
{
    const QString declarante = QStringLiteral("Declarante");
    Anota(declarante, QStringLiteral("IN_PF_PJ"), Cabeca.PessoaFisica ? QStringLiteral("1") : QStringLiteral("2"));
    Anota(declarante, QStringLiteral("NR_DECLAR"), Cabeca.NiFormatado);
    Anota(declarante, QStringLiteral("NM_DECLAR"), Cabeca.Nome);
    Anota(declarante, QStringLiteral("TP_DECLAR"), QString::number(Cabeca.Natureza));

    const QString responsavel = QStringLiteral("Responsavel");
    const TResponsavelEntrega& r = Cabeca.Responsavel;
    Anota(responsavel, QStringLiteral("NM_RESP"), r.Nome);
    Anota(responsavel, QStringLiteral("CPF_RESP"), r.CpfFormatado);
    Anota(responsavel, QStringLiteral("TEL_RESP"), r.FoneFormatado);
    Anota(responsavel, QStringLiteral("FAX_RESP"), r.FaxFormatado);
    Anota(responsavel, QStringLiteral("EMAIL_RESP"), r.Email);
    Anota(responsavel, QStringLiteral("DDD_RESP"), r.DDD);

    const QString declaracao = QStringLiteral("Declaracao");
    Anota(declaracao, QStringLiteral("DT_GERACAO"), Data(Hoje));
    Anota(declaracao, QStringLiteral("NR_BENEF_PF"), QString::number(Totais.ItensPf()));
    Anota(declaracao, QStringLiteral("NR_BENEF_PJ"), QString::number(Totais.ItensPj()));

    const auto valor = [&Totais](S serie) { return TextoMonetario(Totais.Centavos(serie)); };
    const QString valores = QStringLiteral("Valores");
    Anota(valores, QStringLiteral("VL_REND"), valor(S::Rendimento));
    Anota(valores, QStringLiteral("VL_DEDUC"), valor(S::Deducao));
    Anota(valores, QStringLiteral("VL_IMPOSTO"), valor(S::Imposto));
    const QString valoresSJ = QStringLiteral("ValoresSJ");
    Anota(valoresSJ, QStringLiteral("VL_COMP_AT"), valor(S::CompensacaoAno));
    Anota(valoresSJ, QStringLiteral("VL_COMP_ANT"), valor(S::CompensacaoAnosAnteriores));
    Anota(valoresSJ, QStringLiteral("VL_REND"), valor(S::RendimentoSubJudice));
    Anota(valoresSJ, QStringLiteral("VL_DEDUC"), valor(S::DeducaoSubJudice));
    Anota(valoresSJ, QStringLiteral("VL_IMPOSTO"), valor(S::ImpostoSubJudice));
    Anota(valoresSJ, QStringLiteral("VL_DEPOSITO"), valor(S::Deposito));

    Anota(declaracao, QStringLiteral("AN_RETENCAO"), Cabeca.Ano);
    Anota(declaracao, QStringLiteral("ENCERRA"),
          Cabeca.SituacaoEspecial ? QStringLiteral("SIM") : QStringLiteral("NAO"));
    const QString crc = ZerosAEsquerda(Crc, 10);
    Anota(declaracao, QStringLiteral("CRC"), crc);
    Anota(declaracao, QStringLiteral("HASH_DECL"), crc);
    GravaAnotadas();
}

int TReciboEntrega::Volumes() const
{
    bool ok = false;
    const int volumes =
        FIni.ReadStringChecked(QStringLiteral("Declaracao"), QStringLiteral("VOLUMES"), QString()).trimmed().toInt(&ok);
    return ok ? volumes : 0;
}

QString TReciboEntrega::TextoMonetario(qint64 Centavos)
{
    QString texto = QString::number(Centavos / 100);
    const qint64 decimos = Centavos % 100;
    if (decimos != 0) {
        QString fracao = ZerosAEsquerda(decimos, 2);
        if (fracao.endsWith(QLatin1Char('0')))
            fracao.chop(1);
        texto += TFormatSettings::Programa().DecimalSeparator + fracao;
    }
    return texto;
}
