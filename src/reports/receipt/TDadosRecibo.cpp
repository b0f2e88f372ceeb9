#include "reports/receipt/TDadosRecibo.h"

#include "exchange/layout/TNumeroRecibo.h"
#include "model/values/TMonetario.h"
#include "model/values/TratamentoTexto.h"
#include "platform/files/TIniFile.h"
#include "reports/forms/FormularioRelato.h"

namespace {

const QString Declarante = QStringLiteral("Declarante");
const QString Declaracao = QStringLiteral("Declaracao");
const QString Responsavel = QStringLiteral("Responsavel");

// The values of the "name=value" lines of a section, in file order.
QStringList ValoresDaSecao(const TIniFile& ini, const QString& secao)
{
    QStringList valores;
    for (const QString& linha : ini.ReadSectionValues(secao))
        valores << linha.mid(linha.indexOf(QLatin1Char('=')) + 1);
    return valores;
}

QStringList Primeiros(const QStringList& valores, int tamanho)
{
    QStringList cortados;
    for (const QString& v : valores)
        cortados << v.left(tamanho);
    return cortados;
}

bool EhAno(const QString& ano)
{
    return !ano.isEmpty() && ano.size() <= 9 && SoNumeros(ano);
}

}   // namespace

std::optional<qint64> TDadosRecibo::LeCentavos(const QString& texto)
{
    constexpr int MaximoInteiros = 14;
    // Whichever decimal sign the file was written with reads as the program's.
    const QString t = texto.trimmed();
    qsizetype separador = t.indexOf(QLatin1Char(','));
    if (separador < 0)
        separador = t.indexOf(QLatin1Char('.'));
    const QString inteiros = separador < 0 ? t : t.left(separador);
    const QString decimais = separador < 0 ? QString() : t.mid(separador + 1);
    if ((inteiros.isEmpty() && decimais.isEmpty()) || inteiros.size() > MaximoInteiros || !SoNumeros(inteiros)
        || !SoNumeros(decimais))
        return std::nullopt;
    qint64 centavos = inteiros.isEmpty() ? 0 : inteiros.toLongLong() * 100;
    const auto digito = [&decimais](int i) { return i < decimais.size() ? decimais[i].unicode() - u'0' : 0; };
    centavos += digito(0) * 10 + digito(1);
    if (digito(2) >= 5)
        ++centavos;
    return centavos;
}

QString TDadosRecibo::FormataCentavos(qint64 centavos)
{
    return TextoValor(centavos * (TMonetario::Escala / 100));
}

QString TDadosRecibo::NumeroDeControle(const QString& crc)
{
    QStringList pares;
    for (int i = 0; i < 5; ++i)
        pares << crc.mid(i * 2, 2);
    return pares.join(QLatin1Char('.'));
}

void TDadosRecibo::AcrescentaLinhas(std::vector<TLinhaEstabelecimentos>& linhas, const QStringList& entradas,
                                    bool fundos)
{
    for (qsizetype i = 0; i < entradas.size(); i += EntradasPorLinha)
        linhas.push_back({fundos, entradas.mid(i, EntradasPorLinha)});
}

std::optional<TDadosRecibo> TDadosRecibo::Le(const QString& caminho)
{
    const TIniFile ini(caminho);
    const QString ausente = QStringLiteral("E");
    TDadosRecibo d;

    const QString tipoPessoa = ini.ReadString(Declarante, QStringLiteral("IN_PF_PJ"), QStringLiteral("2"));
    d.PessoaFisica = tipoPessoa == QLatin1String("1");
    d.TituloNi = d.PessoaFisica ? QStringLiteral("CPF do Declarante:") : QStringLiteral("CNPJ do Declarante:");
    d.TituloNome = d.PessoaFisica ? QStringLiteral("Nome:") : QStringLiteral("Nome Empresarial:");
    d.Ni = ini.ReadString(Declarante, QStringLiteral("NR_DECLAR"), ausente);
    d.Nome = ini.ReadString(Declarante, QStringLiteral("NM_DECLAR"), ausente);
    d.NiAcesso = (d.PessoaFisica ? QStringLiteral("CPF: ") : QStringLiteral("CNPJ: ")) + d.Ni;

    d.Ano = ini.ReadString(Declaracao, QStringLiteral("AN_RETENCAO"), ausente);
    d.AnoCalendario = QStringLiteral("Ano-calendário: ") + d.Ano;
    const bool encerra = ini.ReadString(Declaracao, QStringLiteral("ENCERRA"), QStringLiteral("NAO"))
        != QLatin1String("NAO");
    // The exercise is the year after the calendar year, or the year itself for a declaration of
    // extinction, closing of an estate or departure.
    d.Exercicio = QStringLiteral("Exercício: ");
    if (EhAno(d.Ano))
        d.Exercicio += QString::number(d.Ano.toInt() + (encerra ? 0 : 1));
    if (encerra)
        d.SituacaoEspecial = tipoPessoa == QLatin1String("2")
            ? QStringLiteral("Extinção")
            : QStringLiteral("Encerramento de Espólio / Saída definitiva do país");
    d.Tipo = ini.ReadString(Declaracao, QStringLiteral("TP_Arquivo"), ausente) == QLatin1String("R")
        ? QStringLiteral("Tipo: Retificadora")
        : QStringLiteral("Tipo: Original");
    d.BeneficiariosPf = ini.ReadString(Declaracao, QStringLiteral("NR_BENEF_PF"), QStringLiteral("0"));
    d.BeneficiariosPj = ini.ReadString(Declaracao, QStringLiteral("NR_BENEF_PJ"), QStringLiteral("0"));

    const struct {
        const char* secao;
        const char* chave;
    } valores[QuantidadeValores] = {
        {"Valores", "VL_REND"},      {"Valores", "VL_DEDUC"},      {"Valores", "VL_IMPOSTO"},
        {"ValoresSJ", "VL_COMP_AT"}, {"ValoresSJ", "VL_COMP_ANT"}, {"ValoresSJ", "VL_REND"},
        {"ValoresSJ", "VL_DEDUC"},   {"ValoresSJ", "VL_IMPOSTO"},  {"ValoresSJ", "VL_DEPOSITO"},
    };
    for (int i = 0; i < QuantidadeValores; ++i) {
        const auto centavos = LeCentavos(ini.ReadString(QString::fromLatin1(valores[i].secao),
                                                        QString::fromLatin1(valores[i].chave), QStringLiteral("0")));
        if (!centavos)
            return std::nullopt;
        d.Valores[i] = FormataCentavos(*centavos);
    }

    d.NomeResponsavel = ini.ReadString(Responsavel, QStringLiteral("NM_RESP"), QString());
    d.CpfResponsavel = ini.ReadString(Responsavel, QStringLiteral("CPF_RESP"), QString());
    d.EmailResponsavel = ini.ReadString(Responsavel, QStringLiteral("EMAIL_RESP"), QString());
    d.DddResponsavel = ini.ReadString(Responsavel, QStringLiteral("DDD_RESP"), QString());
    d.TelefoneResponsavel = ini.ReadString(Responsavel, QStringLiteral("TEL_RESP"), QString());
    d.FaxResponsavel = ini.ReadString(Responsavel, QStringLiteral("FAX_RESP"), QString());

    d.Crc = ini.ReadString(Declaracao, QStringLiteral("CRC"), QStringLiteral("0"));
    d.NumeroControle = NumeroDeControle(d.Crc);
    QString numero = d.Crc + TNumeroRecibo::CalculaDV(d.Crc);
    d.NumeroReciboValido = TNumeroRecibo::Valida(numero) == 0;
    TNumeroRecibo::Formata(numero);
    d.NumeroRecibo = QStringLiteral("Nº do Recibo: ") + numero;

    // A company lists its establishments when it delivered more than one, then the funds it
    // administers; each list starts a row of its own.
    if (tipoPessoa != QLatin1String("1")) {
        const QStringList originais = ValoresDaSecao(ini, QStringLiteral("Original"));
        const QStringList retificadoras = ValoresDaSecao(ini, QStringLiteral("Retificadora"));
        if (originais.size() + retificadoras.size() > 1) {
            AcrescentaLinhas(d.Linhas, Primeiros(originais, 4), false);
            AcrescentaLinhas(d.Linhas, Primeiros(retificadoras, 4), false);
        }
        AcrescentaLinhas(d.Linhas, Primeiros(ValoresDaSecao(ini, QStringLiteral("Anexos")), 18), true);
    }
    return d;
}
