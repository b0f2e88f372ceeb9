#include "shell/common/TRegistroPruv.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

#include "model/values/TErro.h"
#include "platform/files/CriaPastas.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TPastas.h"

namespace {

// Every key of a settings file with its value.
QVariantMap Valores(const QString& arquivo)
{
    const QSettings settings(arquivo, QSettings::NativeFormat);
    QVariantMap valores;
    for (const QString& chave : settings.allKeys())
        valores.insert(chave, settings.value(chave));
    return valores;
}

// The whole file, every read checked (the settings take a failed read for an empty file).
bool LeTudo(const QString& caminho, QByteArray& bytes)
{
    return TArquivoTexto::LeInicio(caminho, QFileInfo(caminho).size() + 1, bytes);
}

bool GravaTudo(const QString& caminho, const QByteArray& bytes)
{
    QString erro;
    return TArquivoNovo::GravaInteiro(caminho, bytes, erro);
}

}   // namespace

QString TRegistroPruv::Caminho()
{
    return TPastas::Configuracao() + QStringLiteral("/Programas XEQ/PRUV2003.conf");
}

QString TRegistroPruv::LeString(const QString& Nome)
{
    // The settings' reader would wait for good on a fifo: anything but a regular file reads as
    // no settings.
    QByteArray bytes;
    if (QFileInfo::exists(Caminho()) && !LeTudo(Caminho(), bytes))
        return QString();
    const QSettings arquivo(Caminho(), QSettings::NativeFormat);
    return arquivo.value(Nome).toString();
}

void TRegistroPruv::GravaString(const QString& Nome, const QString& Valor)
{
    const QString caminho = Caminho();
    const auto falha = [&caminho] { return TErro(CodigoMensagem::FalhaNaGravacao, caminho, 0); };
    QByteArray bytes;
    if (!CriaPastas(QFileInfo(caminho).absolutePath()) || (QFileInfo::exists(caminho) && !LeTudo(caminho, bytes)))
        throw falha();
    // The settings keep their own format, but their writer misses the failure of its last flush
    // and their reader takes a failed read for an empty file: they change a copy in a work
    // folder, whose bytes are read back under a name they have not seen (they cache what they
    // wrote) and put in place through the program's new-file seam only when every key is there.
    // The keys expected are read from a second copy, so that no one failed read goes unseen.
    const TPastaDeTrabalho trabalho(QFileInfo(caminho).absolutePath(), PrefixoTrabalho);
    const QString antes = trabalho.Arquivo(QStringLiteral("antes.conf"));
    const QString novo = trabalho.Arquivo(QStringLiteral("novo.conf"));
    const QString conferido = trabalho.Arquivo(QStringLiteral("conferido.conf"));
    if (!trabalho.Valida() || !GravaTudo(antes, bytes) || !GravaTudo(novo, bytes))
        throw falha();
    QVariantMap esperados = Valores(antes);
    esperados.insert(Nome, Valor);
    {
        QSettings arquivo(novo, QSettings::NativeFormat);
        arquivo.setValue(Nome, Valor);
        arquivo.sync();
        if (arquivo.status() != QSettings::NoError)
            throw falha();
    }
    if (!LeTudo(novo, bytes) || !GravaTudo(conferido, bytes) || Valores(conferido) != esperados
        || !GravaTudo(caminho, bytes))
        throw falha();
}
