#include "screens/search/TBuscaGravadas.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "components/data/datasets/TdvTable.h"
#include "exchange/layout/TNomeEntrega.h"
#include "exchange/layout/TNumeroRecibo.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/ArquivosTexto.h"
#include "platform/db/datasets/TField.h"
#include "platform/files/TVolumes.h"

namespace {

constexpr int TamanhoCabecalho = 142;
const QString PastaGravadas = QStringLiteral("Declaracoes Gravadas XEQ/Pruv2003");

// Positions from 1, as the layout counts them.
QString Trecho(const QString& texto, int posicao, int tamanho)
{
    return texto.mid(posicao - 1, tamanho);
}

bool SoDigitos(const QString& texto)
{
    static const QRegularExpression digitos(QStringLiteral("^[0-9]+$"));
    return digitos.match(texto).hasMatch();
}

double DiasDesde1899(const QDateTime& momento)
{
    const QDateTime local = momento.toLocalTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(local.date()))
        + local.time().msecsSinceStartOfDay() / 86400000.0;
}

QStringList SubPastas(const QString& pasta)
{
    // Hidden entries (names starting with ".") are not the writer's.
    return QDir(pasta).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

}   // namespace

bool TBuscaGravadas::NomeDeEntrega(const QString& Nome)
{
    // "???????????*-PRUV-2003-????-*-*.*"
    static const QRegularExpression padrao(QStringLiteral("^.{11}.*-PRUV-2003-.{4}-.*-.*\\..*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return padrao.match(Nome).hasMatch();
}

bool TBuscaGravadas::LeCabecalho(const QString& Cabecalho, TDeclaracaoGravada& Gravada)
{
    if (Cabecalho.size() < TamanhoCabecalho)
        return false;
    if (Trecho(Cabecalho, 1, 12).toUpper() != QLatin1String("PRUV    2003")
        || Trecho(Cabecalho, 17, 4) != QLatin1String("1080"))
        return false;
    const QString volume = Trecho(Cabecalho, 125, 1);
    if (volume != QLatin1String("0") && volume != QLatin1String("1"))
        return false;
    const bool cpf = Trecho(Cabecalho, 36, 1) == QLatin1String("1");
    const QString numero = Trecho(Cabecalho, 22, cpf ? 11 : 14);
    const QString recibo = Trecho(Cabecalho, 102, 10);
    // A number or a receipt that is not made of digits is not what the writer puts there.
    if (!SoDigitos(numero) || !SoDigitos(recibo))
        return false;
    Gravada.Ano = Trecho(Cabecalho, 13, 4);
    Gravada.Tipo = Trecho(Cabecalho, 21, 1) == QLatin1String("0") ? QStringLiteral("Original")
                                                                  : QStringLiteral("Retificadora");
    Gravada.InPfPj = cpf ? QStringLiteral("1") : QStringLiteral("2");
    Gravada.NrPfPj = numero;
    Gravada.Nome = Trecho(Cabecalho, 40, 60).trimmed();
    Gravada.Hash = recibo + TNumeroRecibo::CalculaDV(recibo);
    return true;
}

QList<TDeclaracaoGravada> TBuscaGravadas::BuscaPasta(const QString& Pasta, std::uint8_t Situacao)
{
    QList<TDeclaracaoGravada> achadas;
    const QDir pasta(Pasta);
    const QFileInfoList arquivos = pasta.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& arquivo : arquivos) {
        if (arquivo.suffix().compare(QLatin1String("rec"), Qt::CaseInsensitive) == 0
            || !NomeDeEntrega(arquivo.fileName()))
            continue;
        TDeclaracaoGravada gravada;
        if (!LeCabecalho(LeCabecalhoArquivo(arquivo.absoluteFilePath()), gravada))
            continue;
        gravada.ComRecibo = !TNomeEntrega::ReciboExistente(arquivo.absoluteFilePath()).isEmpty();
        const bool aceita = Situacao == Todas || (Situacao == Transmitidas && gravada.ComRecibo)
            || (Situacao == NaoTransmitidas && !gravada.ComRecibo);
        if (!aceita)
            continue;
        gravada.Caminho = QDir::cleanPath(arquivo.absolutePath());
        gravada.NomeArquivo = arquivo.fileName();
        gravada.DataGera = arquivo.lastModified();
        achadas << gravada;
    }
    return achadas;
}

QList<TDeclaracaoGravada> TBuscaGravadas::Busca(std::uint8_t Situacao, bool IncluiCDROM)
{
    QList<TDeclaracaoGravada> achadas;
    for (const TVolume& volume : TVolumes::Lista()) {
        if (Situacao == NaoTransmitidas && IncluiCDROM) {
            if (volume.CdRom())
                achadas << BuscaPasta(volume.Raiz, Situacao);
            continue;
        }
        if (volume.Removivel() || (volume.CdRom() && IncluiCDROM)) {
            achadas << BuscaPasta(volume.Raiz, Situacao);
            continue;
        }
        if (volume.CdRom())
            continue;
        // The declarant's number and the year: the levels the writer makes.
        const QString base = volume.Raiz + QLatin1Char('/') + PastaGravadas;
        for (const QString& declarante : SubPastas(base))
            for (const QString& ano : SubPastas(base + QLatin1Char('/') + declarante))
                achadas << BuscaPasta(base + QLatin1Char('/') + declarante + QLatin1Char('/') + ano, Situacao);
    }
    return achadas;
}

void TBuscaGravadas::Preenche(TdvTable& Geradas, const QList<TDeclaracaoGravada>& Arquivos)
{
    auto campo = [&Geradas](const char* nome) { return Geradas.FieldByName(QLatin1String(nome)); };
    EmTransacao(Geradas, [&] {
        Geradas.EmptyTable();
        for (const TDeclaracaoGravada& g : Arquivos) {
            Geradas.Append();
            campo("CAMINHO")->SetAsString(g.Caminho);
            campo("NOME_ARQUIVO")->SetAsString(g.NomeArquivo);
            campo("DATA_GERA")->SetAsDateTime(DiasDesde1899(g.DataGera));
            campo("IN_PF_PJ")->SetAsString(g.InPfPj);
            campo("NR_PF_PJ")->SetAsString(g.NrPfPj);
            campo("ANO")->SetAsString(g.Ano);
            campo("NOME")->SetAsString(g.Nome);
            campo("HASH")->SetAsString(g.Hash);
            campo("TIPO")->SetAsString(g.Tipo);
            GravaTabela(Geradas);
        }
    });
    Geradas.First();
}
