#include "platform/report/printing/TImpressaoPaginas.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>

#include "platform/files/TArquivoNovo.h"
#include "platform/files/TDispositivoArquivoNovo.h"
#include "platform/report/pages/TPapel.h"
#include "platform/report/pages/TUnidades.h"

TImpressaoPaginas::TImpressaoPaginas(QPrinter& impressora, const TPapel& papel, const QString& nomeDocumento)
    : FImpressora(impressora)
{
    FImpressora.setFullPage(true);
    FImpressora.setPageLayout(papel.Leiaute());
    FImpressora.setDocName(nomeDocumento);
    if (FImpressora.outputFormat() == QPrinter::PdfFormat && !FImpressora.outputFileName().isEmpty())
        FArquivo = FImpressora.outputFileName();
}

TImpressaoPaginas::~TImpressaoPaginas()
{
    if (!FEncerrada)
        Abandona();
}

bool TImpressaoPaginas::Inicia()
{
    if (FArquivo.isEmpty())
        return FPintor.begin(&FImpressora);
    // What a job killed midway left in the same folder goes first.
    TArquivoNovo::RemoveAbandonados(QFileInfo(FArquivo).absolutePath());
    FDispositivo = std::make_unique<TDispositivoArquivoNovo>();
    if (!FDispositivo->Abre(FArquivo))
        return false;
    FEscritor = std::make_unique<QPdfWriter>(FDispositivo.get());
    QPageLayout leiaute = FImpressora.pageLayout();
    leiaute.setMode(QPageLayout::FullPageMode);
    FEscritor->setPageLayout(leiaute);
    FEscritor->setResolution(FImpressora.resolution());
    FEscritor->setPdfVersion(FImpressora.pdfVersion());
    FEscritor->setTitle(FImpressora.docName());
    FEscritor->setCreator(FImpressora.creator());
    return FPintor.begin(FEscritor.get());
}

bool TImpressaoPaginas::Pagina(const QPicture& pagina)
{
    if (FFalhou || FEncerrada)
        return false;
    const bool pronta = FPaginas == 0 ? Inicia() : FEscritor ? FEscritor->newPage() : FImpressora.newPage();
    if (!pronta) {
        FFalhou = true;
        return false;
    }
    TUnidades::DesenhaPagina(FPintor, pagina);
    ++FPaginas;
    return true;
}

bool TImpressaoPaginas::EncerraPintura()
{
    const bool ok = !FPintor.isActive() || FPintor.end();
    FEscritor.reset();
    return ok;
}

bool TImpressaoPaginas::Conclui()
{
    if (FEncerrada)
        return !FFalhou;
    FEncerrada = true;
    if (!EncerraPintura())
        FFalhou = true;
    if (FDispositivo) {
        // Replaces an earlier file in one step, only with the whole new one.
        if (FFalhou)
            FDispositivo->Descarta();
        else if (!FDispositivo->Confirma())
            FFalhou = true;
        FDispositivo.reset();
    }
    return !FFalhou;
}

void TImpressaoPaginas::Abandona()
{
    if (FEncerrada)
        return;
    FEncerrada = true;
    if (FPintor.isActive() && !FEscritor)
        FImpressora.abort();
    EncerraPintura();
    if (FDispositivo) {
        FDispositivo->Descarta();
        FDispositivo.reset();
    }
}
