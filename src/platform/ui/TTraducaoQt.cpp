#include "platform/ui/TTraducaoQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

TTraducaoQt::TTraducaoQt(const QString& pasta) : FTradutor(std::make_unique<QTranslator>())
{
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
}

QString TTraducaoQt::PastaPadrao()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
