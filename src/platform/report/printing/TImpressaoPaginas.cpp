#include "platform/report/printing/TImpressaoPaginas.h"

#include <QFile>
#include <QFileInfo>
#include <QPicture>
#include <QPrinter>
#include <QUuid>
#include <filesystem>
#include <system_error>

#include "platform/report/pages/TPapel.h"
#include "platform/report/pages/TUnidades.h"

TImpressaoPaginas::TImpressaoPaginas(QPrinter& impressora, const TPapel& papel, const QString& nomeDocumento)
    : FImpressora(impressora)
{
    FImpressora.setFullPage(true);
    FImpressora.setPageLayout(papel.Leiaute());
    FImpressora.setDocName(nomeDocumento);
    if (FImpressora.outputFormat() == QPrinter::PdfFormat && !FImpressora.outputFileName().isEmpty()) {
        FArquivo = FImpressora.outputFileName();
        const QFileInfo info(FArquivo);
        FTemporario = info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName() + QLatin1Char('.')
            + QUuid::createUuid().toString(QUuid::Id128).left(8) + QStringLiteral(".tmp");
        FImpressora.setOutputFileName(FTemporario);
    }
}

TImpressaoPaginas::~TImpressaoPaginas()
{
    if (!FEncerrada)
        Abandona();
}

bool TImpressaoPaginas::Pagina(const QPicture& pagina)
{
    if (FFalhou || FEncerrada)
        return false;
    if (FPaginas == 0) {
        if (!FPintor.begin(&FImpressora)) {
            FFalhou = true;
            return false;
        }
    } else if (!FImpressora.newPage()) {
        FFalhou = true;
        return false;
    }
    TUnidades::DesenhaPagina(FPintor, pagina);
    ++FPaginas;
    return true;
}

bool TImpressaoPaginas::Conclui()
{
    if (FEncerrada)
        return !FFalhou;
    FEncerrada = true;
    if (FPintor.isActive() && !FPintor.end())
        FFalhou = true;
    if (!FArquivo.isEmpty()) {
        FImpressora.setOutputFileName(FArquivo);
        if (FFalhou || FPaginas == 0 || !QFileInfo::exists(FTemporario)) {
            QFile::remove(FTemporario);
            return !FFalhou && FPaginas == 0;
        }
        std::error_code erro;
        // Replaces an earlier file in one step: it is either the old file or the whole new one.
        std::filesystem::rename(QFile::encodeName(FTemporario).toStdString(), QFile::encodeName(FArquivo).toStdString(),
                                erro);
        if (erro) {
            QFile::remove(FTemporario);
            FFalhou = true;
        }
    }
    return !FFalhou;
}

void TImpressaoPaginas::Abandona()
{
    if (FEncerrada)
        return;
    FEncerrada = true;
    if (FPintor.isActive()) {
        FImpressora.abort();
        FPintor.end();
    }
    if (!FArquivo.isEmpty()) {
        QFile::remove(FTemporario);
        FImpressora.setOutputFileName(FArquivo);
    }
}
