#include "platform/report/TImpressorasSistema.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/report/TPapel.h"

namespace {

QString PastaPdfPadrao()
{
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documentos.isEmpty() ? QDir::homePath() : documentos;
}

}  // namespace

TImpressorasSistema::TImpressorasSistema() : FPastaPdf(PastaPdfPadrao()) {}

TImpressorasSistema::TImpressorasSistema(QString pastaPdf) : FPastaPdf(std::move(pastaPdf)) {}

bool TImpressorasSistema::HaImpressoraInstalada()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool TImpressorasSistema::ExisteImpressora() const
{
    return HaImpressoraInstalada() || PastaGravavel(FPastaPdf);
}

int TImpressorasSistema::CodigoPapelPadrao() const
{
    if (!HaImpressoraInstalada())
        return 9;
    QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
    if (padrao.isNull())
        padrao = QPrinterInfo::printerInfo(QPrinterInfo::availablePrinterNames().constFirst());
    const int codigo = TPapel::CodigoDoTamanho(padrao.defaultPageSize().id());
    return codigo == 0 ? 1 : codigo;
}

std::unique_ptr<QPrinter> TImpressorasSistema::CriaImpressora(const QString& nomeDocumento) const
{
    if (HaImpressoraInstalada()) {
        QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
        if (padrao.isNull())
            padrao = QPrinterInfo::printerInfo(QPrinterInfo::availablePrinterNames().constFirst());
        auto impressora = std::make_unique<QPrinter>(padrao, QPrinter::HighResolution);
        impressora->setDocName(nomeDocumento);
        return impressora;
    }
    if (!PastaGravavel(FPastaPdf))
        return nullptr;
    auto impressora = ImpressoraPdf(ArquivoLivre(FPastaPdf, nomeDocumento));
    impressora->setDocName(nomeDocumento);
    return impressora;
}

bool TImpressorasSistema::PastaGravavel(const QString& pasta)
{
    if (pasta.isEmpty() || !QDir().mkpath(pasta))
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
