#include "platform/report/printing/TImpressorasSistema.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/files/CriaPastas.h"
#include "platform/files/TPastas.h"
#include "platform/report/pages/TPapel.h"

TImpressorasSistema::TImpressorasSistema() = default;

TImpressorasSistema::TImpressorasSistema(QString pastaPdf)
    : FPastaPdf(std::move(pastaPdf))
{}

QString TImpressorasSistema::PastaPdf() const
{
    return FPastaPdf.isEmpty() ? TPastas::Impressos() : FPastaPdf;
}

bool TImpressorasSistema::HaImpressoraInstalada()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool TImpressorasSistema::ExisteImpressora() const
{
    return HaImpressoraInstalada() || PastaGravavel(PastaPdf());
}

QStringList TImpressorasSistema::Instaladas() const
{
    return QPrinterInfo::availablePrinterNames();
}

TEscolhaImpressora TImpressorasSistema::EscolhaValida(const TEscolhaImpressora& escolhida,
                                                      const QStringList& instaladas, const QString& padrao)
{
    if (!escolhida.Nome.isEmpty() && instaladas.contains(escolhida.Nome))
        return escolhida;
    TEscolhaImpressora escolha;
    if (instaladas.contains(padrao))
        escolha.Nome = padrao;
    else if (!instaladas.isEmpty())
        escolha.Nome = instaladas.constFirst();
    return escolha;
}

QPrinterInfo TImpressorasSistema::Escolhida() const
{
    const TEscolhaImpressora escolha = EscolhaValida(FEscolha, Instaladas(), QPrinterInfo::defaultPrinterName());
    return QPrinterInfo::printerInfo(escolha.Nome);
}

TEscolhaImpressora TImpressorasSistema::Escolha() const
{
    TEscolhaImpressora escolha = EscolhaValida(FEscolha, Instaladas(), QPrinterInfo::defaultPrinterName());
    if (escolha.CodigoPapel == 0 && !escolha.Nome.isEmpty())
        escolha.CodigoPapel = TPapel::CodigoDoTamanho(QPrinterInfo::printerInfo(escolha.Nome).defaultPageSize().id());
    return escolha;
}

void TImpressorasSistema::Escolhe(const TEscolhaImpressora& escolha)
{
    FEscolha = escolha;
}

int TImpressorasSistema::CodigoPapelPadrao() const
{
    if (!HaImpressoraInstalada())
        return 9;
    const int codigo = Escolha().CodigoPapel;
    return TPapel::CodigoValido(codigo) ? codigo : 1;
}

std::unique_ptr<QPrinter> TImpressorasSistema::CriaImpressora(const QString& nomeDocumento) const
{
    if (HaImpressoraInstalada()) {
        auto impressora = std::make_unique<QPrinter>(Escolhida(), QPrinter::HighResolution);
        AplicaEscolha(*impressora, Escolha());
        impressora->setDocName(nomeDocumento);
        return impressora;
    }
    if (!PastaGravavel(PastaPdf()))
        return nullptr;
    auto impressora = ImpressoraPdf(ArquivoLivre(PastaPdf(), nomeDocumento));
    impressora->setDocName(nomeDocumento);
    return impressora;
}

void TImpressorasSistema::AplicaEscolha(QPrinter& impressora, const TEscolhaImpressora& escolha)
{
    if (TPapel::CodigoValido(escolha.CodigoPapel))
        impressora.setPageSize(QPageSize(TPapel::TamanhoDoCodigo(escolha.CodigoPapel)));
    impressora.setPageOrientation(escolha.Orientacao == TOrientacao::Paisagem ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
}

bool TImpressorasSistema::PastaGravavel(const QString& pasta)
{
    if (pasta.isEmpty() || !CriaPastas(pasta))
        return false;
    const QFileInfo info(pasta);
    return info.isDir() && info.isWritable();
}

QString TImpressorasSistema::ArquivoLivre(const QString& pasta, const QString& nomeDocumento)
{
    QString base;
    for (const QChar c : nomeDocumento.trimmed())
        base += (c < QLatin1Char(' ') || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QLatin1Char('_') : c;
    if (base.isEmpty() || base.startsWith(QLatin1Char('.')))
        base.prepend(QStringLiteral("Relatorio"));
    const QDir dir(pasta);
    QString arquivo = dir.filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(arquivo); ++n)
        arquivo = dir.filePath(base + QStringLiteral(" (%1).pdf").arg(n));
    return arquivo;
}

std::unique_ptr<QPrinter> TImpressorasSistema::ImpressoraPdf(const QString& arquivo)
{
    auto impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impressora->setOutputFormat(QPrinter::PdfFormat);
    impressora->setOutputFileName(arquivo);
    impressora->setPageSize(QPageSize(QPageSize::A4));
    return impressora;
}
