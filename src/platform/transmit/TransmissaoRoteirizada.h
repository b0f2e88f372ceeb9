#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/transmit/ICarregadorTransmissao.h"

// Test double of the transmission program: installs itself for its lifetime (putting back what
// was installed before), has each library present in the folders the test names, answers the
// sendings from a queue of scripted ones and records every call. It must outlive the libraries
// it hands out.
//
// A sending without a scripted answer raises std::logic_error carrying the file name, so the
// test fails instead of guessing.
class TransmissaoRoteirizada final : public ICarregadorTransmissao {
public:
    struct TEnvio {
        int Resultado = 0;
        QString Mensagem;
        std::vector<int> Progresso;      // given to the gauge, in order, during the call
        std::function<void()> Durante;   // run after the progress, before the call returns
    };
    struct TChamadaVA5 {
        QString NumeroRecibo, Ni, Crc;
        int Dia, Mes, Ano, Hora, Minuto, Segundo;
    };

    TransmissaoRoteirizada();
    ~TransmissaoRoteirizada() override;
    TransmissaoRoteirizada(const TransmissaoRoteirizada&) = delete;
    TransmissaoRoteirizada& operator=(const TransmissaoRoteirizada&) = delete;

    // None at first: nothing is installed.
    void DefinePastaSistema(const QString& pasta) { FPastaSistema = pasta; }
    // Writes the INI file into the system folder (created when missing) with the two keys.
    void EscreveIni(const QString& versao, const QString& path) const;

    void DisponibilizaEnvio(const QString& pasta) { FPastasEnvio << pasta; }
    void DisponibilizaProgresso(const QString& pasta) { FPastasProgresso << pasta; }
    void DisponibilizaAssinatura(const QString& pasta, bool autentico);

    void RespondeEnvio(TEnvio envio);   // queued after the sendings already scripted

    [[nodiscard]] QString PastaSistema() const override { return FPastaSistema; }
    std::unique_ptr<IBibliotecaEnvio> CarregaEnvio(const QString& pasta) override;
    std::unique_ptr<IBibliotecaProgresso> CarregaProgresso(const QString& pasta) override;
    std::unique_ptr<IBibliotecaAssinatura> CarregaAssinatura(const QString& pasta) override;

    [[nodiscard]] const QStringList& Enviados() const { return FEnviados; }   // file names, in order
    [[nodiscard]] const std::vector<TChamadaVA5>& ChamadasVA5() const { return FChamadasVA5; }
    [[nodiscard]] int Abertas() const { return FAbertas; }   // libraries handed out and not yet freed
    [[nodiscard]] std::size_t EnviosPendentes() const { return FEnvios.size(); }

private:
    class TEnvioRoteirizado;
    class TProgressoRoteirizado;
    class TAssinaturaRoteirizada;

    int Envia(const QString& arquivo, QString& mensagem);

    ICarregadorTransmissao* FAnterior;
    QString FPastaSistema;
    QStringList FPastasEnvio;
    QStringList FPastasProgresso;
    QStringList FPastasAssinatura;
    bool FAutentico = true;
    std::deque<TEnvio> FEnvios;
    TGaugeTransmissao FGauge;
    QStringList FEnviados;
    std::vector<TChamadaVA5> FChamadasVA5;
    int FAbertas = 0;
};
