#include "platform/ui/TTraducaoQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

namespace {

constexpr const char* LocalidadeBrasil = "pt_BR.UTF-8";

// The texts of the file dialog's type column, which Qt's catalogue still files under the
// context of an older class.
class TComplementoQt final : public QTranslator {
public:
    [[nodiscard]] bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* texto, const char* /*distincao*/, int /*n*/) const override
    {
        if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0)
            return {};
        static const struct {
            const char* Original;
            const char* Traducao;
        } textos[] = {{"Folder", "Pasta"}, {"File Folder", "Pasta"}, {"Drive", "Unidade"},     {"Shortcut", "Atalho"},
                      {"Alias", "Atalho"}, {"File", "Arquivo"},      {"%1 File", "Arquivo %1"}};
        for (const auto& t : textos)
            if (qstrcmp(texto, t.Original) == 0)
                return QString::fromUtf8(t.Traducao);
        return {};
    }
};

}   // namespace

void TTraducaoQt::PreparaAmbiente()
{
    // LC_ALL would override every category: what it said of the characters stays.
    const QByteArray todas = qgetenv("LC_ALL");
    if (!todas.isEmpty()) {
        for (const char* categoria : {"LC_CTYPE", "LC_COLLATE"})
            if (qEnvironmentVariableIsEmpty(categoria))
                qputenv(categoria, todas);
        qunsetenv("LC_ALL");
    }
    for (const char* categoria : {"LC_TIME", "LC_NUMERIC", "LC_MONETARY", "LC_MEASUREMENT"})
        qputenv(categoria, LocalidadeBrasil);
}

TTraducaoQt::TTraducaoQt(const QString& pasta)
    : FTradutor(std::make_unique<QTranslator>())
    , FComplemento(std::make_unique<TComplementoQt>())
{
    // The C library keeps reading and writing numbers with a point, whatever the environment.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCoreApplication::installTranslator(FComplemento.get());
    const QString origem = pasta.isEmpty() ? PastaPadrao() : pasta;
    for (const char* nome : {"qtbase_pt_BR", "qtbase_pt"}) {
        if (FTradutor->load(QLatin1String(nome), origem)) {
            FCarregada = QCoreApplication::installTranslator(FTradutor.get());
            break;
        }
    }
    if (!FCarregada)
        qWarning("Qt's Portuguese translations not found in %s: its standard dialogs stay in English",
                 qUtf8Printable(origem));
}

TTraducaoQt::~TTraducaoQt()
{
    if (FCarregada)
        QCoreApplication::removeTranslator(FTradutor.get());
    QCoreApplication::removeTranslator(FComplemento.get());
    QLocale::setDefault(FLocalidadeAnterior);
}

QString TTraducaoQt::PastaPadrao()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
