#include "platform/transmit/TransmissaoRoteirizada.h"

#include <QDir>
#include <stdexcept>
#include <utility>

#include "platform/files/TIniFile.h"
#include "platform/transmit/ProgramaTransmissao.h"
#include "platform/transmit/TInstalacaoTransmissao.h"

// Each library counts itself among the open ones while it lives.
class TransmissaoRoteirizada::TEnvioRoteirizado final : public IBibliotecaEnvio {
public:
    explicit TEnvioRoteirizado(TransmissaoRoteirizada& dono)
        : FDono(dono)
    {
        ++FDono.FAbertas;
    }
    ~TEnvioRoteirizado() override { --FDono.FAbertas; }
    TEnvioRoteirizado(const TEnvioRoteirizado&) = delete;
    TEnvioRoteirizado& operator=(const TEnvioRoteirizado&) = delete;

    int EnviarDeclaracao(const QString& arquivo, QString& mensagem) override { return FDono.Envia(arquivo, mensagem); }

private:
    TransmissaoRoteirizada& FDono;
};

class TransmissaoRoteirizada::TProgressoRoteirizado final : public IBibliotecaProgresso {
public:
    explicit TProgressoRoteirizado(TransmissaoRoteirizada& dono)
        : FDono(dono)
    {
        ++FDono.FAbertas;
    }
    ~TProgressoRoteirizado() override
    {
        FDono.FGauge = nullptr;
        --FDono.FAbertas;
    }
    TProgressoRoteirizado(const TProgressoRoteirizado&) = delete;
    TProgressoRoteirizado& operator=(const TProgressoRoteirizado&) = delete;

    void SetaGaugeTransmissao(TGaugeTransmissao gauge) override { FDono.FGauge = std::move(gauge); }

private:
    TransmissaoRoteirizada& FDono;
};

class TransmissaoRoteirizada::TAssinaturaRoteirizada final : public IBibliotecaAssinatura {
public:
    explicit TAssinaturaRoteirizada(TransmissaoRoteirizada& dono)
        : FDono(dono)
    {
        ++FDono.FAbertas;
    }
    ~TAssinaturaRoteirizada() override { --FDono.FAbertas; }
    TAssinaturaRoteirizada(const TAssinaturaRoteirizada&) = delete;
    TAssinaturaRoteirizada& operator=(const TAssinaturaRoteirizada&) = delete;

    bool VA5(const QString& numeroRecibo, const QString& ni, const QString& crc, int dia, int mes, int ano, int hora,
             int minuto, int segundo) override
    {
        FDono.FChamadasVA5.push_back({numeroRecibo, ni, crc, dia, mes, ano, hora, minuto, segundo});
        return FDono.FAutentico;
    }

private:
    TransmissaoRoteirizada& FDono;
};

TransmissaoRoteirizada::TransmissaoRoteirizada()
    : FAnterior(ProgramaTransmissao::Instala(this))
{}

TransmissaoRoteirizada::~TransmissaoRoteirizada()
{
    ProgramaTransmissao::Instala(FAnterior);
}

void TransmissaoRoteirizada::EscreveIni(const QString& versao, const QString& path) const
{
    if (FPastaSistema.isEmpty())
        throw std::logic_error("no system folder for the INI file");
    QDir().mkpath(FPastaSistema);
    TIniFile ini(QDir(FPastaSistema).filePath(QString::fromLatin1(TInstalacaoTransmissao::NomeIni)));
    const QString secao = QString::fromLatin1(TInstalacaoTransmissao::Secao);
    ini.WriteString(secao, QStringLiteral("Versao"), versao);
    ini.WriteString(secao, QStringLiteral("Path"), path);
}

void TransmissaoRoteirizada::DisponibilizaAssinatura(const QString& pasta, bool autentico)
{
    FPastasAssinatura << pasta;
    FAutentico = autentico;
}

void TransmissaoRoteirizada::RespondeEnvio(TEnvio envio)
{
    FEnvios.push_back(std::move(envio));
}

std::unique_ptr<IBibliotecaEnvio> TransmissaoRoteirizada::CarregaEnvio(const QString& pasta)
{
    if (pasta.isEmpty() || !FPastasEnvio.contains(pasta))
        return nullptr;
    return std::make_unique<TEnvioRoteirizado>(*this);
}

std::unique_ptr<IBibliotecaProgresso> TransmissaoRoteirizada::CarregaProgresso(const QString& pasta)
{
    if (!FPastasProgresso.contains(pasta))
        return nullptr;
    return std::make_unique<TProgressoRoteirizado>(*this);
}

std::unique_ptr<IBibliotecaAssinatura> TransmissaoRoteirizada::CarregaAssinatura(const QString& pasta)
{
    if (pasta.isEmpty() || !FPastasAssinatura.contains(pasta))
        return nullptr;
    return std::make_unique<TAssinaturaRoteirizada>(*this);
}

int TransmissaoRoteirizada::Envia(const QString& arquivo, QString& mensagem)
{
    if (!IBibliotecaEnvio::NomeAceito(arquivo))
        throw std::invalid_argument("file name too long for the sending library: " + arquivo.toStdString());
    if (FEnvios.empty())
        throw std::logic_error("unscripted sending of: " + arquivo.toStdString());
    const TEnvio envio = std::move(FEnvios.front());
    FEnvios.pop_front();
    FEnviados << arquivo;
    for (const int percentual : envio.Progresso) {
        const TGaugeTransmissao gauge = FGauge;   // the call may set another gauge
        if (gauge)
            gauge(percentual);
    }
    if (envio.Durante)
        envio.Durante();
    mensagem = envio.Mensagem;
    return envio.Resultado;
}
