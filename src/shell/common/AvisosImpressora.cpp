#include "shell/common/AvisosImpressora.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <cstdint>

#include "model/values/TErro.h"
#include "platform/report/printing/IImpressoras.h"

namespace {

void AvisaSemImpressora()
{
    TErro(CodigoMensagem::SemDriverDeImpressao, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
}

}   // namespace

bool ExisteImpressoraOuAvisa()
{
    if (Impressoras::Atual().ExisteImpressora())
        return true;
    AvisaSemImpressora();
    return false;
}

std::unique_ptr<QPrinter> CriaImpressoraOuAvisa(const QString& Titulo)
{
    std::unique_ptr<QPrinter> impressora = Impressoras::Atual().CriaImpressora(Titulo);
    if (!impressora)
        AvisaSemImpressora();
    return impressora;
}

void AvisaImpressaoRecusada(const QPrinter& Impressora)
{
    if (Impressora.outputFormat() == QPrinter::PdfFormat)
        TErro(CodigoMensagem::FalhaNaGravacao, Impressora.outputFileName(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
    else
        AvisaSemImpressora();
}

QString ArquivoSemImpressora(const QPrinter& Impressora)
{
    // The stand-in prints only where no printer is installed; a printer may itself write PDF.
    if (Impressora.outputFormat() != QPrinter::PdfFormat || !Impressoras::Atual().Instaladas().isEmpty())
        return QString();
    return Impressora.outputFileName();
}

void AvisaGravadoSemImpressora(const QStringList& Arquivos)
{
    if (Arquivos.isEmpty())
        return;
    QString onde;
    if (Arquivos.size() == 1) {
        onde = QStringLiteral("o documento foi gravado em PDF no arquivo ")
            + QDir::toNativeSeparators(Arquivos.front());
    } else {
        const QFileInfo primeiro(Arquivos.front());
        onde = QStringLiteral("o documento foi gravado em %1 arquivos PDF na pasta %2, de \"%3\" a \"%4\"")
                   .arg(Arquivos.size())
                   .arg(QDir::toNativeSeparators(primeiro.absolutePath()), primeiro.fileName(),
                        QFileInfo(Arquivos.back()).fileName());
    }
    TErro(CodigoMensagem::NenhumaImpressoraInstalada, onde, TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
}

void AvisaImpressaoConcluida(const QPrinter& Impressora)
{
    if (const QString arquivo = ArquivoSemImpressora(Impressora); !arquivo.isEmpty())
        AvisaGravadoSemImpressora({arquivo});
}
