#include "exchange/delivery/TRecuperacaoEntrega.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "exchange/delivery/TFontePruv.h"
#include "exchange/layout/TNomeEntrega.h"
#include "model/values/PastasPrograma.h"
#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TMotivoSistema.h"
#include "platform/files/TVolumes.h"

namespace {

using D = TSubstituicao::TDestino;

// The last line of a mark written with its companion; a mark of six lines comes from a build that
// kept none, and is decided as that build would.
const QString Versao = QStringLiteral("2");

TRecuperacaoEntrega::TRegistro& Registro()
{
    static TRecuperacaoEntrega::TRegistro registro;
    return registro;
}

QString TextoData(const std::optional<double>& Data)
{
    return Data ? QString::number(*Data, 'g', 17) : QStringLiteral("-");
}

// The mark's lines, by what they hold.
enum Linha { LinhaAno, LinhaNi, LinhaData, LinhaHashNovo, LinhaDataAnterior, LinhaHashAnterior, LinhaVersao };

}   // namespace

QByteArray TRecuperacaoEntrega::Marca(const QString& Ano, const QString& Ni, double Data, const QByteArray& HashNovo,
                                      const std::optional<double>& DataAnterior, const QByteArray& HashAnterior)
{
    if (HashNovo.isEmpty())
        return {};
    return QStringList{Ano,
                       Ni,
                       TextoData(Data),
                       QString::fromLatin1(HashNovo),
                       TextoData(DataAnterior),
                       QString::fromLatin1(HashAnterior),
                       Versao}
        .join(QLatin1Char('\n'))
        .toUtf8();
}

QByteArray TRecuperacaoEntrega::Hash(const QString& Caminho)
{
    QFile arquivo(Caminho);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (QString erro;
        !AbreLeituraComum(arquivo, erro) || !hash.addData(&arquivo) || arquivo.error() != QFileDevice::NoError)
        return {};
    return hash.result().toHex();
}

// Anything the rules below do not settle (a mark that cannot be read or is not the writer's, a
// database that cannot be read, holds no such declaration or another date, a file that is not the
// one named) keeps both files.
TSubstituicao::TDestino TRecuperacaoEntrega::Decide(const TSubstituicao::TSobra& Sobra)
{
    if (Sobra.EstadoMarca != TSubstituicao::TSobra::TMarca::Lida)
        return D::FicamAmbos;
    const QStringList partes = QString::fromUtf8(Sobra.Marca).split(QLatin1Char('\n'));
    const bool comCompanheira = partes.size() == 7 && partes[LinhaVersao] == Versao;
    if ((partes.size() != 6 && !comCompanheira) || partes[LinhaHashNovo].isEmpty())
        return D::FicamAmbos;
    const bool novoNoLugar = Hash(Sobra.Destino) == partes[LinhaHashNovo].toLatin1();
    // With nothing aside nothing but the mark goes, whatever became of the earlier file.
    const bool anteriorAparte = Sobra.Aparte.isEmpty()
        || (!partes[LinhaHashAnterior].isEmpty() && Hash(Sobra.Aparte) == partes[LinhaHashAnterior].toLatin1());
    if (!novoNoLugar || !anteriorAparte)
        return D::FicamAmbos;
    std::optional<double> gravada;
    try {
        gravada = Registro() ? Registro()(partes[LinhaAno], partes[LinhaNi])
                             : TFontePruv::DataGravadaNoBanco(partes[LinhaAno], partes[LinhaNi]);
    } catch (const std::exception& e) {
        qWarning("the record of a delivery file left by an interrupted run cannot be read: %s", e.what());
        return D::FicamAmbos;
    }
    if (!gravada)
        return D::FicamAmbos;
    if (TextoData(gravada) == partes[LinhaData])
        return D::FicaNovo;
    // The run committed and the user was told the new file was written: it stays, whatever the
    // database holds now (a backup from before it restored).
    if (comCompanheira && !Sobra.Pendente)
        return D::FicamAmbos;
    if (TextoData(gravada) != partes[LinhaDataAnterior])
        return D::FicamAmbos;
    if (!Sobra.Aparte.isEmpty())
        return D::VoltaAnterior;
    // A run that found no earlier file and never committed: the database never recorded its file,
    // which goes as the earlier one would have come back.
    if (comCompanheira && partes[LinhaHashAnterior].isEmpty())
        return D::VoltaAnterior;
    return D::FicamAmbos;
}

QStringList TRecuperacaoEntrega::Recupera(const QString& Pasta)
{
    QStringList mantidos;
    QStringList removidos;
    const auto decide = [&](const TSubstituicao::TSobra& sobra) {
        const TSubstituicao::TDestino destino = Decide(sobra);
        if (destino == D::FicamAmbos)
            mantidos << QFileInfo(sobra.Destino).fileName();
        else if (destino == D::VoltaAnterior && sobra.Aparte.isEmpty())
            removidos << sobra.Destino;
        return destino;
    };
    QStringList expostos;
    QStringList especiais;
    TSubstituicao::Recupera(Pasta, TNomeEntrega::EhArquivo, decide, &expostos, PastaConfirmacoes(), &especiais);
    TArquivoNovo::RemoveAbandonados(Pasta);
    const QDir pasta(Pasta);
    for (const QString& nome : pasta.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System))
        if (TNomeEntrega::EhPacote(nome))
            QFile::remove(pasta.filePath(nome));

    QStringList textos;
    if (!mantidos.isEmpty()) {
        for (const QString& exposto : std::as_const(expostos))
            mantidos << QFileInfo(exposto).fileName();
        textos << QStringLiteral("Uma gravação de arquivo de entrega foi interrompida e não foi possível saber qual "
                                 "arquivo a declaração registra. Nenhum arquivo foi apagado: confira os arquivos "
                                 "abaixo, na pasta %1, e grave a declaração novamente se for preciso.\n\n%2")
                      .arg(QDir::toNativeSeparators(Pasta), mantidos.join(QLatin1Char('\n')));
    }
    // Told only once gone: one that could not go is decided again at the next start.
    removidos.removeIf([](const QString& arquivo) { return QFileInfo::exists(arquivo); });
    if (!removidos.isEmpty()) {
        for (QString& arquivo : removidos)
            arquivo = QFileInfo(arquivo).fileName();
        textos << QStringLiteral("Uma gravação de arquivo de entrega foi interrompida antes de ser registrada na "
                                 "declaração. O arquivo abaixo, que ela deixou na pasta %1, foi removido: grave a "
                                 "declaração novamente.\n\n%2")
                      .arg(QDir::toNativeSeparators(Pasta), removidos.join(QLatin1Char('\n')));
    }
    // Told at every start while it stands: only a person can take it away.
    if (!especiais.isEmpty()) {
        for (QString& arquivo : especiais)
            arquivo = QFileInfo(arquivo).fileName();
        textos << QStringLiteral("O arquivo de entrega anterior guardado na pasta %1 não foi recuperado: %2. Nada "
                                 "foi movido nem apagado: confira o arquivo abaixo.\n\n%3")
                      .arg(QDir::toNativeSeparators(Pasta), TMotivoSistema::Texto(TMotivoSistema::ArquivoEspecial),
                           especiais.join(QLatin1Char('\n')));
    }
    return textos;
}

QStringList TRecuperacaoEntrega::RecuperaPadrao()
{
    QStringList textos;
    const QDir::Filters pastas = QDir::Dirs | QDir::NoDotAndDotDot;
    const QDir gravadas(TNomeEntrega::Gravadas(TVolumes::PastaBase()));
    for (const QString& ni : gravadas.entryList(pastas)) {
        const QDir pastaNi(gravadas.filePath(ni));
        for (const QString& ano : pastaNi.entryList(pastas))
            textos << Recupera(pastaNi.filePath(ano));
    }
    // A delivery onto a removable medium goes to its root: those mounted now are seen to as well.
    for (const TVolume& volume : TVolumes::Lista())
        if (volume.Removivel())
            textos << Recupera(volume.Raiz);
    return textos;
}

QString TRecuperacaoEntrega::PastaConfirmacoes()
{
    return DiretorioDados() + QStringLiteral("/Confirmacoes");
}

void TRecuperacaoEntrega::DefineRegistro(TRegistro Registro_)
{
    Registro() = std::move(Registro_);
}
