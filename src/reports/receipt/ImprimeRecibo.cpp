#include "reports/receipt/ImprimeRecibo.h"

#include <QFile>
#include <optional>

#include "exchange/layout/TNomeEntrega.h"
#include "exchange/layout/TNumeroRecibo.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/compress/Compressao.h"
#include "reports/receipt/CarregaBibliotecaAssinatura.h"
#include "reports/receipt/TArquivoRecibo.h"
#include "reports/receipt/TDadosRecibo.h"
#include "reports/receipt/TFoRelatoRecibo.h"

namespace {

void Mostra(std::uint8_t codigo)
{
    TErro(codigo, QString(), 0).Exibe();
}

}   // namespace

void ImprimeRecibo(const QStringList& Arquivos, bool JaGerado, const QString& Nome)
{
    const QString dados = DiretorioDados();
    const QString reciboIni = dados + QStringLiteral("/Recibo.ini");
    TFoRelatoRecibo relato;

    TAssinaturaSobDemanda assinatura;   // kept for the receipt files that follow

    for (const QString& arquivo : Arquivos) {
        QString entrega = Nome;
        if (!JaGerado) {
            // No receipt may come from the data of another delivery.
            if (QFile::exists(reciboIni))
                QFile::remove(reciboIni);
            if (DescomprimirReciboPruv(arquivo, dados) == 0) {
                Mostra(CodigoMensagem::DeclaracaoCorrompida);
                return;
            }
            entrega = arquivo;
        }
        const std::optional<TDadosRecibo> recibo = TDadosRecibo::Le(reciboIni);
        if (!recibo) {
            Mostra(CodigoMensagem::DeclaracaoCorrompida);
            return;
        }
        if (!recibo->NumeroReciboValido) {
            Mostra(CodigoMensagem::ReciboInvalido);
            continue;
        }
        relato.Preenche(*recibo);

        const QString arquivoRecibo = entrega.isEmpty() ? QString() : TNomeEntrega::ReciboExistente(entrega);
        if (!arquivoRecibo.isEmpty()) {
            TArquivoRecibo rec(arquivoRecibo);
            const TSituacaoRecibo situacao = rec.Verifica(recibo->Crc, [&assinatura] { return assinatura.Obtem(); });
            if (situacao == TSituacaoRecibo::Invalido) {
                Mostra(CodigoMensagem::ReciboCorrompido);
                continue;
            }
            if (situacao == TSituacaoRecibo::Certificado)
                relato.MostraRecepcao(rec.Recepcao());
        }
        if (!relato.Imprime())
            return;
    }
}
