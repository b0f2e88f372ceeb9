#include "platform/transmit/TCarregadorTransmissao.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QStandardPaths>
#include <QtDebug>
#include <array>
#include <cstdint>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <utility>

#include "platform/transmit/TInstalacaoTransmissao.h"

namespace {

using FnEnviarDeclaracao = std::int32_t (*)(char* arquivo, char* mensagem);
using FnGauge = void (*)(std::int32_t percentual);
using FnSetaGaugeTransmissao = void (*)(FnGauge gauge);
using FnVA5 = unsigned char (*)(const char* recibo, const char* ni, const char* crc, std::int32_t dia, std::int32_t mes,
                                std::int32_t ano, std::int32_t hora, std::int32_t minuto, std::int32_t segundo);

// The progress library keeps one plain function address, so the receiver lives here.
TGaugeTransmissao gaugeAtual;
// An exception must not unwind through the library's frames: it waits here until the sending
// library has returned.
std::exception_ptr falhaDoGauge;

void AtualizaGaugeTransmissao(std::int32_t percentual)
{
    if (!gaugeAtual || falhaDoGauge)
        return;
    const TGaugeTransmissao gauge = gaugeAtual;   // the call may set another gauge
    try {
        gauge(percentual);
    } catch (...) {
        falhaDoGauge = std::current_exception();
    }
}

// A loaded library, freed with its owner.
class TBiblioteca {
public:
    explicit TBiblioteca(std::unique_ptr<QLibrary> biblioteca)
        : FBiblioteca(std::move(biblioteca))
    {}
    ~TBiblioteca() { FBiblioteca->unload(); }
    TBiblioteca(const TBiblioteca&) = delete;
    TBiblioteca& operator=(const TBiblioteca&) = delete;

private:
    std::unique_ptr<QLibrary> FBiblioteca;
};

// Loads the library and resolves its export; null when either fails, with the reason on the log
// when the file was there (a library looked for on the search path may well be absent).
template <typename Funcao>
std::unique_ptr<QLibrary> Abre(const QString& arquivo, const char* exportacao, Funcao& funcao, bool achada)
{
    auto biblioteca = std::make_unique<QLibrary>(arquivo);
    if (!biblioteca->load()) {
        if (achada)
            qWarning().noquote() << "transmission library not loaded:" << biblioteca->errorString();
        return nullptr;
    }
    funcao = reinterpret_cast<Funcao>(biblioteca->resolve(exportacao));
    if (!funcao) {
        qWarning().noquote() << "transmission library" << arquivo << "lacks" << exportacao;
        biblioteca->unload();
        return nullptr;
    }
    return biblioteca;
}

// The library's file in the folder, with the folder made current; empty when it is not there.
QString ArquivoNaPasta(const QString& pasta, const char* nome)
{
    const QString arquivo = TInstalacaoTransmissao::LocalizaArquivo(pasta, QString::fromLatin1(nome));
    if (!arquivo.isEmpty())
        QDir::setCurrent(pasta);
    return arquivo;
}

class TBibliotecaEnvioQt final : public IBibliotecaEnvio, private TBiblioteca {
public:
    TBibliotecaEnvioQt(std::unique_ptr<QLibrary> biblioteca, FnEnviarDeclaracao enviar)
        : TBiblioteca(std::move(biblioteca))
        , FEnviar(enviar)
    {}

    int EnviarDeclaracao(const QString& arquivo, QString& mensagem) override
    {
        if (!NomeAceito(arquivo))
            throw std::invalid_argument("file name too long for the sending library: " + arquivo.toStdString());
        const QByteArray nome = QFile::encodeName(arquivo);
        std::array<char, TamanhoMaximoArquivo + 1> bufferNome{};
        std::memcpy(bufferNome.data(), nome.constData(), static_cast<std::size_t>(nome.size()));
        // One byte beyond the library's 1024 stays zero, so the text ends inside the buffer.
        std::array<char, TamanhoMensagem + 1> bufferMensagem{};
        falhaDoGauge = nullptr;
        const int resultado = FEnviar(bufferNome.data(), bufferMensagem.data());
        mensagem = QString::fromLatin1(bufferMensagem.data(),
                                       static_cast<qsizetype>(std::strlen(bufferMensagem.data())));
        if (falhaDoGauge)
            std::rethrow_exception(std::exchange(falhaDoGauge, nullptr));
        return resultado;
    }

private:
    FnEnviarDeclaracao FEnviar;
};

class TBibliotecaProgressoQt final : public IBibliotecaProgresso, private TBiblioteca {
public:
    TBibliotecaProgressoQt(std::unique_ptr<QLibrary> biblioteca, FnSetaGaugeTransmissao seta)
        : TBiblioteca(std::move(biblioteca))
        , FSeta(seta)
    {}
    ~TBibliotecaProgressoQt() override { gaugeAtual = nullptr; }

    void SetaGaugeTransmissao(TGaugeTransmissao gauge) override
    {
        gaugeAtual = std::move(gauge);
        FSeta(&AtualizaGaugeTransmissao);
    }

private:
    FnSetaGaugeTransmissao FSeta;
};

class TBibliotecaAssinaturaQt final : public IBibliotecaAssinatura, private TBiblioteca {
public:
    TBibliotecaAssinaturaQt(std::unique_ptr<QLibrary> biblioteca, FnVA5 va5)
        : TBiblioteca(std::move(biblioteca))
        , FVA5(va5)
    {}

    bool VA5(const QString& numeroRecibo, const QString& ni, const QString& crc, int dia, int mes, int ano, int hora,
             int minuto, int segundo) override
    {
        return FVA5(numeroRecibo.toLatin1().constData(), ni.toLatin1().constData(), crc.toLatin1().constData(), dia,
                    mes, ano, hora, minuto, segundo)
            != 0;
    }

private:
    FnVA5 FVA5;
};

// The library of that kind, over its file and its resolved export.
template <typename Biblioteca, typename Funcao>
std::unique_ptr<Biblioteca> Carrega(const QString& arquivo, const char* exportacao, bool achada = true)
{
    Funcao funcao = nullptr;
    auto biblioteca = Abre(arquivo, exportacao, funcao, achada);
    if (!biblioteca)
        return nullptr;
    return std::make_unique<Biblioteca>(std::move(biblioteca), funcao);
}

}   // namespace

QString TCarregadorTransmissao::PastaSistema() const
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir::cleanPath(base.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : base);
}

std::unique_ptr<IBibliotecaEnvio> TCarregadorTransmissao::CarregaEnvio(const QString& pasta)
{
    const QString arquivo = ArquivoNaPasta(pasta, NomeEnvio);
    if (arquivo.isEmpty())
        return nullptr;
    return Carrega<TBibliotecaEnvioQt, FnEnviarDeclaracao>(arquivo, "EnviarDeclaracao");
}

std::unique_ptr<IBibliotecaProgresso> TCarregadorTransmissao::CarregaProgresso(const QString& pasta)
{
    const QString arquivo = ArquivoNaPasta(pasta, NomeProgresso);
    if (arquivo.isEmpty())   // by name, through the system's search path
        return Carrega<TBibliotecaProgressoQt, FnSetaGaugeTransmissao>(QString::fromLatin1(NomeProgresso),
                                                                       "SetaGaugeTransmissao", false);
    return Carrega<TBibliotecaProgressoQt, FnSetaGaugeTransmissao>(arquivo, "SetaGaugeTransmissao");
}

std::unique_ptr<IBibliotecaAssinatura> TCarregadorTransmissao::CarregaAssinatura(const QString& pasta)
{
    const QString arquivo = ArquivoNaPasta(pasta, NomeAssinatura);
    if (arquivo.isEmpty())
        return nullptr;
    return Carrega<TBibliotecaAssinaturaQt, FnVA5>(arquivo, "VA5");
}
