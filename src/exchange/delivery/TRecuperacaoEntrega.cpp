#include "exchange/delivery/TRecuperacaoEntrega.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <stdexcept>

#include "exchange/delivery/TFontePruv.h"
#include "exchange/layout/TNomeEntrega.h"
#include "model/values/PastasPrograma.h"
#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TConfirmacoes.h"
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

// Decide's answer, and whether both files stay because the data hold an older date than that of
// a run that committed: data restored from before it, which is what the user is told.
struct TAvaliacao {
    D Destino = D::FicamAmbos;
    bool DadosAnteriores = false;
};

TAvaliacao Avalia(const TSubstituicao::TSobra& Sobra);

// The place a file kept under a visible name stood for: its name less ".anterior" or
// ".anterior-N".
QString LugarDoExposto(const QString& Exposto)
{
    static const QRegularExpression sufixo(QStringLiteral("\\.anterior(-[0-9]+)?$"));
    return QFileInfo(Exposto).fileName().remove(sufixo);
}

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

TSubstituicao::TDestino TRecuperacaoEntrega::Decide(const TSubstituicao::TSobra& Sobra)
{
    return Avalia(Sobra).Destino;
}

namespace {

// Anything the rules below do not settle (a mark that cannot be read or is not the writer's, a
// database that cannot be read, holds no such declaration or another date, a file that is not the
// one named) keeps both files.
TAvaliacao Avalia(const TSubstituicao::TSobra& Sobra)
{
    if (Sobra.EstadoMarca != TSubstituicao::TSobra::TMarca::Lida)
        return {};
    const QStringList partes = QString::fromUtf8(Sobra.Marca).split(QLatin1Char('\n'));
    const bool comCompanheira = partes.size() == 7 && partes[LinhaVersao] == Versao;
    if ((partes.size() != 6 && !comCompanheira) || partes[LinhaHashNovo].isEmpty())
        return {};
    const bool novoNoLugar = TRecuperacaoEntrega::Hash(Sobra.Destino) == partes[LinhaHashNovo].toLatin1();
    // With nothing aside nothing but the mark goes, whatever became of the earlier file.
    const bool anteriorAparte = Sobra.Aparte.isEmpty()
        || (!partes[LinhaHashAnterior].isEmpty()
            && TRecuperacaoEntrega::Hash(Sobra.Aparte) == partes[LinhaHashAnterior].toLatin1());
    if (!novoNoLugar || !anteriorAparte)
        return {};
    std::optional<double> gravada;
    try {
        gravada = Registro() ? Registro()(partes[LinhaAno], partes[LinhaNi])
                             : TFontePruv::DataGravadaNoBanco(partes[LinhaAno], partes[LinhaNi]);
    } catch (const std::exception& e) {
        qWarning("the record of a delivery file left by an interrupted run cannot be read: %s", e.what());
        return {};
    }
    if (!gravada)
        return {};
    if (TextoData(gravada) == partes[LinhaData])
        return {D::FicaNovo};
    // The run committed and the user was told the new file was written: it stays, whatever the
    // database holds now (a backup from before it restored).
    if (comCompanheira && !Sobra.Pendente) {
        bool lida = false;
        const double data = partes[LinhaData].toDouble(&lida);
        return {D::FicamAmbos, lida && *gravada < data};
    }
    if (TextoData(gravada) != partes[LinhaDataAnterior])
        return {};
    if (!Sobra.Aparte.isEmpty())
        return {D::VoltaAnterior};
    // A run that found no earlier file and never committed: the database never recorded its file,
    // which goes as the earlier one would have come back.
    if (comCompanheira && partes[LinhaHashAnterior].isEmpty())
        return {D::VoltaAnterior};
    return {};
}

}   // namespace

QStringList TRecuperacaoEntrega::Recupera(const QString& Pasta, QStringList* Presos)
{
    QStringList mantidos;
    QStringList anteriores;   // kept because the data restored are older than the file
    QStringList removidos;
    QList<TSubstituicao::TSobra> confirmadas;   // committed by the data, never confirmed on disk
    const auto decide = [&](const TSubstituicao::TSobra& sobra) {
        const TAvaliacao avaliacao = Avalia(sobra);
        if (avaliacao.Destino == D::FicamAmbos)
            (avaliacao.DadosAnteriores ? anteriores : mantidos) << QFileInfo(sobra.Destino).fileName();
        else if (avaliacao.Destino == D::VoltaAnterior && sobra.Aparte.isEmpty())
            removidos << sobra.Destino;
        else if (avaliacao.Destino == D::FicaNovo && sobra.Pendente)
            confirmadas << sobra;
        return avaliacao.Destino;
    };
    QStringList expostos;
    QStringList especiais;
    TSubstituicao::Recupera(Pasta, TNomeEntrega::EhArquivo, decide, &expostos, PastaConfirmacoes(), &especiais);
    TArquivoNovo::RemoveAbandonados(Pasta);
    const QDir pasta(Pasta);
    for (const QString& nome : pasta.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System))
        if (TNomeEntrega::EhPacote(nome))
            QFile::remove(pasta.filePath(nome));
    // A commit whose mark still stands with its companion, and that the folder of confirmations
    // did not take either: nothing but the data says it was made.
    const TConfirmacoes registro(PastaConfirmacoes());
    for (const TSubstituicao::TSobra& sobra : std::as_const(confirmadas)) {
        QString motivo;
        if (Presos && QFileInfo::exists(TSubstituicao::NomeMarca(sobra.Destino))
            && QFileInfo::exists(TSubstituicao::NomePendente(sobra.Destino))
            && registro.Estado(sobra.Destino, sobra.Marca) == TConfirmacoes::TEstado::Ausente
            && !registro.Registra(sobra.Destino, sobra.Marca, motivo))
            *Presos << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(sobra.Destino), motivo);
    }

    QStringList textos;
    for (const QString& exposto : std::as_const(expostos))
        (anteriores.contains(LugarDoExposto(exposto)) ? anteriores : mantidos) << QFileInfo(exposto).fileName();
    if (!mantidos.isEmpty())
        textos << QStringLiteral("Uma gravação de arquivo de entrega foi interrompida e não foi possível saber qual "
                                 "arquivo a declaração registra. Nenhum arquivo foi apagado: confira os arquivos "
                                 "abaixo, na pasta %1, e grave a declaração novamente se for preciso.\n\n%2")
                      .arg(QDir::toNativeSeparators(Pasta), mantidos.join(QLatin1Char('\n')));
    if (!anteriores.isEmpty())
        textos << QStringLiteral("Os dados restaurados são anteriores ao arquivo de entrega gravado na pasta %1: a "
                                 "declaração não registra essa gravação. Nenhum arquivo foi apagado: confira os "
                                 "arquivos abaixo e grave a declaração novamente se for preciso.\n\n%2")
                      .arg(QDir::toNativeSeparators(Pasta), anteriores.join(QLatin1Char('\n')));
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

QStringList TRecuperacaoEntrega::RecuperaPadrao(QStringList* Presos)
{
    QStringList textos;
    const QDir::Filters pastas = QDir::Dirs | QDir::NoDotAndDotDot;
    const QDir gravadas(TNomeEntrega::Gravadas(TVolumes::PastaBase()));
    for (const QString& ni : gravadas.entryList(pastas)) {
        const QDir pastaNi(gravadas.filePath(ni));
        for (const QString& ano : pastaNi.entryList(pastas))
            textos << Recupera(pastaNi.filePath(ano), Presos);
    }
    // A delivery onto a removable medium goes to its root: those mounted now are seen to as well.
    for (const TVolume& volume : TVolumes::Lista())
        if (volume.Removivel())
            textos << Recupera(volume.Raiz, Presos);
    return textos;
}

QString TRecuperacaoEntrega::AcertaAntesDeRestaurar(QStringList& Textos)
{
    QStringList presos;
    Textos = RecuperaPadrao(&presos);
    if (presos.isEmpty())
        return {};
    return QStringLiteral(
               "A gravação do arquivo de entrega abaixo foi registrada, mas a pasta dele não deixa remover "
               "o que a gravação deixou ao lado, e a confirmação não pôde ser guardada na pasta de dados. Restaurar "
               "agora desfaria essa gravação: libere a pasta e restaure novamente.\n\n%1")
        .arg(presos.join(QLatin1Char('\n')));
}

QString TRecuperacaoEntrega::PastaConfirmacoes()
{
    return DiretorioDados() + QStringLiteral("/Confirmacoes");
}

void TRecuperacaoEntrega::DefineRegistro(TRegistro Registro_)
{
    Registro() = std::move(Registro_);
}
