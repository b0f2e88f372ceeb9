#include "components/controls/grid/TdvIniAttributes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "components/data/common/dvControlState.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/settings/dvStr.h"
#include "platform/files/TIniFile.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

void Avisa(const QString& texto)
{
    InterfaceUsuario::Mostra(texto, TipoDialogo::Aviso, Botao::Ok);
}

// The two stores behind one face: an INI file, or the settings in place of the registry.
class TLoja {
public:
    TLoja(bool registro, const QString& arquivo)
    {
        if (registro)
            FRegistro = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    QStringLiteral("Programas XEQ"), arquivo);
        else
            FIni = std::make_unique<TIniFile>(arquivo);
    }

    void ApagaSecao(const QString& secao)
    {
        if (FIni) {
            FIni->EraseSection(secao);
        } else {
            FRegistro->remove(secao);
        }
    }

    void Escreve(const QString& secao, const QString& chave, const QString& valor)
    {
        if (FIni)
            FIni->WriteString(secao, chave, valor);
        else
            FRegistro->setValue(secao + QLatin1Char('/') + chave, valor);
    }

    // The "key=value" lines of the section, in stored order.
    [[nodiscard]] QStringList Linhas(const QString& secao) const
    {
        if (FIni)
            return FIni->ReadSectionValues(secao);
        QStringList linhas;
        FRegistro->beginGroup(secao);
        for (const QString& chave : FRegistro->childKeys())
            linhas << chave + QLatin1Char('=') + FRegistro->value(chave).toString();
        FRegistro->endGroup();
        return linhas;
    }

private:
    std::unique_ptr<TIniFile> FIni;
    std::unique_ptr<QSettings> FRegistro;
};

}   // namespace

QString TdvIniAttributes::FileName() const
{
    if (!FFileName.isEmpty())
        return FFileName;
    if (!dvIntl().IniFileName.isEmpty())
        return dvIntl().IniFileName;
    if (SaveToRegistry || dvIsDesigning(&FGrid))
        return {};
    return dvStrFileNameOnly(QCoreApplication::applicationFilePath()) + QStringLiteral(".ini");
}

QString TdvIniAttributes::SectionName() const
{
    if (!FSectionName.isEmpty())
        return FSectionName;
    if (dvIsDesigning(&FGrid))
        return {};
    return FOwnerFormName + FGrid.objectName();
}

QString TdvIniAttributes::ProblemaDeArquivo() const
{
    const QString arquivo = FileName();
    if (SaveToRegistry && arquivo.isEmpty())
        return QStringLiteral("FileName required when saving to registry");
    if (!SaveToRegistry && !arquivo.isEmpty()) {
        const QString pasta = QFileInfo(arquivo).path();
        if (arquivo.contains(QLatin1Char('/')) && !QDir(pasta).exists())
            return QStringLiteral("Directory does not exist");
    }
    return {};
}

void TdvIniAttributes::Save(const std::vector<TdvStoredColumn>& colunas, bool destroying) const
{
    if (dvIsDesigning(&FGrid))
        return;
    // A grid going away shows nothing: its window may be half gone and no one could answer.
    if (const QString problema = ProblemaDeArquivo(); !problema.isEmpty()) {
        if (!destroying)
            Avisa(problema);
        return;
    }
    if (FDelimiter.isEmpty()) {
        if (!destroying)
            Avisa(QStringLiteral("Key delimiter required"));
        return;
    }
    TLoja loja(SaveToRegistry, FileName());
    const QString secao = SectionName();
    try {
        if (!colunas.empty())
            loja.ApagaSecao(secao);
        for (const TdvStoredColumn& c : colunas)
            loja.Escreve(secao, c.FieldName, c.Width + FDelimiter + c.Title + FDelimiter + c.ReadOnly);
    } catch (const EIniFile& e) {
        if (!destroying)
            Avisa(QString::fromLocal8Bit(e.what()));
    }
}

bool TdvIniAttributes::Load(QStringList& selected) const
{
    if (SaveToRegistry && FileName().isEmpty()) {
        Avisa(QStringLiteral("FileName required when saving to registry"));
        return false;
    }
    if (FDelimiter.isEmpty()) {
        Avisa(QStringLiteral("Key delimiter required"));
        return false;
    }
    if (const QString problema = ProblemaDeArquivo(); !problema.isEmpty()) {
        Avisa(problema);
        return false;
    }
    const QStringList guardadas = selected;
    const QStringList linhas = TLoja(SaveToRegistry, FileName()).Linhas(SectionName());
    if (linhas.isEmpty())
        return false;
    QStringList novas;
    for (const QString& linha : linhas) {
        const qsizetype igual = linha.indexOf(QLatin1Char('='));
        const QString nome = linha.left(igual);
        QString valor = linha.mid(igual + 1);
        if (!valor.contains(FDelimiter)) {
            Avisa(QStringLiteral("Key Delimiter Not Found"));
            // The designed columns stay, whatever the grid takes them from.
            selected = guardadas;
            return false;
        }
        valor.replace(FDelimiter, QStringLiteral("\t"));
        novas << nome + QLatin1Char('\t') + valor;
    }
    if (CheckNewFields) {
        for (const QString& antiga : guardadas) {
            const QString campo = antiga.section(QLatin1Char('\t'), 0, 0);
            const bool existe = std::any_of(novas.cbegin(), novas.cend(), [&campo](const QString& nova) {
                return nova.section(QLatin1Char('\t'), 0, 0).compare(campo, Qt::CaseInsensitive) == 0;
            });
            if (!existe)
                novas << antiga;
        }
    }
    selected = novas;
    return true;
}
